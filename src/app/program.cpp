#include "program.h"

#include "tfrmabout.h"
#include "tfrmmenu.h"

#include "core/errorlog.h"
#include "core/errors.h"
#include "widgets/screen.h"

#include <QApplication>
#include <QScreen>

namespace app {

namespace {

// The screen an error happened on, for the error log: the screen in front,
// else the window the toolkit calls active.
QString screenInFront()
{
    QWidget* w = nullptr;
    if (const QList<widgets::Screen*> open = widgets::Screen::openScreens(); !open.isEmpty())
        w = open.first();
    if (!w)
        w = QApplication::activeModalWidget();
    if (!w)
        w = QApplication::activeWindow();
    if (!w)
        return {};
    const QString title = w->windowTitle();
    return title.isEmpty() ? w->objectName()
                           : w->objectName() + QStringLiteral(" \"") + title + QLatin1Char('"');
}

} // namespace

Program::Program(ProgramOptions options) : m_options(std::move(options))
{
    core::setEndPhase(core::EndPhase::Running);
    core::setScreenNameSource(screenInFront);
}

Program::~Program()
{
    core::setEndPhase(core::EndPhase::Running);
    // The screens belong to the main window, which goes before the data
    // module; closing the connection then commits what is still open.
    m_menu.reset();
    m_dm.reset();
}

bool Program::build()
{
    if (m_options.splash) {
        m_splash = std::make_unique<TFRMSPLASH>();
        m_splash->show();
        QApplication::processEvents(); // let it paint
    }
    m_dm = std::make_unique<core::TDM>();
    m_menu = std::make_unique<TFRMMENU>(*m_dm, m_ctx);
    m_menu->setQuitFunction(m_options.quit);
    m_menu->setInstanceFolder(m_options.instanceFolder);
    const bool running = m_menu->creationStep();
    if (running)
        m_screens = buildScreens(*m_dm, m_ctx, *m_menu);
    m_splash.reset();
    m_running = running;
    // A signal that came while the program was being built (a message of
    // the creation step was shown) ends it now, in the orderly way.
    if (m_running && m_terminateRequested)
        m_menu->terminate();
    return running;
}

void Program::terminate()
{
    m_terminateRequested = true;
    if (m_running) {
        m_menu->terminate();
        return;
    }
    core::setEndPhase(core::EndPhase::Ending);
    if (m_options.quit)
        m_options.quit();
}

void Program::show()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_menu->move(screen->availableGeometry().center() - m_menu->rect().center());
    m_menu->show();
    m_menu->raise();
    m_menu->activateWindow();
}

} // namespace app
