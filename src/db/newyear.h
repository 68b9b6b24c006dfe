#pragma once

#include <QString>

namespace db {

// Makes next year's file from this year's: the code tables, the general
// definitions with the emblem, the users and their rights, and the letter
// templates are carried over; the registers, pictures and letters start
// empty and every generator at 0. TANIM.VER is that of a new file.
//
// Either name may be local or "host:path". The source must be at the
// current schema version. An existing target is refused, never replaced,
// and a target that cannot be finished is deleted again. Throws DbError.
void createNewYearFile(const QString& source, const QString& target);

} // namespace db
