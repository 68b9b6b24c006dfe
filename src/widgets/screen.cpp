#include "screen.h"

#include "core/errors.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QShortcut>

namespace widgets {

Screen::Screen(QWidget* parent, bool* sharedPermission)
    : QDialog(parent), m_permission(sharedPermission ? sharedPermission : &m_ownPermission)
{
    setModal(true);
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

void Screen::onClick(QAbstractButton* button, std::function<void()> action)
{
    connect(button, &QAbstractButton::clicked, this,
            [action = std::move(action)] { core::guarded(action); });
}

void Screen::reactivate()
{
    setClosePermission(false);
    core::guarded([this] { activate(); });
    emit activated();
}

void Screen::done(int result)
{
    if (!closePermission())
        return; // refused silently
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
    if (!event->spontaneous())
        reactivate();
}

void Screen::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (closePermission() && isVisible())
        done(QDialog::Rejected);
}

} // namespace widgets
