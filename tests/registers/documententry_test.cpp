// The entry logic below the screens, the same for the three registers:
// opening, defaults, numbering, saving, cancelling, deleting.

#include "registers/browselist.h"
#include "registers/documententry.h"
#include "support/testdb.h"

#include "core/clock.h"
#include "db/query.h"

#include <gtest/gtest.h>

using registers::DocumentEntry;
using registers::EntryMode;
using registers::RegisterTable;

namespace {

struct RegisterCase {
    const char* name;
    const RegisterTable& (*table)();
    // The columns a new document starts with, as stored.
    QString defaults;
    QString expectedDefaults;
};

const RegisterCase cases[] = {
    {"incoming", registers::incomingRegister,
     QStringLiteral("GELTAR,ZDUR,GIZDER,CEVDUR,CEVNO,ILGNO,GSIRNO,BKOD"),
     QStringLiteral("14.03.2026|İ|Ö|H|0|0|1|5")},
    {"outgoing", registers::outgoingRegister,
     QStringLiteral("GIDTAR,ZDUR,GIZDER,CEVDUR,CEVNO,ILGNO,GSIRNO,BKOD,ILGDUR"),
     QStringLiteral("14.03.2026|İ|Ö|H|0|0|1|5|")},
    // A petition starts without a department, whoever the clerk is.
    {"petition", registers::petitionRegister,
     QStringLiteral("GELTAR,ZDUR,GIZDER,CEVDUR,CEVNO,BKOD"), QStringLiteral("14.03.2026|İ|Ö|H|0|")},
};

class EntryLogic : public testing::TestWithParam<RegisterCase> {
protected:
    EntryLogic()
    {
        core::Clock::install(&clock);
        t.exec(QStringLiteral(
            "INSERT INTO BIRIM (BKOD,BIRIM,YET,GOR) VALUES(5,'Fen İşleri','Ali Kaya','Müdür')"));
        t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(6,'Zabıta')"));
        t.database().commit();
        ctx.UserDeptCode = 5; // a clerk of "Fen İşleri"
    }
    ~EntryLogic() override { core::Clock::install(nullptr); }

    const RegisterTable& reg() const { return GetParam().table(); }
    QString row(int kayno, const QString& columns)
    {
        db::Query q(t.database());
        q.add(QStringLiteral("SELECT %1 FROM %2 WHERE KAYNO=:K").arg(columns, reg().table));
        q.bind(0, kayno);
        q.open();
        QStringList values;
        for (int c = 0; c < q.columnCount() && !q.isEmpty(); ++c)
            values << q.value(0, c).toString();
        return values.join(QLatin1Char('|'));
    }
    // Registers a new document with the subject and, when given, a number
    // typed by the clerk; returns its key.
    int registerNew(const QString& konu, int typedNumber = 0)
    {
        entry.setUp(EntryMode::New, 0);
        entry.record().setValue(QStringLiteral("KONU"), konu);
        if (typedNumber)
            entry.record().setValue(reg().numberColumn, typedNumber);
        entry.save();
        return entry.record().kayno();
    }
    int number(int kayno) { return row(kayno, reg().numberColumn).toInt(); }

    testsupport::TempDatabase t;
    core::FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 0))};
    core::AppContext ctx;
    DocumentEntry entry{reg(), t.dm(), ctx};
};

TEST_P(EntryLogic, ANewDocumentGetsItsKeyFromItsGeneratorAndItsDefaults)
{
    t.exec(QStringLiteral("SET GENERATOR %1 TO 40").arg(reg().keyGenerator));
    t.database().commit();
    ASSERT_TRUE(entry.setUp(EntryMode::New, 0));
    EXPECT_EQ(entry.record().kayno(), 41);
    entry.save();
    EXPECT_EQ(row(41, GetParam().defaults), GetParam().expectedDefaults);
    EXPECT_EQ(number(41), 1); // the first of an empty register
}

TEST_P(EntryLogic, NumbersRunOnAfterTheHighestAndADeletedLastNumberIsGivenAgain)
{
    const int first = registerNew(QStringLiteral("bir"));
    const int second = registerNew(QStringLiteral("iki"));
    const int third = registerNew(QStringLiteral("üç"));
    EXPECT_EQ(number(first), 1);
    EXPECT_EQ(number(second), 2);
    EXPECT_EQ(number(third), 3);

    ASSERT_TRUE(registers::deleteDocument(t.dm(), reg(), third, 0, QString()));
    const int again = registerNew(QStringLiteral("dört"));
    EXPECT_EQ(number(again), 3);

    // A number the clerk typed is stored as typed, even one already taken.
    const int typed = registerNew(QStringLiteral("elle"), 2);
    EXPECT_EQ(number(typed), 2);
}

TEST_P(EntryLogic, AnEditWritesTheChangeAndACancelUndoesEverythingSinceTheLastCommit)
{
    const int kayno = registerNew(QStringLiteral("ilk konu"));

    ASSERT_TRUE(entry.setUp(EntryMode::Edit, kayno));
    EXPECT_EQ(entry.record().text(QStringLiteral("KONU")), QStringLiteral("ilk konu"));
    entry.record().setValue(QStringLiteral("KONU"), QStringLiteral("değişen konu"));
    entry.save();
    EXPECT_EQ(row(kayno, QStringLiteral("KONU")), QStringLiteral("değişen konu"));
    EXPECT_EQ(number(kayno), 1); // an edit never renumbers

    ASSERT_TRUE(entry.setUp(EntryMode::Edit, kayno));
    entry.record().setValue(QStringLiteral("KONU"), QStringLiteral("vazgeçilen"));
    entry.record().store(t.dm().QRSORGU);
    entry.cancel();
    EXPECT_EQ(row(kayno, QStringLiteral("KONU")), QStringLiteral("değişen konu"));

    entry.setUp(EntryMode::New, 0);
    const int cancelled = entry.record().kayno();
    entry.cancel();
    EXPECT_EQ(row(cancelled, QStringLiteral("KAYNO")), QString());
}

TEST_P(EntryLogic, ADocumentDeletedByAnotherWorkstationIsNotSetUp)
{
    const int kayno = registerNew(QStringLiteral("silinecek"));
    auto other = t.openSecond();
    db::Query q(*other);
    q.execLines({QStringLiteral("DELETE FROM %1 WHERE KAYNO=:K").arg(reg().table)}, {kayno});
    other->commit();
    EXPECT_FALSE(entry.setUp(EntryMode::Edit, kayno));
}

// Deleted after the entry opened it: saving, with or without a change, is
// refused before the commit.
TEST_P(EntryLogic, SavingADocumentDeletedByAnotherWorkstationMeanwhileIsRefused)
{
    for (const bool changed : {false, true}) {
        SCOPED_TRACE(changed ? "changed" : "unchanged");
        const int kayno = registerNew(QStringLiteral("silinecek"));
        ASSERT_TRUE(entry.setUp(EntryMode::Edit, kayno));
        {
            auto other = t.openSecond();
            db::Query q(*other);
            q.execLines({QStringLiteral("DELETE FROM %1 WHERE KAYNO=:K").arg(reg().table)},
                        {kayno});
            other->commit();
        }
        if (changed)
            entry.record().setValue(QStringLiteral("KONU"), QStringLiteral("kaybolacak"));
        const std::optional<registers::EntryRefusal> refused = entry.save();
        ASSERT_TRUE(refused.has_value());
        EXPECT_EQ(refused->column, QString());
        EXPECT_EQ(refused->message, registers::MissingDocumentMessage);
        EXPECT_EQ(entry.record().changedColumns().isEmpty(), !changed);
        entry.cancel();
        EXPECT_EQ(row(kayno, QStringLiteral("KAYNO")), QString());
    }
}

INSTANTIATE_TEST_SUITE_P(ThreeRegisters, EntryLogic, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
