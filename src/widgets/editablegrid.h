#pragma once

#include "db/query.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <QVariantMap>

#include <functional>

class QLineEdit;

namespace widgets {

// One shown column of an editable grid.
struct EditColumn {
    QString field;
    QString heading;
    int width = 0; // pixels; 0 lets the view choose
    // The column's size, taken from the file when the rows are loaded; 0
    // for none. A longer text stays whole in the cell, marked, and the
    // row's save is refused.
    int maxLength = 0;
    bool editable = true;
};

// The values of one row, by the column names of the select list (shown or
// not: a grid also keeps the key and the code of each row).
using RowValues = QVariantMap;

// The rows of a table as the clerk edits them in place: all rows in memory,
// at most one of them in editing at a time. A changed row is written only
// when it is saved (post), through the save handler of the screen, which
// applies the screen's rules and may refuse: the row then stays in editing
// with what was typed.
class EditableTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class State {
        Browse, // no row in editing
        Edit,   // a stored row has been changed
        Insert, // a new row has been started
    };

    // Writes the row being saved; newRow tells a new row from a changed one.
    // It may fill values (the code given at the first save, the row's key).
    // False refuses the save: nothing is written, the row stays in editing.
    using SaveHandler = std::function<bool(RowValues& row, bool newRow)>;

    explicit EditableTable(QList<EditColumn> columns, QObject* parent = nullptr);

    void setSaveHandler(SaveHandler handler) { m_save = std::move(handler); }
    const QList<EditColumn>& columns() const { return m_columns; }

    // Takes every row of the query, with all of its columns; text of the
    // OCTETS character set (a row's RDB$DB_KEY) is kept as bytes. The
    // shown text columns take their sizes from it. Any editing ends
    // without writing.
    void load(const db::Query& query);
    // Why the row cannot be written as typed: a text longer than its
    // column or holding characters the file cannot hold, named by the
    // column's heading; empty when it can.
    QString refusal(const RowValues& row) const;
    void clear();

    State state() const { return m_state; }
    // The row in editing; -1 when none.
    int editRow() const { return m_editRow; }
    // Something was typed into the row in editing.
    bool isModified() const { return m_modified; }

    RowValues row(int row) const { return m_rows.value(row); }
    QVariant value(int row, const QString& field) const { return m_rows.value(row).value(field); }
    // Changes a value as the clerk does: the row goes into editing. A row
    // of another row in editing is saved first; false when that is refused.
    bool setValue(int row, const QString& field, const QVariant& value);

    // Starts a new, empty row at the end; false when the row in editing
    // could not be saved first.
    bool appendRow();
    // Saves the row in editing through the handler; a new row nothing was
    // typed into is dropped instead. True when no row is left in editing.
    bool post();
    // Undoes the editing: a changed row gets its stored values back, a new
    // row goes away.
    void cancel();
    // Forgets a row without writing anything (the screen has deleted it).
    void dropRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The row in editing or the state changed.
    void stateChanged();

private:
    void setState(State state, int row);

    QList<EditColumn> m_columns;
    QList<RowValues> m_rows;
    SaveHandler m_save;
    State m_state = State::Browse;
    int m_editRow = -1;
    bool m_modified = false;
    RowValues m_stored; // the values of the changed row before its editing
};

// A grid over an EditableTable, used as a data-aware grid is used:
// - typing into a cell edits it in place (F2 or a double-click opens the
//   cell as well); a cell takes the text only when something was typed;
// - Down on the last row, or Insert, starts a new row at the end; typing
//   into an empty grid starts one too;
// - leaving a row in editing saves it; a refused save keeps the cursor on
//   the row;
// - Ctrl+Z undoes the editing of the current row (a way out of a row whose
//   save is refused);
// - the vertical heading marks the row in editing: "*" a new row, "✎" a
//   changed one.
class EditableGrid : public QTableView {
    Q_OBJECT
public:
    explicit EditableGrid(QWidget* parent = nullptr);

    void setTable(EditableTable* table);
    EditableTable* table() const { return m_table; }

    // Closes an open cell editor, keeping what was typed in it; a command
    // button calls it before it saves.
    void commitEditor();
    // Starts a new row at the end with the cursor in its first editable
    // cell; false when the row in editing could not be saved.
    bool startNewRow();
    int currentRowNumber() const { return currentIndex().row(); }

signals:
    // The current row moved (after a row left was saved).
    void currentRowChanged(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class CellDelegate;
    int firstEditableColumn() const;

    EditableTable* m_table = nullptr;
    QPointer<QLineEdit> m_editor;
    bool m_reverting = false;
};

} // namespace widgets
