#include "refdata_support.h"

#include "core/appcontext.h"
#include "db/query.h"
#include "refdata/generaldefinitions.h"
#include "refdata/tfrmgentan.h"
#include "support/promptscript.h"
#include "support/testdb.h"
#include "widgets/codewordcombo.h"

#include <QBuffer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

using refdatatest::showActive;
using testsupport::PromptScript;
using testsupport::TempDatabase;

namespace {

class GeneralDefinitions : public testing::Test {
protected:
    void SetUp() override { ctx.WorkingYear = QStringLiteral("2026"); }

    template <class T> T* widget(const char* name)
    {
        T* w = screen.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void press(const char* button) { widget<QPushButton>(button)->click(); }
    void retype(const char* box, const QString& text)
    {
        auto* edit = widget<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        refdatatest::typeText(edit, text);
    }

    // A picture file of the given format in the test's folder; its bytes.
    QByteArray pictureFile(const QString& name, const char* format, QColor color)
    {
        QImage image(24, 16, QImage::Format_RGB32);
        image.fill(color);
        const QString path = db.folder() + QLatin1Char('/') + name;
        EXPECT_TRUE(image.save(path, format));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    QString path(const QString& name) { return db.folder() + QLatin1Char('/') + name; }

    QByteArray storedLogo()
    {
        db::Query q(db.database());
        q.add(QStringLiteral("SELECT LOGO FROM TANIM"));
        q.open();
        return q.value(0, 0).toBytes();
    }

    TempDatabase db;
    core::AppContext ctx;
    refdata::TFRMGENTAN screen{db.dm(), ctx};
};

TEST_F(GeneralDefinitions, OpensOnTheGeneralPageWithTheRowAndTheWorkingYear)
{
    db.exec(
        QStringLiteral("UPDATE TANIM SET KURUM='Karaçay Belediyesi',RNK='M',ONIZ='H',BASLIK=:B"),
        {QStringLiteral("T.C.\nKARAÇAY BELEDİYESİ")});
    showActive(screen);
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("GENEL TANIMLAR"));
    EXPECT_EQ(widget<QTabWidget>("pgcTanim")->currentWidget()->objectName(),
              QStringLiteral("tabGenel"));
    EXPECT_EQ(QApplication::focusWidget(), widget<QLineEdit>("edtKurum"));
    EXPECT_EQ(widget<QLineEdit>("edtKurum")->text(), QStringLiteral("Karaçay Belediyesi"));
    EXPECT_EQ(widget<QLineEdit>("edtYil")->text(), QStringLiteral("2026"));
    EXPECT_EQ(widget<QComboBox>("cmbRenk")->currentText(), QStringLiteral("Mavi"));
    EXPECT_EQ(widget<QComboBox>("cmbOnizleme")->currentText(), QStringLiteral("Hayır"));
    EXPECT_EQ(widget<QTextEdit>("edtBaslik")->toPlainText(),
              QStringLiteral("T.C.\nKARAÇAY BELEDİYESİ"));
    EXPECT_EQ(widget<QTextEdit>("edtBaslik")->alignment(), Qt::AlignHCenter);
    screen.close();
    EXPECT_TRUE(screen.isVisible()); // refused silently
    QTest::keyClick(&screen, Qt::Key_F6);
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(GeneralDefinitions, StoresTheLetterOfTheChosenWordAndCommits)
{
    showActive(screen);
    retype("edtKurum", QStringLiteral("Karaçay Belediyesi"));
    retype("edtSube", QStringLiteral("Yazı İşleri"));
    widget<widgets::CodeWordCombo>("cmbRenk")->setCurrentText(QStringLiteral("Turuncu"));
    widget<widgets::CodeWordCombo>("cmbOnizleme")->setCurrentText(QStringLiteral("Hayır"));
    QTest::keyClick(&screen, Qt::Key_F5);
    EXPECT_FALSE(screen.isVisible());

    const auto other = db.openSecond(); // committed: another workstation sees it
    db::Query q(*other);
    q.add(QStringLiteral("SELECT KURUM,SUBE,RNK,ONIZ FROM TANIM"));
    q.open();
    EXPECT_EQ(q.value(0, 0).toString(), QStringLiteral("Karaçay Belediyesi"));
    EXPECT_EQ(q.value(0, 1).toString(), QStringLiteral("Yazı İşleri"));
    EXPECT_EQ(q.value(0, 2).toString(), QStringLiteral("T"));
    EXPECT_EQ(q.value(0, 3).toString(), QStringLiteral("H"));
    q.close();
    other->close();

    showActive(screen);
    EXPECT_EQ(widget<QComboBox>("cmbRenk")->currentText(), QStringLiteral("Turuncu"));
    press("btnIptal");
}

TEST_F(GeneralDefinitions, ShowsAnUnknownColourEmptyAndKeepsIt)
{
    db.exec(QStringLiteral("UPDATE TANIM SET RNK='X'"));
    showActive(screen);
    EXPECT_EQ(widget<QComboBox>("cmbRenk")->currentText(), QString());
    retype("edtKurum", QStringLiteral("Yeni Ad"));
    press("btnKayit");
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT RNK||'/'||KURUM FROM TANIM")),
              QStringLiteral("X/Yeni Ad"));
}

TEST_F(GeneralDefinitions, CancelDropsWhatWasTypedAndKeepsTheWorkingYear)
{
    showActive(screen);
    retype("edtKurum", QStringLiteral("Vazgeçilen"));
    retype("edtYil", QStringLiteral("2027"));
    QTest::keyClick(&screen, Qt::Key_F6);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(ctx.WorkingYear, QStringLiteral("2026"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT KURUM FROM TANIM")), QString());
}

// A year of four digits is taken by "F5-Kayıt"; anything else is refused
// and the screen stays open.
struct YearCase {
    const char* typed;
    bool accepted;
};

void PrintTo(const YearCase& c, std::ostream* os)
{
    *os << '"' << c.typed << '"';
}

class WorkingYear : public GeneralDefinitions, public testing::WithParamInterface<YearCase> {};

INSTANTIATE_TEST_SUITE_P(GeneralDefinitions, WorkingYear,
                         testing::Values(YearCase{"2027", true}, YearCase{" 2027 ", true},
                                         YearCase{"20271", false}, YearCase{"27", false},
                                         YearCase{"", false}, YearCase{"2O27", false}));

TEST_P(WorkingYear, IsTakenOnlyWithFourDigits)
{
    PromptScript prompts;
    if (!GetParam().accepted)
        prompts.expectMessage(refdata::WorkingYearRefused);
    showActive(screen);
    retype("edtKurum", QStringLiteral("Yazılan"));
    retype("edtYil", QString::fromLatin1(GetParam().typed));
    press("btnKayit");
    prompts.verify();
    EXPECT_EQ(screen.isVisible(), !GetParam().accepted);
    EXPECT_EQ(ctx.WorkingYear,
              GetParam().accepted ? QStringLiteral("2027") : QStringLiteral("2026"));
    db.dm().FDTransaction1.rollback();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT KURUM FROM TANIM")),
              GetParam().accepted ? QStringLiteral("Yazılan") : QString());
    if (screen.isVisible())
        press("btnIptal");
}

TEST_F(GeneralDefinitions, RemovesTheEmblemOnlyWithSave)
{
    const QByteArray bmp = pictureFile(QStringLiteral("amblem.bmp"), "BMP", Qt::red);
    db.exec(QStringLiteral("UPDATE TANIM SET LOGO=:L"), {bmp});
    showActive(screen);
    EXPECT_FALSE(widget<QLabel>("imgAmblem")->pixmap().isNull());
    press("btnSil");
    EXPECT_TRUE(widget<QLabel>("imgAmblem")->pixmap().isNull());
    press("btnIptal");
    EXPECT_EQ(storedLogo(), bmp);

    showActive(screen);
    EXPECT_FALSE(widget<QLabel>("imgAmblem")->pixmap().isNull());
    press("btnSil");
    press("btnKayit");
    EXPECT_TRUE(storedLogo().isEmpty());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM TANIM WHERE LOGO IS NULL")),
              QStringLiteral("1"));
}

TEST_F(GeneralDefinitions, WritesAnAddedEmblemAtOnceSoCancelKeepsIt)
{
    const QByteArray png = pictureFile(QStringLiteral("amblem.png"), "PNG", Qt::blue);
    PromptScript prompts;
    prompts.expectOpenFile(path(QStringLiteral("amblem.png")));
    showActive(screen);
    retype("edtKurum", QStringLiteral("Vazgeçilen"));
    widget<QTabWidget>("pgcTanim")->setCurrentIndex(1);
    press("btnEkle");
    EXPECT_EQ(prompts.fileDialogs(),
              QStringList{QStringLiteral("Kurum Amblemi|") + refdata::EmblemFilter});
    EXPECT_FALSE(widget<QLabel>("imgAmblem")->pixmap().isNull());
    press("btnIptal");
    EXPECT_EQ(storedLogo(), png); // the file's own bytes
    EXPECT_EQ(refdata::emblemImage(storedLogo()).pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT KURUM FROM TANIM")),
              QString()); // only the emblem was written

    // Committed on the way out, so the row holds no lock against the other
    // workstations' saving and a later rollback does not drop it.
    db.dm().FDTransaction1.rollback();
    EXPECT_EQ(storedLogo(), png);
}

TEST_F(GeneralDefinitions, LeavesTheEmblemAloneWhenTheDialogIsCancelledOrTheFileIsNoPicture)
{
    const QByteArray jpeg = pictureFile(QStringLiteral("eski.jpg"), "JPEG", Qt::green);
    db.exec(QStringLiteral("UPDATE TANIM SET LOGO=:L"), {jpeg});
    QFile bad(path(QStringLiteral("bozuk.bmp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no picture here");
    bad.close();

    PromptScript prompts;
    prompts.expectOpenFile(QString())
        .expectOpenFile(path(QStringLiteral("bozuk.bmp")))
        .expectMessage(testsupport::errorText(core::ErrorCause::NotAPicture));
    showActive(screen);
    press("btnEkle");
    press("btnEkle");
    EXPECT_TRUE(screen.isVisible());
    press("btnKayit");
    EXPECT_EQ(storedLogo(), jpeg);
}

TEST(GeneralDefinitionsOnTwoWorkstations, ARowTheOtherHoldsEndsInAMessageAndASecondF5Saves)
{
    // Clerk B adds an emblem and leaves the screen open; clerk A saves.
    TempDatabase file;
    file.database().close();
    const QString name = testsupport::testServer() + QLatin1Char(':') + file.path();
    core::TDM a, b;
    a.IBDATABASE.open(name);
    b.IBDATABASE.open(name);
    core::AppContext ctxA, ctxB;
    ctxA.WorkingYear = ctxB.WorkingYear = QStringLiteral("2026");
    refdata::TFRMGENTAN screenA{a, ctxA};
    refdata::TFRMGENTAN screenB{b, ctxB};
    QImage emblem(24, 16, QImage::Format_RGB32);
    emblem.fill(Qt::red);
    const QString emblemFile = file.folder() + QStringLiteral("/amblem.bmp");
    ASSERT_TRUE(emblem.save(emblemFile, "BMP"));

    PromptScript prompts;
    prompts.expectOpenFile(emblemFile);
    showActive(screenB);
    screenB.findChild<QPushButton*>(QStringLiteral("btnEkle"))->click();

    showActive(screenA);
    auto* kurum = screenA.findChild<QLineEdit*>(QStringLiteral("edtKurum"));
    kurum->setText(QStringLiteral("KARAÇAY BELEDİYESİ"));
    auto* save = screenA.findChild<QPushButton*>(QStringLiteral("btnKayit"));
    prompts.expectMessage(testsupport::errorText(core::ErrorCause::RecordInUse));
    {
        testsupport::Rescue rescue(b.IBDATABASE);
        save->click();
        EXPECT_FALSE(rescue.finish()) << "A waited until B gave up";
    }
    // Nothing typed is lost and F5 can be pressed again.
    EXPECT_TRUE(screenA.isVisible());
    EXPECT_EQ(kurum->text(), QStringLiteral("KARAÇAY BELEDİYESİ"));

    screenB.findChild<QPushButton*>(QStringLiteral("btnIptal"))->click(); // B leaves
    save->click();
    EXPECT_FALSE(screenA.isVisible());
    prompts.verify();
    db::Query q(b.IBDATABASE);
    q.openLines({QStringLiteral("SELECT KURUM FROM TANIM")});
    EXPECT_EQ(q.value(0, 0).toString(), QStringLiteral("KARAÇAY BELEDİYESİ"));
}

TEST(EmblemOfTheMainWindow, IsReadFromTheRowAndDecodedByContent)
{
    TempDatabase db;
    EXPECT_TRUE(refdata::readEmblem(db.dm().QRSORGU).isEmpty());
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    QByteArray ico;
    QBuffer buffer(&ico);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "ICO"));
    db.exec(QStringLiteral("UPDATE TANIM SET LOGO=:L"), {ico});
    const QImage shown = refdata::emblemImage(refdata::readEmblem(db.dm().QRSORGU));
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(4, 4), QColor(Qt::yellow));
}

TEST_F(GeneralDefinitions, TakesALongInstitutionNameAndRefusesWhatTheFileCannotHold)
{
    const QString name = QStringLiteral("T.C. Çevre, Şehircilik ve İklim Değişikliği Bakanlığı "
                                        "Karaçay İlçe Müdürlüğü Yazı İşleri Birimi");
    ASSERT_GT(name.size(), 80);
    PromptScript prompts;
    showActive(screen);
    retype("edtKurum", name);
    retype("edtSube", QStringLiteral("Yazı İşleri Ж"));
    prompts.expectMessage(QStringLiteral("DİKKAT! Birim Adı Alanındaki Şu Karakterler "
                                         "Kaydedilemez: Ж\nBu Karakterleri Silip Yeniden "
                                         "Kaydediniz.."));
    press("btnKayit");
    prompts.verify();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), widget<QLineEdit>("edtSube"));
    EXPECT_EQ(widget<QLineEdit>("edtKurum")->text(), name);

    retype("edtSube", QStringLiteral("Yazı İşleri"));
    press("btnKayit");
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT KURUM FROM TANIM")), name);
}

} // namespace
