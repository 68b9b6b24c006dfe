#pragma once

#include <QLockFile>
#include <QString>

namespace core {

// The one running copy of the program per user: a lock file named after
// DORPAK.EXE in the user's runtime folder, held for the life of the process.
// A lock left by a copy that crashed does not block the next start.
class SingleInstance {
public:
    explicit SingleInstance(const QString& folder = defaultFolder());

    // True when no other copy of this user runs; the lock is then held.
    bool acquire();

    static QString defaultFolder();

private:
    QLockFile m_lock;
};

// What a second copy shows before it ends.
inline const QString AlreadyRunningMessage = QStringLiteral(
    "Dikkat! DORPAK Proragramı zaten çalışıyor....\nBirden Fazla Çalıştıramazsınız.");

} // namespace core
