#pragma once

#include "layout.h"

#include "db/resultset.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace report {

// How a value of a row prints.
enum class ValueFormat {
    // As a grid shows it: numbers in decimal without grouping.
    Displayed,
    // "###,### ": thousands grouped by the system's separator and a
    // trailing blank; no digits at all for 0.
    Grouped,
    // CEVDUR: "Cevap Bekleniyor" for 'E', nothing otherwise.
    ReplyExpected,
    // The running number of the row, 1 for the first printed row, counting
    // on across pages.
    RowNumber,
};

// One value of a cell line: a column of the result (a column the result
// does not carry prints empty; no column at all leaves the place blank, to
// be filled in by hand).
struct CellValue {
    QString field{};
    Qt::Alignment align = Qt::AlignLeft;
    ValueFormat format = ValueFormat::Displayed;
};

// One column of a ruled table. Its heading and its content are lines from
// top to bottom, each holding one or more parts side by side (split by a
// thin rule); a single content line fills the whole row, wrapping.
struct TableColumn {
    double width = 0; // millimetres
    // The heading of a group over this column: neighbouring columns with
    // the same group share one heading cell above their own.
    QString group{};
    QList<QStringList> heading{};
    QList<QList<CellValue>> lines{};
    // The shares of the column's width that parts side by side take, in
    // heading and content alike; none: equal shares.
    QList<double> split{};
};

// A printed list or register book: a heading block on every page (the
// emblem, the title, the page number when asked for, the column headings
// between thick rules), one ruled row of fixed height per row of the
// result, and the closing line once after the last row.
struct TableDesign {
    QString name{}; // the layout's name: TQRPGELDEF1
    QString title{};
    bool pageNumbers = false;
    double rowHeight = 6;
    QList<TableColumn> columns{};
};

// The closing line: the maker and its web address (a setting of the build).
QString makerLine();

// The text a value prints for one row.
QString cellText(const CellValue& value, const db::ResultSet& rows, int columnIndex, int row,
                 int runningNumber);

// The one engine of ruled tables: A4 landscape with 10 mm margins. The rows
// are read in place, in their order; setRows before each printing.
class TableLayout : public BandLayout {
public:
    explicit TableLayout(TableDesign design);

    const TableDesign& design() const { return m_design; }
    void setRows(std::shared_ptr<const db::ResultSet> rows) { m_rows = std::move(rows); }
    std::shared_ptr<const db::ResultSet> rows() const { return m_rows; }
    // The institution's emblem in the frame at the top left; none: empty.
    void setEmblem(const QImage& emblem) { m_emblem = emblem; }

    int render(QPainter& painter, QPagedPaintDevice& device) override;

    // Heights of the heading block and the closing line, in millimetres.
    double headerHeight() const;
    static constexpr double ClosingHeight = 5;

private:
    struct Part {
        double left, width;
        int column = -1; // index into the result
        CellValue value;
    };
    struct Line {
        double top, height;
        QList<Part> parts;
    };
    struct PlacedColumn {
        double left, width;
        QList<Line> lines;
    };

    void header(Canvas& canvas, double top, int page);
    void row(Canvas& canvas, double top, int row, int runningNumber);
    void closing(Canvas& canvas, double top);
    void placeColumns(double pageWidth);
    // The left edges (from the column's) and widths of n parts side by side.
    static QList<std::pair<double, double>> parts(const TableColumn& column, qsizetype n);
    bool hasGroups() const;
    double tableLeft() const { return m_left; }
    double tableWidth() const;

    TableDesign m_design;
    std::shared_ptr<const db::ResultSet> m_rows;
    QImage m_emblem;
    double m_left = 0;
    QList<PlacedColumn> m_placed;
};

} // namespace report
