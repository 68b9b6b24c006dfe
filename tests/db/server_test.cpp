#include "db/query.h"
#include "support/testdb.h"

#include <gtest/gtest.h>

#include <functional>

using testsupport::TempDatabase;
using Fault = db::DbError::Fault;

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

// What one statement on the second workstation ends in while the first
// holds what it needs: the fault of its error, or Other when it went through.
Fault faultWhileHeld(db::Database& holder, db::Database& waiter, const QString& sql)
{
    testsupport::Rescue rescue(holder);
    Fault fault = Fault::Other;
    bool failed = false;
    try {
        db::Query q(waiter);
        q.execLines({sql});
    } catch (const db::DbError& e) {
        failed = true;
        fault = e.fault();
    }
    EXPECT_FALSE(rescue.finish()) << "waited for the lock until the other workstation gave up";
    EXPECT_TRUE(failed) << sql.toStdString();
    return fault;
}

// Two workstations on one file through the run's server.
class TwoWorkstations : public testing::Test {
protected:
    TwoWorkstations()
    {
        m_file.database().close(); // the embedded engine would hold the file for itself
        first.open(serverName(m_file));
        second.open(serverName(m_file));
    }

    TempDatabase m_file;
    db::Database first;
    db::Database second;
};

TEST_F(TwoWorkstations, ARowTheOtherHoldsEndsTheWaitAsRecordInUseAndCanBeTriedAgain)
{
    db::Query(first).execLines({QStringLiteral("UPDATE TANIM SET KURUM='BİRİNCİ'")});
    EXPECT_EQ(int(faultWhileHeld(first, second, QStringLiteral("UPDATE TANIM SET KURUM='İKİNCİ'"))),
              int(Fault::RecordInUse));
    // The waiting workstation's own work is still there and the same
    // change goes through once the first one has committed.
    first.commit();
    db::Query(second).execLines({QStringLiteral("UPDATE TANIM SET KURUM='İKİNCİ'")});
    second.commit();
    db::Query read(first);
    read.openLines({QStringLiteral("SELECT KURUM FROM TANIM")});
    EXPECT_EQ(read.field(QStringLiteral("KURUM")).toString(), QStringLiteral("İKİNCİ"));
}

TEST_F(TwoWorkstations, AKeyTheOtherHasJustTakenIsRecordInUse)
{
    // Two clerks adding page 1 to one document at once.
    db::Query(first).execLines({QStringLiteral("INSERT INTO TEXT (KAYNO,HARNO) VALUES(7,1)")});
    EXPECT_EQ(int(faultWhileHeld(first, second,
                                 QStringLiteral("INSERT INTO TEXT (KAYNO,HARNO) VALUES(7,1)"))),
              int(Fault::RecordInUse));
}

// The file on a server of the test's own, which it stops and starts.
class LostServer : public testing::Test {
protected:
    LostServer()
    {
        m_file.database().close();
        m_db.open(m_server.host() + QLatin1Char(':') + m_file.path());
    }
    QString kurum()
    {
        db::Query q(m_db);
        q.openLines({QStringLiteral("SELECT KURUM FROM TANIM")});
        return q.field(QStringLiteral("KURUM")).toString();
    }
    void setKurum(const QString& name)
    {
        db::Query(m_db).execLines({QStringLiteral("UPDATE TANIM SET KURUM=:K")}, {name});
    }

    TempDatabase m_file;
    testsupport::PrivateServer m_server;
    db::Database m_db;
};

Fault faultOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const db::DbError& e) {
        return e.fault();
    }
    ADD_FAILURE() << "no error";
    return Fault::Other;
}

TEST_F(LostServer, TheConnectionIsTakenUpAgainByItselfOnceTheServerAnswers)
{
    setKurum(QStringLiteral("KAYDEDİLEN"));
    m_db.commit();

    m_server.stop();
    EXPECT_EQ(int(faultOf([this] { kurum(); })), int(Fault::ServerUnreachable));
    EXPECT_TRUE(m_db.isOpen());
    // Still stopped: every try says so, none hangs.
    EXPECT_EQ(int(faultOf([this] { kurum(); })), int(Fault::ServerUnreachable));

    m_server.start();
    EXPECT_EQ(kurum(), QStringLiteral("KAYDEDİLEN"));
    EXPECT_FALSE(m_db.connectionLost());
    setKurum(QStringLiteral("SONRA"));
    m_db.commit();
    EXPECT_EQ(kurum(), QStringLiteral("SONRA"));
}

TEST_F(LostServer, WorkPendingWhenTheConnectionBrokeIsNeverCommittedInPart)
{
    setKurum(QStringLiteral("KAYDEDİLEN"));
    m_db.commit();
    setKurum(QStringLiteral("YARIM")); // pending when the server goes

    m_server.stop();
    m_server.start();
    EXPECT_EQ(int(faultOf([this] { kurum(); })), int(Fault::ServerUnreachable));
    // The rest of the clerk's work goes on after the break, but the commit
    // that would keep it as if it were whole is refused until it is
    // rolled back.
    db::Query(m_db).execLines({QStringLiteral("UPDATE TANIM SET SUBE='SONRASI'")});
    EXPECT_EQ(int(faultOf([this] { m_db.commit(); })), int(Fault::WorkLost));
    EXPECT_EQ(int(faultOf([this] { m_db.commit(); })), int(Fault::WorkLost));
    m_db.rollback();
    EXPECT_FALSE(m_db.workLost());
    EXPECT_EQ(kurum(), QStringLiteral("KAYDEDİLEN"));
    setKurum(QStringLiteral("YENİDEN"));
    m_db.commit();
    EXPECT_EQ(kurum(), QStringLiteral("YENİDEN"));
    // Closing does not commit what followed lost work either.
    setKurum(QStringLiteral("KAYBOLAN"));
    m_server.stop();
    m_server.start();
    EXPECT_EQ(int(faultOf([this] { kurum(); })), int(Fault::ServerUnreachable));
    setKurum(QStringLiteral("KAPANIŞ"));
    m_db.close();
    m_db.open(m_server.host() + QLatin1Char(':') + m_file.path());
    EXPECT_EQ(kurum(), QStringLiteral("YENİDEN"));
}

} // namespace
