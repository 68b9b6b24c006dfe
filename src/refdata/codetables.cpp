#include "codetables.h"

#include "core/turkish.h"
#include "db/dberror.h"
#include "widgets/filteredlist.h"

#include <limits>

namespace refdata {
namespace {

QStringList editableFields(const CodeTable& table)
{
    QStringList fields;
    for (const widgets::EditColumn& c : table.columns)
        if (c.editable)
            fields << c.field;
    return fields;
}

} // namespace

const CodeTable& departmentTable()
{
    static const CodeTable t{
        QStringLiteral("TFRMBIRIM"),
        QStringLiteral("BİRİMLER"),
        QStringLiteral("BİRİM TANIMLARI"),
        QStringLiteral("BIRIM"),
        QStringLiteral("BKOD"),
        QStringLiteral("BIRIM"),
        {{QStringLiteral("BIRIM"), QStringLiteral("Birim Adi"), 260, 0, true},
         {QStringLiteral("YET"), QStringLiteral("Birim Yetkilisi"), 200, 0, true},
         {QStringLiteral("GOR"), QStringLiteral("Görev Ünvanı"), 200, 0, true}},
        QString(),
        {QStringLiteral("SELECT COUNT(*) SAY FROM BIRIM"), QStringLiteral("WHERE BIRIM=:BRM")},
        1,
        QStringLiteral("DİKKAT! Bu Birim Kayıtlıdır..."),
        QStringLiteral("SELECT MAX(BKOD) KOD FROM BIRIM"),
        {QStringLiteral("GELEN"), QStringLiteral("GIDEN"), QStringLiteral("DILEKCE")},
        QStringLiteral("DİKKAT! Bu Birim Kayıtlarda Kullanılmıştır. Silemezsiniz."),
    };
    return t;
}

const CodeTable& institutionTable()
{
    static const CodeTable t{
        QStringLiteral("TFRMKURUM"),
        QStringLiteral("KURUMLAR"),
        QStringLiteral("KURUM TANIMLARI"),
        QStringLiteral("DISKUR"),
        QStringLiteral("DKOD"),
        QStringLiteral("DKURUM"),
        {{QStringLiteral("DKURUM"), QStringLiteral("Kurum Adı"), 360, 0, true},
         {QStringLiteral("DKOD"), QStringLiteral("Kodu"), 70, 0, false}},
        core::turkishOrderBy(QStringLiteral("DKURUM"), widgets::CodeNameLength),
        {QStringLiteral("SELECT COUNT(*) SAY FROM DISKUR"), QStringLiteral("WHERE DKURUM=:KRM")},
        0,
        QStringLiteral("DİKKAT! Bu Kurum Kayıtlıdır..."),
        QStringLiteral("SELECT MAX(DKOD) KOD FROM DISKUR"),
        {QStringLiteral("GELEN"), QStringLiteral("GIDEN")},
        QStringLiteral("DİKKAT! Bu Kurum Kayıtlarda Kullanılmıştır. Silemezsiniz."),
    };
    return t;
}

const CodeTable& documentTypeTable()
{
    static const CodeTable t{
        QStringLiteral("TFRMECINS"),
        QStringLiteral("EVRAKLAR"),
        QStringLiteral("EVRAK CİNSİ TANIMLARI"),
        QStringLiteral("ECINS"),
        QStringLiteral("EKOD"),
        QStringLiteral("ECINS"),
        {{QStringLiteral("ECINS"), QStringLiteral("Evrak Cinsi Açıklaması"), 360, 0, true}},
        QString(),
        {QStringLiteral("SELECT COUNT(*) SAY FROM ECINS"), QStringLiteral("WHERE ECINS=:EC")},
        0,
        QStringLiteral("DİKKAT! Bu Evrak Türü Kayıtlıdır..."),
        QStringLiteral("SELECT MAX(EKOD) KOD FROM ECINS"),
        {QStringLiteral("GELEN"), QStringLiteral("GIDEN"), QStringLiteral("DILEKCE")},
        QStringLiteral("DİKKAT! Bu Evrak Türü  Kayıtlarda Kullanılmıştır. Silemezsiniz."),
    };
    return t;
}

CodeTableRules::CodeTableRules(core::TDM& dm, const CodeTable& table)
    : m_dm(dm), m_table(table),
      m_rows(dm.IBDATABASE, table.table, table.codeColumn, editableFields(table), table.orderLine)
{
}

db::Query& CodeTableRules::openRows()
{
    return m_rows.open();
}

void CodeTableRules::closeRows()
{
    m_rows.close();
    m_dm.QRSORGU.close();
}

bool CodeTableRules::isDuplicate(const QVariant& name)
{
    db::Query& q = m_dm.QRSORGU;
    q.close();
    q.clear();
    for (const QString& line : m_table.duplicateLines)
        q.add(line);
    q.bind(0, name);
    q.open();
    const qint64 count = q.field(QStringLiteral("SAY")).toInt();
    q.close();
    return count > m_table.duplicateLimit;
}

int nextCode(db::Query& scratch, const QString& maxSql)
{
    scratch.close();
    scratch.clear();
    scratch.add(maxSql);
    scratch.open();
    const qint64 code =
        scratch.field(QStringLiteral("KOD")).toInt() + 1; // an empty table gives null: 1
    scratch.close();
    if (code > std::numeric_limits<qint16>::max())
        throw db::DbError(
            QStringLiteral("arithmetic exception, numeric overflow: code %1").arg(code));
    return int(code);
}

int CodeTableRules::nextCode()
{
    return refdata::nextCode(m_dm.QRSORGU, m_table.newCodeSql);
}

qint64 CodeTableRules::useCount(const QVariant& code)
{
    if (code.isNull())
        return 0; // a row not yet written has no code for a document to use
    QStringList counts;
    QVariantList params;
    for (const QString& reg : m_table.usedIn) {
        counts
            << QStringLiteral("(SELECT COUNT(*) FROM %1 WHERE %2=:K)").arg(reg, m_table.codeColumn);
        params << code;
    }
    db::Query& q = m_dm.QRSORGU;
    q.close();
    q.clear();
    q.add(QStringLiteral("SELECT %1 SAY FROM RDB$DATABASE").arg(counts.join(QLatin1Char('+'))));
    q.bindAll(params);
    q.open();
    const qint64 sum = q.field(QStringLiteral("SAY")).toInt();
    q.close();
    return sum;
}

void CodeTableRules::insertRow(widgets::RowValues& row)
{
    m_rows.insert(row, nextCode());
}

bool CodeTableRules::updateRow(const widgets::RowValues& row)
{
    return m_rows.update(row);
}

void CodeTableRules::deleteRow(const widgets::RowValues& row)
{
    m_rows.remove(row);
}

} // namespace refdata
