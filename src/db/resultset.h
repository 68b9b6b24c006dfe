#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <cstring>
#include <vector>

namespace db {

// How a column of a result was described by the server.
struct Column {
    QString name;     // alias, as the select list names it
    QString relation; // table, empty for expressions
    unsigned type = 0;
    int subType = 0;
    int scale = 0;
    unsigned charSet = 0;
    unsigned length = 0;

    // The most characters a text column holds (its bytes: the columns hold
    // one code-page byte a character); 0 for a blob or a number.
    int textLength() const;
    // The largest value an integer column without decimals holds; 0 for
    // any other column.
    qint64 integerMaximum() const;
};

// One value of a result row. Cheap to copy; valid while its result lives.
class Field {
public:
    Field() = default;
    Field(const Column* column, const char* data, int length)
        : m_column(column), m_data(data), m_length(length)
    {
    }

    bool isNull() const { return m_length < 0; }
    // The text a grid shows: numbers in decimal, dates as dd.mm.yyyy,
    // text and text blobs decoded; empty for null.
    QString toString() const;
    // Integers as stored, text parsed; 0 for null or text that is no number.
    qint64 toInt() const;
    double toDouble() const;
    // The stored bytes undecoded: pictures, templates, raw text.
    QByteArray toBytes() const;
    QVariant toVariant() const;

private:
    const Column* m_column = nullptr;
    const char* m_data = nullptr;
    int m_length = -1;
};

// The rows of one opened statement, kept in memory in a compact form and
// decoded only when a value is read.
class ResultSet {
public:
    explicit ResultSet(std::vector<Column> columns);

    int rowCount() const { return m_rows; }
    int columnCount() const { return int(m_columns.size()); }
    const std::vector<Column>& columns() const { return m_columns; }
    // Exact name as the select list gives it, else case-insensitive; -1 if none.
    int columnIndex(const QString& name) const;
    Field value(int row, int column) const;

    // Filling, row by row: begin, one append per column, end.
    void beginRow() {}
    void appendNull() { pushCell({0, -1}); }
    void appendBytes(const char* data, size_t length);
    void appendInt(int64_t v) { appendBytes(reinterpret_cast<const char*>(&v), sizeof v); }
    void appendDouble(double v) { appendBytes(reinterpret_cast<const char*>(&v), sizeof v); }
    void endRow() { ++m_rows; }

    ResultSet(const ResultSet&) = delete;
    ResultSet& operator=(const ResultSet&) = delete;
    ~ResultSet();

private:
    struct Cell {
        uint32_t offset;
        int32_t length; // -1: null
    };
    // Grows with realloc: a large block is moved by remapping its pages, so
    // a list of 100,000 rows is never copied while it is fetched.
    struct Buffer {
        char* data = nullptr;
        size_t size = 0;
        size_t capacity = 0;
        void reserveFor(size_t more);
    };
    void pushCell(Cell c)
    {
        m_cells.reserveFor(sizeof c);
        std::memcpy(m_cells.data + m_cells.size, &c, sizeof c);
        m_cells.size += sizeof c;
    }
    const Cell& cell(size_t index) const
    {
        return reinterpret_cast<const Cell*>(m_cells.data)[index];
    }

    std::vector<Column> m_columns;
    Buffer m_cells;
    Buffer m_data;
    int m_rows = 0;
};

} // namespace db
