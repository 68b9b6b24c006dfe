#include "templates.h"

namespace letters {
namespace {

const QString DbKey = QStringLiteral("DBKEY");
const QString Kayno = QStringLiteral("KAYNO");
const QString Acik = QStringLiteral("ACIK");
const QString Metin = QStringLiteral("METIN");

} // namespace

TemplateLibrary::TemplateLibrary(core::TDM& dm)
    : m_dm(dm), m_rows(dm.IBDATABASE), m_write(dm.IBDATABASE)
{
}

void TemplateLibrary::readNextKayno()
{
    db::Query& q = m_dm.QRSORGU;
    q.openLines({QStringLiteral("SELECT MAX(KAYNO) KNO FROM SABLON")});
    m_next = int(q.isEmpty() ? 0 : q.field(QStringLiteral("KNO")).toInt()) + 1;
    q.close();
}

db::Query& TemplateLibrary::openRows()
{
    m_rows.openLines({QStringLiteral("SELECT RDB$DB_KEY DBKEY,KAYNO,ACIK,METIN FROM SABLON")});
    return m_rows;
}

void TemplateLibrary::closeRows()
{
    m_rows.close();
}

QString TemplateLibrary::refusal(const QString& description, bool textBlank)
{
    if (description.trimmed().isEmpty())
        return TemplateDescriptionMissing;
    if (textBlank)
        return TemplateTextMissing;
    return QString();
}

void TemplateLibrary::insert(widgets::RowValues& row)
{
    const int kayno = m_next;
    m_write.openLines({QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN)"),
                       QStringLiteral("VALUES(:KAYNO,:ACIK,:METIN)"),
                       QStringLiteral("RETURNING RDB$DB_KEY DBKEY")},
                      {kayno, row.value(Acik), row.value(Metin).toByteArray()});
    ++m_next;
    row.insert(Kayno, kayno);
    row.insert(DbKey, m_write.value(0, 0).toBytes());
    m_write.close();
}

bool TemplateLibrary::update(const widgets::RowValues& row)
{
    return m_write.execLines(
               {QStringLiteral("UPDATE SABLON SET ACIK=:ACIK,METIN=:METIN"),
                QStringLiteral("WHERE RDB$DB_KEY=:DBKEY AND KAYNO IS NOT DISTINCT FROM :KAYNO")},
               {row.value(Acik), row.value(Metin).toByteArray(), row.value(DbKey),
                row.value(Kayno)}) > 0;
}

void TemplateLibrary::remove(const widgets::RowValues& row)
{
    m_write.execLines(
        {QStringLiteral("DELETE FROM SABLON"),
         QStringLiteral("WHERE RDB$DB_KEY=:DBKEY AND KAYNO IS NOT DISTINCT FROM :KAYNO")},
        {row.value(DbKey), row.value(Kayno)});
}

QStringList TemplateLibrary::descriptions()
{
    db::Query& q = m_dm.QRSORGU;
    q.openLines({QStringLiteral("SELECT ACIK FROM SABLON")});
    QStringList out;
    for (int r = 0; r < q.rowCount(); ++r)
        out << q.value(r, 0).toString();
    q.close();
    return out;
}

QByteArray TemplateLibrary::textOf(const QString& description)
{
    db::Query& q = m_dm.QRSORGU;
    q.openLines({QStringLiteral("SELECT METIN FROM SABLON"), QStringLiteral("WHERE ACIK=:ACK")},
                {description});
    const QByteArray text = q.isEmpty() ? QByteArray() : q.value(0, 0).toBytes();
    q.close();
    return text;
}

} // namespace letters
