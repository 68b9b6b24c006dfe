#pragma once

#include <QString>
#include <QStringList>

namespace db {

class Database;
class Query;

// The layouts a new yearly file can be made in: the current one, and older
// ones the program still upgrades (for trying the upgrade steps).
enum class SchemaVersion { V10_002, V12_002, V12_003, Current = V12_003 };

QString versionText(SchemaVersion version);
// "10.002", "12.002", "12.003"; false for anything else.
bool parseSchemaVersion(const QString& text, SchemaVersion& version);

// A text column made wider by a later version than the one that brought it.
struct WidenedColumn {
    const char* table;
    const char* column;
    int length; // characters (one code-page byte each)
    int since;  // the schema version number that widens it, e.g. 12003
};
// Every widening, oldest first; a new file is made with the widths of its
// version, an older one is widened by the upgrade step of that version.
const QList<WidenedColumn>& widenedColumns();

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
// made by an older version of DORPAK); an index already covering the same
// column in the same direction counts. Returns the names of those added.
QStringList ensureIndexes(Database& db);

// The characters a text column of the file holds now; 0 when the file
// lacks the column. Screens take their boxes' limits from it, so that a
// widened column needs no new program.
int textColumnLength(Query& query, const QString& table, const QString& column);

// The built-in vendor account of a new file.
inline constexpr const char* VendorUser = "VELOR";
inline constexpr const char* VendorPassword = "1234";

} // namespace db
