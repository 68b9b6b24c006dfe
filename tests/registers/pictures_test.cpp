// The picture area of the incoming entry: adding, replacing, deleting,
// browsing, enlarging and printing the scanned pages.

#include "registers_support.h"

#include "db/query.h"
#include "registers/pictureview.h"
#include "report/printrule.h"
#include "support/promptscript.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

using namespace registerstest;
using testsupport::PromptScript;

namespace {

int pdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll())
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

// The size of the first page, in points.
QSize pdfPageSize(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const auto m =
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)"))
            .match(QString::fromLatin1(f.readAll()));
    return m.hasMatch() ? QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble()))
                        : QSize();
}

class Pictures : public Incoming {
protected:
    QPushButton& button(const char* name) { return child<QPushButton>(entry, name); }
    registers::PictureView& view() { return child<registers::PictureView>(entry, "imgResim"); }
    QTableWidget& numbers() { return child<QTableWidget>(entry, "lstResim"); }
    QStringList shownNumbers()
    {
        QStringList n;
        for (int r = 0; r < numbers().rowCount(); ++r)
            n << numbers().item(r, 0)->text();
        return n;
    }
    // The colour in the middle of the picture shown.
    QColor shownColor() { return view().image().pixelColor(view().image().rect().center()); }
    QStringList storedNumbers(int kayno)
    {
        db::Query q(t.database());
        q.add(QStringLiteral("SELECT HARNO FROM TEXT WHERE KAYNO=:K ORDER BY HARNO"));
        q.bind(0, kayno);
        q.open();
        QStringList n;
        for (int r = 0; r < q.rowCount(); ++r)
            n << q.value(r, 0).toString();
        return n;
    }
    QString red() { return writeFile(QStringLiteral("kirmizi.jpg"), pictureFile("JPG", Qt::red)); }
    QString blue() { return writeFile(QStringLiteral("mavi.jpg"), pictureFile("JPG", Qt::blue)); }
    QString green()
    {
        return writeFile(QStringLiteral("yesil.jpg"), pictureFile("JPG", Qt::green));
    }
};

bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

TEST_F(Pictures, ADeletedNumberIsGivenAgainOnlyOnALaterVisit)
{
    PromptScript prompts;
    prompts.expectOpenFile(red()).expectOpenFile(blue()).expectOpenFile(green());
    openNew();
    EXPECT_EQ(entry.NextImageHarno(), 1);
    for (int i = 0; i < 3; ++i)
        button("btnEkle").click();
    EXPECT_EQ(shownNumbers(), (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(near(shownColor(), Qt::green));
    button("btnSil").click(); // the current one: number 3
    EXPECT_EQ(shownNumbers(), (QStringList{"1", "2"}));
    EXPECT_TRUE(near(shownColor(), Qt::blue));
    EXPECT_EQ(entry.NextImageHarno(), 4);
    button("btnKayit").click();
    EXPECT_EQ(storedNumbers(101), (QStringList{"1", "2"}));
    EXPECT_EQ(prompts.fileDialogs().value(0),
              QStringLiteral("|Jpeg (*.jpg);;Bitmaps (*.bmp);;All (*.bmp *.jpg)"));

    prompts.expectOpenFile(green());
    openEdit(101);
    EXPECT_EQ(shownNumbers(), (QStringList{"1", "2"}));
    EXPECT_TRUE(near(shownColor(), Qt::red)); // the first one
    EXPECT_EQ(entry.NextImageHarno(), 3);
    button("btnEkle").click();
    EXPECT_EQ(shownNumbers(), (QStringList{"1", "2", "3"}));
    numbers().setCurrentCell(1, 0);
    EXPECT_TRUE(near(shownColor(), Qt::blue));
    button("btnKayit").click();
    EXPECT_EQ(storedNumbers(101), (QStringList{"1", "2", "3"}));
}

TEST_F(Pictures, PicturesAddedToACancelledEntryLeaveNoRows)
{
    PromptScript prompts;
    prompts.expectOpenFile(red()).expectOpenFile(blue());
    openNew();
    button("btnEkle").click();
    button("btnEkle").click();
    button("btnVazgec").click();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TEXT")), 0);
}

TEST_F(Pictures, ReplacingKeepsTheNumberAndCancellingTakesTheChangesBack)
{
    addIncoming({.kayno = 10, .gelno = 1});
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,10,:M)"),
           {pictureFile("JPG", Qt::red)});
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(2,10,:M)"),
           {pictureFile("JPG", Qt::red)});
    t.database().commit();
    PromptScript prompts;
    prompts.expectOpenFile(blue()).expectOpenFile(blue());
    openEdit(10);
    button("btnDegis").click();
    EXPECT_TRUE(near(shownColor(), Qt::blue));
    button("btnSil").click(); // deletes number 1, shows number 2
    EXPECT_TRUE(near(shownColor(), Qt::red));
    button("btnVazgec").click();
    EXPECT_EQ(storedNumbers(10), (QStringList{"1", "2"}));

    openEdit(10);
    button("btnDegis").click();
    button("btnKayit").click();
    EXPECT_EQ(storedNumbers(10), (QStringList{"1", "2"}));
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT METIN FROM TEXT WHERE KAYNO=10 AND HARNO=1"));
    q.open();
    EXPECT_EQ(q.value(0, 0).toBytes(), pictureFile("JPG", Qt::blue));
}

TEST_F(Pictures, StoredPicturesShowWhateverTheirKindAndANewDocumentShowsNone)
{
    addIncoming({.kayno = 10, .gelno = 1});
    const std::pair<const char*, QColor> kinds[] = {
        {"BMP", Qt::blue}, {"PNG", Qt::green}, {"JPG", Qt::red}};
    int harno = 0;
    for (const auto& [format, color] : kinds)
        t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(:H,10,:M)"),
               {++harno, pictureFile(format, color)});
    t.database().commit();
    openEdit(10);
    for (int i = 0; i < 3; ++i) {
        numbers().setCurrentCell(i, 0);
        EXPECT_TRUE(near(shownColor(), kinds[i].second)) << kinds[i].first;
    }
    button("btnVazgec").click();
    openNew();
    EXPECT_EQ(numbers().rowCount(), 0);
    EXPECT_TRUE(view().image().isNull());
    button("btnSil").click();   // nothing to delete: nothing happens
    button("btnDegis").click(); // nothing to replace: no dialog
    button("btnVazgec").click();
}

TEST_F(Pictures, ADamagedStoredPageIsReportedAndTheBoxKeepsWhatItShowed)
{
    addIncoming({.kayno = 10, .gelno = 1, .konu = QStringLiteral("Hasarlı sayfa")});
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,10,:M)"),
           {QByteArray("\xff\xd8 kesik")});
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(2,10,:M)"),
           {pictureFile("PNG", Qt::blue)});
    t.database().commit();
    PromptScript prompts;
    prompts.expectMessage(testsupport::errorText(core::ErrorCause::NotAPicture));
    openEdit(10);
    EXPECT_EQ(child<QPlainTextEdit>(entry, "edtKonu").toPlainText(),
              QStringLiteral("Hasarlı sayfa"));
    EXPECT_TRUE(view().image().isNull());
    numbers().setCurrentCell(1, 0);
    EXPECT_TRUE(near(shownColor(), Qt::blue));
    prompts.expectMessage(testsupport::errorText(core::ErrorCause::NotAPicture));
    numbers().setCurrentCell(0, 0);
    EXPECT_TRUE(near(shownColor(), Qt::blue));
    button("btnVazgec").click();
}

TEST_F(Pictures, AFileThatIsNoPictureIsRefusedAndAddsNoRow)
{
    PromptScript prompts;
    prompts.expectOpenFile(writeFile(QStringLiteral("not.jpg"), "this is text"))
        .expectMessage(testsupport::errorText(core::ErrorCause::NotAPicture))
        .expectOpenFile(files.filePath(QStringLiteral("missing.jpg")))
        .expectMessage(testsupport::errorText(core::ErrorCause::NotAPicture))
        .expectOpenFile(QString()); // the dialog cancelled
    openNew();
    button("btnEkle").click();
    button("btnEkle").click();
    button("btnEkle").click();
    EXPECT_EQ(numbers().rowCount(), 0);
    EXPECT_EQ(entry.NextImageHarno(), 1);
    button("btnKayit").click();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TEXT")), 0);
}

TEST_F(Pictures, ADoubleClickEnlargesThePictureWhichSwitchesToItsNaturalSize)
{
    PromptScript prompts;
    prompts.expectOpenFile(red());
    prompts.expectModal(QStringLiteral("TFRMRESIM"), [](QDialog& d) {
        auto& big = child<registers::PictureView>(d, "imgResim");
        EXPECT_EQ(d.windowTitle(), QStringLiteral("RESİM"));
        EXPECT_TRUE(big.stretched());
        EXPECT_EQ(big.image().size(), QSize(60, 80));
        child<QPushButton>(d, "btnBoyut").click();
        EXPECT_FALSE(big.stretched());
        d.close();
    });
    openNew();
    button("btnEkle").click();
    button("btnBoyut").click();
    EXPECT_FALSE(view().stretched());
    QTest::mouseDClick(view().widget(), Qt::LeftButton);
    EXPECT_TRUE(entry.isVisible());
    button("btnKayit").click();
}

TEST_F(Pictures, PrintingAlwaysPreviewsAndTheEntryStaysAsItWas)
{
    const QString pdf = files.filePath(QStringLiteral("resim.pdf"));
    for (const QString& setting : {QStringLiteral("H"), QStringLiteral("E")}) {
        SCOPED_TRACE(setting.toStdString());
        QFile::remove(pdf);
        ctx.PreviewBeforePrint = setting;
        PromptScript prompts;
        prompts.expectOpenFile(red()).expectPrintDialog(false).expectPrintDialog(true, 1, pdf);
        openNew();
        button("btnEkle").click();
        type(child<QPlainTextEdit>(entry, "edtKonu"), QStringLiteral("Resimli evrak"));

        button("btnYazdir").click(); // the dialog cancelled: nothing
        EXPECT_EQ(entry.findChild<report::PreviewWindow*>(), nullptr);
        EXPECT_FALSE(QFile::exists(pdf));

        button("btnYazdir").click();
        auto* preview = entry.findChild<report::PreviewWindow*>();
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(preview->isVisible());
        EXPECT_FALSE(QFile::exists(pdf)); // previewed, not printed
        EXPECT_EQ(entry.pictureLayout().picture().size(), QSize(60, 80));
        child<QPushButton>(*preview, "btnYazdir").click();
        EXPECT_EQ(pdfPages(pdf), 1);
        EXPECT_EQ(pdfPageSize(pdf), QSize(595, 842)); // A4 portrait, in points
        preview->close();
        QApplication::processEvents();

        // Back on the entry: nothing was set up again.
        EXPECT_EQ(entry.EntryKayno, setting == QLatin1String("H") ? 101 : 102);
        EXPECT_EQ(child<QPlainTextEdit>(entry, "edtKonu").toPlainText(),
                  QStringLiteral("Resimli evrak"));
        EXPECT_EQ(numbers().rowCount(), 1);
        button("btnVazgec").click();
    }
}

} // namespace
