#include "pictures.h"

#include "core/appcontext.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace pictures {
namespace {

const QColor Navy(0x12, 0x2c, 0x4f);
const QColor Teal(0x0f, 0x7c, 0x80);
const QColor Paper(0xfb, 0xf8, 0xef);
const QColor Gold(0xe0, 0xa9, 0x2e);

QFont font(int pixelSize, int weight = QFont::Normal)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setWeight(QFont::Weight(weight));
    return f;
}

// An envelope over a sheet of paper: the program's subject.
void paintEnvelope(QPainter& p, const QRectF& r, const QColor& line, const QColor& fill)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet(r.left() + r.width() * 0.18, r.top(), r.width() * 0.64, r.height() * 0.7);
    p.setPen(QPen(line, r.width() / 40.0));
    p.setBrush(fill);
    p.drawRect(sheet);
    for (int i = 1; i <= 4; ++i) {
        const qreal y = sheet.top() + sheet.height() * 0.13 * i;
        p.drawLine(QPointF(sheet.left() + sheet.width() * 0.12, y),
                   QPointF(sheet.right() - sheet.width() * 0.12, y));
    }
    const QRectF env(r.left(), r.top() + r.height() * 0.4, r.width(), r.height() * 0.6);
    p.drawRect(env);
    QPainterPath flap;
    flap.moveTo(env.topLeft());
    flap.lineTo(env.center().x(), env.top() + env.height() * 0.55);
    flap.lineTo(env.topRight());
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
    p.drawLine(env.bottomLeft(),
               QPointF(env.left() + env.width() * 0.38, env.top() + env.height() * 0.42));
    p.drawLine(env.bottomRight(),
               QPointF(env.right() - env.width() * 0.38, env.top() + env.height() * 0.42));
    p.restore();
}

void paintVendorMark(QPainter& p, const QRectF& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, Teal);
    g.setColorAt(1, Navy);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, r.width() * 0.18, r.width() * 0.18);
    // A "V" of two strokes, the right one in gold.
    const qreal w = r.width();
    QPen left(Qt::white, w * 0.13, Qt::SolidLine, Qt::RoundCap);
    QPen right(Gold, w * 0.13, Qt::SolidLine, Qt::RoundCap);
    const QPointF top1(r.left() + w * 0.25, r.top() + w * 0.25);
    const QPointF bottom(r.center().x(), r.top() + w * 0.75);
    const QPointF top2(r.right() - w * 0.25, r.top() + w * 0.25);
    p.setPen(left);
    p.drawLine(top1, bottom);
    p.setPen(right);
    p.drawLine(bottom, top2);
    p.restore();
}

} // namespace

QPixmap splash()
{
    QPixmap pixmap(520, 320);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 520, 320);
    g.setColorAt(0, Navy);
    g.setColorAt(1, Teal);
    p.fillRect(pixmap.rect(), g);
    p.setPen(QPen(Gold, 3));
    p.drawLine(32, 250, 488, 250);
    paintEnvelope(p, QRectF(36, 54, 140, 140), Paper, QColor(255, 255, 255, 40));
    p.setPen(Paper);
    p.setFont(font(54, QFont::Bold));
    p.drawText(QRect(200, 60, 300, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("DORPAK"));
    p.setFont(font(19));
    p.drawText(QRect(202, 130, 300, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Gelen / Giden Evrak Programı"));
    p.setFont(font(14));
    p.drawText(QRect(202, 162, 300, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Ver: ") + core::ProgramVersion);
    paintVendorMark(p, QRectF(32, 264, 40, 40));
    p.setPen(Paper);
    p.setFont(font(15, QFont::DemiBold));
    p.drawText(QRect(84, 264, 420, 40), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Velor Yazılım - Belediye Otomasyonu"));
    return pixmap;
}

QPixmap vendorLogo(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintVendorMark(p, QRectF(1, 1, side - 2, side - 2));
    return pixmap;
}

QPixmap about()
{
    QPixmap pixmap(420, 260);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(pixmap.rect(), Paper);
    QLinearGradient band(0, 0, 420, 0);
    band.setColorAt(0, Navy);
    band.setColorAt(1, Teal);
    p.fillRect(QRect(0, 0, 420, 96), band);
    paintVendorMark(p, QRectF(24, 20, 56, 56));
    p.setPen(Paper);
    p.setFont(font(28, QFont::Bold));
    p.drawText(QRect(96, 20, 300, 56), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("VELOR Yazılım"));
    p.setPen(Navy);
    p.setFont(font(22, QFont::Bold));
    p.drawText(QRect(24, 112, 372, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("DORPAK"));
    p.setFont(font(15));
    p.drawText(QRect(24, 146, 372, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Gelen / Giden Evrak Programı"));
    p.drawText(QRect(24, 172, 372, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Ver: ") + core::ProgramVersion);
    p.setPen(QPen(Gold, 2));
    p.drawLine(24, 212, 396, 212);
    p.setPen(Navy);
    p.setFont(font(12));
    p.drawText(QRect(24, 218, 372, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Belediye Otomasyonu"));
    paintEnvelope(p, QRectF(318, 118, 76, 76), Teal, Qt::white);
    return pixmap;
}

void paintPanelBackground(QPainter& p, const QRect& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, QColor(0xf4, 0xf7, 0xfa));
    g.setColorAt(1, QColor(0xd9, 0xe6, 0xee));
    p.fillRect(area, g);
    // A faint envelope in the lower right corner, clear of the texts.
    const int side = std::min(area.width(), area.height()) * 4 / 10;
    const QRectF mark(area.right() - side - side / 5, area.bottom() - side - side / 5, side, side);
    paintEnvelope(p, mark, QColor(0x12, 0x2c, 0x4f, 22), QColor(255, 255, 255, 60));
    p.restore();
}

} // namespace pictures
