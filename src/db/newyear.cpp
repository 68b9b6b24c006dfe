#include "newyear.h"

#include "database.h"
#include "query.h"
#include "schema.h"

#include <firebird/Interface.h>

namespace db {
namespace {

// What a new year carries over, table by table. TANIM takes the version of
// the new file instead of the old one.
struct CarriedTable {
    const char* name;
    const char* columns;
};

const CarriedTable Carried[] = {
    {"TANIM", "KURUM,SUBE,IL,ILCE,CYIL,RNK,UDUR,ONIZ,GDUR,IZL,EMAIL,LOGO,BASLIK"},
    {"BIRIM", "BKOD,BIRIM,YET,GOR"},
    {"DISKUR", "DKOD,DKURUM"},
    {"ECINS", "EKOD,ECINS"},
    {"SDP", "KOD,ACIK,SS,SK"},
    {"USERS", "USR,HNO,PSSWD,ACIK,ACIK1,OZEL"},
    {"RIGHTS", "HNO,KOD,G,K,D,S"},
    {"SABLON", "KAYNO,ACIK,METIN"},
};

// A value as it goes from one file to the other: text and blobs as their
// stored bytes, so that nothing is converted on the way.
QVariant carriedValue(const Field& field, const Column& column)
{
    if (field.isNull())
        return {};
    switch (column.type) {
    case SQL_TEXT:
    case SQL_VARYING:
    case SQL_BLOB:
        return field.toBytes();
    default:
        return field.toVariant();
    }
}

void copyTable(Database& from, Database& to, const CarriedTable& table)
{
    const QString name = QLatin1String(table.name);
    const QStringList columns = QString::fromLatin1(table.columns).split(QLatin1Char(','));
    const bool definitions = name == QLatin1String("TANIM");

    Query read(from);
    read.add(QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1Char(',')), name));
    read.open();

    Query write(to);
    write.execLines({QStringLiteral("DELETE FROM %1").arg(name)});
    QStringList targets = columns;
    QStringList params;
    for (const QString& c : columns)
        params << QLatin1Char(':') + c;
    if (definitions) {
        targets << QStringLiteral("VER");
        params << QStringLiteral(":VER");
    }
    write.clear();
    write.add(QStringLiteral("INSERT INTO %1 (%2)").arg(name, targets.join(QLatin1Char(','))));
    write.add(QStringLiteral("VALUES(%1)").arg(params.join(QLatin1Char(','))));
    const std::vector<Column>& described = read.result()->columns();
    for (int row = 0; row < read.rowCount(); ++row) {
        for (int c = 0; c < columns.size(); ++c)
            write.bind(c, carriedValue(read.value(row, c), described[size_t(c)]));
        if (definitions)
            write.bind(int(columns.size()), versionText(SchemaVersion::Current));
        write.exec();
    }
}

} // namespace

void createNewYearFile(const QString& source, const QString& target)
{
    Database from;
    const QString current = versionText(SchemaVersion::Current);
    QString found;
    try {
        from.open(source);
        Query version(from);
        version.add(QStringLiteral("SELECT VER FROM TANIM"));
        version.open();
        found = version.isEmpty() ? QString() : version.field(QStringLiteral("VER")).toString();
    } catch (const DbError& e) {
        throw e.aboutFile(source);
    }
    if (found != current)
        throw DbError(
            QStringLiteral("%1: the file is at schema version \"%2\", not %3; open it once "
                           "with the program so that it is brought up to date")
                .arg(source, found, current));

    Database to;
    try {
        createYearFile(to, target, SchemaVersion::Current);
        for (const CarriedTable& table : Carried)
            copyTable(from, to, table);
        to.commit();
        to.close();
    } catch (const DbError& e) {
        dropUnfinished(to);
        throw e.aboutFile(target);
    }
    from.close();
}

} // namespace db
