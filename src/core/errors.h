#pragma once

#include <exception>
#include <functional>

namespace core {

// Stops the current action without a message: the silent abort of a
// refused close or an abandoned step. Not an error.
struct SilentAbort {};

// The application error handler: reports an error no screen handled with the
// one message "BİR HATA OLUŞTU:"; the action stops, the program goes on.
void reportUnhandledError();

// Runs an action of the clerk (a button, a menu entry, a filter change) and
// hands anything it throws to the application error handler. Returns false
// when the action was stopped.
bool guarded(const std::function<void()>& action);

} // namespace core
