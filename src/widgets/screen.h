#pragma once

#include <QDialog>
#include <QKeySequence>

#include <functional>

class QAbstractButton;

namespace widgets {

// A modal screen of the program, created once and reused.
//
// Closing permission: while it is clear, every close request (title-bar
// button, system close, Esc without an Esc button) is refused silently. The
// screen's own exit, save, cancel or choose action sets it and closes
// (finish()). It is cleared each time the screen is opened. A screen keeps
// its own permission or shares one (the main window's CloseAllowed).
//
// Activation: each opening runs activate(), where a screen sets itself up.
// Closing a screen it opened returns here without a new activation.
class Screen : public QDialog {
    Q_OBJECT
public:
    explicit Screen(QWidget* parent = nullptr, bool* sharedPermission = nullptr);

    bool closePermission() const { return *m_permission; }
    void setClosePermission(bool allowed) { *m_permission = allowed; }

    // Sets the permission and closes with the given result.
    void finish(int result = QDialog::Accepted);

    // The key presses the button (when it is enabled): F2, F5, F10...
    void bindKey(const QKeySequence& key, QAbstractButton* button);
    // Esc presses this button.
    void setEscapeButton(QAbstractButton* button) { m_escape = button; }
    // A click runs the action under the application error handler.
    void onClick(QAbstractButton* button, std::function<void()> action);

    // Runs the activation by hand: a return from the print preview counts
    // as one.
    void reactivate();

    void done(int result) override;
    void reject() override;

signals:
    void activated();

protected:
    // Sets the screen up for this opening.
    virtual void activate() {}
    // Closes the screen's data; runs once the close is allowed.
    virtual void deactivate() {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_ownPermission = false;
    bool* m_permission;
    QAbstractButton* m_escape = nullptr;
};

} // namespace widgets
