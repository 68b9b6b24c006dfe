#pragma once

#include <QString>

#include <functional>

namespace core {

struct ErrorReport;

// The error log: every error the program reports, with its time, the screen
// it happened on and its full text, for the administrator who asks what
// went wrong. It lies in the user's state folder,
// $XDG_STATE_HOME/DORPAK/dorpak.log (~/.local/state/DORPAK/dorpak.log when
// the variable is not set), and is rotated: past MaxLogBytes it becomes
// dorpak.log.1, the older ones move up to dorpak.log.3 and the oldest goes.
QString errorLogPath();
inline constexpr qint64 MaxLogBytes = 1024 * 1024;
inline constexpr int KeptLogs = 3;

// Appends one entry. A log that cannot be written is left alone: the error
// is still shown.
void logError(const ErrorReport& report);
void logError(const QString& text, const QString& details);

// Names the screen in front when an error comes: the program installs one
// that asks the toolkit; without one the entry names none.
void setScreenNameSource(std::function<QString()> source);

} // namespace core
