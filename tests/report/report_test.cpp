#include "report/canvas.h"
#include "report/layout.h"
#include "report/printrule.h"
#include "support/promptscript.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::PromptScript;

namespace {

int pdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(f.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

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
                         .header = [this](report::Canvas& c, double y, int page) {
                             headerPages << page;
                             c.text({0, y, c.width(), 10}, QStringLiteral("GELEN YAZILAR DEFTERİ"),
                                    QFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold),
                                    Qt::AlignCenter);
                         },
                         .rowHeight = 6,
                         .rowCount = [this] { return rows; },
                         .row = [this](report::Canvas& c, double y, int, int no) {
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
        EXPECT_EQ(pdfPages(pdf), c.pages) << c.rows;
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
    const report::PrintOutcome out = report::printLayout(
        book.layout, QStringLiteral("E"), report::PrintDialogKind::System, report::PreviewChoice::BySetting, nullptr);
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
    const report::PrintOutcome out = report::printLayout(
        book.layout, QStringLiteral("H"), report::PrintDialogKind::System, report::PreviewChoice::BySetting, nullptr);
    EXPECT_TRUE(out.printed);
    EXPECT_TRUE(out.preview.isNull());
    EXPECT_EQ(book.layout.copyCount(), 2);
    EXPECT_EQ(pdfPages(pdf), 4); // two pages, twice
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
            report::printLayout(book.layout, c.setting, report::PrintDialogKind::LayoutSetup, c.choice, &caller,
                                [&] { ++callbacks; });
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

} // namespace
