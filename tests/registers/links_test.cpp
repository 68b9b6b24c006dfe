#include "registers/links.h"
#include "support/testdb.h"

#include <gtest/gtest.h>

using registers::LinkEdit;
using registers::Register;
using testsupport::TempDatabase;

namespace {

// A small register: documents with chosen keys, departments and institutions.
class Registers : public ::testing::Test {
protected:
    TempDatabase t;
    db::Query& q = t.dm().QRSORGU;

    void SetUp() override
    {
        t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(1,'Fen İşleri Müdürlüğü')"));
        t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(4,'Tapu Müdürlüğü')"));
    }
    void incoming(int kayno, int gelno, int ilgno = 0, int cevno = 0)
    {
        t.exec(QStringLiteral(
                   "INSERT INTO GELEN (KAYNO,GELNO,GELTAR,KONU,BKOD,DKOD,CEVDUR,CEVNO,ILGNO) "
                   "VALUES(:K,:N,'03.02.2026','Gelen konu',1,4,'E',:C,:I)"),
               {kayno, gelno, cevno, ilgno});
    }
    void outgoing(int kayno, int gidno, int ilgno = 0, const QString& ilgdur = QString(),
                  int cevno = 0)
    {
        t.exec(QStringLiteral(
                   "INSERT INTO GIDEN "
                   "(KAYNO,GIDNO,GIDTAR,KONU,BKOD,DKOD,BIRIM,CEVDUR,CEVNO,ILGNO,ILGDUR) "
                   "VALUES(:K,:N,'10.02.2026','Giden konu',1,4,'Serbest birim','E',:C,:I,:D)"),
               {kayno, gidno, cevno, ilgno, ilgdur});
    }
    void petition(int kayno, int dilno, int cevno = 0)
    {
        t.exec(QStringLiteral(
                   "INSERT INTO DILEKCE (KAYNO,DILNO,GELTAR,DILTAR,ADSOY,KONU,BKOD,CEVDUR,CEVNO) "
                   "VALUES(:K,:N,'01.02.2026','31.01.2026','Ali Veli','Dilekçe konu',1,'E',:C)"),
               {kayno, dilno, cevno});
    }
    int cevno(const QString& table, int kayno)
    {
        return t.scalar(QStringLiteral("SELECT CEVNO FROM %1 WHERE KAYNO=:K").arg(table), {kayno})
            .toInt();
    }
};

TEST_F(Registers, RelatedDocumentPanels)
{
    outgoing(20, 7);
    incoming(30, 12);
    petition(30, 5); // the same key as the incoming document, another register
    auto d = registers::ILGIGETIR(q, Register::Gelen, 20);
    EXPECT_TRUE(d.found);
    EXPECT_EQ(d.number, QStringLiteral("7"));
    EXPECT_EQ(d.date, QStringLiteral("10.02.2026"));
    EXPECT_EQ(d.department, QStringLiteral("Fen İşleri Müdürlüğü"));
    EXPECT_EQ(d.subject, QStringLiteral("Giden konu"));

    d = registers::ILGIGETIR(q, Register::Giden, 30, QStringLiteral("D"));
    EXPECT_EQ(d.number, QStringLiteral("5"));
    EXPECT_EQ(d.date, QStringLiteral("31.01.2026"));
    EXPECT_EQ(d.typeLabel, QStringLiteral("Dilekçe"));
    d = registers::ILGIGETIR(q, Register::Giden, 30, QStringLiteral("G"));
    EXPECT_EQ(d.number, QStringLiteral("12"));
    EXPECT_EQ(d.typeLabel, QStringLiteral("Gelen Evr."));

    for (const auto& empty : {registers::ILGIGETIR(q, Register::Gelen, 0),
                              registers::ILGIGETIR(q, Register::Gelen, 999),
                              registers::ILGIGETIR(q, Register::Giden, 30, QString())}) {
        EXPECT_FALSE(empty.found);
        EXPECT_EQ(empty.number + empty.date + empty.department + empty.subject, QString());
    }
}

TEST_F(Registers, ReplyStateLabels)
{
    incoming(30, 12);
    outgoing(20, 7);
    struct Case {
        Register entry;
        int cevno;
        QString label, details;
    };
    const Case cases[] = {
        {Register::Gelen, 20, QStringLiteral("Cevap Gönderildi...."),
         QStringLiteral("No:7  Tarih:10.02.2026  G.Yer:Tapu Müdürlüğü")},
        {Register::Dilekce, 20, QStringLiteral("Cevap Gönderildi...."),
         QStringLiteral("No:7  Tarih:10.02.2026  G.Yer:Tapu Müdürlüğü")},
        {Register::Gelen, 0, QStringLiteral("Cevap Gönderilmedi...."), QString()},
        {Register::Giden, 30, QStringLiteral("Cevap Geldi...."),
         QStringLiteral("No:12 Tarih:03.02.2026  G.Yer:Tapu Müdürlüğü")},
        {Register::Giden, 31, QStringLiteral("Cevap Gelmedi...."), QString()}, // a deleted reply
    };
    for (const Case& c : cases) {
        const auto s = registers::CEVAPGETIR(q, c.entry, c.cevno);
        EXPECT_EQ(s.label, c.label);
        EXPECT_EQ(s.details, c.details);
    }
}

TEST_F(Registers, LinkChangesOfAVisitAreWrittenAtSaving)
{
    // Incoming 30 is the entry; outgoing 20 and 21 are the candidates.
    enum Step { Choose20, Choose21, Cancel };
    struct Case {
        const char* what;
        int stored;
        QList<Step> steps;
        int ilgno, cevno20, cevno21;
        // Another workstation linked its own reply to 20 meanwhile.
        int otherReplyTo20 = 0;
    };
    const Case cases[] = {
        {"a new link", 0, {Choose20}, 20, 30, 0},
        {"a cancelled link", 20, {Cancel}, 0, 0, 0},
        {"cancel, then another", 20, {Cancel, Choose21}, 21, 0, 30},
        {"another over the link", 20, {Choose21}, 21, 0, 30},
        {"cancel, then the same again", 20, {Cancel, Choose20}, 20, 30, 0},
        {"choose, then cancel", 0, {Choose20, Cancel}, 0, 0, 0},
        {"nothing changed", 20, {}, 20, 30, 0},
        {"a cancel keeps another reply", 20, {Cancel}, 0, 44, 0, 44},
        {"a replacement keeps another reply", 20, {Choose21}, 21, 44, 30, 44},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        t.exec(QStringLiteral("DELETE FROM GIDEN"));
        outgoing(20, 7, 0, QString(),
                 c.otherReplyTo20 ? c.otherReplyTo20
                 : c.stored == 20 ? 30
                                  : 0);
        outgoing(21, 8);
        LinkEdit link;
        link.reset(c.stored, QString());
        for (Step s : c.steps) {
            if (s == Cancel)
                EXPECT_TRUE(link.cancel());
            else
                link.choose(s == Choose20 ? 20 : 21);
        }
        EXPECT_EQ(link.apply(q, Register::Gelen, 30), c.ilgno);
        EXPECT_EQ(cevno(QStringLiteral("GIDEN"), 20), c.cevno20);
        EXPECT_EQ(cevno(QStringLiteral("GIDEN"), 21), c.cevno21);
    }

    LinkEdit none;
    none.reset(0, QString());
    EXPECT_FALSE(none.cancel()); // "DİKKAT! İlgili Evrak Kaydı Bulunamadı"
}

TEST_F(Registers, OutgoingLinkMovesFromAnIncomingDocumentToAPetition)
{
    incoming(30, 12, 0, 20);
    petition(30, 5);
    outgoing(20, 7, 30, QStringLiteral("G"));
    LinkEdit link;
    link.reset(30, QStringLiteral("G"));
    link.choose(30, QStringLiteral("D")); // the petition that has the same key
    EXPECT_EQ(link.apply(q, Register::Giden, 20), 30);
    EXPECT_EQ(cevno(QStringLiteral("GELEN"), 30), 0);
    EXPECT_EQ(cevno(QStringLiteral("DILEKCE"), 30), 20);
    EXPECT_EQ(link.ilgdur(), QStringLiteral("D"));
}

TEST_F(Registers, DeletionChecksAndResets)
{
    incoming(30, 12); // answered by outgoing 20
    outgoing(20, 7, 30, QStringLiteral("G"));
    petition(31, 5, 21); // answered by outgoing 21
    outgoing(21, 8, 31, QStringLiteral("D"));
    incoming(31, 13); // same key as the petition: nobody answers it
    outgoing(22, 9, 0, QString(), 32);
    incoming(32, 14, 22); // answers outgoing 22

    EXPECT_FALSE(registers::mayDelete(q, Register::Gelen, 30));
    EXPECT_TRUE(registers::mayDelete(q, Register::Gelen, 31));
    EXPECT_FALSE(registers::mayDelete(q, Register::Giden, 22));
    EXPECT_TRUE(registers::mayDelete(q, Register::Giden, 20));
    // A petition an outgoing document answers stays; incoming 31 with the
    // same key does not keep it.
    EXPECT_FALSE(registers::mayDelete(q, Register::Dilekce, 31));
    petition(33, 6, 0);
    EXPECT_TRUE(registers::mayDelete(q, Register::Dilekce, 33));

    // Outgoing 20 deleted: incoming 30 waits again.
    t.exec(QStringLiteral("UPDATE GELEN SET CEVNO=20 WHERE KAYNO=30"));
    registers::resetAfterDelete(q, Register::Giden, 20, 30, QStringLiteral("G"));
    EXPECT_EQ(cevno(QStringLiteral("GELEN"), 30), 0);
    registers::resetAfterDelete(q, Register::Giden, 21, 31, QStringLiteral("D"));
    EXPECT_EQ(cevno(QStringLiteral("DILEKCE"), 31), 0);
    EXPECT_EQ(cevno(QStringLiteral("GELEN"), 31), 0);
    // A reply linked to the answered document since is kept.
    t.exec(QStringLiteral("UPDATE GELEN SET CEVNO=25 WHERE KAYNO=30"));
    registers::resetAfterDelete(q, Register::Giden, 20, 30, QStringLiteral("G"));
    EXPECT_EQ(cevno(QStringLiteral("GELEN"), 30), 25);

    // Incoming 32 deleted: outgoing 22 waits again, but a reply linked to it
    // since is kept.
    registers::resetAfterDelete(q, Register::Gelen, 32, 22, QString());
    EXPECT_EQ(cevno(QStringLiteral("GIDEN"), 22), 0);
    t.exec(QStringLiteral("UPDATE GIDEN SET CEVNO=40 WHERE KAYNO=22"));
    registers::resetAfterDelete(q, Register::Gelen, 32, 22, QString());
    EXPECT_EQ(cevno(QStringLiteral("GIDEN"), 22), 40);
}

} // namespace
