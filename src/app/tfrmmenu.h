#pragma once

#include "access/rights.h"
#include "core/appcontext.h"
#include "core/tdm.h"
#include "core/versioninfo.h"

#include <QImage>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QTableWidget;
class ClickLabel;
class TFRMPSSWD;
class TFRMSYSTEM;
class TFRMVERBILGI;
class TFRMABOUT;

namespace core {
class SingleInstance;
}

// The entries of the main menu that open a screen.
enum class MenuEntry {
    GelenEvrak,
    GidenEvrak,
    Dilekce,
    EvrakAra,
    GenelListe,
    GelenYazilarListesi,
    GidenYazilarListesi,
    DilekcelerListesi,
    GenelTanimlar,
    KullaniciTanimlari,
    BirimTanimlari,
    KurumTanimlari,
    EvrakCinsiTanimlari,
    EvrakSablonu,
    DosyaKontrolIslemi,
    SifreDegis,
};

// The screens the main window opens itself.
struct MainWindowScreens {
    TFRMPSSWD* login = nullptr;
    TFRMSYSTEM* system = nullptr;
    TFRMVERBILGI* versionInfo = nullptr;
    TFRMABOUT* about = nullptr;
};

// The main window: menu, main panel and status panel, the clock, and the run
// of the program from the creation step to the orderly end. Its closing
// permission is the shared CloseAllowed: a close request is refused
// silently while it is clear; "&Program Sonu" sets it and closes.
class TFRMMENU : public QMainWindow, public MenuTrimmer {
    Q_OBJECT
public:
    TFRMMENU(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMMENU() override;

    // Wiring by the program's screen building. An entry without an action is
    // shown disabled; giving it one enables it.
    void setEntryAction(MenuEntry entry, std::function<void()> action);
    QAction* entryAction(MenuEntry entry) const;
    void setScreens(const MainWindowScreens& screens);
    // How the program ends; every end goes through it.
    void setQuitFunction(std::function<void()> quit);
    // Where the single-copy lock lies (the user's runtime folder by default).
    void setInstanceFolder(const QString& folder);

    // The creation step: the single-copy rule, then IBASEAC. False when
    // another copy runs: its message was shown and the program ends.
    bool creationStep();

    // The activation sequence; runs once, when the window is first shown
    // and active.
    void activationSequence();
    bool activationRan() const { return m_activationRan; }
    // Set once the program was asked to end.
    bool endRequested() const { return m_endRequested; }

    core::InfoServerConnection& infoServer() { return m_infoServer; }
    // The institution's emblem as read from TANIM.LOGO; null when there is none.
    QImage institutionLogo() const { return m_logo; }

    // MenuTrimmer: MENUYAP hides entries and whole menus.
    void hideEntry(int rightCode) override;
    void hideMenu(const QString& caption) override;

public slots:
    // "&Program Sonu".
    void programSonu();
    // An end the clerk did not choose (the session ending, a kill): the
    // unsaved work of an open entry screen is rolled back as its
    // "F6-Vazgeç" would, what the screens have committed stays, the open
    // screens close, and the program ends as "&Program Sonu" ends it. No
    // message holds it up: errors go to the log alone.
    void terminate();
    // Context menu "SYSTEM" (Ctrl+S). When the screen re-opened the
    // connection on another yearly file, the program takes that file as it
    // takes one at start: login and rights when it requires a login, the
    // schema version check, then its definitions.
    void openSystemSettings();
    // A click on LVER.
    void openVersionInfo();
    // A click on the vendor logo.
    void openAbout();
    // Offers the newer program; when its updater runs, the program ends in
    // the orderly way.
    void PRGGUNCELLE();
    // Rewrites STSAAT; the clock's timer calls it every minute.
    void updateClock();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct EntryInfo;
    static const std::vector<EntryInfo>& entries();

    void buildMenu();
    void buildPanels();
    void runActivation();
    void runSystemSettings();
    // What a yearly file goes through when the program takes it, at start or
    // after the system settings screen opened another: the login it requires
    // with the rights and menu of its user, then the schema version check
    // with its upgrade step. False when the program ends or stops here.
    bool enterFile();
    // The user, the rights and the trimmed menu of a file no longer open.
    void forgetUser();
    // TANIMOKU, the labels that show what it read and the theme colour.
    void readDefinitions();
    void showDateLabels();
    void applyWindowState();
    void loadInstitutionLogo();
    // After "Genel Tanımlar" closed: definitions, year, colour and logo.
    void refreshAfterGeneralDefinitions();
    void showUser();
    void showRightsCache();
    void triggerEntry(MenuEntry entry);
    void orderlyEnd();
    void endProgram();

    core::TDM& m_dm;
    core::AppContext& m_ctx;
    MainWindowScreens m_screens;
    std::function<void()> m_quit;
    QString m_instanceFolder;
    std::unique_ptr<core::SingleInstance> m_instance;
    core::InfoServerConnection m_infoServer;
    QTimer m_clock;

    std::map<MenuEntry, QAction*> m_actions;
    std::map<MenuEntry, std::function<void()>> m_entryActions;
    std::map<QString, QMenu*> m_menus;

    QLabel* m_lblBaslik = nullptr;
    QLabel* m_LKURUM = nullptr;
    QLabel* m_IMGLOGO = nullptr;
    QImage m_logo;
    QLabel* m_LBRM = nullptr;
    ClickLabel* m_vendorLogo = nullptr;
    ClickLabel* m_LVER = nullptr;
    QLabel* m_LBLTARIH = nullptr;
    QLabel* m_LBLGUN = nullptr;
    QLabel* m_STSAAT = nullptr;
    QLabel* m_LBLYIL = nullptr;
    QLabel* m_LUSR = nullptr;
    QLabel* m_LUSRACK = nullptr;
    QTableWidget* m_GRDUSER = nullptr;

    bool m_activationStarted = false;
    bool m_activationRan = false;
    bool m_closed = false;
    bool m_endRequested = false;
};
