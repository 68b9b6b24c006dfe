#pragma once

#include "core/appcontext.h"
#include "core/tdm.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

namespace lists {

// The registers a search looks into, by their right codes: "Gelen Evrak" 1,
// "Giden Evrak" 2, "Dilekçe" 3.
enum class SearchRegister { Incoming = 1, Outgoing = 2, Petition = 3 };

// The register's name in the search screen: "Gelen", "Giden", "Dilekçe".
QString registerName(SearchRegister reg);

// What the clerk asks for: the words typed (each must be found, without
// regard to Turkish case, in the document's registry number, its own number
// or date, its institution or petitioner, subject, file plan description,
// department, or the text of its letter), the registers, the range of the
// registration date (an invalid date leaves that end open) and whether every
// yearly file of the data folder is searched or the working year's alone.
struct SearchRequest {
    QString text{};
    QList<SearchRegister> registers{};
    QDate from{};
    QDate to{};
    bool allYears = false;
};

// The words of a typed text: separated by blanks, each at most the length
// the statements read.
QStringList searchWords(const QString& text);
inline constexpr int SearchWordLength = 100;

// One document found.
struct SearchHit {
    QString year{};
    SearchRegister reg = SearchRegister::Incoming;
    int kayno = 0;
    qint64 number = 0; // GELNO, GIDNO or DILNO
    QString date{};    // the registration date as stored
    QString party{};   // the institution, or the petitioner
    QString subject{}; // KONU
    QString matches{}; // where the words were found: "Konusu: …su hattı…"
};

// A yearly file of the data folder: its year and the name the database is
// opened by (a path, or host:path through a server).
struct YearFile {
    QString year;
    QString name;
};

// The yearly files DORPAK<year>.GDB of the data folder, newest first, by the
// rule the program opens its working year with. A local folder (or a
// server's folder this computer also sees) is listed; otherwise the server
// is asked for each year from the year after the working year back twenty
// years, goOn asked before each (false stops the asking); a server that
// does not answer is asked no further, and a line for notes says so. The
// working year is always there.
QList<YearFile> yearFiles(const QString& dataFolder, const QString& workingYear,
                          QStringList* notes = nullptr, const std::function<bool()>& goOn = {});

struct SearchOutcome {
    QList<SearchHit> hits;
    // What the clerk should know: a file that could not be opened, a file of
    // an older layout searched without some columns, a register skipped.
    QStringList notes;
    int filesSearched = 0;
    bool stopped = false;
};

// Told between the steps of a search (done of total); false stops it.
using SearchProgress = std::function<bool(int done, int total)>;

// The search behind "Evrak Ara". The working year is searched on the
// program's connection; every other year's file on a connection of its own
// that only reads, opened as it is: no upgrade step, no index, no change of
// any file. Each register of a file costs one statement (the outgoing
// register reads its letters with its documents); no statement runs per
// document. A clerk tied to a department finds that department's incoming
// and outgoing documents only, and every petition, as the registers show
// them.
class DocumentSearch {
public:
    DocumentSearch(core::TDM& dm, const core::AppContext& ctx);
    ~DocumentSearch();

    SearchOutcome run(const SearchRequest& request, const SearchProgress& progress = {});

    // The connection of a year searched, for its detail view: the program's
    // for the working year, the search's own for another; nullptr for a year
    // not searched.
    db::Database* database(const QString& year);
    // Lets the other years' files go.
    void closeFiles();

    // Forgets the letters read as text: the next search reads them again.
    void forgetLetters();

    // The text of a letter as read, in the file's Windows-1254 bytes, and
    // the version of its row it was read from.
    struct Letter {
        qint64 version = 0;
        QByteArray text;
    };

private:
    db::Database* open(const YearFile& file, QStringList& notes);
    // The letters of a file as text: those read by an earlier search whose
    // row has not changed since, the others read now in as few statements
    // as they take and made text on every core.
    const QHash<int, Letter>& readLetters(db::Database& database, const QString& year, bool harno,
                                          const std::function<bool()>& goOn);

    core::TDM& m_dm;
    const core::AppContext& m_ctx;
    std::map<QString, std::unique_ptr<db::Database>> m_files;
    // The letters of each year read so far, while they take no more than
    // LetterMemory bytes; and those of the current search beyond that.
    std::map<QString, QHash<int, Letter>> m_letters;
    QHash<int, Letter> m_uncached;
    qsizetype m_letterBytes = 0;
    static constexpr qsizetype LetterMemory = qsizetype(256) << 20;
};

} // namespace lists
