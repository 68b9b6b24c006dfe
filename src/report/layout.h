#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>

class QPainter;
class QPagedPaintDevice;

namespace report {

class Canvas;

// A printed layout of the program: created once, reused, with a copy count
// the print rule sets before every printing.
class Layout {
public:
    Layout(QString name, QPageLayout page);
    virtual ~Layout() = default;

    QString name() const { return m_name; }
    QPageLayout pageLayout() const { return m_page; }
    int copyCount() const { return m_copies; }
    void setCopyCount(int copies) { m_copies = copies < 1 ? 1 : copies; }

    // Draws every page of one copy on the device; returns the number of
    // pages. The device's page layout is this layout's.
    virtual int render(QPainter& painter, QPagedPaintDevice& device) = 0;

    // A4 in millimetres with the same margin on every side.
    static QPageLayout a4(QPageLayout::Orientation orientation, double marginMm);

private:
    QString m_name;
    QPageLayout m_page;
    int m_copies = 1;
};

// A layout of bands, as register books are printed: a heading block at the
// top of every page, rows of fixed height in order (a row that does not fit
// goes to the next page), and a closing part once after the last row. An
// empty data set still prints one page with the heading and the closing.
class BandLayout : public Layout {
public:
    struct Bands {
        double headerHeight = 0;
        // (canvas, top in mm, page number from 1)
        std::function<void(Canvas&, double, int)> header;
        double rowHeight = 0;
        std::function<int()> rowCount;
        // (canvas, top in mm, row index from 0, running number from 1)
        std::function<void(Canvas&, double, int, int)> row;
        double summaryHeight = 0;
        std::function<void(Canvas&, double)> summary;
    };

    BandLayout(QString name, QPageLayout page);
    void setBands(Bands bands) { m_bands = std::move(bands); }

    int render(QPainter& painter, QPagedPaintDevice& device) override;

private:
    Bands m_bands;
};

} // namespace report
