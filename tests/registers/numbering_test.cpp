// Registry numbers stay unique when workstations save at the same moment.

#include "registers/documententry.h"
#include "registers/pictures.h"
#include "support/testdb.h"

#include "db/query.h"

#include <gtest/gtest.h>

#include <barrier>
#include <thread>

using testsupport::TempDatabase;

namespace {

class RegistryNumber : public testing::TestWithParam<const registers::RegisterTable* (*)()> {};

// Two workstations attached through the server register documents in step:
// each fills a new document, both press "F5-Kayıt" at the same moment, again
// and again. Every document gets a number of its own, the numbers run 1, 2,
// 3 ... without a gap.
TEST_P(RegistryNumber, TwoWorkstationsSavingAtOnceNeverTakeTheSameNumber)
{
    const registers::RegisterTable& reg = *GetParam()();
    TempDatabase t;
    t.database().close(); // the embedded engine would keep the file for itself
    const QString name = testsupport::testServer() + QLatin1Char(':') + t.path();
    constexpr int Saves = 25;
    std::barrier together(2);
    auto workstation = [&](const QString& clerk) {
        try {
            core::TDM dm;
            dm.IBDATABASE.open(name);
            core::AppContext ctx;
            registers::DocumentEntry entry(reg, dm, ctx);
            for (int i = 0; i < Saves; ++i) {
                entry.setUp(registers::EntryMode::New, 0);
                entry.record().setValue(QStringLiteral("KONU"), clerk);
                together.arrive_and_wait();
                entry.save();
            }
        } catch (const std::exception& e) {
            ADD_FAILURE() << clerk.toStdString() << ": " << e.what();
            together.arrive_and_drop();
        }
    };
    std::thread first(workstation, QStringLiteral("birinci"));
    std::thread second(workstation, QStringLiteral("ikinci"));
    first.join();
    second.join();

    db::Database check;
    check.open(name);
    db::Query q(check);
    q.add(QStringLiteral("SELECT COUNT(*),COUNT(DISTINCT %1),MIN(%1),MAX(%1) FROM %2")
              .arg(reg.numberColumn, reg.table));
    q.open();
    EXPECT_EQ(q.value(0, 0).toInt(), 2 * Saves);
    EXPECT_EQ(q.value(0, 1).toInt(), 2 * Saves);
    EXPECT_EQ(q.value(0, 2).toInt(), 1);
    EXPECT_EQ(q.value(0, 3).toInt(), 2 * Saves);
}

// Two clerks add a scanned page to the same document through the server,
// each having opened it before the other saved: the second page takes the
// next number instead of colliding with the first.
TEST(PictureNumber, IsTakenWhenThePageIsWrittenNotWhenTheDocumentWasOpened)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO GELEN (KAYNO,GELNO) VALUES(7,1)"));
    t.database().commit();
    t.database().close();
    const QString name = testsupport::testServer() + QLatin1Char(':') + t.path();
    core::TDM first, second;
    first.IBDATABASE.open(name);
    second.IBDATABASE.open(name);
    registers::DocumentPictures a(first.QRSORGU), b(second.QRSORGU);
    a.load(7);
    b.load(7);
    a.add(QByteArray("birinci sayfa"));
    first.FDTransaction1.commit();
    b.add(QByteArray("ikinci sayfa"));
    second.FDTransaction1.commit();
    EXPECT_EQ(b.pictures().value(0).harno, 2);

    db::Query q(first.IBDATABASE);
    q.openLines({QStringLiteral("SELECT LIST(HARNO) FROM (SELECT HARNO FROM TEXT WHERE KAYNO=7 "
                                "ORDER BY HARNO)")});
    EXPECT_EQ(q.value(0, 0).toString(), QStringLiteral("1,2"));
}

// Both clerks add a page before either has saved: they take the same
// number, and the second is told within the lock timeout that another
// workstation is using the record; once the first has saved, adding again
// takes the next number.
TEST(PictureNumber, TwoPagesAddedAtOnceEndInRecordInUseAndASecondTryTakesTheNextNumber)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO GELEN (KAYNO,GELNO) VALUES(7,1)"));
    t.database().commit();
    t.database().close();
    const QString name = testsupport::testServer() + QLatin1Char(':') + t.path();
    core::TDM first, second;
    first.IBDATABASE.open(name);
    second.IBDATABASE.open(name);
    registers::DocumentPictures a(first.QRSORGU), b(second.QRSORGU);
    a.load(7);
    b.load(7);
    a.add(QByteArray("birinci sayfa"));
    {
        testsupport::Rescue rescue(first.IBDATABASE);
        try {
            b.add(QByteArray("ikinci sayfa"));
            ADD_FAILURE() << "stored while the other workstation held the number";
        } catch (const db::DbError& e) {
            EXPECT_EQ(int(e.fault()), int(db::DbError::Fault::RecordInUse)) << e.what();
        }
        EXPECT_FALSE(rescue.finish()) << "waited until the other workstation gave up";
    }
    EXPECT_TRUE(b.isEmpty()); // nothing of the refused page is kept
    first.FDTransaction1.commit();
    b.add(QByteArray("ikinci sayfa"));
    second.FDTransaction1.commit();
    EXPECT_EQ(b.pictures().value(0).harno, 2);
}

// Clerk B adds an emblem in "Genel Tanımlar" and leaves the screen open,
// holding the row of TANIM that numbering locks; clerk A presses
// "F5-Kayıt". A is told within the lock timeout, keeps the document, and a
// second F5 once B has left saves it with its number.
TEST_P(RegistryNumber, ASaveWhileAnotherHoldsTheNumberingRowEndsInRecordInUseAndCanBeRepeated)
{
    const registers::RegisterTable& reg = *GetParam()();
    TempDatabase t;
    t.database().close();
    const QString name = testsupport::testServer() + QLatin1Char(':') + t.path();
    core::TDM a;
    core::TDM b;
    a.IBDATABASE.open(name);
    b.IBDATABASE.open(name);
    db::Query(b.IBDATABASE)
        .execLines({QStringLiteral("UPDATE TANIM SET LOGO=:L")}, {QByteArray("BM")});

    core::AppContext ctx;
    registers::DocumentEntry entry(reg, a, ctx);
    entry.setUp(registers::EntryMode::New, 0);
    entry.record().setValue(QStringLiteral("KONU"), QStringLiteral("Beklemeyen kayıt"));
    {
        testsupport::Rescue rescue(b.IBDATABASE);
        try {
            entry.save();
            ADD_FAILURE() << "saved while the other workstation held the row";
        } catch (const db::DbError& e) {
            EXPECT_EQ(int(e.fault()), int(db::DbError::Fault::RecordInUse)) << e.what();
        }
        EXPECT_FALSE(rescue.finish()) << "waited until the other workstation gave up";
    }
    EXPECT_EQ(entry.record().text(QStringLiteral("KONU")), QStringLiteral("Beklemeyen kayıt"));

    b.IBDATABASE.commit(); // B leaves the screen
    entry.save();
    db::Query q(b.IBDATABASE);
    q.openLines({QStringLiteral("SELECT %1,KONU FROM %2").arg(reg.numberColumn, reg.table)});
    ASSERT_EQ(q.rowCount(), 1);
    EXPECT_EQ(q.value(0, 0).toInt(), 1);
    EXPECT_EQ(q.value(0, 1).toString(), QStringLiteral("Beklemeyen kayıt"));
}

INSTANTIATE_TEST_SUITE_P(Registers, RegistryNumber,
                         testing::Values([] { return &registers::incomingRegister(); },
                                         [] { return &registers::outgoingRegister(); }),
                         [](const auto& info) {
                             return info.index == 0 ? "incoming" : "outgoing";
                         });

} // namespace
