#include "versioncheck.h"

#include "prompter.h"

#include "db/schema.h"

#include <QVariantList>

#include <functional>
#include <initializer_list>
#include <stdexcept>

namespace core {
namespace {

// A part of a step whose database errors are swallowed without a message:
// the rest of the part is skipped.
void guardedPart(const std::function<void()>& part)
{
    try {
        part();
    } catch (const db::DbError&) {
    }
}

// The commit point of a step, when a transaction is active. Structural
// changes are checked by the server only now; when that fails nothing of
// the step may stay pending, or every later commit would fail with it.
void commitPoint(TDM& dm)
{
    if (!dm.FDTransaction1.active())
        return;
    try {
        dm.FDTransaction1.commit();
    } catch (...) {
        dm.FDTransaction1.rollback();
        throw;
    }
}

void setVersion(db::Query& q, const char* version)
{
    q.execLines({"UPDATE TANIM SET VER=:V"}, {QString::fromLatin1(version)});
}

bool tableExists(db::Query& q, const QString& table)
{
    q.clear();
    q.add(QStringLiteral("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME=:T"));
    q.bind(0, table);
    q.open();
    const bool found = !q.isEmpty();
    q.close();
    return found;
}

bool columnExists(db::Query& q, const QString& table, const QString& column)
{
    q.clear();
    q.add(QStringLiteral("SELECT 1 FROM RDB$RELATION_FIELDS"));
    q.add(QStringLiteral("WHERE RDB$RELATION_NAME=:T AND RDB$FIELD_NAME=:F"));
    q.bindAll({table, column});
    q.open();
    const bool found = !q.isEmpty();
    q.close();
    return found;
}

void VER10003(TDM& dm)
{
    db::Query& q = dm.QRSORGU;
    // The column may exist already.
    guardedPart([&] { q.execLines({"ALTER TABLE GIDEN", "ADD ILGDUR VARCHAR(1)"}); });
    setVersion(q, "10.003");
    commitPoint(dm);
    // The new column is usable by data statements only after the commit.
    q.execLines({"UPDATE GIDEN SET ILGDUR='G'", "WHERE ILGNO>0"});
    commitPoint(dm);
    Prompter::current().message(QStringLiteral("10.003 Güncellemesi Başarıyla Yapıldı."));
}

void VER11001(TDM& dm)
{
    db::Query& q = dm.QRSORGU;
    guardedPart([&] {
        q.execLines({"CREATE TABLE SDP(", "KOD\tVARCHAR(15) NOT NULL,", "ACIK\tVARCHAR(100),",
                     "SS\tVARCHAR(10),", "SK\tVARCHAR(10),", "PRIMARY KEY (KOD))"});
        q.execLines({"ALTER TABLE GELEN", "ADD SDP VARCHAR(15)"});
        q.execLines({"ALTER TABLE GIDEN", "ADD SDP VARCHAR(15)"});
        q.execLines({"ALTER TABLE DILEKCE", "ADD SDP VARCHAR(15)"});
    });
    setVersion(q, "11.001");
    commitPoint(dm);
    Prompter::current().message(QStringLiteral("11.001 Güncellemesi Başarıyla Yapıldı."));
}

void VER12001(TDM& dm)
{
    db::Query& q = dm.QRSORGU;
    guardedPart([&] {
        q.execLines({"ALTER TABLE BIRIM", "ADD YET VARCHAR(25),", "ADD GOR VARCHAR(25)"});
    });
    setVersion(q, "12.001");
    commitPoint(dm);
    Prompter::current().message(QStringLiteral("12.001 Güncellemesi Başarıyla Yapıldı."));
}

void VER12002(TDM& dm)
{
    db::Query& q = dm.QRSORGU;
    bool defaultAdded = false;
    guardedPart([&] {
        // A table or column left by an earlier attempt counts as done, so
        // that the step can finish; otherwise the file would stay at
        // 12.001 and repeat this step at every start.
        if (!tableExists(q, QStringLiteral("SABLON")))
            q.execLines({"CREATE TABLE SABLON(", "KAYNO INTEGER NOT NULL,", "ACIK VARCHAR(50),",
                         "METIN\tBLOB SUB_TYPE 0 SEGMENT SIZE 80)"});
        if (!columnExists(q, QStringLiteral("TEXT"), QStringLiteral("HARNO"))) {
            // The server refuses a NOT NULL column without a value on a
            // table that holds letters; the default gives the existing rows
            // the page number 1 they get below anyway, and is dropped again.
            q.execLines({"ALTER TABLE TEXT", "ADD HARNO INTEGER DEFAULT 1 NOT NULL"});
            defaultAdded = true;
            q.execLines({"ALTER TABLE TEXT", "ALTER HARNO POSITION 1"});
        }
        setVersion(q, "12.002");
    });
    commitPoint(dm);
    Prompter::current().message(QStringLiteral("12.002 Güncellemesi Başarıyla Yapıldı."));

    // Not guarded: an error here reaches the application error handler.
    q.execLines({"UPDATE TEXT SET HARNO=1"});
    if (defaultAdded)
        q.execLines({"ALTER TABLE TEXT", "ALTER HARNO DROP DEFAULT"});
    commitPoint(dm);
    q.execLines({"ALTER TABLE DILEKCE", "ADD PRIMARY KEY(KAYNO)"});
    q.execLines({"ALTER TABLE GELEN", "ADD PRIMARY KEY(KAYNO)"});
    q.execLines({"ALTER TABLE GIDEN", "ADD PRIMARY KEY(KAYNO)"});
    q.execLines({"ALTER TABLE TEXT", "ADD PRIMARY KEY(KAYNO,HARNO)"});
    commitPoint(dm);
}

// Widens the columns that today's documents outgrow. Only the description
// of each column changes: the stored rows keep their bytes. The widenings
// and the new version are committed together, so a file is either wholly
// at 12.003 or still at 12.002 (an error reaches the application error
// handler and the next start tries again). A column already as wide, or
// wider, is left as it is: the server refuses to narrow one.
void VER12003(TDM& dm)
{
    db::Query& q = dm.QRSORGU;
    try {
        for (const db::WidenedColumn& w : db::widenedColumns()) {
            if (w.since != 12003)
                continue;
            const QString table = QString::fromLatin1(w.table);
            const QString column = QString::fromLatin1(w.column);
            const int length = db::textColumnLength(q, table, column);
            if (length > 0 && length < w.length)
                q.execLines(
                    {QStringLiteral("ALTER TABLE %1").arg(table),
                     QStringLiteral("ALTER %1 TYPE VARCHAR(%2)").arg(column).arg(w.length)});
        }
        setVersion(q, "12.003");
    } catch (...) {
        dm.FDTransaction1.rollback();
        throw;
    }
    commitPoint(dm);
    Prompter::current().message(QStringLiteral("12.003 Güncellemesi Başarıyla Yapıldı."));
}

} // namespace

std::array<QString, 4> KODCOZ(const QString& text)
{
    std::array<QString, 4> parts;
    QString rest = text;
    for (QString& part : parts) {
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        if (dot < 0) {
            part = rest;
            break;
        }
        part = rest.left(dot);
        rest = rest.mid(dot + 1);
    }
    return parts;
}

int schemaVersionNumber(const QString& ver)
{
    const std::array<QString, 4> parts = KODCOZ(ver);
    bool ok = false;
    const int number = (parts[0] + parts[1]).toInt(&ok);
    if (!ok)
        throw std::invalid_argument("schema version is no number: " + ver.toStdString());
    return number;
}

SchemaStanding classifySchemaVersion(int number)
{
    if (number <= 10001)
        return SchemaStanding::DatabaseTooOld;
    if (number == ExpectedSchemaVersion)
        return SchemaStanding::Current;
    if (number > ExpectedSchemaVersion)
        return SchemaStanding::ProgramTooOld;
    return SchemaStanding::NeedsUpgrade;
}

VersionOutcome VERKONT(TDM& dm, AppContext& ctx)
{
    db::Query& q = dm.QRSORGU;
    q.clear();
    q.add(QStringLiteral("SELECT VER FROM TANIM"));
    q.open();
    const QString ver = q.isEmpty() ? QString() : q.field(QStringLiteral("VER")).toString();
    q.close();
    const int number = schemaVersionNumber(ver);

    ctx.VersionOk = true;
    switch (classifySchemaVersion(number)) {
    case SchemaStanding::DatabaseTooOld:
        Prompter::current().message(
            QStringLiteral("DİKKAT! Veritabanı Versiyonu Eski Olduğundan Çalışamazsınız.."));
        ctx.VersionOk = false;
        return VersionOutcome::DatabaseTooOld;
    case SchemaStanding::Current:
        return VersionOutcome::Current;
    case SchemaStanding::ProgramTooOld:
        Prompter::current().message(
            QStringLiteral("DİKKAT! Program Versiyonu Eski Olduğundan Çalışamazsınız.."));
        ctx.VersionOk = false;
        return VersionOutcome::ProgramTooOld;
    case SchemaStanding::NeedsUpgrade:
        break;
    }
    // One step per start: the program ends after it and the next start
    // takes the next step.
    if (number == 10002)
        VER10003(dm);
    else if (number <= 11000)
        VER11001(dm);
    else if (number <= 12000)
        VER12001(dm);
    else if (number == 12001)
        VER12002(dm);
    else
        VER12003(dm);
    return VersionOutcome::Upgraded;
}

} // namespace core
