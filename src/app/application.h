#pragma once

#include <QApplication>

#include <functional>

class QTranslator;

namespace app {

// Delivers one event; an error that no screen handled is reported with the
// application error handler's one message, the silent abort with nothing,
// and the event counts as not handled. The program goes on.
bool deliverGuarded(const std::function<bool()>& deliver);

// Loads the toolkit's own Turkish texts (qtbase_tr.qm) into the
// translator, so that the buttons of the message boxes and the file, print
// and page dialogs speak Turkish. Looks beside the program first (a
// program copied with its translations), then in the toolkit's
// translation folder. False when neither holds them.
bool loadToolkitTranslation(QTranslator& translator);

// The program's application object: every event goes through the
// application error handler.
class DorpakApplication : public QApplication {
public:
    DorpakApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
