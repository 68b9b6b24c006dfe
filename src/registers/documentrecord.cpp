#include "documentrecord.h"

#include "db/query.h"

namespace registers {
namespace {

void openRow(db::Query& q, const QString& table, int kayno)
{
    q.close();
    q.clear();
    q.add(QStringLiteral("SELECT * FROM %1").arg(table));
    q.add(QStringLiteral("WHERE KAYNO=:KN"));
    q.bind(0, kayno);
    q.open();
}

} // namespace

QVariant DocumentRecord::normalised(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().isEmpty() ? QVariant() : value;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
        return QVariant(value.toLongLong());
    default:
        return value;
    }
}

bool DocumentRecord::read(db::Query& q, const QString& table, int kayno)
{
    openRow(q, table, kayno);
    m_table = table;
    m_kayno = kayno;
    m_new = false;
    m_columns.clear();
    m_original.clear();
    m_descriptions = q.result() ? q.result()->columns() : std::vector<db::Column>();
    for (int c = 0; c < q.columnCount(); ++c)
        m_columns << q.columnName(c);
    const bool found = !q.isEmpty();
    if (found)
        for (int c = 0; c < q.columnCount(); ++c)
            m_original.insert(m_columns[c], normalised(q.value(0, c).toVariant()));
    q.close();
    m_current = m_original;
    return found;
}

const db::Column* DocumentRecord::description(const QString& column) const
{
    const qsizetype i = m_columns.indexOf(column);
    return i < 0 || size_t(i) >= m_descriptions.size() ? nullptr : &m_descriptions[size_t(i)];
}

void DocumentRecord::startNew(db::Query& q, const QString& table, int kayno)
{
    read(q, table, kayno);
    m_original.clear();
    m_current.clear();
    m_new = true;
    setValue(QStringLiteral("KAYNO"), kayno);
}

void DocumentRecord::setValue(const QString& column, const QVariant& value)
{
    m_current.insert(column, normalised(value));
}

void DocumentRecord::setStoredValue(const QString& column, const QVariant& value)
{
    setValue(column, value);
    m_original.insert(column, m_current.value(column));
}

QStringList DocumentRecord::changedColumns() const
{
    QStringList changed;
    for (const QString& c : m_columns)
        if (m_current.value(c) != m_original.value(c))
            changed << c;
    return changed;
}

quint64 DocumentRecord::store(db::Query& q)
{
    QStringList columns;
    QVariantList values;
    if (m_new) {
        for (const QString& c : m_columns)
            if (!m_current.value(c).isNull()) {
                columns << c;
                values << m_current.value(c);
            }
        QStringList params;
        for (const QString& c : columns)
            params << QLatin1Char(':') + c;
        q.close();
        q.clear();
        q.add(QStringLiteral("INSERT INTO %1 (%2)").arg(m_table, columns.join(QLatin1Char(','))));
        q.add(QStringLiteral("VALUES(%1)").arg(params.join(QLatin1Char(','))));
    } else {
        columns = changedColumns();
        if (columns.isEmpty()) {
            openRow(q, m_table, m_kayno);
            const bool found = !q.isEmpty();
            q.close();
            return found ? 1 : 0;
        }
        QStringList sets;
        for (const QString& c : columns) {
            sets << c + QStringLiteral("=:") + c;
            values << m_current.value(c);
        }
        values << m_kayno;
        q.close();
        q.clear();
        q.add(QStringLiteral("UPDATE %1 SET %2").arg(m_table, sets.join(QLatin1Char(','))));
        q.add(QStringLiteral("WHERE KAYNO=:KN"));
    }
    q.bindAll(values);
    const quint64 rows = q.exec();
    if (rows == 0)
        return 0;
    m_new = false;
    m_original = m_current;
    return rows;
}

} // namespace registers
