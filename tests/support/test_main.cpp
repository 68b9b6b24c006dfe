// Runs a test binary's tests inside a QApplication, as the program runs, in
// fixed surroundings: no display, a fixed locale and time zone, and the
// server and templates of the test run unless the environment names others.

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

void pin(const char* name, const char* value, bool overwrite)
{
    setenv(name, value, overwrite ? 1 : 0);
}

} // namespace

int main(int argc, char** argv)
{
    pin("QT_QPA_PLATFORM", "offscreen", true);
    pin("LC_ALL", "C.UTF-8", true);
    pin("LANG", "C.UTF-8", true);
    pin("TZ", "Europe/Istanbul", true);
    tzset();
    pin("DORPAK_TEST_SERVER", DORPAK_TEST_SERVER, false);
    pin("DORPAK_TEST_TEMPLATES", DORPAK_TEST_TEMPLATES, false);
    QApplication app(argc, argv);
    // The error log of the run goes to a folder of its own, never the
    // user's.
    QTemporaryDir state;
    pin("XDG_STATE_HOME", state.path().toLocal8Bit().constData(), true);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
