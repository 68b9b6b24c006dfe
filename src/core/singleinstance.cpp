#include "singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace core {

SingleInstance::SingleInstance(const QString& folder)
    : m_lock(QDir(folder).filePath(QStringLiteral("DORPAK.EXE.lock")))
{
    // A running copy holds its lock however long it runs; only a lock whose
    // process is gone counts as stale.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    QDir().mkpath(QFileInfo(m_lock.fileName()).absolutePath());
    return m_lock.tryLock(0);
}

QString SingleInstance::defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

} // namespace core
