#pragma once

#include <QString>

namespace db {
class Query;
}

namespace useraccess {

enum class LoginCheck { UnknownName, WrongPassword, Accepted };

// Checks a typed name and password against the opened rows of USERS. The
// name must equal USR exactly, letter case and all; the password must equal
// the decoded PSSWD exactly. On a known name the query stands on its row.
LoginCheck checkLogin(db::Query& users, const QString& name, const QString& password);

} // namespace useraccess
