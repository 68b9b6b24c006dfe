#pragma once

#include "db/query.h"
#include "widgets/editablegrid.h"

#include <QString>
#include <QStringList>

namespace widgets {

// The rows of a table without a key column, as an editable grid edits
// them: each row is read with its RDB$DB_KEY (column DBKEY) and found again
// by it together with its code, since two workstations saving at the same
// moment can give two rows the same code. A new row is written with the
// code its screen gives it and takes back its DBKEY; a stored row is
// written again with its editable fields. The rows are read and written on
// queries of their own.
class DbKeyRows {
public:
    // The order line is added to the select as it is; empty keeps the rows
    // as the table returns them.
    DbKeyRows(db::Database& db, QString table, QString codeColumn, QStringList fields,
              QString orderLine = QString());

    // Every row with its DBKEY, its code and its editable fields.
    db::Query& open();
    void close() { m_rows.close(); }

    // Writes a new row under the code; sets its code and DBKEY.
    void insert(RowValues& row, const QVariant& code);
    // Writes the editable fields of a stored row again; false when the row
    // is gone (another workstation deleted it) and nothing was written.
    bool update(const RowValues& row);
    // A row another workstation removed is gone all the same.
    void remove(const RowValues& row);

private:
    QString findLine() const;

    QString m_table;
    QString m_codeColumn;
    QStringList m_fields;
    QString m_orderLine;
    db::Query m_rows;
    db::Query m_write;
};

} // namespace widgets
