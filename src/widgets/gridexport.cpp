#include "gridexport.h"

#include "core/errors.h"
#include "core/prompter.h"
#include "db/database.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDate>
#include <QFile>
#include <QHeaderView>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTableView>

#include <xlsxwriter.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace widgets {
namespace {

enum class CellKind { Empty, Text, Number, Date };

// A stored date as the lists show it: dd.mm.yyyy, a real day.
QDate shownDate(const QString& text)
{
    if (text.size() != 10 || text[2] != QLatin1Char('.') || text[5] != QLatin1Char('.'))
        return {};
    return QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
}

// What one column holds, from every one of its values: dates only, numbers
// only, or texts; empty cells count for none. Its widest text in characters.
struct ColumnShape {
    CellKind kind = CellKind::Empty;
    int width = 0;
};

CellKind cellKind(const QAbstractItemModel& model, const QModelIndex& index, const QString& text)
{
    if (text.isEmpty())
        return CellKind::Empty;
    if (model.data(index, NumberRole).isValid())
        return CellKind::Number;
    if (shownDate(text).isValid())
        return CellKind::Date;
    return CellKind::Text;
}

QList<ColumnShape> shapes(const QAbstractItemModel& model, const QList<int>& columns)
{
    QList<ColumnShape> result;
    for (int c : columns)
        result.append(
            {CellKind::Empty,
             int(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().size())});
    const int rows = model.rowCount();
    for (int r = 0; r < rows; ++r) {
        for (int i = 0; i < columns.size(); ++i) {
            const QModelIndex index = model.index(r, columns[i]);
            const QString text = model.data(index, Qt::DisplayRole).toString();
            ColumnShape& s = result[i];
            s.width = std::max(s.width, int(text.size()));
            const CellKind k = cellKind(model, index, text);
            if (k == CellKind::Empty || s.kind == CellKind::Text)
                continue;
            s.kind = s.kind == CellKind::Empty || s.kind == k ? k : CellKind::Text;
        }
    }
    return result;
}

// A sheet's name: at most 31 characters, none of those the format refuses.
QString sheetNameOf(const QString& name)
{
    QString s = name.simplified();
    s.replace(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\]")), QStringLiteral(" "));
    s = s.simplified().left(31);
    return s.isEmpty() ? QStringLiteral("Liste") : s;
}

[[noreturn]] void writeFailed(const QString& path, const QString& reason = {})
{
    const QString what = reason.isEmpty() ? path : QStringLiteral("%1 (%2)").arg(path, reason);
    throw core::ActionError(core::ErrorCause::WriteFailed, what.toStdString());
}

void check(lxw_error error, const QString& path)
{
    if (error != LXW_NO_ERROR)
        writeFailed(path, QString::fromUtf8(lxw_strerror(error)));
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QList<int> shownColumns(const QTableView& view)
{
    QList<int> columns;
    const QHeaderView& header = *view.horizontalHeader();
    if (!view.model())
        return columns;
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        if (!header.isSectionHidden(logical))
            columns << logical;
    }
    return columns;
}

void writeWorkbook(const QAbstractItemModel& model, const QList<int>& columns, const QString& path,
                   const QString& sheetName)
{
    db::BusyScope busy;
    const QList<ColumnShape> shape = shapes(model, columns);
    // Written under a name of its own beside the file, which it replaces
    // only when whole; on any way out before that the part is removed.
    const QString part = path + QStringLiteral(".part");
    const QByteArray file = QFile::encodeName(part);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.constData(), &options);
    if (!book)
        writeFailed(path);
    const auto removePart = qScopeGuard([&part] { QFile::remove(part); });
    // The workbook is freed by closing it, on every way out.
    auto closing =
        std::unique_ptr<lxw_workbook, lxw_error (*)(lxw_workbook*)>(book, workbook_close);
    const QByteArray sheet = sheetNameOf(sheetName).toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(book, sheet.constData());
    if (!ws)
        writeFailed(path);
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "dd.mm.yyyy");

    for (int i = 0; i < columns.size(); ++i) {
        // A little room beyond the widest text; a very long subject stops
        // at a width a screen still shows.
        const double width = std::clamp(shape[i].width + 2, 6, 80);
        check(worksheet_set_column(ws, lxw_col_t(i), lxw_col_t(i), width, nullptr), path);
    }
    worksheet_freeze_panes(ws, 1, 0);
    for (int i = 0; i < columns.size(); ++i) {
        const QByteArray heading =
            model.headerData(columns[i], Qt::Horizontal, Qt::DisplayRole).toString().toUtf8();
        check(worksheet_write_string(ws, 0, lxw_col_t(i), heading.constData(), bold), path);
    }
    const int rows = model.rowCount();
    for (int r = 0; r < rows; ++r) {
        const lxw_row_t row = lxw_row_t(r + 1);
        for (int i = 0; i < columns.size(); ++i) {
            const QModelIndex index = model.index(r, columns[i]);
            const QString text = model.data(index, Qt::DisplayRole).toString();
            if (text.isEmpty())
                continue;
            const lxw_col_t col = lxw_col_t(i);
            switch (shape[i].kind) {
            case CellKind::Number:
                check(worksheet_write_number(ws, row, col, model.data(index, NumberRole).toDouble(),
                                             nullptr),
                      path);
                break;
            case CellKind::Date: {
                const QDate d = shownDate(text);
                lxw_datetime when{d.year(), d.month(), d.day(), 0, 0, 0};
                check(worksheet_write_datetime(ws, row, col, &when, date), path);
                break;
            }
            default: {
                const QByteArray utf8 = text.toUtf8();
                check(worksheet_write_string(ws, row, col, utf8.constData(), nullptr), path);
                break;
            }
            }
        }
    }
    check(workbook_close(closing.release()), path);
    std::error_code error;
    std::filesystem::rename(file.constData(), QFile::encodeName(path).constData(), error);
    if (error)
        writeFailed(path, QString::fromStdString(error.message()));
}

void writeCsv(const QAbstractItemModel& model, const QList<int>& columns, const QString& path)
{
    db::BusyScope busy;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        writeFailed(path, file.errorString());
    auto line = [&file](const QStringList& fields) {
        file.write((fields.join(QLatin1Char(';')) + QStringLiteral("\r\n")).toUtf8());
    };
    file.write("\xEF\xBB\xBF");
    QStringList fields;
    for (int c : columns)
        fields << csvField(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    line(fields);
    const int rows = model.rowCount();
    for (int r = 0; r < rows; ++r) {
        fields.clear();
        for (int c : columns)
            fields << csvField(model.data(model.index(r, c), Qt::DisplayRole).toString());
        line(fields);
    }
    if (!file.commit())
        writeFailed(path, file.errorString());
}

void offerExport(QTableView& view, const QString& name)
{
    view.setContextMenuPolicy(Qt::ActionsContextMenu);
    auto offer = [&view, name](const QString& caption, const char* objectName,
                               ExportFormat format) {
        auto* action = new QAction(caption, &view);
        action->setObjectName(QLatin1String(objectName));
        QObject::connect(action, &QAction::triggered, &view, [&view, name, format] {
            core::guarded([&view, name, format] { exportList(view, format, name); });
        });
        view.addAction(action);
    };
    offer(ExportWorkbookCaption, "actExcel", ExportFormat::Workbook);
    offer(ExportCsvCaption, "actCsv", ExportFormat::Csv);
}

QString exportList(const QTableView& view, ExportFormat format, const QString& name)
{
    if (!view.model())
        return {};
    const bool workbook = format == ExportFormat::Workbook;
    const QString extension = workbook ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
    QString path = core::Prompter::current().saveFileName(
        workbook ? ExportWorkbookCaption : ExportCsvCaption,
        workbook ? QStringLiteral("Excel Çalışma Kitabı (*.xlsx)")
                 : QStringLiteral("CSV Dosyası (*.csv)"),
        name + extension);
    if (path.isEmpty())
        return {};
    if (!path.endsWith(extension, Qt::CaseInsensitive))
        path += extension;
    if (workbook)
        writeWorkbook(*view.model(), shownColumns(view), path, name);
    else
        writeCsv(*view.model(), shownColumns(view), path);
    return path;
}

} // namespace widgets
