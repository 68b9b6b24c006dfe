#include "table.h"

#include "canvas.h"

#include "core/codewords.h"

#include <QLocale>
#include <QPagedPaintDevice>

#ifndef DORPAK_MAKER_WEB_ADDRESS
#define DORPAK_MAKER_WEB_ADDRESS ""
#endif

namespace report {
namespace {

// The heading block, in millimetres from the top of the printable area.
constexpr double TitleTop = 1;
constexpr double TitleHeight = 10;
const QRectF EmblemFrame(0, 0, 24, 15);
constexpr double HeadingsTop = 17;
constexpr double GroupHeight = 5;
constexpr double HeadingHeight = 9;
// Room between a cell's rules and its text.
constexpr double Padding = 0.5;

constexpr double Thick = 0.5;
constexpr double Thin = 0.15;

QFont font(double points, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Large bold titles, bold headings, small bold row text.
struct Fonts {
    QFont title = font(14, true);
    QFont heading = font(7.5, true);
    QFont row = font(6.5, true);
    QFont page = font(9, true);
    QFont closing = font(6, false);
};

const Fonts& fonts()
{
    static const Fonts f;
    return f;
}

QRectF inner(double left, double top, double width, double height)
{
    return QRectF(left + Padding, top, std::max(0.0, width - 2 * Padding), height);
}

} // namespace

QString makerLine()
{
    const QString web = QStringLiteral(DORPAK_MAKER_WEB_ADDRESS);
    return web.isEmpty() ? QStringLiteral("VELOR Yazılım") : QStringLiteral("VELOR Yazılım ") + web;
}

QString cellText(const CellValue& value, const db::ResultSet& rows, int columnIndex, int row,
                 int runningNumber)
{
    if (value.format == ValueFormat::RowNumber)
        return QString::number(runningNumber);
    if (value.field.isEmpty() || columnIndex < 0)
        return QString();
    const db::Field field = rows.value(row, columnIndex);
    switch (value.format) {
    case ValueFormat::Grouped: {
        const qint64 n = field.toInt();
        return n == 0 ? QString() : QLocale().toString(n) + QLatin1Char(' ');
    }
    case ValueFormat::ReplyExpected:
        return core::replyExpectedText(field.toString());
    default:
        return field.toString();
    }
}

TableLayout::TableLayout(TableDesign design)
    : BandLayout(design.name, Layout::a4(QPageLayout::Landscape, 10)), m_design(std::move(design))
{
    setBands({.headerHeight = headerHeight(),
              .header = [this](Canvas& c, double top, int page) { header(c, top, page); },
              .rowHeight = m_design.rowHeight,
              .rowCount = [this] { return m_rows ? m_rows->rowCount() : 0; },
              .row = [this](Canvas& c, double top, int r, int no) { row(c, top, r, no); },
              .summaryHeight = ClosingHeight,
              .summary = [this](Canvas& c, double top) { closing(c, top); }});
}

bool TableLayout::hasGroups() const
{
    for (const TableColumn& c : m_design.columns)
        if (!c.group.isEmpty())
            return true;
    return false;
}

double TableLayout::headerHeight() const
{
    return HeadingsTop + (hasGroups() ? GroupHeight : 0) + HeadingHeight;
}

double TableLayout::tableWidth() const
{
    double width = 0;
    for (const TableColumn& c : m_design.columns)
        width += c.width;
    return width;
}

QList<std::pair<double, double>> TableLayout::parts(const TableColumn& column, qsizetype n)
{
    const bool weighted = column.split.size() == n;
    double total = 0;
    for (qsizetype p = 0; p < n; ++p)
        total += weighted ? column.split[p] : 1;
    QList<std::pair<double, double>> placed;
    double x = 0;
    for (qsizetype p = 0; p < n; ++p) {
        const double width = column.width * (weighted ? column.split[p] : 1) / total;
        placed.append({x, width});
        x += width;
    }
    return placed;
}

void TableLayout::placeColumns(double pageWidth)
{
    m_left = std::max(0.0, (pageWidth - tableWidth()) / 2);
    m_placed.clear();
    double x = m_left;
    for (const TableColumn& c : m_design.columns) {
        PlacedColumn placed{x, c.width, {}};
        const qsizetype lines = c.lines.size();
        for (qsizetype l = 0; l < lines; ++l) {
            const double height = m_design.rowHeight / double(lines);
            Line line{height * double(l), height, {}};
            const QList<CellValue>& values = c.lines[l];
            const auto shares = parts(c, values.size());
            for (qsizetype p = 0; p < values.size(); ++p) {
                const int index = m_rows ? m_rows->columnIndex(values[p].field) : -1;
                line.parts.append({x + shares[p].first, shares[p].second, index, values[p]});
            }
            placed.lines.append(line);
        }
        m_placed.append(placed);
        x += c.width;
    }
}

int TableLayout::render(QPainter& painter, QPagedPaintDevice& device)
{
    placeColumns(device.pageLayout().paintRect(QPageLayout::Millimeter).width());
    return BandLayout::render(painter, device);
}

void TableLayout::header(Canvas& canvas, double top, int page)
{
    canvas.image(EmblemFrame.translated(0, top), m_emblem, false);
    canvas.text(QRectF(0, top + TitleTop, canvas.width(), TitleHeight), m_design.title,
                fonts().title, Qt::AlignCenter);
    const double left = tableLeft();
    const double right = left + tableWidth();
    if (m_design.pageNumbers)
        canvas.text(QRectF(right - 60, top + TitleTop, 60, TitleHeight),
                    QStringLiteral("Sayfa No : %1").arg(page), fonts().page,
                    Qt::AlignRight | Qt::AlignVCenter);

    const double y0 = top + HeadingsTop;
    const double groupBottom = y0 + (hasGroups() ? GroupHeight : 0);
    const double y1 = groupBottom + HeadingHeight;
    const QList<TableColumn>& columns = m_design.columns;
    double x = left;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const TableColumn& col = columns[c];
        const bool grouped = !col.group.isEmpty();
        // A group's heading, over the columns that share it.
        if (grouped && (c == 0 || columns[c - 1].group != col.group)) {
            double span = 0;
            for (qsizetype g = c; g < columns.size() && columns[g].group == col.group; ++g)
                span += columns[g].width;
            canvas.text(inner(x, y0, span, GroupHeight), col.group, fonts().heading,
                        Qt::AlignCenter);
            canvas.line({x, groupBottom}, {x + span, groupBottom}, Thin);
        }
        const double cellTop = grouped ? groupBottom : y0;
        bool split = false;
        for (const QStringList& line : col.heading)
            split = split || line.size() > 1;
        if (!split) {
            // Lines of one text each stand together in the middle of the cell.
            QStringList texts;
            for (const QStringList& line : col.heading)
                texts << line.value(0);
            canvas.text(inner(x, cellTop, col.width, y1 - cellTop), texts.join(QLatin1Char('\n')),
                        fonts().heading, Qt::AlignCenter);
        }
        const double lineHeight =
            (y1 - cellTop) / double(std::max<qsizetype>(1, col.heading.size()));
        for (qsizetype l = 0; split && l < col.heading.size(); ++l) {
            const QStringList& texts = col.heading[l];
            const double lineTop = cellTop + lineHeight * double(l);
            const auto shares = parts(col, texts.size());
            for (qsizetype p = 0; p < texts.size(); ++p) {
                const double px = x + shares[p].first;
                canvas.text(inner(px, lineTop, shares[p].second, lineHeight), texts[p],
                            fonts().heading, Qt::AlignCenter);
                if (p > 0)
                    canvas.line({px, lineTop}, {px, lineTop + lineHeight}, Thin);
            }
            if (l > 0)
                canvas.line({x, lineTop}, {x + col.width, lineTop}, Thin);
        }
        x += col.width;
        // The rule after the column: through the group heading only where
        // the group ends.
        if (c + 1 < columns.size()) {
            const bool sameGroup = grouped && columns[c + 1].group == col.group;
            canvas.line({x, sameGroup ? groupBottom : y0}, {x, y1}, Thin);
        }
    }
    canvas.line({left, y0}, {right, y0}, Thick);
    canvas.line({left, y1}, {right, y1}, Thick);
    canvas.line({left, y0}, {left, y1}, Thick);
    canvas.line({right, y0}, {right, y1}, Thick);
}

void TableLayout::row(Canvas& canvas, double top, int r, int runningNumber)
{
    const double bottom = top + m_design.rowHeight;
    for (qsizetype c = 0; c < m_placed.size(); ++c) {
        const PlacedColumn& col = m_placed[c];
        const bool wraps = col.lines.size() == 1;
        for (const Line& line : col.lines) {
            const double lineTop = top + line.top;
            for (qsizetype p = 0; p < line.parts.size(); ++p) {
                const Part& part = line.parts[p];
                const QString text = cellText(part.value, *m_rows, part.column, r, runningNumber);
                canvas.text(inner(part.left, lineTop, part.width, line.height), text, fonts().row,
                            int(part.value.align | Qt::AlignVCenter) |
                                (wraps ? Qt::TextWordWrap : 0));
                if (p > 0)
                    canvas.line({part.left, lineTop}, {part.left, lineTop + line.height}, Thin);
            }
        }
        if (c > 0)
            canvas.line({col.left, top}, {col.left, bottom}, Thin);
    }
    const double left = tableLeft();
    const double right = left + tableWidth();
    canvas.line({left, top}, {left, bottom}, Thick);
    canvas.line({right, top}, {right, bottom}, Thick);
    canvas.line({left, bottom}, {right, bottom}, Thin);
}

void TableLayout::closing(Canvas& canvas, double top)
{
    const double right = tableLeft() + tableWidth();
    canvas.text(QRectF(right - 120, top + 1, 120, ClosingHeight - 1), makerLine(), fonts().closing,
                Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace report
