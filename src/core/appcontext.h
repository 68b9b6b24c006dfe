#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace core {

// The program's version, shown on the main window and sent to the vendor's
// information server.
inline const QString ProgramVersion = QStringLiteral("22.001");

// One row of the rights cache: the code as text, then the flags G, K, D, S.
using RightsRow = std::array<QString, 5>;

// The result of the last rights lookup: "E", "H" or empty (no row found).
struct RightFlagsResult {
    QString G, K, D, S;
};

// The process-wide record of the run, read by every screen. Created with the
// main window and alive until the program ends.
struct AppContext {
    QString WorkingYear;
    QString DataFolder;
    bool DbOpenFailed = false;
    // Why the database did not open, in plain Turkish; the system settings
    // screen shows it.
    QString DbOpenReason;
    QString InstitutionName;
    QString LoginRequired;
    QString PreviewBeforePrint;
    QString ThemeFormColor = QStringLiteral("0");
    QString ThemePanelColor = QStringLiteral("0");
    int UserNo = 0;
    QString UserName = QStringLiteral("VELOR");
    QString UserFullName = QStringLiteral("Dodidozur");
    int UserDeptCode = 0;
    QString UserDeptName;
    QString WindowStateSetting;
    bool VersionOk = false;
    // The closing permission shared by the main window and several screens.
    bool CloseAllowed = false;
    QList<RightsRow> RightsCache;
    RightFlagsResult RightFlags;
};

} // namespace core
