// The administrator's work on whole yearly files: next year's file, the
// engine's backup and restore, and its validation.

#include "core/versioncheck.h"
#include "db/newyear.h"
#include "db/query.h"
#include "db/services.h"
#include "support/testdb.h"
#include "tools/demodata.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

// Every row of a table as text, in a fixed order; blobs as hex.
QStringList rows(db::Database& database, const QString& table, const QString& order)
{
    db::Query q(database);
    q.add(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, order));
    q.open();
    QStringList out;
    for (int r = 0; r < q.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < q.columnCount(); ++c)
            cells << QString::fromLatin1(q.value(r, c).toBytes().toHex());
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

QString scalar(db::Database& database, const QString& sql)
{
    db::Query q(database);
    q.add(sql);
    q.open();
    return q.isEmpty() ? QString() : q.value(0, 0).toString();
}

// A working year: the demo's code tables, documents and template, an
// emblem, and a second user with rights of his own.
void fillWorkingYear(TempDatabase& t)
{
    tools::fillDemoData(t.database(), 2026);
    QByteArray emblem("BM");
    emblem.append(QByteArray(70000, 'x')); // larger than one blob segment
    t.exec(QStringLiteral("UPDATE TANIM SET LOGO=:L, BASLIK=:B, UDUR='1'"),
           {emblem, QStringLiteral("T.C.\nKARAÇAY BELEDİYESİ")});
    t.exec(QStringLiteral("INSERT INTO USERS (USR,HNO,PSSWD,ACIK,ACIK1,OZEL) "
                          "VALUES('ayşe',2,'fmi','Ayşe Yılmaz','Memur',1)"));
    t.exec(QStringLiteral("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S) VALUES(2,1,'E','H','H','H')"));
    t.database().commit();
}

struct Carried {
    const char* table;
    const char* order;
};
const Carried CarriedTables[] = {
    {"TANIM", "KURUM"}, {"BIRIM", "BKOD"}, {"DISKUR", "DKOD"},    {"ECINS", "EKOD"},
    {"SDP", "KOD"},     {"USERS", "HNO"},  {"RIGHTS", "HNO,KOD"}, {"SABLON", "KAYNO"},
};

void expectNextYearOf(db::Database& from, db::Database& to)
{
    for (const Carried& c : CarriedTables) {
        const QString table = QLatin1String(c.table);
        if (table == QLatin1String("TANIM"))
            continue; // VER aside, below
        EXPECT_EQ(rows(to, table, QLatin1String(c.order)),
                  rows(from, table, QLatin1String(c.order)))
            << c.table;
        EXPECT_GT(rows(to, table, QLatin1String(c.order)).size(), 0) << c.table;
    }
    const QString definitions =
        QStringLiteral("SELECT KURUM||'|'||SUBE||'|'||RNK||'|'||UDUR||'|'||ONIZ FROM TANIM");
    EXPECT_EQ(scalar(to, definitions), scalar(from, definitions));
    EXPECT_EQ(scalar(to, QStringLiteral("SELECT COUNT(*) FROM TANIM")), "1");
    EXPECT_EQ(scalar(to, QStringLiteral("SELECT VER FROM TANIM")), "12.003");
    for (const char* column : {"LOGO", "BASLIK"}) {
        const QString sql = QStringLiteral("SELECT %1 FROM TANIM").arg(QLatin1String(column));
        db::Query a(from), b(to);
        a.add(sql);
        b.add(sql);
        a.open();
        b.open();
        EXPECT_EQ(b.value(0, 0).toBytes(), a.value(0, 0).toBytes()) << column;
    }
    for (const char* table : {"GELEN", "GIDEN", "DILEKCE", "TEXT"})
        EXPECT_EQ(scalar(to, QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))),
                  "0")
            << table;
    for (const char* generator :
         {"GEN_GELKAYNO", "GEN_DILKAYNO", "GEN_GELNO", "GEN_GIDNO", "GEN_DILNO"})
        EXPECT_EQ(scalar(to, QStringLiteral("SELECT GEN_ID(%1,0) FROM RDB$DATABASE")
                                 .arg(QLatin1String(generator))),
                  "0")
            << generator;
}

TEST(NewYear, CarriesTheDefinitionsOverAndStartsTheRegistersEmpty)
{
    TempDatabase year;
    fillWorkingYear(year);
    year.database().close();
    const QString next = year.folder() + QStringLiteral("/DORPAK2027.GDB");

    db::createNewYearFile(year.path(), next);

    db::Database from, to;
    from.open(year.path());
    to.open(next);
    expectNextYearOf(from, to);
    to.close();

    // The program opens it as it is: no upgrade step, no refusal.
    core::TDM dm;
    core::AppContext ctx;
    dm.IBDATABASE.open(next);
    EXPECT_EQ(core::VERKONT(dm, ctx), core::VersionOutcome::Current);
    EXPECT_TRUE(ctx.VersionOk);
    dm.IBDATABASE.close();

    // A second time is refused and the new year stays as it is.
    const QByteArray made = [&] {
        QFile f(next);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    EXPECT_THROW(db::createNewYearFile(year.path(), next), db::DbError);
    QFile f(next);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == made);
}

TEST(NewYear, WorksThroughTheServer)
{
    TempDatabase year;
    fillWorkingYear(year);
    year.database().close();
    const QString server = testsupport::testServer() + QLatin1Char(':');
    const QString next = year.folder() + QStringLiteral("/DORPAK2027.GDB");

    db::createNewYearFile(server + year.path(), server + next);
    db::Database from, to;
    from.open(server + year.path());
    to.open(server + next);
    expectNextYearOf(from, to);
    to.close();
    // An existing file on the server is refused by the engine itself.
    EXPECT_THROW(db::createNewYearFile(server + year.path(), server + next), db::DbError);
    to.open(server + next);
    EXPECT_GT(scalar(to, QStringLiteral("SELECT COUNT(*) FROM SDP")).toInt(), 0);
}

TEST(NewYear, AFileAtAnOlderSchemaIsRefusedAndNothingIsMade)
{
    TempDatabase old(db::SchemaVersion::V10_002);
    old.database().close();
    const QString next = old.folder() + QStringLiteral("/DORPAK2027.GDB");
    try {
        db::createNewYearFile(old.path(), next);
        ADD_FAILURE();
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().startsWith(old.path())) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QLatin1String("10.002"))) << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(next));
}

// A document with a scanned page large enough that the backup comes in
// many pieces.
void addDocument(db::Database& database, int kayno, const QByteArray& page)
{
    db::Query q(database);
    q.execLines({QStringLiteral("INSERT INTO GELEN (KAYNO,GELNO,GELTAR,KONU) "
                                "VALUES(:K,:N,'10.12.2026',:KONU)")},
                {kayno, kayno, QStringLiteral("Belge %1").arg(kayno)});
    q.execLines({QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,:K,:M)")},
                {kayno, page.isEmpty() ? QByteArray("sayfa") : page});
    database.commit();
}

TEST(Backup, IsTheFileAsItWasAtItsStartWhileAnotherWorkstationGoesOnSaving)
{
    TempDatabase t;
    t.database().close();
    const QString server = testsupport::testServer() + QLatin1Char(':');
    db::Database workstation;
    workstation.open(server + t.path());
    QByteArray page(400000, '\0');
    for (int i = 0; i < page.size(); ++i)
        page[i] = char((i * 7919) >> 3);
    for (int k = 1; k <= 12; ++k)
        addDocument(workstation, k, page);

    const QString backup = t.folder() + QStringLiteral("/yedek.fbk");
    int next = 13;
    int piecesSeen = 0;
    db::backupDatabase(server + t.path(), backup, [&](qint64 bytes) {
        // Once the backup has begun to arrive, every save is after its start.
        if (bytes > 0 && ++piecesSeen > 1 && next <= 17)
            addDocument(workstation, next++, QByteArray());
    });
    ASSERT_EQ(next, 18) << "the backup should have come in several pieces";
    EXPECT_EQ(scalar(workstation, QStringLiteral("SELECT COUNT(*) FROM GELEN")),
              QString::number(next - 1));

    const QString restored = t.folder() + QStringLiteral("/DORPAK2025.GDB");
    db::restoreDatabase(backup, restored);
    db::Database back;
    back.open(restored);
    EXPECT_EQ(scalar(back, QStringLiteral(
                               "SELECT LIST(KAYNO) FROM (SELECT KAYNO FROM GELEN ORDER BY KAYNO)")),
              "1,2,3,4,5,6,7,8,9,10,11,12");
    EXPECT_EQ(scalar(back, QStringLiteral("SELECT COUNT(*) FROM TEXT")), "12");
    db::Query q(back);
    q.openLines({QStringLiteral("SELECT METIN FROM TEXT WHERE KAYNO=12")});
    EXPECT_TRUE(q.value(0, 0).toBytes() == page);
}

TEST(BackupAndRestore, NeitherWritesOverAFileNorLeavesAHalfMadeOne)
{
    TempDatabase t;
    tools::fillDemoData(t.database(), 2026);
    t.database().close();
    const QString backup = t.folder() + QStringLiteral("/yedek.fbk");
    db::backupDatabase(t.path(), backup);
    EXPECT_THROW(db::backupDatabase(t.path(), backup), db::DbError);
    EXPECT_THROW(db::restoreDatabase(backup, t.path()), db::DbError);

    // A backup cut short: the restore fails and leaves nothing behind,
    // locally and on the server.
    QFile whole(backup);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QString cut = t.folder() + QStringLiteral("/kesik.fbk");
    QFile part(cut);
    ASSERT_TRUE(part.open(QIODevice::WriteOnly));
    part.write(whole.read(whole.size() / 2));
    part.close();
    const QString server = testsupport::testServer() + QLatin1Char(':');
    for (const QString& prefix : {QString(), server}) {
        const QString target = t.folder() + QStringLiteral("/DORPAK2020.GDB");
        try {
            db::restoreDatabase(cut, prefix + target);
            ADD_FAILURE() << prefix.toStdString();
        } catch (const db::DbError& e) {
            EXPECT_TRUE(e.message().startsWith(prefix + target)) << e.message().toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(target)) << prefix.toStdString();
    }
    // The whole backup restores to the same rows.
    const QString restored = t.folder() + QStringLiteral("/DORPAK2020.GDB");
    db::restoreDatabase(backup, restored);
    db::Database from, back;
    from.open(t.path());
    back.open(restored);
    for (const char* table : {"GELEN", "GIDEN", "DILEKCE", "BIRIM", "SABLON"})
        EXPECT_EQ(rows(back, QLatin1String(table), QStringLiteral("1")),
                  rows(from, QLatin1String(table), QStringLiteral("1")))
            << table;
}

// Spoils the first record of the first data page of GELEN.
void damageIncomingRegister(const QString& path)
{
    int pointerPage = 0;
    {
        db::Database database;
        database.open(path);
        pointerPage =
            scalar(database,
                   QStringLiteral("SELECT P.RDB$PAGE_NUMBER FROM RDB$PAGES P JOIN RDB$RELATIONS R "
                                  "ON R.RDB$RELATION_ID=P.RDB$RELATION_ID WHERE "
                                  "R.RDB$RELATION_NAME='GELEN' AND P.RDB$PAGE_TYPE=4"))
                .toInt();
    }
    constexpr qint64 PageSize = 8192;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(pointerPage * PageSize + 32)); // the first data page of the pointer page
    quint32 dataPage = 0;
    file.read(reinterpret_cast<char*>(&dataPage), sizeof dataPage);
    ASSERT_GT(dataPage, 0u);
    ASSERT_TRUE(file.seek(qint64(dataPage) * PageSize + 24)); // offset and length of line 0
    const quint16 wrong[2] = {8100, 4000};
    file.write(reinterpret_cast<const char*>(wrong), sizeof wrong);
}

TEST(Check, ASoundFileHasNoErrorsAndADamagedOneIsReported)
{
    TempDatabase t;
    tools::fillDemoData(t.database(), 2026);
    t.database().close();
    const db::ValidationReport sound = db::validateDatabase(t.path());
    EXPECT_EQ(sound.errors, 0) << sound.lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(sound.online);

    damageIncomingRegister(t.path());
    const db::ValidationReport damaged = db::validateDatabase(t.path());
    EXPECT_GT(damaged.errors, 0);
    EXPECT_TRUE(damaged.lines.join(QLatin1Char('\n')).contains(QLatin1String("(GELEN)")))
        << damaged.lines.join(QLatin1Char('\n')).toStdString();

    // Through the server while a workstation has the file open: the online
    // validation still finds it.
    const QString name = testsupport::testServer() + QLatin1Char(':') + t.path();
    db::Database workstation;
    workstation.open(name);
    scalar(workstation, QStringLiteral("SELECT COUNT(*) FROM BIRIM"));
    const db::ValidationReport live = db::validateDatabase(name);
    EXPECT_TRUE(live.online);
    EXPECT_GT(live.errors, 0);
}

} // namespace
