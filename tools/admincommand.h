#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace tools {

// Exit statuses of dorpak-admin: 0 only when the command did what it says.
enum ExitStatus {
    Success = 0,
    Failure = 1,     // the work could not be done; the message says why
    WrongUsage = 2,  // the arguments do not fit the command
    DamageFound = 3, // check: the engine's validation found errors
};

// One command of dorpak-admin: its name, its arguments as the usage shows
// them, what it does, and the routine that runs it on the arguments after
// its name (never "--help"; that is answered for every command alike).
struct AdminCommand {
    const char* name;
    const char* arguments;
    const char* description;
    int (*run)(const QStringList& args);
};

// Arguments that do not fit the command; answered with the command's usage.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& why) : std::runtime_error(why.toStdString()), m_why(why) {}
    QString why() const { return m_why; }

private:
    QString m_why;
};

// The arguments when there are exactly count of them, else UsageError.
const QStringList& exactly(const QStringList& args, int count, const char* names);

// "dorpak-admin: message" on standard error; returns Failure.
int fail(const QString& message);
// A line of what was done, on standard output.
void report(const QString& line);

} // namespace tools
