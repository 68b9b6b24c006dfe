#include "systemsettings.h"

#include "settings.h"
#include "startup.h"

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

QStringList SystemSettings::test(const SystemFields& fields) const
{
    QStringList lines{QStringLiteral("Test işlemi başladı.....")};
    const DatabaseTexts texts = DEGERBUL(fields);
    if (!fields.host.isEmpty()) {
        // Only the server can tell whether its folder and file exist.
        if (canAttach(texts.fullText))
            lines << QStringLiteral("Dosya Adı Doğrulandı.....") << QStringLiteral(".")
                  << QStringLiteral("Veritabanı Yolu Doğrulandı.....") << QStringLiteral(".");
        else
            lines << QStringLiteral("!!!!!!Dosya Adı Bulunamadı.....");
        return lines;
    }
    if (QFileInfo(texts.fullText).isFile())
        lines << QStringLiteral("Dosya Adı Doğrulandı.....") << QStringLiteral(".");
    else
        lines << QStringLiteral("!!!!!!Dosya Adı Bulunamadı.....");
    if (!fields.folder.isEmpty() && QFileInfo(fields.folder).isDir())
        lines << QStringLiteral("Veritabanı Yolu Doğrulandı.....") << QStringLiteral(".");
    else
        lines << QStringLiteral("!!!!!!Veritabanı Yolu Bulunamadı.....");
    return lines;
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

QString SystemSettings::newYearSource(const SystemFields& fields) const
{
    bool isYear = false;
    const int year = fields.year.toInt(&isYear);
    if (!isYear || fields.year.size() != 4 || fields.folder.isEmpty())
        return {};
    SystemFields before = fields;
    before.year = QString::number(year - 1);
    const QString source = DEGERBUL(before).fullText;
    if (databaseExists(fields, DEGERBUL(fields).fullText) || !databaseExists(fields, source))
        return {};
    return source;
}

QString SystemSettings::createNewYear(const SystemFields& fields)
{
    const QString source = newYearSource(fields);
    if (source.isEmpty())
        return FileMissingMessage;
    {
        db::BusyScope busy;
        db::createNewYearFile(source, DEGERBUL(fields).fullText);
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
    {
        db::BusyScope busy;
        m_dm.IBDATABASE.open(texts.fullText);
    }
    m_ctx.DbOpenFailed = false;
    TANIMOKU(m_dm, m_ctx);
    return {};
}

bool SystemSettings::canAttach(const QString& databaseName)
{
    // Attaching to a server can take a while: the busy cursor shows it.
    db::BusyScope busy;
    try {
        db::Database probe;
        probe.open(databaseName);
        probe.close();
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

} // namespace core
