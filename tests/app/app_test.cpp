#include "../core/sandbox.h"

#include "access/sifrele.h"
#include "access/tfrmuserstan.h"
#include "app/application.h"
#include "app/program.h"
#include "app/tfrmmenu.h"
#include "app/tfrmsystem.h"
#include "app/tfrmverbilgi.h"
#include "core/clock.h"
#include "core/errorlog.h"
#include "core/errors.h"
#include "core/singleinstance.h"
#include "core/systemsettings.h"
#include "db/query.h"
#include "support/promptscript.h"
#include "support/testdb.h"
#include "widgets/colors.h"
#include "widgets/datagrid.h"

#include <QComboBox>
#include <QProcess>
#include <QSettings>
#include <QTimer>
#include <QWindow>

#include <csignal>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

using coretest::HttpServer;
using coretest::LineServer;
using coretest::ScopedEnv;
using coretest::SettingsSandbox;
using testsupport::PromptScript;
using testsupport::TempDatabase;

namespace {

const QString Failure = QStringLiteral("BİR HATA OLUŞTU:");

template <typename W = QWidget> W* child(QWidget& parent, const char* name)
{
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    if (!w)
        ADD_FAILURE() << "no widget " << name << " in " << parent.objectName().toStdString();
    return w;
}

QString text(QWidget& parent, const char* label)
{
    QLabel* l = child<QLabel>(parent, label);
    return l ? l->text() : QString();
}

// The program as it starts on this workstation: private settings, a private
// lock folder, today fixed at 9 December 2026 14:05, and an end that the
// test counts instead of leaving the event loop.
class ProgramTest : public testing::Test {
protected:
    ProgramTest() { core::Clock::install(&m_clock); }
    ~ProgramTest() override
    {
        m_program.reset();
        core::Clock::install(nullptr);
    }

    // The settings pointing at the folder of a yearly file.
    void pointAt(const QString& folder, const QString& year = QStringLiteral("2026"))
    {
        m_sandbox.store("YIL", year);
        m_sandbox.store("YOL", folder);
    }

    // Builds the program and shows its main window; the activation sequence
    // has run when this returns (unless the program ended while building).
    TFRMMENU& start()
    {
        m_program = std::make_unique<app::Program>(
            app::ProgramOptions{m_lockFolder.path(), [this] { ++m_quits; }, false});
        if (!m_program->build())
            return m_program->mainWindow();
        m_program->show();
        TFRMMENU& window = m_program->mainWindow();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.activationRan(); }, 10000));
        return window;
    }

    // Runs one whole start and leaves the program as the next start finds
    // it.
    void startAndQuit()
    {
        start();
        m_program.reset();
    }

    void triggerProgramSonu()
    {
        QAction* end = m_program->mainWindow().findChild<QAction*>("mnuProgramSonu");
        ASSERT_TRUE(end);
        end->trigger();
    }

    core::FixedClock m_clock{QDateTime(QDate(2026, 12, 9), QTime(14, 5, 30))};
    SettingsSandbox m_sandbox;
    QTemporaryDir m_lockFolder;
    int m_quits = 0;
    std::unique_ptr<app::Program> m_program;
};

// Function keys reach the window that has the focus, as the clerk's.
void focus(QWidget& window)
{
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

void logIn(QDialog& login, const QString& name, const QString& password)
{
    child<QLineEdit>(login, "edtAdi")->setText(name);
    child<QLineEdit>(login, "edtSifresi")->setText(password);
    child<QPushButton>(login, "btnTamam")->click();
}

TEST_F(ProgramTest, ShowsTheRunOnTheMainWindow)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET KURUM=:K", {QStringLiteral("KARAÇAY BELEDİYE BAŞKANLIĞI")});
    file.database().commit();
    pointAt(file.folder());
    PromptScript prompts;
    TFRMMENU& w = start();

    EXPECT_EQ(w.windowTitle(), "Velor Yazılım - Belediye Otomasyonu");
    EXPECT_EQ(text(w, "LKURUM"), "KARAÇAY BELEDİYE BAŞKANLIĞI");
    EXPECT_EQ(text(w, "LVER"), "22.001");
    EXPECT_EQ(text(w, "LBLTARIH"), "9-ARALIK(12)-2026");
    EXPECT_EQ(text(w, "LBLGUN"), "ÇARŞAMBA");
    EXPECT_EQ(text(w, "STSAAT"), "14:05");
    EXPECT_EQ(text(w, "LBLYIL"), "2026");
    EXPECT_EQ(text(w, "LUSR"), "VELOR");
    EXPECT_EQ(text(w, "LUSRACK"), "Dodidozur");
    EXPECT_EQ(text(w, "LBRM"), "");
    EXPECT_EQ(text(w, "lblBaslik"), "GELEN / GİDEN EVRAK PROGRAMI");
    EXPECT_EQ(m_quits, 0);

    // Every entry with its caption; no login: all visible but the one that
    // never is; the entries whose screens exist are live, the others
    // disabled.
    const QStringList live = {"Gelen Evrak",
                              "Giden Evrak",
                              "Dilekçe",
                              "Evrak Ara",
                              "Genel Liste",
                              "Gelen Yazılar Listesi",
                              "Giden Yazılar Listesi",
                              "Dilekçeler Listesi",
                              "Genel Tanımlar",
                              "Kullanıcı Tanımları",
                              "Birim Tanımları",
                              "Kurum Tanımları",
                              "Evrak Cinsi Tanımları",
                              "Şifre Değiş",
                              "Evrak Şablonu"};
    QStringList shown;
    for (QAction* top : w.menuBar()->actions()) {
        if (!top->isVisible())
            continue;
        shown << top->text();
        if (QMenu* menu = top->menu())
            for (QAction* entry : menu->actions()) {
                EXPECT_EQ(entry->isEnabled(), live.contains(entry->text()))
                    << entry->text().toStdString();
                if (entry->isVisible())
                    shown << "  " + entry->text();
            }
    }
    EXPECT_EQ(shown,
              QStringList({"Evrak İşlemleri", "  Gelen Evrak", "  Giden Evrak", "  Dilekçe",
                           "  Evrak Ara", "Raporlar", "  Genel Liste", "  Gelen Yazılar Listesi",
                           "  Giden Yazılar Listesi", "  Dilekçeler Listesi", "Parametreler",
                           "  Genel Tanımlar", "  Kullanıcı Tanımları", "  Birim Tanımları",
                           "  Kurum Tanımları", "  Evrak Cinsi Tanımları", "  Evrak Şablonu",
                           "  Şifre Değiş", "&Program Sonu"}));
    EXPECT_FALSE(w.entryAction(MenuEntry::DosyaKontrolIslemi)->isVisible());
}

TEST_F(ProgramTest, TheClockShowsHoursAndMinutes)
{
    TempDatabase file;
    pointAt(file.folder());
    PromptScript prompts;
    TFRMMENU& w = start();
    m_clock.set(QDateTime(QDate(2026, 12, 9), QTime(9, 7, 1)));
    w.updateClock();
    EXPECT_EQ(text(w, "STSAAT"), "09:07");
}

TEST_F(ProgramTest, ACloseRequestIsRefusedAndProgramSonuEndsWritingTheSettings)
{
    TempDatabase file;
    pointAt(file.folder());
    PromptScript prompts;
    TFRMMENU& w = start();

    w.close(); // the system close right after start
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(m_quits, 0);
    EXPECT_FALSE(m_sandbox.value("BFORM").isValid());

    m_program->ctx().WorkingYear = "2027"; // as the general definitions leave it
    triggerProgramSonu();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(m_quits, 1);
    EXPECT_TRUE(w.endRequested());
    EXPECT_FALSE(m_program->dm().IBDATABASE.isOpen());
    EXPECT_EQ(m_sandbox.value("BFORM").toString(), "2");
    EXPECT_EQ(m_sandbox.value("YIL").toString(), "2027");
}

TEST_F(ProgramTest, AfterASharedPermissionScreenClosedACloseRequestEndsTheProgram)
{
    TempDatabase file;
    pointAt(file.folder());
    PromptScript prompts;
    TFRMMENU& w = start();
    w.close(); // right after the start: refused
    EXPECT_TRUE(w.isVisible());

    // "Birim Tanımları" leaves the shared permission set when it closes.
    prompts.expectModal("TFRMBIRIM",
                        [](QDialog& screen) { child<QPushButton>(screen, "btnCikis")->click(); });
    QAction* entry = w.entryAction(MenuEntry::BirimTanimlari);
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_TRUE(m_program->ctx().CloseAllowed);

    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(m_quits, 1);
    EXPECT_EQ(m_sandbox.value("BFORM").toString(), "2");
}

TEST_F(ProgramTest, TheMenuOpensTheScreensOfTheRegistersAndCodeTables)
{
    TempDatabase file;
    pointAt(file.folder());
    PromptScript prompts;
    TFRMMENU& w = start();
    const std::pair<MenuEntry, const char*> entries[] = {
        {MenuEntry::GelenEvrak, "TFRMGELLST"},
        {MenuEntry::KurumTanimlari, "TFRMKURUM"},
        {MenuEntry::EvrakCinsiTanimlari, "TFRMECINS"},
        {MenuEntry::EvrakAra, "TFRMARA"},
    };
    for (const auto& [entry, screen] : entries) {
        prompts.expectModal(screen, [](QDialog& s) { child<QPushButton>(s, "btnCikis")->click(); });
        w.entryAction(entry)->trigger();
    }
    // Ctrl+F in the main window is "Evrak Ara".
    prompts.expectModal("TFRMARA", [](QDialog& s) { child<QPushButton>(s, "btnCikis")->click(); });
    QApplication::setActiveWindow(&w);
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    prompts.verify();
}

TEST_F(ProgramTest, TheWindowStateIsKeptAcrossRuns)
{
    TempDatabase file;
    pointAt(file.folder());
    m_sandbox.store("BFORM", "1");
    PromptScript prompts;
    TFRMMENU& w = start();
    EXPECT_TRUE(w.isMaximized());
    triggerProgramSonu();
    EXPECT_EQ(m_sandbox.value("BFORM").toString(), "1");

    // Closing while minimised keeps what was stored.
    m_sandbox.store("BFORM", "2");
    TFRMMENU& again = start();
    EXPECT_FALSE(again.isMaximized());
    again.setWindowState(Qt::WindowMinimized);
    triggerProgramSonu();
    EXPECT_EQ(m_sandbox.value("BFORM").toString(), "2");
}

TEST_F(ProgramTest, ASecondCopyShowsTheMessageAndEnds)
{
    TempDatabase file;
    pointAt(file.folder());
    core::SingleInstance first(m_lockFolder.path());
    ASSERT_TRUE(first.acquire());

    PromptScript prompts;
    prompts.expectMessage(
        "Dikkat! DORPAK Proragramı zaten çalışıyor....\nBirden Fazla Çalıştıramazsınız.");
    m_program = std::make_unique<app::Program>(
        app::ProgramOptions{m_lockFolder.path(), [this] { ++m_quits; }, false});
    EXPECT_FALSE(m_program->build());
    EXPECT_EQ(m_quits, 1);
    EXPECT_TRUE(m_program->mainWindow().endRequested());
    EXPECT_FALSE(m_program->dm().IBDATABASE.isOpen());
}

TEST_F(ProgramTest, WithoutTheDatabaseTheSystemScreenComesFirst)
{
    // First start on a new workstation: no settings, no DATA folder.
    PromptScript prompts;
    bool systemShown = false;
    prompts.expectModal("TFRMSYSTEM", [&](QDialog& screen) {
        systemShown = true;
        EXPECT_EQ(child<QLineEdit>(screen, "edtYil")->text(), "2026");
        EXPECT_EQ(child<QLineEdit>(screen, "edtDosya")->text(), "DORPAK2026.GDB");
        // It says why it opened.
        EXPECT_EQ(child<QPlainTextEdit>(screen, "memTest")->toPlainText(),
                  "!!!!!!Veritabanı Açılamadı: Veritabanı yolu bulunamadı.");
        child<QPushButton>(screen, "btnVazgec")->click();
    });
    // Still no connection: the version check fails and the rest of the
    // activation does not run.
    prompts.expectMessage(Failure);
    TFRMMENU& w = start();

    EXPECT_TRUE(systemShown);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(text(w, "LBLTARIH"), "");
    EXPECT_EQ(text(w, "LKURUM"), "");
    EXPECT_EQ(m_sandbox.value("YIL").toString(), "2026");
    EXPECT_EQ(m_sandbox.value("YOL").toString(),
              QDir::toNativeSeparators(QDir::currentPath() + "/DATA/DORPAK"));
    EXPECT_TRUE(w.entryAction(MenuEntry::GelenEvrak)->isVisible());

    triggerProgramSonu();
    EXPECT_EQ(m_quits, 1);
    EXPECT_EQ(m_sandbox.value("BFORM").toString(), "2");
}

TEST_F(ProgramTest, TheSystemScreenOpensTheFileAndItsLoginFollows)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET KURUM='KARAÇAY BELEDİYESİ', UDUR='1'");
    file.database().commit();
    pointAt(file.folder() + "/yok");

    PromptScript prompts;
    prompts.expectModal("TFRMSYSTEM", [&](QDialog& screen) {
        child<QLineEdit>(screen, "edtYol")->setText(file.folder());
        child<QLineEdit>(screen, "edtYil")->setText("2026");
        focus(screen);
        QTest::keyClick(&screen, Qt::Key_F5);
    });
    prompts.expectModal("TFRMPSSWD", [](QDialog& login) { logIn(login, "VELOR", "1234"); });
    TFRMMENU& w = start();

    EXPECT_EQ(m_sandbox.value("YOL").toString(), file.folder());
    EXPECT_EQ(text(w, "LKURUM"), "KARAÇAY BELEDİYESİ");
    EXPECT_EQ(text(w, "LBLYIL"), "2026");
    EXPECT_EQ(text(w, "LUSR"), "VELOR");
    EXPECT_EQ(text(w, "LBLTARIH"), "9-ARALIK(12)-2026");
    EXPECT_EQ(m_quits, 0);
}

TEST_F(ProgramTest, CtrlSOpensTheSystemScreen)
{
    TempDatabase file;
    pointAt(file.folder());
    PromptScript prompts;
    TFRMMENU& w = start();
    bool shown = false;
    prompts.expectModal("TFRMSYSTEM", [&](QDialog& screen) {
        shown = true;
        focus(screen);
        QTest::keyClick(&screen, Qt::Key_F6);
    });
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(shown);
}

TEST_F(ProgramTest, ALoginUserSeesOnlyTheEntriesOfTheirRights)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET UDUR='1'");
    file.exec("UPDATE USERS SET ACIK=:A WHERE USR='VELOR'", {QStringLiteral("Yazı İşleri Şefi")});
    file.exec("UPDATE RIGHTS SET G='H' WHERE HNO=1 AND KOD IN (1,2,3,11,12)");
    file.database().commit();
    pointAt(file.folder());

    PromptScript prompts;
    prompts.expectModal("TFRMPSSWD", [](QDialog& login) { logIn(login, "VELOR", "1234"); });
    TFRMMENU& w = start();

    EXPECT_EQ(m_program->ctx().UserNo, 1);
    EXPECT_EQ(text(w, "LUSR"), "VELOR");
    EXPECT_EQ(text(w, "LUSRACK"), "Yazı İşleri Şefi");
    EXPECT_FALSE(child<QMenu>(w, "mnuEvrakIslemleri")->menuAction()->isVisible());
    // No register to see: no search either, not even by Ctrl+F.
    EXPECT_FALSE(w.entryAction(MenuEntry::EvrakAra)->isVisible());
    EXPECT_TRUE(child<QMenu>(w, "mnuRaporlar")->menuAction()->isVisible());
    EXPECT_FALSE(w.entryAction(MenuEntry::GelenYazilarListesi)->isVisible());
    EXPECT_TRUE(w.entryAction(MenuEntry::GidenYazilarListesi)->isVisible());
    // "Genel Liste" follows right 11.
    EXPECT_FALSE(w.entryAction(MenuEntry::GenelListe)->isVisible());
    EXPECT_TRUE(child<QMenu>(w, "mnuParametreler")->menuAction()->isVisible());
    // The rights loaded into the hidden grid.
    QTableWidget* grid = child<QTableWidget>(w, "GRDUSER");
    EXPECT_FALSE(grid->isVisible());
    EXPECT_EQ(grid->rowCount(), 35);
    EXPECT_EQ(grid->item(0, 0)->text(), m_program->ctx().RightsCache.at(0)[0]);
}

// A yearly file that asks for a login, with a user "mudur" (HNO 2, "m1")
// holding the rights given.
void requireLogin(TempDatabase& file, const QList<std::pair<int, QString>>& mudurRights)
{
    file.exec("UPDATE TANIM SET UDUR='1'");
    file.exec("INSERT INTO USERS (USR,HNO,PSSWD,ACIK,ACIK1,OZEL) VALUES('mudur',2,:P,:A,'',0)",
              {SIFRELE("1", "m1"), QStringLiteral("Yazı İşleri Müdürü")});
    for (const auto& [kod, flags] : mudurRights)
        file.exec("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S) VALUES(2,:K,:G,:KK,:D,:S)",
                  {kod, flags.mid(0, 1), flags.mid(1, 1), flags.mid(2, 1), flags.mid(3, 1)});
    file.database().commit();
}

TEST_F(ProgramTest, UsersAndPasswordsAreKeptFromTheMenuAndRightsChangeAtTheNextLogin)
{
    TempDatabase file;
    requireLogin(file, {{1, "EEEE"}, {22, "EEEE"}, {27, "EEEE"}, {50, "EEEE"}});
    pointAt(file.folder());

    PromptScript prompts;
    prompts.expectModal("TFRMPSSWD", [](QDialog& login) { logIn(login, "mudur", "m1"); });
    TFRMMENU& w = start();
    ASSERT_TRUE(w.entryAction(MenuEntry::GelenEvrak)->isVisible());

    // mudur takes away his own access to "Gelen Evrak".
    prompts.expectModal("TFRMUSERSTAN", [](QDialog& screen) {
        auto& list = static_cast<TFRMUSERSTAN&>(screen);
        ASSERT_TRUE(list.users().locate("USR", "mudur"));
        ASSERT_TRUE(list.rights().locate("KOD", 1));
        list.editRights();
        focus(list);
        QTest::keyClick(&list, Qt::Key_Escape);
    });
    prompts.expectModal("TFRMHAKLAR", [](QDialog& editor) {
        child<QRadioButton>(editor, "rbGirisHayir")->click();
        QTest::keyClick(&editor, Qt::Key_F5);
    });
    w.entryAction(MenuEntry::KullaniciTanimlari)->trigger();
    // This run keeps the rights it started with.
    EXPECT_TRUE(w.entryAction(MenuEntry::GelenEvrak)->isVisible());

    prompts.expectModal("TFRMPASDEG", [](QDialog& screen) {
        EXPECT_EQ(child<QLineEdit>(screen, "edtUsr")->text(), "mudur");
        child<QLineEdit>(screen, "edtEski")->setText("m1");
        child<QLineEdit>(screen, "edtYeni")->setText("m2");
        child<QLineEdit>(screen, "edtTekrar")->setText("m2");
        QTest::keyClick(&screen, Qt::Key_F5);
    });
    w.entryAction(MenuEntry::SifreDegis)->trigger();
    prompts.verify();
    triggerProgramSonu(); // closing the connection commits the changes
    EXPECT_EQ(m_quits, 1);

    // The next start: the new password, and the rights as changed.
    prompts.expectModal("TFRMPSSWD", [](QDialog& login) { logIn(login, "mudur", "m2"); });
    TFRMMENU& again = start();
    prompts.verify();
    EXPECT_FALSE(again.entryAction(MenuEntry::GelenEvrak)->isVisible());
}

// The clerk points the system settings screen at another yearly file.
void expectSwitchTo(PromptScript& prompts, const QString& folder)
{
    prompts.expectModal("TFRMSYSTEM", [folder](QDialog& screen) {
        child<QLineEdit>(screen, "edtYol")->setText(folder);
        child<QLineEdit>(screen, "edtYil")->setText("2026");
        focus(screen);
        QTest::keyClick(&screen, Qt::Key_F5);
    });
}

void pressCtrlS(TFRMMENU& w)
{
    // A login just closed may still have its activation pending.
    QApplication::processEvents();
    focus(w);
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
}

TEST_F(ProgramTest, AFileTakenDuringTheRunIsUpgradedAsAtStart)
{
    TempDatabase first;
    QTemporaryDir older;
    testsupport::makeYearFile(older.filePath("DORPAK2026.GDB"), db::SchemaVersion::V10_002);
    pointAt(first.folder());
    PromptScript prompts;
    TFRMMENU& w = start();
    ASSERT_EQ(m_quits, 0);

    expectSwitchTo(prompts, older.path());
    prompts.expectMessage("10.003 Güncellemesi Başarıyla Yapıldı.");
    pressCtrlS(w);
    prompts.verify();
    EXPECT_EQ(m_quits, 1);
    EXPECT_TRUE(w.endRequested());
    EXPECT_EQ(m_sandbox.value("YOL").toString(), older.path());
    db::Query q(m_program->dm().IBDATABASE);
    q.openLines({"SELECT VER FROM TANIM"});
    EXPECT_EQ(q.field("VER").toString(), "10.003");
}

TEST_F(ProgramTest, AFileTakenDuringTheRunAsksForItsLoginAndRightsDoNotCarryOver)
{
    TempDatabase first;
    requireLogin(first, {{1, "HEEE"}, {2, "HEEE"}, {3, "HEEE"}});
    TempDatabase second;
    second.exec("UPDATE TANIM SET UDUR='1', KURUM='İKİNCİ'");
    second.exec("UPDATE RIGHTS SET G='H' WHERE HNO=1 AND KOD=12");
    second.database().commit();
    TempDatabase open; // no login
    open.exec("UPDATE TANIM SET KURUM='AÇIK'");
    open.database().commit();
    pointAt(first.folder());

    PromptScript prompts;
    prompts.expectModal("TFRMPSSWD", [](QDialog& login) { logIn(login, "mudur", "m1"); });
    TFRMMENU& w = start();
    ASSERT_FALSE(child<QMenu>(w, "mnuEvrakIslemleri")->menuAction()->isVisible());

    // The second file knows no mudur: he cannot go on there.
    expectSwitchTo(prompts, second.folder());
    prompts.expectModal("TFRMPSSWD", [](QDialog& login) {
        PromptScript inLogin;
        inLogin.expectMessage(" KULLANICI ADI HATALI");
        logIn(login, "mudur", "m1");
        inLogin.verify();
        logIn(login, "VELOR", "1234");
    });
    pressCtrlS(w);
    prompts.verify();
    EXPECT_EQ(m_quits, 0);
    const core::AppContext& ctx = m_program->ctx();
    EXPECT_EQ(ctx.UserNo, 1);
    EXPECT_EQ(text(w, "LUSR"), "VELOR");
    EXPECT_EQ(text(w, "LUSRACK"), "Dodidozur");
    EXPECT_EQ(text(w, "LKURUM"), "İKİNCİ");
    EXPECT_EQ(ctx.RightsCache.size(), 15);
    EXPECT_TRUE(child<QMenu>(w, "mnuEvrakIslemleri")->menuAction()->isVisible());
    EXPECT_TRUE(w.entryAction(MenuEntry::GelenEvrak)->isVisible());
    EXPECT_FALSE(w.entryAction(MenuEntry::GelenYazilarListesi)->isVisible());

    // A file without logins: no user, no rights, the whole menu.
    expectSwitchTo(prompts, open.folder());
    pressCtrlS(w);
    prompts.verify();
    EXPECT_EQ(ctx.UserNo, 0);
    EXPECT_EQ(ctx.UserName, "VELOR");
    EXPECT_TRUE(ctx.RightsCache.isEmpty());
    EXPECT_EQ(text(w, "LKURUM"), "AÇIK");
    EXPECT_TRUE(w.entryAction(MenuEntry::GelenYazilarListesi)->isVisible());
    EXPECT_EQ(child<QTableWidget>(w, "GRDUSER")->item(0, 0), nullptr);

    // Back to the first file: leaving its login ends the program.
    expectSwitchTo(prompts, first.folder());
    prompts.expectModal("TFRMPSSWD",
                        [](QDialog& login) { child<QPushButton>(login, "btnCikis")->click(); });
    pressCtrlS(w);
    prompts.verify();
    EXPECT_EQ(m_quits, 1);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(ProgramTest, LeavingTheLoginEndsTheProgramWithTheSettingsWritten)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET UDUR='1'");
    file.database().commit();
    pointAt(file.folder());

    PromptScript prompts;
    prompts.expectModal("TFRMPSSWD",
                        [](QDialog& login) { child<QPushButton>(login, "btnCikis")->click(); });
    TFRMMENU& w = start();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(m_quits, 1);
    EXPECT_EQ(m_sandbox.value("BFORM").toString(), "2");
    EXPECT_EQ(text(w, "LBLTARIH"), ""); // the version check did not run
}

TEST_F(ProgramTest, A10002FileIsUpgradedOverFiveStartsWithoutWritingTheSettings)
{
    QTemporaryDir folder;
    testsupport::makeYearFile(folder.filePath("DORPAK2026.GDB"), db::SchemaVersion::V10_002);
    pointAt(folder.path());

    for (const char* step : {"10.003", "11.001", "12.001", "12.002", "12.003"}) {
        PromptScript prompts;
        prompts.expectMessage(QString::fromLatin1(step) + " Güncellemesi Başarıyla Yapıldı.");
        m_quits = 0;
        m_program.reset();
        m_program = nullptr;
        TFRMMENU& w = start();
        EXPECT_EQ(m_quits, 1) << step;
        EXPECT_TRUE(w.endRequested());
        EXPECT_TRUE(w.isVisible()) << "ended without closing the main window";
        EXPECT_EQ(text(w, "LBLTARIH"), "");
        EXPECT_FALSE(m_sandbox.value("BFORM").isValid()) << step;
        m_program->ctx().WorkingYear = "2031";
        m_program.reset(); // the program goes; its connection commits
        EXPECT_EQ(m_sandbox.value("YIL").toString(), "2026");
    }

    // The sixth start runs normally.
    PromptScript prompts;
    m_quits = 0;
    TFRMMENU& w = start();
    EXPECT_EQ(m_quits, 0);
    EXPECT_EQ(text(w, "LBLTARIH"), "9-ARALIK(12)-2026");
}

TEST_F(ProgramTest, ADatabaseTooOldEndsTheProgramThroughTheMainWindow)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET VER='10.2'");
    file.database().commit();
    pointAt(file.folder());

    PromptScript prompts;
    prompts.expectMessage("DİKKAT! Veritabanı Versiyonu Eski Olduğundan Çalışamazsınız..");
    TFRMMENU& w = start();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(m_quits, 1);
    EXPECT_EQ(m_sandbox.value("BFORM").toString(), "2");
}

TEST_F(ProgramTest, ADatabaseNewerThanTheProgramOffersTheUpdateAndEnds)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET VER='13.000'");
    file.database().commit();
    pointAt(file.folder());

    PromptScript prompts;
    prompts.expectMessage("DİKKAT! Program Versiyonu Eski Olduğundan Çalışamazsınız..");
    prompts.expectQuestion(
        "DİKKAT! Programınızın Daha Yeni Sürümü Mevcuttur.\nŞimdi Güncellemek İstermisiniz.",
        false);
    TFRMMENU& w = start();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(m_quits, 1);
    EXPECT_EQ(m_sandbox.value("BFORM").toString(), "2");
}

TEST_F(ProgramTest, AnAcceptedUpdateStartsTheUpdaterAndEndsOnce)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET VER='13.000'");
    file.database().commit();
    pointAt(file.folder());
    QTemporaryDir temp;
    ScopedEnv tempEnv("TEMP", temp.path());
    const QString record = temp.filePath("started.txt");
    HttpServer server(200, "#!/bin/sh\necho \"$@\" > '" + record.toUtf8() + "'\n");
    ScopedEnv hostEnv("DORPAK_UPDATE_HOST", server.hostAndPort());

    PromptScript prompts;
    prompts.expectMessage("DİKKAT! Program Versiyonu Eski Olduğundan Çalışamazsınız..");
    prompts.expectQuestion(
        "DİKKAT! Programınızın Daha Yeni Sürümü Mevcuttur.\nŞimdi Güncellemek İstermisiniz.", true);
    TFRMMENU& w = start();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(m_quits, 1);
    EXPECT_EQ(server.paths(), QStringList{"/ftproot/Pguncelle.EXE"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(record).size() > 0; }, 20000));
}

TEST_F(ProgramTest, TheVersionScreenListsTheServersLines)
{
    TempDatabase file;
    pointAt(file.folder());
    LineServer server("22.002 cikti.\r\n@ \r\nRapor duzeltmesi.\r\n@\r\n", false);
    ScopedEnv env("DORPAK_INFO_SERVER", server.address());
    PromptScript prompts;
    TFRMMENU& w = start();

    QStringList lines;
    prompts.expectModal("TFRMVERBILGI", [&](QDialog& screen) {
        EXPECT_EQ(text(screen, "LBLVER"), "22.001");
        auto& info = static_cast<TFRMVERBILGI&>(screen);
        // The exchange runs once the screen is up.
        EXPECT_TRUE(QTest::qWaitFor([&] { return info.lines().size() == 3 && !info.fetching(); }));
        lines = info.lines();
        focus(screen);
        QTest::keyClick(&screen, Qt::Key_Escape);
    });
    QTest::mouseClick(child<QLabel>(w, "LVER"), Qt::LeftButton);
    EXPECT_EQ(lines, QStringList({"22.002 cikti.", "@ ", "Rapor duzeltmesi."}));
    EXPECT_EQ(server.request(), "VER\r\n\r\nDRP\r\n22.001\r\n");
    EXPECT_FALSE(w.infoServer().isOpen());
}

TEST_F(ProgramTest, ABrokenAnswerIsReportedAndTheScreenKeepsItsLines)
{
    TempDatabase file;
    pointAt(file.folder());
    LineServer server("bir\r\niki\r\n", true); // closes before "@"
    ScopedEnv env("DORPAK_INFO_SERVER", server.address());
    PromptScript prompts;
    TFRMMENU& w = start();

    prompts.expectModal("TFRMVERBILGI", [&](QDialog& screen) {
        EXPECT_TRUE(screen.isVisible());
        auto& info = static_cast<TFRMVERBILGI&>(screen);
        EXPECT_TRUE(QTest::qWaitFor([&] { return prompts.shown().contains(Failure); }));
        EXPECT_TRUE(screen.isVisible());
        EXPECT_EQ(info.lines(), QStringList({"bir", "iki"}));
        screen.close(); // its title-bar button closes it
    });
    prompts.expectMessage(Failure);
    QTest::mouseClick(child<QLabel>(w, "LVER"), Qt::LeftButton);
    prompts.verify();
    EXPECT_TRUE(w.isVisible());
}

TEST_F(ProgramTest, DecliningTheUpdateOnTheVersionScreenClosesOnlyTheScreen)
{
    TempDatabase file;
    pointAt(file.folder());
    LineServer server("@\r\n", false);
    ScopedEnv env("DORPAK_INFO_SERVER", server.address());
    PromptScript prompts;
    TFRMMENU& w = start();

    prompts.expectModal("TFRMVERBILGI", [&](QDialog& screen) {
        auto& info = static_cast<TFRMVERBILGI&>(screen);
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.connections() == 1 && !info.fetching(); }));
        EXPECT_TRUE(info.lines().isEmpty());
        child<QPushButton>(screen, "btnGuncelle")->click();
    });
    prompts.expectQuestion(
        "DİKKAT! Programınızın Daha Yeni Sürümü Mevcuttur.\nŞimdi Güncellemek İstermisiniz.",
        false);
    QTest::mouseClick(child<QLabel>(w, "LVER"), Qt::LeftButton);
    prompts.verify();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(m_quits, 0);
}

TEST_F(ProgramTest, TheVendorLogoOpensTheAboutBox)
{
    TempDatabase file;
    pointAt(file.folder());
    PromptScript prompts;
    TFRMMENU& w = start();
    bool shown = false;
    prompts.expectModal("TFRMABOUT", [&](QDialog& about) {
        shown = true;
        EXPECT_EQ(about.windowTitle(), "VELOR Yazılım");
        QTest::mouseClick(&about, Qt::LeftButton);
    });
    QTest::mouseClick(child<QLabel>(w, "imgVelor"), Qt::LeftButton);
    EXPECT_TRUE(shown);
}

QByteArray pictureBytes(const char* format, Qt::GlobalColor color)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

TEST_F(ProgramTest, GeneralDefinitionsRefreshTheMainWindowWhenTheyClose)
{
    TempDatabase file;
    pointAt(file.folder());
    PromptScript prompts;
    TFRMMENU& w = start();
    EXPECT_TRUE(child<QLabel>(w, "IMGLOGO")->pixmap().isNull());

    // Stands in for the general definitions screen.
    w.setEntryAction(MenuEntry::GenelTanimlar, [&] {
        db::Query q(m_program->dm().IBDATABASE);
        q.add("UPDATE TANIM SET KURUM='YENİ KURUM', RNK='T', LOGO=:L");
        q.bind(0, pictureBytes("PNG", Qt::red));
        q.exec();
        m_program->ctx().WorkingYear = "2027";
    });
    w.entryAction(MenuEntry::GenelTanimlar)->trigger();
    EXPECT_EQ(text(w, "LKURUM"), "YENİ KURUM");
    EXPECT_EQ(text(w, "LBLYIL"), "2027");
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(0xFF, 0x80, 0x00));
    EXPECT_FALSE(child<QLabel>(w, "IMGLOGO")->pixmap().isNull());
}

TEST_F(ProgramTest, TheColourOfTheFileIsTheMainWindowsFromTheStart)
{
    struct Case {
        const char* rnk;
        QColor form;
    };
    for (const Case& c : {Case{"T", QColor(0xFF, 0x80, 0x00)}, Case{"M", QColor(0x00, 0x00, 0xA0)},
                          Case{"Y", QColor(0x00, 0x79, 0x80)}}) {
        SCOPED_TRACE(c.rnk);
        TempDatabase file;
        file.exec("UPDATE TANIM SET RNK=:R", {QString::fromLatin1(c.rnk)});
        file.database().commit();
        file.database().close();
        pointAt(file.folder());
        PromptScript prompts;
        TFRMMENU& w = start();
        EXPECT_EQ(w.palette().color(QPalette::Window), c.form);
        m_program.reset();
    }
}

TEST(ToolkitTranslation, TheToolkitsDialogsSpeakTurkish)
{
    QTranslator toolkit;
    ASSERT_TRUE(app::loadToolkitTranslation(toolkit))
        << "qtbase_tr.qm is missing: the setup script installs it";
    QCoreApplication::installTranslator(&toolkit);
    {
        QMessageBox box(QMessageBox::NoIcon, QString(), QStringLiteral("Soru"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel |
                            QMessageBox::Open);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), "Evet");
        EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), "Hayır");
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), "İptal");
        EXPECT_NE(box.button(QMessageBox::Open)->text().remove(QLatin1Char('&')), "Open");
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        const QLabel* lookIn = files.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        ASSERT_NE(lookIn, nullptr);
        EXPECT_NE(lookIn->text(), "Look in:");
    }
    QCoreApplication::removeTranslator(&toolkit);
}

TEST_F(ProgramTest, AFileThatDoesNotOpenIsNamedOnTheSystemScreenAndInTheLog)
{
    // The texts themselves are the core's tests'.
    using testsupport::BadFile;
    using Kind = db::DbOpenError::Kind;
    const std::pair<BadFile, Kind> kinds[] = {{BadFile::Text, Kind::NotADatabase},
                                              {BadFile::DamagedPages, Kind::Damaged},
                                              {BadFile::OldEngine, Kind::TooOld}};
    for (const auto& [bad, kind] : kinds) {
        const QString reason = core::openFailureText(kind);
        QTemporaryDir folder;
        testsupport::makeBadFile(folder.filePath("DORPAK2026.GDB"), bad);
        pointAt(folder.path());
        PromptScript prompts;
        prompts.expectModal("TFRMSYSTEM", [&](QDialog& screen) {
            EXPECT_EQ(child<QPlainTextEdit>(screen, "memTest")->toPlainText(),
                      core::OpenFailedLine + reason);
            child<QPushButton>(screen, "btnTest")->click();
            EXPECT_TRUE(child<QPlainTextEdit>(screen, "memTest")
                            ->toPlainText()
                            .endsWith(core::OpenFailedLine + reason));
            child<QPushButton>(screen, "btnVazgec")->click();
        });
        prompts.expectMessage(Failure);
        startAndQuit();
        prompts.verify();
        QFile log(core::errorLogPath());
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_GE(QString::fromUtf8(log.readAll()).count(reason), 2)
            << reason.toStdString(); // at start and by "Test Et"
    }
}

TEST_F(ProgramTest, TheVersionScreenIsShownFirstListsLinesAsTheyComeAndEscEndsTheWait)
{
    TempDatabase file;
    pointAt(file.folder());
    LineServer server("22.002 cikti.\r\n", false); // the rest never comes
    ScopedEnv env("DORPAK_INFO_SERVER", server.address());
    PromptScript prompts;
    TFRMMENU& w = start();
    // An exchange run before the window is up would wait here until this
    // gives up on it.
    QTimer::singleShot(8000, &w, [&w] { w.infoServer().close(); });

    bool waitingShown = false;
    prompts.expectModal("TFRMVERBILGI", [&](QDialog& screen) {
        auto& info = static_cast<TFRMVERBILGI&>(screen);
        EXPECT_TRUE(screen.isModal());
        // While the server is still to answer: the screen is up with the
        // line that came, and Esc ends the wait.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &screen, [&] {
            if (info.lines() != QStringList{"22.002 cikti."} || !info.fetching())
                return;
            poll.stop();
            waitingShown = screen.windowHandle() && screen.windowHandle()->isExposed();
            QTest::keyClick(&screen, Qt::Key_Escape);
        });
        poll.start(20);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !screen.isVisible(); }, 10000));
    });
    QTest::mouseClick(child<QLabel>(w, "LVER"), Qt::LeftButton);
    prompts.verify();
    EXPECT_TRUE(waitingShown);
    EXPECT_FALSE(w.infoServer().isOpen());
    EXPECT_EQ(server.connections(), 1);
}

// A yearly file on a server of the test's own, which the test stops and
// starts under the running program.
class LostServerProgramTest : public ProgramTest {
protected:
    LostServerProgramTest()
    {
        m_file.exec("INSERT INTO GELEN (KAYNO,GELNO,GELTAR,KONU,ZDUR,GIZDER,CEVDUR,CEVNO,ILGNO) "
                    "VALUES(1,1,'01.12.2026','İlk evrak','İ','Ö','H',0,0)");
        m_file.exec("SET GENERATOR GEN_GELKAYNO TO 1");
        m_file.database().commit();
        m_file.database().close(); // the server opens it now
        pointAt(m_server.host() + ":" + m_file.folder());
    }

    TempDatabase m_file;
    testsupport::PrivateServer m_server;
};

TEST_F(LostServerProgramTest, TheClerkIsToldNoScreenIsLeftStaleAndTheListComesBack)
{
    PromptScript prompts;
    start();
    const QString unreachable = testsupport::errorText(core::ErrorCause::ServerUnreachable);
    prompts.expectModal("TFRMGELLST", [&](QDialog& list) {
        auto& grid = *child<widgets::DataGrid>(list, "grdListe");
        ASSERT_EQ(grid.model()->rowCount(), 1);
        m_server.stop();

        // F2: the error, and no entry screen showing what it showed before.
        prompts.expectModal("TFRMGELEN",
                            [](QDialog&) { ADD_FAILURE() << "the entry opened without its file"; });
        prompts.expectMessage(unreachable);
        child<QPushButton>(list, "btnYeni")->click();
        EXPECT_EQ(grid.model()->rowCount(), 1);

        // A list that cannot be read says so; it is not shown empty.
        prompts.expectMessage(unreachable);
        child<QComboBox>(list, "cmbGizlilik")->setCurrentText("Gizli");
        EXPECT_TRUE(grid.unreadable());

        // The server answers again: one click reads the list again, and
        // everything works without a restart.
        m_server.start();
        child<QPushButton>(grid, "btnYenidenOku")->click();
        EXPECT_FALSE(grid.unreadable());
        EXPECT_EQ(grid.model()->rowCount(), 0); // no "Gizli" documents
        child<QComboBox>(list, "cmbGizlilik")->setCurrentText("Tümü");
        EXPECT_EQ(grid.model()->rowCount(), 1);
        prompts.expectModal("TFRMGELEN", [](QDialog& entry) {
            child<QPlainTextEdit>(entry, "edtKonu")->setPlainText("Sunucu dönünce");
            child<QPushButton>(entry, "btnKayit")->click();
        });
        child<QPushButton>(list, "btnYeni")->click();
        EXPECT_EQ(grid.model()->rowCount(), 2);
        child<QPushButton>(list, "btnCikis")->click();
    });
    m_program->mainWindow().entryAction(MenuEntry::GelenEvrak)->trigger();
    prompts.verify();
    m_program.reset();
    db::Database after;
    after.open(m_server.host() + ":" + m_file.path());
    db::Query count(after);
    count.openLines({"SELECT COUNT(*) FROM GELEN"});
    EXPECT_EQ(count.value(0, 0).toInt(), 2);
}

TEST_F(ProgramTest, AnEndFromOutsideRollsBackTheUnsavedEntryAndKeepsWhatWasCommitted)
{
    TempDatabase file;
    file.database().close();
    pointAt(file.folder());
    QTemporaryDir pictures;
    const QString picture = pictures.filePath("sayfa1.jpg");
    {
        QFile f(picture);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(pictureBytes("JPG", Qt::darkCyan));
    }
    PromptScript prompts;
    start();
    // Committed earlier in the run.
    db::Query(m_program->dm().IBDATABASE)
        .execLines({"INSERT INTO DISKUR (DKOD,DKURUM) VALUES(1,'TAPU MÜDÜRLÜĞÜ')"});
    m_program->dm().FDTransaction1.commit();

    prompts.expectModal("TFRMGELLST", [&](QDialog& list) {
        prompts.expectModal("TFRMGELEN", [&](QDialog& entry) {
            child<QPlainTextEdit>(entry, "edtKonu")->setPlainText("Yarım kalan");
            prompts.expectOpenFile(picture);
            child<QPushButton>(entry, "btnEkle")->click();
            // The session ends (SIGTERM) with the document unsaved.
            m_program->terminate();
            EXPECT_FALSE(entry.isVisible());
        });
        child<QPushButton>(list, "btnYeni")->click();
        EXPECT_FALSE(list.isVisible());
    });
    m_program->mainWindow().entryAction(MenuEntry::GelenEvrak)->trigger();
    prompts.verify();
    EXPECT_EQ(m_quits, 1);
    EXPECT_EQ(m_sandbox.value("BFORM").toString(), "2");
    m_program.reset();

    file.database().open(file.path());
    EXPECT_EQ(file.scalar("SELECT COUNT(*) FROM TEXT"), "0");
    EXPECT_EQ(file.scalar("SELECT COUNT(*) FROM GELEN"), "0");
    EXPECT_EQ(file.scalar("SELECT DKURUM FROM DISKUR WHERE DKOD=1"), "TAPU MÜDÜRLÜĞÜ");
}

// The program itself, as the desktop starts it, in surroundings of its
// own: settings, lock folder, state folder, current folder.
class ProgramProcess : public testing::Test {
protected:
    ProgramProcess()
    {
        QDir(m_home.path()).mkpath("run");
        QFile::setPermissions(m_home.filePath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        env.insert("XDG_STATE_HOME", m_home.filePath("state"));
        env.insert("XDG_RUNTIME_DIR", m_home.filePath("run"));
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(m_home.path());
        m_process.setProcessChannelMode(QProcess::MergedChannels);
    }
    ~ProgramProcess() override
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    QString settingsFile() const { return m_home.filePath("config/VELOR/DORPAK.conf"); }
    void store(const QString& key, const QString& value)
    {
        QSettings(settingsFile(), QSettings::IniFormat).setValue(key, value);
    }
    // Starts it, lets it come up, then sends SIGTERM as a logout does; true
    // when it ended by itself soon after.
    bool endsOnSigterm()
    {
        m_process.start(QStringLiteral(DORPAK_PROGRAM), {});
        if (!m_process.waitForStarted())
            return false;
        QTest::qWait(2500);
        ::kill(pid_t(m_process.processId()), SIGTERM);
        return m_process.waitForFinished(20000) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }

    QTemporaryDir m_home;
    QProcess m_process;
};

TEST_F(ProgramProcess, SigtermEndsASecondCopyShowingItsMessage)
{
    core::SingleInstance first(m_home.filePath("run"));
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(endsOnSigterm()) << m_process.readAll().toStdString();
}

TEST_F(ProgramProcess, SigtermEndsARunningProgramInTheOrderlyWay)
{
    TempDatabase file;
    file.database().close();
    store("YIL", "2026");
    store("YOL", file.folder());
    EXPECT_TRUE(endsOnSigterm()) << m_process.readAll().toStdString();
    EXPECT_EQ(QSettings(settingsFile(), QSettings::IniFormat).value("BFORM").toString(), "2");
}

TEST(ApplicationErrorHandler, ReportsAnUnhandledErrorAndGoesOn)
{
    PromptScript prompts;
    prompts.expectMessage(Failure);
    EXPECT_FALSE(app::deliverGuarded([]() -> bool { throw std::runtime_error("kayıt yok"); }));
    prompts.verify();
    // The silent abort of a refused step shows nothing.
    EXPECT_FALSE(app::deliverGuarded([]() -> bool { throw core::SilentAbort{}; }));
    EXPECT_TRUE(app::deliverGuarded([] { return true; }));
}

class SystemScreenTest : public testing::Test {
protected:
    SystemScreenTest() { core::Clock::install(&m_clock); }
    ~SystemScreenTest() override { core::Clock::install(nullptr); }

    void show()
    {
        m_screen.show();
        QApplication::setActiveWindow(&m_screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_screen));
    }
    QLineEdit* field(const char* name) { return child<QLineEdit>(m_screen, name); }
    QString memo() { return child<QPlainTextEdit>(m_screen, "memTest")->toPlainText(); }

    core::FixedClock m_clock{QDateTime(QDate(2026, 12, 9), QTime(10, 0))};
    SettingsSandbox m_sandbox;
    core::TDM m_dm;
    core::AppContext m_ctx;
    TFRMSYSTEM m_screen{m_dm, m_ctx};
};

TEST_F(SystemScreenTest, F5RefusesAMissingFolderOrFileAndStoresNothing)
{
    TempDatabase file;
    m_sandbox.store("YIL", "2026");
    m_sandbox.store("YOL", "/eski");
    show();
    EXPECT_EQ(field("edtYol")->text(), "/eski");
    EXPECT_EQ(field("edtTamAd")->text(), "/eski/DORPAK2026.GDB");

    PromptScript prompts;
    prompts.expectMessage("DİKKAT! Veritabanı Yolu Bulunamadı..!");
    prompts.expectMessage("DİKKAT! Veritabanı Dosyası Bulunamadı..!");
    prompts.expectMessage("DİKKAT! Veritabanı Dosyası Bulunamadı..!");
    QTest::keyClick(&m_screen, Qt::Key_F5);
    field("edtYol")->setText(file.folder());
    field("edtYil")->setText("2025");
    QTest::keyClick(&m_screen, Qt::Key_F5);
    field("edtYil")->setText("2026");
    field("edtAnaMakina")->setText("SUNUCU");
    EXPECT_EQ(field("edtTamAd")->text(), "SUNUCU:" + file.folder() + "/DORPAK2026.GDB");
    QTest::keyClick(&m_screen, Qt::Key_F5);
    prompts.verify();

    EXPECT_TRUE(m_screen.isVisible());
    EXPECT_EQ(m_sandbox.value("YOL").toString(), "/eski");
    m_screen.close(); // the system close is refused
    EXPECT_TRUE(m_screen.isVisible());
    QTest::keyClick(&m_screen, Qt::Key_F6);
    EXPECT_FALSE(m_screen.isVisible());
    EXPECT_EQ(m_sandbox.value("YOL").toString(), "/eski");
    EXPECT_FALSE(m_dm.IBDATABASE.isOpen());
}

TEST_F(SystemScreenTest, BrowseTestAndDefaultValues)
{
    TempDatabase file;
    show();
    PromptScript prompts;
    prompts.expectOpenFile(file.path());
    child<QAbstractButton>(m_screen, "btnGozat")->click();
    EXPECT_EQ(field("edtYol")->text(), file.folder());
    EXPECT_EQ(field("edtYil")->text(), "2026");
    EXPECT_EQ(field("edtDosya")->text(), "DORPAK2026.GDB");
    EXPECT_EQ(prompts.fileDialogs(),
              QStringList{"Veritabanı Dosyası|Veritabanı Dosyası (DORPAK????.GDB)"});

    child<QPushButton>(m_screen, "btnTest")->click();
    EXPECT_EQ(memo(), "Test işlemi başladı.....\nDosya Adı Doğrulandı.....\n.\n"
                      "Veritabanı Yolu Doğrulandı.....\n.\n"
                      "Veritabanı Açıldı, Versiyon 12.003.....\nVeritabanı Versiyonu Uygun.....");

    const QString question =
        QStringLiteral("DİKKAT! Mevcut Verilerin Değiştirilmesi Programın Çalışmasını "
                       "Engelleyebilir. Onaylıyormusunuz.?");
    prompts.expectQuestion(question, false);
    child<QPushButton>(m_screen, "btnDefault")->click();
    EXPECT_EQ(field("edtYol")->text(), file.folder());

    field("edtYil")->setText("1999");
    field("edtAnaMakina")->setText("SUNUCU");
    prompts.expectQuestion(question, true);
    child<QPushButton>(m_screen, "btnDefault")->click();
    EXPECT_EQ(field("edtYol")->text(),
              QDir::toNativeSeparators(QDir::currentPath() + "/DATA/DORPAK"));
    EXPECT_EQ(field("edtYil")->text(), "2026");
    EXPECT_EQ(field("edtAnaMakina")->text(), "SUNUCU");
    EXPECT_FALSE(m_sandbox.value("YOL").isValid()); // nothing stored yet
    child<QPushButton>(m_screen, "btnVazgec")->click();
}

TEST_F(SystemScreenTest, OffersTheNewYearWhenOnlyTheYearBeforeHasAFile)
{
    TempDatabase before(db::SchemaVersion::Current, "DORPAK2025.GDB");
    before.exec("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(1,'YAZI İŞLERİ')");
    before.exec("UPDATE TANIM SET KURUM='KARAÇAY BELEDİYESİ'");
    before.database().close();
    m_sandbox.store("YIL", "2026");
    m_sandbox.store("YOL", before.folder());
    show();
    QPushButton* offer = child<QPushButton>(m_screen, "btnYeniYil");
    EXPECT_EQ(offer->text(), "Yeni Yıl Dosyası Oluştur");
    EXPECT_TRUE(offer->isVisible());
    // Not for a year whose file is there, nor for one without a year before.
    field("edtYil")->setText("2025");
    EXPECT_FALSE(offer->isVisible());
    field("edtYil")->setText("2024");
    EXPECT_FALSE(offer->isVisible());
    field("edtYil")->setText("2026");
    ASSERT_TRUE(offer->isVisible());
    // On a server the files are looked for by "Test Et"; a server that
    // does not answer offers nothing.
    QPushButton* test = child<QPushButton>(m_screen, "btnTest");
    field("edtAnaMakina")->setText(testsupport::testServer());
    EXPECT_FALSE(offer->isVisible());
    test->click();
    EXPECT_TRUE(offer->isVisible());
    field("edtAnaMakina")->setText("127.0.0.1/1");
    test->click();
    EXPECT_FALSE(offer->isVisible());
    field("edtAnaMakina")->clear();
    ASSERT_TRUE(offer->isVisible());

    PromptScript prompts;
    prompts.expectMessage("DORPAK2026.GDB Oluşturuldu.");
    offer->click();
    prompts.verify();
    EXPECT_FALSE(m_screen.isVisible());
    // Opened as at start.
    const QString made = before.folder() + "/DORPAK2026.GDB";
    EXPECT_EQ(m_dm.IBDATABASE.name(), made);
    EXPECT_EQ(m_ctx.WorkingYear, "2026");
    EXPECT_EQ(m_ctx.InstitutionName, "KARAÇAY BELEDİYESİ");
    EXPECT_EQ(m_sandbox.value("YIL").toString(), "2026");
    db::Query q(m_dm.IBDATABASE);
    q.openLines({"SELECT BIRIM FROM BIRIM"});
    EXPECT_EQ(q.field("BIRIM").toString(), "YAZI İŞLERİ");
    m_dm.IBDATABASE.close();
}

} // namespace
