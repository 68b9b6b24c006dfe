#pragma once

#include "core/appcontext.h"
#include "core/tdm.h"

#include <QString>

// Rights of the logged-in user. Rights apply only when logins are
// required: the activation sequence calls RIGHTSAKTAR and MENUYAP once after
// a successful login, and otherwise the cache stays empty.

// Loads the RIGHTS rows of ctx.UserNo into ctx.RightsCache, in the order
// the database returns them: code as text, then G, K, D, S.
void RIGHTSAKTAR(core::TDM& dm, core::AppContext& ctx);

// Looks a right code ("12") up among the first 35 rows of the cache; the
// flags are empty when no row matches. The result also stays in
// ctx.RightFlags for the screen that asked.
core::RightFlagsResult HAKBUL(core::AppContext& ctx, const QString& code);

// Whether the user may open a register (1 incoming, 2 outgoing, 3
// petitions) as the menu shows it: only a G of "H" keeps it closed.
bool mayOpenRegister(core::AppContext& ctx, int code);

// The label the user administration shows for a right code: "Gelen Evrak"
// for 1, "Kullanıcı Tanımları" for 22; empty for 50 and any code without one.
QString rightLabel(int code);

// The main menu as MENUYAP sees it.
class MenuTrimmer {
public:
    virtual ~MenuTrimmer() = default;
    // Hides the menu entry guarded by the right code.
    virtual void hideEntry(int rightCode) = 0;
    // Hides a top-level menu: "Evrak İşlemleri", "Raporlar" or "Parametreler".
    virtual void hideMenu(const QString& caption) = 0;
};

// Hides every menu entry whose access flag G is "H", and a top-level menu
// none of whose guarded entries stayed visible.
void MENUYAP(core::AppContext& ctx, MenuTrimmer& menu);
