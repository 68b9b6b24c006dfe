// The picture area of the incoming entry: adding, replacing, deleting,
// browsing, enlarging and printing the scanned pages.

#include "registers_support.h"
#include "support/pdfpages.h"

#include "db/query.h"
#include "registers/picturefiles.h"
#include "registers/pictureview.h"
#include "report/printrule.h"
#include "support/promptscript.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

using namespace registerstest;
using testsupport::PromptScript;

namespace {

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

// An A4 PDF, one page per colour, as a scanner's program writes it.
QByteArray pdfFile(const QList<QColor>& pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(72);
        QPainter painter(&pdf);
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0)
                pdf.newPage();
            painter.fillRect(QRect(0, 0, 595, 842), pages[i]);
        }
    }
    return bytes;
}

// A TIFF of several uncompressed 8-bit grey pages, one per grey level.
QByteArray tiffFile(const QList<int>& greys, const QSize& size = QSize(40, 50))
{
    QByteArray out("II*\0", 4);
    auto u16 = [&out](quint16 v) { out.append(char(v & 0xff)).append(char(v >> 8)); };
    auto u32 = [&out](quint32 v) {
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xff));
    };
    const quint32 pixels = size.width() * size.height();
    const quint32 ifdSize = 2 + 9 * 12 + 4;
    u32(8);
    for (int page = 0; page < greys.size(); ++page) {
        const quint32 ifd = quint32(out.size());
        const quint32 strip = ifd + ifdSize;
        const bool last = page == greys.size() - 1;
        u16(9);
        auto entry = [&](quint16 tag, quint16 type, quint32 value) {
            u16(tag);
            u16(type);
            u32(1);
            u32(value);
        };
        entry(256, 3, size.width());
        entry(257, 3, size.height());
        entry(258, 3, 8);     // bits per sample
        entry(259, 3, 1);     // no compression
        entry(262, 3, 1);     // black is zero
        entry(273, 4, strip); // where the pixels are
        entry(277, 3, 1);     // one sample a pixel
        entry(278, 3, size.height());
        entry(279, 4, pixels);
        u32(last ? 0 : strip + pixels);
        out.append(QByteArray(int(pixels), char(greys[page])));
    }
    return out;
}

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
    EXPECT_EQ(prompts.fileDialogs().value(0), QLatin1Char('|') + registers::PictureFileFilter);

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
        .expectMessage(QStringLiteral("DİKKAT! \"not.jpg\" dosyası eklenemedi: JPEG, PNG, BMP, "
                                      "TIFF ya da PDF dosyası değil."))
        .expectOpenFile(files.filePath(QStringLiteral("missing.jpg")))
        .expectMessage(QStringLiteral("DİKKAT! \"missing.jpg\" dosyası okunamadı."))
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
        EXPECT_EQ(testsupport::pdfPageCount(pdf), 1);
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

TEST_F(Pictures, FilesChosenAtOnceBecomePagesInTheOrderChosen)
{
    const QColor grey[] = {QColor(20, 20, 20), QColor(70, 70, 70), QColor(120, 120, 120),
                           QColor(170, 170, 170), QColor(220, 220, 220)};
    const QString tiff = writeFile(QStringLiteral("tarama.TIF"), tiffFile({170, 220}));
    const QString pdf =
        writeFile(QStringLiteral("dilekce.pdf"), pdfFile({grey[0], grey[1], grey[2]}));
    const QString png = writeFile(QStringLiteral("ek.png"), pictureFile("PNG", Qt::blue));
    const QString jpeg = writeFile(QStringLiteral("ek.jpeg"), pictureFile("JPG", Qt::red));
    PromptScript prompts;
    prompts.expectOpenFiles({pdf, tiff, png, jpeg});
    openNew();
    button("btnEkle").click();
    EXPECT_EQ(shownNumbers(), (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_TRUE(near(shownColor(), Qt::red)); // the last one added
    const QColor expected[] = {grey[0], grey[1], grey[2], grey[3], grey[4], Qt::blue, Qt::red};
    for (int i = 0; i < 7; ++i) {
        numbers().setCurrentCell(i, 0);
        EXPECT_TRUE(near(shownColor(), expected[i])) << "page " << i + 1;
    }
    button("btnKayit").click();

    db::Query q(t.database());
    q.add(QStringLiteral("SELECT HARNO,METIN FROM TEXT WHERE KAYNO=101 ORDER BY HARNO"));
    q.open();
    ASSERT_EQ(q.rowCount(), 7);
    // The pages of the PDF and the TIFF are stored as grey JPEG pictures,
    // a PDF page at the scanning resolution; the picture files as read.
    for (int r = 0; r < 5; ++r) {
        const QByteArray bytes = q.value(r, 1).toBytes();
        EXPECT_TRUE(bytes.startsWith("\xff\xd8\xff")) << "page " << r + 1;
        EXPECT_EQ(QImage::fromData(bytes).format(), QImage::Format_Grayscale8);
    }
    const QSize a4 = QImage::fromData(q.value(0, 1).toBytes()).size(); // 8.27 x 11.69 in
    EXPECT_NEAR(a4.width(), 1654, 1);
    EXPECT_NEAR(a4.height(), 2339, 1);
    EXPECT_EQ(QImage::fromData(q.value(3, 1).toBytes()).size(), QSize(40, 50));
    EXPECT_EQ(q.value(5, 1).toBytes(), pictureFile("PNG", Qt::blue));
    EXPECT_EQ(q.value(6, 1).toBytes(), pictureFile("JPG", Qt::red));
}

TEST_F(Pictures, ARefusedFileAmongSeveralAddsNothingAndTheOthersGoIn)
{
    const QString good = writeFile(QStringLiteral("iyi.png"), pictureFile("PNG", Qt::blue));
    const QString damaged =
        writeFile(QStringLiteral("bozuk.pdf"), "%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages");
    QByteArray cut = pdfFile({Qt::red, Qt::green});
    cut.truncate(cut.size() / 3);
    const QString truncated = writeFile(QStringLiteral("kesik.pdf"), cut);
    const QString gif = writeFile(QStringLiteral("resim.gif"), pictureFile("GIF", Qt::red));
    const QString text = writeFile(QStringLiteral("not.txt"), "Sayın ilgili,");
    PromptScript prompts;
    prompts.expectOpenFiles({damaged, good, truncated, gif, text})
        .expectMessage(QStringLiteral("DİKKAT! \"bozuk.pdf\" dosyası eklenemedi: dosya bozuk ya "
                                      "da okunamıyor."))
        .expectMessage(QStringLiteral("DİKKAT! \"kesik.pdf\" dosyası eklenemedi: dosya bozuk ya "
                                      "da okunamıyor."))
        .expectMessage(QStringLiteral("DİKKAT! \"resim.gif\" dosyası eklenemedi: JPEG, PNG, BMP, "
                                      "TIFF ya da PDF dosyası değil."))
        .expectMessage(QStringLiteral("DİKKAT! \"not.txt\" dosyası eklenemedi: JPEG, PNG, BMP, "
                                      "TIFF ya da PDF dosyası değil."));
    openNew();
    button("btnEkle").click();
    EXPECT_EQ(shownNumbers(), (QStringList{"1"}));
    EXPECT_TRUE(near(shownColor(), Qt::blue));
    EXPECT_EQ(entry.NextImageHarno(), 2);
    button("btnKayit").click();
    EXPECT_EQ(storedNumbers(101), (QStringList{"1"}));
}

TEST_F(Pictures, APageIsReplacedByAOnePageFileButNotByOneOfSeveral)
{
    PromptScript prompts;
    prompts.expectOpenFile(red())
        .expectOpenFile(writeFile(QStringLiteral("iki.pdf"), pdfFile({Qt::blue, Qt::green})))
        .expectMessage(QStringLiteral("DİKKAT! \"iki.pdf\" dosyasında 2 sayfa var; bir resim "
                                      "yalnız tek sayfa ile değiştirilebilir."))
        .expectOpenFile(writeFile(QStringLiteral("bir.tiff"), tiffFile({70})));
    openNew();
    button("btnEkle").click();
    button("btnDegis").click();
    EXPECT_TRUE(near(shownColor(), Qt::red));
    button("btnDegis").click();
    EXPECT_TRUE(near(shownColor(), QColor(70, 70, 70)));
    EXPECT_EQ(shownNumbers(), (QStringList{"1"}));
    button("btnKayit").click();
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT METIN FROM TEXT WHERE KAYNO=101 AND HARNO=1"));
    q.open();
    EXPECT_EQ(QImage::fromData(q.value(0, 0).toBytes()).size(), QSize(40, 50));
}

} // namespace
