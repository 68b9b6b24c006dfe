#include "pagepicture.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace scanner {

QByteArray storedPage(const QImage& page)
{
    if (page.isNull())
        return {};
    QImage flat = page;
    if (flat.hasAlphaChannel()) {
        // A transparent background prints as paper, not as black.
        QImage white(flat.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        white.setDotsPerMeterX(flat.dotsPerMeterX());
        white.setDotsPerMeterY(flat.dotsPerMeterY());
        QPainter(&white).drawImage(0, 0, flat);
        flat = white;
    }
    if (flat.format() != QImage::Format_Grayscale8 && flat.allGray())
        flat = flat.convertToFormat(QImage::Format_Grayscale8);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(PageQuality);
    writer.setOptimizedWrite(true);
    if (!writer.write(flat))
        return {};
    return bytes;
}

} // namespace scanner
