#pragma once

#include "appcontext.h"
#include "tdm.h"
#include "versioncheck.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace core {

// The fields of the system settings screen.
struct SystemFields {
    QString host;   // "Ana Makina": database server, empty for a local folder
    QString folder; // "Veritabanı Yolu"
    QString year;   // "Çalışma Yılı"
};

// The two read-only texts of the screen.
struct DatabaseTexts {
    QString fileName; // "DORPAK2026.GDB"
    QString fullText; // folder/file, or host:folder/file
};

// The messages of "F5-Kayıt".
inline const QString FolderMissingMessage = QStringLiteral("DİKKAT! Veritabanı Yolu Bulunamadı..!");
inline const QString FileMissingMessage =
    QStringLiteral("DİKKAT! Veritabanı Dosyası Bulunamadı..!");
// The refusals of "Yeni Yıl Dosyası Oluştur".
inline const QString NewYearFileExistsMessage =
    QStringLiteral("DİKKAT! Bu Yılın Veritabanı Dosyası Zaten Var..!");
inline const QString NewYearSourceOldMessage =
    QStringLiteral("DİKKAT! Önceki Yılın Dosyası Eski Bir Sürümde. Dosyayı Bir Kez Program İle "
                   "Açıp Güncelleyiniz..");
inline const QString NewYearSourceTooOldMessage =
    QStringLiteral("DİKKAT! Önceki Yılın Dosyası Programın Güncelleyemeyeceği Kadar Eski Bir "
                   "Sürümde..");
inline const QString NewYearSourceNewerMessage =
    QStringLiteral("DİKKAT! Önceki Yılın Dosyası Programdan Daha Yeni Bir Sürümde. Programı "
                   "Güncelleyiniz..");
// The question of "Default Değerler".
inline const QString DefaultValuesQuestion =
    QStringLiteral("DİKKAT! Mevcut Verilerin Değiştirilmesi Programın Çalışmasını Engelleyebilir. "
                   "Onaylıyormusunuz.?");
// The line of the message area that says why the file did not open.
inline const QString OpenFailedLine = QStringLiteral("!!!!!!Veritabanı Açılamadı: ");
// Name and pattern of the browse button's file dialog.
inline const QString DatabaseFileFilter = QStringLiteral("Veritabanı Dosyası (DORPAK????.GDB)");

// DEGERBUL: the file name and the full database text of the fields.
DatabaseTexts DEGERBUL(const SystemFields& fields);

// The folder setting YOL of a host and a folder ("host:folder" when a host
// is given), and the other way round.
QString storedFolder(const QString& host, const QString& folder);
void splitStoredFolder(const QString& yol, QString& host, QString& folder);

// The screen's logic: what it shows and what its buttons do, apart from the
// widgets.
class SystemSettings {
public:
    SystemSettings(TDM& dm, AppContext& ctx) : m_dm(dm), m_ctx(ctx) {}

    // On opening: WorkingYear is read again from YIL; the year and folder
    // come from the settings, a stored "host:folder" fills the host too;
    // otherwise the host keeps what it had.
    SystemFields load(const QString& currentHost) const;

    // What attaching to a file found: the lines "Test Et" adds, the schema
    // version's standing when the file is the program's, and the kind of
    // the failure when it did not open.
    struct FileCheck {
        bool opened = false;
        db::DbOpenError::Kind kind = db::DbOpenError::Kind::Other;
        std::optional<SchemaStanding> standing;
        QStringList lines;
    };

    // "Test Et": the lines of the message area, with what attaching to the
    // year's file found. The file is attached as the program would open
    // it, and what was found is said: its schema version, or why it did
    // not open (missing, not a database, damaged, too old, server
    // unreachable, login refused).
    FileCheck test(const SystemFields& fields) const;

    // "Default Değerler" after Yes: this year and the default folder.
    static SystemFields defaults(const SystemFields& fields);

    // The browse button: the folder and year of a chosen yearly file.
    static SystemFields takeChosenFile(const SystemFields& fields, const QString& path);

    // The yearly file of the year before the fields' year, when that year
    // has no file yet but the year before has one: the screen then offers
    // "Yeni Yıl Dosyası Oluştur". Empty when there is nothing to offer. On a
    // server the files are looked for by attaching, which takes a moment.
    QString newYearSource(const SystemFields& fields) const;
    // The same after "Test Et", from what it found of the year's own file:
    // only a file found missing is made, and a server that did not answer
    // or let nobody in is not asked again.
    QString newYearSource(const SystemFields& fields, const FileCheck& yearFile) const;

    // "Yeni Yıl Dosyası Oluştur": makes the year's file from the year
    // before (code tables, definitions, users, rights, templates) and then
    // saves and opens it as "F5-Kayıt" does. Refused when the year has its
    // file, when the year before has none, or when that one is not at the
    // program's schema version; otherwise returns save()'s refusal. An
    // error making the file is thrown and nothing is stored.
    QString createNewYear(const SystemFields& fields);

    // "F5-Kayıt": checks the fields and returns the refusal message, or
    // stores YIL and YOL, re-opens the connection on the file just saved,
    // takes the year as WorkingYear and reads TANIM again (empty result).
    // An error re-opening the connection is thrown; the settings are
    // stored by then.
    QString save(const SystemFields& fields);

private:
    static FileCheck checkFile(const QString& databaseName, bool logFailure);
    // With a host the file cannot be looked at from here: the server is
    // asked by attaching to it.
    static bool canAttach(const QString& databaseName);
    static bool databaseExists(const SystemFields& fields, const QString& name);
    // The file of the year before the fields' year; empty without a year.
    static QString previousYearFile(const SystemFields& fields);

    TDM& m_dm;
    AppContext& m_ctx;
};

} // namespace core
