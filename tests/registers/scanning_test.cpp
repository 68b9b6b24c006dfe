// "Tara" on the incoming entry: pages scanned from the scanner interface's
// test device (no hardware) become pictures of the document as "Ekle" stores
// them, kept by saving and dropped by cancelling.

#include "registers_support.h"

#include "db/query.h"
#include "scanner/tfrmtara.h"
#include "support/promptscript.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace registerstest;
using testsupport::PromptScript;

namespace {

// How long the clerk waits at most for the scanner.
constexpr int ScannerWaitMs = 30000;

// The scanner interface reads the folder of its configuration once in a
// process: one folder for every test, naming only the test device.
const QTemporaryDir& saneConfiguration()
{
    static const QTemporaryDir dir = [] {
        QTemporaryDir d;
        QFile dll(d.filePath(QStringLiteral("dll.conf")));
        if (!dll.open(QIODevice::WriteOnly) || dll.write("test\n") != 5)
            ADD_FAILURE() << "no configuration for the scanner interface";
        qputenv("SANE_CONFIG_DIR", d.path().toUtf8());
        return d;
    }();
    return dir;
}

// The scanner interface sees only its test device, configured here; this
// workstation's settings start empty.
class Scanning : public Incoming {
protected:
    Scanning()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, files.filePath("conf"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, files.filePath("conf"));
        testDevice();
    }

    // The test device's settings, read at each use: a grid on every page,
    // and what the test adds.
    void testDevice(const QByteArray& extra = {})
    {
        QFile conf(saneConfiguration().filePath(QStringLiteral("test.conf")));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly | QIODevice::Truncate));
        conf.write("number_of_devices 2\ntest-picture \"Grid\"\n" + extra);
    }

    scanner::TFRMTARA& scan() { return entry.scanScreen(); }
    QPushButton& button(QWidget& screen, const char* name)
    {
        return child<QPushButton>(screen, name);
    }
    QComboBox& box(const char* name) { return child<QComboBox>(scan(), name); }
    QString status() { return child<QLabel>(scan(), "lblDurum").text(); }

    // The clerk waits for the devices, chooses one and the feeder.
    void choose(const QString& device, bool feeder)
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return scan().devicesListed(); }, ScannerWaitMs));
        QComboBox& devices = box("cmbCihaz");
        devices.setCurrentIndex(devices.findData(device));
        auto& adf = child<QCheckBox>(scan(), "chkBesleyici");
        ASSERT_TRUE(QTest::qWaitFor([&adf] { return adf.isEnabled(); }, ScannerWaitMs))
            << "the device has a feeder";
        adf.setChecked(feeder);
    }
    // "F5-Tara", then the clerk waits for the scan to end.
    void scanAndWait()
    {
        button(scan(), "btnBasla").click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !scan().scanning(); }, ScannerWaitMs));
    }

    QList<QByteArray> stored(int kayno)
    {
        db::Query q(t.database());
        q.add(QStringLiteral("SELECT METIN FROM TEXT WHERE KAYNO=:K ORDER BY HARNO"));
        q.bind(0, kayno);
        q.open();
        QList<QByteArray> pages;
        for (int r = 0; r < q.rowCount(); ++r)
            pages << q.value(r, 0).toBytes();
        return pages;
    }
};

TEST_F(Scanning, ThreePagesFromTheFlatbedAreThreePicturesKeptBySavingAndTheChoiceIsRemembered)
{
    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMTARA"), [this](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("TARA"));
        // The defaults of a workstation that never scanned.
        EXPECT_EQ(box("cmbCozunurluk").currentText(), QStringLiteral("200"));
        EXPECT_EQ(box("cmbRenk").currentText(), QStringLiteral("Gri"));
        choose(QStringLiteral("test:0"), false);
        EXPECT_EQ(box("cmbCihaz").currentText(), QStringLiteral("Noname frontend-tester (test:0)"));
        for (int page = 1; page <= 3; ++page) {
            scanAndWait();
            EXPECT_EQ(scan().pagesStored(), page);
            EXPECT_EQ(child<QTableWidget>(entry, "lstResim").rowCount(), page)
                << "the page shows behind the scanner screen as it comes";
        }
        EXPECT_EQ(status(), QStringLiteral("3 sayfa tarandı."));
        button(d, "btnCikis").click();
    });
    openNew();
    child<QPushButton>(entry, "btnTara").click();
    EXPECT_EQ(entry.NextImageHarno(), 4);
    child<QPushButton>(entry, "btnKayit").click();

    const QList<QByteArray> pages = stored(101);
    ASSERT_EQ(pages.size(), 3);
    for (const QByteArray& page : pages) {
        const QImage image = QImage::fromData(page);
        EXPECT_TRUE(page.startsWith("\xff\xd8\xff"));
        EXPECT_EQ(image.format(), QImage::Format_Grayscale8);
        // The test device's page of 80 x 100 mm at 200 dpi.
        EXPECT_EQ(image.size(), QSize(629, 787));
        EXPECT_EQ(qRound(image.dotsPerMeterX() * 0.0254), 200);
    }
    const core::ScannerChoice kept = core::settings::readScannerChoice();
    EXPECT_EQ(kept.device, QStringLiteral("test:0"));
    EXPECT_EQ(kept.resolution, 200);
    EXPECT_FALSE(kept.feeder);

    // The next opening offers the same choice, and a colour scan from the
    // feeder at 100 dpi reads every page in it (the test device's ten),
    // which a cancelled entry drops.
    prompts.expectModal(QStringLiteral("TFRMTARA"), [this](QDialog& d) {
        ASSERT_TRUE(QTest::qWaitFor([this] { return scan().devicesListed(); }, ScannerWaitMs));
        EXPECT_EQ(box("cmbCihaz").currentData().toString(), QStringLiteral("test:0"));
        choose(QStringLiteral("test:0"), true);
        box("cmbCozunurluk").setCurrentText(QStringLiteral("100"));
        box("cmbRenk").setCurrentText(QStringLiteral("Renkli"));
        scanAndWait();
        EXPECT_EQ(scan().pagesStored(), 10);
        d.reject(); // Esc
    });
    openNew();
    child<QPushButton>(entry, "btnTara").click();
    EXPECT_EQ(child<QTableWidget>(entry, "lstResim").rowCount(), 10);
    EXPECT_EQ(QImage::fromData(entry.pictures().pictures()[0].bytes).size(), QSize(314, 393));
    child<QPushButton>(entry, "btnVazgec").click();
    EXPECT_TRUE(stored(102).isEmpty());
    EXPECT_TRUE(core::settings::readScannerChoice().feeder);
}

TEST_F(Scanning, StoppingAfterTheFirstPageKeepsIt)
{
    // Slow pages, read 2 KB at a time: about half a second each.
    testDevice("read-limit true\nread-limit-size 2048\nread-delay true\n"
               "read-delay-duration 100000\n");
    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMTARA"), [this](QDialog& d) {
        choose(QStringLiteral("test:0"), true);
        box("cmbCozunurluk").setCurrentText(QStringLiteral("75"));
        button(d, "btnBasla").click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return scan().pagesStored() == 1; }, ScannerWaitMs));
        // The screen is live while the device reads: the progress moves.
        auto& bar = child<QProgressBar>(scan(), "prgSayfa");
        ASSERT_TRUE(QTest::qWaitFor([&bar] { return bar.value() > 0 && bar.value() < 100; },
                                    ScannerWaitMs));
        EXPECT_TRUE(button(d, "btnDurdur").isEnabled());
        EXPECT_FALSE(button(d, "btnBasla").isEnabled());
        QTest::keyClick(&d, Qt::Key_F6);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !scan().scanning(); }, ScannerWaitMs));
        EXPECT_EQ(status(), QStringLiteral("Durduruldu; 1 sayfa tarandı."));
        button(d, "btnCikis").click();
    });
    openNew();
    child<QPushButton>(entry, "btnTara").click();
    child<QPushButton>(entry, "btnKayit").click();
    EXPECT_EQ(stored(101).size(), 1);
}

TEST_F(Scanning, APageThatCannotBeCompressedStopsTheScanAndKeepsThePagesBefore)
{
    testDevice("read-limit true\nread-limit-size 2048\nread-delay true\n"
               "read-delay-duration 100000\n");
    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMTARA"), [this, &prompts](QDialog& d) {
        choose(QStringLiteral("test:0"), true);
        box("cmbCozunurluk").setCurrentText(QStringLiteral("75"));
        button(d, "btnBasla").click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return scan().pagesStored() == 1; }, ScannerWaitMs));
        prompts.expectMessage(scanner::PageNotCompressed);
        scan().storePage(QByteArray());
        ASSERT_TRUE(QTest::qWaitFor([this] { return !scan().scanning(); }, ScannerWaitMs));
        EXPECT_EQ(scan().pagesStored(), 1);
        button(d, "btnCikis").click();
    });
    openNew();
    child<QPushButton>(entry, "btnTara").click();
    prompts.verify();
    child<QPushButton>(entry, "btnKayit").click();
    EXPECT_EQ(stored(101).size(), 1);
}

TEST_F(Scanning, AMissingOrJammedScannerSaysSoAndStoresNothing)
{
    // The device used last time is not connected any more.
    core::ScannerChoice last;
    last.device = QStringLiteral("test:9");
    core::settings::storeScannerChoice(last);
    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMTARA"), [this](QDialog& d) {
        ASSERT_TRUE(QTest::qWaitFor([this] { return scan().devicesListed(); }, ScannerWaitMs));
        EXPECT_EQ(box("cmbCihaz").currentData().toString(), QStringLiteral("test:9"));
        scanAndWait();
        button(d, "btnCikis").click();
    });
    prompts.expectMessage(QStringLiteral("DİKKAT! \"test:9\" tarayıcısı bulunamadı. Tarayıcının "
                                         "bağlı ve açık olduğunu denetleyin."));
    openNew();
    child<QPushButton>(entry, "btnTara").click();
    EXPECT_EQ(entry.pictures().count(), 0);

    testDevice("read-status-code \"SANE_STATUS_JAMMED\"\n");
    prompts.expectModal(QStringLiteral("TFRMTARA"), [this](QDialog& d) {
        choose(QStringLiteral("test:1"), false);
        scanAndWait();
        button(d, "btnCikis").click();
    });
    prompts.expectMessage(QStringLiteral("DİKKAT! Tarayıcıda kağıt sıkıştı. Sıkışan kağıdı alıp "
                                         "kalan sayfaları yeniden taratın."));
    child<QPushButton>(entry, "btnTara").click();

    // A fault the device has no particular word for: said in Turkish, the
    // device's own text under it.
    testDevice("read-status-code \"SANE_STATUS_IO_ERROR\"\n");
    prompts.expectModal(QStringLiteral("TFRMTARA"), [this](QDialog& d) {
        choose(QStringLiteral("test:1"), false);
        scanAndWait();
        EXPECT_EQ(status(), QStringLiteral("DİKKAT! Tarayıcıyla iletişim kesildi ya da sayfa "
                                           "bozuk geldi. Tarayıcının kablosunu ve açık olduğunu "
                                           "denetleyip yeniden taratın."));
        button(d, "btnCikis").click();
    });
    prompts.expectMessage(QStringLiteral("DİKKAT! Tarayıcıyla iletişim kesildi ya da sayfa bozuk "
                                         "geldi. Tarayıcının kablosunu ve açık olduğunu "
                                         "denetleyip yeniden taratın.\nAyrıntılar: Error during "
                                         "device I/O"));
    child<QPushButton>(entry, "btnTara").click();
    child<QPushButton>(entry, "btnKayit").click();
    EXPECT_TRUE(stored(101).isEmpty());
}

} // namespace
