#include "schema.h"

#include "database.h"
#include "query.h"

#include <QFileInfo>

#include <vector>

namespace db {
namespace {

constexpr int V10002 = 10002;
constexpr int V10003 = 10003;
constexpr int V11001 = 11001;
constexpr int V12001 = 12001;
constexpr int V12002 = 12002;
constexpr int V12003 = 12003;

struct ColumnDef {
    const char* name;
    const char* type;
    int since; // the schema version that brings the column
};

struct TableDef {
    const char* name;
    int since;
    std::vector<ColumnDef> columns;
    const char* primaryKey; // columns, or nullptr
    int keySince;
};

// Text columns are VARCHAR in character set NONE: they hold the code page
// bytes of the clients. Dates are ten-character texts (dd.mm.yyyy).
#define DOCUMENT_COLUMNS_HEAD(NO, TAR)                                                             \
    {"KAYNO", "INTEGER NOT NULL", V10002}, {NO, "INTEGER", V10002}, {TAR, "VARCHAR(10)", V10002},  \
        {"EVSAY", "VARCHAR(15)", V10002}, {"EVTAR", "VARCHAR(10)", V10002},                        \
        {"EKOD", "SMALLINT", V10002}, {"KONU", "VARCHAR(200)", V10002},                            \
        {"BKOD", "SMALLINT", V10002}, {"DKOD", "SMALLINT", V10002}, {"EKSAY", "SMALLINT", V10002}, \
        {"EK", "BLOB SUB_TYPE 1 SEGMENT SIZE 80", V10002}, {"ZDUR", "VARCHAR(1)", V10002},         \
        {"ZNO", "INTEGER", V10002}, {"ZTAR", "VARCHAR(10)", V10002},                               \
        {"GIZDER", "VARCHAR(1)", V10002}, {"TESADI", "VARCHAR(15)", V10002},                       \
        {"TESGOR", "VARCHAR(15)", V10002}, {"CEVDUR", "VARCHAR(1)", V10002},                       \
        {"CEVNO", "INTEGER", V10002},                                                              \
    {                                                                                              \
        "ILGNO", "INTEGER", V10002                                                                 \
    }

const std::vector<TableDef>& tables()
{
    static const std::vector<TableDef> defs = {
        {"GELEN",
         V10002,
         {DOCUMENT_COLUMNS_HEAD("GELNO", "GELTAR"),
          {"BSIRNO", "INTEGER", V10002},
          {"GSIRNO", "INTEGER", V10002},
          {"SDP", "VARCHAR(15)", V11001}},
         "KAYNO",
         V12002},
        {"GIDEN",
         V10002,
         {DOCUMENT_COLUMNS_HEAD("GIDNO", "GIDTAR"),
          {"DOSYA", "VARCHAR(20)", V10002},
          {"BIRIM", "VARCHAR(50)", V10002},
          {"BSIRNO", "INTEGER", V10002},
          {"GSIRNO", "INTEGER", V10002},
          {"ILGDUR", "VARCHAR(1)", V10003},
          {"SDP", "VARCHAR(15)", V11001}},
         "KAYNO",
         V12002},
        {"DILEKCE",
         V10002,
         {{"KAYNO", "INTEGER NOT NULL", V10002},
          {"DILNO", "INTEGER", V10002},
          {"GELTAR", "VARCHAR(10)", V10002},
          {"ADSOY", "VARCHAR(30)", V10002},
          {"DILTAR", "VARCHAR(10)", V10002},
          {"EKOD", "SMALLINT", V10002},
          {"KONU", "VARCHAR(200)", V10002},
          {"BKOD", "SMALLINT", V10002},
          {"EKSAY", "SMALLINT", V10002},
          {"EK", "BLOB SUB_TYPE 1 SEGMENT SIZE 80", V10002},
          {"ZDUR", "VARCHAR(1)", V10002},
          {"ZNO", "INTEGER", V10002},
          {"ZTAR", "VARCHAR(10)", V10002},
          {"GIZDER", "VARCHAR(1)", V10002},
          {"TESADI", "VARCHAR(15)", V10002},
          {"TESGOR", "VARCHAR(15)", V10002},
          {"CEVDUR", "VARCHAR(1)", V10002},
          {"CEVNO", "INTEGER", V10002},
          {"SDP", "VARCHAR(15)", V11001}},
         "KAYNO",
         V12002},
        {"TEXT",
         V10002,
         {{"HARNO", "INTEGER NOT NULL", V12002},
          {"KAYNO", "INTEGER NOT NULL", V10002},
          {"METIN", "BLOB SUB_TYPE 0 SEGMENT SIZE 80", V10002}},
         "KAYNO,HARNO",
         V12002},
        {"BIRIM",
         V10002,
         {{"BKOD", "SMALLINT", V10002},
          {"BIRIM", "VARCHAR(30)", V10002},
          {"YET", "VARCHAR(25)", V12001},
          {"GOR", "VARCHAR(25)", V12001}},
         nullptr,
         0},
        {"DISKUR",
         V10002,
         {{"DKOD", "SMALLINT", V10002}, {"DKURUM", "VARCHAR(30)", V10002}},
         nullptr,
         0},
        {"ECINS",
         V10002,
         {{"EKOD", "SMALLINT", V10002}, {"ECINS", "VARCHAR(30)", V10002}},
         nullptr,
         0},
        {"SDP",
         V11001,
         {{"KOD", "VARCHAR(15) NOT NULL", V11001},
          {"ACIK", "VARCHAR(100)", V11001},
          {"SS", "VARCHAR(10)", V11001},
          {"SK", "VARCHAR(10)", V11001}},
         "KOD",
         V11001},
        {"TANIM",
         V10002,
         {{"KURUM", "VARCHAR(30)", V10002},
          {"SUBE", "VARCHAR(30)", V10002},
          {"IL", "VARCHAR(20)", V10002},
          {"ILCE", "VARCHAR(20)", V10002},
          {"CYIL", "VARCHAR(4)", V10002},
          {"RNK", "VARCHAR(1)", V10002},
          {"VER", "VARCHAR(10)", V10002},
          {"UDUR", "VARCHAR(1)", V10002},
          {"ONIZ", "VARCHAR(1)", V10002},
          {"GDUR", "VARCHAR(1)", V10002},
          {"IZL", "VARCHAR(1)", V10002},
          {"EMAIL", "VARCHAR(50)", V10002},
          {"LOGO", "BLOB SUB_TYPE 0 SEGMENT SIZE 80", V10002},
          {"BASLIK", "BLOB SUB_TYPE 1 SEGMENT SIZE 80", V10002}},
         nullptr,
         0},
        {"USERS",
         V10002,
         {{"USR", "VARCHAR(10) NOT NULL", V10002},
          {"HNO", "SMALLINT NOT NULL", V10002},
          {"PSSWD", "VARCHAR(5) NOT NULL", V10002},
          {"ACIK", "VARCHAR(30)", V10002},
          {"ACIK1", "VARCHAR(30)", V10002},
          {"OZEL", "INTEGER", V10002}},
         nullptr,
         0},
        {"RIGHTS",
         V10002,
         {{"HNO", "SMALLINT NOT NULL", V10002},
          {"KOD", "SMALLINT NOT NULL", V10002},
          {"G", "VARCHAR(1) NOT NULL", V10002},
          {"K", "VARCHAR(1) NOT NULL", V10002},
          {"D", "VARCHAR(1) NOT NULL", V10002},
          {"S", "VARCHAR(1) NOT NULL", V10002}},
         nullptr,
         0},
        {"SABLON",
         V12002,
         {{"KAYNO", "INTEGER NOT NULL", V12002},
          {"ACIK", "VARCHAR(50)", V12002},
          {"METIN", "BLOB SUB_TYPE 0 SEGMENT SIZE 80", V12002}},
         nullptr,
         0},
    };
    return defs;
}
#undef DOCUMENT_COLUMNS_HEAD

const char* const Generators[] = {"GEN_GELKAYNO", "GEN_DILKAYNO", "GEN_GELNO", "GEN_GIDNO",
                                  "GEN_DILNO"};

// SUBSTR(text, first, last): the characters from first to last, 1-based and
// both included, as the month filters of the ledgers call it.
const char* const SubstrFunction =
    "CREATE FUNCTION SUBSTR(S VARCHAR(32765) CHARACTER SET NONE, F INTEGER, L INTEGER)\n"
    "RETURNS VARCHAR(32765) CHARACTER SET NONE\n"
    "AS\n"
    "BEGIN\n"
    "  IF (S IS NULL OR F IS NULL OR L IS NULL) THEN RETURN NULL;\n"
    "  IF (F < 1) THEN F = 1;\n"
    "  IF (L < F) THEN RETURN '';\n"
    "  RETURN SUBSTRING(S FROM F FOR L - F + 1);\n"
    "END";

struct IndexDef {
    const char* name;
    const char* table;
    const char* column;
    bool descending;
};

// MAX of a register number is instant only with a descending index; the
// browse lists join the code tables and the links are looked up by number.
// The list filters on an institution, a department, a document type or a
// date name the register's own column, so that a few hundred documents of
// a year are found without reading all of them.
const IndexDef Indexes[] = {
    {"IDX_GELEN_GELNO", "GELEN", "GELNO", true},
    {"IDX_GIDEN_GIDNO", "GIDEN", "GIDNO", true},
    {"IDX_DILEKCE_DILNO", "DILEKCE", "DILNO", true},
    {"IDX_GELEN_DKOD", "GELEN", "DKOD", false},
    {"IDX_GELEN_BKOD", "GELEN", "BKOD", false},
    {"IDX_GELEN_EKOD", "GELEN", "EKOD", false},
    {"IDX_GELEN_GELTAR", "GELEN", "GELTAR", false},
    {"IDX_GIDEN_DKOD", "GIDEN", "DKOD", false},
    {"IDX_GIDEN_BKOD", "GIDEN", "BKOD", false},
    {"IDX_GIDEN_EKOD", "GIDEN", "EKOD", false},
    {"IDX_GIDEN_GIDTAR", "GIDEN", "GIDTAR", false},
    {"IDX_DILEKCE_BKOD", "DILEKCE", "BKOD", false},
    {"IDX_DILEKCE_EKOD", "DILEKCE", "EKOD", false},
    {"IDX_DILEKCE_DILTAR", "DILEKCE", "DILTAR", false},
    {"IDX_GELEN_CEVNO", "GELEN", "CEVNO", false},
    {"IDX_GELEN_ILGNO", "GELEN", "ILGNO", false},
    {"IDX_GIDEN_CEVNO", "GIDEN", "CEVNO", false},
    {"IDX_GIDEN_ILGNO", "GIDEN", "ILGNO", false},
    {"IDX_DILEKCE_CEVNO", "DILEKCE", "CEVNO", false},
    {"IDX_TEXT_KAYNO", "TEXT", "KAYNO", false},
    {"IDX_BIRIM_BKOD", "BIRIM", "BKOD", false},
    {"IDX_DISKUR_DKOD", "DISKUR", "DKOD", false},
    {"IDX_ECINS_EKOD", "ECINS", "EKOD", false},
    {"IDX_SABLON_KAYNO", "SABLON", "KAYNO", false},
};

int versionNumber(SchemaVersion v)
{
    switch (v) {
    case SchemaVersion::V10_002:
        return V10002;
    case SchemaVersion::V12_002:
        return V12002;
    case SchemaVersion::V12_003:
        break;
    }
    return V12003;
}

// The type of a column in a file of the version: the last widening it has
// had by then, else the type it came with.
QString columnType(const TableDef& t, const ColumnDef& c, int version)
{
    QString type = QLatin1String(c.type);
    for (const WidenedColumn& w : widenedColumns())
        if (w.since <= version && qstrcmp(w.table, t.name) == 0 && qstrcmp(w.column, c.name) == 0)
            type = QStringLiteral("VARCHAR(%1)").arg(w.length);
    return type;
}

QString createTableSql(const TableDef& t, int version)
{
    QStringList lines;
    for (const ColumnDef& c : t.columns)
        if (c.since <= version)
            lines << QStringLiteral("  %1 %2").arg(QLatin1String(c.name),
                                                   columnType(t, c, version));
    if (t.primaryKey && t.keySince <= version)
        lines << QStringLiteral("  PRIMARY KEY (%1)").arg(QLatin1String(t.primaryKey));
    return QStringLiteral("CREATE TABLE %1 (\n%2)")
        .arg(QLatin1String(t.name), lines.join(QStringLiteral(",\n")));
}

bool tableExists(Query& q, const QString& table)
{
    q.clear();
    q.add(QStringLiteral("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME=:T"));
    q.bind(0, table);
    q.open();
    return !q.isEmpty();
}

} // namespace

const QList<WidenedColumn>& widenedColumns()
{
    // Today's document numbers ("E-12345678-751.01-1234567"), the names of
    // ministries and departments, and the names and titles of the people
    // who sign for them.
    static const QList<WidenedColumn> columns = {
        {"GELEN", "EVSAY", 40, V12003},    {"GIDEN", "EVSAY", 40, V12003},
        {"GELEN", "TESADI", 40, V12003},   {"GELEN", "TESGOR", 40, V12003},
        {"GIDEN", "TESADI", 40, V12003},   {"GIDEN", "TESGOR", 40, V12003},
        {"DILEKCE", "TESADI", 40, V12003}, {"DILEKCE", "TESGOR", 40, V12003},
        {"DISKUR", "DKURUM", 100, V12003}, {"BIRIM", "BIRIM", 100, V12003},
        {"ECINS", "ECINS", 100, V12003},   {"TANIM", "KURUM", 100, V12003},
    };
    return columns;
}

QString versionText(SchemaVersion version)
{
    const int v = versionNumber(version);
    return QStringLiteral("%1.%2").arg(v / 1000).arg(v % 1000, 3, 10, QLatin1Char('0'));
}

bool parseSchemaVersion(const QString& text, SchemaVersion& version)
{
    for (SchemaVersion v : {SchemaVersion::V10_002, SchemaVersion::V12_002, SchemaVersion::V12_003})
        if (text == versionText(v)) {
            version = v;
            return true;
        }
    return false;
}

const QList<int>& rightCodes()
{
    static const QList<int> codes = {1, 2, 3, 11, 12, 13, 14, 21, 22, 23, 24, 25, 26, 27, 50};
    return codes;
}

void createSchema(Database& db, SchemaVersion version)
{
    const int v = versionNumber(version);
    for (const TableDef& t : tables())
        if (t.since <= v)
            db.executeImmediate(createTableSql(t, v));
    for (const char* g : Generators)
        db.executeImmediate(QStringLiteral("CREATE GENERATOR %1").arg(QLatin1String(g)));
    db.executeImmediate(QLatin1String(SubstrFunction));
    db.commit(); // tables are usable by data statements only after this

    Query q(db);
    q.add(QStringLiteral(
        "INSERT INTO TANIM (KURUM,SUBE,IL,ILCE,CYIL,RNK,VER,UDUR,ONIZ,GDUR,IZL,EMAIL)"));
    q.add(QStringLiteral("VALUES('','','','','','Y',:VER,'0','E','','','')"));
    q.bind(0, versionText(version));
    q.exec();

    // The vendor account; its password is stored encoded as the login
    // screen expects (each character raised by its position plus five).
    q.clear();
    q.add(QStringLiteral("INSERT INTO USERS (USR,HNO,PSSWD,ACIK,ACIK1,OZEL)"));
    q.add(QStringLiteral("VALUES(:USR,1,:PSSWD,:ACIK,'',0)"));
    q.bindAll(
        {QString::fromLatin1(VendorUser), QStringLiteral("79;="), QStringLiteral("Dodidozur")});
    q.exec();

    q.clear();
    q.add(QStringLiteral("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S) VALUES(1,:KOD,'E','E','E','E')"));
    for (int code : rightCodes()) {
        q.bind(0, code);
        q.exec();
    }
    db.commit();
    ensureIndexes(db);
}

void createYearFile(Database& db, const QString& path, SchemaVersion version)
{
    if (!Database::isRemoteName(path) && QFileInfo::exists(path))
        throw DbError(
            QStringLiteral("%1 already exists; a yearly file is never replaced").arg(path));
    db.create(path);
    try {
        createSchema(db, version);
    } catch (...) {
        dropUnfinished(db);
        throw;
    }
}

void dropUnfinished(Database& db)
{
    try {
        db.drop();
    } catch (const DbError&) {
        // The first error is the one to report; the file may stay behind.
    }
}

QStringList ensureIndexes(Database& db)
{
    QStringList added;
    Query q(db);
    for (const IndexDef& ix : Indexes) {
        if (!tableExists(q, QLatin1String(ix.table)))
            continue;
        // Any index whose first column is ours and runs the same way will do.
        q.clear();
        q.add(QStringLiteral("SELECT 1 FROM RDB$INDICES I"));
        q.add(QStringLiteral("JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME=I.RDB$INDEX_NAME"));
        q.add(QStringLiteral("WHERE I.RDB$RELATION_NAME=:T AND S.RDB$FIELD_NAME=:C"));
        q.add(QStringLiteral("AND S.RDB$FIELD_POSITION=0 AND COALESCE(I.RDB$INDEX_TYPE,0)=:D"));
        q.bindAll({QLatin1String(ix.table), QLatin1String(ix.column), ix.descending ? 1 : 0});
        q.open();
        if (!q.isEmpty())
            continue;
        db.executeImmediate(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                                .arg(ix.descending ? QStringLiteral("DESCENDING ") : QString(),
                                     QLatin1String(ix.name), QLatin1String(ix.table),
                                     QLatin1String(ix.column)));
        added << QLatin1String(ix.name);
    }
    db.commit();
    return added;
}

int textColumnLength(Query& q, const QString& table, const QString& column)
{
    q.close();
    q.clear();
    q.add(QStringLiteral("SELECT COALESCE(F.RDB$CHARACTER_LENGTH,F.RDB$FIELD_LENGTH) L"));
    q.add(QStringLiteral("FROM RDB$RELATION_FIELDS R"));
    q.add(QStringLiteral("JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME=R.RDB$FIELD_SOURCE"));
    q.add(QStringLiteral("WHERE R.RDB$RELATION_NAME=:T AND R.RDB$FIELD_NAME=:F"));
    q.bindAll({table, column});
    q.open();
    const int length = q.isEmpty() ? 0 : int(q.value(0, 0).toInt());
    q.close();
    return length;
}

} // namespace db
