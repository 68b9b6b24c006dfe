#pragma once

#include "database.h"
#include "resultset.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace db {

// Splits SQL written with ":NAME" parameters into the text the server takes
// ("?" in their place) and the names in the order they appear. Quoted
// strings, quoted names and comments are left alone.
struct ParsedSql {
    QString text;
    QStringList names;
};
ParsedSql parseParameters(const QString& sql);

// A statement on the one connection, written as lines the way the screens
// build them, with ":NAME" parameters bound by position. open() runs a
// statement that returns rows and keeps them all in memory; exec() runs
// anything else. The rows stay readable after the transaction's next commit
// point. The statement is prepared once and reused while its text stays the
// same.
class Query : public QObject, private StatementHolder {
    Q_OBJECT
public:
    explicit Query(Database& db, QObject* parent = nullptr);
    ~Query() override;

    Database& database() const { return m_db; }

    // The text.
    void clear();
    void add(const QString& line);
    void setSql(const QString& sql);
    QString sql() const { return m_lines.join(QLatin1Char('\n')); }
    // With the check off the text goes to the server as written: DDL whose
    // body holds ":variables" of its own.
    void setParamCheck(bool on);

    // Parameters, by position in the text, whatever their names.
    int paramCount() const;
    QStringList paramNames() const;
    void bind(int index, const QVariant& value);
    void bindAll(const QVariantList& values);

    // Running.
    void open();
    quint64 exec();
    // The way every routine uses a scratch query: close it, clear its text,
    // add the lines, bind the parameters by position, then open or execute.
    void openLines(const QStringList& lines, const QVariantList& params = {});
    quint64 execLines(const QStringList& lines, const QVariantList& params = {});
    void close();
    bool isActive() const { return m_result != nullptr; }

    // Rows.
    int rowCount() const { return m_result ? m_result->rowCount() : 0; }
    bool isEmpty() const { return rowCount() == 0; }
    int columnCount() const { return m_result ? m_result->columnCount() : 0; }
    QString columnName(int column) const;
    int columnIndex(const QString& name) const
    {
        return m_result ? m_result->columnIndex(name) : -1;
    }
    Field value(int row, int column) const;
    Field value(int row, const QString& column) const;
    std::shared_ptr<const ResultSet> result() const { return m_result; }

    // The current row, as a dataset keeps it: first row after opening,
    // -1 on an empty result.
    int currentRow() const { return m_current; }
    void setCurrentRow(int row);
    void first() { setCurrentRow(0); }
    void last() { setCurrentRow(rowCount() - 1); }
    void next();
    bool eof() const { return m_eof; }
    // Moves to the first row whose column holds the value; false if none.
    bool locate(const QString& column, const QVariant& value);
    // The value of a column in the current row; throws DbError on an
    // unknown column name.
    Field field(const QString& column) const;

signals:
    void opened();
    void closed();
    // open() failed: the query is closed, its rows are not the result.
    void openFailed();
    void currentRowChanged(int row);

private:
    struct Statement;
    struct InputMessage;

    void releaseStatement() override;
    // Running is three steps: the statement prepared and its result
    // described (once, while the text stays the same), the parameters bound
    // into an input message, then the rows fetched (or the statement
    // executed).
    void prepare();
    void describeColumns(Statement& stmt);
    InputMessage bindParameters();
    std::shared_ptr<ResultSet> fetchRows(InputMessage& input, bool wantRows);
    void storeRow(ResultSet& result, const char* row);
    void run(bool wantRows);
    int requireColumn(const QString& name) const;

    Database& m_db;
    QStringList m_lines;
    bool m_paramCheck = true;
    mutable bool m_parsed = false;
    mutable ParsedSql m_parsedSql;
    std::vector<QVariant> m_params;

    std::unique_ptr<Statement> m_stmt;
    QByteArray m_preparedText;
    quint64 m_preparedGeneration = 0;

    std::shared_ptr<ResultSet> m_result;
    int m_current = -1;
    bool m_eof = true;
};

} // namespace db
