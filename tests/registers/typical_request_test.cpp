// The system's typical request, through the real screens against a real
// file: the list opens, "F2-Yeni Evrak", the document is filled, related to
// an outgoing document through the picker, two scanned pages are attached,
// "F5-Kayıt", and the list comes back on the new document with its number.

#include "registers_support.h"

#include "db/query.h"
#include "support/promptscript.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace registerstest;
using testsupport::PromptScript;

namespace {

using TypicalRequest = Incoming;

TEST_F(TypicalRequest, RegisteringAnIncomingDocumentThatAnswersAnOutgoingOne)
{
    addOutgoing(20, 7, QStringLiteral("Tapu kayıtlarının gönderilmesi talebi"));
    addIncoming({.kayno = 10, .gelno = 1});
    addIncoming({.kayno = 11, .gelno = 2});
    const QByteArray page1 = pictureFile("JPG", Qt::white, QSize(620, 877));
    const QByteArray page2 = pictureFile("JPG", Qt::lightGray, QSize(620, 877));

    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMGELEN"), [](QDialog& screen) {
        // Within the entry screen, as the clerk fills it.
        showActive(screen);
        choose(child<QComboBox>(screen, "cmbSdp"), QStringLiteral("806.01.01"));
        choose(child<QComboBox>(screen, "cmbBirim"), QStringLiteral("Fen İşleri Müdürlüğü"));
        choose(child<QComboBox>(screen, "cmbKurum"), QStringLiteral("Tapu Müdürlüğü"));
        type(child<QLineEdit>(screen, "edtEvsay"), QStringLiteral("B.45.1.TKG-1204"));
        auto& evtar = child<QLineEdit>(screen, "edtEvtar");
        evtar.setCursorPosition(0);
        type(evtar, QStringLiteral("11032026"));
        doubleClick(child<QPlainTextEdit>(screen, "edtKonu"));
        type(child<QLineEdit>(screen, "edtEksay"), QStringLiteral("2"));
        child<QPushButton>(screen, "btnIlgili").click();
        EXPECT_EQ(child<QLabel>(screen, "lblIlgNo").text(), QStringLiteral("7"));
        child<QPushButton>(screen, "btnEkle").click();
        child<QPushButton>(screen, "btnEkle").click();
        showActive(screen); // back from the picker and the file dialogs
        QTest::keyClick(&screen, Qt::Key_F5);
    });
    prompts.expectModal(QStringLiteral("TFRMGIDBUL"), [](QDialog& picker) {
        auto& p = static_cast<lists::TFRMGIDBUL&>(picker);
        showActive(picker);
        ASSERT_TRUE(p.list().locate(QStringLiteral("KAYNO"), 20));
        QTest::keyClick(&picker, Qt::Key_F5);
    });
    prompts.expectOpenFile(writeFile(QStringLiteral("sayfa1.jpg"), page1));
    prompts.expectOpenFile(writeFile(QStringLiteral("sayfa2.jpg"), page2));

    showActive(list);
    EXPECT_EQ(list.list().rowCount(), 2);
    QTest::keyClick(&list, Qt::Key_F2);
    prompts.verify();

    // The list is back on the new document, with its registry number.
    ASSERT_EQ(list.list().rowCount(), 3);
    EXPECT_EQ(list.list().currentRow(), 2);
    EXPECT_EQ(list.list().field(QStringLiteral("KAYNO")).toString(), QStringLiteral("101"));
    EXPECT_EQ(list.list().field(QStringLiteral("GELNO")).toString(), QStringLiteral("3"));
    EXPECT_EQ(list.list().field(QStringLiteral("CNO")).toString(), QStringLiteral("7"));
    EXPECT_EQ(list.list().field(QStringLiteral("TARNO")).toString(),
              QStringLiteral("11.03.2026/B.45.1.TKG-1204"));
    EXPECT_EQ(child<QLabel>(list, "lblKonu").text(), QStringLiteral("Bilgi Talepleri"));

    // Stored and committed, both sides of the link and both pages included:
    // another workstation sees them.
    auto other = t.openSecond();
    db::Query q(*other);
    q.add(QStringLiteral(
        "SELECT G.GELNO,G.GELTAR,G.SDP,G.BKOD,G.BSIRNO,G.TESADI,G.DKOD,G.ILGNO,G.EKSAY,"
        "D.CEVNO FROM GELEN G JOIN GIDEN D ON(D.KAYNO=G.ILGNO) WHERE G.KAYNO=101"));
    q.open();
    ASSERT_EQ(q.rowCount(), 1);
    QStringList values;
    for (int c = 0; c < q.columnCount(); ++c)
        values << q.value(0, c).toString();
    EXPECT_EQ(values, (QStringList{"3", "14.03.2026", "806.01.01", "5", "1", "Mehmet Kaya", "2",
                                   "20", "2", "101"}));
    q.close();
    q.clear();
    q.add(QStringLiteral("SELECT HARNO,METIN FROM TEXT WHERE KAYNO=101 ORDER BY HARNO"));
    q.open();
    ASSERT_EQ(q.rowCount(), 2);
    EXPECT_EQ(q.value(0, 1).toBytes(), page1);
    EXPECT_EQ(q.value(1, 1).toBytes(), page2);
}

} // namespace
