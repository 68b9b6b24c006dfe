#pragma once

#include "documententryscreen.h"
#include "documentletter.h"

#include <memory>

namespace Ui {
class OutgoingEntryForm;
}
namespace lists {
class TFRMGELBUL;
class TFRMDILBUL;
} // namespace lists

namespace registers {

// "GİDEN EVRAK BİLGİLERİ": registers a new outgoing document or changes one,
// with the letter that goes out and the incoming document or petition it
// answers. The entry design with the outgoing register's table; its own
// part is the letter ("GİDEN YAZI METNİ"), the one row of TEXT with HARNO 1.
class TFRMGIDEN : public DocumentEntryScreen {
    Q_OBJECT
public:
    TFRMGIDEN(core::TDM& dm, core::AppContext& ctx, refdata::TFRMSDPBUL& filePlanPicker,
              refdata::TFRMKURBIL& quickAdd, lists::TFRMGELBUL& incomingPicker,
              lists::TFRMDILBUL& petitionPicker, QWidget* parent = nullptr);
    ~TFRMGIDEN() override;

    static const EntryScreenTable& table();

    DocumentLetter& letter() { return m_letter; }
    // The letter as the screen shows it, read-only.
    void showLetter();

protected:
    void afterSetUp() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DocumentLetter m_letter;
    std::unique_ptr<Ui::OutgoingEntryForm> m_ui;
};

} // namespace registers
