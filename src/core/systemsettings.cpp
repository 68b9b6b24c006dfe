#include "systemsettings.h"

#include "errorlog.h"
#include "errors.h"
#include "settings.h"
#include "startup.h"
#include "versioncheck.h"

#include "db/newyear.h"

#include <QDir>
#include <QFileInfo>

namespace core {

DatabaseTexts DEGERBUL(const SystemFields& fields)
{
    DatabaseTexts texts;
    texts.fileName = bareDatabaseFileName(fields.year);
    texts.fullText = databaseFileName(storedFolder(fields.host, fields.folder), fields.year);
    return texts;
}

QString storedFolder(const QString& host, const QString& folder)
{
    return host.isEmpty() ? folder : host + QLatin1Char(':') + folder;
}

void splitStoredFolder(const QString& yol, QString& host, QString& folder)
{
    host.clear();
    folder = yol;
    if (!db::Database::isRemoteName(yol))
        return;
    const qsizetype colon = yol.indexOf(QLatin1Char(':'));
    host = yol.left(colon);
    folder = yol.mid(colon + 1);
}

SystemFields SystemSettings::load(const QString& currentHost) const
{
    const StoredSettings stored = settings::read();
    m_ctx.WorkingYear = stored.YIL.left(4);
    SystemFields fields;
    fields.year = m_ctx.WorkingYear;
    QString storedHost;
    splitStoredFolder(stored.YOL, storedHost, fields.folder);
    fields.host = storedHost.isEmpty() ? currentHost : storedHost;
    return fields;
}

SystemSettings::FileCheck SystemSettings::test(const SystemFields& fields) const
{
    QStringList lines{QStringLiteral("Test işlemi başladı.....")};
    const DatabaseTexts texts = DEGERBUL(fields);
    FileCheck check = checkFile(texts.fullText, true);
    if (!fields.host.isEmpty()) {
        // Only the server can tell whether its folder and file exist; a
        // server that does not answer or lets nobody in tells nothing.
        using Kind = db::DbOpenError::Kind;
        const bool found = check.opened || check.kind == Kind::NotADatabase ||
                           check.kind == Kind::Damaged || check.kind == Kind::TooOld ||
                           check.kind == Kind::TooNew;
        if (found)
            lines << QStringLiteral("Dosya Adı Doğrulandı.....") << QStringLiteral(".")
                  << QStringLiteral("Veritabanı Yolu Doğrulandı.....") << QStringLiteral(".");
        else if (check.kind == Kind::FileMissing || check.kind == Kind::FolderMissing)
            lines << QStringLiteral("!!!!!!Dosya Adı Bulunamadı.....");
    } else {
        if (QFileInfo(texts.fullText).isFile())
            lines << QStringLiteral("Dosya Adı Doğrulandı.....") << QStringLiteral(".");
        else
            lines << QStringLiteral("!!!!!!Dosya Adı Bulunamadı.....");
        if (!fields.folder.isEmpty() && QFileInfo(fields.folder).isDir())
            lines << QStringLiteral("Veritabanı Yolu Doğrulandı.....") << QStringLiteral(".");
        else
            lines << QStringLiteral("!!!!!!Veritabanı Yolu Bulunamadı.....");
    }
    lines << check.lines;
    check.lines = lines;
    return check;
}

SystemSettings::FileCheck SystemSettings::checkFile(const QString& databaseName, bool logFailure)
{
    FileCheck check;
    db::BusyScope busy; // attaching to a server can take a moment
    try {
        db::Database probe;
        probe.open(databaseName);
        check.opened = true;
        QString ver;
        try {
            db::Query q(probe);
            q.openLines({QStringLiteral("SELECT VER FROM TANIM")});
            ver = q.isEmpty() ? QString() : q.field(QStringLiteral("VER")).toString();
        } catch (const db::DbError&) {
            // A database, but without the program's tables.
        }
        probe.close();
        bool known = false;
        int number = 0;
        try {
            number = schemaVersionNumber(ver);
            known = !ver.isEmpty();
        } catch (const std::invalid_argument&) {
        }
        if (!known) {
            check.lines << QStringLiteral("!!!!!!Dosya Bir DORPAK Veritabanı Değil.....");
            return check;
        }
        check.lines << QStringLiteral("Veritabanı Açıldı, Versiyon %1.....").arg(ver);
        check.standing = classifySchemaVersion(number);
        switch (*check.standing) {
        case SchemaStanding::Current:
            check.lines << QStringLiteral("Veritabanı Versiyonu Uygun.....");
            break;
        case SchemaStanding::DatabaseTooOld:
            check.lines << QStringLiteral(
                "!!!!!!Veritabanı Versiyonu Eski Olduğundan Çalışamazsınız.....");
            break;
        case SchemaStanding::ProgramTooOld:
            check.lines << QStringLiteral(
                "!!!!!!Program Versiyonu Eski Olduğundan Çalışamazsınız.....");
            break;
        case SchemaStanding::NeedsUpgrade:
            check.lines << QStringLiteral("Veritabanı Açılışta Güncellenecek.....");
            break;
        }
    } catch (const db::DbOpenError& e) {
        check.kind = e.kind();
        const QString reason = openFailureText(e.kind());
        check.lines << OpenFailedLine + reason;
        if (logFailure)
            logError(QStringLiteral("Test Et: veritabanı açılamadı: ") + reason, e.message());
    }
    return check;
}

SystemFields SystemSettings::defaults(const SystemFields& fields)
{
    SystemFields result = fields;
    result.year = defaultWorkingYear();
    result.folder = defaultDataFolder();
    return result;
}

SystemFields SystemSettings::takeChosenFile(const SystemFields& fields, const QString& path)
{
    SystemFields result = fields;
    const QString native = QDir::toNativeSeparators(path);
    const qsizetype slash = native.lastIndexOf(QDir::separator());
    result.folder = native.left(slash < 0 ? 0 : slash);
    const QString name = native.mid(slash + 1);
    result.year = name.mid(int(qstrlen("DORPAK")), 4);
    return result;
}

QString SystemSettings::previousYearFile(const SystemFields& fields)
{
    bool isYear = false;
    const int year = fields.year.toInt(&isYear);
    if (!isYear || fields.year.size() != 4 || fields.folder.isEmpty())
        return {};
    SystemFields before = fields;
    before.year = QString::number(year - 1);
    return DEGERBUL(before).fullText;
}

QString SystemSettings::newYearSource(const SystemFields& fields) const
{
    const QString source = previousYearFile(fields);
    if (source.isEmpty() || databaseExists(fields, DEGERBUL(fields).fullText) ||
        !databaseExists(fields, source))
        return {};
    return source;
}

QString SystemSettings::newYearSource(const SystemFields& fields, const FileCheck& yearFile) const
{
    using Kind = db::DbOpenError::Kind;
    // Anything else is a file there, or a server that tells nothing.
    const bool missing = !yearFile.opened && (yearFile.kind == Kind::FileMissing ||
                                              yearFile.kind == Kind::FolderMissing);
    const QString source = previousYearFile(fields);
    if (!missing || source.isEmpty() || !databaseExists(fields, source))
        return {};
    return source;
}

QString SystemSettings::createNewYear(const SystemFields& fields)
{
    const QString target = DEGERBUL(fields).fullText;
    const QString source = previousYearFile(fields);
    if (source.isEmpty())
        return FileMissingMessage;
    if (databaseExists(fields, target))
        return NewYearFileExistsMessage;
    // The file is made at the program's schema version from one at the
    // same version; another is upgraded, or the program is, first.
    const FileCheck found = checkFile(source, false);
    if (!found.opened)
        return FileMissingMessage;
    if (found.standing) {
        switch (*found.standing) {
        case SchemaStanding::Current:
            break;
        case SchemaStanding::NeedsUpgrade:
            return NewYearSourceOldMessage;
        case SchemaStanding::DatabaseTooOld:
            return NewYearSourceTooOldMessage;
        case SchemaStanding::ProgramTooOld:
            return NewYearSourceNewerMessage;
        }
    }
    {
        db::BusyScope busy;
        db::createNewYearFile(source, target);
    }
    return save(fields);
}

bool SystemSettings::databaseExists(const SystemFields& fields, const QString& name)
{
    return fields.host.isEmpty() ? QFileInfo(name).isFile() : canAttach(name);
}

QString SystemSettings::save(const SystemFields& fields)
{
    const DatabaseTexts texts = DEGERBUL(fields);
    if (fields.host.isEmpty()) {
        if (fields.folder.isEmpty() || !QFileInfo(fields.folder).isDir())
            return FolderMissingMessage;
        if (!QFileInfo(texts.fullText).isFile())
            return FileMissingMessage;
    } else if (!canAttach(texts.fullText)) {
        return FileMissingMessage;
    }

    const QString yol = storedFolder(fields.host, fields.folder);
    settings::storeYearAndFolder(fields.year, yol);

    // The connection follows what was just saved, as IBASEAC would open it.
    m_ctx.WorkingYear = fields.year.left(4);
    m_ctx.DataFolder = yol;
    m_ctx.DbOpenFailed = true;
    try {
        db::BusyScope busy;
        m_dm.IBDATABASE.open(texts.fullText);
    } catch (const db::DbOpenError& e) {
        m_ctx.DbOpenReason = openFailureText(e.kind());
        throw;
    }
    m_ctx.DbOpenFailed = false;
    m_ctx.DbOpenReason.clear();
    TANIMOKU(m_dm, m_ctx);
    return {};
}

bool SystemSettings::canAttach(const QString& databaseName)
{
    return checkFile(databaseName, false).opened;
}

} // namespace core
