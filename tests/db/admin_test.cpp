#include "db/query.h"
#include "support/testdb.h"
#include "tools/demodata.h"
#include "tools/sdpimport.h"

#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

QString plan(TempDatabase& t)
{
    return t.scalar(QStringLiteral("SELECT LIST(KOD || '=' || ACIK, '|') FROM "
                                   "(SELECT KOD, ACIK FROM SDP ORDER BY KOD)"));
}

TEST(SdpImport, LoadsWithOrWithoutHeaderAndUpdatesExistingCodes)
{
    TempDatabase t;
    auto r = tools::importSdp(t.database(), "KOD;AÇIKLAMA\n806;Dilekçe İşleri\n806.01;Vatandaş\n");
    EXPECT_EQ(r.inserted, 2);
    r = tools::importSdp(t.database(), "806.01;Vatandaş Dilekçeleri\r\n\r\n\"010\";\"Mevzuat; genel\"\r\n");
    EXPECT_EQ(r.inserted, 1);
    EXPECT_EQ(r.updated, 1);
    EXPECT_EQ(plan(t), QStringLiteral("010=Mevzuat; genel|806=Dilekçe İşleri|806.01=Vatandaş Dilekçeleri"));
    // Committed: another workstation sees the plan.
    auto other = t.openSecond();
    db::Query q(*other);
    q.add(QStringLiteral("SELECT COUNT(*) N FROM SDP"));
    q.open();
    EXPECT_EQ(q.field(QStringLiteral("N")).toInt(), 3);
}

TEST(SdpImport, ABadLineStopsWithItsNumberAndChangesNothing)
{
    struct Case {
        QByteArray csv;
        int line;
    };
    const Case cases[] = {
        {"806;Dilekçe\n806.01 Vatandaş\n", 2},                  // no separator
        {"806;Dilekçe\n\n8060.1;x\n", 3},                       // top level not three characters
        {"806;Dilekçe\n806.01.02.03.04.05;uzun\n", 2},          // longer than the column
        {"806;" + QByteArray(101, 'a') + "\n", 1},             // description too long
    };
    for (const Case& c : cases) {
        TempDatabase t;
        tools::importSdp(t.database(), "010;Mevzuat İşleri\n");
        try {
            tools::importSdp(t.database(), c.csv);
            ADD_FAILURE() << c.csv.toStdString();
        } catch (const tools::SdpImportError& e) {
            EXPECT_EQ(e.line(), c.line) << c.csv.toStdString();
        }
        EXPECT_EQ(plan(t), QStringLiteral("010=Mevzuat İşleri"));
    }
}

TEST(DemoData, DocumentsOfEveryRegisterWithBothSidesOfTheirLinks)
{
    TempDatabase t;
    tools::fillDemoData(t.database(), 2026);
    for (const char* table : {"GELEN", "GIDEN", "DILEKCE", "BIRIM", "DISKUR", "ECINS", "SABLON"})
        EXPECT_GT(t.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))).toInt(), 0)
            << table;
    EXPECT_GT(t.scalar(QStringLiteral("SELECT COUNT(*) FROM SDP WHERE KOD STARTING WITH '806.'")).toInt(), 2);
    // Every reply link is held on both sides.
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT COUNT(*) FROM GIDEN G JOIN GELEN E ON E.KAYNO=G.ILGNO "
                                      "WHERE G.ILGDUR='G' AND E.CEVNO=G.KAYNO")),
              QStringLiteral("1"));
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT COUNT(*) FROM GELEN E JOIN GIDEN G ON G.KAYNO=E.ILGNO "
                                      "WHERE G.CEVNO=E.KAYNO")),
              QStringLiteral("1"));
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT COUNT(*) FROM GIDEN G JOIN DILEKCE D ON D.KAYNO=G.ILGNO "
                                      "WHERE G.ILGDUR='D' AND D.CEVNO=G.KAYNO")),
              QStringLiteral("1"));
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT COUNT(*) FROM GELEN WHERE GELTAR NOT LIKE '%.2026'")),
              QStringLiteral("0"));
    // Numbers drawn later follow the demo's own.
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT GEN_ID(GEN_GELKAYNO,0) - MAX(KAYNO) FROM GIDEN")),
              QStringLiteral("0"));
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT KURUM FROM TANIM")), QStringLiteral("KARAÇAY BELEDİYE BAŞKANLIĞI"));
}

} // namespace
