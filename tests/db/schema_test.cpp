#include "db/query.h"
#include "db/schema.h"
#include "support/testdb.h"

#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

QStringList columnsOf(TempDatabase& t, const QString& table)
{
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT TRIM(RDB$FIELD_NAME) F FROM RDB$RELATION_FIELDS"));
    q.add(QStringLiteral("WHERE RDB$RELATION_NAME=:T ORDER BY RDB$FIELD_POSITION"));
    q.bind(0, table);
    q.open();
    QStringList names;
    for (q.first(); !q.eof(); q.next())
        names << q.field(QStringLiteral("F")).toString();
    return names;
}

int primaryKeys(TempDatabase& t)
{
    return t
        .scalar(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS "
                               "WHERE RDB$CONSTRAINT_TYPE='PRIMARY KEY'"))
        .toInt();
}

TEST(Schema, NewFileIsAtTheCurrentVersion)
{
    TempDatabase t;
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT VER FROM TANIM")), QStringLiteral("12.003"));
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT COUNT(*) FROM TANIM")), QStringLiteral("1"));
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT USR FROM USERS WHERE HNO=1")),
              QStringLiteral("VELOR"));
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT COUNT(*) FROM RIGHTS WHERE HNO=1 AND G='E'")),
              QString::number(db::rightCodes().size()));
    EXPECT_EQ(columnsOf(t, QStringLiteral("GIDEN")),
              QStringList({"KAYNO",  "GIDNO",  "GIDTAR", "EVSAY",  "EVTAR", "EKOD",  "KONU",
                           "BKOD",   "DKOD",   "EKSAY",  "EK",     "ZDUR",  "ZNO",   "ZTAR",
                           "GIZDER", "TESADI", "TESGOR", "CEVDUR", "CEVNO", "ILGNO", "DOSYA",
                           "BIRIM",  "BSIRNO", "GSIRNO", "ILGDUR", "SDP"}));
    EXPECT_EQ(columnsOf(t, QStringLiteral("TEXT")), QStringList({"HARNO", "KAYNO", "METIN"}));
    EXPECT_EQ(columnsOf(t, QStringLiteral("BIRIM")), QStringList({"BKOD", "BIRIM", "YET", "GOR"}));
    EXPECT_EQ(columnsOf(t, QStringLiteral("SABLON")), QStringList({"KAYNO", "ACIK", "METIN"}));
    EXPECT_EQ(primaryKeys(t), 5); // GELEN, GIDEN, DILEKCE, TEXT, SDP
}

int columnLength(TempDatabase& t, const char* table, const char* column)
{
    return t
        .scalar(QStringLiteral("SELECT F.RDB$CHARACTER_LENGTH FROM RDB$RELATION_FIELDS R "
                               "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME=R.RDB$FIELD_SOURCE "
                               "WHERE R.RDB$RELATION_NAME=:T AND R.RDB$FIELD_NAME=:C"),
                {QString::fromLatin1(table), QString::fromLatin1(column)})
        .toInt();
}

TEST(Schema, TodaysNumbersAndNamesFitANewFileAndA12002FileKeepsItsWidths)
{
    struct Case {
        const char* table;
        const char* column;
        int current, v12002;
    };
    const Case cases[] = {
        {"GELEN", "EVSAY", 40, 15},    {"GIDEN", "EVSAY", 40, 15},    {"GELEN", "TESADI", 40, 15},
        {"GIDEN", "TESGOR", 40, 15},   {"DILEKCE", "TESADI", 40, 15}, {"DILEKCE", "TESGOR", 40, 15},
        {"DISKUR", "DKURUM", 100, 30}, {"BIRIM", "BIRIM", 100, 30},   {"ECINS", "ECINS", 100, 30},
        {"TANIM", "KURUM", 100, 30},   {"GELEN", "KONU", 200, 200},   {"BIRIM", "YET", 25, 25},
    };
    TempDatabase current;
    TempDatabase old(db::SchemaVersion::V12_002);
    EXPECT_EQ(old.scalar(QStringLiteral("SELECT VER FROM TANIM")), QStringLiteral("12.002"));
    for (const Case& c : cases) {
        EXPECT_EQ(columnLength(current, c.table, c.column), c.current)
            << c.table << "." << c.column;
        EXPECT_EQ(columnLength(old, c.table, c.column), c.v12002) << c.table << "." << c.column;
    }
}

TEST(Schema, OldestFileLacksWhatTheUpgradesAdd)
{
    TempDatabase t(db::SchemaVersion::V10_002);
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT VER FROM TANIM")), QStringLiteral("10.002"));
    EXPECT_EQ(columnsOf(t, QStringLiteral("TEXT")), QStringList({"KAYNO", "METIN"}));
    EXPECT_EQ(columnsOf(t, QStringLiteral("BIRIM")), QStringList({"BKOD", "BIRIM"}));
    EXPECT_FALSE(columnsOf(t, QStringLiteral("GIDEN")).contains(QStringLiteral("ILGDUR")));
    EXPECT_FALSE(columnsOf(t, QStringLiteral("GELEN")).contains(QStringLiteral("SDP")));
    EXPECT_TRUE(columnsOf(t, QStringLiteral("SDP")).isEmpty());
    EXPECT_TRUE(columnsOf(t, QStringLiteral("SABLON")).isEmpty());
    EXPECT_EQ(primaryKeys(t), 0);
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT USR FROM USERS WHERE HNO=1")),
              QStringLiteral("VELOR"));
}

TEST(Schema, SubstrTakesFirstToLastBothIncluded)
{
    TempDatabase t;
    struct Case {
        QString text;
        int first, last;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("05.03.2024"), 4, 5, QStringLiteral("03")},
        {QStringLiteral("05.13.2024"), 4, 5, QStringLiteral("13")},
        {QStringLiteral("05.03.2024"), 7, 10, QStringLiteral("2024")},
        {QStringLiteral("ab"), 4, 5, QString()},
        {QStringLiteral("abc"), 3, 2, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.scalar(QStringLiteral("SELECT SUBSTR(:S,:F,:L) FROM RDB$DATABASE"),
                           {c.text, c.first, c.last}),
                  c.expected);
    EXPECT_EQ(t.scalar(QStringLiteral(
                  "SELECT CAST(SUBSTR('05.03.2024',4,5) AS SMALLINT) FROM RDB$DATABASE")),
              QStringLiteral("3"));
}

TEST(Schema, KaynoIsOneSequenceForIncomingAndOutgoing)
{
    TempDatabase t;
    QStringList drawn;
    for (int i = 0; i < 4; ++i)
        drawn << t.scalar(QStringLiteral("SELECT GEN_ID(GEN_GELKAYNO,1) YENINO FROM RDB$DATABASE"));
    EXPECT_EQ(drawn, QStringList({"1", "2", "3", "4"}));
    t.database().rollback();
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT GEN_ID(GEN_GELKAYNO,1) FROM RDB$DATABASE")),
              QStringLiteral("5"));
}

TEST(Schema, RegisterNumberMaximumUsesADescendingIndex)
{
    TempDatabase t;
    for (const char* table : {"GELEN", "GIDEN", "DILEKCE"}) {
        const QString column =
            QLatin1String(table) == QLatin1String("GELEN")   ? QStringLiteral("GELNO")
            : QLatin1String(table) == QLatin1String("GIDEN") ? QStringLiteral("GIDNO")
                                                             : QStringLiteral("DILNO");
        EXPECT_EQ(
            t.scalar(QStringLiteral("SELECT I.RDB$INDEX_TYPE FROM RDB$INDICES I JOIN "
                                    "RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME=I.RDB$INDEX_NAME "
                                    "WHERE I.RDB$RELATION_NAME=:T AND S.RDB$FIELD_NAME=:C"),
                     {QLatin1String(table), column}),
            QStringLiteral("1"))
            << table;
    }
}

TEST(Schema, IndexesAreAddedOnceToAFileThatLacksThem)
{
    TempDatabase t;
    EXPECT_TRUE(db::ensureIndexes(t.database()).isEmpty());
    t.database().executeImmediate(QStringLiteral("DROP INDEX IDX_GELEN_GELNO"));
    t.database().executeImmediate(QStringLiteral("DROP INDEX IDX_DISKUR_DKOD"));
    t.database().executeImmediate(QStringLiteral("DROP INDEX IDX_DILEKCE_DILTAR"));
    t.database().commit();
    EXPECT_EQ(db::ensureIndexes(t.database()),
              QStringList({"IDX_GELEN_GELNO", "IDX_DILEKCE_DILTAR", "IDX_DISKUR_DKOD"}));
    EXPECT_TRUE(db::ensureIndexes(t.database()).isEmpty());

    // An index of the same column made elsewhere under another name counts.
    t.database().executeImmediate(QStringLiteral("DROP INDEX IDX_GIDEN_GIDNO"));
    t.database().executeImmediate(
        QStringLiteral("CREATE DESCENDING INDEX GIDEN_IDX1 ON GIDEN (GIDNO)"));
    t.database().commit();
    EXPECT_TRUE(db::ensureIndexes(t.database()).isEmpty());
}

TEST(Schema, AnExistingFileIsNeverReplaced)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(1,'Fen İşleri')"));
    t.database().close();
    db::Database other;
    EXPECT_THROW(db::createYearFile(other, t.path(), db::SchemaVersion::Current), db::DbError);
    t.database().open(t.path());
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT BIRIM FROM BIRIM")), QStringLiteral("Fen İşleri"));
}

} // namespace
