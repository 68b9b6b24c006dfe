#pragma once

#include "browselist.h"

namespace lists {
class TFRMDILBUL;
}

namespace registers {

class TFRMDILEKCE;

// "DİLEKÇE  LİSTESİ": the working list of the petition register, opened
// from the menu entry "Dilekçe"; the browse-list design with the petition
// table: one filter, every department's petitions for every clerk, no reply
// column, and "F3-Ara" through the petition picker.
class TFRMDILLST : public BrowseList {
    Q_OBJECT
public:
    TFRMDILLST(core::TDM& dm, core::AppContext& ctx, TFRMDILEKCE& entry, lists::TFRMDILBUL& picker,
               QWidget* parent = nullptr);
    static const ListTable& table();

    // "F3-Ara": the petition chosen in the picker becomes the current row
    // when the filter shows it; otherwise, and on a cancel, the list stays.
    void search() override;

private:
    lists::TFRMDILBUL& m_picker;
};

} // namespace registers
