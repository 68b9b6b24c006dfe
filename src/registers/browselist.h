#pragma once

#include "entryscreen.h"
#include "registertable.h"

#include "core/appcontext.h"
#include "core/tdm.h"
#include "widgets/datagrid.h"
#include "widgets/filteredlist.h"
#include "widgets/screen.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class QComboBox;

namespace Ui {
class BrowseListForm;
}

namespace registers {

// An entry of a fixed filter list with the condition it adds (none for the
// all-entry).
struct ListChoice {
    QString text{};
    QString firstForm{};
    QString laterForm{};
};

// One filter of a browse list.
struct ListFilter {
    enum class Kind {
        // Names from a code table after the all-entry; the shown name is
        // looked up into its code, the condition's one parameter.
        CodeList,
        // Fixed entries, each with a condition of its own and no parameter.
        Choice,
        // Fixed entries after the all-entry; the condition's parameter is
        // the first letter of the text shown.
        Letter,
    };
    Kind kind = Kind::CodeList;
    QString objectName{};
    QString caption{};
    bool editable = false; // accepts typed text
    // CodeList: fill statement and look-up lines (the name their parameter).
    QString fillSql{};
    QStringList lookupLines{};
    // A department list: a clerk tied to a department sees it alone, fixed.
    bool departmentOfClerk = false;
    // CodeList and Letter: the condition of the filter.
    QString firstForm{};
    QString laterForm{};
    // Choice and Letter: the entries, the all-entry first.
    QList<ListChoice> choices{};
    QString allEntry = QStringLiteral("TÜMÜ");
};

// The table of differences of a browse list.
struct ListTable {
    const RegisterTable* reg = nullptr;
    QString formName{};
    QString title{};
    QString filterHeading{};
    // The select line and its join lines; the reply number "Cev.No" comes
    // with the rows, as column CNO.
    QStringList selectLines{};
    QString orderLine{};
    QList<ListFilter> filters{};
    QList<widgets::GridColumn> columns{};
    QString stretchField{};  // the column that takes the room left
    bool subjectLine = true; // the full KONU of the current row under the list
};

// What a filter shows: its text and, for a code list, the code of that name
// (-1 on the all-entry or a typed text that is no entry, 0 for a name no
// row has).
struct ListFilterValue {
    QString shown{};
    int code = -1;
    // The department of a clerk tied to one: the condition holds whatever
    // the list shows.
    bool fixed = false;
};

// The condition line of SORGULA from the filters in the order of the table.
widgets::ConditionLine listConditions(const ListTable& table, const QList<ListFilterValue>& values);

// "F10-Sil" after the clerk said yes: refused (false) while another document
// answers this one; otherwise the row is deleted, the document it answered
// waits for a reply again, the register's number generator is set to the
// highest number left, and the deletion is committed.
bool deleteDocument(core::TDM& dm, const RegisterTable& reg, int kayno, int ilgno,
                    const QString& ilgdur);

inline const QString DeleteQuestion =
    QStringLiteral("DİKKAT! Bu Kayıt Silinecektir. Onaylıyormusunuz.?");

// The working list of a register: the filters, the list, the entry screen
// for a new or the current document, the deletion. Created once and reused;
// every opening resets the filters and moves to the newest document.
class BrowseList : public widgets::Screen {
    Q_OBJECT
public:
    BrowseList(const ListTable& table, core::TDM& dm, core::AppContext& ctx, EntryScreen& entry,
               QWidget* parent = nullptr);
    ~BrowseList() override;

    const ListTable& listTable() const { return m_table; }
    db::Query& list() { return m_list; }
    widgets::DataGrid& grid() const;

    // COMBODOLDUR and SORGULA.
    void COMBODOLDUR();
    void SORGULA();
    // The clerk changed a filter.
    void filterChanged(int filter);
    // "F2-Yeni Evrak", "F4-Değiş" (and a double-click), "F10-Sil", "F3-Ara",
    // "ESC-Çıkış".
    void newDocument();
    void editDocument();
    void deleteCurrent();
    // Nothing here; a list with a search of its own overrides it.
    virtual void search();
    void exit();

protected:
    void activate() override;
    void deactivate() override;

private:
    void buildFilters();
    QList<ListFilterValue> filterValues() const;
    void showSubject();

    ListTable m_table;
    core::TDM& m_dm;
    core::AppContext& m_ctx;
    EntryScreen& m_entry;
    db::Query m_list;
    std::unique_ptr<Ui::BrowseListForm> m_ui;
    QList<QComboBox*> m_combos;
    QList<int> m_codes;
};

} // namespace registers
