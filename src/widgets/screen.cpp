#include "screen.h"

#include "core/errors.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QShortcut>

namespace widgets {
namespace {

// The screens shown, in the order they were opened.
QList<Screen*>& shownScreens()
{
    static QList<Screen*> screens;
    return screens;
}

} // namespace

Screen::Screen(QWidget* parent, bool* sharedPermission)
    : QDialog(parent), m_permission(sharedPermission ? sharedPermission : &m_ownPermission)
{
    setModal(true);
}

Screen::~Screen()
{
    shownScreens().removeAll(this);
}

void Screen::finish(int result)
{
    setClosePermission(true);
    done(result);
}

void Screen::bindKey(const QKeySequence& key, QAbstractButton* button)
{
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    });
}

void Screen::bindButton(QAbstractButton* button, std::function<void()> action,
                        const QKeySequence& key)
{
    connect(button, &QAbstractButton::clicked, this,
            [action = std::move(action)] { core::guarded(action); });
    if (!key.isEmpty())
        bindKey(key, button);
}

void Screen::reactivate()
{
    setClosePermission(false);
    m_activating = true;
    m_activationFailed = !core::guarded([this] { activate(); });
    if (m_activationFailed)
        finish(QDialog::Rejected); // follows the opening, as any close during it
    m_activating = false;
    if (!m_activationFailed)
        emit activated();
}

QList<Screen*> Screen::openScreens()
{
    QList<Screen*> screens;
    for (qsizetype i = shownScreens().size() - 1; i >= 0; --i)
        screens << shownScreens()[i];
    return screens;
}

void Screen::done(int result)
{
    if (!closePermission())
        return; // refused silently
    if (m_activating) {
        // Closed while it is being shown, the modal run would go on waiting
        // for a window already gone.
        QMetaObject::invokeMethod(
            this, [this, result] { done(result); }, Qt::QueuedConnection);
        return;
    }
    core::guarded([this] { deactivate(); });
    QDialog::done(result);
}

void Screen::reject()
{
    if (m_escape) {
        if (m_escape->isEnabled())
            m_escape->click();
        return;
    }
    done(QDialog::Rejected);
}

void Screen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    shownScreens().removeAll(this);
    shownScreens().append(this);
    reactivate();
}

void Screen::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        shownScreens().removeAll(this);
}

void Screen::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (closePermission() && isVisible())
        done(QDialog::Rejected);
}

} // namespace widgets
