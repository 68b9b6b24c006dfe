#pragma once

#include "core/appcontext.h"
#include "core/tdm.h"

class TFRMMENU;
class TFRMPSSWD;
class TFRMSYSTEM;
class TFRMABOUT;
class TFRMSIFRE;
class TFRMVERBILGI;
class TFRMUSER;
class TFRMUSERSTAN;
class TFRMHAKLAR;
class TFRMPASDEG;

namespace refdata {
class TFRMGENTAN;
class TFRMBIRIM;
class TFRMECINS;
class TFRMKURUM;
class TFRMKURBIL;
class TFRMSDPBUL;
} // namespace refdata
namespace lists {
class TFRMGELBUL;
class TFRMGIDBUL;
class TFRMDILBUL;
class TFRMGELDET;
class TFRMGIDDET;
class TFRMDILDET;
class TFRMGENLST;
class TFRMGELLIST;
class TFRMGIDLIST;
class TFRMDILLIST;
class TFRMARA;
} // namespace lists
namespace letters {
class TFRMTEXT1;
class TQRPGIDYAZ;
class TFRMSABLON;
} // namespace letters
namespace registers {
class TFRMGELEN;
class TFRMGELLST;
class TFRMGIDEN;
class TFRMGIDLST;
class TFRMDILEKCE;
class TFRMDILLST;
class TFRMRESIM;
} // namespace registers

// Every screen of the program besides the main window. Each is built once,
// after the main window's creation step, and lives until the program ends
// (the main window owns them).
struct ProgramScreens {
    TFRMPSSWD* login = nullptr;
    TFRMSYSTEM* system = nullptr;
    TFRMABOUT* about = nullptr;
    TFRMSIFRE* passwordPrompt = nullptr;
    TFRMVERBILGI* versionInfo = nullptr;
    TFRMUSER* userForm = nullptr;
    TFRMUSERSTAN* userList = nullptr;
    TFRMHAKLAR* rightsEditor = nullptr;
    TFRMPASDEG* passwordChange = nullptr;
    refdata::TFRMGENTAN* generalDefinitions = nullptr;
    refdata::TFRMBIRIM* departments = nullptr;
    refdata::TFRMECINS* documentTypes = nullptr;
    refdata::TFRMKURUM* institutions = nullptr;
    refdata::TFRMKURBIL* institutionQuickAdd = nullptr;
    refdata::TFRMSDPBUL* filePlanPicker = nullptr;
    lists::TFRMGELBUL* incomingPicker = nullptr;
    lists::TFRMGIDBUL* outgoingPicker = nullptr;
    lists::TFRMDILBUL* petitionPicker = nullptr;
    lists::TFRMGELDET* incomingDetail = nullptr;
    lists::TFRMGIDDET* outgoingDetail = nullptr;
    lists::TFRMDILDET* petitionDetail = nullptr;
    lists::TFRMGENLST* generalList = nullptr;
    lists::TFRMGELLIST* incomingLedger = nullptr;
    lists::TFRMGIDLIST* outgoingLedger = nullptr;
    lists::TFRMDILLIST* petitionLedger = nullptr;
    lists::TFRMARA* search = nullptr;
    registers::TFRMRESIM* picture = nullptr;
    registers::TFRMGELEN* incomingEntry = nullptr;
    registers::TFRMGELLST* incomingList = nullptr;
    registers::TFRMGIDEN* outgoingEntry = nullptr;
    registers::TFRMGIDLST* outgoingList = nullptr;
    registers::TFRMDILEKCE* petitionEntry = nullptr;
    registers::TFRMDILLST* petitionList = nullptr;
    letters::TFRMTEXT1* letterEditor = nullptr;
    letters::TQRPGIDYAZ* letterLayout = nullptr;
    letters::TFRMSABLON* templates = nullptr;
};

// Builds the screens in the program's fixed order and wires them to the main
// window's menu, status panel and context menu.
ProgramScreens buildScreens(core::TDM& dm, core::AppContext& ctx, TFRMMENU& menu);
