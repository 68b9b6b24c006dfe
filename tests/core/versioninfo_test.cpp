#include "sandbox.h"

#include "core/programupdate.h"
#include "core/versioninfo.h"
#include "support/promptscript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using coretest::HttpServer;
using coretest::LineServer;
using coretest::ScopedEnv;
using testsupport::PromptScript;

namespace {

const QByteArray Request = "VER\r\n\r\nDRP\r\n22.001\r\n";

struct Fetched {
    QStringList lines;
    bool failed = false;
};

Fetched fetch(core::InfoServerConnection& connection, const LineServer& server)
{
    Fetched result;
    try {
        connection.fetchNotes({"127.0.0.1", server.port()}, "22.001",
                              [&](const QString& line) { result.lines << line; });
    } catch (const core::InfoServerError&) {
        result.failed = true;
    }
    return result;
}

struct ExchangeCase {
    const char* name;
    QByteArray reply;
    bool closeAfterReply;
    QStringList lines;
    bool failed;
};

class Vergetir : public testing::TestWithParam<ExchangeCase> {};

TEST_P(Vergetir, ShowsTheLinesUpToTheEndMark)
{
    LineServer server(GetParam().reply, GetParam().closeAfterReply);
    core::InfoServerConnection connection;
    const Fetched got = fetch(connection, server);
    EXPECT_EQ(server.request(), Request);
    EXPECT_EQ(got.lines, GetParam().lines);
    EXPECT_EQ(got.failed, GetParam().failed);
    EXPECT_FALSE(connection.isOpen());
}

const QByteArray LongestLine(core::InfoServerConnection::MaxLineLength, 'x');

INSTANTIATE_TEST_SUITE_P(
    Answers, Vergetir,
    testing::Values(
        ExchangeCase{"EndMarkAtOnce", "@\r\n", false, {}, false},
        ExchangeCase{"Lines",
                     "22.002 hazir.\r\nYeni rapor.\r\n\r\n@\r\n",
                     false,
                     {"22.002 hazir.", "Yeni rapor.", ""},
                     false},
        ExchangeCase{"BareLineFeeds", "bir\niki\n@\n", true, {"bir", "iki"}, false},
        ExchangeCase{"EndMarkWithASpaceIsALine", "@ \r\n@\r\n", false, {"@ "}, false},
        ExchangeCase{
            "EightBitCharactersAreNotCarried", "G\xc3\xbc\x6e\r\n@\r\n", false, {"G??n"}, false},
        ExchangeCase{
            "TheLongestLine", LongestLine + "\r\n@\r\n", false, {QString(LongestLine)}, false},
        ExchangeCase{"OneByteLonger", "ilk\r\n" + LongestLine + "x\r\n@\r\n", false, {"ilk"}, true},
        ExchangeCase{"ClosedBeforeTheEndMark", "bir\r\niki\r\n", true, {"bir", "iki"}, true},
        ExchangeCase{"ClosedInsideALine", "bir\r\nik", true, {"bir"}, true}),
    [](const testing::TestParamInfo<ExchangeCase>& info) { return std::string(info.param.name); });

TEST(VergetirServer, AnUnreachableServerIsAnError)
{
    quint16 freePort = 0;
    {
        LineServer probe("");
        freePort = probe.port();
    }
    core::InfoServerConnection connection;
    EXPECT_THROW(connection.fetchNotes({"127.0.0.1", freePort}, "22.001", [](const QString&) {}),
                 core::InfoServerError);
}

TEST(VergetirServer, EachQueryUsesAFreshConnection)
{
    LineServer server("bilgi\r\n@\r\n", false);
    core::InfoServerConnection connection;
    EXPECT_EQ(fetch(connection, server).lines, QStringList{"bilgi"});
    EXPECT_EQ(fetch(connection, server).lines, QStringList{"bilgi"});
    EXPECT_EQ(server.connections(), 2);
}

TEST(VergetirServer, ClosingWhileTheServerIsSilentEndsTheExchangeQuietly)
{
    // The server sends one line and then nothing; the clerk leaves the
    // screen, which closes the connection.
    LineServer server("bir\r\n", false);
    core::InfoServerConnection connection;
    QStringList lines;
    EXPECT_NO_THROW(
        connection.fetchNotes({"127.0.0.1", server.port()}, "22.001", [&](const QString& line) {
            lines << line;
            QTimer::singleShot(0, [&] { connection.close(); });
        }));
    EXPECT_EQ(lines, QStringList{"bir"});
    EXPECT_FALSE(connection.isOpen());
}

TEST(InfoServerAddress, TheEnvironmentMayNameAnotherServer)
{
    {
        ScopedEnv env("DORPAK_INFO_SERVER", QString());
        EXPECT_EQ(core::infoServerAddress().port, 1965);
        EXPECT_FALSE(core::infoServerAddress().host.isEmpty());
    }
    {
        ScopedEnv env("DORPAK_INFO_SERVER", "127.0.0.1:4000");
        EXPECT_EQ(core::infoServerAddress().host, "127.0.0.1");
        EXPECT_EQ(core::infoServerAddress().port, 4000);
    }
    {
        ScopedEnv env("DORPAK_INFO_SERVER", "bilgi.example");
        EXPECT_EQ(core::infoServerAddress().host, "bilgi.example");
        EXPECT_EQ(core::infoServerAddress().port, 1965);
    }
}

const QString UpdateQuestion = QStringLiteral(
    "DİKKAT! Programınızın Daha Yeni Sürümü Mevcuttur.\nŞimdi Güncellemek İstermisiniz.");

// An updater that writes the arguments it was started with next to itself.
QByteArray recordingUpdater(const QString& record)
{
    return "#!/bin/sh\necho \"$@\" > '" + record.toUtf8() + "'\n";
}

TEST(Updater, PathAndArguments)
{
    {
        ScopedEnv temp("TEMP", "/tmp/ozel");
        EXPECT_EQ(core::updaterPath(), "/tmp/ozel/PGUNCELLE.EXE");
    }
    {
        ScopedEnv temp("TEMP", QString());
        EXPECT_EQ(core::updaterPath(), QDir::tempPath() + "/PGUNCELLE.EXE");
    }
    EXPECT_EQ(core::updaterArguments("/opt/dorpak"), QStringList({"DRP", "/opt/dorpak/"}));
    EXPECT_EQ(core::updaterArguments("/opt/dorpak/"), QStringList({"DRP", "/opt/dorpak/"}));
    ScopedEnv host("DORPAK_UPDATE_HOST", "127.0.0.1:8080");
    EXPECT_EQ(core::updaterUrl().toString(), "http://127.0.0.1:8080/ftproot/Pguncelle.EXE");
}

TEST(Updater, DownloadSavesTheWholeAnswer)
{
    QTemporaryDir dir;
    QByteArray body(300000, 'u');
    HttpServer server(200, body);
    const QString path = dir.filePath("PGUNCELLE.EXE");
    ASSERT_TRUE(core::downloadFile(
        QUrl("http://" + server.hostAndPort() + "/ftproot/Pguncelle.EXE"), path));
    EXPECT_EQ(server.paths(), QStringList{"/ftproot/Pguncelle.EXE"});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == body);
}

TEST(Updater, AFailedDownloadLeavesNoFile)
{
    QTemporaryDir dir;
    HttpServer server(404, "yok");
    const QString path = dir.filePath("PGUNCELLE.EXE");
    EXPECT_FALSE(core::downloadFile(
        QUrl("http://" + server.hostAndPort() + "/ftproot/Pguncelle.EXE"), path));
    EXPECT_FALSE(QFileInfo::exists(path));

    quint16 freePort = 0;
    {
        HttpServer probe(200, "");
        freePort = probe.port();
    }
    EXPECT_FALSE(
        core::downloadFile(QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(freePort)), path));
    EXPECT_FALSE(QFileInfo::exists(path));
}

class Prgguncelle : public testing::Test {
protected:
    QTemporaryDir m_temp;
    ScopedEnv m_env{"TEMP", m_temp.path()};
    QString m_record = m_temp.filePath("started.txt");
};

TEST_F(Prgguncelle, DecliningChangesNothing)
{
    HttpServer server(200, recordingUpdater(m_record));
    PromptScript prompts;
    prompts.expectQuestion(UpdateQuestion, false);
    EXPECT_FALSE(core::PRGGUNCELLE(
        QUrl("http://" + server.hostAndPort() + "/ftproot/Pguncelle.EXE"), "/opt/dorpak"));
    EXPECT_TRUE(server.paths().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(core::updaterPath()));
}

TEST_F(Prgguncelle, DownloadsMakesExecutableAndStartsTheUpdater)
{
    HttpServer server(200, recordingUpdater(m_record));
    PromptScript prompts;
    prompts.expectQuestion(UpdateQuestion, true);
    EXPECT_TRUE(core::PRGGUNCELLE(QUrl("http://" + server.hostAndPort() + "/ftproot/Pguncelle.EXE"),
                                  "/opt/dorpak"));
    EXPECT_EQ(server.paths().size(), 1);
    EXPECT_TRUE(QFileInfo(core::updaterPath()).isExecutable());
    // The updater runs on its own; wait until it has written its arguments.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(m_record).size() > 0; }, 20000));
    QFile record(m_record);
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    EXPECT_EQ(record.readAll().trimmed(), "DRP /opt/dorpak/");
}

TEST_F(Prgguncelle, AnUpdaterLeftByAnEarlierRunIsStartedWithoutDownload)
{
    QFile left(core::updaterPath());
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write(recordingUpdater(m_record));
    left.close();
    HttpServer server(200, "yeni");
    PromptScript prompts;
    prompts.expectQuestion(UpdateQuestion, true);
    EXPECT_TRUE(core::PRGGUNCELLE(QUrl("http://" + server.hostAndPort() + "/ftproot/Pguncelle.EXE"),
                                  "/opt/dorpak"));
    EXPECT_TRUE(server.paths().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(m_record).size() > 0; }, 20000));
}

TEST_F(Prgguncelle, AFailedDownloadStopsSilently)
{
    HttpServer server(404, "yok");
    PromptScript prompts;
    prompts.expectQuestion(UpdateQuestion, true);
    EXPECT_FALSE(core::PRGGUNCELLE(
        QUrl("http://" + server.hostAndPort() + "/ftproot/Pguncelle.EXE"), "/opt/dorpak"));
    EXPECT_FALSE(QFileInfo::exists(core::updaterPath()));
}

} // namespace
