#include "core/versioncheck.h"
#include "db/query.h"
#include "db/schema.h"
#include "support/promptscript.h"
#include "support/testdb.h"

#include <gtest/gtest.h>

using testsupport::PromptScript;
using testsupport::TempDatabase;

namespace {

const QString TooOld =
    QStringLiteral("DİKKAT! Veritabanı Versiyonu Eski Olduğundan Çalışamazsınız..");
const QString ProgramTooOld =
    QStringLiteral("DİKKAT! Program Versiyonu Eski Olduğundan Çalışamazsınız..");

QString success(const char* version)
{
    return QString::fromLatin1(version) + QStringLiteral(" Güncellemesi Başarıyla Yapıldı.");
}

struct SplitCase {
    const char* text;
    std::array<const char*, 4> parts;
};

class Kodcoz : public testing::TestWithParam<SplitCase> {};

TEST_P(Kodcoz, SplitsAtPoints)
{
    const std::array<QString, 4> parts = core::KODCOZ(QString::fromLatin1(GetParam().text));
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(parts[i], QString::fromLatin1(GetParam().parts[i])) << "part " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Texts, Kodcoz,
                         testing::Values(SplitCase{"12.002", {"12", "002", "", ""}},
                                         SplitCase{"1.2.3.4.5", {"1", "2", "3", "4"}},
                                         SplitCase{"1.2.3", {"1", "2", "3", ""}},
                                         SplitCase{"abc", {"abc", "", "", ""}},
                                         SplitCase{"", {"", "", "", ""}},
                                         SplitCase{"10.", {"10", "", "", ""}},
                                         SplitCase{".5", {"", "5", "", ""}}));

TEST(SchemaVersionNumber, JoinsTheFirstTwoParts)
{
    EXPECT_EQ(core::schemaVersionNumber("12.002"), 12002);
    EXPECT_EQ(core::schemaVersionNumber("10.003"), 10003);
    EXPECT_EQ(core::schemaVersionNumber("10.2"), 102);
    EXPECT_EQ(core::schemaVersionNumber("13.000"), 13000);
    for (const char* bad : {"", "abc", "12.0a2", "12 .002"})
        EXPECT_THROW(core::schemaVersionNumber(QString::fromLatin1(bad)), std::invalid_argument)
            << bad;
}

QString ver(TempDatabase& file)
{
    return file.scalar("SELECT VER FROM TANIM");
}

bool columnExists(TempDatabase& file, const char* table, const char* column)
{
    return !file.scalar("SELECT 1 FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME=:T AND "
                        "RDB$FIELD_NAME=:F",
                        {QString::fromLatin1(table), QString::fromLatin1(column)})
                .isEmpty();
}

bool hasPrimaryKey(TempDatabase& file, const char* table)
{
    return !file.scalar("SELECT 1 FROM RDB$RELATION_CONSTRAINTS WHERE RDB$RELATION_NAME=:T "
                        "AND RDB$CONSTRAINT_TYPE='PRIMARY KEY'",
                        {QString::fromLatin1(table)})
                .isEmpty();
}

// Runs the version check once, with the one message it must show.
core::VersionOutcome check(TempDatabase& file, core::AppContext& ctx, const QString& message)
{
    PromptScript prompts;
    if (!message.isEmpty())
        prompts.expectMessage(message);
    return core::VERKONT(file.dm(), ctx);
}

// Brings a file up to the version given, one step per check, as the
// program does over several starts.
void upgradeTo(TempDatabase& file, const char* target)
{
    const QStringList steps = {"10.002", "10.003", "11.001", "12.001", "12.002", "12.003"};
    for (qsizetype next = steps.indexOf(ver(file)) + 1; next > 0 && next < steps.size(); ++next) {
        const QString step = steps[next];
        core::AppContext ctx;
        ASSERT_EQ(check(file, ctx, step + QStringLiteral(" Güncellemesi Başarıyla Yapıldı.")),
                  core::VersionOutcome::Upgraded);
        ASSERT_EQ(ver(file), step);
        if (step == QLatin1String(target))
            return;
    }
    FAIL() << "cannot reach " << target << " from " << ver(file).toStdString();
}

struct RefusalCase {
    const char* stored;
    core::VersionOutcome outcome;
    bool programTooOld;
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, ShowsItsMessageAndClearsVersionOk)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET VER=:V", {QString::fromLatin1(GetParam().stored)});
    core::AppContext ctx;
    EXPECT_EQ(check(file, ctx, GetParam().programTooOld ? ProgramTooOld : TooOld),
              GetParam().outcome);
    EXPECT_FALSE(ctx.VersionOk);
    EXPECT_EQ(ver(file), GetParam().stored); // nothing changed
}

INSTANTIATE_TEST_SUITE_P(
    Versions, Refusal,
    testing::Values(RefusalCase{"10.2", core::VersionOutcome::DatabaseTooOld, false},
                    RefusalCase{"10.001", core::VersionOutcome::DatabaseTooOld, false},
                    RefusalCase{"13.000", core::VersionOutcome::ProgramTooOld, true},
                    RefusalCase{"12.004", core::VersionOutcome::ProgramTooOld, true}));

TEST(Verkont, TheCurrentVersionGoesOnWithoutAMessage)
{
    TempDatabase file;
    core::AppContext ctx;
    EXPECT_EQ(check(file, ctx, {}), core::VersionOutcome::Current);
    EXPECT_TRUE(ctx.VersionOk);
}

TEST(Verkont, AVersionThatIsNoNumberIsAnError)
{
    TempDatabase file;
    file.exec("UPDATE TANIM SET VER='ON.IKI'");
    core::AppContext ctx;
    PromptScript prompts; // no message of its own
    EXPECT_THROW(core::VERKONT(file.dm(), ctx), std::invalid_argument);
}

TEST(Verkont, A10002FileReachesTheCurrentSchemaInFiveSteps)
{
    TempDatabase file(db::SchemaVersion::V10_002);
    file.exec("INSERT INTO GIDEN (KAYNO,GIDNO,ILGNO) VALUES (1,1,5)");
    file.exec("INSERT INTO GIDEN (KAYNO,GIDNO,ILGNO) VALUES (2,2,0)");
    file.exec("INSERT INTO TEXT (KAYNO) VALUES (1)");
    file.database().commit();

    upgradeTo(file, "10.003");
    EXPECT_EQ(file.scalar("SELECT ILGDUR FROM GIDEN WHERE KAYNO=1"), "G");
    EXPECT_EQ(file.scalar("SELECT ILGDUR FROM GIDEN WHERE KAYNO=2"), "");
    upgradeTo(file, "11.001");
    EXPECT_TRUE(columnExists(file, "SDP", "KOD"));
    EXPECT_TRUE(columnExists(file, "GELEN", "SDP"));
    EXPECT_TRUE(columnExists(file, "DILEKCE", "SDP"));
    upgradeTo(file, "12.001");
    EXPECT_TRUE(columnExists(file, "BIRIM", "YET"));
    EXPECT_TRUE(columnExists(file, "BIRIM", "GOR"));
    upgradeTo(file, "12.002");
    EXPECT_TRUE(columnExists(file, "SABLON", "METIN"));
    // The letters already stored became page 1; the new column is first.
    EXPECT_EQ(file.scalar("SELECT HARNO FROM TEXT WHERE KAYNO=1"), "1");
    EXPECT_EQ(file.scalar("SELECT RDB$FIELD_POSITION FROM RDB$RELATION_FIELDS "
                          "WHERE RDB$RELATION_NAME='TEXT' AND RDB$FIELD_NAME='HARNO'"),
              "0");
    // As in a new file: no default page number.
    EXPECT_EQ(file.scalar("SELECT COALESCE(RDB$DEFAULT_SOURCE,'') FROM RDB$RELATION_FIELDS "
                          "WHERE RDB$RELATION_NAME='TEXT' AND RDB$FIELD_NAME='HARNO'"),
              "");
    for (const char* table : {"GELEN", "GIDEN", "DILEKCE", "TEXT"})
        EXPECT_TRUE(hasPrimaryKey(file, table)) << table;
    upgradeTo(file, "12.003");

    core::AppContext ctx;
    EXPECT_EQ(check(file, ctx, {}), core::VersionOutcome::Current);
}

TEST(Verkont, AnExistingIlgdurColumnIsTakenAsItIs)
{
    TempDatabase file(db::SchemaVersion::V10_002);
    file.database().executeImmediate("ALTER TABLE GIDEN ADD ILGDUR VARCHAR(1)");
    file.database().commit();
    file.exec("INSERT INTO GIDEN (KAYNO,GIDNO,ILGNO,ILGDUR) VALUES (1,1,5,'X')");
    file.exec("INSERT INTO GIDEN (KAYNO,GIDNO,ILGNO,ILGDUR) VALUES (2,2,0,'X')");
    file.database().commit();

    core::AppContext ctx;
    EXPECT_EQ(check(file, ctx, success("10.003")), core::VersionOutcome::Upgraded);
    EXPECT_TRUE(ctx.VersionOk);
    EXPECT_EQ(ver(file), "10.003");
    EXPECT_EQ(file.scalar("SELECT ILGDUR FROM GIDEN WHERE KAYNO=1"), "G");
    EXPECT_EQ(file.scalar("SELECT ILGDUR FROM GIDEN WHERE KAYNO=2"), "X");
}

TEST(Verkont, AnExistingSablonTableDoesNotKeepTheFileAt12001)
{
    TempDatabase file(db::SchemaVersion::V10_002);
    upgradeTo(file, "12.001");
    file.database().executeImmediate(
        "CREATE TABLE SABLON(KAYNO INTEGER NOT NULL, ACIK VARCHAR(50), METIN BLOB SUB_TYPE 0)");
    file.database().commit();
    file.exec("INSERT INTO SABLON (KAYNO,ACIK) VALUES (1,'Cevap yazısı')");
    file.database().commit();

    core::AppContext ctx;
    EXPECT_EQ(check(file, ctx, success("12.002")), core::VersionOutcome::Upgraded);
    EXPECT_EQ(ver(file), "12.002");
    EXPECT_EQ(file.scalar("SELECT ACIK FROM SABLON WHERE KAYNO=1"), "Cevap yazısı");
    EXPECT_TRUE(columnExists(file, "TEXT", "HARNO"));
    EXPECT_TRUE(hasPrimaryKey(file, "TEXT"));
}

TEST(Verkont, AFailureAfterTheVersionWasWrittenReachesTheCaller)
{
    TempDatabase file(db::SchemaVersion::V10_002);
    upgradeTo(file, "12.001");
    // Two petitions with one key: the primary key cannot be added.
    file.exec("INSERT INTO DILEKCE (KAYNO,DILNO) VALUES (1,1)");
    file.exec("INSERT INTO DILEKCE (KAYNO,DILNO) VALUES (1,2)");
    file.database().commit();

    core::AppContext ctx;
    PromptScript prompts;
    prompts.expectMessage(success("12.002"));
    EXPECT_THROW(core::VERKONT(file.dm(), ctx), db::DbError);
    prompts.verify();
    // The version was committed before; the connection goes on working.
    EXPECT_EQ(ver(file), "12.002");
    EXPECT_EQ(file.scalar("SELECT COUNT(*) FROM DILEKCE"), "2");
}

int columnLength(TempDatabase& file, const char* table, const char* column)
{
    return file
        .scalar("SELECT F.RDB$CHARACTER_LENGTH FROM RDB$RELATION_FIELDS R "
                "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME=R.RDB$FIELD_SOURCE "
                "WHERE R.RDB$RELATION_NAME=:T AND R.RDB$FIELD_NAME=:C",
                {QString::fromLatin1(table), QString::fromLatin1(column)})
        .toInt();
}

// Every stored value of the tables, as the bytes the file holds; the
// version aside.
QStringList storedBytes(TempDatabase& file)
{
    QStringList values;
    for (const char* table : {"GELEN", "GIDEN", "DILEKCE", "DISKUR", "BIRIM", "ECINS", "TANIM"}) {
        db::Query q(file.database());
        q.add(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
        q.open();
        for (int r = 0; r < q.rowCount(); ++r)
            for (int c = 0; c < q.columnCount(); ++c)
                if (q.columnName(c) != QLatin1String("VER"))
                    values << QStringLiteral("%1.%2=%3")
                                  .arg(QLatin1String(table), q.columnName(c),
                                       q.value(r, c).isNull()
                                           ? QStringLiteral("<null>")
                                           : QString::fromLatin1(q.value(r, c).toBytes().toHex()));
    }
    return values;
}

TEST(Verkont, A12002FileIsWidenedForTodaysNumbersAndNamesWithItsDataUnchanged)
{
    TempDatabase file(db::SchemaVersion::V12_002);
    file.exec("INSERT INTO DISKUR (DKOD,DKURUM) VALUES (1,'Çevre ve Şehircilik Bakanlığı')");
    file.exec("INSERT INTO BIRIM (BKOD,BIRIM,YET,GOR) VALUES (1,'Yazı İşleri','Ayşe','Müdür')");
    file.exec("INSERT INTO ECINS (EKOD,ECINS) VALUES (1,'Genelge')");
    file.exec("INSERT INTO GELEN (KAYNO,GELNO,GELTAR,EVSAY,TESADI,TESGOR,KONU,DKOD) VALUES "
              "(1,1,'02.03.2026','B.12.0.İŞL-45','Çağrı Öztürk','Memur','Konu',1)");
    file.exec("INSERT INTO GIDEN (KAYNO,GIDNO,EVSAY,TESADI) VALUES (2,1,'2026/15','Ümit')");
    file.exec("INSERT INTO DILEKCE (KAYNO,DILNO,ADSOY,TESGOR) VALUES (1,1,'Şule Işık','Şef')");
    file.exec("UPDATE TANIM SET KURUM='KARAÇAY BELEDİYESİ'");
    file.database().commit();
    const QStringList before = storedBytes(file);

    core::AppContext ctx;
    EXPECT_EQ(check(file, ctx, success("12.003")), core::VersionOutcome::Upgraded);
    EXPECT_TRUE(ctx.VersionOk);
    EXPECT_EQ(ver(file), "12.003");
    EXPECT_EQ(storedBytes(file), before);
    for (const db::WidenedColumn& w : db::widenedColumns())
        EXPECT_EQ(columnLength(file, w.table, w.column), w.length) << w.table << "." << w.column;

    // What the wider columns were made for is stored whole.
    const QString number = QStringLiteral("E-12345678-751.01-1234567/2026-EK.12345");
    const QString ministry =
        QStringLiteral("T.C. Çevre, Şehircilik ve İklim Değişikliği Bakanlığı Mekansal Planlama "
                       "Genel Müdürlüğü (Ankara)");
    ASSERT_EQ(number.size(), 39);
    ASSERT_GT(ministry.size(), 90);
    file.exec("UPDATE GELEN SET EVSAY=:E WHERE KAYNO=1", {number});
    file.exec("UPDATE DISKUR SET DKURUM=:D WHERE DKOD=1", {ministry});
    file.database().commit();
    EXPECT_EQ(file.scalar("SELECT EVSAY FROM GELEN WHERE KAYNO=1"), number);
    EXPECT_EQ(file.scalar("SELECT DKURUM FROM DISKUR WHERE DKOD=1"), ministry);

    EXPECT_EQ(check(file, ctx, {}), core::VersionOutcome::Current);
}

TEST(Verkont, AColumnAlreadyWiderIsLeftAsItIs)
{
    TempDatabase file(db::SchemaVersion::V12_002);
    file.database().executeImmediate("ALTER TABLE DISKUR ALTER DKURUM TYPE VARCHAR(120)");
    file.database().commit();
    core::AppContext ctx;
    EXPECT_EQ(check(file, ctx, success("12.003")), core::VersionOutcome::Upgraded);
    EXPECT_EQ(ver(file), "12.003");
    EXPECT_EQ(columnLength(file, "DISKUR", "DKURUM"), 120);
    EXPECT_EQ(columnLength(file, "BIRIM", "BIRIM"), 100);
}

} // namespace
