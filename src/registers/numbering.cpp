#include "numbering.h"

#include "db/query.h"

namespace registers {
namespace {

int highestPlusOne(db::Query& q)
{
    q.open();
    const int next = int(q.field(QStringLiteral("SAY")).toInt()) + 1;
    q.close();
    return next;
}

} // namespace

int assignRegistryNumber(db::Query& scratch, const NumberColumn& number, int kayno)
{
    scratch.close();
    scratch.clear();
    scratch.add(QStringLiteral("SELECT KURUM FROM TANIM WITH LOCK"));
    scratch.open();
    scratch.close();

    scratch.clear();
    scratch.add(QStringLiteral("SELECT MAX(%1) SAY FROM %2").arg(number.column, number.table));
    const int next = highestPlusOne(scratch);

    scratch.clear();
    scratch.add(QStringLiteral("UPDATE %1 SET %2=:NO").arg(number.table, number.column));
    scratch.add(QStringLiteral("WHERE KAYNO=:KN"));
    scratch.bindAll({next, kayno});
    scratch.exec();
    return next;
}

int nextNumberInGroup(db::Query& scratch, const QString& table, const QString& column,
                      const QString& groupColumn, const QVariant& group)
{
    scratch.close();
    scratch.clear();
    scratch.add(QStringLiteral("SELECT MAX(%1) SAY FROM %2").arg(column, table));
    scratch.add(QStringLiteral("WHERE %1=:KN").arg(groupColumn));
    scratch.bind(0, group);
    return highestPlusOne(scratch);
}

} // namespace registers
