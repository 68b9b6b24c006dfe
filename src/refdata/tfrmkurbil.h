#pragma once

#include "core/appcontext.h"
#include "core/tdm.h"
#include "widgets/screen.h"

#include <memory>

namespace Ui {
class QuickAddForm;
}

namespace refdata {

// What the institution quick-add leaves for the entry screen that opened
// it. Held by the dialog and alive as long as the program:
//
//     core::Prompter::current().runModal(quickAdd);
//     if (quickAdd.result().Added) {
//         // re-run the institution list, then choose the new one
//         dkod = quickAdd.result().AddedDkod;
//     }
struct QuickAddResult {
    // Every closing sets it: true by "F5-Kayıt", false by "F6-Vazgeç".
    bool Added = false;
    // The DKOD given to the institution just added; only "F5-Kayıt" writes
    // it, so a cancel leaves the earlier value.
    qint16 AddedDkod = 0;
};

// "KURUM EKLEME": adds one institution from an entry screen. The row is
// written in the shared transaction and never committed here: the entry
// screen's save makes it permanent and its cancel takes it back. There is
// no duplicate check and no check for an empty name; a name longer than
// its column or holding characters the file cannot hold is refused by
// name. Keeps its own closing permission.
class TFRMKURBIL : public widgets::Screen {
    Q_OBJECT
public:
    TFRMKURBIL(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMKURBIL() override;

    const QuickAddResult& result() const { return m_result; }

    // "F5-Kayıt".
    void save();
    // "F6-Vazgeç".
    void cancel();

protected:
    void activate() override;

private:
    core::TDM& m_dm;
    QuickAddResult m_result;
    int m_nameLength = 0; // DKURUM as the file describes it
    std::unique_ptr<Ui::QuickAddForm> m_ui;
};

} // namespace refdata
