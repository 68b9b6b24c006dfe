#include "sandbox.h"

#include "core/clock.h"
#include "core/errorlog.h"
#include "core/settings.h"
#include "core/systemsettings.h"
#include "db/query.h"
#include "support/testdb.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using coretest::SettingsSandbox;
using testsupport::TempDatabase;

namespace {

TEST(Degerbul, BuildsTheFileNameAndTheFullText)
{
    core::DatabaseTexts t = core::DEGERBUL({"", "/srv/DATA/DORPAK", "2022"});
    EXPECT_EQ(t.fileName, "DORPAK2022.GDB");
    EXPECT_EQ(t.fullText, "/srv/DATA/DORPAK/DORPAK2022.GDB");
    t = core::DEGERBUL({"SUNUCU", "/data", "2022"});
    EXPECT_EQ(t.fileName, "DORPAK2022.GDB");
    EXPECT_EQ(t.fullText, "SUNUCU:/data/DORPAK2022.GDB");
}

TEST(SystemFieldsBrowse, AChosenFileGivesFolderAndYear)
{
    const core::SystemFields f = core::SystemSettings::takeChosenFile({"SUNUCU", "/eski", "2026"},
                                                                      "/arsiv/yil/DORPAK2019.GDB");
    EXPECT_EQ(f.host, "SUNUCU");
    EXPECT_EQ(f.folder, "/arsiv/yil");
    EXPECT_EQ(f.year, "2019");
    EXPECT_EQ(core::DEGERBUL(f).fileName, "DORPAK2019.GDB");
}

TEST(StoredFolder, AHostIsKeptInFrontOfTheFolder)
{
    struct Case {
        const char* yol;
        const char* host;
        const char* folder;
    } cases[] = {
        {"sunucu:/srv/dorpak", "sunucu", "/srv/dorpak"},
        {"127.0.0.1/3051:/tmp/x", "127.0.0.1/3051", "/tmp/x"},
        {"/srv/dorpak", "", "/srv/dorpak"},
        {"C:\\DATA\\DORPAK", "", "C:\\DATA\\DORPAK"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        QString host, folder;
        core::splitStoredFolder(QString::fromLatin1(c.yol), host, folder);
        EXPECT_EQ(host, c.host) << c.yol;
        EXPECT_EQ(folder, c.folder) << c.yol;
        EXPECT_EQ(core::storedFolder(host, folder), c.yol);
    }
}

class SystemSettingsTest : public testing::Test {
protected:
    SystemSettingsTest() { core::Clock::install(&m_clock); }
    ~SystemSettingsTest() override { core::Clock::install(nullptr); }

    core::FixedClock m_clock{QDateTime(QDate(2026, 12, 9), QTime(10, 0))};
    SettingsSandbox m_sandbox;
    core::TDM m_dm;
    core::AppContext m_ctx;
    core::SystemSettings m_settings{m_dm, m_ctx};
};

TEST_F(SystemSettingsTest, OpeningReadsTheYearAgainAndSplitsAStoredHost)
{
    m_sandbox.store("YIL", "20271");
    m_sandbox.store("YOL", "/srv/dorpak");
    m_ctx.WorkingYear = "2030"; // changed in memory during the run
    core::SystemFields f = m_settings.load("ESKI");
    EXPECT_EQ(m_ctx.WorkingYear, "2027");
    EXPECT_EQ(f.year, "2027");
    EXPECT_EQ(f.folder, "/srv/dorpak");
    EXPECT_EQ(f.host, "ESKI"); // a local folder keeps what the field had

    m_sandbox.store("YOL", "sunucu:/srv/dorpak");
    f = m_settings.load("ESKI");
    EXPECT_EQ(f.host, "sunucu");
    EXPECT_EQ(f.folder, "/srv/dorpak");
}

TEST_F(SystemSettingsTest, DefaultsAreThisYearAndTheProgramsDataFolder)
{
    const core::SystemFields f = core::SystemSettings::defaults({"SUNUCU", "/x", "1999"});
    EXPECT_EQ(f.host, "SUNUCU");
    EXPECT_EQ(f.year, "2026");
    EXPECT_EQ(f.folder, QDir::toNativeSeparators(QDir::currentPath() + "/DATA/DORPAK"));
}

QString logText()
{
    QFile f(core::errorLogPath());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST_F(SystemSettingsTest, TestAttachesToTheFileAndSaysWhatItFound)
{
    TempDatabase file;
    const QString started = QStringLiteral("Test işlemi başladı.....");
    const QStringList found{started, "Dosya Adı Doğrulandı.....", ".",
                            "Veritabanı Yolu Doğrulandı.....", "."};
    const QString failed = core::OpenFailedLine;
    EXPECT_EQ(m_settings.test({"", file.folder(), "2026"}).lines,
              found + QStringList({"Veritabanı Açıldı, Versiyon 12.003.....",
                                   "Veritabanı Versiyonu Uygun....."}));
    EXPECT_EQ(
        m_settings.test({"", file.folder(), "2025"}).lines,
        QStringList({started, "!!!!!!Dosya Adı Bulunamadı.....", "Veritabanı Yolu Doğrulandı.....",
                     ".", failed + "Veritabanı dosyası bulunamadı."}));
    EXPECT_EQ(m_settings.test({"", file.folder() + "/yok", "2026"}).lines,
              QStringList({started, "!!!!!!Dosya Adı Bulunamadı.....",
                           "!!!!!!Veritabanı Yolu Bulunamadı.....",
                           failed + "Veritabanı yolu bulunamadı."}));
    // Nothing listens on port 1: the server cannot be asked.
    const core::SystemSettings::FileCheck unanswered =
        m_settings.test({"127.0.0.1/1", file.folder(), "2026"});
    EXPECT_EQ(unanswered.lines,
              QStringList({started, failed + "Veritabanı sunucusuna ulaşılamıyor."}));
    EXPECT_FALSE(unanswered.opened);
    EXPECT_EQ(unanswered.kind, db::DbOpenError::Kind::ServerUnreachable);

    // The schema version the file holds.
    const struct {
        const char* ver;
        const char* line;
    } versions[] = {
        {"12.001", "Veritabanı Açılışta Güncellenecek....."},
        {"10.001", "!!!!!!Veritabanı Versiyonu Eski Olduğundan Çalışamazsınız....."},
        {"13.000", "!!!!!!Program Versiyonu Eski Olduğundan Çalışamazsınız....."},
    };
    for (const auto& v : versions) {
        file.exec("UPDATE TANIM SET VER=:V", {v.ver});
        file.database().commit();
        EXPECT_EQ(m_settings.test({"", file.folder(), "2026"}).lines,
                  found +
                      QStringList({QStringLiteral("Veritabanı Açıldı, Versiyon %1.....").arg(v.ver),
                                   QString::fromUtf8(v.line)}));
    }

    // A file at the year's name that does not open says why; the log
    // keeps each failure with the engine's words.
    using testsupport::BadFile;
    const struct {
        BadFile bad;
        const char* reason;
    } bad[] = {
        {BadFile::Text, "Dosya bir DORPAK veritabanı dosyası değil."},
        {BadFile::DamagedPages,
         "Veritabanı dosyası bozuk. Sistem yöneticinize haber verin; dosya "
         "\"dorpak-admin check\" ile denetlenip yedekten geri yüklenebilir."},
        {BadFile::OldEngine,
         "Veritabanı dosyası, programın yükseltebileceğinden daha eski bir sürümle yapılmış."},
    };
    for (const auto& b : bad) {
        QTemporaryDir folder;
        testsupport::makeBadFile(folder.filePath("DORPAK2026.GDB"), b.bad);
        EXPECT_EQ(m_settings.test({"", folder.path(), "2026"}).lines,
                  found + QStringList(failed + QString::fromUtf8(b.reason)));
        EXPECT_TRUE(logText().contains(QString::fromUtf8(b.reason) + "\n    Ayrıntılar:\n      "))
            << b.reason;
    }
    EXPECT_TRUE(logText().contains("Veritabanı dosyası bulunamadı."));
}

TEST_F(SystemSettingsTest, SaveRefusesWhatCannotBeOpenedAndStoresNothing)
{
    TempDatabase file;
    m_sandbox.store("YIL", "2026");
    m_sandbox.store("YOL", "/eski/yol");
    struct Case {
        core::SystemFields fields;
        QString message;
    } cases[] = {
        {{"", file.folder() + "/yok", "2026"}, core::FolderMissingMessage},
        {{"", "", "2026"}, core::FolderMissingMessage},
        {{"", file.folder(), "2025"}, core::FileMissingMessage},
        {{"SUNUCU", "C:\\DATA", "2022"}, core::FileMissingMessage},
        {{"127.0.0.1/1", file.folder(), "2026"}, core::FileMissingMessage},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_settings.save(c.fields), c.message) << c.fields.folder.toStdString();
        EXPECT_EQ(m_sandbox.value("YIL").toString(), "2026");
        EXPECT_EQ(m_sandbox.value("YOL").toString(), "/eski/yol");
        EXPECT_FALSE(m_dm.IBDATABASE.isOpen());
    }
}

TEST_F(SystemSettingsTest, SaveStoresAndOpensTheFileJustSaved)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET KURUM='KARAÇAY BELEDİYESİ', UDUR='1'");
    file.database().commit();
    m_ctx.DbOpenFailed = true;
    m_ctx.WorkingYear = "2020";

    EXPECT_EQ(m_settings.save({"", file.folder(), "2026"}), "");
    EXPECT_EQ(m_sandbox.value("YIL").toString(), "2026");
    EXPECT_EQ(m_sandbox.value("YOL").toString(), file.folder());
    EXPECT_TRUE(m_dm.IBDATABASE.isOpen());
    EXPECT_EQ(m_dm.IBDATABASE.name(), file.path());
    EXPECT_FALSE(m_ctx.DbOpenFailed);
    EXPECT_EQ(m_ctx.WorkingYear, "2026");
    EXPECT_EQ(m_ctx.DataFolder, file.folder());
    EXPECT_EQ(m_ctx.InstitutionName, "KARAÇAY BELEDİYESİ");
    EXPECT_EQ(m_ctx.LoginRequired, "1");
}

TEST_F(SystemSettingsTest, AFileOnADatabaseServerIsSavedAsHostAndFolder)
{
    TempDatabase file;
    file.database().close(); // the embedded engine would hold the file for itself
    const QString host = testsupport::testServer();

    EXPECT_EQ(m_settings.test({host, file.folder(), "2026"}).lines,
              QStringList({"Test işlemi başladı.....", "Dosya Adı Doğrulandı.....", ".",
                           "Veritabanı Yolu Doğrulandı.....", ".",
                           "Veritabanı Açıldı, Versiyon 12.003.....",
                           "Veritabanı Versiyonu Uygun....."}));
    EXPECT_EQ(m_settings.test({host, file.folder(), "2025"}).lines,
              QStringList({"Test işlemi başladı.....", "!!!!!!Dosya Adı Bulunamadı.....",
                           core::OpenFailedLine + "Veritabanı dosyası bulunamadı."}));
    EXPECT_EQ(m_settings.save({host, file.folder(), "2026"}), "");
    EXPECT_EQ(m_sandbox.value("YOL").toString(), host + ":" + file.folder());
    EXPECT_EQ(m_dm.IBDATABASE.name(), host + ":" + file.path());

    // The next opening of the screen shows the two fields again.
    const core::SystemFields f = m_settings.load("");
    EXPECT_EQ(f.host, host);
    EXPECT_EQ(f.folder, file.folder());
    m_dm.IBDATABASE.close();
}

TEST_F(SystemSettingsTest, TheNewYearIsOfferedOnlyWhenTheYearBeforeHasTheOnlyFile)
{
    TempDatabase before(db::SchemaVersion::Current, "DORPAK2025.GDB");
    before.exec("INSERT INTO ECINS (EKOD,ECINS) VALUES(1,'Genelge')");
    before.database().commit();
    const QString folder = before.folder();
    // The new file is made only from one at the program's schema version;
    // nothing is made or stored otherwise.
    const struct {
        const char* ver;
        QString refusal;
    } versions[] = {
        {"12.001", core::NewYearSourceOldMessage},
        {"10.001", core::NewYearSourceTooOldMessage},
        {"13.000", core::NewYearSourceNewerMessage},
    };
    for (const auto& v : versions) {
        before.exec("UPDATE TANIM SET VER=:V", {v.ver});
        before.database().commit();
        EXPECT_EQ(m_settings.createNewYear({"", folder, "2026"}), v.refusal) << v.ver;
        EXPECT_FALSE(QFileInfo::exists(folder + "/DORPAK2026.GDB")) << v.ver;
        EXPECT_FALSE(m_sandbox.value("YIL").isValid()) << v.ver;
    }
    before.exec("UPDATE TANIM SET VER='12.003'");
    before.database().close();
    // A year whose file is there is not made again.
    EXPECT_EQ(m_settings.createNewYear({"", folder, "2025"}), core::NewYearFileExistsMessage);

    struct Case {
        QString year;
        bool offered;
    } cases[] = {{"2026", true}, {"2025", false}, {"2024", false}, {"20x6", false}, {"", false}};
    for (const Case& c : cases)
        EXPECT_EQ(m_settings.newYearSource({"", folder, c.year}).isEmpty(), !c.offered)
            << c.year.toStdString();
    EXPECT_EQ(m_settings.newYearSource({"", folder, "2026"}), before.path());
    // A server is asked for both files.
    const QString host = testsupport::testServer();
    EXPECT_EQ(m_settings.newYearSource({host, folder, "2026"}), host + ":" + before.path());
    EXPECT_EQ(m_settings.newYearSource({"127.0.0.1/1", folder, "2026"}), "");
    // After "Test Et" only the year before is asked for, and only when the
    // year's own file was found missing.
    const core::SystemFields remote{host, folder, "2026"};
    const core::SystemSettings::FileCheck missing = m_settings.test(remote);
    EXPECT_EQ(missing.kind, db::DbOpenError::Kind::FileMissing);
    EXPECT_EQ(m_settings.newYearSource(remote, missing), host + ":" + before.path());
    for (const auto kind :
         {db::DbOpenError::Kind::ServerUnreachable, db::DbOpenError::Kind::LoginRefused}) {
        core::SystemSettings::FileCheck unanswered;
        unanswered.kind = kind;
        EXPECT_EQ(m_settings.newYearSource(remote, unanswered), "");
    }
    core::SystemSettings::FileCheck opened;
    opened.opened = true;
    EXPECT_EQ(m_settings.newYearSource({"", folder, "2026"}, opened), "");

    EXPECT_EQ(m_settings.createNewYear({"", folder, "2026"}), "");
    EXPECT_EQ(m_dm.IBDATABASE.name(), folder + "/DORPAK2026.GDB");
    EXPECT_EQ(m_ctx.WorkingYear, "2026");
    EXPECT_EQ(m_sandbox.value("YIL").toString(), "2026");
    db::Query q(m_dm.IBDATABASE);
    q.openLines({"SELECT ECINS FROM ECINS"});
    EXPECT_EQ(q.field("ECINS").toString(), "Genelge");
    EXPECT_EQ(m_settings.newYearSource({"", folder, "2026"}), ""); // made now
    m_dm.IBDATABASE.close();
}

TEST(DefaultDataFolder, AnInstalledProgramKeepsItsFilesInTheXdgDataFolder)
{
    const QString xdg = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_EQ(core::defaultDataFolderFor("/usr/bin"), xdg + "/dorpak");
    EXPECT_EQ(core::defaultDataFolderFor("/tmp/kok/usr/bin"), xdg + "/dorpak");
    // Started from its build folder, as ./run.sh and the tests start it.
    EXPECT_EQ(core::defaultDataFolderFor(QCoreApplication::applicationDirPath()),
              QDir::currentPath() + "/DATA/DORPAK");
    EXPECT_EQ(core::defaultDataFolder(), QDir::currentPath() + "/DATA/DORPAK");
}

} // namespace
