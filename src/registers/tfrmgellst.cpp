#include "tfrmgellst.h"

#include "tfrmgelen.h"

namespace registers {
const ListTable& TFRMGELLST::table()
{
    static const ListTable table{
        .reg = &incomingRegister(),
        .formName = QStringLiteral("TFRMGELLST"),
        .title = QStringLiteral("GELEN EVRAK  LİSTESİ"),
        .filterHeading = QStringLiteral("Filtre Seçeneekleri"),
        // "Cev.No", the number of the outgoing document answered, comes
        // with the rows through a join; the joined table shows only its two
        // columns, so the unqualified names stay those of GELEN.
        .selectLines =
            {QStringLiteral(
                 "SELECT G1.KAYNO,G1.GELNO,G1.GELTAR,D.DKURUM,G1.EVTAR||'/'||G1.EVSAY TARNO,"
                 "G1.KONU,B.BIRIM,CEVDUR,ILGNO,GIZDER,C.CNO FROM GELEN G1"),
             QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)"),
             QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)"),
             QStringLiteral("LEFT JOIN (SELECT KAYNO CKAYNO,GIDNO CNO FROM GIDEN) C "
                            "ON(C.CKAYNO=G1.ILGNO AND G1.ILGNO>0)")},
        .orderLine = QStringLiteral("ORDER BY G1.GELNO"),
        .filters = {widgets::institutionFilter(QStringLiteral("Geldiği Yer"), QStringLiteral("G1")),
                    departmentFilter(QStringLiteral("Verildiği Birim"), QStringLiteral("G1")),
                    replyFilter(), gradeFilter()},
        .columns = {listColumn(QStringLiteral("GELNO"), QStringLiteral("Kay.No"), 60, true),
                    listColumn(QStringLiteral("GELTAR"), QStringLiteral("Kay.Tarihi"), 80),
                    listColumn(QStringLiteral("DKURUM"), QStringLiteral("Geldiği Yer"), 200),
                    listColumn(QStringLiteral("TARNO"), QStringLiteral("Evrak Tar./No"), 180),
                    listColumn(QStringLiteral("KONU"), QStringLiteral("Konusu"), 220),
                    listColumn(QStringLiteral("BIRIM"), QStringLiteral("Verildiği Birim"), 200),
                    listColumn(QStringLiteral("CEVDUR"), QStringLiteral("Cev"), 32),
                    listColumn(QStringLiteral("CNO"), QStringLiteral("Cev.No"), 55, true),
                    listColumn(QStringLiteral("GIZDER"), QStringLiteral("G.der"), 40)},
        .stretchField = QStringLiteral("KONU"),
        .subjectLine = true,
        .deleteWithTextQuestion = QStringLiteral(
            "DİKKAT! Bu Kayıt ve Taranmış Resimleri Silinecektir. Onaylıyormusunuz.?"),
    };
    return table;
}

TFRMGELLST::TFRMGELLST(core::TDM& dm, core::AppContext& ctx, TFRMGELEN& entry, QWidget* parent)
    : BrowseList(table(), dm, ctx, entry, parent)
{
}

} // namespace registers
