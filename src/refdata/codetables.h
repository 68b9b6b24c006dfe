#pragma once

#include "core/tdm.h"
#include "widgets/dbkeyrows.h"
#include "widgets/editablegrid.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace refdata {

// What one code-table editor does otherwise than the others. The three
// editors (departments, institutions, document types) are one design; each
// is this table.
struct CodeTable {
    QString formName;                   // the screen's class and object name
    QString title;                      // window title
    QString heading;                    // the heading strip
    QString table;                      // BIRIM, DISKUR, ECINS
    QString codeColumn;                 // BKOD, DKOD, EKOD: never typed
    QString nameColumn;                 // the name the duplicate check compares
    QList<widgets::EditColumn> columns; // shown in the grid, in order
    QString orderLine;                  // empty: rows as the table returns them
    QStringList duplicateLines;         // one parameter: the row's name
    int duplicateLimit = 0;             // the save is refused when SAY is greater
    QString duplicateMessage;
    QString newCodeSql; // MAX of the code as KOD
    QStringList usedIn; // registers whose rows point at the code
    QString inUseMessage;
};

const CodeTable& departmentTable();   // TFRMBIRIM
const CodeTable& institutionTable();  // TFRMKURUM
const CodeTable& documentTypeTable(); // TFRMECINS

// The highest stored code plus one, from a statement giving MAX(code) as
// KOD on the scratch query; 1 for an empty table. The codes are 16-bit
// columns: a code beyond them throws (the application error handler
// reports it) instead of being wrapped round to a negative one.
int nextCode(db::Query& scratch, const QString& maxSql);

inline const QString DeleteQuestion =
    QStringLiteral("DİKKAT! Bu Kayıt Silinecektir. Onaylıyormusunuz.?");
// A stored row another workstation deleted meanwhile cannot be written again.
inline const QString RowRemovedElsewhere =
    QStringLiteral("DİKKAT! Bu Kayıt Başka Bir İş İstasyonunda Silinmiş. Değişiklikler "
                   "Kaydedilemedi..");

// The statements of one code table. The checks and the new code run on the
// data module's scratch query; the rows are read and written as rows of a
// table without a key (widgets::DbKeyRows), found again by their DBKEY
// together with their code.
class CodeTableRules {
public:
    CodeTableRules(core::TDM& dm, const CodeTable& table);

    const CodeTable& table() const { return m_table; }

    // Every row of the table with its DBKEY, in the table's order.
    db::Query& openRows();
    void closeRows();

    // The duplicate check: true when the name is counted more often than
    // the table allows. A row being changed counts itself under its stored
    // name; the comparison is the database's, letter case included.
    bool isDuplicate(const QVariant& name);
    // The highest stored code plus one; 1 for an empty table.
    int nextCode();
    // How many documents of the registers point at the code.
    qint64 useCount(const QVariant& code);

    // Writes a new row with the next code; sets its code and DBKEY.
    void insertRow(widgets::RowValues& row);
    // Writes the changed editable columns of a stored row; false when the
    // row is gone (another workstation deleted it) and nothing was written.
    bool updateRow(const widgets::RowValues& row);
    void deleteRow(const widgets::RowValues& row);

private:
    core::TDM& m_dm;
    const CodeTable& m_table;
    widgets::DbKeyRows m_rows;
};

} // namespace refdata
