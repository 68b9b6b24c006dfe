#include "links.h"

#include "db/query.h"

#include <QStringList>

namespace registers {
namespace {

// The table a link of an entry points into.
QString targetTable(Register entry, const QString& ilgdur)
{
    if (entry == Register::Gelen)
        return QStringLiteral("GIDEN");
    if (entry == Register::Giden) {
        if (ilgdur == QLatin1String("G"))
            return QStringLiteral("GELEN");
        if (ilgdur == QLatin1String("D"))
            return QStringLiteral("DILEKCE");
    }
    return {};
}

} // namespace

RelatedDocument ILGIGETIR(db::Query& scratch, Register entry, int key, const QString& ilgdur)
{
    RelatedDocument doc;
    QStringList lines;
    if (entry == Register::Gelen) {
        // GIDEN has a free-text BIRIM column of its own: the department's
        // name is named by its table.
        lines = {QStringLiteral("SELECT GIDNO,GIDTAR,B.BIRIM,KONU FROM GIDEN G"),
                 QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G.BKOD)"),
                 QStringLiteral("WHERE G.KAYNO=:KNO")};
    } else if (entry == Register::Giden && ilgdur == QLatin1String("G")) {
        lines = {QStringLiteral("SELECT GELNO,GELTAR,BIRIM,KONU FROM GELEN G"),
                 QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G.BKOD)"),
                 QStringLiteral("WHERE G.KAYNO=:KNO")};
        doc.typeLabel = QStringLiteral("Gelen Evr.");
    } else if (entry == Register::Giden && ilgdur == QLatin1String("D")) {
        lines = {QStringLiteral("SELECT DILNO,DILTAR,BIRIM,KONU FROM DILEKCE D"),
                 QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=D.BKOD)"),
                 QStringLiteral("WHERE D.KAYNO=:KNO")};
        doc.typeLabel = QStringLiteral("Dilekçe");
    } else {
        return doc;
    }
    scratch.openLines(lines, {key});
    if (!scratch.isEmpty()) {
        doc.found = true;
        doc.number = scratch.value(0, 0).toString();
        doc.date = scratch.value(0, 1).toString();
        doc.department = scratch.value(0, 2).toString();
        doc.subject = scratch.value(0, 3).toString();
    }
    scratch.close();
    return doc;
}

ReplyState CEVAPGETIR(db::Query& scratch, Register entry, int cevno)
{
    const bool outgoing = entry == Register::Giden;
    ReplyState state;
    if (outgoing)
        scratch.openLines({QStringLiteral("SELECT COUNT(KAYNO) SAY FROM GELEN G"),
                           QStringLiteral("WHERE G.KAYNO=:KNO")},
                          {cevno});
    else
        scratch.openLines({QStringLiteral("SELECT COUNT(KAYNO) SAY FROM GIDEN G"),
                           QStringLiteral("WHERE KAYNO=:KNO")},
                          {cevno});
    const bool found = scratch.field(QStringLiteral("SAY")).toInt() > 0;
    if (outgoing)
        state.label =
            found ? QStringLiteral("Cevap Geldi....") : QStringLiteral("Cevap Gelmedi....");
    else
        state.label = found ? QStringLiteral("Cevap Gönderildi....")
                            : QStringLiteral("Cevap Gönderilmedi....");

    if (outgoing)
        scratch.openLines({QStringLiteral("SELECT GELNO,GELTAR,DKURUM FROM GELEN G"),
                           QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G.DKOD)"),
                           QStringLiteral("WHERE G.KAYNO=:KNO")},
                          {cevno});
    else
        scratch.openLines({QStringLiteral("SELECT GIDNO,GIDTAR,DKURUM FROM GIDEN G"),
                           QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G.DKOD)"),
                           QStringLiteral("WHERE KAYNO=:KNO")},
                          {cevno});
    if (!scratch.isEmpty()) {
        const QString no = scratch.value(0, 0).toString();
        const QString date = scratch.value(0, 1).toString();
        const QString place = scratch.value(0, 2).toString();
        state.details = outgoing ? QStringLiteral("No:") + no + QStringLiteral(" Tarih:") + date +
                                       QStringLiteral("  G.Yer:") + place
                                 : QStringLiteral("No:") + no + QStringLiteral("  Tarih:") + date +
                                       QStringLiteral("  G.Yer:") + place;
    }
    scratch.close();
    return state;
}

void LinkEdit::reset(int storedIlgno, const QString& storedIlgdur)
{
    m_storedIlgno = m_ilgno = storedIlgno;
    m_storedIlgdur = m_ilgdur = storedIlgdur;
    m_linkSet = m_cancelled = false;
}

void LinkEdit::choose(int kayno, const QString& ilgdur)
{
    m_ilgno = kayno;
    if (!ilgdur.isEmpty())
        m_ilgdur = ilgdur;
    m_linkSet = true;
    m_cancelled = false; // a choice after a cancel is the new link
}

bool LinkEdit::cancel()
{
    if (m_ilgno == 0)
        return false;
    m_cancelled = true;
    m_linkSet = false;
    return true;
}

int LinkEdit::apply(db::Query& scratch, Register entry, int ownKayno)
{
    const QString storedTable = targetTable(entry, m_storedIlgdur);
    const QString newTable = targetTable(entry, m_ilgdur);
    // The document the stored record pointed at no longer has this reply
    // when the link was cancelled or replaced by another one.
    const bool replaced = m_linkSet && (m_storedIlgno != m_ilgno || storedTable != newTable);
    // Only while it still names this document as its reply: a reply another
    // workstation linked to it meanwhile stays.
    if ((m_cancelled || replaced) && m_storedIlgno > 0 && !storedTable.isEmpty())
        scratch.execLines({QStringLiteral("UPDATE %1 SET CEVNO=0").arg(storedTable),
                           QStringLiteral("WHERE KAYNO=:KN AND CEVNO=:CN")},
                          {m_storedIlgno, ownKayno});
    if (m_linkSet && m_ilgno > 0 && !newTable.isEmpty())
        scratch.execLines({QStringLiteral("UPDATE %1 SET CEVNO=:CN").arg(newTable),
                           QStringLiteral("WHERE KAYNO=:KN")},
                          {ownKayno, m_ilgno});
    return m_cancelled ? 0 : m_ilgno;
}

bool mayDelete(db::Query& scratch, Register reg, int kayno)
{
    if (reg == Register::Gelen)
        scratch.openLines(
            {QStringLiteral("SELECT COUNT(*) SAY FROM GIDEN WHERE ILGNO=:ILG AND ILGDUR='G'")},
            {kayno});
    else if (reg == Register::Giden)
        scratch.openLines({QStringLiteral("SELECT COUNT(*) SAY FROM GELEN WHERE ILGNO=:ILG")},
                          {kayno});
    else
        // A petition an outgoing document answers would leave that document
        // pointing at nothing.
        scratch.openLines(
            {QStringLiteral("SELECT COUNT(*) SAY FROM GIDEN WHERE ILGNO=:ILG AND ILGDUR='D'")},
            {kayno});
    const bool used = scratch.field(QStringLiteral("SAY")).toInt() > 0;
    scratch.close();
    return !used;
}

void resetAfterDelete(db::Query& scratch, Register reg, int deletedKayno, int ilgno,
                      const QString& ilgdur)
{
    if (ilgno <= 0)
        return;
    if (reg == Register::Gelen) {
        // The outgoing document the deleted one answered waits again, unless
        // another reply has been linked to it since.
        scratch.execLines({QStringLiteral("UPDATE GIDEN SET CEVNO=0"),
                           QStringLiteral("WHERE KAYNO=:KN AND CEVNO=:CN")},
                          {ilgno, deletedKayno});
    } else if (reg == Register::Giden) {
        // Likewise the incoming document or petition it answered.
        const QString table = targetTable(reg, ilgdur);
        if (!table.isEmpty())
            scratch.execLines({QStringLiteral("UPDATE %1 SET CEVNO='0'").arg(table),
                               QStringLiteral("WHERE KAYNO=:KN AND CEVNO=:CN")},
                              {ilgno, deletedKayno});
    }
}

} // namespace registers
