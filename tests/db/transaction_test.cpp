#include "db/query.h"
#include "support/testdb.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

QString countOn(db::Database& database, const QString& table)
{
    db::Query q(database);
    q.add(QStringLiteral("SELECT COUNT(*) N FROM ") + table);
    q.open();
    return q.field(QStringLiteral("N")).toString();
}

TEST(Transaction, CommitPointMakesWorkVisibleToAnotherWorkstation)
{
    TempDatabase t;
    auto other = t.openSecond();
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(1,'Valilik')"));
    EXPECT_TRUE(t.database().inTransaction());
    EXPECT_EQ(countOn(*other, QStringLiteral("DISKUR")), QStringLiteral("0"));

    t.dm().FDTransaction1.commit();
    EXPECT_FALSE(t.dm().FDTransaction1.active());
    EXPECT_EQ(countOn(*other, QStringLiteral("DISKUR")), QStringLiteral("1"));

    // The next statement runs in a new transaction of the same kind.
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(2,'Kaymakamlık')"));
    EXPECT_TRUE(t.dm().FDTransaction1.active());
    other->commit(); // read committed: the other side sees it after the next commit
    EXPECT_EQ(countOn(*other, QStringLiteral("DISKUR")), QStringLiteral("1"));
    t.dm().FDTransaction1.commit();
    EXPECT_EQ(countOn(*other, QStringLiteral("DISKUR")), QStringLiteral("2"));
}

TEST(Transaction, RollbackUndoesEverythingSinceTheLastCommitPoint)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(1,'Genelge')"));
    t.dm().FDTransaction1.commit();
    t.exec(QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(2,'Tebligat')"));
    t.exec(QStringLiteral("UPDATE ECINS SET ECINS='Resmi Yazı' WHERE EKOD=1"));
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,5,:M)"),
           {QByteArray("jpeg")});
    t.dm().FDTransaction1.rollback();
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT LIST(ECINS) FROM ECINS")), QStringLiteral("Genelge"));
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT COUNT(*) FROM TEXT")), QStringLiteral("0"));
}

TEST(Transaction, RowsStayReadableAfterACommitPoint)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,5,:M)"),
           {QByteArray("resim")});
    db::Query list(t.database());
    list.add(QStringLiteral("SELECT KAYNO,METIN FROM TEXT"));
    list.open();
    t.dm().FDTransaction1.commit();
    EXPECT_EQ(list.field(QStringLiteral("METIN")).toBytes(), QByteArray("resim"));
    list.open(); // re-opened in the next transaction
    EXPECT_EQ(list.rowCount(), 1);
}

TEST(Transaction, ClosingTheConnectionCommits)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(1,'Yazı İşleri')"));
    t.database().close();
    EXPECT_FALSE(t.database().isOpen());
    t.database().open(t.path());
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT BIRIM FROM BIRIM")), QStringLiteral("Yazı İşleri"));
}

TEST(OpenErrors, KindsAreToldApart)
{
    TempDatabase t;
    using Kind = db::DbOpenError::Kind;
    using testsupport::BadFile;
    const struct {
        const char* name;
        BadFile bad;
        Kind kind;
    } badFiles[] = {
        {"/METIN.GDB", BadFile::Text, Kind::NotADatabase},
        {"/SATIR.GDB", BadFile::FewBytes, Kind::NotADatabase},
        {"/BOZUK.GDB", BadFile::DamagedPages, Kind::Damaged},
        {"/YARIM.GDB", BadFile::CutShort, Kind::Damaged},
        {"/ESKI.GDB", BadFile::OldEngine, Kind::TooOld},
    };
    for (const auto& b : badFiles) {
        const QString path = t.folder() + QLatin1String(b.name);
        testsupport::makeBadFile(path, b.bad);
        for (const QString& name : {path, testsupport::testServer() + QLatin1Char(':') + path}) {
            db::Database database;
            try {
                database.open(name);
                ADD_FAILURE() << "opened " << name.toStdString();
            } catch (const db::DbOpenError& e) {
                // Over the network a cut-short file cannot be looked at:
                // the server says only that it is too short.
                const Kind expected =
                    b.bad == BadFile::CutShort && name != path ? Kind::NotADatabase : b.kind;
                EXPECT_EQ(int(e.kind()), int(expected))
                    << name.toStdString() << ": " << e.message().toStdString();
            }
        }
    }
    struct Case {
        QString name;
        db::DbOpenError::Kind kind;
    };
    const Case cases[] = {
        {t.folder() + QStringLiteral("/DORPAK1999.GDB"), db::DbOpenError::Kind::FileMissing},
        {t.folder() + QStringLiteral("/YOK/DORPAK2026.GDB"), db::DbOpenError::Kind::FolderMissing},
        {QStringLiteral("127.0.0.1/1:") + t.path(), db::DbOpenError::Kind::ServerUnreachable},
        {testsupport::testServer() + QLatin1Char(':') + t.folder() + QStringLiteral("/YOK.GDB"),
         db::DbOpenError::Kind::FileMissing},
    };
    for (const Case& c : cases) {
        db::Database database;
        try {
            database.open(c.name);
            ADD_FAILURE() << "opened " << c.name.toStdString();
        } catch (const db::DbOpenError& e) {
            EXPECT_EQ(int(e.kind()), int(c.kind))
                << c.name.toStdString() << ": " << e.message().toStdString();
        }
        EXPECT_FALSE(database.isOpen());
    }
}

TEST(OpenErrors, WrongPasswordOnTheServerIsRefusedLogin)
{
    TempDatabase t;
    db::Database database;
    try {
        database.open(testsupport::testServer() + QLatin1Char(':') + t.path(),
                      {QStringLiteral("SYSDBA"), QStringLiteral("yanlis")});
        FAIL() << "opened with a wrong password";
    } catch (const db::DbOpenError& e) {
        EXPECT_EQ(int(e.kind()), int(db::DbOpenError::Kind::LoginRefused))
            << e.message().toStdString();
    }
}

TEST(OpenErrors, NotADatabaseIsAnOpenError)
{
    TempDatabase t;
    const QString junk = t.folder() + QStringLiteral("/DORPAK2020.GDB");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, 'x'));
    f.close();
    db::Database database;
    EXPECT_THROW(database.open(junk), db::DbOpenError);
}

} // namespace
