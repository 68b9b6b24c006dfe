#pragma once

#include "report/layout.h"

#include <QImage>

namespace registers {

// The printed picture of an incoming document: one A4 portrait page with
// 10 mm margins, the picture stretched over the page's one band without
// keeping its proportions. Created once and reused; the picture is handed
// over before each printing and kept while a preview shows it.
class TQRGELRES : public report::Layout {
public:
    TQRGELRES();

    void setPicture(const QImage& image) { m_image = image; }
    QImage picture() const { return m_image; }

    int render(QPainter& painter, QPagedPaintDevice& device) override;

    // The picture inside the page's band of 190 x 277 mm, in millimetres.
    static constexpr double PictureWidth = 188.6;
    static constexpr double PictureHeight = 276.5;

private:
    QImage m_image;
};

} // namespace registers
