#pragma once

#include "db/query.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QTableView>

class QFrame;

#include <functional>

namespace widgets {

// One shown column of a list: the result column it shows and its heading.
struct GridColumn {
    QString field;
    QString heading;
    int width = 0; // pixels; 0 lets the view choose
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // How the value is shown; the stored text when empty.
    std::function<QString(const db::Field&)> format;
};

// Colours of one row: background and text; invalid colours keep the view's.
struct RowColors {
    QColor background;
    QColor text;
};

// The rows of a query as a read-only table. It follows the query: opening
// and closing it refresh the model.
class QueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    QueryModel(db::Query& query, QList<GridColumn> columns, QObject* parent = nullptr);

    db::Query& query() const { return *m_query; }
    bool hasQuery() const { return !m_query.isNull(); }
    void setRowColors(std::function<RowColors(int row)> colors) { m_colors = std::move(colors); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text a cell shows, as the clerk sees it.
    QString text(int row, int column) const;

private:
    void resolveColumns();

    // A screen's query may go before its grid when the screen is destroyed;
    // the model then shows nothing.
    QPointer<db::Query> m_query;
    QList<GridColumn> m_columns;
    QList<int> m_resultColumn;
    std::function<RowColors(int)> m_colors;
};

// A list over a query: whole-row selection, the selected row is the query's
// current row and the other way round. Double-click or Enter activates a row.
//
// A list that could not be read (the server gone, an error) is never shown
// as an empty list, which the clerk would take for an empty register: the
// grid says that the list could not be read and offers to read it again,
// until the query opens once more.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    void bind(db::Query& query, const QList<GridColumn>& columns);
    QueryModel* queryModel() const { return m_model; }

    bool unreadable() const { return m_unreadable; }
    // "Yeniden Oku": the query runs again as it last ran.
    void readAgain();

    inline static const QString UnreadableText =
        QStringLiteral("DİKKAT! Liste Okunamadı. Kayıtlar Silinmemiştir; Bağlantı Düzelince "
                       "Listeyi Yeniden Okuyunuz..");

    // The list's context menu offers "Excel'e Aktar" and "CSV Olarak
    // Kaydet": the rows and columns shown, to a file named after name.
    void offerExport(const QString& name);

signals:
    void rowActivated(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void followQuery(int row);
    void setUnreadable(bool unreadable);
    void placeUnreadablePanel();

    QueryModel* m_model = nullptr;
    bool m_syncing = false;
    bool m_unreadable = false;
    QFrame* m_unreadablePanel = nullptr;
};

} // namespace widgets
