#include "pagepicture.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace scanner {
namespace {

// The page in grey, over white paper where it is transparent, in one pass;
// a null image as soon as a pixel has colour.
QImage greyPage(const QImage& page)
{
    const QImage argb =
        page.format() == QImage::Format_ARGB32 || page.format() == QImage::Format_RGB32
            ? page
            : page.convertToFormat(QImage::Format_ARGB32);
    QImage grey(argb.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = in[x];
            const int v = qRed(p);
            if (v != qGreen(p) || v != qBlue(p))
                return {};
            const int a = argb.format() == QImage::Format_RGB32 ? 255 : qAlpha(p);
            out[x] = uchar(a == 255 ? v : (v * a + 255 * (255 - a)) / 255);
        }
    }
    return grey;
}

// A colour page over white paper where it is transparent.
QImage colourPage(const QImage& page)
{
    if (!page.hasAlphaChannel())
        return page;
    QImage white(page.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QPainter(&white).drawImage(0, 0, page);
    return white;
}

} // namespace

QByteArray storedPage(const QImage& page)
{
    if (page.isNull())
        return {};
    QImage flat = page.format() == QImage::Format_Grayscale8 ? page : greyPage(page);
    if (flat.isNull())
        flat = colourPage(page);
    flat.setDotsPerMeterX(page.dotsPerMeterX());
    flat.setDotsPerMeterY(page.dotsPerMeterY());
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
