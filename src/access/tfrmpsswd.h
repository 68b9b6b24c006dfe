#pragma once

#include "core/appcontext.h"
#include "core/tdm.h"
#include "widgets/screen.h"

#include <memory>

namespace Ui {
class TFRMPSSWD;
}

// The login screen, opened at start when the general definitions ask for a
// login. It keeps its own closing permission: only "Çıkış", a successful
// login or the fourth attempt close it. The caller reads LoginResult after
// it closed and, on 1, takes LoginHno as the user's number and
// typedUserName() as the user's name.
class TFRMPSSWD : public widgets::Screen {
    Q_OBJECT
public:
    TFRMPSSWD(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMPSSWD() override;

    // 0 while undecided, 1 after a successful login, 2 after "Çıkış" or a
    // fourth attempt that failed.
    int LoginResult = 0;
    // USERS.HNO of the user who logged in.
    int LoginHno = 0;
    // 1 when the screen opens, raised by one after each failed attempt.
    int LoginAttempt = 1;

    QString typedUserName() const;

public slots:
    // "Tamam": checks the name and password. A success sets UserFullName
    // and UserDeptCode and closes; the fourth attempt closes in any case.
    void tryLogin();
    // "Çıkış".
    void exitLogin();

protected:
    void activate() override;
    void deactivate() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void openUsers();

    core::TDM& m_dm;
    core::AppContext& m_ctx;
    std::unique_ptr<Ui::TFRMPSSWD> m_ui;
    // The USERS table, open while the screen is.
    std::unique_ptr<db::Query> m_users;
};
