#include "db/query.h"
#include "support/testdb.h"

#include <QFile>
#include <QImage>
#include <QBuffer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

TEST(ParseParameters, NamesInOrderOutsideQuotesAndComments)
{
    struct Case {
        QString sql;
        QString text;
        QStringList names;
    };
    const Case cases[] = {
        {QStringLiteral("SELECT * FROM GELEN WHERE KAYNO=:KNO"),
         QStringLiteral("SELECT * FROM GELEN WHERE KAYNO=?"), {QStringLiteral("KNO")}},
        {QStringLiteral("WHERE D.DKOD=:DK AND B.BKOD=:BK AND X=:DK"),
         QStringLiteral("WHERE D.DKOD=? AND B.BKOD=? AND X=?"),
         {QStringLiteral("DK"), QStringLiteral("BK"), QStringLiteral("DK")}},
        {QStringLiteral("SELECT ':A', \"X:Y\" FROM T WHERE A=:B -- :C\n/* :D */"),
         QStringLiteral("SELECT ':A', \"X:Y\" FROM T WHERE A=? -- :C\n/* :D */"), {QStringLiteral("B")}},
        {QStringLiteral("SELECT 'it''s :X' FROM T WHERE A=:Y"),
         QStringLiteral("SELECT 'it''s :X' FROM T WHERE A=?"), {QStringLiteral("Y")}},
    };
    for (const Case& c : cases) {
        const db::ParsedSql p = db::parseParameters(c.sql);
        EXPECT_EQ(p.text, c.text);
        EXPECT_EQ(p.names, c.names);
    }
}

TEST(Query, ParametersBindByPositionWhateverTheirNames)
{
    TempDatabase t;
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT CAST(:Z AS INTEGER) A, CAST(:A AS VARCHAR(10)) B,"));
    q.add(QStringLiteral("CAST(:Z AS INTEGER) C FROM RDB$DATABASE"));
    q.bind(0, 7);
    q.bind(1, QStringLiteral("ikinci"));
    q.bind(2, 9);
    q.open();
    ASSERT_EQ(q.rowCount(), 1);
    EXPECT_EQ(q.field(QStringLiteral("A")).toInt(), 7);
    EXPECT_EQ(q.field(QStringLiteral("B")).toString(), QStringLiteral("ikinci"));
    EXPECT_EQ(q.field(QStringLiteral("C")).toInt(), 9);
}

TEST(Query, ValuesOfEveryKindRoundTrip)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO GELEN (KAYNO,GELNO,EKSAY,KONU,EK,GIZDER) "
                          "VALUES(:K,:N,:E,:KONU,:EK,:G)"),
           {2147483647, QVariant(), 32767, QStringLiteral("Şikâyet dilekçesi ğüşıöç"),
            QStringLiteral("Ek-1 İmar planı\nEk-2 Kroki"), QStringLiteral("Ç")});
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT KAYNO,GELNO,EKSAY,KONU,EK,GIZDER FROM GELEN"));
    q.open();
    ASSERT_EQ(q.rowCount(), 1);
    EXPECT_EQ(q.field(QStringLiteral("KAYNO")).toInt(), 2147483647);
    EXPECT_TRUE(q.field(QStringLiteral("GELNO")).isNull());
    EXPECT_EQ(q.field(QStringLiteral("GELNO")).toString(), QString());
    EXPECT_EQ(q.field(QStringLiteral("EKSAY")).toVariant(), QVariant(32767));
    EXPECT_EQ(q.field(QStringLiteral("KONU")).toString(), QStringLiteral("Şikâyet dilekçesi ğüşıöç"));
    EXPECT_EQ(q.field(QStringLiteral("EK")).toString(), QStringLiteral("Ek-1 İmar planı\nEk-2 Kroki"));
    EXPECT_EQ(q.field(QStringLiteral("GIZDER")).toString(), QStringLiteral("Ç"));
    EXPECT_THROW(q.field(QStringLiteral("YOK")), db::DbError);
}

TEST(Query, TextIsStoredAsWindows1254Bytes)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(1,:N)"),
           {QStringLiteral("Çankırı İl Özel İdaresi")});
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT CAST(DKURUM AS VARCHAR(30) CHARACTER SET OCTETS) RAW FROM DISKUR"));
    q.open();
    EXPECT_EQ(q.field(QStringLiteral("RAW")).toBytes(),
              QByteArray("\xC7" "ank\xFDr\xFD \xDDl \xD6zel \xDD" "daresi"));
}

TEST(Query, GeneratorsAreReadAsNumbersAndSet)
{
    TempDatabase t;
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT GEN_ID(GEN_GELKAYNO,1) YENINO FROM RDB$DATABASE"));
    q.open();
    EXPECT_EQ(q.field(QStringLiteral("YENINO")).toInt(), 1);
    q.open();
    EXPECT_EQ(q.field(QStringLiteral("YENINO")).toVariant(), QVariant(qlonglong(2)));
    t.database().rollback(); // a number drawn is never given back
    q.open();
    EXPECT_EQ(q.field(QStringLiteral("YENINO")).toInt(), 3);

    // SET GENERATOR counts at once in the transaction and lasts from its commit on.
    t.exec(QStringLiteral("SET GENERATOR GEN_GELNO TO 41"));
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT GEN_ID(GEN_GELNO,0) FROM RDB$DATABASE")), QStringLiteral("41"));
    t.database().commit();
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT GEN_ID(GEN_GELNO,1) FROM RDB$DATABASE")), QStringLiteral("42"));
}

// A JPEG of about 5 MB: noise does not compress.
QByteArray bigJpeg()
{
    QImage img(2600, 1900, QImage::Format_RGB32);
    auto* rng = QRandomGenerator::global();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = rng->generate();
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPG", 95);
    return bytes;
}

TEST(Query, BlobsOfTextAndBytesRoundTrip)
{
    TempDatabase t;
    const QByteArray jpeg = bigJpeg();
    ASSERT_GT(jpeg.size(), 4 * 1024 * 1024);
    QByteArray binary;
    for (int i = 0; i < 300000; ++i)
        binary.append(char(i * 7));
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,1,:M)"), {jpeg});
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(2,1,:M)"), {binary});
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(3,1,:M)"), {QByteArray()});
    t.exec(QStringLiteral("UPDATE TANIM SET BASLIK=:B"), {QStringLiteral("T.C.\nÇAMLIK BELEDİYESİ")});
    t.database().commit();

    db::Query q(t.database());
    q.add(QStringLiteral("SELECT METIN FROM TEXT WHERE KAYNO=1 ORDER BY HARNO"));
    q.open();
    ASSERT_EQ(q.rowCount(), 3);
    EXPECT_EQ(q.value(0, 0).toBytes(), jpeg);
    EXPECT_EQ(q.value(1, 0).toBytes(), binary);
    EXPECT_EQ(q.value(2, 0).toBytes(), QByteArray());
    EXPECT_FALSE(QImage::fromData(q.value(0, 0).toBytes()).isNull());
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT BASLIK FROM TANIM")), QStringLiteral("T.C.\nÇAMLIK BELEDİYESİ"));
}

TEST(Query, LikeParameterLongerThanItsColumn)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES('806.01.02.03.04','Uzun kod')"));
    const QString pattern = QStringLiteral("806.01.02.03.04.%"); // 17 characters, the column holds 15
    // Compared as written, the server refuses the longer text...
    db::Query plain(t.database());
    plain.add(QStringLiteral("SELECT KOD FROM SDP WHERE KOD LIKE :KN"));
    plain.bind(0, pattern);
    EXPECT_THROW(plain.open(), db::DbError);
    // ...cast wide enough, it is an ordinary pattern.
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT KOD FROM SDP WHERE KOD LIKE CAST(:KN AS VARCHAR(60))"));
    q.bind(0, pattern);
    q.open();
    EXPECT_TRUE(q.isEmpty());
    q.bind(0, QStringLiteral("806.01.02.03.0%"));
    q.open();
    EXPECT_EQ(q.rowCount(), 1);
}

TEST(Query, ErrorsCarryFirebirdsMessageAndCode)
{
    TempDatabase t;
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT NOSUCH FROM GELEN"));
    try {
        q.open();
        FAIL() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("NOSUCH"))) << e.message().toStdString();
        EXPECT_EQ(e.sqlCode(), -206);
        EXPECT_EQ(e.gdsCode(), 335544569L); // isc_dsql_error
    }
    // The connection goes on after an error.
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT VER FROM TANIM")), QStringLiteral("12.003"));
}

TEST(Query, CurrentRowMovesLikeADataset)
{
    TempDatabase t;
    for (int i = 1; i <= 3; ++i)
        t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,:N)"),
               {i, QStringLiteral("Birim %1").arg(i)});
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT BKOD,BIRIM FROM BIRIM ORDER BY BKOD"));
    q.open();
    EXPECT_EQ(q.currentRow(), 0);
    q.last();
    EXPECT_EQ(q.field(QStringLiteral("BKOD")).toInt(), 3);
    EXPECT_TRUE(q.locate(QStringLiteral("BKOD"), 2));
    EXPECT_EQ(q.field(QStringLiteral("BIRIM")).toString(), QStringLiteral("Birim 2"));
    EXPECT_FALSE(q.locate(QStringLiteral("BKOD"), 9));
    int seen = 0;
    for (q.first(); !q.eof(); q.next())
        ++seen;
    EXPECT_EQ(seen, 3);

    q.close();
    q.clear();
    q.add(QStringLiteral("SELECT BKOD FROM BIRIM WHERE BKOD>:B"));
    q.bind(0, 10);
    q.open();
    EXPECT_TRUE(q.isEmpty());
    EXPECT_EQ(q.currentRow(), -1);
    EXPECT_TRUE(q.eof());
}

TEST(Query, NumbersThatDoNotFitTheirColumnAreRefused)
{
    TempDatabase t;
    EXPECT_THROW(t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,'x')"), {32768}), db::DbError);
    EXPECT_THROW(t.exec(QStringLiteral("INSERT INTO GELEN (KAYNO) VALUES(:K)"), {qlonglong(1) << 31}), db::DbError);
    t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,'y')"), {-32768});
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT BKOD FROM BIRIM")), QStringLiteral("-32768"));
}

TEST(Query, BlankTextForANumberIsNull)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,'x')"), {QString()});
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT COUNT(*) FROM BIRIM WHERE BKOD IS NULL")), QStringLiteral("1"));
    EXPECT_THROW(t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD) VALUES(:B)"), {QStringLiteral("on iki")}),
                 db::DbError);
}

} // namespace
