#include "db/query.h"
#include "support/testdb.h"

#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

QString serverName(const TempDatabase& t)
{
    return testsupport::testServer() + QLatin1Char(':') + t.path();
}

TEST(Server, ServesTwoWorkstationsOnOneFileAtOnce)
{
    TempDatabase t;
    t.database().close(); // the embedded engine would hold the file for itself
    db::Database first, second;
    first.open(serverName(t));
    second.open(serverName(t));

    db::Query insert(first);
    insert.add(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(:D,:N)"));
    insert.bindAll({1, QStringLiteral("Tapu Müdürlüğü")});
    insert.exec();
    first.commit();

    db::Query read(second);
    read.add(QStringLiteral("SELECT DKURUM FROM DISKUR WHERE DKOD=:D"));
    read.bind(0, 1);
    read.open();
    ASSERT_EQ(read.rowCount(), 1);
    EXPECT_EQ(read.field(QStringLiteral("DKURUM")).toString(), QStringLiteral("Tapu Müdürlüğü"));
}

TEST(Server, LargeBlobsArriveWhole)
{
    TempDatabase t;
    t.database().close();
    db::Database remote;
    remote.open(serverName(t));
    // Larger than one segment: a single segment this size would be cut.
    QByteArray bytes;
    for (int i = 0; i < 5 * 1024 * 1024; ++i)
        bytes.append(char((i * 31) ^ (i >> 8)));
    db::Query q(remote);
    q.add(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,1,:M)"));
    q.bind(0, bytes);
    q.exec();
    remote.commit();
    q.clear();
    q.add(QStringLiteral("SELECT METIN FROM TEXT"));
    q.open();
    const QByteArray back = q.field(QStringLiteral("METIN")).toBytes();
    EXPECT_EQ(back.size(), bytes.size());
    EXPECT_TRUE(back == bytes);
}

} // namespace
