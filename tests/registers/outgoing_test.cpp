// The outgoing and petition registers, driven as a clerk drives them.

#include "registers_support.h"

#include "db/query.h"
#include "registers/links.h"
#include "support/promptscript.h"
#include "widgets/datebox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace registerstest;
using registers::EntryMode;
using testsupport::PromptScript;

namespace {

class Outgoing : public AllRegisters {
protected:
    QString label(QWidget& screen, const char* name) { return child<QLabel>(screen, name).text(); }
    // The clerk chooses the row of the key in a picker that opens.
    static std::function<void(QDialog&)> pick(int kayno)
    {
        return [kayno](QDialog& d) {
            auto& picker = static_cast<lists::DocumentPicker&>(d);
            ASSERT_TRUE(picker.list().locate(QStringLiteral("KAYNO"), kayno));
            child<QPushButton>(d, "btnSec").click();
        };
    }
    void trigger(QWidget& screen, const char* action) { child<QAction>(screen, action).trigger(); }
};

TEST_F(Outgoing, ANewDocumentSavedWithoutItsLetterStoresAnEmptyLetterRow)
{
    ctx.UserDeptCode = 5;
    open(giden, EntryMode::New);
    EXPECT_EQ(giden.windowTitle(), QStringLiteral("GİDEN EVRAK BİLGİLERİ"));
    EXPECT_EQ(giden.EntryKayno, 101);
    EXPECT_EQ(label(giden, "lblKayno"), QStringLiteral("101"));
    // The tied clerk's department sends it, with its signatory as sender.
    EXPECT_EQ(child<QComboBox>(giden, "cmbBirim").currentText(),
              QStringLiteral("Fen İşleri Müdürlüğü"));
    EXPECT_EQ(child<QLineEdit>(giden, "edtTesadi").text(), QStringLiteral("Mehmet Kaya"));
    type(child<QPlainTextEdit>(giden, "edtKonu"), QStringLiteral("Yol yapım ihalesi"));
    type(child<QPlainTextEdit>(giden, "edtBirimAdi"), QStringLiteral("Destek Hizmetleri"));
    type(child<QLineEdit>(giden, "edtDosya"), QStringLiteral("Dosyasına"));
    QTest::keyClick(&giden, Qt::Key_F5);
    EXPECT_FALSE(giden.isVisible());

    EXPECT_EQ(row(QStringLiteral("GIDEN"), 101,
                  QStringLiteral("GIDNO,GIDTAR,BKOD,BSIRNO,GSIRNO,TESADI,TESGOR,KONU,BIRIM,DOSYA,"
                                 "ZDUR,GIZDER,CEVDUR,CEVNO,ILGNO,ILGDUR")),
              (QStringList{"1", "14.03.2026", "5", "1", "1", "Mehmet Kaya", "Fen Müdürü",
                           "Yol yapım ihalesi", "Destek Hizmetleri", "Dosyasına", "İ", "Ö", "H",
                           "0", "0", "<null>"}));
    EXPECT_EQ(
        row(QStringLiteral("TEXT"), 101, QStringLiteral("HARNO,COALESCE(OCTET_LENGTH(METIN),0)")),
        (QStringList{"1", "0"}));

    // The incoming register draws its keys from the same generator.
    openNew();
    EXPECT_EQ(entry.EntryKayno, 102);
    QTest::keyClick(&entry, Qt::Key_F6);
}

// The letter row as the entry holds it: a template merged with the values
// on the screen, shown read-only, stored with "F5-Kayıt", dropped with
// "F6-Vazgeç", printed as it stands.
TEST_F(Outgoing, TheLetterIsWrittenFromATemplateAndGoesWithTheDocument)
{
    t.exec(QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN) VALUES(1,'Cevap',:M)"),
           {QByteArray("{\\rtf1\\ansi\\ansicpg1254 Say\\'fd: [SAYI]\\par Konu: [konu]\\par "
                       "Tarih: [Tarih]\\par}")});
    t.database().commit();
    QTemporaryDir dir;
    PromptScript prompts;
    open(giden, EntryMode::New);
    type(child<QLineEdit>(giden, "edtEvsay"), QStringLiteral("E-751-12"));
    type(child<QPlainTextEdit>(giden, "edtKonu"), QStringLiteral("Su hattı arızası"));
    auto& evtar = child<widgets::DateBox>(giden, "edtEvtar");
    evtar.setCursorPosition(0);
    type(evtar, QStringLiteral("13032026"));
    prompts.expectModal(QStringLiteral("TFRMTEXT1"), [this](QDialog& d) {
        const QList<QAction*> templates = letterEditor.templateMenu().actions();
        ASSERT_EQ(templates.size(), 1);
        templates.first()->trigger();
        child<QPushButton>(d, "btnCikis").click();
    });
    child<QPushButton>(giden, "btnMetin").click();
    const QString merged =
        QStringLiteral("Sayı: E-751-12\nKonu: Su hattı arızası\nTarih: 13.03.2026");
    EXPECT_EQ(child<QTextEdit>(giden, "txtMetin").toPlainText(), merged);

    // Printed unsaved, as it stands, through the layout's printer set-up.
    ctx.PreviewBeforePrint = QStringLiteral("H");
    prompts.expectPrintDialog(true, 1, dir.filePath(QStringLiteral("yazi.pdf")));
    child<QPushButton>(giden, "btnYazdir").click();
    EXPECT_EQ(letterLayout.letter(), giden.letter().text());

    // Cancelled: neither the document nor its letter stays.
    QTest::keyClick(&giden, Qt::Key_F6);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TEXT")), 0);

    // Saved: the letter with it; opened again, the same letter shows.
    open(giden, EntryMode::New);
    prompts.expectModal(QStringLiteral("TFRMTEXT1"), [this](QDialog& d) {
        letterEditor.templateMenu().actions().first()->trigger();
        child<QPushButton>(d, "btnCikis").click();
    });
    doubleClick(child<QTextEdit>(giden, "txtMetin"));
    const int kayno = giden.EntryKayno;
    QTest::keyClick(&giden, Qt::Key_F5);
    EXPECT_EQ(
        count(QStringLiteral("SELECT COUNT(*) FROM TEXT WHERE KAYNO=:K AND HARNO=1"), {kayno}), 1);
    open(giden, EntryMode::Edit, kayno);
    EXPECT_EQ(child<QTextEdit>(giden, "txtMetin").toPlainText(),
              QStringLiteral("Sayı: \nKonu: \nTarih: "));
    QTest::keyClick(&giden, Qt::Key_F6);
}

TEST_F(Outgoing, ATypedNumberIsStoredAsTypedAndADoubleClickFillsTheSender)
{
    addOutgoing(20, 7, QStringLiteral("Önceki"));
    open(giden, EntryMode::New);
    auto& gidno = child<QLineEdit>(giden, "edtGidno");
    EXPECT_EQ(gidno.focusPolicy(), Qt::ClickFocus); // skipped by Tab
    type(gidno, QStringLiteral("7"));
    choose(child<QComboBox>(giden, "cmbBirim"), QStringLiteral("Zabıta Müdürlüğü"));
    clearField(child<QLineEdit>(giden, "edtTesadi"));
    clearField(child<QLineEdit>(giden, "edtTesgor"));
    doubleClick(child<QLineEdit>(giden, "edtTesgor"));
    EXPECT_EQ(child<QLineEdit>(giden, "edtTesadi").text(), QStringLiteral("Hasan Çelik"));
    // Tied to no column: always empty.
    EXPECT_EQ(child<QLineEdit>(giden, "edtBsirno").text(), QString());
    child<QPushButton>(giden, "btnKayit").click();
    EXPECT_EQ(row(QStringLiteral("GIDEN"), 101, QStringLiteral("GIDNO,TESADI,TESGOR")),
              (QStringList{"7", "Hasan Çelik", "Zabıta Amiri"}));
}

TEST_F(Outgoing, TheAnswerIsAnIncomingDocumentOrAPetitionNeverConfusedByTheirKeys)
{
    // An incoming document and a petition with the same key 7.
    addIncoming({.kayno = 7,
                 .gelno = 70,
                 .cevdur = QStringLiteral("E"),
                 .konu = QStringLiteral("Gelen yedi")});
    addPetition(7, 3, QStringLiteral("Zeynep Şahin"));
    PromptScript prompts;
    open(giden, EntryMode::New);
    EXPECT_EQ(child<QAction>(giden, "actDilekceCevabi").text(), QStringLiteral("Dilekçe Cevabı"));
    prompts.expectModal(QStringLiteral("TFRMDILBUL"), pick(7));
    trigger(giden, "actDilekceCevabi");
    EXPECT_TRUE(giden.LinkSet());
    EXPECT_EQ(label(giden, "lblIlgTur"), QStringLiteral("Dilekçe"));
    EXPECT_EQ(label(giden, "lblIlgNo"), QStringLiteral("3"));
    EXPECT_EQ(label(giden, "lblIlgTarih"), QStringLiteral("04.03.2026"));
    EXPECT_EQ(label(giden, "lblIlgKonu"), QStringLiteral("Dilekçe konusu"));
    child<QPushButton>(giden, "btnKayit").click();
    EXPECT_EQ(row(QStringLiteral("GIDEN"), 101, QStringLiteral("ILGNO,ILGDUR")),
              (QStringList{"7", "D"}));
    EXPECT_EQ(row(QStringLiteral("DILEKCE"), 7, QStringLiteral("CEVNO")), QStringList{"101"});
    EXPECT_EQ(row(QStringLiteral("GELEN"), 7, QStringLiteral("CEVNO")), QStringList{"0"});

    // The incoming document with that key may still be deleted: nothing
    // answers it.
    EXPECT_TRUE(registers::mayDelete(t.dm().QRSORGU, registers::Register::Gelen, 7));

    // Moved to the incoming document: the petition waits again.
    open(giden, EntryMode::Edit, 101);
    EXPECT_EQ(label(giden, "lblIlgTur"), QStringLiteral("Dilekçe"));
    prompts.expectModal(QStringLiteral("TFRMGELBUL"), pick(7));
    trigger(giden, "actGelenCevabi");
    EXPECT_EQ(label(giden, "lblIlgTur"), QStringLiteral("Gelen Evr."));
    EXPECT_EQ(label(giden, "lblIlgNo"), QStringLiteral("70"));
    child<QPushButton>(giden, "btnKayit").click();
    EXPECT_EQ(row(QStringLiteral("GIDEN"), 101, QStringLiteral("ILGNO,ILGDUR")),
              (QStringList{"7", "G"}));
    EXPECT_EQ(row(QStringLiteral("GELEN"), 7, QStringLiteral("CEVNO")), QStringList{"101"});
    EXPECT_EQ(row(QStringLiteral("DILEKCE"), 7, QStringLiteral("CEVNO")), QStringList{"0"});
}

TEST_F(Outgoing, ACancelledLinkThenVazgecLeavesBothSidesAsTheyWere)
{
    addIncoming({.kayno = 7, .gelno = 70, .cevdur = QStringLiteral("E")});
    addAnsweringOutgoing(20, 4, 7, QStringLiteral("G"));
    PromptScript prompts;
    open(giden, EntryMode::Edit, 20);
    EXPECT_EQ(label(giden, "lblIlgNo"), QStringLiteral("70"));
    trigger(giden, "actIlgiIptal");
    EXPECT_TRUE(giden.LinkCancelled());
    EXPECT_EQ(label(giden, "lblIlgNo"), QString());
    EXPECT_EQ(label(giden, "lblIlgTur"), QStringLiteral("Gelen Evr.")); // keeps its text
    QTest::keyClick(&giden, Qt::Key_F6);
    EXPECT_EQ(row(QStringLiteral("GIDEN"), 20, QStringLiteral("ILGNO,ILGDUR")),
              (QStringList{"7", "G"}));
    EXPECT_EQ(row(QStringLiteral("GELEN"), 7, QStringLiteral("CEVNO")), QStringList{"20"});

    // Saved this time: both sides unlinked, ILGDUR keeps its letter.
    open(giden, EntryMode::Edit, 20);
    trigger(giden, "actIlgiIptal");
    QTest::keyClick(&giden, Qt::Key_F5);
    EXPECT_EQ(row(QStringLiteral("GIDEN"), 20, QStringLiteral("ILGNO,ILGDUR")),
              (QStringList{"0", "G"}));
    EXPECT_EQ(row(QStringLiteral("GELEN"), 7, QStringLiteral("CEVNO")), QStringList{"0"});

    // Nothing to cancel now.
    open(giden, EntryMode::Edit, 20);
    prompts.expectMessage(QStringLiteral("DİKKAT! İlgili Evrak Kaydı Bulunamadı"));
    trigger(giden, "actIlgiIptal");
    QTest::keyClick(&giden, Qt::Key_F6);
}

TEST_F(Outgoing, PetitionsAreNumberedInTurnAndGoToAnyDepartment)
{
    ctx.UserDeptCode = 5; // tied clerks give petitions to every department
    open(dilekce, EntryMode::New);
    EXPECT_EQ(dilekce.windowTitle(), QStringLiteral("DİLEKÇE BİLGİLERİ"));
    EXPECT_EQ(child<QComboBox>(dilekce, "cmbBirim").count(), 3);
    EXPECT_EQ(child<QComboBox>(dilekce, "cmbBirim").currentIndex(), -1);
    EXPECT_EQ(dilekce.findChild<QLabel*>(QStringLiteral("lblKayno")), nullptr);
    EXPECT_TRUE(child<QComboBox>(dilekce, "cmbSdp").hasFocus());
    type(child<QLineEdit>(dilekce, "edtAdsoy"), QStringLiteral("İsmail Öğüt"));
    choose(child<QComboBox>(dilekce, "cmbBirim"), QStringLiteral("Zabıta Müdürlüğü"));
    QTest::keyClick(&dilekce, Qt::Key_F5);
    const int first = dilekce.EntryKayno;
    for (int i = 0; i < 2; ++i) {
        open(dilekce, EntryMode::New);
        QTest::keyClick(&dilekce, Qt::Key_F5);
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT LIST(DILNO) FROM (SELECT DILNO FROM DILEKCE ORDER BY "
                                    "DILNO)")),
              QStringLiteral("1,2,3"));
    EXPECT_EQ(row(QStringLiteral("DILEKCE"), first, QStringLiteral("ADSOY,BKOD,GELTAR")),
              (QStringList{"İsmail Öğüt", "3", "14.03.2026"}));

    // A cancelled petition spends its key, not a number.
    open(dilekce, EntryMode::New);
    QTest::keyClick(&dilekce, Qt::Key_F6);
    open(dilekce, EntryMode::New);
    QTest::keyClick(&dilekce, Qt::Key_F5);
    EXPECT_EQ(row(QStringLiteral("DILEKCE"), dilekce.EntryKayno, QStringLiteral("DILNO")),
              QStringList{"4"});
}

TEST_F(Outgoing, APetitionsReplyStateNamesTheOutgoingDocument)
{
    addPetition(9, 2, QStringLiteral("Ali Veli"));
    addAnsweringOutgoing(20, 44, 9, QStringLiteral("D"));
    open(dilekce, EntryMode::Edit, 9);
    EXPECT_EQ(label(dilekce, "lblCevap"), QStringLiteral("Cevap Gönderildi...."));
    EXPECT_EQ(label(dilekce, "lblCevapDetay"),
              QStringLiteral("No:44  Tarih:10.03.2026  G.Yer:Tapu Müdürlüğü"));
    QTest::keyClick(&dilekce, Qt::Key_F6);
}

// Another workstation deleted the document while the list showed it.
TEST_F(Outgoing, AnEntryOfADocumentDeletedMeanwhileSaysSoAndCloses)
{
    addIncoming({.kayno = 30, .gelno = 1});
    addOutgoing(31, 1, QStringLiteral("Giden"));
    addPetition(32, 1, QStringLiteral("Ayşe"));
    struct Case {
        registers::BrowseList* list;
        registers::EntryScreen* entry;
        QString table;
        int kayno;
    } cases[] = {{&list, &entry, QStringLiteral("GELEN"), 30},
                 {&gidlst, &giden, QStringLiteral("GIDEN"), 31},
                 {&dillst, &dilekce, QStringLiteral("DILEKCE"), 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table.toStdString());
        showActive(*c.list);
        {
            auto other = t.openSecond();
            db::Query q(*other);
            q.execLines({QStringLiteral("DELETE FROM %1 WHERE KAYNO=:K").arg(c.table)}, {c.kayno});
            other->commit();
        }
        PromptScript prompts;
        // The entry opens, says why and closes: the clerk does nothing in it.
        prompts.expectModal(c.entry->objectName(), {})
            .expectMessage(registers::MissingDocumentMessage);
        QTest::keyClick(c.list, Qt::Key_F4);
        prompts.verify();
        EXPECT_FALSE(c.entry->isVisible());
        EXPECT_EQ(shownColumn(*c.list, QStringLiteral("Kay.No")), QStringList());
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(c.table)), 0);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TEXT")), 0);
        QTest::keyClick(c.list, Qt::Key_Escape);
    }
}

class OutgoingList : public Outgoing {
protected:
    QStringList shown(const QString& heading) { return shownColumn(gidlst, heading); }
};

TEST_F(OutgoingList, CevNoNamesTheIncomingDocumentOrThePetitionByItsRegister)
{
    addIncoming({.kayno = 7, .gelno = 70, .cevdur = QStringLiteral("E")});
    addPetition(7, 3, QStringLiteral("Zeynep Şahin"));
    addAnsweringOutgoing(20, 1, 7, QStringLiteral("D"));
    addAnsweringOutgoing(21, 2, 7, QStringLiteral("G"));
    addOutgoing(22, 3, QStringLiteral("Bağımsız"));
    showActive(gidlst);
    EXPECT_EQ(gidlst.windowTitle(), QStringLiteral("GİDEN EVRAK  LİSTESİ"));
    EXPECT_TRUE(gidlst.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(shown(QStringLiteral("Cev.No")), (QStringList{"3", "70", ""}));
    EXPECT_EQ(shown(QStringLiteral("Gönderildiği Yer")).value(0), QStringLiteral("Tapu Müdürlüğü"));
    EXPECT_EQ(shown(QStringLiteral("Gönderen Birim Birim")).value(0),
              QStringLiteral("Fen İşleri Müdürlüğü"));
    EXPECT_EQ(gidlst.list().field(QStringLiteral("KAYNO")).toInt(), 22);
    // No statement per row: the number comes with the list's one query.
    EXPECT_EQ(gidlst.list().sql().count(QStringLiteral("SELECT")), 3);
}

TEST_F(OutgoingList, TypedTextInTheReplyAndGradeListsFiltersAsTheListsSay)
{
    addIncoming({.kayno = 7, .gelno = 70, .cevdur = QStringLiteral("E")});
    addAnsweringOutgoing(20, 1, 7, QStringLiteral("G"));
    t.exec(QStringLiteral("UPDATE GIDEN SET CEVDUR='E',GIZDER='G' WHERE KAYNO=20"));
    addOutgoing(21, 2, QStringLiteral("Bekleyen")); // waits: CEVDUR 'E', ILGNO 0
    t.database().commit();
    showActive(gidlst);
    auto& cevap = child<QComboBox>(gidlst, "cmbCevap");
    auto& gizlilik = child<QComboBox>(gidlst, "cmbGizlilik");
    EXPECT_TRUE(cevap.isEditable());
    EXPECT_TRUE(gizlilik.isEditable());
    choose(cevap, QStringLiteral("Cevap Verilen"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList{"1"});
    choose(cevap, QStringLiteral("Cevap Bekleyen"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList{"2"});
    // A typed text that is no entry adds no reply condition...
    clearField(cevap);
    type(cevap, QStringLiteral("hiçbiri"));
    gidlst.filterChanged(2);
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), (QStringList{"1", "2"}));
    // ...and a typed grade filters by its first letter.
    clearField(gizlilik);
    type(gizlilik, QStringLiteral("Gizlice"));
    gidlst.filterChanged(3);
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList{"1"});
}

TEST_F(OutgoingList, DeletingResetsTheAnsweredDocumentAndRefusesAnAnsweredOne)
{
    addIncoming({.kayno = 7, .gelno = 70, .cevdur = QStringLiteral("E")});
    addPetition(8, 3, QStringLiteral("Zeynep Şahin"));
    addAnsweringOutgoing(20, 1, 7, QStringLiteral("G"));
    addAnsweringOutgoing(21, 2, 8, QStringLiteral("D"));
    addOutgoing(22, 3, QStringLiteral("Cevabı gelen"), 9);
    addIncoming({.kayno = 9, .gelno = 71, .ilgno = 22}); // answers outgoing 22
    PromptScript prompts;
    showActive(gidlst);

    prompts.expectQuestion(registers::DeleteQuestion, true).expectMessage(registers::InUseMessage);
    QTest::keyClick(&gidlst, Qt::Key_F10);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM GIDEN WHERE KAYNO=22")), 1);

    // Its letter goes with it, and the question says so.
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,20,'{\\rtf1 Cevap}')"));
    t.database().commit();
    for (int kayno : {21, 20}) {
        gidlst.list().locate(QStringLiteral("KAYNO"), kayno);
        prompts.expectQuestion(
            kayno == 20 ? QStringLiteral("DİKKAT! Bu Kayıt ve Giden Yazı Metni Silinecektir. "
                                         "Onaylıyormusunuz.?")
                        : registers::DeleteQuestion,
            true);
        QTest::keyClick(&gidlst, Qt::Key_F10);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TEXT WHERE KAYNO=20")), 0);
    EXPECT_EQ(row(QStringLiteral("DILEKCE"), 8, QStringLiteral("CEVNO")), QStringList{"0"});
    EXPECT_EQ(row(QStringLiteral("GELEN"), 7, QStringLiteral("CEVNO")), QStringList{"0"});
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList{"3"});
    EXPECT_EQ(scalar(QStringLiteral("SELECT GEN_ID(GEN_GIDNO,0) FROM RDB$DATABASE")),
              QStringLiteral("3"));
}

class PetitionList : public Outgoing {
protected:
    QStringList shown(const QString& heading) { return shownColumn(dillst, heading); }
};

TEST_F(PetitionList, EveryClerkSeesEveryDepartmentAndATypedNameFiltersByIt)
{
    addPetition(1, 1, QStringLiteral("Ali"), 0, QStringLiteral("H"), 1);
    addPetition(2, 2, QStringLiteral("Veli"), 0, QStringLiteral("H"), 3);
    addPetition(3, 3, QStringLiteral("Ayşe"), 0, QStringLiteral("H"), 3);
    ctx.UserDeptCode = 5;
    showActive(dillst);
    EXPECT_EQ(dillst.windowTitle(), QStringLiteral("DİLEKÇE  LİSTESİ"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(shown(QStringLiteral("Adı ve Soyadı")), (QStringList{"Ali", "Veli", "Ayşe"}));
    EXPECT_EQ(dillst.list().field(QStringLiteral("KAYNO")).toInt(), 3);
    auto& birim = child<QComboBox>(dillst, "cmbBirim");
    EXPECT_TRUE(birim.isEnabled());
    choose(birim, QStringLiteral("Zabıta Müdürlüğü"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), (QStringList{"2", "3"}));
    // A typed text that is no department finds nothing.
    clearField(birim);
    type(birim, QStringLiteral("Olmayan"));
    dillst.filterChanged(0);
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList());
    EXPECT_FALSE(child<QLabel>(dillst, "lblKonu").isVisible());
}

TEST_F(PetitionList, SearchMovesToTheChosenPetitionWhenTheFilterShowsIt)
{
    addPetition(1, 1, QStringLiteral("Ali"), 0, QStringLiteral("H"), 1);
    addPetition(2, 2, QStringLiteral("Veli"), 0, QStringLiteral("H"), 3);
    addPetition(3, 3, QStringLiteral("Ayşe"), 0, QStringLiteral("H"), 3);
    PromptScript prompts;
    showActive(dillst);
    prompts.expectModal(QStringLiteral("TFRMDILBUL"), pick(1));
    QTest::keyClick(&dillst, Qt::Key_F3);
    EXPECT_EQ(dillst.list().field(QStringLiteral("KAYNO")).toInt(), 1);

    prompts.expectModal(QStringLiteral("TFRMDILBUL"),
                        [](QDialog& d) { child<QPushButton>(d, "btnCikis").click(); });
    QTest::keyClick(&dillst, Qt::Key_F3);
    EXPECT_EQ(dillst.list().field(QStringLiteral("KAYNO")).toInt(), 1);

    choose(child<QComboBox>(dillst, "cmbBirim"), QStringLiteral("Zabıta Müdürlüğü"));
    dillst.list().last();
    prompts.expectModal(QStringLiteral("TFRMDILBUL"), pick(1));
    QTest::keyClick(&dillst, Qt::Key_F3);
    EXPECT_EQ(dillst.list().field(QStringLiteral("KAYNO")).toInt(), 3);
}

TEST_F(PetitionList, DeletingRefusesAnAnsweredPetitionAndGivesTheLastNumberAgain)
{
    addPetition(1, 1, QStringLiteral("Ali"));
    addPetition(2, 2, QStringLiteral("Veli"));
    addAnsweringOutgoing(20, 5, 1, QStringLiteral("D"));
    // A page of the incoming document whose key the petition shares.
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,2,:M)"),
           {pictureFile("JPG", Qt::blue)});
    t.database().commit();
    PromptScript prompts;
    showActive(dillst);
    prompts.expectQuestion(registers::DeleteQuestion, true);
    QTest::keyClick(&dillst, Qt::Key_F10);
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList{"1"});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TEXT WHERE KAYNO=2")), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT GEN_ID(GEN_DILNO,0) FROM RDB$DATABASE")),
              QStringLiteral("1"));

    // The outgoing document answering it would point at nothing.
    prompts.expectQuestion(registers::DeleteQuestion, true).expectMessage(registers::InUseMessage);
    QTest::keyClick(&dillst, Qt::Key_F10);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM DILEKCE")), 1);

    prompts.expectModal(QStringLiteral("TFRMDILEKCE"),
                        [](QDialog& d) { QTest::keyClick(&d, Qt::Key_F5); });
    QTest::keyClick(&dillst, Qt::Key_F2);
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), (QStringList{"1", "2"}));

    // The title bar's close is refused; the list keeps its rows.
    dillst.close();
    EXPECT_TRUE(dillst.isVisible());
    EXPECT_EQ(shown(QStringLiteral("Kay.No")).size(), 2);
    QTest::keyClick(&dillst, Qt::Key_Escape);
    EXPECT_FALSE(dillst.isVisible());
}

} // namespace
