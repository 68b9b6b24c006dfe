#pragma once

#include <QString>

#include <benchmark/benchmark.h>

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

// The least a program can do with a statement, to hold a screen's figures
// against: its own attachment through libfbclient, a statement with literal
// values prepared, every row fetched into the described message.
// Runs the benchmarks of a program with screens: no display, and prompts
// that answer nothing (no screen of a benchmark asks anything); run builds
// the screens and calls benchmark::RunSpecifiedBenchmarks().
int runWithScreens(int argc, char** argv, const std::function<void()>& run);

// The same for a benchmark whose screens live in one Program object, made
// once on its yearly file (made first, outside the measured runs) and
// reached through current while the benchmarks run.
template <class Program>
int runWithScreens(int argc, char** argv, Program*& current, QString (*file)())
{
    return runWithScreens(argc, argv, [&current, file] {
        file();
        Program program;
        current = &program;
        benchmark::RunSpecifiedBenchmarks();
        current = nullptr;
    });
}

class BareConnection {
public:
    explicit BareConnection(const QString& path);
    ~BareConnection();
    BareConnection(const BareConnection&) = delete;
    BareConnection& operator=(const BareConnection&) = delete;

    // Runs the statement in a transaction of its own; the rows fetched.
    int fetch(const QString& sql);

private:
    struct Handles;
    Handles* m_h;
};

} // namespace bench
