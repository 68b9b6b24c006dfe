#include "editablegrid.h"

#include "textmark.h"

#include "core/errors.h"
#include "core/fieldcheck.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace widgets {

EditableTable::EditableTable(QList<EditColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns))
{
}

void EditableTable::load(const db::Query& query)
{
    beginResetModel();
    m_rows.clear();
    const auto result = query.result();
    if (result) {
        const auto& described = result->columns();
        for (EditColumn& c : m_columns)
            for (const db::Column& d : described)
                if (d.name == c.field && d.textLength() > 0)
                    c.maxLength = d.textLength();
        m_rows.reserve(result->rowCount());
        for (int r = 0; r < result->rowCount(); ++r) {
            RowValues values;
            for (int c = 0; c < result->columnCount(); ++c) {
                const db::Field f = result->value(r, c);
                const bool octets = described[size_t(c)].charSet == 1;
                values.insert(described[size_t(c)].name, f.isNull() ? QVariant()
                                                         : octets   ? QVariant(f.toBytes())
                                                                    : f.toVariant());
            }
            m_rows << values;
        }
    }
    m_state = State::Browse;
    m_editRow = -1;
    m_modified = false;
    m_stored.clear();
    endResetModel();
    emit stateChanged();
}

QString EditableTable::refusal(const RowValues& row) const
{
    for (const EditColumn& c : m_columns)
        if (c.editable && row.value(c.field).typeId() == QMetaType::QString)
            if (QString refused =
                    core::textRefusal(c.heading, row.value(c.field).toString(), c.maxLength);
                !refused.isEmpty())
                return refused;
    return {};
}

void EditableTable::clear()
{
    beginResetModel();
    m_rows.clear();
    m_state = State::Browse;
    m_editRow = -1;
    m_modified = false;
    m_stored.clear();
    endResetModel();
    emit stateChanged();
}

void EditableTable::setState(State state, int row)
{
    const int before = m_editRow;
    m_state = state;
    m_editRow = state == State::Browse ? -1 : row;
    if (state == State::Browse) {
        m_modified = false;
        m_stored.clear();
    }
    for (int r : {before, m_editRow})
        if (r >= 0 && r < m_rows.size())
            emit headerDataChanged(Qt::Vertical, r, r);
    emit stateChanged();
}

bool EditableTable::setValue(int row, const QString& field, const QVariant& value)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    if (m_state != State::Browse && m_editRow != row) {
        if (!post())
            return false;
    }
    if (m_state == State::Browse) {
        m_stored = m_rows[row];
        setState(State::Edit, row);
    }
    m_rows[row].insert(field, value);
    m_modified = true;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    return true;
}

bool EditableTable::appendRow()
{
    if (m_state == State::Insert && !m_modified)
        return true; // the untouched new row is already there
    if (!post())
        return false;
    const int row = int(m_rows.size());
    beginInsertRows(QModelIndex(), row, row);
    m_rows << RowValues();
    endInsertRows();
    setState(State::Insert, row);
    return true;
}

bool EditableTable::post()
{
    if (m_state == State::Browse)
        return true;
    const int row = m_editRow;
    if (m_state == State::Insert && !m_modified) {
        // Nothing was typed: there is no row to write.
        setState(State::Browse, -1);
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.removeAt(row);
        endRemoveRows();
        return true;
    }
    RowValues values = m_rows[row];
    if (m_save && !m_save(values, m_state == State::Insert))
        return false;
    m_rows[row] = values;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    setState(State::Browse, -1);
    return true;
}

void EditableTable::cancel()
{
    const int row = m_editRow;
    if (m_state == State::Edit) {
        m_rows[row] = m_stored;
        setState(State::Browse, -1);
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    } else if (m_state == State::Insert) {
        setState(State::Browse, -1);
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.removeAt(row);
        endRemoveRows();
    }
}

void EditableTable::dropRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    if (row == m_editRow)
        setState(State::Browse, -1);
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    if (m_editRow > row)
        --m_editRow;
}

int EditableTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int EditableTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant EditableTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_rows[index.row()].value(m_columns[index.column()].field).toString();
    return {};
}

bool EditableTable::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_columns[index.column()].editable)
        return false;
    return setValue(index.row(), m_columns[index.column()].field, value);
}

Qt::ItemFlags EditableTable::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_columns[index.column()].editable)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant EditableTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? m_columns[section].heading : QString();
    if (section == m_editRow)
        return m_state == State::Insert ? QStringLiteral("*") : QStringLiteral("✎");
    return QString();
}

// Cell editors that mark a text the column cannot take and hand it to the table
// only when the clerk typed something: opening a cell and leaving it
// unchanged does not put the row into editing.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(EditableGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        if (m_grid->table())
            markText(*edit, m_grid->table()->columns().value(index.column()).maxLength);
        m_grid->m_editor = edit;
        return edit;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            edit->setText(index.data(Qt::EditRole).toString());
            edit->setModified(false);
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (edit && edit->isModified())
            model->setData(index, edit->text(), Qt::EditRole);
    }

private:
    EditableGrid* m_grid;
};

EditableGrid::EditableGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new CellDelegate(this));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("✎")) + 10);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
}

void EditableGrid::setTable(EditableTable* table)
{
    m_table = table;
    setModel(table);
    for (int i = 0; i < table->columns().size(); ++i)
        if (table->columns()[i].width > 0)
            setColumnWidth(i, table->columns()[i].width);
    horizontalHeader()->setStretchLastSection(true);
}

int EditableGrid::firstEditableColumn() const
{
    if (!m_table)
        return 0;
    for (int i = 0; i < m_table->columns().size(); ++i)
        if (m_table->columns()[i].editable)
            return i;
    return 0;
}

void EditableGrid::commitEditor()
{
    if (!m_editor)
        return;
    QLineEdit* editor = m_editor;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void EditableGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor)
        m_editor = nullptr;
    QTableView::closeEditor(editor, hint);
}

bool EditableGrid::startNewRow()
{
    if (!m_table)
        return false;
    commitEditor();
    bool appended = false;
    core::guarded([&] { appended = m_table->appendRow(); });
    if (!appended)
        return false;
    setCurrentIndex(m_table->index(m_table->rowCount() - 1, firstEditableColumn()));
    return true;
}

void EditableGrid::keyPressEvent(QKeyEvent* event)
{
    if (!m_table) {
        QTableView::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Undo)) {
        m_table->cancel();
        return;
    }
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Insert) {
        startNewRow();
        return;
    }
    if (plain && event->key() == Qt::Key_Down) {
        const int row = currentIndex().row();
        if (m_table->state() == EditableTable::State::Insert && !m_table->isModified() &&
            row == m_table->editRow())
            return; // already on a new row
        if (m_table->rowCount() == 0 || row == m_table->rowCount() - 1) {
            startNewRow();
            return;
        }
    }
    if (m_table->rowCount() == 0 && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        if (startNewRow())
            edit(currentIndex(), QAbstractItemView::AnyKeyPressed, event);
        return;
    }
    QTableView::keyPressEvent(event);
}

void EditableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // The base closes a cell editor left open on the previous cell and
    // hands its text to the table first.
    QTableView::currentChanged(current, previous);
    if (m_reverting || !m_table)
        return;
    if (previous.isValid() && current.row() != previous.row() &&
        m_table->state() != EditableTable::State::Browse && m_table->editRow() == previous.row()) {
        bool saved = false;
        core::guarded([&] { saved = m_table->post(); });
        if (!saved) {
            m_reverting = true;
            setCurrentIndex(previous);
            m_reverting = false;
            return;
        }
    }
    if (current.row() != previous.row())
        emit currentRowChanged(currentIndex().row());
}

} // namespace widgets
