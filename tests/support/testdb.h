#pragma once

#include "core/tdm.h"
#include "db/schema.h"
#include "support/printers.h"

#include <QString>
#include <QTemporaryDir>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace testsupport {

// A fresh yearly file in its own temporary folder, opened in a data module
// with the embedded engine. The file is a copy of the template the test run
// made, or is created on the spot when a test binary runs on its own.
class TempDatabase {
public:
    explicit TempDatabase(db::SchemaVersion version = db::SchemaVersion::Current,
                          const QString& fileName = QStringLiteral("DORPAK2026.GDB"));

    QString folder() const { return m_dir.path(); }
    QString path() const { return m_path; }
    core::TDM& dm() { return *m_dm; }
    db::Database& database() { return m_dm->IBDATABASE; }

    // A second, independent connection to the same file (another workstation).
    std::unique_ptr<db::Database> openSecond() const;

    // Runs one statement on a query of its own and returns the first value
    // of the first row as text ("" when there is no row).
    QString scalar(const QString& sql, const QVariantList& params = {});
    void exec(const QString& sql, const QVariantList& params = {});

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<core::TDM> m_dm;
};

// Makes a yearly file at path: a copy of the run's template when there is one.
void makeYearFile(const QString& path, db::SchemaVersion version);

// "127.0.0.1/<port>", the server the test run started; the test fails when it
// is not set.
QString testServer();

// Rolls back the other workstation's work when the action under test still
// waits after half a minute, far beyond the lock timeout: an action that
// would wait for ever then ends the test with a failure, not a hang.
class Rescue {
public:
    explicit Rescue(db::Database& holder);
    ~Rescue();
    Rescue(const Rescue&) = delete;
    Rescue& operator=(const Rescue&) = delete;
    // The action came back; true when it had to be rescued.
    bool finish();

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    bool m_fired = false;
    std::thread m_thread;
};

// Files at a yearly file's name that do not open as one.
enum class BadFile {
    Text,         // forty kilobytes of text
    FewBytes,     // a line of text
    DamagedPages, // a yearly file with forty of its pages overwritten
    CutShort,     // a yearly file with its second half gone
    OldEngine,    // a yearly file marked as made by an older engine
};
void makeBadFile(const QString& path, BadFile kind);

// A Firebird server of the test's own on a free loopback port, for a test
// that stops and starts its server (never the run's shared one). Stopped
// when it goes.
class PrivateServer {
public:
    PrivateServer();
    ~PrivateServer();
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    void start();
    void stop();
    // "127.0.0.1/<port>", as a database name's host part.
    QString host() const;

private:
    QTemporaryDir m_dir;
    quint16 m_port = 0;
};

} // namespace testsupport
