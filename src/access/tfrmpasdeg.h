#pragma once

#include "access/recordform.h"
#include "core/tdm.h"

#include <memory>

namespace Ui {
class TFRMPASDEG;
}

// The password change: the user of HandedUserName replaces their own
// password after giving the old one. The main window hands over UserName
// (at most 10 characters) before opening it; with no login required that is
// the vendor account. When logins are required, "F5-Kayıt" needs right 50
// with K or D. When no row has the name, the screen says so and closes
// without touching any row.
class TFRMPASDEG : public useraccess::RecordForm {
    Q_OBJECT
public:
    TFRMPASDEG(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMPASDEG() override;

    QString HandedUserName;

protected:
    void activate() override;
    bool saveRecord() override;

private:
    // Enables "F5-Kayıt" by right 50.
    void HAKVER();

    core::TDM& m_dm;
    std::unique_ptr<Ui::TFRMPASDEG> m_ui;
    int m_hno = 0; // HNO of the row in editing
};
