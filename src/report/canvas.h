#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace report {

// Draws on one page in millimetres, measured from the top left corner of
// the printable area (inside the margins).
class Canvas {
public:
    Canvas(QPainter& painter, QPagedPaintDevice& device);

    double width() const { return m_width; }
    double height() const { return m_height; }

    // Text inside a cell: cut at the cell's edges; with Qt::TextWordWrap in
    // flags it wraps inside the cell and the lines that do not fit whole are
    // left out.
    void text(const QRectF& cell, const QString& text, const QFont& font,
              int flags = Qt::AlignLeft | Qt::AlignVCenter);
    // A picture in a frame, stretched to it or kept at its proportions.
    void image(const QRectF& frame, const QImage& image, bool stretch = true);
    // A rule of the given thickness in millimetres.
    void line(const QPointF& from, const QPointF& to, double thickness = 0.2);
    // Formatted text (HTML from a rich-text document) in a box that does not
    // grow: what does not fit is not printed.
    void richText(const QRectF& box, const QString& html);

    QPainter& painter() { return m_painter; }
    double toDevice(double mm) const { return mm * m_dotsPerMm; }

private:
    QRectF device(const QRectF& mm) const;
    void wrapped(const QRectF& deviceCell, const QString& text, const QFont& font, int flags);

    QPainter& m_painter;
    double m_dotsPerMm;
    double m_width;
    double m_height;
};

} // namespace report
