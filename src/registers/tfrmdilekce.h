#pragma once

#include "documententryscreen.h"

#include <memory>

namespace Ui {
class PetitionEntryForm;
}

namespace registers {

// "DİLEKÇE BİLGİLERİ": registers a petition handed in by a person or
// changes one. The entry design with the petition register's table: no
// institution, no pictures, no letter, no related document; its key and
// its registry number come from generators.
class TFRMDILEKCE : public DocumentEntryScreen {
    Q_OBJECT
public:
    TFRMDILEKCE(core::TDM& dm, core::AppContext& ctx, refdata::TFRMSDPBUL& filePlanPicker,
                QWidget* parent = nullptr);
    ~TFRMDILEKCE() override;

    static const EntryScreenTable& table();

private:
    std::unique_ptr<Ui::PetitionEntryForm> m_ui;
};

} // namespace registers
