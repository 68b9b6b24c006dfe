#pragma once

#include <QString>
#include <QStringList>

namespace db {

class Database;

// The two layouts a new yearly file can be made in: the current one, and
// the oldest one the program still upgrades (for trying the upgrade steps).
enum class SchemaVersion { V10_002, V12_002 };

QString versionText(SchemaVersion version);
// "10.002" / "12.002"; false for anything else.
bool parseSchemaVersion(const QString& text, SchemaVersion& version);

// The right codes a user can hold, in order.
const QList<int>& rightCodes();

// Creates the tables, generators, the SUBSTR function and the indexes of a
// yearly file on an open, empty database, and its first TANIM, USERS and
// RIGHTS rows. Commits.
void createSchema(Database& db, SchemaVersion version);

// Creates a new yearly file at path and leaves it open in db. Refuses a path
// that already exists (DbError) so that a year's data is never replaced.
// When the schema cannot be made the new file is deleted again.
void createYearFile(Database& db, const QString& path, SchemaVersion version);

// Deletes a file made by this program that could not be finished, keeping
// quiet about a second failure so that the first error is the one reported.
void dropUnfinished(Database& db);

// Adds the indexes the program relies on where the file lacks them (a file
// made elsewhere or by an older program); an index already covering the same
// column in the same direction counts. Returns the names of those added.
QStringList ensureIndexes(Database& db);

// The built-in vendor account of a new file.
inline constexpr const char* VendorUser = "VELOR";
inline constexpr const char* VendorPassword = "1234";

} // namespace db
