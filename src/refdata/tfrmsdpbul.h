#pragma once

#include "fileplan.h"

#include "core/appcontext.h"
#include "core/tdm.h"
#include "widgets/screen.h"

#include <memory>

namespace Ui {
class FilePlanPickerForm;
}

namespace refdata {

// What the file plan picker leaves for the entry screen that opened it.
// Held by the picker and alive as long as the program:
//
//     core::Prompter::current().runModal(picker);
//     if (picker.result().Chosen)
//         sdp = picker.result().ChosenCode; // empty: clear the code
struct FilePlanPickerResult {
    // Every closing sets it: true by a choice, false by "ESC-Çıkış".
    bool Chosen = false;
    // The KOD chosen last; empty when the list was empty. Only a choice
    // writes it.
    QString ChosenCode;
};

// "STANDART DOSYA PLANI LİSTESİ": looks a plan code up by code or by
// description and hands one detail code back. It only reads SDP. The
// search mode, the texts of both boxes and the position of the main-code
// list survive from one opening to the next. The closing permission is the
// shared CloseAllowed.
class TFRMSDPBUL : public widgets::Screen {
    Q_OBJECT
public:
    TFRMSDPBUL(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMSDPBUL() override;

    const FilePlanPickerResult& result() const { return m_result; }
    SearchMode searchMode() const { return m_mode; }
    db::Query& list() { return m_list; }
    db::Query& mainCodes() { return m_main; }

    // Rebuilds and runs the list query from the search mode and its box.
    void SORGULA();
    // Hands the list's current code back, unless it has sub-codes.
    void choose();
    // "ESC-Çıkış".
    void exit();
    // Entering a search box empties the other one and takes its mode.
    void enterCodeBox();
    void enterDescriptionBox();

protected:
    void activate() override;
    void deactivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mainCodeMoved(int row);

    core::TDM& m_dm;
    db::Query m_list;
    db::Query m_main;
    SearchMode m_mode = SearchMode::None;
    FilePlanPickerResult m_result;
    std::unique_ptr<Ui::FilePlanPickerForm> m_ui;
};

} // namespace refdata
