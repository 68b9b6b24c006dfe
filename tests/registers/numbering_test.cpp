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

INSTANTIATE_TEST_SUITE_P(Registers, RegistryNumber,
                         testing::Values([] { return &registers::incomingRegister(); },
                                         [] { return &registers::outgoingRegister(); }),
                         [](const auto& info) {
                             return info.index == 0 ? "incoming" : "outgoing";
                         });

} // namespace
