#include "loginbackground.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace useraccess {
namespace {

constexpr int BandHeight = 44;

const QColor BandTop(0x1F, 0x4E, 0x79);
const QColor BandBottom(0x15, 0x37, 0x57);
const QColor Gold(0xD4, 0xA0, 0x17);

void drawPadlock(QPainter& p, const QPointF& centre, qreal size)
{
    const qreal bodyW = size, bodyH = size * 0.78;
    const QRectF body(centre.x() - bodyW / 2, centre.y() - bodyH / 2 + size * 0.18, bodyW, bodyH);

    QPainterPath shackle;
    const qreal sw = bodyW * 0.62;
    const QRectF arc(centre.x() - sw / 2, body.top() - sw * 0.72, sw, sw);
    shackle.moveTo(arc.left(), body.top());
    shackle.lineTo(arc.left(), arc.center().y());
    shackle.arcTo(arc, 180, -180);
    shackle.lineTo(arc.right(), body.top());
    p.setPen(QPen(Gold, size * 0.13, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shackle);

    p.setPen(Qt::NoPen);
    p.setBrush(Gold);
    p.drawRoundedRect(body, size * 0.12, size * 0.12);

    p.setBrush(BandBottom);
    const qreal hole = size * 0.16;
    const QPointF h(centre.x(), body.center().y() - hole * 0.4);
    p.drawEllipse(h, hole / 2, hole / 2);
    p.drawRect(QRectF(h.x() - hole * 0.2, h.y(), hole * 0.4, hole * 1.2));
}

void drawKey(QPainter& p, const QPointF& bow, qreal size, const QColor& color)
{
    p.save();
    p.translate(bow);
    p.rotate(-28);
    p.setPen(QPen(color, size * 0.12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), size * 0.32, size * 0.32);
    p.drawEllipse(QPointF(0, 0), size * 0.12, size * 0.12);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const qreal shaft = size * 0.1;
    p.drawRect(QRectF(size * 0.32, -shaft / 2, size * 1.15, shaft));
    p.drawRect(QRectF(size * 1.12, shaft / 2, size * 0.12, size * 0.24));
    p.drawRect(QRectF(size * 1.32, shaft / 2, size * 0.12, size * 0.17));
    p.restore();
}

} // namespace

void paintLoginBackground(QPainter& p, const QRect& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient field(area.topLeft(), area.bottomRight());
    field.setColorAt(0, QColor(0xF5, 0xF8, 0xFC));
    field.setColorAt(1, QColor(0xCC, 0xDC, 0xEC));
    p.fillRect(area, field);

    drawKey(p, QPointF(area.right() - area.width() * 0.30, area.bottom() - area.height() * 0.18),
            area.height() * 0.45, QColor(0x1F, 0x4E, 0x79, 22));

    const QRectF band(area.left(), area.top(), area.width(), BandHeight);
    QLinearGradient bandShade(band.topLeft(), band.bottomLeft());
    bandShade.setColorAt(0, BandTop);
    bandShade.setColorAt(1, BandBottom);
    p.fillRect(band, bandShade);
    p.fillRect(QRectF(area.left(), band.bottom(), area.width(), 2), Gold);

    drawPadlock(p, QPointF(band.left() + 30, band.center().y() - 2), 20);

    QFont font = p.font();
    font.setBold(true);
    font.setPointSizeF(13);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(band.adjusted(56, 0, -12, 0), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("DORPAK"));
    p.restore();
}

} // namespace useraccess
