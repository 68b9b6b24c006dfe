#pragma once

#include "core/appcontext.h"
#include "core/tdm.h"
#include "report/table.h"
#include "widgets/datagrid.h"
#include "widgets/filteredlist.h"
#include "widgets/filteredlistscreen.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QPushButton;

namespace Ui {
class Ledger;
}

namespace lists {

class DocumentDetail;
class DocumentPicker;

// An entry of a ledger's print menu and the layout it prints.
struct LedgerPrint {
    QString caption{};
    const report::TableDesign& (*layout)() = nullptr;
};

// The table of differences of the register ledgers (and of the general
// list, which follows their pattern).
struct LedgerTable {
    QString formName{};
    QString title{};
    QString filterHeading{}; // empty: the filter strip has no heading
    // A tool window with a close button, or an ordinary resizable window.
    bool toolWindow = true;
    QStringList selectLines{};
    QString orderLine{};
    QList<widgets::Filter> filters{};
    widgets::StripLook look{};
    QList<widgets::GridColumn> columns{};
    QString stretchField{};
    // The full KONU of the current row under the list.
    bool subjectLine = false;
    // The picture button at the end of the filter strip that runs SORGULA.
    bool refreshButton = true;
    // "F3-Ara": the petition picker moves the list to the petition chosen.
    bool search = false;
    QList<LedgerPrint> printMenu{};
};

// The filters of a ledger, in the order their conditions are appended:
// institution (when the register has one), department, document type,
// reply expected, month and grade of registration, and the date. A ledger
// of editable lists ("Dilekçeler Listesi") accepts typed text in each.
struct LedgerColumns {
    QString monthColumn; // the registration date, for the month
    QString dateColumn;  // the date compared whole
    // The institution filter's all-entry; none: the register has no
    // institution. Every code list is in Turkish alphabetical order, as its
    // statement reads the names.
    QString institutionAllEntry{};
    bool editable = false;
};
QList<widgets::Filter> ledgerFilters(const LedgerColumns& columns);

// The entries of a fixed choice list, each by its text.
QList<widgets::FilterChoice> choiceEntries(const QStringList& texts);
// The twelve months, "Ocak" to "Aralık": a month filter's entries after its
// all-entry, each at the position of its number.
const QStringList& monthNames();

// The month condition: the system's SUBSTR test, preceded by the same test
// with the engine's own SUBSTRING, which the engine evaluates first and many
// times faster; the rows are the same.
QString monthCondition(const QString& dateColumn);

// A register ledger: the year's documents of one register narrowed by the
// filters, the detail view of the current row ("F2-Detay"), and the print
// menu ("F7-Yazdır") whose layouts print exactly the rows on screen by the
// print rule. Created once and reused. Every activation (opening, and the
// return from a print preview) resets the filters and moves to the last
// row; returning from a modal window opened from it keeps everything.
// emblem gives the institution's emblem the main window holds, for the
// printed books (none: they print without one).
class Ledger : public widgets::FilteredListScreen {
    Q_OBJECT
public:
    Ledger(const LedgerTable& table, core::TDM& dm, core::AppContext& ctx,
           std::function<QImage()> emblem, QWidget* parent = nullptr);
    ~Ledger() override;

    const LedgerTable& ledgerTable() const { return m_table; }
    QMenu& printMenu() const { return *m_printMenu; }
    report::TableLayout& layout(int printEntry) const { return *m_layouts.at(size_t(printEntry)); }

    // The screens it opens, made elsewhere in the program's order.
    void setDetailView(DocumentDetail* view) { m_detail = view; }
    void setPicker(DocumentPicker* picker) { m_picker = picker; }

    // "F2-Detay": the detail view of the current row (key 0 on an empty list).
    void detail();
    // "F7-Yazdır": the print menu just above the button.
    void showPrintMenu();
    // An entry of the print menu: its layout over the rows on screen.
    void print(int printEntry);
    // "F3-Ara".
    void search();
    void exit();

protected:
    // The view "F2-Detay" opens for the current row.
    virtual DocumentDetail* detailView() const { return m_detail; }

    core::TDM& m_dm;
    core::AppContext& m_ctx;

private:
    LedgerTable m_table;
    std::function<QImage()> m_emblem;
    std::unique_ptr<Ui::Ledger> m_ui;
    QPushButton* m_refresh = nullptr;
    QMenu* m_printMenu;
    std::vector<std::unique_ptr<report::TableLayout>> m_layouts;
    DocumentDetail* m_detail = nullptr;
    DocumentPicker* m_picker = nullptr;
};

} // namespace lists
