#include "canvas.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextLayout>

namespace report {

Canvas::Canvas(QPainter& painter, QPagedPaintDevice& device) : m_painter(painter)
{
    m_dotsPerMm = device.logicalDpiX() / 25.4;
    const QRectF paint = device.pageLayout().paintRect(QPageLayout::Millimeter);
    m_width = paint.width();
    m_height = paint.height();
}

QRectF Canvas::device(const QRectF& mm) const
{
    return QRectF(mm.x() * m_dotsPerMm, mm.y() * m_dotsPerMm, mm.width() * m_dotsPerMm,
                  mm.height() * m_dotsPerMm);
}

void Canvas::text(const QRectF& cell, const QString& text, const QFont& font, int flags)
{
    if (text.isEmpty())
        return;
    m_painter.save();
    m_painter.setFont(font);
    const QRectF r = device(cell);
    const QFontMetricsF metrics(font, m_painter.device());
    const bool fits = metrics.horizontalAdvance(text) <= r.width() &&
                      metrics.height() <= r.height() && !text.contains(QLatin1Char('\n'));
    // Text that fits needs no clip; a page of rows draws many cells.
    if (!fits)
        m_painter.setClipRect(r);
    if (fits || !(flags & Qt::TextWordWrap))
        m_painter.drawText(r, flags & ~Qt::TextWordWrap, text);
    else
        wrapped(r, text, font, flags);
    m_painter.restore();
}

void Canvas::wrapped(const QRectF& r, const QString& text, const QFont& font, int flags)
{
    // Only the lines that fit whole: a row of fixed height shows no half
    // line at its lower edge.
    QTextLayout layout(text, font, m_painter.device());
    QTextOption option(Qt::Alignment(flags) & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    int fitted = 0;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(r.width());
        if (fitted > 0 && height + line.height() > r.height() + 0.01)
            break;
        line.setPosition(QPointF(0, height));
        height += line.height();
        ++fitted;
    }
    layout.endLayout();
    double top = r.top();
    if (flags & Qt::AlignVCenter)
        top += (r.height() - height) / 2;
    else if (flags & Qt::AlignBottom)
        top += r.height() - height;
    for (int i = 0; i < fitted; ++i)
        layout.lineAt(i).draw(&m_painter, QPointF(r.left(), top));
}

void Canvas::image(const QRectF& frame, const QImage& image, bool stretch)
{
    if (image.isNull())
        return;
    QRectF target = device(frame);
    if (!stretch) {
        const QSizeF fitted = QSizeF(image.size()).scaled(target.size(), Qt::KeepAspectRatio);
        target = QRectF(target.topLeft(), fitted);
    }
    m_painter.drawImage(target, image);
}

void Canvas::line(const QPointF& from, const QPointF& to, double thickness)
{
    m_painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, thickness * m_dotsPerMm));
    pen.setCapStyle(Qt::SquareCap);
    m_painter.setPen(pen);
    m_painter.drawLine(QPointF(from.x() * m_dotsPerMm, from.y() * m_dotsPerMm),
                       QPointF(to.x() * m_dotsPerMm, to.y() * m_dotsPerMm));
    m_painter.restore();
}

void Canvas::richText(const QRectF& box, const QString& html)
{
    // Laid out with the metrics of the page's own device, at the width of the
    // box, so that what fits on paper is what the preview shows.
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(m_painter.device());
    doc.setHtml(html);
    doc.setDocumentMargin(0);
    const QRectF r = device(box);
    doc.setPageSize(QSizeF(r.width(), 1e9));
    m_painter.save();
    m_painter.setClipRect(r);
    m_painter.translate(r.topLeft());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = QRectF(0, 0, r.width(), r.height());
    doc.documentLayout()->draw(&m_painter, ctx);
    m_painter.restore();
}

} // namespace report
