#include "settings.h"

#include "clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace core {
namespace {

const QString Organization = QStringLiteral("VELOR");
const QString Application = QStringLiteral("DORPAK");
const QString ScannerGroup = QStringLiteral("TARAYICI");

} // namespace

namespace settings {

StoredSettings read()
{
    const QSettings store(Organization, Application);
    return {store.value(QStringLiteral("YIL")).toString(),
            store.value(QStringLiteral("YOL")).toString(),
            store.value(QStringLiteral("BFORM")).toString()};
}

void storeYearAndFolder(const QString& year, const QString& folder)
{
    QSettings store(Organization, Application);
    store.setValue(QStringLiteral("YIL"), year);
    store.setValue(QStringLiteral("YOL"), folder);
}

void storeClosingState(const QString& windowState, const QString& year)
{
    QSettings store(Organization, Application);
    store.setValue(QStringLiteral("BFORM"), windowState);
    store.setValue(QStringLiteral("YIL"), year);
}

ScannerChoice readScannerChoice()
{
    QSettings store(Organization, Application);
    store.beginGroup(ScannerGroup);
    ScannerChoice choice;
    choice.device = store.value(QStringLiteral("CIHAZ")).toString();
    bool ok = false;
    const int dpi = store.value(QStringLiteral("COZUNURLUK")).toInt(&ok);
    if (ok && dpi > 0)
        choice.resolution = dpi;
    choice.mode = store.value(QStringLiteral("RENK"), choice.mode).toString();
    choice.feeder = store.value(QStringLiteral("BESLEYICI")).toString() == QLatin1String("E");
    return choice;
}

void storeScannerChoice(const ScannerChoice& choice)
{
    QSettings store(Organization, Application);
    store.beginGroup(ScannerGroup);
    store.setValue(QStringLiteral("CIHAZ"), choice.device);
    store.setValue(QStringLiteral("COZUNURLUK"), QString::number(choice.resolution));
    store.setValue(QStringLiteral("RENK"), choice.mode);
    store.setValue(QStringLiteral("BESLEYICI"),
                   choice.feeder ? QStringLiteral("E") : QStringLiteral("H"));
}

} // namespace settings

QString defaultDataFolder()
{
    return defaultDataFolderFor(
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString());
}

QString defaultDataFolderFor(const QString& programFolder)
{
    if (!programFolder.isEmpty() && QFileInfo(programFolder).fileName() == QLatin1String("bin"))
        return QDir::toNativeSeparators(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/dorpak"));
    return QDir::toNativeSeparators(QDir::currentPath() + QStringLiteral("/DATA/DORPAK"));
}

QString defaultWorkingYear()
{
    return QString::number(Clock::current().now().date().year());
}

QString bareDatabaseFileName(const QString& year)
{
    return QStringLiteral("DORPAK") + year + QStringLiteral(".GDB");
}

QString databaseFileName(const QString& folder, const QString& year)
{
    return folder + QDir::separator() + bareDatabaseFileName(year);
}

} // namespace core
