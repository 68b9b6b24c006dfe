#include "benchfile.h"

#include "db/database.h"
#include "db/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace bench {

QString yearFile(const QString& name, const std::function<void(db::Database&)>& fill)
{
    const QString dir = QDir::tempPath() + QLatin1Char('/') + name;
    const QString path = dir + QStringLiteral("/DORPAK2026.GDB");
    if (QFileInfo::exists(path))
        return path;
    QDir().mkpath(dir);
    const QString building = dir + QStringLiteral("/building.GDB");
    QFile::remove(building);
    {
        db::Database database;
        db::createYearFile(database, building, db::SchemaVersion::Current);
        fill(database);
        database.commit();
    }
    QFile::rename(building, path);
    return path;
}

} // namespace bench
