#pragma once

// Firebird's own services for the administrator's work on a yearly file:
// the engine's online backup, the restore into a new file, and the engine's
// validation. A local path goes to the embedded engine, "host:path" to the
// service manager of that server. Backups travel through the service
// connection, so the backup file always lies on this computer, whether the
// database is local or on a server.

#include "dberror.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace db {

// Bytes of backup carried so far; called between the pieces of a backup or
// a restore.
using TransferProgress = std::function<void(qint64 bytes)>;

// Writes a backup of database to target, a new file on this computer. The
// backup is one snapshot of the file taken at its start: workstations may
// go on saving meanwhile. An existing target is refused; when the backup
// fails the target does not exist afterwards. Throws DbError.
void backupDatabase(const QString& database, const QString& target,
                    const TransferProgress& progress = {});

// Makes a new database file from a backup on this computer. An existing
// database is refused and never replaced; when the restore fails nothing is
// left under the database's name. Throws DbError.
void restoreDatabase(const QString& source, const QString& database,
                     const TransferProgress& progress = {});

// What the engine's validation found.
struct ValidationReport {
    QStringList lines;   // the engine's own report
    int errors = 0;      // errors found; 0 for a sound file
    bool online = false; // other attachments were working: the online validation ran
};

// Runs the engine's validation on database and reports what it found;
// nothing is repaired. Throws DbError when the file cannot be validated at all.
ValidationReport validateDatabase(const QString& database);

} // namespace db
