#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QList>

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
// Closing a screen it opened returns here without a new activation. A
// screen whose set-up fails (the error is reported) closes again at once
// rather than show what an earlier opening left in it.
class Screen : public QDialog {
    Q_OBJECT
public:
    explicit Screen(QWidget* parent = nullptr, bool* sharedPermission = nullptr);
    ~Screen() override;

    bool closePermission() const { return *m_permission; }
    void setClosePermission(bool allowed) { *m_permission = allowed; }

    // Sets the permission and closes with the given result. Called while
    // the screen is being opened (it found nothing to show), the close
    // follows as soon as the opening is over.
    void finish(int result = QDialog::Accepted);

    // The key presses the button (when it is enabled): F2, F5, F10...
    void bindKey(const QKeySequence& key, QAbstractButton* button);
    // Esc presses this button.
    void setEscapeButton(QAbstractButton* button) { m_escape = button; }
    // The button runs the action through the application error handler;
    // the key, when given, presses the button.
    void bindButton(QAbstractButton* button, std::function<void()> action,
                    const QKeySequence& key = QKeySequence());

    // Runs the activation by hand: a return from the print preview counts
    // as one.
    void reactivate();
    // The last set-up failed and the screen closed without being used.
    bool activationFailed() const { return m_activationFailed; }

    // While this screen is open, the work since the last commit point is
    // the clerk's unsaved work: an orderly end of the program rolls it back
    // as the screen's cancel would. Entry screens say so.
    virtual bool holdsUnsavedWork() const { return false; }
    // The screens shown now, the one in front first.
    static QList<Screen*> openScreens();

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
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_ownPermission = false;
    bool* m_permission;
    bool m_activating = false;
    bool m_activationFailed = false;
    QAbstractButton* m_escape = nullptr;
};

} // namespace widgets
