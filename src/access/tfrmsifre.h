#pragma once

#include "widgets/screen.h"

#include <memory>

namespace core {
class TDM;
struct AppContext;
} // namespace core

namespace Ui {
class TFRMSIFRE;
}

// The password prompt of the user administration screens: it asks the
// current user's password and hands back whether "Kabul" was pressed and
// what was typed; the caller compares. Closing it any other way counts as
// "Vazgeç".
class TFRMSIFRE : public widgets::Screen {
    Q_OBJECT
public:
    explicit TFRMSIFRE(QWidget* parent = nullptr);
    // The form every screen is built with; the prompt needs neither.
    TFRMSIFRE(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMSIFRE() override;

    // True after "Kabul".
    bool PasswordCheckAccepted = false;

    QString typedText() const;

public slots:
    // "Kabul".
    void acceptPassword();
    // "Vazgeç".
    void cancel();

protected:
    void activate() override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::TFRMSIFRE> m_ui;
};
