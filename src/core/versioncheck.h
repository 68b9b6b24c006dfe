#pragma once

#include "appcontext.h"
#include "tdm.h"

#include <QString>

#include <array>

namespace core {

// The schema version this program works with, as TANIM.VER holds it.
inline constexpr int ExpectedSchemaVersion = 12003;

// Splits a text at its points into at most four parts: "12.002" gives
// "12", "002", "", "". Whatever follows a fourth point is dropped.
std::array<QString, 4> KODCOZ(const QString& text);

// The number of a stored version: its first two parts written one after
// the other, "12.002" -> 12002, "10.2" -> 102. Throws std::invalid_argument
// for a text that gives no number.
int schemaVersionNumber(const QString& ver);

// Where a stored schema version stands against this program's.
enum class SchemaStanding {
    Current,        // the program's own version
    NeedsUpgrade,   // older, and the program upgrades it on opening
    DatabaseTooOld, // older than the program can upgrade
    ProgramTooOld,  // newer than the program
};
SchemaStanding classifySchemaVersion(int number);

enum class VersionOutcome {
    Current,        // 12.003: the program goes on
    Upgraded,       // one upgrade step ran: the program ends without writing the settings
    DatabaseTooOld, // refused with its message
    ProgramTooOld,  // refused with its message; the caller offers the update
};

// Compares TANIM.VER with this program's version, runs the one upgrade step
// an older file needs (with its success message) or shows the refusal, and
// sets VersionOk. A VER that is no number, and an error outside the guarded
// parts of a step, are thrown to the caller.
VersionOutcome VERKONT(TDM& dm, AppContext& ctx);

} // namespace core
