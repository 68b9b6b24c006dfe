#include "query.h"

#include "encoding.h"
#include "fbclient.h"

#include <QDate>
#include <QDateTime>

#include <cmath>
#include <cstring>

using namespace Firebird;

namespace db {
namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// One slot of a message: where its value and its null flag go.
struct Slot {
    unsigned type;
    int subType;
    int scale;
    unsigned charSet;
    unsigned length;
    unsigned offset;
    unsigned nullOffset;
};

std::vector<Slot> slotsOf(IMessageMetadata* meta)
{
    fb::Status st;
    const unsigned n = meta->getCount(st.get());
    std::vector<Slot> fields;
    fields.reserve(n);
    for (unsigned i = 0; i < n; ++i) {
        Slot s;
        s.type = meta->getType(st.get(), i) & ~1u;
        s.subType = meta->getSubType(st.get(), i);
        s.scale = meta->getScale(st.get(), i);
        s.charSet = meta->getCharSet(st.get(), i);
        s.length = meta->getLength(st.get(), i);
        s.offset = meta->getOffset(st.get(), i);
        s.nullOffset = meta->getNullOffset(st.get(), i);
        fields.push_back(s);
    }
    st.check();
    return fields;
}

bool isTextType(unsigned type)
{
    return type == SQL_TEXT || type == SQL_VARYING;
}

QByteArray textBytes(const QVariant& v, unsigned charSet)
{
    switch (v.typeId()) {
    case QMetaType::QByteArray:
        return v.toByteArray();
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    case QMetaType::Bool:
        return v.toBool() ? "E" : "H";
    default:
        break;
    }
    const QString s = v.toString();
    return (charSet == 3 || charSet == 4) ? s.toUtf8() : toDbText(s);
}

[[noreturn]] void conversionError(const QVariant& v)
{
    throw DbError(QStringLiteral("conversion error from string \"%1\"").arg(v.toString()), -413,
                  isc_convert_error);
}

qint64 integerValue(const QVariant& v, int scale)
{
    bool ok = true;
    double d = 0;
    qint64 i = 0;
    bool isDouble = false;
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        d = v.toDouble();
        isDouble = true;
        break;
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString s = v.toString().trimmed();
        i = s.toLongLong(&ok);
        if (!ok) {
            d = s.toDouble(&ok);
            isDouble = ok;
        }
        if (!ok)
            conversionError(v);
        break;
    }
    default:
        i = v.toLongLong(&ok);
        if (!ok)
            conversionError(v);
    }
    if (isDouble)
        return qint64(std::llround(d * std::pow(10.0, -scale)));
    for (int s = scale; s < 0; ++s)
        i *= 10;
    return i;
}

// A number that does not fit its column is refused as the server refuses
// it, never stored wrapped round.
qint64 checkedRange(qint64 value, qint64 low, qint64 high, const QVariant& original)
{
    if (value < low || value > high)
        throw DbError(
            QStringLiteral("arithmetic exception, numeric overflow, or string truncation: %1")
                .arg(original.toString()),
            -802, isc_arith_except);
    return value;
}

// Values that stand for "no value" in a parameter of a number or date.
bool isBlankText(const QVariant& v)
{
    return (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray) &&
           v.toString().trimmed().isEmpty();
}

ISC_DATE iscDate(const QDate& d)
{
    return ISC_DATE(d.toJulianDay() - 2400001);
}

ISC_TIME iscTime(const QTime& t)
{
    return ISC_TIME(qint64(t.msecsSinceStartOfDay()) * 10);
}

QDate dateValue(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QDate d = QDate::fromString(v.toString().trimmed(), QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid())
        conversionError(v);
    return d;
}

} // namespace

ParsedSql parseParameters(const QString& sql)
{
    ParsedSql out;
    out.text.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Quoted string or name; a doubled quote stays inside.
            qsizetype j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype end = std::min(j + 1, n);
            out.text += sql.mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            qsizetype j = sql.indexOf(QLatin1Char('\n'), i);
            if (j < 0)
                j = n;
            out.text += sql.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            qsizetype j = sql.indexOf(QLatin1String("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out.text += sql.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < n && isNameStart(sql[i + 1])) {
            qsizetype j = i + 1;
            while (j < n && isNamePart(sql[j]))
                ++j;
            out.names << sql.mid(i + 1, j - i - 1);
            out.text += QLatin1Char('?');
            i = j;
        } else {
            out.text += c;
            ++i;
        }
    }
    return out;
}

Query::Query(Database& db, QObject* parent) : QObject(parent), m_db(db)
{
    m_db.registerHolder(this);
}

Query::~Query()
{
    releaseStatement();
    m_db.unregisterHolder(this);
}

void Query::clear()
{
    close();
    m_lines.clear();
    m_params.clear();
    m_parsed = false;
}

void Query::add(const QString& line)
{
    m_lines << line;
    m_parsed = false;
}

void Query::setSql(const QString& sql)
{
    close();
    m_lines = QStringList{sql};
    m_params.clear();
    m_parsed = false;
}

void Query::setParamCheck(bool on)
{
    m_paramCheck = on;
    m_parsed = false;
}

int Query::paramCount() const
{
    return int(paramNames().size());
}

QStringList Query::paramNames() const
{
    if (!m_parsed) {
        if (m_paramCheck)
            m_parsedSql = parseParameters(sql());
        else
            m_parsedSql = {sql(), {}};
        m_parsed = true;
    }
    return m_parsedSql.names;
}

void Query::bind(int index, const QVariant& value)
{
    if (index < 0)
        throw DbError(QStringLiteral("Parameter index %1 out of range").arg(index));
    if (size_t(index) >= m_params.size())
        m_params.resize(size_t(index) + 1);
    m_params[size_t(index)] = value;
}

void Query::bindAll(const QVariantList& values)
{
    m_params.assign(values.begin(), values.end());
}

// The prepared statement and what its description gives: the parameters'
// metadata, and the result's columns with where each value lies in the
// output message. Described once per preparation.
struct Query::Statement {
    fb::Handle<IStatement> statement;
    fb::Handle<IMessageMetadata> inMeta;
    fb::Handle<IMessageMetadata> outMeta;
    unsigned type = 0;
    std::vector<Slot> out;
    std::vector<Column> columns;
    unsigned outLength = 0;
};

// The input message of one run: the parameters' values in the layout the
// metadata gives, with metadata of its own when a text had to be widened.
struct Query::InputMessage {
    fb::Handle<IMessageMetadata> ownMeta;
    IMessageMetadata* meta = nullptr;
    std::vector<int64_t> storage;
    unsigned char* buffer() { return reinterpret_cast<unsigned char*>(storage.data()); }
};

void Query::releaseStatement()
{
    if (!m_stmt)
        return;
    fb::Status st;
    m_stmt->inMeta.reset();
    m_stmt->outMeta.reset();
    // On a broken connection the freeing fails and the holder lets it go.
    m_stmt->statement.finish(st, &IStatement::free<fb::Wrapper>);
    m_stmt.reset();
    m_preparedText.clear();
}

void Query::prepare()
{
    paramNames();
    const QByteArray text = toDbText(m_parsedSql.text);
    if (m_stmt && m_preparedGeneration == m_db.generation() && m_preparedText == text)
        return;
    releaseStatement();
    ITransaction* tra = m_db.transaction();
    fb::Status st;
    auto stmt = std::make_unique<Statement>();
    stmt->statement.reset(m_db.attachment()->prepare(st.get(), tra, unsigned(text.size()),
                                                     text.constData(), 3,
                                                     IStatement::PREPARE_PREFETCH_METADATA));
    m_db.check(st);
    stmt->inMeta.reset(stmt->statement->getInputMetadata(st.get()));
    m_db.check(st);
    stmt->outMeta.reset(stmt->statement->getOutputMetadata(st.get()));
    m_db.check(st);
    stmt->type = stmt->statement->getType(st.get());
    m_db.check(st);
    describeColumns(*stmt);
    m_stmt = std::move(stmt);
    m_preparedText = text;
    m_preparedGeneration = m_db.generation();
}

void Query::describeColumns(Statement& stmt)
{
    IMessageMetadata* meta = stmt.outMeta.get();
    stmt.out = slotsOf(meta);
    fb::Status st;
    stmt.columns.clear();
    stmt.columns.reserve(stmt.out.size());
    for (unsigned i = 0; i < stmt.out.size(); ++i) {
        Column c;
        c.name = QString::fromUtf8(meta->getAlias(st.get(), i));
        c.relation = QString::fromUtf8(meta->getRelation(st.get(), i));
        c.type = stmt.out[i].type;
        c.subType = stmt.out[i].subType;
        c.scale = stmt.out[i].scale;
        c.charSet = stmt.out[i].charSet;
        c.length = stmt.out[i].length;
        stmt.columns.push_back(std::move(c));
    }
    stmt.outLength = meta->getMessageLength(st.get());
    m_db.check(st);
}

Query::InputMessage Query::bindParameters()
{
    fb::Status st;
    IMessageMetadata* described = m_stmt->inMeta.get();
    const unsigned count = described->getCount(st.get());
    m_db.check(st);
    if (count != unsigned(m_parsedSql.names.size()) && m_paramCheck)
        throw DbError(QStringLiteral("Parameter count mismatch: %1 in text, %2 described")
                          .arg(m_parsedSql.names.size())
                          .arg(count));
    if (m_params.size() < count)
        m_params.resize(count);

    // A text longer than its parameter gets a wider slot, so the server
    // itself decides (and reports a truncation where the value does not fit).
    InputMessage message;
    message.meta = described;
    std::vector<Slot> in = slotsOf(described);
    std::vector<QByteArray> texts(in.size());
    bool widen = false;
    for (size_t i = 0; i < in.size(); ++i) {
        const QVariant& v = m_params[i];
        if (v.isNull() || !isTextType(in[i].type))
            continue;
        texts[i] = textBytes(v, in[i].charSet);
        if (unsigned(texts[i].size()) > in[i].length)
            widen = true;
    }
    if (widen) {
        fb::Handle<IMetadataBuilder> builder(described->getBuilder(st.get()));
        m_db.check(st);
        for (size_t i = 0; i < in.size(); ++i)
            if (isTextType(in[i].type) && unsigned(texts[i].size()) > in[i].length) {
                builder->setType(st.get(), unsigned(i), SQL_VARYING + 1);
                builder->setLength(st.get(), unsigned(i), unsigned(texts[i].size()));
            }
        message.ownMeta.reset(builder->getMetadata(st.get()));
        m_db.check(st);
        message.meta = message.ownMeta.get();
        in = slotsOf(message.meta);
    }
    const unsigned length = message.meta->getMessageLength(st.get());
    m_db.check(st);
    message.storage.assign((length + 7) / 8 + 1, 0);
    unsigned char* buffer = message.buffer();

    for (size_t i = 0; i < in.size(); ++i) {
        const Slot& s = in[i];
        const QVariant& v = m_params[i];
        unsigned char* p = buffer + s.offset;
        auto* nullFlag = reinterpret_cast<short*>(buffer + s.nullOffset);
        *nullFlag = 0;
        const bool blank = isBlankText(v) && !isTextType(s.type) && s.type != SQL_BLOB;
        if (v.isNull() || blank) {
            *nullFlag = -1;
            continue;
        }
        switch (s.type) {
        case SQL_SHORT: {
            const auto x = short(checkedRange(integerValue(v, s.scale), -32768, 32767, v));
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_LONG: {
            const auto x =
                ISC_LONG(checkedRange(integerValue(v, s.scale), INT32_MIN, INT32_MAX, v));
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_INT64: {
            const auto x = ISC_INT64(integerValue(v, s.scale));
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_FLOAT: {
            const auto x = float(v.toDouble());
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_DOUBLE:
        case SQL_D_FLOAT: {
            const double x = v.toDouble();
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_BOOLEAN:
            *p = v.toBool() ? 1 : 0;
            break;
        case SQL_TYPE_DATE: {
            const ISC_DATE x = iscDate(dateValue(v));
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_TYPE_TIME: {
            const ISC_TIME x = iscTime(v.toTime());
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_TIMESTAMP: {
            const QDateTime dt = v.typeId() == QMetaType::QDateTime
                                     ? v.toDateTime()
                                     : QDateTime(dateValue(v), QTime(0, 0));
            ISC_TIMESTAMP x{iscDate(dt.date()), iscTime(dt.time())};
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_TEXT: {
            const QByteArray& t = texts[i];
            std::memset(p, ' ', s.length);
            std::memcpy(p, t.constData(), size_t(t.size()));
            break;
        }
        case SQL_VARYING: {
            const QByteArray& t = texts[i];
            const auto len = uint16_t(t.size());
            std::memcpy(p, &len, sizeof len);
            std::memcpy(p + 2, t.constData(), size_t(t.size()));
            break;
        }
        case SQL_BLOB: {
            const QByteArray bytes = textBytes(v, s.charSet);
            ISC_QUAD id;
            m_db.writeBlob(bytes.constData(), bytes.size(), id);
            std::memcpy(p, &id, sizeof id);
            break;
        }
        default:
            throw DbError(QStringLiteral("Unsupported parameter type %1").arg(s.type));
        }
    }
    return message;
}

void Query::storeRow(ResultSet& result, const char* row)
{
    result.beginRow();
    for (const Slot& s : m_stmt->out) {
        if (*reinterpret_cast<const short*>(row + s.nullOffset)) {
            result.appendNull();
            continue;
        }
        const char* p = row + s.offset;
        switch (s.type) {
        case SQL_SHORT:
            result.appendInt(*reinterpret_cast<const short*>(p));
            break;
        case SQL_LONG:
            result.appendInt(*reinterpret_cast<const ISC_LONG*>(p));
            break;
        case SQL_INT64:
            result.appendInt(*reinterpret_cast<const ISC_INT64*>(p));
            break;
        case SQL_FLOAT:
            result.appendDouble(*reinterpret_cast<const float*>(p));
            break;
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            result.appendDouble(*reinterpret_cast<const double*>(p));
            break;
        case SQL_VARYING:
            result.appendBytes(p + 2, *reinterpret_cast<const uint16_t*>(p));
            break;
        case SQL_TEXT: {
            size_t len = s.length;
            while (len > 0 && p[len - 1] == ' ')
                --len;
            result.appendBytes(p, len);
            break;
        }
        case SQL_BLOB: {
            const QByteArray bytes = m_db.readBlob(*reinterpret_cast<const ISC_QUAD*>(p));
            result.appendBytes(bytes.constData(), size_t(bytes.size()));
            break;
        }
        default:
            result.appendBytes(p, s.length);
            break;
        }
    }
    result.endRow();
}

std::shared_ptr<ResultSet> Query::fetchRows(InputMessage& input, bool wantRows)
{
    ITransaction* tra = m_db.transaction();
    auto result = std::make_shared<ResultSet>(m_stmt->columns);
    std::vector<int64_t> outStorage((m_stmt->outLength + 7) / 8 + 1);
    auto* outBuf = reinterpret_cast<char*>(outStorage.data());
    IMessageMetadata* outMeta = m_stmt->outMeta.get();
    fb::Status st;
    m_db.countStatement();
    if (m_stmt->type == isc_info_sql_stmt_select ||
        m_stmt->type == isc_info_sql_stmt_select_for_upd) {
        fb::Handle<IResultSet> cursor(
            m_stmt->statement->openCursor(st.get(), tra, input.meta, input.buffer(), outMeta, 0));
        m_db.check(st);
        if (wantRows) {
            while (cursor->fetchNext(st.get(), outBuf) == IStatus::RESULT_OK)
                storeRow(*result, outBuf);
            m_db.check(st);
        }
        cursor.finish(st, &IResultSet::close<fb::Wrapper>);
        m_db.check(st);
    } else {
        m_db.noteWrite();
        const bool returns = !m_stmt->out.empty();
        m_stmt->statement->execute(st.get(), tra, input.meta, input.buffer(),
                                   returns ? outMeta : nullptr, returns ? outBuf : nullptr);
        m_db.check(st);
        if (returns && wantRows)
            storeRow(*result, outBuf);
    }
    return result;
}

void Query::run(bool wantRows)
{
    close();
    BusyScope busy;
    prepare();
    InputMessage input = bindParameters();
    std::shared_ptr<ResultSet> result = fetchRows(input, wantRows);
    if (wantRows) {
        m_result = std::move(result);
        m_current = m_result->rowCount() > 0 ? 0 : -1;
        m_eof = m_current < 0;
        emit opened();
        emit currentRowChanged(m_current);
    }
}

void Query::open()
{
    try {
        run(true);
    } catch (...) {
        emit openFailed();
        throw;
    }
}

quint64 Query::exec()
{
    run(false);
    fb::Status st;
    const quint64 affected = m_stmt ? m_stmt->statement->getAffectedRecords(st.get()) : 0;
    return st.failed() ? 0 : affected;
}

void Query::openLines(const QStringList& lines, const QVariantList& params)
{
    close();
    clear();
    m_lines = lines;
    bindAll(params);
    open();
}

quint64 Query::execLines(const QStringList& lines, const QVariantList& params)
{
    close();
    clear();
    m_lines = lines;
    bindAll(params);
    return exec();
}

void Query::close()
{
    if (!m_result)
        return;
    m_result.reset();
    m_current = -1;
    m_eof = true;
    emit closed();
}

QString Query::columnName(int column) const
{
    if (!m_result || column < 0 || column >= m_result->columnCount())
        return {};
    return m_result->columns()[size_t(column)].name;
}

Field Query::value(int row, int column) const
{
    return m_result ? m_result->value(row, column) : Field();
}

Field Query::value(int row, const QString& column) const
{
    return value(row, requireColumn(column));
}

int Query::requireColumn(const QString& name) const
{
    const int c = columnIndex(name);
    if (c < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    return c;
}

void Query::setCurrentRow(int row)
{
    const int n = rowCount();
    const int target = n == 0 ? -1 : std::clamp(row, 0, n - 1);
    m_eof = n == 0;
    if (target == m_current)
        return;
    m_current = target;
    emit currentRowChanged(m_current);
}

void Query::next()
{
    if (m_current + 1 >= rowCount()) {
        m_eof = true;
        return;
    }
    setCurrentRow(m_current + 1);
}

bool Query::locate(const QString& column, const QVariant& value)
{
    const int c = requireColumn(column);
    const bool numeric = value.typeId() != QMetaType::QString;
    for (int r = 0; r < rowCount(); ++r) {
        const Field f = m_result->value(r, c);
        if (f.isNull())
            continue;
        const bool match =
            numeric ? f.toInt() == value.toLongLong() : f.toString() == value.toString();
        if (match) {
            setCurrentRow(r);
            return true;
        }
    }
    return false;
}

Field Query::field(const QString& column) const
{
    return value(m_current, requireColumn(column));
}

} // namespace db
