#include "login.h"

#include "access/sifrele.h"
#include "db/query.h"

namespace useraccess {

LoginCheck checkLogin(db::Query& users, const QString& name, const QString& password)
{
    if (!users.locate(QStringLiteral("USR"), name))
        return LoginCheck::UnknownName;
    const QString stored = users.field(QStringLiteral("PSSWD")).toString();
    return SIFRELE(QStringLiteral("2"), stored) == password ? LoginCheck::Accepted
                                                            : LoginCheck::WrongPassword;
}

} // namespace useraccess
