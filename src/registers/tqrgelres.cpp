#include "tqrgelres.h"

#include "report/canvas.h"

namespace registers {

TQRGELRES::TQRGELRES()
    : report::Layout(QStringLiteral("TQRGELRES"), report::Layout::a4(QPageLayout::Portrait, 10))
{
}

int TQRGELRES::render(QPainter& painter, QPagedPaintDevice& device)
{
    report::Canvas canvas(painter, device);
    if (!m_image.isNull())
        canvas.image(QRectF(0, 0, PictureWidth, PictureHeight), m_image, true);
    return 1;
}

} // namespace registers
