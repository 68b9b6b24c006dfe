// The incoming browse list, driven as a clerk drives it.

#include "registers_support.h"

#include "db/query.h"
#include "registers/links.h"
#include "support/promptscript.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace registerstest;
using testsupport::PromptScript;

namespace {

class List : public Incoming {
protected:
    QPushButton& button(const char* name) { return child<QPushButton>(list, name); }
    QComboBox& filter(const char* name) { return child<QComboBox>(list, name); }
    // One shown column, top to bottom, by its heading.
    QStringList shown(const QString& heading) { return shownColumn(list, heading); }
    QString current(const QString& column) { return list.list().field(column).toString(); }
    void open() { showActive(list); }

    // Five documents: institutions 1/2, departments 1/3/5, grades, replies.
    void fiveDocuments()
    {
        addOutgoing(20, 7, QStringLiteral("Giden"), 12);
        addIncoming({.kayno = 11, .gelno = 1, .bkod = 1, .dkod = 1, .cevdur = QStringLiteral("E")});
        addIncoming({.kayno = 12,
                     .gelno = 2,
                     .bkod = 3,
                     .dkod = 2,
                     .cevdur = QStringLiteral("E"),
                     .ilgno = 20,
                     .gizder = QStringLiteral("G")});
        addIncoming({.kayno = 13,
                     .gelno = 3,
                     .bkod = 3,
                     .dkod = 1,
                     .cevdur = QStringLiteral("E"),
                     .cevno = 20,
                     .gizder = QStringLiteral("Ç")});
        addIncoming({.kayno = 14,
                     .gelno = 4,
                     .bkod = 5,
                     .dkod = 2,
                     .ilgno = 99,
                     .gizder = QStringLiteral("G")});
        addIncoming(
            {.kayno = 15,
             .gelno = 5,
             .bkod = 3,
             .dkod = 2,
             .gizder = QStringLiteral("K"),
             .konu = QStringLiteral("Uzun konu: imar planı değişikliği hakkında görüş istenmesi")});
    }
};

TEST_F(List, OpensOnTheNewestDocumentWithTheReplyNumberOfEachRow)
{
    fiveDocuments();
    open();
    EXPECT_EQ(list.windowTitle(), QStringLiteral("GELEN EVRAK  LİSTESİ"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), (QStringList{"1", "2", "3", "4", "5"}));
    // The outgoing number of ILGNO; none for no link or a deleted document.
    EXPECT_EQ(shown(QStringLiteral("Cev.No")), (QStringList{"", "7", "", "", ""}));
    EXPECT_EQ(shown(QStringLiteral("Geldiği Yer")).value(1), QStringLiteral("Tapu Müdürlüğü"));
    EXPECT_EQ(shown(QStringLiteral("Evrak Tar./No")).value(0), QString()); // no EVSAY
    EXPECT_EQ(shown(QStringLiteral("Verildiği Birim")).value(1),
              QStringLiteral("Zabıta Müdürlüğü"));
    EXPECT_EQ(shown(QStringLiteral("G.der")).value(1), QStringLiteral("G"));
    EXPECT_EQ(current(QStringLiteral("KAYNO")), QStringLiteral("15"));
    EXPECT_EQ(child<QLabel>(list, "lblKonu").text(),
              QStringLiteral("Uzun konu: imar planı değişikliği hakkında görüş istenmesi"));
    EXPECT_EQ(filter("cmbKurum").currentText(), QStringLiteral("TÜMÜ"));
    EXPECT_EQ(filter("cmbBirim").count(), 4);
    EXPECT_EQ(filter("cmbCevap").currentText(), QStringLiteral("Tümü"));
    EXPECT_EQ(filter("cmbGizlilik").currentText(), QStringLiteral("Tümü"));
}

TEST_F(List, TheFiltersCombineInTheOrderOfTheConditionTable)
{
    fiveDocuments();
    open();
    struct Case {
        QString kurum, birim, cevap, gizlilik;
        QString condition;
        QStringList numbers;
    };
    const QString all = QStringLiteral("TÜMÜ"), tumu = QStringLiteral("Tümü");
    const Case cases[] = {
        {all, all, tumu, tumu, QString(), {"1", "2", "3", "4", "5"}},
        {QStringLiteral("Tapu Müdürlüğü"),
         all,
         tumu,
         tumu,
         QStringLiteral("WHERE D.DKOD=:DK AND G1.DKOD=:DK"),
         {"2", "4", "5"}},
        {all,
         QStringLiteral("Zabıta Müdürlüğü"),
         tumu,
         tumu,
         QStringLiteral("WHERE B.BKOD=:BK AND G1.BKOD=:BK"),
         {"2", "3", "5"}},
        // Waiting: CEVDUR 'E' and ILGNO 0, whether or not CEVNO is set.
        {all,
         all,
         QStringLiteral("Cevap Bekleyen"),
         tumu,
         QStringLiteral("WHERE CEVDUR='E' AND ILGNO=0"),
         {"1", "3"}},
        {all,
         all,
         QStringLiteral("Cevap Verilen"),
         tumu,
         QStringLiteral("WHERE CEVDUR='E' AND ILGNO>0"),
         {"2"}},
        {all, all, tumu, QStringLiteral("Gizli"), QStringLiteral("WHERE GIZDER=:GD"), {"2", "4"}},
        {QStringLiteral("Tapu Müdürlüğü"),
         QStringLiteral("Zabıta Müdürlüğü"),
         tumu,
         QStringLiteral("Gizli"),
         QStringLiteral(
             "WHERE D.DKOD=:DK AND G1.DKOD=:DK AND B.BKOD=:BK AND G1.BKOD=:BK AND G1.GIZDER=:GD"),
         {"2"}},
        {all,
         QStringLiteral("Zabıta Müdürlüğü"),
         QStringLiteral("Cevap Bekleyen"),
         QStringLiteral("Çok Gizli"),
         QStringLiteral(
             "WHERE B.BKOD=:BK AND G1.BKOD=:BK AND CEVDUR='E' AND ILGNO=0 AND G1.GIZDER=:GD"),
         {"3"}},
        {all, all, tumu, QStringLiteral("Kişiye Özel"), QStringLiteral("WHERE GIZDER=:GD"), {"5"}},
        {all, all, tumu, QStringLiteral("Özel"), QStringLiteral("WHERE GIZDER=:GD"), {"1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.condition.toStdString());
        choose(filter("cmbKurum"), c.kurum);
        choose(filter("cmbBirim"), c.birim);
        choose(filter("cmbCevap"), c.cevap);
        choose(filter("cmbGizlilik"), c.gizlilik);
        const QStringList lines = list.list().sql().split(QLatin1Char('\n'));
        // The select line, three joins, the condition line when any, the order.
        EXPECT_EQ(lines.size() == 6 ? lines.value(4) : QString(), c.condition);
        EXPECT_EQ(lines.last(), QStringLiteral("ORDER BY G1.GELNO"));
        EXPECT_EQ(shown(QStringLiteral("Kay.No")), c.numbers);
    }
}

// The code is compared on the register's own column too (for its index),
// with the same rows as on the joined code table: a name whose row went
// away while the list was open gives the code 0, which finds nothing, not
// the documents without an institution or department.
TEST_F(List, ANameWithoutARowFindsNothingNotTheDocumentsWithoutACode)
{
    fiveDocuments();
    addIncoming({.kayno = 16, .gelno = 6, .bkod = 0, .dkod = 0});
    open();
    t.exec(QStringLiteral("DELETE FROM DISKUR WHERE DKOD=2"));
    t.exec(QStringLiteral("DELETE FROM BIRIM WHERE BKOD=5"));
    choose(filter("cmbKurum"), QStringLiteral("Tapu Müdürlüğü"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList());
    choose(filter("cmbKurum"), QStringLiteral("TÜMÜ"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")).size(), 6);
    choose(filter("cmbBirim"), QStringLiteral("Fen İşleri Müdürlüğü"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList());
}

TEST_F(List, AClerkTiedToADepartmentSeesOnlyItsDocuments)
{
    fiveDocuments();
    ctx.UserDeptCode = 3;
    open();
    QComboBox& birim = filter("cmbBirim");
    EXPECT_FALSE(birim.isEnabled());
    EXPECT_EQ(birim.currentText(), QStringLiteral("Zabıta Müdürlüğü"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), (QStringList{"2", "3", "5"}));
    choose(filter("cmbKurum"), QStringLiteral("Çankırı Valiliği"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList{"3"});
    choose(filter("cmbKurum"), QStringLiteral("TÜMÜ"));
    choose(filter("cmbGizlilik"), QStringLiteral("Kişiye Özel"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList{"5"});

    // Even when the clerk's department has no row, nothing else shows.
    ctx.UserDeptCode = 9;
    list.reactivate();
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList());
}

TEST_F(List, DeletingAsksRefusesAnAnsweredDocumentAndResetsTheNumberGenerator)
{
    addOutgoing(20, 7, QStringLiteral("Giden"), 12);
    addOutgoing(21, 8, QStringLiteral("Cevaplayan"), 0, QStringLiteral("H"));
    t.exec(QStringLiteral("UPDATE GIDEN SET ILGNO=11,ILGDUR='G' WHERE KAYNO=21"));
    addIncoming({.kayno = 11, .gelno = 1, .cevdur = QStringLiteral("E"), .cevno = 21});
    addIncoming({.kayno = 12, .gelno = 2, .ilgno = 20});
    addIncoming({.kayno = 13, .gelno = 3});
    for (int harno : {1, 2})
        t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(:H,13,:M)"),
               {harno, pictureFile("JPG", Qt::red)});
    t.database().commit();
    PromptScript prompts;
    open();
    const QString withPictures =
        QStringLiteral("DİKKAT! Bu Kayıt ve Taranmış Resimleri Silinecektir. Onaylıyormusunuz.?");

    prompts.expectQuestion(withPictures, false);
    button("btnSil").click();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM GELEN")), 3);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TEXT WHERE KAYNO=13")), 2);

    // The newest one: the question names its pictures, which go with it;
    // the generator follows the highest number left.
    prompts.expectQuestion(withPictures, true);
    QTest::keyClick(&list, Qt::Key_F10);
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), (QStringList{"1", "2"}));
    EXPECT_EQ(current(QStringLiteral("KAYNO")), QStringLiteral("11"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT GEN_ID(GEN_GELNO,0) FROM RDB$DATABASE")),
              QStringLiteral("2"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TEXT WHERE KAYNO=13")), 0);

    // Answered by outgoing 21: refused, the row stays.
    prompts
        .expectQuestion(QStringLiteral("DİKKAT! Bu Kayıt Silinecektir. Onaylıyormusunuz.?"), true)
        .expectMessage(registers::InUseMessage);
    button("btnSil").click();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM GELEN WHERE KAYNO=11")), 1);

    // The one answering outgoing 20: outgoing 20 waits for a reply again.
    list.list().last();
    prompts.expectQuestion(QStringLiteral("DİKKAT! Bu Kayıt Silinecektir. Onaylıyormusunuz.?"),
                           true);
    button("btnSil").click();
    EXPECT_EQ(count(QStringLiteral("SELECT CEVNO FROM GIDEN WHERE KAYNO=20")), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT GEN_ID(GEN_GELNO,0) FROM RDB$DATABASE")),
              QStringLiteral("1"));

    // Committed: another workstation sees the deletions, the pictures'
    // too.
    {
        auto other = t.openSecond();
        db::Query q(*other);
        q.add(QStringLiteral("SELECT (SELECT COUNT(*) FROM GELEN),(SELECT COUNT(*) FROM TEXT) "
                             "FROM RDB$DATABASE"));
        q.open();
        EXPECT_EQ(q.value(0, 0).toInt(), 1);
        EXPECT_EQ(q.value(0, 1).toInt(), 0);
    }

    // The only document left: refused; once its reply is gone, deleted and
    // the generator is 0.
    t.exec(QStringLiteral("UPDATE GIDEN SET ILGNO=0 WHERE KAYNO=21"));
    t.database().commit();
    prompts.expectQuestion(QStringLiteral("DİKKAT! Bu Kayıt Silinecektir. Onaylıyormusunuz.?"),
                           true);
    button("btnSil").click();
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), QStringList());
    EXPECT_EQ(scalar(QStringLiteral("SELECT GEN_ID(GEN_GELNO,0) FROM RDB$DATABASE")),
              QStringLiteral("0"));
    button("btnSil").click(); // an empty list: no question
}

TEST_F(List, AfterAChangeTheSameRowIsCurrentWithTheFiltersUnchanged)
{
    fiveDocuments();
    PromptScript prompts;
    open();
    choose(filter("cmbKurum"), QStringLiteral("Tapu Müdürlüğü"));
    list.list().locate(QStringLiteral("KAYNO"), 14);
    prompts.expectModal(QStringLiteral("TFRMGELEN"), [](QDialog& d) {
        auto& e = static_cast<registers::TFRMGELEN&>(d);
        EXPECT_EQ(e.EntryMode, registers::EntryMode::Edit);
        EXPECT_EQ(e.EntryKayno, 14);
        type(child<QPlainTextEdit>(d, "edtKonu"), QStringLiteral("Yeni "));
        child<QPushButton>(d, "btnKayit").click();
    });
    QTest::keyClick(&list, Qt::Key_F4);
    EXPECT_EQ(filter("cmbKurum").currentText(), QStringLiteral("Tapu Müdürlüğü"));
    EXPECT_EQ(shown(QStringLiteral("Kay.No")), (QStringList{"2", "4", "5"}));
    EXPECT_EQ(current(QStringLiteral("KAYNO")), QStringLiteral("14"));
    EXPECT_EQ(current(QStringLiteral("KONU")), QStringLiteral("Yeni Gelen konu"));

    // A double-click does the same; a cancelled entry changes nothing.
    list.list().first();
    prompts.expectModal(QStringLiteral("TFRMGELEN"),
                        [](QDialog& d) { child<QPushButton>(d, "btnVazgec").click(); });
    emit list.grid().rowActivated(0);
    EXPECT_EQ(current(QStringLiteral("KAYNO")), QStringLiteral("12"));

    // On an empty list "F4-Değiş" opens nothing; "F3-Ara" does nothing.
    choose(filter("cmbGizlilik"), QStringLiteral("Özel"));
    EXPECT_EQ(list.list().rowCount(), 0);
    QTest::keyClick(&list, Qt::Key_F4);
    QTest::keyClick(&list, Qt::Key_F3);
    EXPECT_TRUE(list.isVisible());
}

TEST_F(List, ClosesOnlyThroughItsExitButton)
{
    fiveDocuments();
    open();
    list.close();
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.list().rowCount(), 5);
    QTest::keyClick(&list, Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
    EXPECT_FALSE(list.list().isActive());
}

} // namespace
