#include "tfrmmenu.h"

#include "clicklabel.h"
#include "pictures.h"
#include "tfrmabout.h"
#include "tfrmsystem.h"
#include "tfrmverbilgi.h"

#include "access/tfrmpsswd.h"
#include "core/clock.h"
#include "core/errors.h"
#include "core/programupdate.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "core/singleinstance.h"
#include "core/startup.h"
#include "core/versioncheck.h"
#include "widgets/colors.h"
#include "widgets/screen.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

struct TFRMMENU::EntryInfo {
    MenuEntry entry;
    int menu; // index into Menus
    const char* caption;
    int rightCode; // RIGHTS.KOD whose G flag hides the entry; 0 for none
    const char* objectName;
    bool neverVisible;
};

namespace {

// The top-level menus, in their order on the menu bar.
struct MenuInfo {
    const char* caption;
    const char* objectName;
};
const MenuInfo Menus[] = {
    {"Evrak İşlemleri", "mnuEvrakIslemleri"},
    {"Raporlar", "mnuRaporlar"},
    {"Parametreler", "mnuParametreler"},
};
enum { EvrakIslemleri, Raporlar, Parametreler };

// The main panel with its background picture.
class MainPanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        pictures::paintPanelBackground(painter, rect());
    }
};

QLabel* statusCell(QWidget* parent, const QString& objectName, const QString& text = QString())
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMargin(2);
    label->setMinimumWidth(48);
    return label;
}

QFont sized(const QFont& base, int pointSize, bool bold)
{
    QFont f = base;
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

} // namespace

const std::vector<TFRMMENU::EntryInfo>& TFRMMENU::entries()
{
    using E = MenuEntry;
    static const std::vector<EntryInfo> table = {
        {E::GelenEvrak, EvrakIslemleri, "Gelen Evrak", 1, "mnuGelenEvrak", false},
        {E::GidenEvrak, EvrakIslemleri, "Giden Evrak", 2, "mnuGidenEvrak", false},
        {E::Dilekce, EvrakIslemleri, "Dilekçe", 3, "mnuDilekce", false},
        // Offered to everyone who may see any register (below); Ctrl+F.
        {E::EvrakAra, EvrakIslemleri, "Evrak Ara", 0, "mnuEvrakAra", false},
        // Not guarded by MENUYAP: offered to a user whose right 11 lets
        // them in (below), and to everyone when no login is asked for.
        {E::GenelListe, Raporlar, "Genel Liste", 0, "mnuGenelListe", false},
        {E::GelenYazilarListesi, Raporlar, "Gelen Yazılar Listesi", 12, "mnuGelenYazilarListesi",
         false},
        {E::GidenYazilarListesi, Raporlar, "Giden Yazılar Listesi", 13, "mnuGidenYazilarListesi",
         false},
        {E::DilekcelerListesi, Raporlar, "Dilekçeler Listesi", 14, "mnuDilekcelerListesi", false},
        {E::GenelTanimlar, Parametreler, "Genel Tanımlar", 21, "mnuGenelTanimlar", false},
        {E::KullaniciTanimlari, Parametreler, "Kullanıcı Tanımları", 22, "mnuKullaniciTanimlari",
         false},
        {E::BirimTanimlari, Parametreler, "Birim Tanımları", 23, "mnuBirimTanimlari", false},
        {E::KurumTanimlari, Parametreler, "Kurum Tanımları", 24, "mnuKurumTanimlari", false},
        {E::EvrakCinsiTanimlari, Parametreler, "Evrak Cinsi Tanımları", 25,
         "mnuEvrakCinsiTanimlari", false},
        {E::EvrakSablonu, Parametreler, "Evrak Şablonu", 0, "mnuEvrakSablonu", false},
        {E::DosyaKontrolIslemi, Parametreler, "Dosya Kontrol İşlemi", 0, "mnuDosyaKontrolIslemi",
         true},
        {E::SifreDegis, Parametreler, "Şifre Değiş", 27, "mnuSifreDegis", false},
    };
    return table;
}

TFRMMENU::TFRMMENU(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), m_dm(dm), m_ctx(ctx)
{
    setObjectName(QStringLiteral("TFRMMENU"));
    setWindowTitle(QStringLiteral("Velor Yazılım - Belediye Otomasyonu"));
    // A title, but no buttons in it: the program ends through "&Program Sonu".
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(960, 640);
    buildMenu();
    buildPanels();
    showUser();

    m_clock.setInterval(60000);
    connect(&m_clock, &QTimer::timeout, this, [this] { core::guarded([this] { updateClock(); }); });
    m_clock.start();
}

TFRMMENU::~TFRMMENU() = default;

void TFRMMENU::buildMenu()
{
    std::vector<QMenu*> menus;
    for (const MenuInfo& info : Menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(info.caption));
        menu->setObjectName(QString::fromLatin1(info.objectName));
        m_menus[menu->title()] = menu;
        menus.push_back(menu);
    }
    for (const EntryInfo& info : entries()) {
        QAction* action = menus[size_t(info.menu)]->addAction(QString::fromUtf8(info.caption));
        action->setObjectName(QString::fromLatin1(info.objectName));
        // Disabled until the program gives the entry its screen.
        action->setEnabled(false);
        action->setVisible(!info.neverVisible);
        const MenuEntry entry = info.entry;
        connect(action, &QAction::triggered, this, [this, entry] { triggerEntry(entry); });
        m_actions[entry] = action;
    }
    // The search answers Ctrl+F anywhere in the main window.
    QAction* search = m_actions.at(MenuEntry::EvrakAra);
    search->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    search->setShortcutContext(Qt::WindowShortcut);
    addAction(search);
    QAction* end = menuBar()->addAction(QStringLiteral("&Program Sonu"));
    end->setObjectName(QStringLiteral("mnuProgramSonu"));
    connect(end, &QAction::triggered, this, [this] { core::guarded([this] { programSonu(); }); });
}

void TFRMMENU::buildPanels()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlMerkez"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* panel = new MainPanel(central);
    panel->setObjectName(QStringLiteral("pnlAna"));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(16, 16, 16, 24);

    auto* top = new QHBoxLayout;
    m_vendorLogo = new ClickLabel(panel);
    m_vendorLogo->setObjectName(QStringLiteral("imgVelor"));
    m_vendorLogo->setPixmap(pictures::vendorLogo(64));
    m_vendorLogo->setCursor(Qt::PointingHandCursor);
    connect(m_vendorLogo, &ClickLabel::clicked, this,
            [this] { core::guarded([this] { openAbout(); }); });
    top->addWidget(m_vendorLogo, 0, Qt::AlignTop | Qt::AlignLeft);
    top->addStretch();
    panelLayout->addLayout(top);
    panelLayout->addStretch(1);

    const QFont base = font();
    m_lblBaslik = new QLabel(QStringLiteral("GELEN / GİDEN EVRAK PROGRAMI"), panel);
    m_lblBaslik->setObjectName(QStringLiteral("lblBaslik"));
    m_lblBaslik->setFont(sized(base, 24, true));
    m_lblBaslik->setStyleSheet(QStringLiteral("color: #122c4f;"));
    m_lblBaslik->setAlignment(Qt::AlignCenter);
    panelLayout->addWidget(m_lblBaslik);
    panelLayout->addSpacing(12);

    m_LKURUM = new QLabel(panel);
    m_LKURUM->setObjectName(QStringLiteral("LKURUM"));
    m_LKURUM->setFont(sized(base, 18, true));
    m_LKURUM->setStyleSheet(QStringLiteral("color: #0f5f63;"));
    m_LKURUM->setAlignment(Qt::AlignCenter);
    panelLayout->addWidget(m_LKURUM);
    panelLayout->addSpacing(8);

    m_IMGLOGO = new QLabel(panel);
    m_IMGLOGO->setObjectName(QStringLiteral("IMGLOGO"));
    m_IMGLOGO->setFixedSize(150, 150);
    m_IMGLOGO->setAlignment(Qt::AlignCenter);
    panelLayout->addWidget(m_IMGLOGO, 0, Qt::AlignHCenter);
    panelLayout->addSpacing(8);

    m_LBRM = new QLabel(panel);
    m_LBRM->setObjectName(QStringLiteral("LBRM"));
    m_LBRM->setFont(sized(base, 14, true));
    m_LBRM->setStyleSheet(QStringLiteral("color: red;"));
    m_LBRM->setAlignment(Qt::AlignCenter);
    panelLayout->addWidget(m_LBRM);
    panelLayout->addStretch(2);
    layout->addWidget(panel, 1);

    auto* status = new QFrame(central);
    status->setObjectName(QStringLiteral("pnlDurum"));
    status->setFrameShape(QFrame::StyledPanel);
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->setContentsMargins(4, 3, 4, 3);
    statusLayout->setSpacing(4);
    statusLayout->addWidget(new QLabel(QStringLiteral("Ver:"), status));
    m_LVER = new ClickLabel(core::ProgramVersion, status);
    m_LVER->setObjectName(QStringLiteral("LVER"));
    m_LVER->setFrameShape(QFrame::Panel);
    m_LVER->setFrameShadow(QFrame::Sunken);
    m_LVER->setMargin(2);
    m_LVER->setCursor(Qt::PointingHandCursor);
    connect(m_LVER, &ClickLabel::clicked, this,
            [this] { core::guarded([this] { openVersionInfo(); }); });
    statusLayout->addWidget(m_LVER);
    m_LBLTARIH = statusCell(status, QStringLiteral("LBLTARIH"));
    m_LBLTARIH->setMinimumWidth(150);
    statusLayout->addWidget(m_LBLTARIH);
    m_LBLGUN = statusCell(status, QStringLiteral("LBLGUN"));
    m_LBLGUN->setMinimumWidth(90);
    statusLayout->addWidget(m_LBLGUN);
    m_STSAAT = statusCell(status, QStringLiteral("STSAAT"), QStringLiteral("00:00"));
    statusLayout->addWidget(m_STSAAT);
    statusLayout->addSpacing(8);
    statusLayout->addWidget(new QLabel(QStringLiteral("Çalışma Yılı  :"), status));
    m_LBLYIL = statusCell(status, QStringLiteral("LBLYIL"));
    statusLayout->addWidget(m_LBLYIL);
    statusLayout->addSpacing(8);
    statusLayout->addWidget(new QLabel(QStringLiteral("Kullanıcı:"), status));
    m_LUSR = statusCell(status, QStringLiteral("LUSR"));
    m_LUSR->setMinimumWidth(80);
    statusLayout->addWidget(m_LUSR);
    m_LUSRACK = statusCell(status, QStringLiteral("LUSRACK"));
    m_LUSRACK->setMinimumWidth(160);
    statusLayout->addWidget(m_LUSRACK, 1);
    layout->addWidget(status);

    // The rights of the user, as RIGHTSAKTAR loaded them; never shown.
    m_GRDUSER = new QTableWidget(35, 5, central);
    m_GRDUSER->setObjectName(QStringLiteral("GRDUSER"));
    m_GRDUSER->hide();

    // The context menu of the window: "SYSTEM", also reached with Ctrl+S.
    auto* system = new QAction(QStringLiteral("SYSTEM"), central);
    system->setObjectName(QStringLiteral("mnuSystem"));
    system->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    system->setShortcutContext(Qt::WindowShortcut);
    connect(system, &QAction::triggered, this,
            [this] { core::guarded([this] { openSystemSettings(); }); });
    central->addAction(system);
    central->setContextMenuPolicy(Qt::ActionsContextMenu);

    setCentralWidget(central);
}

void TFRMMENU::setEntryAction(MenuEntry entry, std::function<void()> action)
{
    m_entryActions[entry] = std::move(action);
    m_actions.at(entry)->setEnabled(true);
}

QAction* TFRMMENU::entryAction(MenuEntry entry) const
{
    return m_actions.at(entry);
}

void TFRMMENU::setScreens(const MainWindowScreens& screens)
{
    m_screens = screens;
}

void TFRMMENU::setQuitFunction(std::function<void()> quit)
{
    m_quit = std::move(quit);
}

void TFRMMENU::setInstanceFolder(const QString& folder)
{
    m_instanceFolder = folder;
}

bool TFRMMENU::creationStep()
{
    m_instance = std::make_unique<core::SingleInstance>(
        m_instanceFolder.isEmpty() ? core::SingleInstance::defaultFolder() : m_instanceFolder);
    if (!m_instance->acquire()) {
        core::Prompter::current().message(core::AlreadyRunningMessage);
        endProgram();
        return false;
    }
    // The application error handler is the program's own (it wraps every
    // event), installed before this window was built.
    core::guarded([this] {
        if (core::IBASEAC(m_dm, m_ctx)) {
            m_LKURUM->setText(m_ctx.InstitutionName);
            m_LBRM->setText(m_ctx.UserDeptName);
            m_LBLYIL->setText(m_ctx.WorkingYear);
        }
    });
    return true;
}

bool TFRMMENU::event(QEvent* event)
{
    // The sequence runs once the window is up: on its activation, or on its
    // first showing where no window manager activates windows (a bare X
    // server). Queued, so that it does not run inside the event: it opens
    // modal screens.
    const bool firstShow = event->type() == QEvent::Show && !event->spontaneous();
    if ((firstShow || event->type() == QEvent::WindowActivate) && !m_activationStarted) {
        m_activationStarted = true;
        QTimer::singleShot(0, this, [this] { activationSequence(); });
    }
    return QMainWindow::event(event);
}

void TFRMMENU::activationSequence()
{
    if (m_activationRan)
        return;
    m_activationStarted = true;
    m_activationRan = true;
    core::guarded([this] { runActivation(); });
}

void TFRMMENU::runActivation()
{
    m_ctx.CloseAllowed = false;
    if (m_ctx.DbOpenFailed)
        runSystemSettings();
    updateClock();
    if (!enterFile())
        return;
    showDateLabels();
    applyWindowState();
    readDefinitions();
    loadInstitutionLogo();
}

bool TFRMMENU::enterFile()
{
    if (m_ctx.LoginRequired == QLatin1String("1")) {
        core::Prompter::current().runModal(*m_screens.login);
        if (m_screens.login->LoginResult != 1) {
            m_ctx.CloseAllowed = true;
            close();
            return false;
        }
        m_ctx.UserNo = m_screens.login->LoginHno;
        RIGHTSAKTAR(m_dm, m_ctx);
        showRightsCache();
        m_ctx.UserName = m_screens.login->typedUserName();
        showUser();
        MENUYAP(m_ctx, *this);
        const bool generalList = HAKBUL(m_ctx, QStringLiteral("11")).G == QLatin1String("E");
        m_actions.at(MenuEntry::GenelListe)->setVisible(generalList);
        if (generalList)
            m_menus.at(QStringLiteral("Raporlar"))->menuAction()->setVisible(true);
        bool anyRegister = false;
        for (int code : {1, 2, 3})
            anyRegister |= mayOpenRegister(m_ctx, code);
        m_actions.at(MenuEntry::EvrakAra)->setVisible(anyRegister);
    }

    switch (core::VERKONT(m_dm, m_ctx)) {
    case core::VersionOutcome::Upgraded:
        // The next start goes on with the upgraded file. The settings are
        // not written in this run; the transaction is committed when the
        // connection goes away with the program.
        endProgram();
        return false;
    case core::VersionOutcome::ProgramTooOld:
        PRGGUNCELLE();
        break;
    case core::VersionOutcome::Current:
    case core::VersionOutcome::DatabaseTooOld:
        break;
    }
    if (!m_ctx.VersionOk) {
        m_ctx.CloseAllowed = true;
        close();
        return false;
    }
    m_ctx.CloseAllowed = false;
    return true;
}

void TFRMMENU::forgetUser()
{
    const core::AppContext fresh;
    m_ctx.UserNo = fresh.UserNo;
    m_ctx.UserName = fresh.UserName;
    m_ctx.UserFullName = fresh.UserFullName;
    m_ctx.UserDeptCode = fresh.UserDeptCode;
    m_ctx.UserDeptName = fresh.UserDeptName;
    m_ctx.RightsCache = fresh.RightsCache;
    m_ctx.RightFlags = fresh.RightFlags;
    showRightsCache();
    showUser();
    m_LBRM->setText(m_ctx.UserDeptName);
    for (const EntryInfo& info : entries())
        m_actions.at(info.entry)->setVisible(!info.neverVisible);
    for (const auto& [caption, menu] : m_menus)
        menu->menuAction()->setVisible(true);
}

void TFRMMENU::readDefinitions()
{
    core::TANIMOKU(m_dm, m_ctx);
    m_LKURUM->setText(m_ctx.InstitutionName);
    m_LBRM->setText(m_ctx.UserDeptName);
    // The theme of the file, at every start as after the general
    // definitions close.
    widgets::paintBackground(*this, widgets::windowsColor(m_ctx.ThemeFormColor));
}

void TFRMMENU::showDateLabels()
{
    const core::DateParts today = core::TARIHBUL(core::todayText());
    m_LBLTARIH->setText(core::dateLabelText(today));
    m_LBLGUN->setText(today.weekdayName);
}

void TFRMMENU::applyWindowState()
{
    if (m_ctx.WindowStateSetting == QLatin1String("1"))
        showMaximized();
    else if (m_ctx.WindowStateSetting == QLatin1String("2"))
        showNormal();
}

void TFRMMENU::loadInstitutionLogo()
{
    m_IMGLOGO->clear();
    m_logo = QImage();
    db::Query& q = m_dm.QRSORGU;
    q.clear();
    q.add(QStringLiteral("SELECT LOGO FROM TANIM"));
    q.open();
    const QByteArray bytes = q.isEmpty() ? QByteArray() : q.field(QStringLiteral("LOGO")).toBytes();
    q.close();
    if (bytes.isEmpty())
        return;
    const QImage image = QImage::fromData(bytes);
    m_logo = image;
    if (!image.isNull())
        m_IMGLOGO->setPixmap(QPixmap::fromImage(
            image.scaled(m_IMGLOGO->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TFRMMENU::refreshAfterGeneralDefinitions()
{
    readDefinitions();
    m_LBLYIL->setText(m_ctx.WorkingYear);
    loadInstitutionLogo();
}

void TFRMMENU::showUser()
{
    m_LUSR->setText(m_ctx.UserName);
    m_LUSRACK->setText(m_ctx.UserFullName);
}

void TFRMMENU::showRightsCache()
{
    m_GRDUSER->clearContents();
    m_GRDUSER->setRowCount(std::max<int>(35, int(m_ctx.RightsCache.size())));
    for (int row = 0; row < m_ctx.RightsCache.size(); ++row)
        for (int column = 0; column < 5; ++column)
            m_GRDUSER->setItem(row, column,
                               new QTableWidgetItem(m_ctx.RightsCache[row][size_t(column)]));
}

void TFRMMENU::hideEntry(int rightCode)
{
    for (const EntryInfo& info : entries())
        if (info.rightCode == rightCode)
            m_actions.at(info.entry)->setVisible(false);
}

void TFRMMENU::hideMenu(const QString& caption)
{
    if (QMenu* menu = m_menus.count(caption) ? m_menus.at(caption) : nullptr)
        menu->menuAction()->setVisible(false);
}

void TFRMMENU::triggerEntry(MenuEntry entry)
{
    const auto found = m_entryActions.find(entry);
    if (found == m_entryActions.end())
        return;
    core::guarded(found->second);
    // The visit is over: work a broken connection took half of is not
    // kept waiting for the next screen's commit.
    core::guarded([this] { m_dm.IBDATABASE.forgetLostWork(); });
    if (entry == MenuEntry::GenelTanimlar)
        core::guarded([this] { refreshAfterGeneralDefinitions(); });
}

void TFRMMENU::programSonu()
{
    if (m_infoServer.isOpen())
        m_infoServer.close();
    m_ctx.CloseAllowed = true;
    close();
}

void TFRMMENU::terminate()
{
    if (m_closed || m_endRequested)
        return;
    core::setEndPhase(core::EndPhase::Ending);
    const QList<widgets::Screen*> open = widgets::Screen::openScreens();
    const bool unsaved = std::any_of(
        open.begin(), open.end(), [](const widgets::Screen* s) { return s->holdsUnsavedWork(); });
    if (unsaved)
        core::guarded([this] { m_dm.FDTransaction1.rollback(); });
    for (widgets::Screen* screen : open) {
        screen->setClosePermission(true);
        screen->done(QDialog::Rejected);
    }
    programSonu();
}

void TFRMMENU::openSystemSettings()
{
    const db::Database& db = m_dm.IBDATABASE;
    const quint64 generation = db.generation();
    const QString file = db.isOpen() ? db.name() : QString();
    runSystemSettings();
    if (db.generation() == generation || (db.isOpen() && db.name() == file))
        return; // the file the run works with is still the same
    // Another yearly file: it is taken as at start, and nothing of the user
    // of the file before carries over.
    forgetUser();
    if (!db.isOpen())
        return; // it did not open; the system screen has said so
    if (!enterFile())
        return;
    showDateLabels();
    readDefinitions();
    loadInstitutionLogo();
}

void TFRMMENU::runSystemSettings()
{
    core::Prompter::current().runModal(*m_screens.system);
    // The screen re-read the working year and, after a save, the definitions.
    m_LBLYIL->setText(m_ctx.WorkingYear);
    m_LKURUM->setText(m_ctx.InstitutionName);
    m_LBRM->setText(m_ctx.UserDeptName);
}

void TFRMMENU::openVersionInfo()
{
    m_screens.versionInfo->setVersion(m_LVER->text());
    core::Prompter::current().runModal(*m_screens.versionInfo);
}

void TFRMMENU::openAbout()
{
    core::Prompter::current().runModal(*m_screens.about);
}

void TFRMMENU::PRGGUNCELLE()
{
    if (!core::PRGGUNCELLE(core::updaterUrl(), QCoreApplication::applicationDirPath()))
        return;
    m_ctx.CloseAllowed = true;
    close();
}

void TFRMMENU::updateClock()
{
    m_STSAAT->setText(core::clockText());
}

void TFRMMENU::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!m_ctx.CloseAllowed) {
        event->ignore(); // refused silently
        return;
    }
    orderlyEnd();
    event->accept();
}

void TFRMMENU::orderlyEnd()
{
    m_closed = true;
    m_clock.stop();
    // A minimised window keeps the state stored before.
    if (!isMinimized())
        m_ctx.WindowStateSetting = isMaximized() ? QStringLiteral("1") : QStringLiteral("2");
    try {
        m_dm.IBDATABASE.close(); // commits the open transaction
    } catch (...) {
        core::reportUnhandledError();
    }
    core::settings::storeClosingState(m_ctx.WindowStateSetting, m_ctx.WorkingYear);
    endProgram();
}

void TFRMMENU::endProgram()
{
    m_endRequested = true;
    // What still unwinds after this ran on the connection just closed.
    core::setEndPhase(core::EndPhase::Ended);
    if (m_quit)
        m_quit();
}
