#include "resultset.h"

#include "encoding.h"

#include <firebird/Interface.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace db {
namespace {

// Character sets whose bytes are UTF-8: the system tables and anything
// declared so. Everything else is the code page of the files.
bool isUtf8(unsigned charSet)
{
    return charSet == 3 || charSet == 4;
}

bool isInteger(unsigned type)
{
    return type == SQL_SHORT || type == SQL_LONG || type == SQL_INT64;
}

template <typename T> T load(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

QDate toDate(ISC_DATE d)
{
    // ISC dates count days from 17 November 1858.
    return QDate::fromJulianDay(qint64(d) + 2400001);
}

QTime toTime(ISC_TIME t)
{
    return QTime::fromMSecsSinceStartOfDay(int(t / 10));
}

QString scaledToString(qint64 v, int scale)
{
    if (scale >= 0)
        return QString::number(v);
    const int digits = -scale;
    QString s = QString::number(v < 0 ? -v : v).rightJustified(digits + 1, QLatin1Char('0'));
    s.insert(s.size() - digits, QLatin1Char('.'));
    return v < 0 ? QLatin1Char('-') + s : s;
}

} // namespace

int Column::textLength() const
{
    return type == SQL_TEXT || type == SQL_VARYING ? int(length) : 0;
}

qint64 Column::integerMaximum() const
{
    if (scale != 0)
        return 0;
    switch (type) {
    case SQL_SHORT:
        return 32767;
    case SQL_LONG:
        return 2147483647;
    case SQL_INT64:
        return std::numeric_limits<qint64>::max();
    default:
        return 0;
    }
}

QString Field::toString() const
{
    if (isNull() || !m_column)
        return {};
    const unsigned type = m_column->type;
    if (isInteger(type))
        return scaledToString(load<int64_t>(m_data), m_column->scale);
    switch (type) {
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return QString::number(load<double>(m_data));
    case SQL_TYPE_DATE:
        return toDate(load<ISC_DATE>(m_data)).toString(QStringLiteral("dd.MM.yyyy"));
    case SQL_TYPE_TIME:
        return toTime(load<ISC_TIME>(m_data)).toString(QStringLiteral("HH:mm:ss"));
    case SQL_TIMESTAMP:
        return toVariant().toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    case SQL_BOOLEAN:
        return m_data[0] ? QStringLiteral("True") : QStringLiteral("False");
    default:
        break;
    }
    const std::string_view bytes(m_data, size_t(m_length));
    if (isUtf8(m_column->charSet))
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    return fromDbText(bytes);
}

qint64 Field::toInt() const
{
    if (isNull() || !m_column)
        return 0;
    const unsigned type = m_column->type;
    if (isInteger(type)) {
        qint64 v = load<int64_t>(m_data);
        for (int s = m_column->scale; s < 0; ++s)
            v /= 10;
        return v;
    }
    if (type == SQL_FLOAT || type == SQL_DOUBLE || type == SQL_D_FLOAT)
        return qint64(std::llround(load<double>(m_data)));
    if (type == SQL_BOOLEAN)
        return m_data[0] ? 1 : 0;
    return toString().trimmed().toLongLong();
}

double Field::toDouble() const
{
    if (isNull() || !m_column)
        return 0;
    const unsigned type = m_column->type;
    if (isInteger(type))
        return double(load<int64_t>(m_data)) * std::pow(10.0, m_column->scale);
    if (type == SQL_FLOAT || type == SQL_DOUBLE || type == SQL_D_FLOAT)
        return load<double>(m_data);
    return toString().trimmed().toDouble();
}

QByteArray Field::toBytes() const
{
    if (isNull() || !m_column)
        return {};
    const unsigned type = m_column->type;
    if (type == SQL_TEXT || type == SQL_VARYING || type == SQL_BLOB)
        return QByteArray(m_data, m_length);
    return toDbText(toString());
}

QVariant Field::toVariant() const
{
    if (isNull() || !m_column)
        return {};
    switch (m_column->type) {
    case SQL_SHORT:
    case SQL_LONG:
        if (m_column->scale == 0)
            return int(load<int64_t>(m_data));
        return toDouble();
    case SQL_INT64:
        if (m_column->scale == 0)
            return qlonglong(load<int64_t>(m_data));
        return toDouble();
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return load<double>(m_data);
    case SQL_BOOLEAN:
        return bool(m_data[0]);
    case SQL_TYPE_DATE:
        return toDate(load<ISC_DATE>(m_data));
    case SQL_TYPE_TIME:
        return toTime(load<ISC_TIME>(m_data));
    case SQL_TIMESTAMP: {
        const auto ts = load<ISC_TIMESTAMP>(m_data);
        return QDateTime(toDate(ts.timestamp_date), toTime(ts.timestamp_time));
    }
    case SQL_BLOB:
        if (m_column->subType != 1)
            return toBytes();
        return toString();
    default:
        return toString();
    }
}

ResultSet::ResultSet(std::vector<Column> columns) : m_columns(std::move(columns)) {}

ResultSet::~ResultSet()
{
    std::free(m_cells.data);
    std::free(m_data.data);
}

void ResultSet::Buffer::reserveFor(size_t more)
{
    if (size + more <= capacity)
        return;
    size_t next = std::max<size_t>(capacity * 2, 4096);
    while (next < size + more)
        next *= 2;
    void* grown = std::realloc(data, next);
    if (!grown)
        throw std::bad_alloc();
    data = static_cast<char*>(grown);
    capacity = next;
}

int ResultSet::columnIndex(const QString& name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name == name)
            return int(i);
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

Field ResultSet::value(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= columnCount())
        return {};
    const Cell& c = cell(size_t(row) * m_columns.size() + size_t(column));
    return Field(&m_columns[size_t(column)], m_data.data + c.offset, c.length);
}

void ResultSet::appendBytes(const char* data, size_t length)
{
    m_data.reserveFor(length);
    const auto offset = uint32_t(m_data.size);
    if (length)
        std::memcpy(m_data.data + m_data.size, data, length);
    m_data.size += length;
    pushCell({offset, int32_t(length)});
}

} // namespace db
