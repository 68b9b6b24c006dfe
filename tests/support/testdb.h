#pragma once

#include "core/tdm.h"
#include "support/printers.h"
#include "db/schema.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

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

} // namespace testsupport
