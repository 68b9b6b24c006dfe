#include "tfrmgellst.h"

#include "tfrmgelen.h"

namespace registers {
namespace {

widgets::GridColumn column(const QString& field, const QString& heading, int width,
                           bool number = false)
{
    return {
        field, heading, width, (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, {}};
}

} // namespace

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
        .filters =
            {
                {.kind = ListFilter::Kind::CodeList,
                 .objectName = QStringLiteral("cmbKurum"),
                 .caption = QStringLiteral("Geldiği Yer"),
                 .fillSql = QStringLiteral("SELECT DKURUM FROM DISKUR ORDER BY DKURUM"),
                 .lookupLines = {QStringLiteral("SELECT DKOD FROM DISKUR"),
                                 QStringLiteral("WHERE DKURUM=:D")},
                 // The code also on the register's own column: the engine
                 // then reads the institution's documents by its index
                 // instead of every document of the year.
                 .firstForm = QStringLiteral("WHERE D.DKOD=:DK AND G1.DKOD=:DK"),
                 .laterForm = QStringLiteral(" AND D.DKOD=:DK AND G1.DKOD=:DK")},
                {.kind = ListFilter::Kind::CodeList,
                 .objectName = QStringLiteral("cmbBirim"),
                 .caption = QStringLiteral("Verildiği Birim"),
                 .fillSql = QStringLiteral("SELECT BIRIM FROM BIRIM ORDER BY BIRIM"),
                 .lookupLines = {QStringLiteral("SELECT BKOD FROM BIRIM"),
                                 QStringLiteral("WHERE BIRIM=:B")},
                 .departmentOfClerk = true,
                 .firstForm = QStringLiteral("WHERE B.BKOD=:BK AND G1.BKOD=:BK"),
                 .laterForm = QStringLiteral(" AND B.BKOD=:BK AND G1.BKOD=:BK")},
                {.kind = ListFilter::Kind::Choice,
                 .objectName = QStringLiteral("cmbCevap"),
                 .caption = QStringLiteral("Cevap Durumu"),
                 .choices = {{QStringLiteral("Tümü")},
                             {QStringLiteral("Cevap Bekleyen"),
                              QStringLiteral("WHERE CEVDUR='E' AND ILGNO=0"),
                              QStringLiteral(" AND CEVDUR='E' AND ILGNO=0")},
                             {QStringLiteral("Cevap Verilen"),
                              QStringLiteral("WHERE CEVDUR='E' AND ILGNO>0"),
                              QStringLiteral(" AND CEVDUR='E' AND ILGNO>0")}},
                 .allEntry = QStringLiteral("Tümü")},
                {.kind = ListFilter::Kind::Letter,
                 .objectName = QStringLiteral("cmbGizlilik"),
                 .caption = QStringLiteral("Gizlilik Derecesi"),
                 .firstForm = QStringLiteral("WHERE GIZDER=:GD"),
                 .laterForm = QStringLiteral(" AND G1.GIZDER=:GD"),
                 .choices = {{QStringLiteral("Tümü")},
                             {QStringLiteral("Çok Gizli")},
                             {QStringLiteral("Gizli")},
                             {QStringLiteral("Kişiye Özel")},
                             {QStringLiteral("Özel")}},
                 .allEntry = QStringLiteral("Tümü")},
            },
        .columns = {column(QStringLiteral("GELNO"), QStringLiteral("Kay.No"), 60, true),
                    column(QStringLiteral("GELTAR"), QStringLiteral("Kay.Tarihi"), 80),
                    column(QStringLiteral("DKURUM"), QStringLiteral("Geldiği Yer"), 200),
                    column(QStringLiteral("TARNO"), QStringLiteral("Evrak Tar./No"), 180),
                    column(QStringLiteral("KONU"), QStringLiteral("Konusu"), 220),
                    column(QStringLiteral("BIRIM"), QStringLiteral("Verildiği Birim"), 200),
                    column(QStringLiteral("CEVDUR"), QStringLiteral("Cev"), 32),
                    column(QStringLiteral("CNO"), QStringLiteral("Cev.No"), 55, true),
                    column(QStringLiteral("GIZDER"), QStringLiteral("G.der"), 40)},
        .stretchField = QStringLiteral("KONU"),
        .subjectLine = true,
    };
    return table;
}

TFRMGELLST::TFRMGELLST(core::TDM& dm, core::AppContext& ctx, TFRMGELEN& entry, QWidget* parent)
    : BrowseList(table(), dm, ctx, entry, parent)
{
}

} // namespace registers
