#include "sandbox.h"

#include "core/clock.h"
#include "core/errorlog.h"
#include "core/settings.h"
#include "core/singleinstance.h"
#include "core/startup.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using coretest::SettingsSandbox;
using testsupport::TempDatabase;

namespace {

// 9 December 2026, a Wednesday.
const QDateTime Today(QDate(2026, 12, 9), QTime(14, 5, 30));

class ClockFixture : public testing::Test {
protected:
    ClockFixture() { core::Clock::install(&m_clock); }
    ~ClockFixture() override { core::Clock::install(nullptr); }
    core::FixedClock m_clock{Today};
};

using Ibaseac = ClockFixture;

TEST_F(Ibaseac, FirstStartWithoutSettingsStoresBothKeysEvenWhenTheDatabaseFails)
{
    SettingsSandbox sandbox;
    core::TDM dm;
    core::AppContext ctx;
    EXPECT_FALSE(core::IBASEAC(dm, ctx));

    const QString folder = QDir::toNativeSeparators(QDir::currentPath() + "/DATA/DORPAK");
    EXPECT_TRUE(ctx.DbOpenFailed);
    EXPECT_EQ(ctx.WorkingYear, "2026");
    EXPECT_EQ(ctx.DataFolder, folder);
    EXPECT_EQ(sandbox.value("YIL").toString(), "2026");
    EXPECT_EQ(sandbox.value("YOL").toString(), folder);
    EXPECT_FALSE(sandbox.value("BFORM").isValid());
    EXPECT_EQ(ctx.ThemeFormColor, "0"); // no TANIM read: black
    EXPECT_FALSE(dm.IBDATABASE.isOpen());
}

TEST_F(Ibaseac, AFileThatDoesNotOpenIsNamedAsSuchAndLogged)
{
    SettingsSandbox sandbox;
    QTemporaryDir folder;
    testsupport::makeBadFile(folder.filePath("DORPAK2026.GDB"), testsupport::BadFile::CutShort);
    sandbox.store("YIL", "2026");
    sandbox.store("YOL", folder.path());
    core::TDM dm;
    core::AppContext ctx;
    EXPECT_FALSE(core::IBASEAC(dm, ctx));
    EXPECT_TRUE(ctx.DbOpenFailed);
    EXPECT_EQ(ctx.DbOpenReason,
              "Veritabanı dosyası bozuk. Sistem yöneticinize haber verin; dosya "
              "\"dorpak-admin check\" ile denetlenip yedekten geri yüklenebilir.");
    QFile log(core::errorLogPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.contains("2026-12-09 14:05:30"));
    EXPECT_TRUE(text.contains("yedekten geri yüklenebilir.\n    Ayrıntılar:\n      "));
    EXPECT_TRUE(text.contains(folder.filePath("DORPAK2026.GDB"))); // the engine's words name it
}

TEST_F(Ibaseac, OpensTheYearOfTheSettingsCutToFourCharacters)
{
    SettingsSandbox sandbox;
    TempDatabase file; // DORPAK2026.GDB
    file.exec("UPDATE TANIM SET KURUM='KARAÇAY BELEDİYESİ', UDUR='1', RNK='M'");
    file.database().commit();
    sandbox.store("YIL", "20261");
    sandbox.store("YOL", file.folder());
    sandbox.store("BFORM", "12");

    core::TDM dm;
    core::AppContext ctx;
    EXPECT_TRUE(core::IBASEAC(dm, ctx));
    EXPECT_FALSE(ctx.DbOpenFailed);
    EXPECT_EQ(dm.IBDATABASE.name(), core::databaseFileName(file.folder(), "2026"));
    EXPECT_EQ(ctx.WorkingYear, "2026");
    EXPECT_EQ(ctx.WindowStateSetting, "1");
    EXPECT_EQ(sandbox.value("YIL").toString(), "2026");
    EXPECT_EQ(sandbox.value("YOL").toString(), file.folder());
    // TANIMOKU ran.
    EXPECT_EQ(ctx.InstitutionName, "KARAÇAY BELEDİYESİ");
    EXPECT_EQ(ctx.LoginRequired, "1");
    EXPECT_EQ(ctx.ThemeFormColor, "$00A00000");
}

TEST(DatabaseFileName, FolderAndYearMakeTheFileName)
{
    EXPECT_EQ(core::databaseFileName("/srv/dorpak", "2022"), "/srv/dorpak/DORPAK2022.GDB");
    EXPECT_EQ(core::databaseFileName("sunucu:/srv/dorpak", "2022"),
              "sunucu:/srv/dorpak/DORPAK2022.GDB");
    EXPECT_EQ(core::bareDatabaseFileName("2019"), "DORPAK2019.GDB");
}

struct ThemeCase {
    const char* rnk;
    const char* form;
    const char* panel;
};

class Tanimoku : public testing::TestWithParam<ThemeCase> {};

TEST_P(Tanimoku, ThemeColoursFollowRnk)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET RNK=:R", {QString::fromLatin1(GetParam().rnk)});
    core::AppContext ctx;
    core::TANIMOKU(file.dm(), ctx);
    EXPECT_EQ(ctx.ThemeFormColor, GetParam().form);
    EXPECT_EQ(ctx.ThemePanelColor, GetParam().panel);
}

INSTANTIATE_TEST_SUITE_P(Rnk, Tanimoku,
                         testing::Values(ThemeCase{"Y", "$00807900", "$00BBDC01"},
                                         ThemeCase{"M", "$00A00000", "$00F5A90A"},
                                         ThemeCase{"T", "$000080FF", "$00A4CBF7"},
                                         ThemeCase{"", "$00807900", "$00BBDC01"},
                                         ThemeCase{"m", "$00807900", "$00BBDC01"},
                                         ThemeCase{"X", "$00807900", "$00BBDC01"}));

TEST(TanimokuRow, ReadsTheDefinitionsAndTheUsersDepartment)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET KURUM=:K, UDUR='E', ONIZ='H', IZL='E', EMAIL='x@y'",
              {QStringLiteral("ÇANKIRI İL ÖZEL İDARESİ")});
    file.exec("INSERT INTO BIRIM (BKOD,BIRIM) VALUES (7, :B)",
              {QStringLiteral("Fen İşleri Müdürlüğü")});
    core::AppContext ctx;
    core::TANIMOKU(file.dm(), ctx);
    EXPECT_EQ(ctx.InstitutionName, "ÇANKIRI İL ÖZEL İDARESİ");
    EXPECT_EQ(ctx.LoginRequired, "E");
    EXPECT_EQ(ctx.PreviewBeforePrint, "H");
    EXPECT_EQ(ctx.UserDeptName, ""); // bound to no department

    ctx.UserDeptCode = 7;
    core::TANIMOKU(file.dm(), ctx);
    EXPECT_EQ(ctx.UserDeptName, "Fen İşleri Müdürlüğü");
}

struct DateCase {
    QDate today;
    const char* text;
    const char* label;
    const char* weekday;
};

class Tarihbul : public testing::TestWithParam<DateCase> {};

TEST_P(Tarihbul, GivesTheTurkishDateAndTodaysWeekday)
{
    core::FixedClock clock(QDateTime(GetParam().today, QTime(9, 0)));
    core::Clock::install(&clock);
    const core::DateParts parts = core::TARIHBUL(QString::fromLatin1(GetParam().text));
    core::Clock::install(nullptr);
    EXPECT_EQ(core::dateLabelText(parts), QString::fromUtf8(GetParam().label));
    EXPECT_EQ(parts.weekdayName, QString::fromUtf8(GetParam().weekday));
}

INSTANTIATE_TEST_SUITE_P(
    Days, Tarihbul,
    testing::Values(DateCase{QDate(2024, 3, 5), "05.03.2024", "5-MART(3)-2024", "SALI"},
                    DateCase{QDate(2026, 12, 9), "09.12.2026", "9-ARALIK(12)-2026", "ÇARŞAMBA"},
                    DateCase{QDate(2026, 12, 6), "06.12.2026", "6-ARALIK(12)-2026", "PAZAR"},
                    DateCase{QDate(2026, 12, 7), "17.02.2025", "17-ŞUBAT(2)-2025", "PAZARTESİ"},
                    DateCase{QDate(2026, 12, 10), "01.04.2026", "1-NİSAN(4)-2026", "PERŞEMBE"},
                    DateCase{QDate(2026, 12, 11), "31.08.2026", "31-AĞUSTOS(8)-2026", "CUMA"},
                    DateCase{QDate(2026, 12, 12), "30.06.2026", "30-HAZİRAN(6)-2026", "CUMARTESİ"},
                    DateCase{QDate(2026, 12, 8), "15.09.2026", "15-EYLÜL(9)-2026", "SALI"}));

TEST(TarihbulText, RefusesWhatIsNoDate)
{
    EXPECT_THROW(core::TARIHBUL("32.01.2024"), std::invalid_argument);
    EXPECT_THROW(core::TARIHBUL("  .  .    "), std::invalid_argument);
}

TEST(ClockText, HoursAndMinutes)
{
    core::FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(7, 3, 59)));
    core::Clock::install(&clock);
    EXPECT_EQ(core::clockText(), "07:03");
    core::Clock::install(nullptr);
}

TEST(SingleInstance, ASecondCopyIsRefusedWhileTheFirstRuns)
{
    QTemporaryDir runtime;
    auto first = std::make_unique<core::SingleInstance>(runtime.path());
    ASSERT_TRUE(first->acquire());
    core::SingleInstance second(runtime.path());
    EXPECT_FALSE(second.acquire());
    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST(SingleInstance, ALockLeftByACrashedCopyDoesNotBlock)
{
    QTemporaryDir runtime;
    const QString path = runtime.filePath("DORPAK.EXE.lock");
    QByteArray content;
    {
        QLockFile lock(path);
        ASSERT_TRUE(lock.tryLock(0));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    // The same lock, as a process that is gone left it.
    QProcess gone;
    gone.start("true", {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    QList<QByteArray> lines = content.split('\n');
    lines[0] = QByteArray::number(deadPid);
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(lines.join('\n'));
    stale.close();

    core::SingleInstance next(runtime.path());
    EXPECT_TRUE(next.acquire());
}

} // namespace
