#pragma once

#include <QString>

namespace core {

// The three per-user settings, as stored: the working year, the folder of
// the yearly files and the main window state at the last orderly close.
// Missing values read as empty texts.
struct StoredSettings {
    QString YIL;
    QString YOL;
    QString BFORM;
};

// The last choice of the scanner dialog on this workstation: the device's
// name, the resolution in dpi, the colour mode ("Gray", "Color" or
// "Lineart") and whether the pages come from the document feeder. Missing
// values read as the defaults: 200 dpi, grey, no feeder.
struct ScannerChoice {
    QString device;
    int resolution = 200;
    QString mode = QStringLiteral("Gray");
    bool feeder = false;
};

// The per-user settings key "VELOR" / "DORPAK". A failure to read or write
// is ignored: the values gathered so far are used.
namespace settings {

StoredSettings read();
// IBASEAC and the system settings screen store these two.
void storeYearAndFolder(const QString& year, const QString& folder);
// The main window stores these two when it closes; YOL is not written there.
void storeClosingState(const QString& windowState, const QString& year);
// The scanner dialog's choice, under "TARAYICI" beside the three values.
ScannerChoice readScannerChoice();
void storeScannerChoice(const ScannerChoice& choice);

} // namespace settings

// The folder of the yearly files when none is stored. An installed program
// (one started from a folder named bin, such as /usr/bin) keeps them where a
// package keeps per-user data, in "dorpak" under the XDG data folder
// (~/.local/share/dorpak); started from elsewhere, as ./run.sh starts it
// from its build folder, the current directory followed by DATA/DORPAK.
QString defaultDataFolder();
// The same for a program started from programFolder.
QString defaultDataFolderFor(const QString& programFolder);
// The working year when none is stored: the current year.
QString defaultWorkingYear();

// "DORPAK" + year + ".GDB", as the system settings screen shows it.
QString bareDatabaseFileName(const QString& year);
// The yearly file of a folder: folder + separator + "DORPAK" + year + ".GDB".
// A stored folder "host:folder" gives the file on that database server.
QString databaseFileName(const QString& folder, const QString& year);

} // namespace core
