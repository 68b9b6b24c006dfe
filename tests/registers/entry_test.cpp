// The incoming entry screen, driven as a clerk drives it.

#include "registers_support.h"

#include "db/query.h"
#include "support/promptscript.h"
#include "widgets/codewordcombo.h"
#include "widgets/datebox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

using namespace registerstest;
using testsupport::PromptScript;

namespace {

class Entry : public Incoming {
protected:
    QPushButton& button(const char* name) { return child<QPushButton>(entry, name); }
    QComboBox& combo(const char* name) { return child<QComboBox>(entry, name); }
    QLineEdit& line(const char* name) { return child<QLineEdit>(entry, name); }
    QPlainTextEdit& plain(const char* name) { return child<QPlainTextEdit>(entry, name); }
    QString label(const char* name) { return child<QLabel>(entry, name).text(); }
    QStringList row(int kayno, const QString& columns)
    {
        return Incoming::row(QStringLiteral("GELEN"), kayno, columns);
    }
};

TEST_F(Entry, ANewDocumentWithEveryFieldEmptyGetsItsKeyNumberAndDefaults)
{
    openNew();
    EXPECT_EQ(entry.EntryKayno, 101);
    EXPECT_EQ(label("lblKayno"), QStringLiteral("101"));
    EXPECT_EQ(line("edtGelno").text(), QString());
    EXPECT_EQ(child<widgets::DateBox>(entry, "edtGeltar").value(), QStringLiteral("14.03.2026"));
    EXPECT_EQ(combo("cmbZdur").currentText(), QStringLiteral("İç"));
    EXPECT_EQ(combo("cmbGizder").currentText(), QStringLiteral("Özel"));
    EXPECT_EQ(combo("cmbCevdur").currentText(), QStringLiteral("Hayır"));
    EXPECT_EQ(combo("cmbBirim").currentIndex(), -1);
    EXPECT_TRUE(combo("cmbSdp").hasFocus());

    button("btnKayit").click();
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(row(101, QStringLiteral("GELNO,GELTAR,ZDUR,GIZDER,CEVDUR,CEVNO,ILGNO")),
              (QStringList{"1", "14.03.2026", "İ", "Ö", "H", "0", "0"}));
    // The default grade is numbered as if chosen: the first "Özel" document.
    EXPECT_EQ(row(101, QStringLiteral("GSIRNO")), QStringList{"1"});
    EXPECT_EQ(
        row(101, QStringLiteral("SDP,BKOD,BSIRNO,ZNO,ZTAR,TESADI,TESGOR,DKOD,EVSAY,EVTAR,EKOD,"
                                "KONU,EKSAY,EK")),
        QStringList(14, QStringLiteral("<null>")));
    // Committed: another workstation sees it.
    auto other = t.openSecond();
    db::Query q(*other);
    q.add(QStringLiteral("SELECT COUNT(*) FROM GELEN"));
    q.open();
    EXPECT_EQ(q.value(0, 0).toInt(), 1);
}

TEST_F(Entry, TheRegistryNumberIsTheHighestPlusOneAndAnEditKeepsIt)
{
    addIncoming({.kayno = 10, .gelno = 7});
    addIncoming({.kayno = 11, .gelno = 3});
    openNew();
    type(plain("edtKonu"), QStringLiteral("Yeni evrak"));
    QTest::keyClick(&entry, Qt::Key_F5);
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(row(101, QStringLiteral("GELNO,KONU")), (QStringList{"8", "Yeni evrak"}));

    openEdit(11);
    EXPECT_EQ(line("edtGelno").text(), QStringLiteral("3"));
    clearField(plain("edtKonu"));
    type(plain("edtKonu"), QStringLiteral("Değişen konu"));
    button("btnKayit").click();
    EXPECT_EQ(row(11, QStringLiteral("GELNO,KONU")), (QStringList{"3", "Değişen konu"}));
}

TEST_F(Entry, ACancelledNewDocumentLeavesNoRowAndItsKeyIsNeverGivenAgain)
{
    openNew();
    type(plain("edtKonu"), QStringLiteral("Vazgeçilen"));
    QTest::keyClick(&entry, Qt::Key_F6);
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM GELEN")), 0);

    openNew();
    EXPECT_EQ(entry.EntryKayno, 102);
    EXPECT_EQ(plain("edtKonu").toPlainText(), QString());
    button("btnKayit").click();
    EXPECT_EQ(scalar(QStringLiteral("SELECT GEN_ID(GEN_GELKAYNO,1) FROM RDB$DATABASE")),
              QStringLiteral("103"));
}

TEST_F(Entry, TheScreenClosesOnlyThroughItsTwoButtons)
{
    openNew();
    entry.close();
    EXPECT_TRUE(entry.isVisible());
    QTest::keyClick(&entry, Qt::Key_Escape);
    EXPECT_TRUE(entry.isVisible());
    button("btnVazgec").click();
    EXPECT_FALSE(entry.isVisible());
}

TEST_F(Entry, TheTabKeyFollowsTheFormAndSkipsTheNumberBoxes)
{
    openNew();
    QStringList order;
    for (int i = 0; i < 18; ++i) {
        QWidget* w = QApplication::focusWidget();
        if (w && !w->objectName().startsWith(QLatin1String("cmb")) &&
            qobject_cast<QComboBox*>(w->parentWidget()))
            w = w->parentWidget(); // the typing line of a drop-down
        order << (w ? w->objectName() : QStringLiteral("<none>"));
        QTest::keyClick(w, Qt::Key_Tab);
    }
    EXPECT_EQ(order,
              (QStringList{"cmbSdp", "cmbBirim", "cmbZdur", "edtZno", "edtZtar", "cmbGizder",
                           "edtTesadi", "edtTesgor", "cmbKurum", "edtEvsay", "edtEvtar", "cmbEcins",
                           "edtKonu", "edtEksay", "edtEk", "cmbCevdur", "edtGeltar", "lstResim"}));
    button("btnVazgec").click();
}

TEST_F(Entry, TheFilePlanDropDownOffersLeafCodesAndShowsBothTitles)
{
    openNew();
    QComboBox& sdp = combo("cmbSdp");
    QStringList offered;
    for (int i = 0; i < sdp.count(); ++i)
        offered << sdp.itemText(i);
    EXPECT_EQ(offered, (QStringList{"010", "806.01.01", "806.01.02", "806.02"}));

    struct Case {
        QString code, sack1, sack2;
    };
    const Case cases[] = {
        {QStringLiteral("806.01.01"), QStringLiteral("Dilekçe ve Şikâyet İşleri"),
         QStringLiteral("Bilgi Talepleri")},
        // A title longer than 50 characters shows its first 50.
        {QStringLiteral("806.02"), QStringLiteral("Dilekçe ve Şikâyet İşleri"),
         QStringLiteral("Şikâyetler ile ilgili olarak vatandaşlardan gelen ")},
        {QStringLiteral("010"), QStringLiteral("Mevzuat İşleri"), QStringLiteral("Mevzuat İşleri")},
    };
    for (const Case& c : cases) {
        choose(sdp, c.code);
        EXPECT_EQ(label("lblSack1"), c.sack1);
        EXPECT_EQ(label("lblSack2"), c.sack2);
    }
    // A typed code without a row in the plan shows empty lines.
    clearField(*sdp.lineEdit());
    type(*sdp.lineEdit(), QStringLiteral("999.99"));
    EXPECT_EQ(label("lblSack1"), QString());
    EXPECT_EQ(label("lblSack2"), QString());
    // A code typed in part is completed to the first one it begins; the
    // code shown is the code stored.
    clearField(*sdp.lineEdit());
    type(*sdp.lineEdit(), QStringLiteral("806.01"));
    EXPECT_EQ(sdp.currentText(), QStringLiteral("806.01.01"));
    EXPECT_EQ(label("lblSack2"), QStringLiteral("Bilgi Talepleri"));
    QTest::keyClick(sdp.lineEdit(), Qt::Key_Delete); // the completed part
    EXPECT_EQ(label("lblSack2"), QStringLiteral("Vatandaş Dilekçeleri"));
    clearField(*sdp.lineEdit());
    type(*sdp.lineEdit(), QStringLiteral("806.01.02"));
    EXPECT_EQ(label("lblSack2"), QStringLiteral("Öneri ve İstekler"));

    // A double-click in the subject replaces what was typed with the title.
    type(plain("edtKonu"), QStringLiteral("yazılan konu"));
    doubleClick(plain("edtKonu"));
    EXPECT_EQ(plain("edtKonu").toPlainText(), QStringLiteral("Öneri ve İstekler"));
    button("btnKayit").click();
    EXPECT_EQ(row(101, QStringLiteral("SDP,KONU")),
              (QStringList{"806.01.02", "Öneri ve İstekler"}));
}

TEST_F(Entry, TheFilePlanPickerSetsTheCodeAndACancelChangesNothing)
{
    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMSDPBUL"), [](QDialog& d) {
        auto& picker = static_cast<refdata::TFRMSDPBUL&>(d);
        ASSERT_TRUE(picker.list().locate(QStringLiteral("KOD"), QStringLiteral("806.01.01")));
        picker.choose();
    });
    prompts.expectModal(QStringLiteral("TFRMSDPBUL"),
                        [](QDialog& d) { static_cast<refdata::TFRMSDPBUL&>(d).exit(); });
    openNew();
    type(line("edtTesadi"), QStringLiteral("Emine"));
    button("btnSdp").click();
    EXPECT_EQ(combo("cmbSdp").currentText(), QStringLiteral("806.01.01"));
    EXPECT_EQ(label("lblSack2"), QStringLiteral("Bilgi Talepleri"));
    button("btnSdp").click();
    EXPECT_EQ(combo("cmbSdp").currentText(), QStringLiteral("806.01.01"));
    // Coming back from the picker set nothing up again.
    EXPECT_EQ(entry.EntryKayno, 101);
    EXPECT_EQ(line("edtTesadi").text(), QStringLiteral("Emine"));
    button("btnKayit").click();
    EXPECT_EQ(row(101, QStringLiteral("SDP,TESADI")), (QStringList{"806.01.01", "Emine"}));
}

TEST_F(Entry, AClerkTiedToADepartmentGivesDocumentsOnlyToIt)
{
    ctx.UserDeptCode = 5;
    openNew();
    QComboBox& birim = combo("cmbBirim");
    ASSERT_EQ(birim.count(), 1);
    EXPECT_EQ(birim.currentText(), QStringLiteral("Fen İşleri Müdürlüğü"));
    button("btnKayit").click();
    EXPECT_EQ(row(101, QStringLiteral("BKOD")), QStringList{"5"});
}

TEST_F(Entry, ChoosingTheDepartmentAndTheGradeNumbersTheirSequencesOnANewDocument)
{
    t.exec(QStringLiteral(
        "INSERT INTO GELEN (KAYNO,GELNO,BKOD,BSIRNO,GIZDER,GSIRNO) VALUES(10,1,5,41,'G',7)"));
    t.exec(QStringLiteral(
        "INSERT INTO GELEN (KAYNO,GELNO,BKOD,BSIRNO,GIZDER,GSIRNO) VALUES(11,2,1,9,'Ö',3)"));
    t.database().commit();
    openNew();
    choose(combo("cmbBirim"), QStringLiteral("Fen İşleri Müdürlüğü"));
    EXPECT_EQ(line("edtBsirno").text(), QStringLiteral("42"));
    EXPECT_EQ(line("edtTesadi").text(), QStringLiteral("Mehmet Kaya"));
    EXPECT_EQ(line("edtTesgor").text(), QStringLiteral("Fen Müdürü"));
    choose(combo("cmbGizder"), QStringLiteral("Gizli"));
    EXPECT_EQ(line("edtGsirno").text(), QStringLiteral("8"));
    choose(combo("cmbBirim"), QStringLiteral("Zabıta Müdürlüğü")); // a department without documents
    EXPECT_EQ(line("edtBsirno").text(), QStringLiteral("1"));
    button("btnKayit").click();
    EXPECT_EQ(row(101, QStringLiteral("BKOD,BSIRNO,GIZDER,GSIRNO,TESADI")),
              (QStringList{"3", "1", "G", "8", "Hasan Çelik"}));

    // Changing a stored document renumbers nothing.
    openEdit(11);
    choose(combo("cmbBirim"), QStringLiteral("Fen İşleri Müdürlüğü"));
    choose(combo("cmbGizder"), QStringLiteral("Gizli"));
    button("btnKayit").click();
    EXPECT_EQ(row(11, QStringLiteral("BKOD,BSIRNO,GIZDER,GSIRNO")),
              (QStringList{"5", "9", "G", "3"}));
}

TEST_F(Entry, ADoubleClickInTheReceiverTakesTheDepartmentsSignatory)
{
    openNew();
    // No department chosen: the last row of the list, where the set-up left it.
    doubleClick(line("edtTesadi"));
    EXPECT_EQ(line("edtTesadi").text(), QStringLiteral("Hasan Çelik"));
    choose(combo("cmbBirim"), QStringLiteral("Yazı İşleri Müdürlüğü"));
    clearField(line("edtTesadi"));
    doubleClick(line("edtTesadi"));
    EXPECT_EQ(line("edtTesadi").text(), QStringLiteral("Ayşe Demir"));
    EXPECT_EQ(line("edtTesgor").text(), QStringLiteral("Yazı İşleri Müdürü"));
    button("btnKayit").click();
    EXPECT_EQ(row(101, QStringLiteral("TESADI,TESGOR")),
              (QStringList{"Ayşe Demir", "Yazı İşleri Müdürü"}));
}

TEST_F(Entry, EveryFieldIsStoredAsTyped)
{
    openNew();
    auto date = [this](const char* name, const QString& digits) {
        auto& box = child<widgets::DateBox>(entry, name);
        clearField(box);
        box.setCursorPosition(0);
        type(box, digits);
    };
    date("edtGeltar", QStringLiteral("13032026"));
    choose(combo("cmbZdur"), QStringLiteral("Dış"));
    type(line("edtZno"), QStringLiteral("1234"));
    date("edtZtar", QStringLiteral("12032026"));
    type(line("edtTesadi"), QStringLiteral("Çağrı Öztürk ve Ötesi"));
    type(line("edtTesgor"), QStringLiteral("Memur"));
    choose(combo("cmbKurum"), QStringLiteral("Tapu Müdürlüğü"));
    type(line("edtEvsay"), QStringLiteral("E-12345678-751.01-1234567/2026 – “ek”"));
    date("edtEvtar", QStringLiteral("10032026"));
    choose(combo("cmbEcins"), QStringLiteral("Genelge"));
    type(plain("edtKonu"), QString(199, QLatin1Char('k')) + QStringLiteral("…"));
    type(line("edtEksay"), QStringLiteral("2x")); // digits only
    type(plain("edtEk"), QStringLiteral("Liste\nTutanak"));
    choose(combo("cmbCevdur"), QStringLiteral("Evet"));
    type(line("edtGelno"), QStringLiteral("55")); // read-only
    button("btnKayit").click();
    EXPECT_EQ(
        row(101, QStringLiteral("GELNO,GELTAR,ZDUR,ZNO,ZTAR,TESADI,TESGOR,DKOD,EVSAY,EVTAR,EKOD,"
                                "CHAR_LENGTH(KONU),EKSAY,EK,CEVDUR")),
        (QStringList{"1", "13.03.2026", "D", "1234", "12.03.2026", "Çağrı Öztürk ve Ötesi", "Memur",
                     "2", "E-12345678-751.01-1234567/2026 – “ek”", "10.03.2026", "2", "200", "2",
                     "Liste\nTutanak", "E"}));
}

TEST_F(Entry, ADateTypedInPartIsRefusedAtSavingAndNothingIsStored)
{
    PromptScript prompts;
    prompts.expectMessage(QStringLiteral("DİKKAT! Zimmet Tarihi Geçerli Bir Tarih Değildir: "
                                         "12.03.____\nTarihi Gün.Ay.Yıl (gg.aa.yyyy) Olarak "
                                         "Yazınız.."));
    openNew();
    auto& ztar = child<widgets::DateBox>(entry, "edtZtar");
    ztar.setCursorPosition(0);
    type(ztar, QStringLiteral("1203"));
    type(plain("edtKonu"), QStringLiteral("Eksik tarih"));
    button("btnKayit").click();
    EXPECT_TRUE(entry.isVisible());
    EXPECT_TRUE(ztar.hasFocus());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM GELEN")), 0);
    prompts.verify();

    type(ztar, QStringLiteral("2026"));
    button("btnKayit").click();
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(row(101, QStringLiteral("ZTAR,KONU")), (QStringList{"12.03.2026", "Eksik tarih"}));
}

TEST_F(Entry, TheQuickAddedInstitutionIsChosenAndGoesWithTheEntry)
{
    PromptScript prompts;
    auto add = [](QDialog& d) {
        type(child<QLineEdit>(d, "edtDkurum"), QStringLiteral("İl Sağlık Müdürlüğü"));
        static_cast<refdata::TFRMKURBIL&>(d).save();
    };
    prompts.expectModal(QStringLiteral("TFRMKURBIL"), add)
        .expectModal(QStringLiteral("TFRMKURBIL"), add);
    openNew();
    button("btnKurum").click();
    EXPECT_EQ(combo("cmbKurum").currentText(), QStringLiteral("İl Sağlık Müdürlüğü"));
    button("btnKayit").click();
    EXPECT_EQ(row(101, QStringLiteral("DKOD")), QStringList{"3"});

    // Cancelling the entry takes the institution added on this visit back.
    openNew();
    button("btnKurum").click();
    EXPECT_EQ(combo("cmbKurum").currentText(), QStringLiteral("İl Sağlık Müdürlüğü"));
    button("btnVazgec").click();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM DISKUR")), 3);
}

TEST_F(Entry, AnEditKeepsWhatOthersWroteMeanwhileIntoColumnsTheClerkDidNotChange)
{
    addOutgoing(20, 7, QStringLiteral("Cevap"));
    addIncoming({.kayno = 10, .gelno = 1, .cevdur = QStringLiteral("E")});
    openEdit(10);
    // Another workstation saves the outgoing document that answers it.
    auto other = t.openSecond();
    db::Query q(*other);
    q.add(QStringLiteral("UPDATE GELEN SET CEVNO=20 WHERE KAYNO=10"));
    q.exec();
    other->commit();
    QTest::keyClick(&plain("edtKonu"), Qt::Key_End, Qt::ControlModifier);
    type(plain("edtKonu"), QStringLiteral(" (ek)"));
    button("btnKayit").click();
    EXPECT_EQ(row(10, QStringLiteral("CEVNO,KONU")), (QStringList{"20", "Gelen konu (ek)"}));
}

// The clerk chooses the outgoing document with this key in the picker.
std::function<void(QDialog&)> pickOutgoing(int kayno)
{
    return [kayno](QDialog& d) {
        auto& picker = static_cast<lists::TFRMGIDBUL&>(d);
        ASSERT_TRUE(picker.list().locate(QStringLiteral("KAYNO"), kayno));
        child<QPushButton>(picker, "btnSec").click();
    };
}

class Links : public Entry {
protected:
    Links()
    {
        addOutgoing(20, 7, QStringLiteral("Borç yapılandırma"));
        addOutgoing(21, 8, QStringLiteral("Tapu kayıtları"));
    }
    QStringList panel()
    {
        return {label("lblIlgNo"), label("lblIlgTarih"), label("lblIlgBirim"), label("lblIlgKonu")};
    }
    void cancelLink() { child<QAction>(entry, "actIlgiIptal").trigger(); }
    int cevno(int gidenKayno)
    {
        return count(QStringLiteral("SELECT CEVNO FROM GIDEN WHERE KAYNO=:K"), {gidenKayno});
    }
};

TEST_F(Links, AnOutgoingDocumentChosenInThePickerGetsTheReplyWhenTheEntryIsSaved)
{
    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMGIDBUL"), pickOutgoing(20));
    openNew();
    button("btnIlgili").click();
    EXPECT_EQ(panel(),
              (QStringList{"7", "20.02.2026", "Fen İşleri Müdürlüğü", "Borç yapılandırma"}));
    EXPECT_TRUE(entry.LinkSet());
    EXPECT_EQ(cevno(20), 0); // nothing written before saving
    button("btnKayit").click();
    EXPECT_EQ(row(101, QStringLiteral("ILGNO")), QStringList{"20"});
    EXPECT_EQ(cevno(20), 101);
}

// Another workstation deleted the document while the entry had it open:
// "F5-Kayıt" says so and commits nothing, the reply link above all.
TEST_F(Links, SavingADocumentDeletedMeanwhileSaysSoAndCommitsNothing)
{
    addIncoming({.kayno = 10, .gelno = 1});
    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMGIDBUL"), pickOutgoing(20));
    openEdit(10);
    button("btnIlgili").click();
    type(plain("edtKonu"), QStringLiteral(" (ek)"));
    auto other = t.openSecond();
    db::Query q(*other);
    q.execLines({QStringLiteral("DELETE FROM GELEN WHERE KAYNO=10")});
    other->commit();

    prompts.expectMessage(registers::MissingDocumentMessage);
    QTest::keyClick(&entry, Qt::Key_F5);
    prompts.verify();
    EXPECT_TRUE(entry.isVisible());
    q.openLines({QStringLiteral("SELECT CEVNO FROM GIDEN WHERE KAYNO=20")});
    EXPECT_EQ(q.value(0, 0).toInt(), 0);
    q.close();
    other->commit();

    QTest::keyClick(&entry, Qt::Key_F6);
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(cevno(20), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM GELEN")), 0);
}

TEST_F(Links, CancellingALinkEmptiesThePanelAndSavingUnlinksBothSides)
{
    addIncoming({.kayno = 10, .gelno = 1, .ilgno = 20});
    t.exec(QStringLiteral("UPDATE GIDEN SET CEVNO=10 WHERE KAYNO=20"));
    t.database().commit();

    // Cancelled, then "F6-Vazgeç": both sides as they were.
    openEdit(10);
    EXPECT_EQ(panel()[0], QStringLiteral("7"));
    cancelLink();
    EXPECT_EQ(panel(), QStringList(4, QString()));
    EXPECT_TRUE(entry.LinkCancelled());
    button("btnVazgec").click();
    EXPECT_EQ(row(10, QStringLiteral("ILGNO")), QStringList{"20"});
    EXPECT_EQ(cevno(20), 10);

    openEdit(10);
    EXPECT_FALSE(entry.LinkCancelled());
    cancelLink();
    button("btnKayit").click();
    EXPECT_EQ(row(10, QStringLiteral("ILGNO")), QStringList{"0"});
    EXPECT_EQ(cevno(20), 0);

    // No link left to cancel.
    PromptScript prompts;
    prompts.expectMessage(QStringLiteral("DİKKAT! İlgili Evrak Kaydı Bulunamadı"));
    openEdit(10);
    cancelLink();
    EXPECT_FALSE(entry.LinkCancelled());
    button("btnVazgec").click();
}

TEST_F(Links, ANewChoiceAfterACancelMovesTheReplyToTheNewDocument)
{
    addIncoming({.kayno = 10, .gelno = 1, .ilgno = 20});
    t.exec(QStringLiteral("UPDATE GIDEN SET CEVNO=10 WHERE KAYNO=20"));
    t.database().commit();
    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMGIDBUL"), pickOutgoing(21));
    openEdit(10);
    cancelLink();
    button("btnIlgili").click();
    EXPECT_EQ(panel()[0], QStringLiteral("8"));
    button("btnKayit").click();
    EXPECT_EQ(row(10, QStringLiteral("ILGNO")), QStringList{"21"});
    EXPECT_EQ(cevno(21), 10);
    EXPECT_EQ(cevno(20), 0);
}

TEST_F(Links, TheReplyStateShowsOnlyForADocumentThatExpectsOne)
{
    struct Case {
        QString cevdur;
        int cevno;
        QString label, details;
    };
    const Case cases[] = {
        {QStringLiteral("E"), 21, QStringLiteral("Cevap Gönderildi...."),
         QStringLiteral("No:8  Tarih:20.02.2026  G.Yer:Tapu Müdürlüğü")},
        {QStringLiteral("E"), 0, QStringLiteral("Cevap Gönderilmedi...."), QString()},
        {QStringLiteral("H"), 21, QString(), QString()},
    };
    int kayno = 10;
    for (const Case& c : cases) {
        addIncoming({.kayno = kayno, .gelno = kayno, .cevdur = c.cevdur, .cevno = c.cevno});
        openEdit(kayno++);
        EXPECT_EQ(label("lblCevap"), c.label);
        EXPECT_EQ(label("lblCevapDetay"), c.details);
        button("btnVazgec").click();
    }
    openNew(); // a new document shows none
    EXPECT_EQ(label("lblCevap"), QString());
    EXPECT_EQ(label("lblIlgNo"), QString());
}

} // namespace
