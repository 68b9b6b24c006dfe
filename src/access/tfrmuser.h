#pragma once

#include "access/recordform.h"
#include "core/tdm.h"

#include <QString>

#include <array>
#include <memory>

class QLineEdit;

namespace Ui {
class TFRMUSER;
}

// The user form: adds a user (mode 1) or changes one (mode 2, the user
// EditUserNo). The caller sets Mode and EditUserNo before opening it. In
// mode 2 the password field holds the stored, encoded password, so a change
// means typing the password anew in both fields. A new user gets the
// default rights copied from user 1. The name of the vendor account cannot
// be changed.
class TFRMUSER : public useraccess::RecordForm {
    Q_OBJECT
public:
    enum FormMode { NewUser = 1, ChangeUser = 2 };

    TFRMUSER(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMUSER() override;

    int Mode = NewUser;
    // USERS.HNO of the user changed in mode 2.
    int EditUserNo = 0;
    // The department chosen in "Kullanacağı Birim": BIRIM.BKOD, 0 for "TÜMÜ".
    int EditUserDept = 0;
    // HNO of the row the last save wrote; 0 when the form was cancelled.
    int SavedUserNo = 0;

protected:
    void activate() override;
    void deactivate() override;
    bool saveRecord() override;

private:
    // COMBODOLDUR: "TÜMÜ" and every department, on EditUserDept.
    void COMBODOLDUR();
    void departmentChosen(int index);

    // The text boxes stored as typed: the column, the caption a refusal
    // names, the box and the column's length in the file.
    struct TextField {
        QString column;
        QString caption;
        QLineEdit* box = nullptr;
        int length = 0;
    };

    core::TDM& m_dm;
    std::unique_ptr<Ui::TFRMUSER> m_ui;
    int m_hno = 0; // HNO of the row in editing
    bool m_filling = false;
    std::array<TextField, 3> m_textFields;
};
