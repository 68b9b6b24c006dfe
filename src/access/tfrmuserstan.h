#pragma once

#include "core/appcontext.h"
#include "core/tdm.h"
#include "widgets/screen.h"

#include <memory>

class TFRMHAKLAR;
class TFRMSIFRE;
class TFRMUSER;

namespace Ui {
class TFRMUSERSTAN;
}
namespace widgets {
class DataGrid;
}

// "KULLANICI VE YETKİ TANIMLARI": the users, and the rights of the user
// chosen. "F2-Yeni Kullanıcı" and "F4-Değiştir" open the user form,
// "F10-Kullanıcı Sil" deletes a user with its rights, a double-click (or
// Enter) on a right opens the rights editor. Changing and deleting ask for
// the current user's own password first. When logins are required, right
// 22 enables the buttons: K adding and the rights editor, D changing, S
// deleting. The vendor account is protected. Leaving it commits what was
// done here. The closing permission is the shared CloseAllowed.
class TFRMUSERSTAN : public widgets::Screen {
    Q_OBJECT
public:
    TFRMUSERSTAN(core::TDM& dm, core::AppContext& ctx, TFRMUSER& userForm, TFRMHAKLAR& rightsEditor,
                 TFRMSIFRE& passwordPrompt, QWidget* parent = nullptr);
    ~TFRMUSERSTAN() override;

    widgets::DataGrid& userGrid() const;
    widgets::DataGrid& rightsGrid() const;
    db::Query& users() { return m_users; }
    db::Query& rights() { return m_rights; }

public slots:
    // "F2-Yeni Kullanıcı".
    void newUser();
    // "F4-Değiştir".
    void changeUser();
    // "F10-Kullanıcı Sil".
    void deleteUser();
    // A double-click on the rights list.
    void editRights();
    // "ESC-Çıkış".
    void exit();

protected:
    void activate() override;
    void deactivate() override;

private:
    // Enables the three buttons by right 22.
    void HAKVER();
    // Re-runs the user list and stands on the user of that number when it
    // is still there, else on the first.
    void openUsers(int hno = 0);
    // The rights of the current user, standing on the code when given.
    void openRights(int kod = 0);
    // Asks the current user's password; false when cancelled or wrong.
    bool currentPasswordConfirmed();
    bool hasCurrentUser() const;
    QString currentUserName() const;
    int currentHno() const;

    core::TDM& m_dm;
    core::AppContext& m_ctx;
    TFRMUSER& m_userForm;
    TFRMHAKLAR& m_rightsEditor;
    TFRMSIFRE& m_passwordPrompt;
    db::Query m_users;
    db::Query m_rights;
    std::unique_ptr<Ui::TFRMUSERSTAN> m_ui;
};
