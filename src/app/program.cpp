#include "program.h"

#include "tfrmabout.h"
#include "tfrmmenu.h"

#include <QApplication>
#include <QScreen>

namespace app {

Program::Program(ProgramOptions options) : m_options(std::move(options)) {}

Program::~Program()
{
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
    return running;
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
