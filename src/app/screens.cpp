#include "screens.h"

#include "tfrmabout.h"
#include "tfrmmenu.h"
#include "tfrmsystem.h"
#include "tfrmverbilgi.h"

#include "access/tfrmpsswd.h"
#include "access/tfrmsifre.h"
#include "core/prompter.h"
#include "letters/tfrmsablon.h"
#include "letters/tfrmtext1.h"
#include "letters/tqrpgidyaz.h"
#include "lists/details.h"
#include "lists/pickers.h"
#include "refdata/codetableeditor.h"
#include "refdata/tfrmgentan.h"
#include "refdata/tfrmkurbil.h"
#include "refdata/tfrmsdpbul.h"
#include "registers/tfrmgelen.h"
#include "registers/tfrmgellst.h"
#include "registers/tfrmresim.h"

namespace {

// A menu entry that opens a screen modally.
template <typename Screen> void opens(TFRMMENU& menu, MenuEntry entry, Screen* screen)
{
    menu.setEntryAction(entry, [screen] { core::Prompter::current().runModal(*screen); });
}

} // namespace

// The one place where screens are made and attached to the main menu. The
// order is the program's fixed building order; a screen that takes values
// from the context while it is built relies on the main window's creation
// step having run. The menu entries of screens still missing from this list
// stay disabled until their screen is built here and given to
// menu.setEntryAction(...).
//
// The incoming entry is handed the pickers and the picture window it opens,
// so those few are made just before it rather than at their places in the
// order; none of them reads the context while it is built but the incoming
// picker, and that one still comes after the main window's creation step.
ProgramScreens buildScreens(core::TDM& dm, core::AppContext& ctx, TFRMMENU& menu)
{
    ProgramScreens s;
    s.login = new TFRMPSSWD(dm, ctx, &menu);
    s.generalDefinitions = new refdata::TFRMGENTAN(dm, ctx, &menu);
    // TFRMUSER
    // TFRMUSERSTAN     -> MenuEntry::KullaniciTanimlari
    // TFRMHAKLAR
    s.filePlanPicker = new refdata::TFRMSDPBUL(dm, ctx, &menu);
    s.institutionQuickAdd = new refdata::TFRMKURBIL(dm, ctx, &menu);
    s.outgoingPicker = new lists::TFRMGIDBUL(dm, ctx, &menu);
    s.picture = new registers::TFRMRESIM(&menu);
    s.incomingEntry = new registers::TFRMGELEN(dm, ctx, *s.filePlanPicker, *s.institutionQuickAdd,
                                               *s.outgoingPicker, *s.picture, &menu);
    s.incomingList = new registers::TFRMGELLST(dm, ctx, *s.incomingEntry, &menu);
    s.departments = new refdata::TFRMBIRIM(dm, ctx, &menu);
    s.documentTypes = new refdata::TFRMECINS(dm, ctx, &menu);
    s.institutions = new refdata::TFRMKURUM(dm, ctx, &menu);
    // TFRMGIDLST       -> MenuEntry::GidenEvrak
    // TFRMGIDEN
    s.incomingPicker = new lists::TFRMGELBUL(dm, ctx, &menu);
    // TFRMDILEKCE
    // TFRMDILLST       -> MenuEntry::Dilekce
    // TFRMGENLST       -> MenuEntry::GenelListe (never visible)
    // TFRMGELLIST      -> MenuEntry::GelenYazilarListesi
    // TQRPGELLIST, TQRPGELDEF1, TQRPGELDEF2
    s.incomingDetail = new lists::TFRMGELDET(dm, ctx, &menu);
    s.system = new TFRMSYSTEM(dm, ctx, &menu);
    // TFRMGIDLIST      -> MenuEntry::GidenYazilarListesi
    s.outgoingDetail = new lists::TFRMGIDDET(dm, ctx, &menu);
    // TQRPGIDLIST, TQRPGIDDEF1, TQRPGIDDEF2, TQRPDILLIST
    s.petitionDetail = new lists::TFRMDILDET(dm, ctx, &menu);
    // TFRMDILLIST      -> MenuEntry::DilekcelerListesi
    // TQRPDILDEF1
    // TFRMMETIN
    s.about = new TFRMABOUT(&menu);
    // The letter editor is handed the printed letter, so that one is made
    // just before it.
    s.letterLayout = new letters::TQRPGIDYAZ(&menu);
    s.letterEditor = new letters::TFRMTEXT1(dm, ctx, *s.letterLayout,
                                            [&menu] { return menu.institutionLogo(); }, &menu);
    // TFRMPASDEG       -> MenuEntry::SifreDegis (hands over ctx.UserName.left(10))
    s.passwordPrompt = new TFRMSIFRE(dm, ctx, &menu);
    s.petitionPicker = new lists::TFRMDILBUL(dm, ctx, &menu);
    // TQRPGIDYAZ: made with the letter editor above.
    s.templates = new letters::TFRMSABLON(dm, ctx, &menu);
    // TFRMRESIM and TQRGELRES: made with the incoming entry above.
    s.versionInfo = new TFRMVERBILGI(
        menu.infoServer(), [&menu] { menu.PRGGUNCELLE(); }, &menu);

    menu.setScreens({s.login, s.system, s.versionInfo, s.about});
    opens(menu, MenuEntry::GelenEvrak, s.incomingList);
    // "Genel Tanımlar": the main window refreshes itself after it closes.
    opens(menu, MenuEntry::GenelTanimlar, s.generalDefinitions);
    opens(menu, MenuEntry::BirimTanimlari, s.departments);
    opens(menu, MenuEntry::KurumTanimlari, s.institutions);
    opens(menu, MenuEntry::EvrakCinsiTanimlari, s.documentTypes);
    opens(menu, MenuEntry::EvrakSablonu, s.templates);
    return s;
}
