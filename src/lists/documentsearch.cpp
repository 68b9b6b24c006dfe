#include "documentsearch.h"

#include "core/errors.h"
#include "core/settings.h"
#include "core/systemsettings.h"
#include "core/turkish.h"
#include "db/encoding.h"
#include "db/query.h"
#include "letters/rtfreader.h"
#include "widgets/filteredlist.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <array>
#include <optional>

namespace lists {
namespace {

// A text the words are looked for in: its expression in the statement, its
// length, the caption the clerk reads in front of a match, and the column of
// the file it needs ("" for none).
struct SearchField {
    QString expression;
    int length;
    QString caption;
    QString needs;
};

// The table of differences of the three registers in a search.
struct RegisterShape {
    SearchRegister reg;
    QString table;
    QString number;
    QString date;
    QString party; // the institution's or the petitioner's expression
    QStringList joins;
    QList<SearchField> fields;
    bool department; // a clerk tied to a department sees only its documents
    bool letters;    // the text of the document's letter is searched too
};

const QString Folded = QStringLiteral("F%1");

// A text a register holds by the code of a code table: the table, its code
// and text columns, and the register's column holding the code (the same
// name as the field's `needs`).
struct CodeText {
    QString table;
    QString code;
    QString text;
    int length;
};

std::optional<CodeText> codeTextOf(const QString& needs)
{
    if (needs == QLatin1String("DKOD"))
        return CodeText{QStringLiteral("DISKUR"), QStringLiteral("DKOD"), QStringLiteral("DKURUM"),
                        widgets::CodeNameLength};
    if (needs == QLatin1String("BKOD"))
        return CodeText{QStringLiteral("BIRIM"), QStringLiteral("BKOD"), QStringLiteral("BIRIM"),
                        widgets::CodeNameLength};
    if (needs == QLatin1String("SDP"))
        return CodeText{QStringLiteral("SDP"), QStringLiteral("KOD"), QStringLiteral("ACIK"), 100};
    return std::nullopt;
}

// The codes whose text holds each word, per code table (by the register's
// column): one statement a word for the three code tables of a file, so
// that a register is narrowed by its own indexed columns and joins only
// the documents found.
using WordCodes = QList<QHash<QString, QVariantList>>;

WordCodes codesOfWords(db::Database& database, const QSet<QString>& columns,
                       const QStringList& words)
{
    WordCodes result;
    const QStringList tables = {QStringLiteral("DKOD"), QStringLiteral("BKOD"),
                                QStringLiteral("SDP")};
    for (const QString& w : words) {
        QStringList parts;
        QVariantList params;
        for (int t = 0; t < tables.size(); ++t) {
            const CodeText c = *codeTextOf(tables[t]);
            if (!columns.contains(c.table + QLatin1Char('.') + c.text))
                continue;
            parts << QStringLiteral("SELECT %1,CAST(%2 AS VARCHAR(15)) FROM %3 WHERE ")
                             .arg(t)
                             .arg(c.code, c.table) +
                         core::caseBlindContaining(c.text, c.length, QStringLiteral(":W"),
                                                   SearchWordLength);
            params << w;
        }
        QHash<QString, QVariantList> codes;
        if (!parts.isEmpty()) {
            db::Query q(database);
            q.openLines({parts.join(QStringLiteral(" UNION ALL "))}, params);
            for (int r = 0; r < q.rowCount(); ++r) {
                const QString& column = tables[int(q.value(r, 0).toInt())];
                const QString code = q.value(r, 1).toString();
                codes[column] << (column == QLatin1String("SDP") ? QVariant(code)
                                                                 : QVariant(code.toInt()));
            }
        }
        result << codes;
    }
    return result;
}

// The most keys a condition lists; a word found in more is looked for in
// every row instead.
constexpr qsizetype MostKeys = 1000;

QString keyList(const QString& column, const QVariantList& keys, QVariantList& params)
{
    QStringList marks;
    for (const QVariant& k : keys) {
        marks << QStringLiteral(":K");
        params << k;
    }
    return QStringLiteral("%1 IN (%2)").arg(column, marks.join(QLatin1Char(',')));
}

const QList<RegisterShape>& shapes()
{
    auto common = [](const QString& party, int partyLength, const QString& partyCaption,
                     const QString& partyNeeds, const QList<SearchField>& own) {
        QList<SearchField> fields = own;
        fields << SearchField{party, partyLength, partyCaption, partyNeeds}
               << SearchField{QStringLiteral("G1.KONU"), 200, QStringLiteral("Konusu"),
                              QStringLiteral("KONU")}
               << SearchField{QStringLiteral("S.ACIK"), 100, QStringLiteral("Açıklama"),
                              QStringLiteral("SDP")}
               << SearchField{QStringLiteral("B.BIRIM"), widgets::CodeNameLength,
                              QStringLiteral("Birim"), QStringLiteral("BKOD")};
        return fields;
    };
    const QList<SearchField> document = {
        {QStringLiteral("G1.EVSAY"), 40, QStringLiteral("Evrak No"), QStringLiteral("EVSAY")},
        {QStringLiteral("G1.EVTAR"), 10, QStringLiteral("Evrak Tarihi"), QStringLiteral("EVTAR")}};
    const QStringList documentJoins = {QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)"),
                                       QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)")};
    static const QList<RegisterShape> all = {
        {SearchRegister::Incoming, QStringLiteral("GELEN"), QStringLiteral("GELNO"),
         QStringLiteral("GELTAR"), QStringLiteral("D.DKURUM"), documentJoins,
         common(QStringLiteral("D.DKURUM"), widgets::CodeNameLength, QStringLiteral("Geldiği Yer"),
                QStringLiteral("DKOD"), document),
         true, false},
        {SearchRegister::Outgoing, QStringLiteral("GIDEN"), QStringLiteral("GIDNO"),
         QStringLiteral("GIDTAR"), QStringLiteral("D.DKURUM"), documentJoins,
         common(QStringLiteral("D.DKURUM"), widgets::CodeNameLength,
                QStringLiteral("Gönderildiği Yer"), QStringLiteral("DKOD"), document),
         true, true},
        {SearchRegister::Petition,
         QStringLiteral("DILEKCE"),
         QStringLiteral("DILNO"),
         QStringLiteral("GELTAR"),
         QStringLiteral("G1.ADSOY"),
         {QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)")},
         common(QStringLiteral("G1.ADSOY"), 30, QStringLiteral("Dilekçe Veren"),
                QStringLiteral("ADSOY"),
                {{QStringLiteral("G1.DILTAR"), 10, QStringLiteral("Dilekçe Tarihi"),
                  QStringLiteral("DILTAR")}}),
         false,
         false},
    };
    return all;
}

// The columns of the tables a search reads, as the file has them
// ("GELEN.KONU"): one statement per file.
QSet<QString> columnsOf(db::Database& database)
{
    db::Query q(database);
    q.openLines({QStringLiteral("SELECT TRIM(RDB$RELATION_NAME),TRIM(RDB$FIELD_NAME) FROM "
                                "RDB$RELATION_FIELDS"),
                 QStringLiteral("WHERE RDB$RELATION_NAME IN ('GELEN','GIDEN','DILEKCE','TEXT',"
                                "'SDP','DISKUR','BIRIM')")});
    QSet<QString> columns;
    for (int r = 0; r < q.rowCount(); ++r)
        columns.insert(q.value(r, 0).toString() + QLatin1Char('.') + q.value(r, 1).toString());
    return columns;
}

// A stored date dd.mm.yyyy as yyyymmdd, so that a range compares as text.
QString sortableDate(const QString& column)
{
    return QStringLiteral("SUBSTRING(%1 FROM 7 FOR 4)||SUBSTRING(%1 FROM 4 FOR 2)||"
                          "SUBSTRING(%1 FROM 1 FOR 2)")
        .arg(column);
}

bool isNumber(const QString& word)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    return digits.match(word).hasMatch();
}

// A few words around a match, on one line.
QString snippet(const QString& text, qsizetype at, qsizetype length)
{
    constexpr qsizetype Around = 30;
    const qsizetype from = std::max<qsizetype>(0, at - Around);
    const qsizetype to = std::min<qsizetype>(text.size(), at + length + Around);
    QString s = text.mid(from, to - from).simplified();
    if (from > 0)
        s.prepend(QChar(0x2026));
    if (to < text.size())
        s.append(QChar(0x2026));
    return s;
}

// Windows-1254 bytes folded as turkishUpper folds their letters: a
// letter's text is kept in the file's own bytes (one a character) and
// folded by this table when it is searched.
const std::array<char, 256>& byteFold()
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const QByteArray folded =
                db::toDbText(core::turkishUpper(db::fromDbText(QByteArray(1, char(b)))));
            t[size_t(b)] =
                folded.size() == 1 && (folded[0] != '?' || b == '?') ? folded[0] : char(b);
        }
        return t;
    }();
    return table;
}

// Where the folded word stands in the text, -1 when nowhere.
qsizetype findFolded(const QByteArray& text, const QByteArray& foldedWord)
{
    const std::array<char, 256>& fold = byteFold();
    QByteArray folded(text.size(), Qt::Uninitialized);
    char* out = folded.data();
    for (const char c : text)
        *out++ = fold[static_cast<unsigned char>(c)];
    return folded.indexOf(foldedWord);
}

// The texts of one document, folded once, and where each word is found.
struct Candidate {
    QStringList captions;
    QStringList texts;
    QStringList folded;
    qint64 number = 0;
    // The text of its letter, in Windows-1254 bytes; none without one.
    const QByteArray* letter = nullptr;

    void add(const QString& caption, const QString& text)
    {
        if (text.isEmpty())
            return;
        captions << caption;
        texts << text;
        folded << core::turkishUpper(text);
    }

    // Where each word is found, "Caption: …words…" per text; nothing when a
    // word is found nowhere.
    std::optional<QString> matches(const QStringList& words, const QStringList& foldedWords,
                                   const QList<QByteArray>& letterWords = {}) const
    {
        QStringList found;
        QSet<int> shown;
        for (int w = 0; w < words.size(); ++w) {
            bool any = isNumber(words[w]) && words[w].toLongLong() == number;
            if (any && !shown.contains(-1)) {
                shown.insert(-1);
                found << QStringLiteral("Kay.No: %1").arg(number);
            }
            for (int t = 0; t < folded.size() && !any; ++t) {
                const qsizetype at = folded[t].indexOf(foldedWords[w]);
                if (at < 0)
                    continue;
                any = true;
                if (!shown.contains(t)) {
                    shown.insert(t);
                    found << captions[t] + QStringLiteral(": ") +
                                 snippet(texts[t], at, foldedWords[w].size());
                }
            }
            if (!any && letter && !letterWords.value(w).isEmpty()) {
                const qsizetype at = findFolded(*letter, letterWords[w]);
                any = at >= 0;
                if (any && !shown.contains(-2)) {
                    shown.insert(-2);
                    // The few words around it, decoded from the stored bytes.
                    const qsizetype from = std::max<qsizetype>(0, at - 40);
                    const QString around = db::fromDbText(letter->mid(from, at - from + 120));
                    found << QStringLiteral("Yazı: ") +
                                 snippet(around, at - from, letterWords[w].size());
                }
            }
            if (!any)
                return std::nullopt;
        }
        return found.join(QStringLiteral(" · "));
    }
};

// For each word (folded, in the file's bytes) the documents whose letter
// holds it; each letter is folded once for all the words.
QList<QVariantList> lettersHolding(const QHash<int, DocumentSearch::Letter>& letters,
                                   const QList<QByteArray>& words)
{
    QList<QVariantList> holding(words.size());
    const std::array<char, 256>& fold = byteFold();
    QByteArray folded;
    for (auto it = letters.cbegin(); it != letters.cend(); ++it) {
        const QByteArray& text = it->text;
        folded.resize(text.size());
        char* out = folded.data();
        for (const char c : text)
            *out++ = fold[static_cast<unsigned char>(c)];
        for (qsizetype w = 0; w < words.size(); ++w)
            if (folded.contains(words[w]))
                holding[w] << it.key();
    }
    return holding;
}

} // namespace

QString registerName(SearchRegister reg)
{
    switch (reg) {
    case SearchRegister::Incoming:
        return QStringLiteral("Gelen");
    case SearchRegister::Outgoing:
        return QStringLiteral("Giden");
    case SearchRegister::Petition:
        return QStringLiteral("Dilekçe");
    }
    return {};
}

QStringList searchWords(const QString& text)
{
    QStringList words;
    for (const QString& w :
         text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        words << w.left(SearchWordLength);
    words.removeDuplicates();
    return words;
}

QList<YearFile> yearFiles(const QString& dataFolder, const QString& workingYear, QStringList* notes,
                          const std::function<bool()>& goOn)
{
    QString host, folder;
    core::splitStoredFolder(dataFolder, host, folder);
    QSet<QString> years{workingYear};
    const QDir dir(folder);
    if (!folder.isEmpty() && dir.exists()) {
        static const QRegularExpression name(QStringLiteral("^DORPAK([0-9]{4})\\.GDB$"),
                                             QRegularExpression::CaseInsensitiveOption);
        for (const QString& file : dir.entryList(QDir::Files)) {
            const QRegularExpressionMatch m = name.match(file);
            if (m.hasMatch())
                years.insert(m.captured(1));
        }
    } else if (!host.isEmpty()) {
        // The folder lies on the server alone: each year is asked for. A
        // server that does not answer is not asked again: every year would
        // wait its connect timeout.
        db::BusyScope busy;
        const int working = workingYear.toInt();
        for (int y = working + 1; y >= working - 20; --y) {
            if (goOn && !goOn())
                break;
            const QString year = QString::number(y);
            try {
                db::Database probe;
                probe.open(core::databaseFileName(dataFolder, year));
                probe.close();
                years.insert(year);
            } catch (const db::DbOpenError& e) {
                if (e.kind() == db::DbOpenError::Kind::ServerUnreachable) {
                    if (notes)
                        *notes << QStringLiteral("Başka yılların dosyaları aranmadı: %1")
                                      .arg(core::openFailureText(e.kind()));
                    break;
                }
            } catch (const db::DbError&) {
            }
        }
    }
    QStringList sorted(years.begin(), years.end());
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    QList<YearFile> files;
    for (const QString& y : sorted)
        files.append({y, core::databaseFileName(dataFolder, y)});
    return files;
}

DocumentSearch::DocumentSearch(core::TDM& dm, const core::AppContext& ctx) : m_dm(dm), m_ctx(ctx) {}

DocumentSearch::~DocumentSearch() = default;

db::Database* DocumentSearch::database(const QString& year)
{
    if (year == m_ctx.WorkingYear)
        return &m_dm.IBDATABASE;
    const auto found = m_files.find(year);
    return found == m_files.end() ? nullptr : found->second.get();
}

void DocumentSearch::closeFiles()
{
    m_files.clear();
}

db::Database* DocumentSearch::open(const YearFile& file, QStringList& notes)
{
    if (db::Database* d = database(file.year))
        return d;
    auto d = std::make_unique<db::Database>();
    d->setReadOnly(true);
    try {
        db::BusyScope busy;
        d->open(file.name);
    } catch (const db::DbOpenError& e) {
        notes << QStringLiteral("%1 açılamadı, aranmadı: %2")
                     .arg(core::bareDatabaseFileName(file.year), core::openFailureText(e.kind()));
        return nullptr;
    }
    db::Database* opened = d.get();
    m_files[file.year] = std::move(d);
    return opened;
}

void DocumentSearch::forgetLetters()
{
    m_letters.clear();
    m_uncached.clear();
    m_letterBytes = 0;
}

const QHash<int, DocumentSearch::Letter>&
DocumentSearch::readLetters(db::Database& database, const QString& year, bool harno,
                            const std::function<bool()>& goOn)
{
    QHash<int, Letter>& known = m_letters[year];
    m_uncached.clear();
    const QString letterRow = harno ? QStringLiteral(" AND T.HARNO=1") : QString();
    // The version of every letter's row: those not read yet, or changed
    // since, are read now. A letter deleted since is forgotten.
    QList<int> wanted;
    {
        db::Query versions(database);
        versions.openLines({QStringLiteral("SELECT T.KAYNO,T.RDB$RECORD_VERSION FROM TEXT T"),
                            QStringLiteral("WHERE T.METIN IS NOT NULL") + letterRow});
        QSet<int> present;
        for (int r = 0; r < versions.rowCount(); ++r) {
            const int kayno = int(versions.value(r, 0).toInt());
            present.insert(kayno);
            const auto found = known.constFind(kayno);
            if (found == known.cend() || found->version != versions.value(r, 1).toInt())
                wanted << kayno;
        }
        for (auto it = known.begin(); it != known.end();) {
            if (present.contains(it.key())) {
                ++it;
            } else {
                m_letterBytes -= it->text.size();
                it = known.erase(it);
            }
        }
    }
    if (wanted.isEmpty())
        return known;

    // Many letters: all of the file's in one statement; a few (the ones
    // written since the last search): by their keys, a few hundred a
    // statement.
    QList<QStringList> statements;
    QList<QVariantList> parameters;
    constexpr int Many = 2000;
    constexpr int PerStatement = 500;
    if (wanted.size() > Many) {
        statements << QStringList{
            QStringLiteral("SELECT T.KAYNO,T.RDB$RECORD_VERSION,T.METIN FROM TEXT T"),
            QStringLiteral("WHERE T.METIN IS NOT NULL") + letterRow};
        parameters << QVariantList{};
    } else {
        for (qsizetype from = 0; from < wanted.size(); from += PerStatement) {
            const QList<int> keys = wanted.mid(from, PerStatement);
            QVariantList params, keyValues;
            for (int k : keys)
                keyValues << k;
            statements << QStringList{
                QStringLiteral("SELECT T.KAYNO,T.RDB$RECORD_VERSION,T.METIN FROM TEXT T"),
                QStringLiteral("WHERE ") + keyList(QStringLiteral("T.KAYNO"), keyValues, params) +
                    letterRow};
            parameters << params;
        }
    }
    db::toDbText(QString()); // the code page's table, made before the cores share it
    for (qsizetype s = 0; s < statements.size(); ++s) {
        db::Query q(database);
        q.openLines(statements[s], parameters[s]);
        // Read as text on every core, a slice at a time so that "Durdur"
        // is heard between the slices.
        constexpr int Slice = 4000;
        for (int from = 0; from < q.rowCount(); from += Slice) {
            const int to = std::min(q.rowCount(), from + Slice);
            QList<int> slice;
            for (int r = from; r < to; ++r)
                slice << r;
            const QList<QByteArray> plain = QtConcurrent::blockingMapped(slice, [&q](int r) {
                return db::toDbText(rtf::plainTextOf(q.value(r, 2).toBytes()));
            });
            for (int i = 0; i < slice.size(); ++i) {
                const int r = slice[i];
                Letter letter{q.value(r, 1).toInt(), plain[i]};
                const int kayno = int(q.value(r, 0).toInt());
                // A file of the old layout may hold two letters for a document.
                if (!harno && m_uncached.contains(kayno))
                    letter.text.prepend(m_uncached[kayno].text + '\n');
                else if (!harno && known.contains(kayno) && known[kayno].version == letter.version)
                    letter.text.prepend(known[kayno].text + '\n');
                if (m_letterBytes + letter.text.size() <= LetterMemory) {
                    m_letterBytes += letter.text.size() - known.value(kayno).text.size();
                    known.insert(kayno, std::move(letter));
                } else {
                    m_uncached.insert(kayno, std::move(letter));
                }
            }
            if (!goOn())
                break;
        }
    }
    if (m_uncached.isEmpty())
        return known;
    // Beyond the memory kept: this search's letters, the kept ones with them.
    for (auto it = known.cbegin(); it != known.cend(); ++it)
        if (!m_uncached.contains(it.key()))
            m_uncached.insert(it.key(), it.value());
    return m_uncached;
}

SearchOutcome DocumentSearch::run(const SearchRequest& request, const SearchProgress& progress)
{
    SearchOutcome outcome;
    const QStringList words = searchWords(request.text);
    if (words.isEmpty())
        return outcome;
    QStringList foldedWords;
    for (const QString& w : words)
        foldedWords << core::turkishUpper(w);

    // Once stopped, stopped: the years asked for and the steps after.
    int total = 0;
    int done = 0;
    bool stopped = false;
    auto goOn = [&] {
        stopped = stopped || (progress && !progress(done, total));
        return !stopped;
    };
    const QList<YearFile> files =
        request.allYears
            ? yearFiles(m_ctx.DataFolder, m_ctx.WorkingYear, &outcome.notes, goOn)
            : QList<YearFile>{
                  {m_ctx.WorkingYear, core::databaseFileName(m_ctx.DataFolder, m_ctx.WorkingYear)}};
    QList<const RegisterShape*> registers;
    for (const RegisterShape& s : shapes())
        if (request.registers.contains(s.reg))
            registers << &s;
    total = int(files.size() * registers.size());
    if (!goOn()) {
        outcome.stopped = true;
        return outcome;
    }

    for (const YearFile& file : files) {
        db::Database* database = open(file, outcome.notes);
        if (!database) {
            done += int(registers.size());
            if (!goOn()) {
                outcome.stopped = true;
                return outcome;
            }
            continue;
        }
        ++outcome.filesSearched;
        const QString fileName = core::bareDatabaseFileName(file.year);
        const QSet<QString> columns = columnsOf(*database);
        const WordCodes codes = codesOfWords(*database, columns, words);
        QStringList missing;
        for (const RegisterShape* shape : registers) {
            auto has = [&](const QString& table, const QString& column) {
                return columns.contains(table + QLatin1Char('.') + column);
            };
            if (!has(shape->table, QStringLiteral("KAYNO")) || !has(shape->table, shape->number) ||
                !has(shape->table, shape->date)) {
                outcome.notes << QStringLiteral("%1: %2 defteri bu dosyada yok, aranmadı.")
                                     .arg(fileName, registerName(shape->reg));
                ++done;
                if (!goOn()) {
                    outcome.stopped = true;
                    return outcome;
                }
                continue;
            }
            // The texts this file has: an older layout has no file plan,
            // and only its own columns are read.
            QList<SearchField> fields;
            for (const SearchField& f : shape->fields) {
                const bool plan = f.needs == QLatin1String("SDP");
                const bool present = plan ? has(shape->table, QStringLiteral("SDP")) &&
                                                has(QStringLiteral("SDP"), QStringLiteral("ACIK"))
                                          : has(shape->table, f.needs);
                if (present)
                    fields << f;
                else if (!missing.contains(f.caption))
                    missing << f.caption;
            }
            const bool plan = std::any_of(fields.cbegin(), fields.cend(), [](const SearchField& f) {
                return f.needs == QLatin1String("SDP");
            });
            const bool letters = shape->letters &&
                                 has(QStringLiteral("TEXT"), QStringLiteral("KAYNO")) &&
                                 has(QStringLiteral("TEXT"), QStringLiteral("METIN"));
            if (shape->letters && !letters && !missing.contains(QStringLiteral("Yazı")))
                missing << QStringLiteral("Yazı");

            QStringList select;
            select << QStringLiteral("G1.KAYNO") << QStringLiteral("G1.%1 KNO").arg(shape->number)
                   << QStringLiteral("G1.%1 KTARIH").arg(shape->date);
            for (int i = 0; i < fields.size(); ++i)
                select << fields[i].expression + QLatin1Char(' ') + Folded.arg(i);
            QStringList lines{QStringLiteral("SELECT ") + select.join(QLatin1Char(',')) +
                              QStringLiteral(" FROM %1 G1").arg(shape->table)};
            for (const QString& join : shape->joins)
                if (join.contains(QStringLiteral(" D "))
                        ? has(shape->table, QStringLiteral("DKOD"))
                        : has(shape->table, QStringLiteral("BKOD")))
                    lines << join;
            if (plan)
                lines << QStringLiteral("LEFT JOIN SDP S ON(S.KOD=G1.SDP)");
            // The letters of the file as text, and for each word the
            // documents whose letter holds it.
            const QHash<int, Letter>* texts = nullptr;
            QList<QByteArray> letterWords;
            QList<QVariantList> inLetters;
            bool everyRow = false;
            if (letters) {
                texts = &readLetters(*database, file.year,
                                     has(QStringLiteral("TEXT"), QStringLiteral("HARNO")), goOn);
                for (const QString& w : foldedWords)
                    letterWords << db::toDbText(w);
                inLetters = lettersHolding(*texts, letterWords);
                for (const QVariantList& keys : inLetters)
                    everyRow |= keys.size() > MostKeys;
            }
            QStringList conditions;
            QVariantList params;
            if (request.from.isValid()) {
                conditions << sortableDate(QStringLiteral("G1.") + shape->date) +
                                  QStringLiteral(">=:D1");
                params << request.from.toString(QStringLiteral("yyyyMMdd"));
            }
            if (request.to.isValid()) {
                conditions << sortableDate(QStringLiteral("G1.") + shape->date) +
                                  QStringLiteral("<=:D2");
                params << request.to.toString(QStringLiteral("yyyyMMdd"));
            }
            if (shape->department && m_ctx.UserDeptCode > 0 &&
                has(shape->table, QStringLiteral("BKOD"))) {
                conditions << QStringLiteral("G1.BKOD=:BK");
                params << m_ctx.UserDeptCode;
            }
            // Every word is looked for by the engine: in the register's own
            // texts, through the codes of the code tables whose text holds
            // it, by the registry number, and by the documents whose letter
            // holds it. A word in the letters of very many documents makes
            // the documents read and the words looked for here.
            if (!everyRow) {
                for (int w = 0; w < words.size(); ++w) {
                    // The own texts joined into one, read once a row: a word
                    // cannot reach across the separator, which nobody types.
                    QStringList parts, byKeys;
                    QVariantList keyParams;
                    int length = 0;
                    for (const SearchField& f : fields) {
                        const std::optional<CodeText> coded = codeTextOf(f.needs);
                        const QVariantList keys = coded ? codes[w].value(f.needs) : QVariantList();
                        if (coded && keys.size() <= MostKeys) {
                            if (!keys.isEmpty())
                                byKeys << keyList(QStringLiteral("G1.") + f.needs, keys, keyParams);
                            continue;
                        }
                        parts << QStringLiteral("COALESCE(%1,'')").arg(f.expression);
                        length += f.length + 1;
                    }
                    QStringList any;
                    if (!parts.isEmpty()) {
                        any << core::caseBlindContaining(
                            parts.join(QStringLiteral("||ASCII_CHAR(1)||")), length,
                            QStringLiteral(":W"), SearchWordLength);
                        params << words[w];
                    }
                    any << byKeys;
                    params << keyParams;
                    if (isNumber(words[w])) {
                        any << QStringLiteral("G1.%1=:N").arg(shape->number);
                        params << words[w].toLongLong();
                    }
                    if (letters && !inLetters[w].isEmpty())
                        any << keyList(QStringLiteral("G1.KAYNO"), inLetters[w], params);
                    conditions << (any.isEmpty()
                                       ? QStringLiteral("1=0")
                                       : QLatin1Char('(') + any.join(QStringLiteral(" OR ")) +
                                             QLatin1Char(')'));
                }
            }
            if (!conditions.isEmpty())
                lines << QStringLiteral("WHERE ") + conditions.join(QStringLiteral(" AND "));
            lines << QStringLiteral("ORDER BY G1.%1 DESC").arg(shape->number);

            db::Query q(*database);
            q.openLines(lines, params);
            const int partyColumn = [&] {
                for (int i = 0; i < fields.size(); ++i)
                    if (fields[i].expression == shape->party)
                        return 3 + i;
                return -1;
            }();
            const int konuColumn = [&] {
                for (int i = 0; i < fields.size(); ++i)
                    if (fields[i].expression == QLatin1String("G1.KONU"))
                        return 3 + i;
                return -1;
            }();
            int previous = -1;
            for (int r = 0; r < q.rowCount(); ++r) {
                if (r % 2000 == 1999 && !goOn())
                    break;
                const int kayno = int(q.value(r, 0).toInt());
                // A file of the old layout may hold a letter twice.
                if (kayno == previous)
                    continue;
                previous = kayno;
                Candidate c;
                c.number = q.value(r, 1).toInt();
                for (int i = 0; i < fields.size(); ++i)
                    c.add(fields[i].caption, q.value(r, 3 + i).toString());
                if (texts) {
                    const auto letter = texts->constFind(kayno);
                    if (letter != texts->cend())
                        c.letter = &letter->text;
                }
                std::optional<QString> found = c.matches(words, foldedWords, letterWords);
                // The engine's folding decided; here only what it found is told.
                if (!found && everyRow)
                    continue;
                outcome.hits.append(
                    {file.year, shape->reg, kayno, c.number, q.value(r, 2).toString(),
                     partyColumn < 0 ? QString() : q.value(r, partyColumn).toString(),
                     konuColumn < 0 ? QString() : q.value(r, konuColumn).toString(),
                     found.value_or(QString())});
            }
            q.close();
            ++done;
            if (!goOn()) {
                outcome.stopped = true;
                return outcome;
            }
        }
        if (!missing.isEmpty())
            outcome.notes << QStringLiteral("%1 eski bir düzende; bu dosyada aranmayan: %2.")
                                 .arg(fileName, missing.join(QStringLiteral(", ")));
    }
    return outcome;
}

} // namespace lists
