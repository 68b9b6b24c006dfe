#include "testdb.h"

#include "db/query.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace testsupport {

void makeYearFile(const QString& path, db::SchemaVersion version)
{
    const QString templates = qEnvironmentVariable("DORPAK_TEST_TEMPLATES");
    const QString source = templates + QStringLiteral("/template-%1.GDB").arg(db::versionText(version));
    if (!templates.isEmpty() && QFile::exists(source)) {
        if (!QFile::copy(source, path))
            throw std::runtime_error("cannot copy the template yearly file");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return;
    }
    db::Database database;
    db::createYearFile(database, path, version);
}

TempDatabase::TempDatabase(db::SchemaVersion version, const QString& fileName)
    : m_path(m_dir.path() + QLatin1Char('/') + fileName), m_dm(std::make_unique<core::TDM>())
{
    makeYearFile(m_path, version);
    m_dm->IBDATABASE.open(m_path);
}

std::unique_ptr<db::Database> TempDatabase::openSecond() const
{
    auto second = std::make_unique<db::Database>();
    second->open(m_path);
    return second;
}

QString TempDatabase::scalar(const QString& sql, const QVariantList& params)
{
    db::Query q(database());
    q.add(sql);
    q.bindAll(params);
    q.open();
    return q.isEmpty() ? QString() : q.value(0, 0).toString();
}

void TempDatabase::exec(const QString& sql, const QVariantList& params)
{
    db::Query q(database());
    q.add(sql);
    q.bindAll(params);
    q.exec();
}

QString testServer()
{
    const QString server = qEnvironmentVariable("DORPAK_TEST_SERVER");
    if (server.isEmpty())
        ADD_FAILURE() << "DORPAK_TEST_SERVER is not set; run the tests through ctest";
    return server;
}

} // namespace testsupport
