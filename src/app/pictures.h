#pragma once

#include <QPixmap>

class QPainter;
class QRect;

// The program's own pictures, drawn here so that they scale and need no
// files: the splash, the vendor logo, the about box and the main panel.
namespace pictures {

// The product picture of the splash window.
QPixmap splash();
// The vendor's mark, a square of the given side.
QPixmap vendorLogo(int side);
// The picture of the about box.
QPixmap about();
// The background of the main panel, filling the area.
void paintPanelBackground(QPainter& painter, const QRect& area);

} // namespace pictures
