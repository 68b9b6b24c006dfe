#include "application.h"

#include "core/errors.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

bool loadToolkitTranslation(QTranslator& translator)
{
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    for (const QString& folder :
         {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)})
        if (translator.load(turkish, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return true;
    return false;
}

DorpakApplication::DorpakApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool DorpakApplication::notify(QObject* receiver, QEvent* event)
{
    return deliverGuarded([&] { return QApplication::notify(receiver, event); });
}

} // namespace app
