#include "application.h"
#include "program.h"
#include "signals.h"
#include "tfrmmenu.h"

#include "db/database.h"
#include "widgets/widgetprompter.h"

#include <QTranslator>

int main(int argc, char** argv)
{
    app::blockTerminationSignals();
    app::DorpakApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DORPAK"));
    // The program ends only through the main window's one way out.
    QApplication::setQuitOnLastWindowClosed(false);
    // The toolkit's dialogs in the language of the program.
    QTranslator toolkit;
    if (app::loadToolkitTranslation(toolkit))
        QCoreApplication::installTranslator(&toolkit);

    widgets::WidgetPrompter prompter;
    core::Prompter::install(&prompter);
    db::Database::setBusyHandler([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });

    app::Program program({QString(), [] { QCoreApplication::exit(0); }, true});
    // From the start: a second copy showing its message ends on a signal too.
    app::endOnTerminationSignals([&program] { program.terminate(); });
    if (!program.build() || program.terminateRequested())
        return 0;
    program.show();
    return application.exec();
}
