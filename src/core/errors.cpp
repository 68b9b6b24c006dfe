#include "errors.h"

#include "prompter.h"

#include <QString>

namespace core {

void reportUnhandledError()
{
    // The error's own text is not shown.
    Prompter::current().message(QStringLiteral("BİR HATA OLUŞTU:"));
}

bool guarded(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const SilentAbort&) {
        return false;
    } catch (...) {
        reportUnhandledError();
        return false;
    }
}

} // namespace core
