#pragma once

#include <functional>

class QLineEdit;
class QWidget;

namespace useraccess {

// Gives Enter (either key) in a field an action of its own: moving to the
// next field or pressing the screen's button. The key press stops there,
// so it does not also reach the dialog's default button.
void onEnter(QWidget* field, std::function<void()> action);

// A password field: what is typed shows as "*".
void makePasswordField(QLineEdit* field);

} // namespace useraccess
