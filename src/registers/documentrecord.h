#pragma once

#include "db/resultset.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace db {
class Query;
}

namespace registers {

// One row of a register table as an entry screen edits it: every column the
// table has, the values as read and as they stand now.
//
// An empty text counts as no value, so a box left empty stores NULL and a
// stored empty text does not count as a change. Saving an edited row writes
// only the columns changed on this visit, so that what other workstations
// and other screens wrote meanwhile into the other columns (the reply link
// CEVNO above all) is not overwritten with what was read at set-up.
class DocumentRecord {
public:
    // Reads the row of the key with "SELECT * FROM <table>" / "WHERE
    // KAYNO=:KN". The columns are known even when no row is found; the
    // values are then empty. Returns whether the row was found.
    bool read(db::Query& query, const QString& table, int kayno);
    // Starts a new row with every column empty but the key.
    void startNew(db::Query& query, const QString& table, int kayno);

    QString table() const { return m_table; }
    int kayno() const { return m_kayno; }
    bool isNew() const { return m_new; }
    bool hasColumn(const QString& column) const { return m_columns.contains(column); }
    // How the file describes a column (its type and size); nullptr for a
    // column the table does not have.
    const db::Column* description(const QString& column) const;

    QVariant value(const QString& column) const { return m_current.value(column); }
    QString text(const QString& column) const { return m_current.value(column).toString(); }
    int number(const QString& column) const { return m_current.value(column).toInt(); }
    bool isEmpty(const QString& column) const { return m_current.value(column).isNull(); }
    void setValue(const QString& column, const QVariant& value);
    // A value the database already holds for this row (written by a
    // statement of its own): it does not count as a change.
    void setStoredValue(const QString& column, const QVariant& value);

    // The columns whose value differs from the one read.
    QStringList changedColumns() const;

    // Writes the row: a new one is inserted with the columns that have a
    // value, a stored one updated in its changed columns. Afterwards the
    // row counts as stored with the values written. Returns the rows hit:
    // 0 for a stored row another workstation deleted meanwhile (looked up
    // when no column changed), the record then unchanged.
    quint64 store(db::Query& query);

private:
    static QVariant normalised(const QVariant& value);

    QString m_table;
    int m_kayno = 0;
    bool m_new = false;
    QStringList m_columns;
    std::vector<db::Column> m_descriptions;
    QHash<QString, QVariant> m_original;
    QHash<QString, QVariant> m_current;
};

} // namespace registers
