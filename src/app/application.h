#pragma once

#include <QApplication>

#include <functional>

namespace app {

// Delivers one event; an error that no screen handled is reported with the
// application error handler's one message, the silent abort with nothing,
// and the event counts as not handled. The program goes on.
bool deliverGuarded(const std::function<bool()>& deliver);

// The program's application object: every event goes through the
// application error handler.
class DorpakApplication : public QApplication {
public:
    DorpakApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
