#pragma once

#include "datagrid.h"
#include "filteredlist.h"
#include "screen.h"

#include "db/query.h"

#include <QList>
#include <QString>
#include <QStringList>

class QGroupBox;
class QLabel;

namespace widgets {

// What the shared body of a list screen takes from the screen's own table
// of differences.
struct FilteredListDesign {
    QString formName{};
    QString title{};
    Qt::WindowFlags windowFlags{};
    bool sizeGrip = false;
    QString filterHeading{}; // empty: the filter strip has no heading
    QList<Filter> filters{};
    StripLook look{};
    // SORGULA: the select and join lines, the condition every row meets
    // (empty: none) and the ordering line.
    QStringList selectLines{};
    QString baseCondition{};
    QString orderLine{};
    QList<GridColumn> columns{};
    QString stretchField{}; // the column that takes the room left
    // The full KONU of the current row under the list.
    bool subjectLine = false;
    // The rows on screen also go to a workbook or a CSV file from the list's
    // context menu.
    bool exportRows = true;
    // Every opening moves to the last row.
    bool lastRowOnOpen = true;
};

// The window of a list screen: a tool window with a narrow title bar and
// its close button, or an ordinary window that can be maximised.
Qt::WindowFlags listWindowFlags(bool toolWindow);

// The design read from a table that names the shared parts as the design
// does (the browse lists' and the ledgers' tables), in the window its
// toolWindow asks for.
template <typename Table> FilteredListDesign listDesign(const Table& table)
{
    return {.formName = table.formName,
            .title = table.title,
            .windowFlags = listWindowFlags(table.toolWindow),
            .filterHeading = table.filterHeading,
            .filters = table.filters,
            .selectLines = table.selectLines,
            .orderLine = table.orderLine,
            .columns = table.columns,
            .stretchField = table.stretchField,
            .subjectLine = table.subjectLine};
}

// The body every filtered list screen shares (the browse lists, the
// ledgers and the general list, the pickers): the strip of filters over the
// list query, the grid of its rows, the subject line under it. The form of
// the screen holds the group box "grpFiltre" (with its layout) the strip
// goes into, the grid "grdListe" and, where the screen has one, the label
// "lblKonu". Every opening runs COMBODOLDUR and SORGULA and puts the focus
// on the list; closing closes the list.
class FilteredListScreen : public Screen {
    Q_OBJECT
public:
    explicit FilteredListScreen(db::Database& db, QWidget* parent = nullptr);
    ~FilteredListScreen() override;

    db::Query& list() { return m_list; }
    DataGrid& grid() const { return *m_grid; }
    FilterStrip& filters() const { return *m_filters; }

    // COMBODOLDUR: the filters from their tables, each on its first entry.
    void COMBODOLDUR();
    // SORGULA: the list query with the filters as they stand.
    virtual void SORGULA();
    // The clerk changed a filter: its value is worked out again and the
    // list runs again.
    void filterChanged(int filter);

protected:
    // Sets the screen up after its form: the window, the strip (its code
    // lists read through scratch), the grid and the subject line.
    void setUpList(const FilteredListDesign& design, db::Query& scratch);

    void activate() override;
    void deactivate() override;
    // The department a clerk tied to one sees alone in the department list
    // (0: every department).
    virtual int clerkDepartment() const { return 0; }

    db::Query m_list;

private:
    void showSubject();

    FilteredListDesign m_design;
    FilterStrip* m_filters = nullptr;
    DataGrid* m_grid = nullptr;
    QLabel* m_subject = nullptr;
};

} // namespace widgets
