// A list out of the program: the workbook and the CSV file of a ledger, as
// another program reads them (Python's openpyxl and csv modules), holding
// the columns and rows the clerk sees.

#include "registry.h"

#include "lists/ledgers.h"
#include "support/clerk.h"
#include "support/promptscript.h"
#include "widgets/gridexport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace liststest;
using testsupport::child;
using testsupport::PromptScript;
using testsupport::showActive;
using testsupport::TempDatabase;

namespace {

// Reads the file with a reader that is not ours and prints what it found as
// JSON: for a workbook the sheet, its frozen cell, which headings are bold,
// the widths and every cell with its type; for a CSV file every field.
const char* const Reader = R"(
import csv, datetime, json, sys
path = sys.argv[1]
if path.endswith('.xlsx'):
    import openpyxl
    book = openpyxl.load_workbook(path)
    ws = book.worksheets[0]
    def cell(c):
        v = c.value
        if isinstance(v, datetime.datetime):
            return {'date': v.strftime('%d.%m.%Y')}
        if isinstance(v, (int, float)):
            return {'number': v}
        return {'text': '' if v is None else v}
    rows = [[cell(c) for c in row] for row in ws.iter_rows()]
    out = {'sheet': ws.title, 'freeze': ws.freeze_panes, 'rows': rows,
           'bold': [bool(c.font.b) for c in ws[1]],
           'widths': [ws.column_dimensions[openpyxl.utils.get_column_letter(i + 1)].width
                      for i in range(ws.max_column)]}
else:
    with open(path, encoding='utf-8-sig', newline='') as f:
        out = {'rows': list(csv.reader(f, delimiter=';'))}
print(json.dumps(out))
)";

QJsonObject readBack(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral(SYSTEM_PYTHON),
                 {QStringLiteral("-c"), QString::fromUtf8(Reader), path});
    EXPECT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

struct Year {
    TempDatabase t;
    Registry reg{t};
    int valilik = reg.institution(QStringLiteral("İzmir Valiliği"));
    int fen = reg.department(QStringLiteral("Fen İşleri"));
    core::AppContext ctx;
    QTemporaryDir dir;

    Year()
    {
        reg.incoming({.no = 1,
                      .date = QStringLiteral("05.03.2026"),
                      .dkod = valilik,
                      .bkod = fen,
                      .konu = QStringLiteral("Su hattı; \"acil\" onarım"),
                      .evsay = QStringLiteral("B.12"),
                      .evtar = QStringLiteral("01.03.2026")});
        reg.incoming({.no = 2,
                      .date = QStringLiteral("12.03.2026"),
                      .bkod = fen,
                      .konu = QStringLiteral("Çığ, ağaç, şöför, ılık, İĞNE\nikinci satır")});
        reg.incoming({.no = 3, .date = QStringLiteral("20.04.2026"), .dkod = valilik});
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

QAction& action(QWidget& owner, const QString& caption)
{
    for (QAction* a : owner.actions())
        if (a->text() == caption)
            return *a;
    throw std::runtime_error("no action " + caption.toStdString());
}

TEST(ListExport, TheWorkbookHoldsTheCellsShownWithDatesAndNumbersAsSuch)
{
    Year y;
    PromptScript prompts;
    lists::TFRMGELLIST ledger(y.t.dm(), y.ctx);
    showActive(ledger);
    // From the print menu; the extension comes when the clerk left it off.
    prompts.expectSaveFile(y.path("gelen"));
    action(ledger.printMenu(), widgets::ExportWorkbookCaption).trigger();
    ASSERT_TRUE(QFile::exists(y.path("gelen.xlsx")));
    EXPECT_EQ(prompts.fileDialogs().value(0),
              QStringLiteral("Excel'e Aktar|Excel Çalışma Kitabı (*.xlsx)|GELEN YAZILAR "
                             "LİSTESİ.xlsx"));

    const QJsonObject book = readBack(y.path("gelen.xlsx"));
    EXPECT_EQ(book[QStringLiteral("sheet")].toString(), QStringLiteral("GELEN YAZILAR LİSTESİ"));
    EXPECT_EQ(book[QStringLiteral("freeze")].toString(), QStringLiteral("A2"));
    const QJsonArray rows = book[QStringLiteral("rows")].toArray();
    const widgets::QueryModel& model = *ledger.grid().queryModel();
    ASSERT_EQ(rows.size(), model.rowCount() + 1);
    for (int c = 0; c < model.columnCount(); ++c) {
        EXPECT_EQ(rows[0].toArray()[c].toObject()[QStringLiteral("text")].toString(),
                  model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        EXPECT_TRUE(book[QStringLiteral("bold")].toArray()[c].toBool());
        EXPECT_GE(book[QStringLiteral("widths")].toArray()[c].toDouble(),
                  model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().size());
    }
    // Kay.No a number, Kay.Tarihi a date, the rest the texts shown.
    for (int r = 0; r < model.rowCount(); ++r) {
        const QJsonArray cells = rows[r + 1].toArray();
        EXPECT_EQ(cells[0].toObject()[QStringLiteral("number")].toInt(), model.text(r, 0).toInt());
        EXPECT_EQ(cells[1].toObject()[QStringLiteral("date")].toString(), model.text(r, 1));
        for (int c = 2; c < model.columnCount(); ++c)
            EXPECT_EQ(cells[c].toObject()[QStringLiteral("text")].toString(), model.text(r, c))
                << r << "," << c;
    }
    EXPECT_EQ(model.text(1, 4), QStringLiteral("Çığ, ağaç, şöför, ılık, İĞNE\nikinci satır"));

    // A cancelled dialog writes nothing.
    prompts.expectSaveFile(QString());
    action(ledger.grid(), widgets::ExportWorkbookCaption).trigger();
    EXPECT_EQ(QDir(y.dir.path()).entryList(QDir::Files).size(), 1);
    ledger.exit();
}

TEST(ListExport, TheCsvFileHoldsTheFieldsShownAsATurkishSpreadsheetOpensThem)
{
    Year y;
    PromptScript prompts;
    lists::TFRMGELLIST ledger(y.t.dm(), y.ctx);
    showActive(ledger);
    // A column the clerk moved and one hidden: the file follows the screen.
    ledger.grid().horizontalHeader()->moveSection(4, 0);
    ledger.grid().hideColumn(3);
    prompts.expectSaveFile(y.path("gelen.csv"));
    action(ledger.grid(), widgets::ExportCsvCaption).trigger();

    QFile file(y.path("gelen.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.contains("Kay.No;Kay.Tarihi;Geld"));
    EXPECT_TRUE(bytes.contains("\r\n"));

    const QJsonArray rows = readBack(y.path("gelen.csv"))[QStringLiteral("rows")].toArray();
    const widgets::QueryModel& model = *ledger.grid().queryModel();
    const QList<int> shown = {4, 0, 1, 2, 5};
    ASSERT_EQ(rows.size(), model.rowCount() + 1);
    for (int i = 0; i < shown.size(); ++i)
        EXPECT_EQ(rows[0].toArray()[i].toString(),
                  model.headerData(shown[i], Qt::Horizontal, Qt::DisplayRole).toString());
    for (int r = 0; r < model.rowCount(); ++r) {
        const QJsonArray fields = rows[r + 1].toArray();
        ASSERT_EQ(fields.size(), shown.size());
        for (int i = 0; i < shown.size(); ++i)
            EXPECT_EQ(fields[i].toString(), model.text(r, shown[i])) << r << "," << i;
    }
    EXPECT_EQ(rows[1].toArray()[0].toString(), QStringLiteral("Su hattı; \"acil\" onarım"));
    ledger.exit();
}

// A file that cannot be written says why, and an earlier file of the name
// stays as it was: a workbook goes in its place only when whole.
TEST(ListExport, AFileThatCannotBeWrittenSaysWhyAndLeavesTheEarlierOne)
{
    Year y;
    PromptScript prompts;
    lists::TFRMGELLIST ledger(y.t.dm(), y.ctx);
    showActive(ledger);
    const QString said = QStringLiteral(
        "BİR HATA OLUŞTU:\nDosya yazılamadı: disk dolu ya da klasöre yazma izni yok.");
    struct Case {
        QString caption;
        const char* path;
    };
    const Case cases[] = {{widgets::ExportWorkbookCaption, "yok/gelen.xlsx"},
                          {widgets::ExportCsvCaption, "yok/gelen.csv"},
                          {widgets::ExportWorkbookCaption, "klasor.xlsx"}};
    // A folder where the workbook should go: it can be written, but not put
    // in the folder's place.
    ASSERT_TRUE(QDir(y.dir.path()).mkdir(QStringLiteral("klasor.xlsx")));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        prompts.expectSaveFile(y.path(c.path));
        prompts.expectMessage(said);
        action(ledger.grid(), c.caption).trigger();
        prompts.verify();
        EXPECT_TRUE(prompts.errorDetails().last().contains(y.path(c.path)));
    }
    EXPECT_TRUE(QFileInfo(y.path("klasor.xlsx")).isDir());
    EXPECT_EQ(QDir(y.dir.path()).entryList(QDir::Files), QStringList());
    ledger.exit();
}

} // namespace
