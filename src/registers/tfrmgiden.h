#pragma once

#include "documententryscreen.h"
#include "documentletter.h"

#include "letters/lettersource.h"

#include <QImage>

#include <functional>
#include <memory>

namespace Ui {
class OutgoingEntryForm;
}
namespace letters {
class TFRMTEXT1;
class TQRPGIDYAZ;
} // namespace letters
namespace lists {
class TFRMGELBUL;
class TFRMDILBUL;
} // namespace lists

namespace registers {

// "GİDEN EVRAK BİLGİLERİ": registers a new outgoing document or changes one,
// with the letter that goes out and the incoming document or petition it
// answers. The entry design with the outgoing register's table; its own
// part is the letter ("GİDEN YAZI METNİ"), the one row of TEXT with HARNO 1,
// which the letter editor edits in place and "Yazdır" prints as it stands,
// saved or not.
class TFRMGIDEN : public DocumentEntryScreen, private letters::LetterSource {
    Q_OBJECT
public:
    // emblem gives the institution's emblem the main window holds.
    TFRMGIDEN(core::TDM& dm, core::AppContext& ctx, refdata::TFRMSDPBUL& filePlanPicker,
              refdata::TFRMKURBIL& quickAdd, lists::TFRMGELBUL& incomingPicker,
              lists::TFRMDILBUL& petitionPicker, letters::TFRMTEXT1& letterEditor,
              letters::TQRPGIDYAZ& letterLayout, std::function<QImage()> emblem,
              QWidget* parent = nullptr);
    ~TFRMGIDEN() override;

    static const EntryScreenTable& table();

    DocumentLetter& letter() { return m_letter; }
    // The letter as the screen shows it, read-only.
    void showLetter();
    // "Metin Düzenle" and a double-click on the letter: the letter editor.
    void editLetter();
    // "Yazdır": the letter through the layout's printer set-up; the preview
    // closing sets nothing up here again.
    void printLetter();

protected:
    void afterSetUp() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the letter editor works on.
    QByteArray letterText() const override { return m_letter.text(); }
    void setLetterText(const QByteArray& rtf) override;
    letters::MergeValues mergeValues() const override;

    letters::TFRMTEXT1& m_letterEditor;
    letters::TQRPGIDYAZ& m_letterLayout;
    std::function<QImage()> m_emblem;
    DocumentLetter m_letter;
    std::unique_ptr<Ui::OutgoingEntryForm> m_ui;
};

} // namespace registers
