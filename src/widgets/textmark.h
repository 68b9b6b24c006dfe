#pragma once

#include <QtGlobal>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace widgets {

// Marks a box, as the clerk types or pastes, whose text the file cannot
// take as it is: longer than its column (maxLength characters; 0 for no
// limit) or holding characters the code page lacks. The box takes the text
// whole and shows a light red background with the reason in its tool tip;
// the screen refuses to save it. May be called again with another limit.
void markText(QLineEdit& box, int maxLength);
void markText(QPlainTextEdit& box, int maxLength);

// The same for the digits of a number box whose column holds at most
// maximum: a number too large is kept whole and marked.
void markNumber(QLineEdit& box, qint64 maximum);

// Whether the box is marked now, and the limit it was given.
bool isMarked(const QWidget& box);
int textLimit(const QWidget& box);

} // namespace widgets
