#pragma once

#include "core/appcontext.h"
#include "core/tdm.h"
#include "widgets/datagrid.h"
#include "widgets/filteredlist.h"
#include "widgets/filteredlistscreen.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

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

// A filter of a picker: the shared filter design of every list screen.
using PickerFilter = widgets::Filter;

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

// A filtered pick list of one register: the clerk narrows the list with the
// filters and chooses one document ("F5-Seç", a double-click or Enter on a
// row) or cancels ("ESC-Çıkış", Esc). The picker never changes data.
class DocumentPicker : public widgets::FilteredListScreen {
    Q_OBJECT
public:
    DocumentPicker(const PickerTable& table, core::TDM& dm, core::AppContext& ctx,
                   QWidget* parent = nullptr);
    ~DocumentPicker() override;

    PickerResult& result() { return m_result; }
    const PickerResult& result() const { return m_result; }

    void choose();
    void cancel();

private:
    void paintThemeColors(const core::AppContext& ctx);

    PickerTable m_table;
    core::TDM& m_dm;
    PickerResult m_result;
    std::unique_ptr<Ui::DocumentPicker> m_ui;
};

} // namespace lists
