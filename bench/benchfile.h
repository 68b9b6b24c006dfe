#pragma once

#include <QString>

#include <functional>

namespace db {
class Database;
}

namespace bench {

// A yearly file for a benchmark, made once and kept in the temporary folder
// under the given name: fill() writes its data into a new file, which only
// takes its name when it is complete, so an interrupted run never leaves a
// half-filled file behind for the next one.
QString yearFile(const QString& name, const std::function<void(db::Database&)>& fill);

} // namespace bench
