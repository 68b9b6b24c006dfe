#include "registry.h"

namespace liststest {

int Registry::nextCode(const QString& table, const QString& column)
{
    return m_db.scalar(QStringLiteral("SELECT COALESCE(MAX(%1),0)+1 FROM %2").arg(column, table))
        .toInt();
}

int Registry::institution(const QString& name)
{
    const int code = nextCode(QStringLiteral("DISKUR"), QStringLiteral("DKOD"));
    m_db.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(:D,:N)"), {code, name});
    return code;
}

int Registry::department(const QString& name)
{
    const int code = nextCode(QStringLiteral("BIRIM"), QStringLiteral("BKOD"));
    m_db.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,:N)"), {code, name});
    return code;
}

int Registry::docType(const QString& name)
{
    const int code = nextCode(QStringLiteral("ECINS"), QStringLiteral("EKOD"));
    m_db.exec(QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(:E,:N)"), {code, name});
    return code;
}

int Registry::add(Register reg, const Document& d)
{
    const int kayno =
        d.kayno ? d.kayno
                : m_db.scalar(QStringLiteral("SELECT GEN_ID(GEN_GELKAYNO,1) FROM RDB$DATABASE"))
                      .toInt();
    const bool in = reg == Register::Incoming;
    const QString table = in ? QStringLiteral("GELEN") : QStringLiteral("GIDEN");
    const QString no = in ? QStringLiteral("GELNO") : QStringLiteral("GIDNO");
    const QString date = in ? QStringLiteral("GELTAR") : QStringLiteral("GIDTAR");
    const QVariant nobody; // NULL
    m_db.exec(QStringLiteral(
                  "INSERT INTO %1 (KAYNO,%2,%3,DKOD,BKOD,KONU,CEVDUR,CEVNO,ILGNO,EVSAY,EVTAR,EKOD,"
                  "ZDUR,ZNO,ZTAR,GIZDER,TESADI,TESGOR,EKSAY,EK) VALUES(:K,:NO,:T,:DK,:BK,:KONU,"
                  ":CD,:CN,:IN,:ES,:ET,:EK,:ZD,:ZN,:ZT,:GD,:TA,:TG,:ES2,:EK2)")
                  .arg(table, no, date),
              {kayno,
               d.no,
               d.date,
               d.dkod ? QVariant(d.dkod) : nobody,
               d.bkod ? QVariant(d.bkod) : nobody,
               d.konu,
               d.cevdur,
               d.cevno,
               d.ilgno,
               d.evsay,
               d.evtar,
               d.ekod,
               d.zdur,
               d.zno,
               d.ztar,
               d.gizder,
               d.tesadi,
               d.tesgor,
               d.eksay,
               d.ek});
    if (!in && !d.ilgdur.isEmpty())
        m_db.exec(QStringLiteral("UPDATE GIDEN SET ILGDUR=:D WHERE KAYNO=:K"), {d.ilgdur, kayno});
    return kayno;
}

int Registry::petition(const Petition& p)
{
    const int kayno =
        p.kayno ? p.kayno
                : m_db.scalar(QStringLiteral("SELECT GEN_ID(GEN_DILKAYNO,1) FROM RDB$DATABASE"))
                      .toInt();
    m_db.exec(
        QStringLiteral(
            "INSERT INTO DILEKCE (KAYNO,DILNO,GELTAR,ADSOY,BKOD,KONU,CEVDUR,CEVNO,DILTAR,EKOD,"
            "ZDUR,ZNO,ZTAR,GIZDER,TESADI,TESGOR,EKSAY,EK) VALUES(:K,:NO,:T,:AD,:BK,:KONU,:CD,"
            ":CN,:DT,:EK,:ZD,:ZN,:ZT,:GD,:TA,:TG,:ES,:EK2)"),
        {kayno, p.no, p.date, p.adsoy, p.bkod ? QVariant(p.bkod) : QVariant(), p.konu, p.cevdur,
         p.cevno, p.diltar, p.ekod, p.zdur, p.zno, p.ztar, p.gizder, p.tesadi, p.tesgor, p.eksay,
         p.ek});
    return kayno;
}

void Registry::outgoingAnswersIncoming(int reply, int answered)
{
    m_db.exec(QStringLiteral("UPDATE GIDEN SET ILGNO=:I,ILGDUR='G' WHERE KAYNO=:K"),
              {answered, reply});
    m_db.exec(QStringLiteral("UPDATE GELEN SET CEVNO=:C WHERE KAYNO=:K"), {reply, answered});
}

void Registry::incomingAnswersOutgoing(int reply, int answered)
{
    m_db.exec(QStringLiteral("UPDATE GELEN SET ILGNO=:I WHERE KAYNO=:K"), {answered, reply});
    m_db.exec(QStringLiteral("UPDATE GIDEN SET CEVNO=:C WHERE KAYNO=:K"), {reply, answered});
}

void Registry::outgoingAnswersPetition(int reply, int answered)
{
    m_db.exec(QStringLiteral("UPDATE GIDEN SET ILGNO=:I,ILGDUR='D' WHERE KAYNO=:K"),
              {answered, reply});
    m_db.exec(QStringLiteral("UPDATE DILEKCE SET CEVNO=:C WHERE KAYNO=:K"), {reply, answered});
}

} // namespace liststest
