#include "fields.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace useraccess {
namespace {

class EnterFilter : public QObject {
public:
    EnterFilter(QWidget* field, std::function<void()> action)
        : QObject(field), m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_action();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

} // namespace

void onEnter(QWidget* field, std::function<void()> action)
{
    field->installEventFilter(new EnterFilter(field, std::move(action)));
}

void makePasswordField(QLineEdit* field)
{
    field->setEchoMode(QLineEdit::Password);
    field->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

} // namespace useraccess
