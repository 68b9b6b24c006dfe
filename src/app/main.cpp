#include "core/tdm.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QMainWindow>
#include <QSettings>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    core::TDM dm;
    db::Database::setBusyHandler([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    QSettings settings(QStringLiteral("VELOR"), QStringLiteral("DORPAK"));
    const QString year = settings.value(QStringLiteral("YIL"), QString::number(QDate::currentDate().year()))
                             .toString()
                             .left(4);
    const QString folder = settings.value(QStringLiteral("YOL"),
                                          QDir::currentPath() + QStringLiteral("/DATA/DORPAK"))
                               .toString();
    try {
        dm.IBDATABASE.open(folder + QStringLiteral("/DORPAK") + year + QStringLiteral(".GDB"));
    } catch (const db::DbError&) {
    }
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Velor Yazılım - Belediye Otomasyonu"));
    window.resize(900, 600);
    window.show();
    return app.exec();
}
