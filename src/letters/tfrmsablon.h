#pragma once

#include "templates.h"

#include "core/appcontext.h"
#include "widgets/editablegrid.h"
#include "widgets/screen.h"

class QAction;
class QPushButton;

namespace letters {

class RichEditor;

// "EVRAK ÖRNEĞİ": the library of letter templates. The list of
// descriptions is edited in place (a new template starts at the end of the
// list); the editor under it shows and edits the current template's text.
// A template is written when the clerk leaves it, through the save rules:
// a description first, then a text. "Sil" in the list's menu deletes the
// current template at once; "Çıkış" writes the template in editing, commits
// and closes. Closing by the window's own button writes and commits
// nothing: what was written stays pending in the shared transaction.
class TFRMSABLON : public widgets::Screen {
    Q_OBJECT
public:
    TFRMSABLON(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMSABLON() override;

    widgets::EditableTable& rows() { return m_rows; }
    widgets::EditableGrid& grid() const { return *m_grid; }
    RichEditor& editor() const { return *m_editor; }
    int NextTemplateKayno() const { return m_library.nextKayno(); }

    // Moving in the list: the editor shows the template moved to.
    void showTemplate(int row);
    // "Sil" and "Çıkış".
    void deleteCurrent();
    void exit();

protected:
    void activate() override;
    void deactivate() override;

private:
    bool saveRow(widgets::RowValues& row, bool newRow);
    void textEdited();

    core::TDM& m_dm;
    TemplateLibrary m_library;
    widgets::EditableTable m_rows;
    widgets::EditableGrid* m_grid = nullptr;
    RichEditor* m_editor = nullptr;
    QPushButton* m_exit = nullptr;
    QAction* m_delete = nullptr;
    int m_shownRow = -1; // the row whose text the editor shows
};

} // namespace letters
