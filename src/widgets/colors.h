#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace widgets {

// A colour kept as a Windows colour value: "$00BBGGRR" (blue, green, red),
// as TANIM.RNK's themes give them; "0" and anything unreadable are black.
QColor windowsColor(const QString& value);

// Paints a widget's background with a colour.
void paintBackground(QWidget& widget, const QColor& color);

} // namespace widgets
