#pragma once

#include "appcontext.h"
#include "tdm.h"

#include <QString>
#include <QStringList>

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

    // "Test Et": the lines of the message area. The file is attached as
    // the program would open it, and what was found is said: its schema
    // version, or why it did not open (missing, not a database, damaged,
    // too old, server unreachable, login refused).
    QStringList test(const SystemFields& fields) const;

    // "Default Değerler" after Yes: this year and the default folder.
    static SystemFields defaults(const SystemFields& fields);

    // The browse button: the folder and year of a chosen yearly file.
    static SystemFields takeChosenFile(const SystemFields& fields, const QString& path);

    // The yearly file of the year before the fields' year, when that year
    // has no file yet but the year before has one: the screen then offers
    // "Yeni Yıl Dosyası Oluştur". Empty when there is nothing to offer. On a
    // server the files are looked for by attaching, which takes a moment.
    QString newYearSource(const SystemFields& fields) const;

    // "Yeni Yıl Dosyası Oluştur": makes the year's file from the year
    // before (code tables, definitions, users, rights, templates) and then
    // saves and opens it as "F5-Kayıt" does. Returns save()'s refusal; an
    // error making the file is thrown and nothing is stored.
    QString createNewYear(const SystemFields& fields);

    // "F5-Kayıt": checks the fields and returns the refusal message, or
    // stores YIL and YOL, re-opens the connection on the file just saved,
    // takes the year as WorkingYear and reads TANIM again (empty result).
    // An error re-opening the connection is thrown; the settings are
    // stored by then.
    QString save(const SystemFields& fields);

private:
    // What attaching to a file found: the lines "Test Et" adds, and the kind
    // of the failure when it did not open.
    struct FileCheck {
        bool opened = false;
        db::DbOpenError::Kind kind = db::DbOpenError::Kind::Other;
        QStringList lines;
    };
    static FileCheck checkFile(const QString& databaseName, bool logFailure);
    // With a host the file cannot be looked at from here: the server is
    // asked by attaching to it.
    static bool canAttach(const QString& databaseName);
    static bool databaseExists(const SystemFields& fields, const QString& name);

    TDM& m_dm;
    AppContext& m_ctx;
};

} // namespace core
