#include "screens.h"

#include "tfrmabout.h"
#include "tfrmmenu.h"
#include "tfrmsystem.h"
#include "tfrmverbilgi.h"

#include "access/tfrmhaklar.h"
#include "access/tfrmpasdeg.h"
#include "access/tfrmpsswd.h"
#include "access/tfrmsifre.h"
#include "access/tfrmuser.h"
#include "access/tfrmuserstan.h"
#include "core/prompter.h"
#include "letters/tfrmsablon.h"
#include "letters/tfrmtext1.h"
#include "letters/tqrpgidyaz.h"
#include "lists/details.h"
#include "lists/ledgers.h"
#include "lists/pickers.h"
#include "lists/tfrmara.h"
#include "refdata/codetableeditor.h"
#include "refdata/tfrmgentan.h"
#include "refdata/tfrmkurbil.h"
#include "refdata/tfrmsdpbul.h"
#include "registers/tfrmdilekce.h"
#include "registers/tfrmdillst.h"
#include "registers/tfrmgelen.h"
#include "registers/tfrmgellst.h"
#include "registers/tfrmgiden.h"
#include "registers/tfrmgidlst.h"
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
// The entry screens and the petition list are handed the pickers and the
// picture window they open, so those few are made just before the first
// screen that needs them rather than at their places in the order; none of
// them reads the context while it is built but the incoming picker, and that
// one still comes after the main window's creation step. The user
// administration list is handed the rights editor and the password prompt
// in the same way.
ProgramScreens buildScreens(core::TDM& dm, core::AppContext& ctx, TFRMMENU& menu)
{
    ProgramScreens s;
    s.login = new TFRMPSSWD(dm, ctx, &menu);
    s.generalDefinitions = new refdata::TFRMGENTAN(dm, ctx, &menu);
    s.userForm = new TFRMUSER(dm, ctx, &menu);
    s.rightsEditor = new TFRMHAKLAR(dm, ctx, &menu);
    s.passwordPrompt = new TFRMSIFRE(dm, ctx, &menu);
    s.userList = new TFRMUSERSTAN(dm, ctx, *s.userForm, *s.rightsEditor, *s.passwordPrompt, &menu);
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
    s.incomingPicker = new lists::TFRMGELBUL(dm, ctx, &menu);
    s.petitionPicker = new lists::TFRMDILBUL(dm, ctx, &menu);
    // The outgoing entry opens the letter editor, which is handed the
    // printed letter.
    s.letterLayout = new letters::TQRPGIDYAZ(&menu);
    s.letterEditor = new letters::TFRMTEXT1(
        dm, ctx, *s.letterLayout, [&menu] { return menu.institutionLogo(); }, &menu);
    s.outgoingEntry = new registers::TFRMGIDEN(
        dm, ctx, *s.filePlanPicker, *s.institutionQuickAdd, *s.incomingPicker, *s.petitionPicker,
        *s.letterEditor, *s.letterLayout, [&menu] { return menu.institutionLogo(); }, &menu);
    s.outgoingList = new registers::TFRMGIDLST(dm, ctx, *s.outgoingEntry, &menu);
    s.petitionEntry = new registers::TFRMDILEKCE(dm, ctx, *s.filePlanPicker, &menu);
    s.petitionList = new registers::TFRMDILLST(dm, ctx, *s.petitionEntry, *s.petitionPicker, &menu);
    s.generalList = new lists::TFRMGENLST(dm, ctx, &menu);
    s.incomingLedger = new lists::TFRMGELLIST(
        dm, ctx, [&menu] { return menu.institutionLogo(); }, &menu);
    // TQRPGELLIST, TQRPGELDEF1, TQRPGELDEF2: made with TFRMGELLIST above.
    s.incomingDetail = new lists::TFRMGELDET(dm, ctx, &menu);
    s.system = new TFRMSYSTEM(dm, ctx, &menu);
    s.outgoingLedger = new lists::TFRMGIDLIST(
        dm, ctx, [&menu] { return menu.institutionLogo(); }, &menu);
    s.outgoingDetail = new lists::TFRMGIDDET(dm, ctx, &menu);
    // TQRPGIDLIST, TQRPGIDDEF1, TQRPGIDDEF2: made with TFRMGIDLIST above;
    // TQRPDILLIST with TFRMDILLIST below.
    s.petitionDetail = new lists::TFRMDILDET(dm, ctx, &menu);
    s.petitionLedger = new lists::TFRMDILLIST(
        dm, ctx, [&menu] { return menu.institutionLogo(); }, &menu);
    // TQRPDILDEF1: made with TFRMDILLIST above.
    // TFRMMETIN
    s.about = new TFRMABOUT(&menu);
    // TFRMTEXT1: made with the outgoing entry above.
    s.passwordChange = new TFRMPASDEG(dm, ctx, &menu);
    // TFRMSIFRE: made with the user administration above.
    // TFRMDILBUL: made with the outgoing entry above.
    // TQRPGIDYAZ: made with the letter editor above.
    s.templates = new letters::TFRMSABLON(dm, ctx, &menu);
    // "Evrak Ara", after the detail views it opens.
    s.search = new lists::TFRMARA(dm, ctx, &menu);
    // TFRMRESIM and TQRGELRES: made with the incoming entry above.
    s.versionInfo = new TFRMVERBILGI(
        menu.infoServer(), [&menu] { menu.PRGGUNCELLE(); }, &menu);

    menu.setScreens({s.login, s.system, s.versionInfo, s.about});
    opens(menu, MenuEntry::GelenEvrak, s.incomingList);
    opens(menu, MenuEntry::GidenEvrak, s.outgoingList);
    opens(menu, MenuEntry::Dilekce, s.petitionList);
    // The search covers the registers the user may open, and is the
    // "F3-Ara" of the incoming and outgoing lists.
    s.search->setDetailViews(s.incomingDetail, s.outgoingDetail, s.petitionDetail);
    s.search->setRegisterRule(
        [&ctx](lists::SearchRegister reg) { return mayOpenRegister(ctx, int(reg)); });
    s.incomingList->setSearchScreen(s.search);
    s.outgoingList->setSearchScreen(s.search);
    opens(menu, MenuEntry::EvrakAra, s.search);
    // The ledgers and the general list open the detail views (and the
    // petition picker) made after them in the order.
    s.generalList->setDetailViews(s.incomingDetail, s.outgoingDetail, s.petitionDetail);
    s.incomingLedger->setDetailView(s.incomingDetail);
    s.outgoingLedger->setDetailView(s.outgoingDetail);
    s.petitionLedger->setDetailView(s.petitionDetail);
    s.petitionLedger->setPicker(s.petitionPicker);
    opens(menu, MenuEntry::GenelListe, s.generalList);
    opens(menu, MenuEntry::GelenYazilarListesi, s.incomingLedger);
    opens(menu, MenuEntry::GidenYazilarListesi, s.outgoingLedger);
    opens(menu, MenuEntry::DilekcelerListesi, s.petitionLedger);
    // "Genel Tanımlar": the main window refreshes itself after it closes.
    opens(menu, MenuEntry::GenelTanimlar, s.generalDefinitions);
    opens(menu, MenuEntry::BirimTanimlari, s.departments);
    opens(menu, MenuEntry::KurumTanimlari, s.institutions);
    opens(menu, MenuEntry::EvrakCinsiTanimlari, s.documentTypes);
    opens(menu, MenuEntry::KullaniciTanimlari, s.userList);
    menu.setEntryAction(MenuEntry::SifreDegis, [screen = s.passwordChange, &ctx] {
        screen->HandedUserName = ctx.UserName.left(10);
        core::Prompter::current().runModal(*screen);
    });
    opens(menu, MenuEntry::EvrakSablonu, s.templates);
    return s;
}
