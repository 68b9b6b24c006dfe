#pragma once

#include <QList>
#include <QString>

class QAbstractItemModel;
class QTableView;

namespace widgets {

// A model's role for the number a cell holds (an integer or a decimal),
// where the cell shows a number; invalid for any other cell. A list's file
// writes such a cell as a number, not as its text.
inline constexpr int NumberRole = 0x0101; // Qt::UserRole + 1

// The columns of a view as the clerk sees them: the shown ones, in the
// order they stand.
QList<int> shownColumns(const QTableView& view);

// An Excel workbook of one sheet holding the list: the headings bold and
// frozen on the first row, then every row; a column whose every value is a
// date (dd.mm.yyyy) holds dates, one whose every value is a number holds
// numbers, any other the texts shown. The widths fit the longest text.
// Written in constant memory: a list of any length takes the same memory.
// The workbook is written beside the file and put in its place only when
// whole, so a failed export leaves any earlier file as it was. A file that
// cannot be written throws core::ActionError (WriteFailed) with the path.
void writeWorkbook(const QAbstractItemModel& model, const QList<int>& columns, const QString& path,
                   const QString& sheetName);

// The list as CSV the way a Turkish spreadsheet opens it: UTF-8 with a
// byte-order mark, fields separated by ";" and quoted where they hold a
// ";", a quote or a line break, lines ended by CR LF. Written whole or not
// at all, as the workbook.
void writeCsv(const QAbstractItemModel& model, const QList<int>& columns, const QString& path);

// The two ways a list leaves the program.
enum class ExportFormat { Workbook, Csv };

// The clerk's "Excel'e Aktar" or "CSV Olarak Kaydet" on a view: the file
// dialog with name as the suggested file name (and the sheet's name), then
// the file of the rows and columns shown. Nothing happens when the dialog is
// cancelled. Returns the path written.
QString exportList(const QTableView& view, ExportFormat format, const QString& name);

// The view's context menu offers both: "Excel'e Aktar" (actExcel) and "CSV
// Olarak Kaydet" (actCsv), each through exportList().
void offerExport(QTableView& view, const QString& name);

inline const QString ExportWorkbookCaption = QStringLiteral("Excel'e Aktar");
inline const QString ExportCsvCaption = QStringLiteral("CSV Olarak Kaydet");

} // namespace widgets
