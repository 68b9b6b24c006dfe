#include "dbkeyrows.h"

#include <utility>

namespace widgets {
namespace {

const QString DbKey = QStringLiteral("DBKEY");

} // namespace

DbKeyRows::DbKeyRows(db::Database& db, QString table, QString codeColumn, QStringList fields,
                     QString orderLine)
    : m_table(std::move(table)), m_codeColumn(std::move(codeColumn)), m_fields(std::move(fields)),
      m_orderLine(std::move(orderLine)), m_rows(db), m_write(db)
{
}

QString DbKeyRows::findLine() const
{
    return QStringLiteral("WHERE RDB$DB_KEY=:DBKEY AND %1 IS NOT DISTINCT FROM :%1")
        .arg(m_codeColumn);
}

db::Query& DbKeyRows::open()
{
    QStringList lines{QStringLiteral("SELECT RDB$DB_KEY %1,%2,%3 FROM %4")
                          .arg(DbKey, m_codeColumn, m_fields.join(QLatin1Char(',')), m_table)};
    if (!m_orderLine.isEmpty())
        lines << m_orderLine;
    m_rows.openLines(lines);
    return m_rows;
}

void DbKeyRows::insert(RowValues& row, const QVariant& code)
{
    QStringList names{m_codeColumn};
    QStringList params{QLatin1Char(':') + m_codeColumn};
    QVariantList values{code};
    for (const QString& f : m_fields) {
        names << f;
        params << QLatin1Char(':') + f;
        values << row.value(f);
    }
    m_write.openLines(
        {QStringLiteral("INSERT INTO %1 (%2)").arg(m_table, names.join(QLatin1Char(','))),
         QStringLiteral("VALUES(%1)").arg(params.join(QLatin1Char(','))),
         QStringLiteral("RETURNING RDB$DB_KEY %1").arg(DbKey)},
        values);
    row.insert(m_codeColumn, code);
    row.insert(DbKey, m_write.value(0, 0).toBytes());
    m_write.close();
}

bool DbKeyRows::update(const RowValues& row)
{
    QStringList sets;
    QVariantList values;
    for (const QString& f : m_fields) {
        sets << QStringLiteral("%1=:%1").arg(f);
        values << row.value(f);
    }
    values << row.value(DbKey) << row.value(m_codeColumn);
    return m_write.execLines(
               {QStringLiteral("UPDATE %1 SET %2").arg(m_table, sets.join(QLatin1Char(','))),
                findLine()},
               values) > 0;
}

void DbKeyRows::remove(const RowValues& row)
{
    m_write.execLines({QStringLiteral("DELETE FROM %1").arg(m_table), findLine()},
                      {row.value(DbKey), row.value(m_codeColumn)});
}

} // namespace widgets
