#pragma once

#include "screens.h"

#include "core/appcontext.h"
#include "core/tdm.h"

#include <QString>

#include <functional>
#include <memory>

class TFRMMENU;
class TFRMSPLASH;

namespace app {

struct ProgramOptions {
    // Where the single-copy lock lies; empty for the user's runtime folder.
    QString instanceFolder;
    // How the program ends once asked to: the event loop's exit in the
    // program, something a test can observe in the tests.
    std::function<void()> quit;
    // The splash window while the program is built.
    bool splash = true;
};

// The program's start and what it holds for the whole run: the data module,
// the context, the main window and every screen.
class Program {
public:
    explicit Program(ProgramOptions options);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The building phase: splash, data module, main window with its creation
    // step, every other screen, splash gone. False when the program ended
    // already (another copy runs).
    bool build();
    // Shows the main window; its activation sequence follows once it is
    // active.
    void show();
    // The termination signals' end, at any time: the main window's orderly
    // end once it runs; before that (a second copy showing its message, a
    // start still being built) the program just ends.
    void terminate();
    bool terminateRequested() const { return m_terminateRequested; }

    core::TDM& dm() { return *m_dm; }
    core::AppContext& ctx() { return m_ctx; }
    TFRMMENU& mainWindow() { return *m_menu; }
    const ProgramScreens& screens() const { return m_screens; }

private:
    ProgramOptions m_options;
    std::unique_ptr<TFRMSPLASH> m_splash;
    std::unique_ptr<core::TDM> m_dm;
    core::AppContext m_ctx;
    std::unique_ptr<TFRMMENU> m_menu;
    ProgramScreens m_screens;
    bool m_running = false;
    bool m_terminateRequested = false;
};

} // namespace app
