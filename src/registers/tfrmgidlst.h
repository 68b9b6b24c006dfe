#pragma once

#include "browselist.h"

namespace registers {

class TFRMGIDEN;

// "GİDEN EVRAK  LİSTESİ": the working list of the outgoing register, opened
// from the menu entry "Giden Evrak"; the browse-list design with the
// outgoing table. A clerk tied to a department sees only the documents that
// department sent. "F3-Ara" opens the document search on this register and
// moves the list to the document chosen there.
class TFRMGIDLST : public BrowseList {
    Q_OBJECT
public:
    TFRMGIDLST(core::TDM& dm, core::AppContext& ctx, TFRMGIDEN& entry, QWidget* parent = nullptr);
    static const ListTable& table();
};

} // namespace registers
