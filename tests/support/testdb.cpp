#include "testdb.h"

#include "db/query.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <chrono>

namespace testsupport {

void makeYearFile(const QString& path, db::SchemaVersion version)
{
    const QString templates = qEnvironmentVariable("DORPAK_TEST_TEMPLATES");
    const QString source =
        templates + QStringLiteral("/template-%1.GDB").arg(db::versionText(version));
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

Rescue::Rescue(db::Database& holder)
    : m_thread([this, &holder] {
          std::unique_lock<std::mutex> lock(m_mutex);
          if (!m_wake.wait_for(lock, std::chrono::seconds(30), [this] { return m_done; })) {
              m_fired = true;
              holder.rollback();
          }
      })
{
}

Rescue::~Rescue()
{
    finish();
}

bool Rescue::finish()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    return m_fired;
}

void makeBadFile(const QString& path, BadFile kind)
{
    if (kind == BadFile::Text || kind == BadFile::FewBytes) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the bad file");
        const int lines = kind == BadFile::Text ? 1500 : 1;
        for (int i = 0; i < lines; ++i)
            file.write("Bu bir veritabani degil, bir metin dosyasi.\n");
        return;
    }
    makeYearFile(path, db::SchemaVersion::V12_002);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        throw std::runtime_error("cannot open the copy to damage it");
    constexpr qint64 page = 8192;
    switch (kind) {
    case BadFile::DamagedPages:
        file.seek(3 * page);
        file.write(QByteArray(40 * page, char(0x5A)));
        break;
    case BadFile::CutShort:
        file.resize(file.size() / 2);
        break;
    case BadFile::OldEngine:
        // The header's version of the on-disk structure: 11 in place of 12.
        file.seek(18);
        file.write(QByteArray("\x0b\x80", 2));
        break;
    default:
        break;
    }
}

PrivateServer::PrivateServer()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    m_port = probe.serverPort();
    probe.close();
    start();
}

PrivateServer::~PrivateServer()
{
    stop();
}

namespace {

void runServerScript(const QString& command, const QString& dir, quint16 port)
{
    QProcess script;
    script.start(QStringLiteral(DORPAK_FBSERVER_SCRIPT),
                 {command, dir + QStringLiteral("/server"), QString::number(port)});
    if (!script.waitForFinished(60000) || script.exitCode() != 0)
        ADD_FAILURE() << "fbserver.sh " << command.toStdString()
                      << " failed: " << script.readAllStandardError().toStdString();
}

} // namespace

void PrivateServer::start()
{
    runServerScript(QStringLiteral("start"), m_dir.path(), m_port);
}

void PrivateServer::stop()
{
    runServerScript(QStringLiteral("stop"), m_dir.path(), m_port);
}

QString PrivateServer::host() const
{
    return QStringLiteral("127.0.0.1/%1").arg(m_port);
}

} // namespace testsupport
