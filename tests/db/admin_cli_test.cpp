// dorpak-admin as the administrator runs it: exit status, messages on
// standard error with the file, and nothing left behind when it fails.

#include "access/sifrele.h"
#include "support/testdb.h"
#include "tools/demodata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun admin(const QStringList& args, const QByteArray& input = {})
{
    QProcess p;
    p.start(QStringLiteral(DORPAK_ADMIN), args);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000))
        ADD_FAILURE() << "dorpak-admin did not finish: " << args.join(' ').toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

TEST(AdminTool, EveryCommandAnswersHelp)
{
    for (const char* command : {"create", "import-sdp", "index", "new-year", "backup", "restore",
                                "check", "reset-password", "login-required"}) {
        const ToolRun r = admin({QLatin1String(command), QStringLiteral("--help")});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(
            r.out.startsWith(QStringLiteral("Usage: dorpak-admin %1 ").arg(QLatin1String(command))))
            << r.out.toStdString();
    }
    EXPECT_EQ(admin({QStringLiteral("--help")}).status, 0);
    EXPECT_EQ(admin({}).status, 2);
    EXPECT_EQ(admin({QStringLiteral("yok-boyle")}).status, 2);
}

TEST(AdminTool, AFailureNamesTheFileAndLeavesNothingBehind)
{
    TempDatabase t;
    t.database().close();
    const QString dir = t.folder();
    const QString file = t.path();
    const QString missing = dir + QStringLiteral("/DORPAK1999.GDB");
    const QString made = dir + QStringLiteral("/DORPAK2030.GDB");
    const QString backup = dir + QStringLiteral("/yedek.fbk");
    const QString down = QStringLiteral("127.0.0.1/1:") + file; // nothing listens on port 1
    QFile::copy(QStringLiteral(DORPAK_ADMIN), dir + QStringLiteral("/not-a-backup.fbk"));
    const QString junk = dir + QStringLiteral("/not-a-backup.fbk");
    ASSERT_EQ(admin({QStringLiteral("backup"), file, backup}).status, 0);

    struct Case {
        QStringList args;
        int status;
        QString named;   // the file the message names
        QString leftOut; // must not exist afterwards
    };
    const Case cases[] = {
        {{"new-year", missing, made}, 1, missing, made},
        {{"new-year", down, made}, 1, down, made},
        {{"new-year", file, file}, 1, file, {}},
        {{"new-year", file, dir + "/yok/DORPAK2030.GDB"}, 1, dir + "/yok/DORPAK2030.GDB", {}},
        {{"new-year", file}, 2, {}, {}},
        {{"backup", missing, dir + "/b.fbk"}, 1, missing, dir + "/b.fbk"},
        {{"backup", down, dir + "/b.fbk"}, 1, down, dir + "/b.fbk"},
        {{"backup", file, backup}, 1, backup, {}},
        {{"backup", file, dir + "/yok/b.fbk"}, 1, dir + "/yok/b.fbk", {}},
        {{"restore", dir + "/yok.fbk", made}, 1, dir + "/yok.fbk", made},
        {{"restore", backup, file}, 1, file, {}},
        {{"restore", junk, made}, 1, made, made},
        {{"restore", backup, "127.0.0.1/1:" + made}, 1, "127.0.0.1/1:" + made, made},
        {{"check", missing}, 1, missing, missing},
        {{"check", down}, 1, down, {}},
        {{"create", file}, 1, file, {}},
        {{"reset-password", missing, "VELOR"}, 1, missing, missing},
        {{"reset-password", file, "velor"}, 1, file, {}},
        {{"login-required", down, "on"}, 1, down, {}},
        {{"login-required", file, "evet"}, 2, {}, {}},
    };
    for (const Case& c : cases) {
        const ToolRun r = admin(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.status, c.status) << what << "\n" << r.err.toStdString();
        if (!c.named.isEmpty()) {
            EXPECT_TRUE(r.err.contains(QStringLiteral("dorpak-admin: ") + c.named))
                << what << "\n"
                << r.err.toStdString();
        }
        if (!c.leftOut.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(c.leftOut)) << what;
        }
        EXPECT_TRUE(r.out.isEmpty()) << what << "\n" << r.out.toStdString();
    }
    // No piece of an unfinished backup either.
    EXPECT_EQ(QDir(dir).entryList({QStringLiteral("*.part")}, QDir::Files), QStringList());
}

TEST(AdminTool, ResetPasswordAsksTwiceAndRefusesWhatCannotBeTypedAgain)
{
    TempDatabase t;
    const QString stored = QStringLiteral("SELECT PSSWD FROM USERS WHERE USR='VELOR'");
    const QString before = t.scalar(stored);
    t.database().close();
    const QStringList args = {QStringLiteral("reset-password"), t.path(), QStringLiteral("VELOR")};
    struct Case {
        QByteArray typed;
        const char* refusal;
    };
    const Case refused[] = {
        {"abc\nabd\n", "differ"},
        {"\n\n", "empty"},
        {"abcdef\nabcdef\n", "at most 5"},
        {"\xc3\xbe\n\xc3\xbe\n", "does not come back"}, // a letter Windows-1254 lacks
        {"abc", "no password"},
    };
    for (const Case& c : refused) {
        const ToolRun r = admin(args, c.typed);
        EXPECT_EQ(r.status, 1) << c.refusal;
        EXPECT_TRUE(r.err.contains(QLatin1String(c.refusal))) << r.err.toStdString();
    }
    t.database().open(t.path());
    EXPECT_EQ(t.scalar(stored), before);
    t.database().close();

    const ToolRun r = admin(args, "Ça12\nÇa12\n");
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    t.database().open(t.path());
    EXPECT_EQ(SIFRELE(QStringLiteral("2"), t.scalar(stored)), QStringLiteral("Ça12"));
}

TEST(AdminTool, LoginRequiredSwitchesTheFlagOfEveryWorkstation)
{
    TempDatabase t;
    t.database().close();
    const QString flag = QStringLiteral("SELECT UDUR FROM TANIM");
    EXPECT_EQ(admin({QStringLiteral("login-required"), t.path(), QStringLiteral("on")}).status, 0);
    t.database().open(t.path());
    EXPECT_EQ(t.scalar(flag), "1");
    t.exec(QStringLiteral("DELETE FROM USERS"));
    t.database().close();
    EXPECT_EQ(admin({QStringLiteral("login-required"), t.path(), QStringLiteral("off")}).status, 0);
    // No one could log in to a file without users.
    const ToolRun r = admin({QStringLiteral("login-required"), t.path(), QStringLiteral("on")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("no users"))) << r.err.toStdString();
    t.database().open(t.path());
    EXPECT_EQ(t.scalar(flag), "0");
}

TEST(AdminTool, CheckTellsADamagedFileByItsExitStatus)
{
    TempDatabase t;
    tools::fillDemoData(t.database(), 2026);
    t.database().close();
    ToolRun r = admin({QStringLiteral("check"), t.path()});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("no errors"))) << r.out.toStdString();
    // Spoil the file's header page: it cannot even be opened.
    QFile f(t.path());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.write(QByteArray(1024, 'z'));
    f.close();
    r = admin({QStringLiteral("check"), t.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("dorpak-admin: ") + t.path())) << r.err.toStdString();
}

} // namespace
