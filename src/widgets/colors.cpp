#include "colors.h"

#include <QPalette>
#include <QWidget>

namespace widgets {

QColor windowsColor(const QString& value)
{
    QString hex = value.trimmed();
    if (hex.startsWith(QLatin1Char('$')))
        hex.remove(0, 1);
    bool ok = false;
    const uint bgr = hex.toUInt(&ok, 16);
    if (!ok)
        return QColor(0, 0, 0);
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

void paintBackground(QWidget& widget, const QColor& color)
{
    QPalette p = widget.palette();
    p.setColor(QPalette::Window, color);
    widget.setPalette(p);
    widget.setAutoFillBackground(true);
}

} // namespace widgets
