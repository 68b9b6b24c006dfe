#include "report/canvas.h"
#include "report/layout.h"
#include "report/printrule.h"
#include "report/table.h"
#include "support/pdfpages.h"
#include "support/promptscript.h"
#include "support/testdb.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::PromptScript;
using testsupport::TempDatabase;

namespace {

// A register-book-like layout over n rows that records what it drew.
struct Book {
    int rows = 0;
    QList<int> headerPages;
    QList<int> running;
    int summaries = 0;
    report::BandLayout layout{QStringLiteral("TQRTEST"),
                              report::Layout::a4(QPageLayout::Landscape, 10)};

    explicit Book(int n) : rows(n)
    {
        layout.setBands({.headerHeight = 30,
                         .header =
                             [this](report::Canvas& c, double y, int page) {
                                 headerPages << page;
                                 c.text({0, y, c.width(), 10},
                                        QStringLiteral("GELEN YAZILAR DEFTERİ"),
                                        QFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold),
                                        Qt::AlignCenter);
                             },
                         .rowHeight = 6,
                         .rowCount = [this] { return rows; },
                         .row =
                             [this](report::Canvas& c, double y, int, int no) {
                                 running << no;
                                 c.text({0, y, 8, 6}, QString::number(no), QFont(), Qt::AlignRight);
                                 c.line({0, y + 6}, {c.width(), y + 6}, 0.1);
                             },
                         .summaryHeight = 5,
                         .summary = [this](report::Canvas&, double) { ++summaries; }});
    }
};

TEST(BandLayout, HeadingOnEveryPageRunningNumberAcrossPagesClosingOnce)
{
    QTemporaryDir dir;
    struct Case {
        int rows;
        int pages;
    };
    // 190 mm of height: 30 for the heading leaves room for 26 rows a page;
    // the closing part needs 5 mm more after the last row.
    const Case cases[] = {{0, 1}, {25, 1}, {26, 2}, {27, 2}, {100, 4}};
    for (const Case& c : cases) {
        Book book(c.rows);
        const QString pdf = dir.filePath(QStringLiteral("book%1.pdf").arg(c.rows));
        EXPECT_EQ(report::exportPdf(book.layout, pdf), c.pages) << c.rows;
        EXPECT_EQ(testsupport::pdfPageCount(pdf), c.pages) << c.rows;
        QList<int> expectedPages;
        for (int p = 1; p <= c.pages; ++p)
            expectedPages << p;
        EXPECT_EQ(book.headerPages, expectedPages);
        ASSERT_EQ(book.running.size(), c.rows);
        for (int i = 0; i < c.rows; ++i)
            EXPECT_EQ(book.running[i], i + 1);
        EXPECT_EQ(book.summaries, 1);
    }
}

TEST(PrintRule, CancelledDialogPrintsNothing)
{
    PromptScript prompts;
    prompts.expectPrintDialog(false);
    Book book(3);
    const report::PrintOutcome out =
        report::printLayout(book.layout, QStringLiteral("E"), report::PrintDialogKind::System,
                            report::PreviewChoice::BySetting, nullptr);
    EXPECT_FALSE(out.printed);
    EXPECT_TRUE(out.preview.isNull());
    EXPECT_TRUE(book.headerPages.isEmpty());
}

TEST(PrintRule, DirectPrintingSendsTheChosenCopies)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    PromptScript prompts;
    prompts.expectPrintDialog(true, 2, pdf);
    Book book(30);
    const report::PrintOutcome out =
        report::printLayout(book.layout, QStringLiteral("H"), report::PrintDialogKind::System,
                            report::PreviewChoice::BySetting, nullptr);
    EXPECT_TRUE(out.printed);
    EXPECT_TRUE(out.preview.isNull());
    EXPECT_EQ(book.layout.copyCount(), 2);
    EXPECT_EQ(testsupport::pdfPageCount(pdf), 4); // two pages, twice
}

// "PDF Olarak Kaydet": one copy of what the preview shows, whatever the
// copies chosen for the printer; a cancelled dialog writes nothing.
TEST(PrintRule, ThePreviewSavesWhatItShowsAsAPdfFile)
{
    QTemporaryDir dir;
    PromptScript prompts;
    prompts.expectPrintDialog(true, 3);
    Book book(40);
    QWidget caller;
    const report::PrintOutcome out =
        report::printLayout(book.layout, QStringLiteral("E"), report::PrintDialogKind::System,
                            report::PreviewChoice::BySetting, &caller);
    ASSERT_FALSE(out.preview.isNull());
    auto* save = out.preview->findChild<QPushButton*>(QStringLiteral("btnPdf"));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), QStringLiteral("PDF Olarak Kaydet"));
    prompts.expectSaveFile(dir.filePath(QStringLiteral("defter")));
    save->click();
    EXPECT_EQ(testsupport::pdfPageCount(dir.filePath(QStringLiteral("defter.pdf"))),
              out.preview->pageCount());
    EXPECT_EQ(prompts.fileDialogs().value(0),
              QStringLiteral("PDF Olarak Kaydet|PDF Dosyası (*.pdf)|TQRTEST.pdf"));
    prompts.expectSaveFile(QString());
    save->click();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"defter.pdf"});
    out.preview->close();
}

TEST(PrintRule, PreviewBySettingOrAlwaysAndItsClosingCallsBack)
{
    struct Case {
        QString setting;
        report::PreviewChoice choice;
        bool previews;
    };
    const Case cases[] = {
        {QStringLiteral("E"), report::PreviewChoice::BySetting, true},
        {QStringLiteral("H"), report::PreviewChoice::Always, true},
        {QString(), report::PreviewChoice::Always, true},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        PromptScript prompts;
        prompts.expectPrintDialog(true, 1, dir.filePath(QStringLiteral("p.pdf")));
        Book book(40);
        int callbacks = 0;
        QWidget caller;
        const report::PrintOutcome out =
            report::printLayout(book.layout, c.setting, report::PrintDialogKind::LayoutSetup,
                                c.choice, &caller, [&] { ++callbacks; });
        EXPECT_FALSE(out.printed);
        ASSERT_FALSE(out.preview.isNull());
        EXPECT_TRUE(out.preview->isVisible());
        EXPECT_EQ(out.preview->windowTitle(), QStringLiteral("Baskı Önizleme"));
        EXPECT_EQ(out.preview->pageCount(), 2);
        out.preview->close();
        QApplication::processEvents();
        EXPECT_EQ(callbacks, 1);
    }
}

// n rows of a register's result, made by the engine: the running number I,
// a subject with Turkish letters and a reply number.
QString rowsSql(int n)
{
    return QStringLiteral(
               "WITH D AS (SELECT 0 X FROM RDB$DATABASE UNION ALL SELECT 1 FROM RDB$DATABASE UNION "
               "ALL "
               "SELECT 2 FROM RDB$DATABASE UNION ALL SELECT 3 FROM RDB$DATABASE UNION ALL SELECT 4 "
               "FROM "
               "RDB$DATABASE UNION ALL SELECT 5 FROM RDB$DATABASE UNION ALL SELECT 6 FROM "
               "RDB$DATABASE "
               "UNION ALL SELECT 7 FROM RDB$DATABASE UNION ALL SELECT 8 FROM RDB$DATABASE UNION "
               "ALL "
               "SELECT 9 FROM RDB$DATABASE) "
               "SELECT * FROM (SELECT A.X*1000+B.X*100+C.X*10+E.X+1 I, "
               "CAST('Çığ düşmesi öncesi şube ağı İzmir' AS VARCHAR(60)) KONU, 1234 CEVNO, "
               "CAST('E' AS VARCHAR(1)) CEVDUR FROM D A, D B, D C, D E) WHERE I<=%1 ORDER BY I")
        .arg(n);
}

report::TableDesign bookDesign(double rowHeight, bool pageNumbers)
{
    using report::CellValue;
    using report::ValueFormat;
    return {
        .name = QStringLiteral("TQRTEST"),
        .title = QStringLiteral("GELEN YAZILAR DEFTERİ"),
        .pageNumbers = pageNumbers,
        .rowHeight = rowHeight,
        .columns = {
            {8, {}, {{"Sıra"}, {"No"}}, {{{QString(), Qt::AlignRight, ValueFormat::RowNumber}}}},
            {100, QStringLiteral("GELEN YAZININ"), {{"Özü"}}, {{{QStringLiteral("KONU")}}}},
            {30,
             {},
             {{"Cevap"}, {"No", "Tarih"}},
             {{{QStringLiteral("CEVNO"), Qt::AlignRight, ValueFormat::Grouped},
               {QStringLiteral("CEVTAR")}}}}}};
}

TEST(TableLayout, ValuesPrintInTheirFormats)
{
    TempDatabase t;
    db::Query q(t.database());
    q.setSql(
        QStringLiteral("SELECT 0 A, 1234 B, 123456 C, CAST(NULL AS INTEGER) D, CAST('E' AS "
                       "VARCHAR(1)) E, CAST('H' AS VARCHAR(1)) F, CAST('Ağaç' AS VARCHAR(10)) G "
                       "FROM RDB$DATABASE"));
    q.open();
    using report::ValueFormat;
    const QChar sep = QLocale().groupSeparator().at(0);
    struct Case {
        QString field;
        ValueFormat format;
        QString printed;
    };
    const Case cases[] = {
        {QStringLiteral("A"), ValueFormat::Grouped, QString()}, // no digits at all for 0
        {QStringLiteral("B"), ValueFormat::Grouped,
         QStringLiteral("1") + sep + QStringLiteral("234 ")},
        {QStringLiteral("C"), ValueFormat::Grouped,
         QStringLiteral("123") + sep + QStringLiteral("456 ")},
        {QStringLiteral("D"), ValueFormat::Grouped, QString()},
        {QStringLiteral("B"), ValueFormat::Displayed, QStringLiteral("1234")},
        {QStringLiteral("E"), ValueFormat::ReplyExpected, QStringLiteral("Cevap Bekleniyor")},
        {QStringLiteral("F"), ValueFormat::ReplyExpected, QString()},
        {QStringLiteral("G"), ValueFormat::Displayed, QStringLiteral("Ağaç")},
        {QStringLiteral("ILGNO"), ValueFormat::Grouped, QString()}, // a column the result lacks
        {QString(), ValueFormat::Displayed, QString()},             // ruled for handwriting
        {QString(), ValueFormat::RowNumber, QStringLiteral("27")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(report::cellText({c.field, Qt::AlignLeft, c.format}, *q.result(),
                                   q.columnIndex(c.field), 0, 27),
                  c.printed)
            << c.field.toStdString();
}

// A4 landscape, 190 mm of height: the book's heading block takes 31 mm and
// leaves room for 26 rows of 6 mm, the list's 26 mm for 21 rows of 7.5 mm;
// the closing line needs 5 mm after the last row.
TEST(TableLayout, PagesFollowTheRowHeightAndTheClosingLineComesOnce)
{
    TempDatabase t;
    QTemporaryDir dir;
    struct Case {
        double rowHeight;
        bool groups;
        int rows;
        int pages;
    };
    const Case cases[] = {{6, true, 0, 1},     {6, true, 25, 1},      {6, true, 26, 2},
                          {6, true, 27, 2},    {6, true, 2000, 77},   {7.5, false, 22, 2},
                          {7.5, false, 21, 1}, {7.5, false, 2000, 96}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        report::TableDesign design = bookDesign(c.rowHeight, true);
        if (!c.groups)
            design.columns[1].group.clear();
        report::TableLayout layout(design);
        db::Query q(t.database());
        q.setSql(rowsSql(c.rows));
        q.open();
        layout.setRows(q.result());
        const QString pdf = dir.filePath(QStringLiteral("book.pdf"));
        EXPECT_EQ(report::exportPdf(layout, pdf), c.pages);
        EXPECT_EQ(testsupport::pdfPageCount(pdf), c.pages);
    }
}

// A printer that cannot start, a PDF file that cannot be written and the
// preview's own printing are reported, never silent.
TEST(PrintRule, AFailingPrinterOrFileIsReported)
{
    QTemporaryDir dir;
    const QString nowhere = dir.filePath(QStringLiteral("yok/liste.pdf"));
    Book book(3);
    // The cause the error message names under its first line.
    auto causeOf = [&](const std::function<void()>& print) {
        try {
            print();
        } catch (const report::PrintError& e) {
            return e.cause();
        }
        ADD_FAILURE() << "nothing was thrown";
        return core::ErrorCause::None;
    };
    using Cause = core::ErrorCause;
    EXPECT_EQ(causeOf([&] { report::exportPdf(book.layout, nowhere); }), Cause::WriteFailed);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(nowhere);
    EXPECT_EQ(causeOf([&] { report::printTo(book.layout, printer); }), Cause::WriteFailed);
    // A printer (no file) that does not start.
    QPrinter absent;
    absent.setPrinterName(QStringLiteral("YOK"));
    EXPECT_EQ(causeOf([&] { report::printTo(book.layout, absent); }), Cause::PrinterFailed);

    PromptScript prompts;
    prompts.expectPrintDialog(true, 1, nowhere);
    EXPECT_THROW(report::printLayout(book.layout, QStringLiteral("H"),
                                     report::PrintDialogKind::System,
                                     report::PreviewChoice::BySetting, nullptr),
                 report::PrintError);

    prompts.expectPrintDialog(true, 1, nowhere)
        .expectMessage(testsupport::errorText(core::ErrorCause::WriteFailed));
    QWidget caller;
    const report::PrintOutcome out =
        report::printLayout(book.layout, QStringLiteral("E"), report::PrintDialogKind::System,
                            report::PreviewChoice::BySetting, &caller);
    ASSERT_FALSE(out.preview.isNull());
    out.preview->findChild<QPushButton*>(QStringLiteral("btnYazdir"))->click();
    prompts.verify();
    out.preview->close();
}

} // namespace
