#pragma once

#include "codetables.h"

#include "core/appcontext.h"
#include "widgets/editablegrid.h"
#include "widgets/screen.h"

#include <memory>

class QAction;

namespace Ui {
class CodeTableEditor;
}

namespace refdata {

// The editor of one code table: an editable grid over the whole table. The
// code is never typed: a new row receives the highest code plus one at its
// first save. Leaving a changed row saves it through the duplicate check;
// "Kayıt Sil" (the grid's context menu) asks, checks that no document uses
// the code, and deletes. "ESC-Çıkış" saves the row in editing, commits
// what was done here and closes. A name longer than its column or holding
// characters the file cannot hold is refused by name. The closing
// permission is the shared CloseAllowed.
class CodeTableEditor : public widgets::Screen {
    Q_OBJECT
public:
    CodeTableEditor(const CodeTable& table, core::TDM& dm, core::AppContext& ctx,
                    QWidget* parent = nullptr);
    ~CodeTableEditor() override;

    const CodeTable& codeTable() const { return m_rules.table(); }
    widgets::EditableTable& rows() { return m_rows; }
    widgets::EditableGrid& grid() const;

    // "Kayıt Sil" on the current row.
    void deleteCurrentRow();
    // "ESC-Çıkış".
    void exit();

protected:
    void activate() override;
    void deactivate() override;

private:
    bool saveRow(widgets::RowValues& row, bool newRow);

    core::TDM& m_dm;
    CodeTableRules m_rules;
    widgets::EditableTable m_rows;
    std::unique_ptr<Ui::CodeTableEditor> m_ui;
    QAction* m_delete = nullptr;
};

// "Birim Tanımları": departments (BIRIM). Commits on "ESC-Çıkış".
class TFRMBIRIM : public CodeTableEditor {
    Q_OBJECT
public:
    TFRMBIRIM(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
};

// "Kurum Tanımları": external institutions (DISKUR), ordered by name.
class TFRMKURUM : public CodeTableEditor {
    Q_OBJECT
public:
    TFRMKURUM(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
};

// "Evrak Cinsi Tanımları": document types (ECINS).
class TFRMECINS : public CodeTableEditor {
    Q_OBJECT
public:
    TFRMECINS(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
};

} // namespace refdata
