#pragma once

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
class QLineEdit;

namespace Ui {
class DocumentPicker;
}

namespace lists {

// What a picker leaves for the screen that opened it. One per picker, held
// by the picker object and alive as long as the program:
//
//     core::Prompter::current().runModal(picker);
//     if (picker.result().Chosen)
//         link(picker.result().ChosenKayno);
struct PickerResult {
    // Every closing sets it: true by "F5-Seç", false by "ESC-Çıkış".
    bool Chosen = false;
    // KAYNO of the row that was current at the choice; 0 when the list was
    // empty. Only a choice writes it: a cancel leaves the earlier key.
    int ChosenKayno = 0;
};

// A condition one filter adds to the list query: its form when it is the
// first condition of the line ("WHERE ...") and when it follows another
// (" AND ..."), with its one parameter.
struct FilterCondition {
    QString firstForm{};
    QString laterForm{};
    QVariant param{};
};

// One entry of a fixed choice list; an entry without forms adds nothing.
struct FixedEntry {
    QString text{};
    FilterCondition condition{};
};

// One filter of a picker, as its table gives it.
struct PickerFilter {
    enum class Kind {
        // A choice list filled from a code table with the all-entry first;
        // the shown name is looked up into its code.
        CodeList,
        // A text box matched anywhere in a column: "%" + text + "%".
        NameText,
        // A choice list of fixed entries.
        FixedList,
    };
    Kind kind = Kind::CodeList;
    QString objectName{};
    QString caption{};
    // CodeList and NameText: the condition; its parameter is the code of
    // the shown name or the pattern of the typed text.
    FilterCondition condition{};
    // CodeList: the fill statement and the look-up lines (one parameter,
    // the name).
    QString fillSql{};
    QStringList lookupLines{};
    // NameText: the longest text the box takes (the column's size).
    int maxLength = 0;
    // FixedList: the entries, the first one being the all-entry.
    QList<FixedEntry> entries{};
};

// One shown column of the list.
struct PickerColumn {
    QString field{};
    QString heading{};
    int width = 0;
};

// The table of differences of the three pickers.
struct PickerTable {
    QString formName{};
    QString title{};
    QString filterHeading{}; // empty: the filter strip has no heading
    QString listHeading{};
    QStringList selectLines{}; // the select line and the join lines
    QString baseCondition{};   // empty: none
    QString orderLine{};
    QList<PickerFilter> filters{};
    QList<PickerColumn> columns{};
    bool themeColors = false; // colours from AppContext at creation
};

// What one filter shows as the clerk left it: the text of its list or box
// and, for a code list, the code of that name (-1 for the all-entry or a
// text that is no entry).
struct FilterValue {
    QString shown{};
    int code = -1;
};

// The all-entry of the code lists.
inline const QString AllEntry = QStringLiteral("TÜMÜ");

// The condition line of SORGULA: the base condition first, then each filter
// in the order of the table, when it is on.
widgets::ConditionLine pickerConditions(const PickerTable& table, const QList<FilterValue>& values);

// A filtered pick list of one register: the clerk narrows the list with the
// filters and chooses one document ("F5-Seç", a double-click or Enter on a
// row) or cancels ("ESC-Çıkış", Esc). The picker never changes data.
class DocumentPicker : public widgets::Screen {
    Q_OBJECT
public:
    DocumentPicker(const PickerTable& table, core::TDM& dm, core::AppContext& ctx,
                   QWidget* parent = nullptr);
    ~DocumentPicker() override;

    PickerResult& result() { return m_result; }
    const PickerResult& result() const { return m_result; }
    db::Query& list() { return m_list; }

    // COMBODOLDUR: the code lists from their tables, each on its all-entry.
    void COMBODOLDUR();
    // SORGULA: the list query with the filters as they stand.
    void SORGULA();
    // A filter of the table changed: its code is looked up and the list runs again.
    void filterChanged(int filter);
    void choose();
    void cancel();

protected:
    void activate() override;
    void deactivate() override;

private:
    void buildFilters();
    void paintThemeColors(const core::AppContext& ctx);
    QList<FilterValue> filterValues() const;

    PickerTable m_table;
    core::TDM& m_dm;
    db::Query m_list;
    PickerResult m_result;
    std::unique_ptr<Ui::DocumentPicker> m_ui;
    // One per filter: the widget the clerk uses and the code of a code list.
    QList<QComboBox*> m_combos;
    QList<QLineEdit*> m_edits;
    QList<int> m_codes;
};

} // namespace lists
