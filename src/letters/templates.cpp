#include "templates.h"

namespace letters {

TemplateLibrary::TemplateLibrary(core::TDM& dm)
    : m_dm(dm), m_rows(dm.IBDATABASE, QStringLiteral("SABLON"), QStringLiteral("KAYNO"),
                       {QStringLiteral("ACIK"), QStringLiteral("METIN")})
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
    return m_rows.open();
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
    m_rows.insert(row, m_next);
    ++m_next;
}

bool TemplateLibrary::update(const widgets::RowValues& row)
{
    return m_rows.update(row);
}

void TemplateLibrary::remove(const widgets::RowValues& row)
{
    m_rows.remove(row);
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
