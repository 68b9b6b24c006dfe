#include "tfrmgidlst.h"

#include "tfrmgiden.h"

namespace registers {

const ListTable& TFRMGIDLST::table()
{
    static const ListTable table{
        .reg = &outgoingRegister(),
        .formName = QStringLiteral("TFRMGIDLST"),
        .title = QStringLiteral("GİDEN EVRAK  LİSTESİ"),
        // "Cev.No", the number of the incoming document or petition that the
        // outgoing one answers, comes with the rows: ILGDUR says which
        // register ILGNO is a key of, so a petition and an incoming document
        // with the same key are never mixed up.
        .selectLines = {QStringLiteral(
                            "SELECT G1.KAYNO,G1.GIDNO,G1.GIDTAR,G1.ILGDUR,D.DKURUM,"
                            "G1.EVTAR||'/'||G1.EVSAY TARNO,G1.KONU,B.BIRIM,CEVDUR,ILGNO,GIZDER,"
                            "COALESCE(C.CNO,P.PNO) CNO FROM GIDEN G1"),
                        QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)"),
                        QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)"),
                        QStringLiteral("LEFT JOIN (SELECT KAYNO CKAYNO,GELNO CNO FROM GELEN) C "
                                       "ON(C.CKAYNO=G1.ILGNO AND G1.ILGNO>0 AND G1.ILGDUR='G')"),
                        QStringLiteral("LEFT JOIN (SELECT KAYNO PKAYNO,DILNO PNO FROM DILEKCE) P "
                                       "ON(P.PKAYNO=G1.ILGNO AND G1.ILGNO>0 AND G1.ILGDUR='D')")},
        .orderLine = QStringLiteral("ORDER BY G1.GIDNO"),
        .filters = {widgets::institutionFilter(QStringLiteral("Gönderildiği Yer"),
                                               QStringLiteral("G1")),
                    departmentFilter(QStringLiteral("Gönderen Birim"), QStringLiteral("G1")),
                    replyFilter(true), gradeFilter(true)},
        .columns = {listColumn(QStringLiteral("GIDNO"), QStringLiteral("Kay.No"), 60, true),
                    listColumn(QStringLiteral("GIDTAR"), QStringLiteral("Kay.Tarihi"), 80),
                    listColumn(QStringLiteral("DKURUM"), QStringLiteral("Gönderildiği Yer"), 200),
                    listColumn(QStringLiteral("TARNO"), QStringLiteral("Evrak Tar./No"), 180),
                    listColumn(QStringLiteral("KONU"), QStringLiteral("Konusu"), 220),
                    listColumn(QStringLiteral("BIRIM"), QStringLiteral("Gönderen Birim Birim"),
                               200),
                    listColumn(QStringLiteral("CEVDUR"), QStringLiteral("Cev"), 32),
                    listColumn(QStringLiteral("CNO"), QStringLiteral("Cev.No"), 55, true),
                    listColumn(QStringLiteral("GIZDER"), QStringLiteral("G.Der"), 40)},
        .stretchField = QStringLiteral("KONU"),
        .subjectLine = true,
        .toolWindow = true,
        .deleteWithTextQuestion =
            QStringLiteral("DİKKAT! Bu Kayıt ve Giden Yazı Metni Silinecektir. Onaylıyormusunuz.?"),
    };
    return table;
}

TFRMGIDLST::TFRMGIDLST(core::TDM& dm, core::AppContext& ctx, TFRMGIDEN& entry, QWidget* parent)
    : BrowseList(table(), dm, ctx, entry, parent)
{
}

} // namespace registers
