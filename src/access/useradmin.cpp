#include "useradmin.h"

namespace useraccess {

namespace {

// A column of the USERS row of that name; nothing when no row has it.
std::optional<QVariant> userField(db::Query& scratch, const QString& column,
                                  const QString& userName)
{
    scratch.openLines({QStringLiteral("SELECT %1 FROM USERS WHERE USR=:UU").arg(column)},
                      {userName});
    std::optional<QVariant> value;
    if (!scratch.isEmpty())
        value = scratch.field(column).toVariant();
    scratch.close();
    return value;
}

} // namespace

std::optional<QString> storedPassword(db::Query& scratch, const QString& userName)
{
    const std::optional<QVariant> stored = userField(scratch, QStringLiteral("PSSWD"), userName);
    return stored ? std::optional<QString>(stored->toString()) : std::nullopt;
}

std::optional<int> userNumber(db::Query& scratch, const QString& userName)
{
    const std::optional<QVariant> hno = userField(scratch, QStringLiteral("HNO"), userName);
    return hno ? std::optional<int>(hno->toInt()) : std::nullopt;
}

bool userNameTaken(db::Query& scratch, const QString& name, std::optional<int> exceptHno)
{
    if (exceptHno)
        scratch.openLines({QStringLiteral("select COUNT(*) SAY from USERS"),
                           QStringLiteral("WHERE USR=:U AND HNO<>:H")},
                          {name, *exceptHno});
    else
        scratch.openLines(
            {QStringLiteral("select COUNT(*) SAY from USERS"), QStringLiteral("WHERE USR=:U")},
            {name});
    const qint64 count = scratch.field(QStringLiteral("SAY")).toInt();
    scratch.close();
    return count > 0;
}

int nextUserNo(db::Query& scratch)
{
    scratch.openLines({QStringLiteral("select MAX(HNO) SAY from USERS")});
    const db::Field highest = scratch.field(QStringLiteral("SAY"));
    const int next = highest.isNull() ? 1 : int(highest.toInt()) + 1;
    scratch.close();
    return next;
}

void insertUser(db::Query& scratch, const UserRow& row)
{
    scratch.execLines({QStringLiteral("INSERT INTO USERS (USR,HNO,PSSWD,ACIK,ACIK1,OZEL)"),
                       QStringLiteral("VALUES(:USR,:HNO,:PSSWD,:ACIK,:ACIK1,:OZEL)")},
                      {row.USR, row.HNO, row.PSSWD, row.ACIK, row.ACIK1, row.OZEL});
}

quint64 updateUser(db::Query& scratch, const UserRow& row)
{
    return scratch.execLines(
        {QStringLiteral(
             "UPDATE USERS SET USR=:USR,PSSWD=:PSSWD,ACIK=:ACIK,ACIK1=:ACIK1,OZEL=:OZEL"),
         QStringLiteral("WHERE HNO=:HNO")},
        {row.USR, row.PSSWD, row.ACIK, row.ACIK1, row.OZEL, row.HNO});
}

void giveDefaultRights(core::TDM& dm, int hno)
{
    db::Query& template_ = dm.QRSORGU;
    template_.openLines(
        {QStringLiteral("select * from RIGHTS"), QStringLiteral("WHERE HNO=1 ORDER BY KOD")});
    db::Query& insert = dm.QRSORGU1;
    for (int r = 0; r < template_.rowCount(); ++r)
        insert.execLines({QStringLiteral("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S)"),
                          QStringLiteral("VALUES(:HNO,:KOD,:G,:K,:D,:S)")},
                         {hno, int(template_.value(r, QStringLiteral("KOD")).toInt()),
                          QStringLiteral("E"), QStringLiteral("H"), QStringLiteral("E"),
                          QStringLiteral("H")});
    template_.close();
    // A new user cannot open user administration.
    insert.execLines(
        {QStringLiteral("UPDATE RIGHTS SET G='H'"), QStringLiteral("WHERE KOD=22 AND HNO=:HN")},
        {hno});
}

void deleteUser(db::Query& scratch, int hno)
{
    scratch.execLines({QStringLiteral("DELETE FROM RIGHTS"), QStringLiteral("WHERE HNO=:HN")},
                      {hno});
    scratch.execLines({QStringLiteral("DELETE FROM USERS"), QStringLiteral("WHERE HNO=:HN")},
                      {hno});
}

quint64 updateRightFlags(db::Query& scratch, int hno, int kod, const QString& g, const QString& k)
{
    return scratch.execLines({QStringLiteral("UPDATE RIGHTS SET G=:G,K=:K"),
                              QStringLiteral("WHERE HNO=:HN AND KOD=:KD")},
                             {g, k, hno, kod});
}

void updatePassword(db::Query& scratch, int hno, const QString& userName, const QString& encoded)
{
    scratch.execLines(
        {QStringLiteral("UPDATE USERS SET PSSWD=:P"), QStringLiteral("WHERE HNO=:H AND USR=:U")},
        {encoded, hno, userName});
}

} // namespace useraccess
