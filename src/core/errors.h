#pragma once

#include "db/dberror.h"

#include <QString>

#include <exception>
#include <functional>
#include <stdexcept>

namespace core {

// Stops the current action without a message: the silent abort of a
// refused close or an abandoned step. Not an error.
struct SilentAbort {};

// The causes of an error a clerk can act on; the error message names them
// in plain Turkish under its first line.
enum class ErrorCause {
    None, // nothing the clerk can do about it: the first line alone
    ServerUnreachable,
    RecordInUse,
    WorkLost,
    NotAPicture,
    DateIncomplete,
    WriteFailed,
    DatabaseDamaged,
    NotADatabase,
    PrinterFailed,
};

// An error the program raises itself for a cause the clerk can act on: a
// file that is no picture, a date typed in part, a file that cannot be
// written. what() is the program's own account of it, for the details.
class ActionError : public std::runtime_error {
public:
    ActionError(ErrorCause cause, const std::string& what)
        : std::runtime_error(what), m_cause(cause)
    {
    }
    ErrorCause cause() const { return m_cause; }

private:
    ErrorCause m_cause;
};

// The first line of every error message.
inline const QString ErrorHeading = QStringLiteral("BİR HATA OLUŞTU:");

// What the error message shows: the first line with, under it, the cause in
// plain Turkish where there is one; and the error's own text, under
// "Ayrıntılar".
struct ErrorReport {
    QString text;
    QString details;
};
ErrorReport describeError(std::exception_ptr error);

// The plain Turkish of a cause; empty for None.
QString causeText(ErrorCause cause);
// Why the database did not open, in plain Turkish.
QString openFailureText(db::DbOpenError::Kind kind);

// The application error handler: reports the error being handled (call it
// from a catch block) with its cause and details, and writes it to the
// error log; the action stops, the program goes on.
void reportUnhandledError();

// How the handler behaves while the program ends. During an end the clerk
// did not choose (the session ending, a kill) errors are written to the log
// but not shown: nobody waits at a message, and a message would hold the
// end up. Once the program has ended, the errors of actions still unwinding
// are those of the connection just closed, and are dropped.
enum class EndPhase { Running, Ending, Ended };
void setEndPhase(EndPhase phase);
EndPhase endPhase();

// Runs an action of the clerk (a button, a menu entry, a filter change) and
// hands anything it throws to the application error handler. Returns false
// when the action was stopped.
bool guarded(const std::function<void()>& action);

} // namespace core
