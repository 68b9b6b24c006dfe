#include "application.h"

#include "core/errors.h"

namespace app {

bool deliverGuarded(const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (const core::SilentAbort&) {
        return false;
    } catch (...) {
        core::reportUnhandledError();
        return false;
    }
}

DorpakApplication::DorpakApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool DorpakApplication::notify(QObject* receiver, QEvent* event)
{
    return deliverGuarded([&] { return QApplication::notify(receiver, event); });
}

} // namespace app
