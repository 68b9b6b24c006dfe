#include "datagrid.h"

#include "gridexport.h"

#include "core/errors.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace widgets {

QueryModel::QueryModel(db::Query& query, QList<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_query(&query), m_columns(std::move(columns))
{
    connect(m_query, &db::Query::opened, this, [this] {
        beginResetModel();
        resolveColumns();
        endResetModel();
    });
    connect(m_query, &db::Query::closed, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(m_query, &QObject::destroyed, this, [this] {
        beginResetModel();
        endResetModel();
    });
    resolveColumns();
}

void QueryModel::resolveColumns()
{
    m_resultColumn.clear();
    for (const GridColumn& c : m_columns)
        m_resultColumn << (m_query ? m_query->columnIndex(c.field) : -1);
}

int QueryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_query ? 0 : m_query->rowCount();
}

int QueryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString QueryModel::text(int row, int column) const
{
    if (!m_query || column < 0 || column >= m_columns.size())
        return {};
    const db::Field f = m_query->value(row, m_resultColumn.value(column, -1));
    const GridColumn& c = m_columns[column];
    return c.format ? c.format(f) : f.toString();
}

QVariant QueryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case NumberRole: {
        // A number the column shows as it is stored; a formatted one is text.
        if (!m_query || m_columns[index.column()].format)
            return {};
        const QVariant v =
            m_query->value(index.row(), m_resultColumn.value(index.column(), -1)).toVariant();
        const int type = v.typeId();
        return type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Double
                   ? v
                   : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(m_columns[index.column()].alignment);
    case Qt::BackgroundRole:
        if (m_colors) {
            const QColor c = m_colors(index.row()).background;
            if (c.isValid())
                return c;
        }
        return {};
    case Qt::ForegroundRole:
        if (m_colors) {
            const QColor c = m_colors(index.row()).text;
            if (c.isValid())
                return c;
        }
        return {};
    default:
        return {};
    }
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 &&
        section < m_columns.size())
        return m_columns[section].heading;
    return QAbstractTableModel::headerData(section, orientation, role);
}

DataGrid::DataGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowActivated(index.row()); });
}

void DataGrid::bind(db::Query& query, const QList<GridColumn>& columns)
{
    delete m_model;
    m_model = new QueryModel(query, columns, this);
    setModel(m_model);
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].width > 0)
            setColumnWidth(i, columns[i].width);
    horizontalHeader()->setStretchLastSection(true);
    connect(&query, &db::Query::currentRowChanged, this, &DataGrid::followQuery);
    connect(&query, &db::Query::openFailed, this, [this] { setUnreadable(true); });
    connect(&query, &db::Query::opened, this, [this] { setUnreadable(false); });
    setUnreadable(false);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_syncing && current.isValid() && m_model->hasQuery())
                    m_model->query().setCurrentRow(current.row());
            });
    followQuery(query.currentRow());
}

void DataGrid::offerExport(const QString& name)
{
    widgets::offerExport(*this, name);
}

void DataGrid::followQuery(int row)
{
    if (!m_model)
        return;
    m_syncing = true;
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
        scrollTo(index);
    } else {
        selectionModel()->clearSelection();
    }
    m_syncing = false;
}

void DataGrid::setUnreadable(bool unreadable)
{
    m_unreadable = unreadable;
    if (!unreadable) {
        if (m_unreadablePanel)
            m_unreadablePanel->hide();
        return;
    }
    if (!m_unreadablePanel) {
        m_unreadablePanel = new QFrame(viewport());
        m_unreadablePanel->setObjectName(QStringLiteral("pnlOkunamadi"));
        QFrame* frame = m_unreadablePanel;
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(frame);
        auto* text = new QLabel(UnreadableText, frame);
        text->setObjectName(QStringLiteral("lblOkunamadi"));
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignCenter);
        QFont bold = text->font();
        bold.setBold(true);
        text->setFont(bold);
        auto* again = new QPushButton(QStringLiteral("Yeniden Oku"), frame);
        again->setObjectName(QStringLiteral("btnYenidenOku"));
        connect(again, &QPushButton::clicked, this,
                [this] { core::guarded([this] { readAgain(); }); });
        layout->addWidget(text);
        layout->addWidget(again, 0, Qt::AlignHCenter);
    }
    placeUnreadablePanel();
    m_unreadablePanel->show();
    m_unreadablePanel->raise();
}

void DataGrid::placeUnreadablePanel()
{
    if (!m_unreadablePanel)
        return;
    const QRect area = viewport()->rect();
    const int width = std::min(area.width() - 16, 420);
    m_unreadablePanel->setFixedWidth(std::max(width, 120));
    m_unreadablePanel->adjustSize();
    m_unreadablePanel->move((area.width() - m_unreadablePanel->width()) / 2,
                            std::max(8, (area.height() - m_unreadablePanel->height()) / 3));
}

void DataGrid::readAgain()
{
    if (m_model && m_model->hasQuery())
        m_model->query().open();
}

void DataGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    placeUnreadablePanel();
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        emit rowActivated(currentIndex().row());
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace widgets
