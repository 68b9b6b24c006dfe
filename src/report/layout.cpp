#include "layout.h"

#include "canvas.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace report {

Layout::Layout(QString name, QPageLayout page) : m_name(std::move(name)), m_page(std::move(page)) {}

QPageLayout Layout::a4(QPageLayout::Orientation orientation, double marginMm)
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation,
                       QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
}

BandLayout::BandLayout(QString name, QPageLayout page) : Layout(std::move(name), std::move(page)) {}

int BandLayout::render(QPainter& painter, QPagedPaintDevice& device)
{
    Canvas canvas(painter, device);
    int page = 1;
    double y = 0;
    auto startPage = [&] {
        y = 0;
        if (m_bands.header) {
            m_bands.header(canvas, y, page);
            y += m_bands.headerHeight;
        }
    };
    auto newPage = [&] {
        device.newPage();
        ++page;
        startPage();
    };
    startPage();
    const int rows = m_bands.rowCount ? m_bands.rowCount() : 0;
    for (int r = 0; r < rows; ++r) {
        if (y + m_bands.rowHeight > canvas.height() + 1e-6 && y > m_bands.headerHeight)
            newPage();
        if (m_bands.row)
            m_bands.row(canvas, y, r, r + 1);
        y += m_bands.rowHeight;
    }
    if (m_bands.summary) {
        if (y + m_bands.summaryHeight > canvas.height() + 1e-6)
            newPage();
        m_bands.summary(canvas, y);
    }
    return page;
}

} // namespace report
