// The commands that let an administrator back into a file: a new password
// for a user, and switching the login at start on or off.

#include "tools/admincommands.h"

#include "access/sifrele.h"
#include "access/useradmin.h"
#include "db/database.h"
#include "db/query.h"

#include <csignal>
#include <cstdio>
#include <optional>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace tools {
namespace {

// The terminal as it was before echo was turned off; put back on every way
// out, an interrupt included.
termios savedTerminal;
bool echoOff = false;

void restoreTerminal()
{
    if (echoOff) {
        tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
        echoOff = false;
    }
}

void interrupted(int signal)
{
    restoreTerminal();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// One line from standard input. From a terminal the prompt is shown and
// what is typed is not; piped input (a script, a test) is read as it comes.
bool readSecret(const char* prompt, QString& secret)
{
    const bool terminal = isatty(STDIN_FILENO);
    if (terminal && tcgetattr(STDIN_FILENO, &savedTerminal) == 0) {
        std::fputs(prompt, stderr);
        std::fflush(stderr);
        termios quiet = savedTerminal;
        quiet.c_lflag &= tcflag_t(~ECHO);
        std::signal(SIGINT, interrupted);
        std::signal(SIGTERM, interrupted);
        echoOff = tcsetattr(STDIN_FILENO, TCSANOW, &quiet) == 0;
    }
    std::string line;
    bool got = false;
    for (int c; (c = std::getchar()) != EOF;) {
        got = true;
        if (c == '\n')
            break;
        line += char(c);
    }
    if (terminal) {
        restoreTerminal();
        std::fputc('\n', stderr);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    secret = QString::fromLocal8Bit(line.data(), qsizetype(line.size()));
    return got;
}

int resetPassword(const QStringList& args)
{
    exactly(args, 2, "FILE and USER");
    const QString& file = args[0];
    const QString& user = args[1];
    db::Database database;
    database.open(file);
    db::Query q(database);
    // The name exactly as typed at login.
    const std::optional<int> hno = useraccess::userNumber(q, user);
    if (!hno)
        return fail(QStringLiteral("%1: there is no user \"%2\" (the name is matched exactly, "
                                   "letter case included); nothing changed")
                        .arg(file, user));

    QString password, repeated;
    if (!readSecret("New password: ", password) || !readSecret("Repeat it: ", repeated))
        return fail(QStringLiteral("%1: no password given; nothing changed").arg(file));
    if (password != repeated)
        return fail(QStringLiteral("%1: the two passwords differ; nothing changed").arg(file));
    if (password.isEmpty())
        return fail(QStringLiteral("%1: an empty password is not set; nothing changed").arg(file));
    if (password.size() > useraccess::PasswordLength)
        return fail(QStringLiteral("%1: a password has at most %2 characters; nothing changed")
                        .arg(file)
                        .arg(useraccess::PasswordLength));
    // The user screen refuses the same: a password whose stored form does
    // not give it back could never be typed at login.
    if (!passwordSurvivesEncoding(password))
        return fail(QStringLiteral("%1: this password does not come back from its stored form as "
                                   "typed (one of its letters cannot be kept); choose another; "
                                   "nothing changed")
                        .arg(file));

    useraccess::updatePassword(q, *hno, user, SIFRELE(QStringLiteral("1"), password));
    database.commit();
    database.close();
    report(QStringLiteral("%1: new password of %2 set").arg(file, user));
    return Success;
}

int loginRequired(const QStringList& args)
{
    exactly(args, 2, "FILE and on or off");
    const QString& file = args[0];
    const QString& choice = args[1];
    if (choice != QLatin1String("on") && choice != QLatin1String("off"))
        throw UsageError(QStringLiteral("takes on or off, not \"%1\"").arg(choice));
    const bool on = choice == QLatin1String("on");
    db::Database database;
    database.open(file);
    db::Query q(database);
    if (on) {
        q.openLines({QStringLiteral("SELECT COUNT(*) N FROM USERS")});
        if (q.field(QStringLiteral("N")).toInt() == 0)
            return fail(QStringLiteral("%1: the file has no users, so no one could log in; "
                                       "nothing changed")
                            .arg(file));
    }
    // "1" asks for the login at start; the program takes anything else as no.
    q.execLines({QStringLiteral("UPDATE TANIM SET UDUR=:U")},
                {on ? QStringLiteral("1") : QStringLiteral("0")});
    database.commit();
    database.close();
    report(on ? QStringLiteral("%1: users must now log in at start").arg(file)
              : QStringLiteral("%1: no login at start now").arg(file));
    return Success;
}

} // namespace

const AdminCommand ResetPasswordCommand = {
    "reset-password", "FILE USER",
    "Set a new password for USER (the name as typed at login, letter case\n"
    "included). The password is asked twice on the terminal without showing it,\n"
    "never taken from the command line; at most five characters, and refused\n"
    "when it would not come back from its stored form as typed.",
    resetPassword};

const AdminCommand LoginRequiredCommand = {
    "login-required", "FILE on|off",
    "Switch the login at start on (TANIM.UDUR \"1\") or off for every workstation\n"
    "of FILE. Switching it on is refused for a file without users.",
    loginRequired};

} // namespace tools
