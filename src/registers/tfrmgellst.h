#pragma once

#include "browselist.h"

namespace registers {

class TFRMGELEN;

// "GELEN EVRAK  LİSTESİ": the working list of the incoming register, opened
// from the menu entry "Gelen Evrak". A clerk tied to a department sees only
// that department's documents. "F3-Ara" opens the document search on this
// register and moves the list to the document chosen there.
class TFRMGELLST : public BrowseList {
    Q_OBJECT
public:
    TFRMGELLST(core::TDM& dm, core::AppContext& ctx, TFRMGELEN& entry, QWidget* parent = nullptr);
    static const ListTable& table();
};

} // namespace registers
