#include "details.h"

namespace lists {
namespace {

// The registration block, the same in the three views but for the number
// and date columns and three captions.
QList<DetailField> registrationBlock(const QString& no, const QString& date,
                                     const QString& department, const QString& person,
                                     const QString& title)
{
    return {
        {QStringLiteral("Kayıt Numarası"), no, FieldShape::Line, nullptr, 8},
        {QStringLiteral("Kayıt Tarihi"), date, FieldShape::Line, nullptr, 10},
        {QStringLiteral("Evrak Cinsi"), QStringLiteral("ECINS")},
        {department, QStringLiteral("BIRIM")},
        {QStringLiteral("Zimmet Durumu"), QStringLiteral("ZDUR"), FieldShape::Words,
         &core::handOverWords(), 8},
        {QStringLiteral("Zimmet No"), QStringLiteral("ZNO"), FieldShape::Line, nullptr, 8},
        {QStringLiteral("Zimmet Tarihi"), QStringLiteral("ZTAR"), FieldShape::Line, nullptr, 10},
        {QStringLiteral("Gizlilik Derecesi"), QStringLiteral("GIZDER"), FieldShape::Words,
         &core::gradeWords(), 12},
        {person, QStringLiteral("TESADI")},
        {title, QStringLiteral("TESGOR")},
    };
}

DetailField subject(const QString& column)
{
    return {QStringLiteral("Konusu (Özü)"), column, FieldShape::Multi};
}

DetailField attachments()
{
    return {QStringLiteral("Eki"), QStringLiteral("EKSAY"), FieldShape::Attachments, nullptr, 4,
            QStringLiteral("EK")};
}

DetailField replyExpected()
{
    return {QStringLiteral("Cevap Bekleniyor"), QStringLiteral("CEVDUR"), FieldShape::Reply,
            &core::yesNoWords(), 6};
}

// The joins shared by the incoming and outgoing views: type, department,
// institution, the related document G1 with its department B1 and the
// reply G2 with its institution D1.
QStringList documentJoins(const QString& other)
{
    return {QStringLiteral("LEFT JOIN ECINS E ON(E.EKOD=G.EKOD)"),
            QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G.BKOD)"),
            QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G.DKOD)"),
            QStringLiteral("LEFT JOIN %1 G1 ON(G1.KAYNO=G.ILGNO)").arg(other),
            QStringLiteral("LEFT JOIN BIRIM B1 ON(B1.BKOD=G1.BKOD)"),
            QStringLiteral("LEFT JOIN %1 G2 ON(G2.KAYNO=G.CEVNO)").arg(other),
            QStringLiteral("LEFT JOIN DISKUR D1 ON(D1.DKOD=G2.DKOD)")};
}

} // namespace

const DetailTable& TFRMGELDET::table()
{
    static const DetailTable differences = {
        .formName = QStringLiteral("TFRMGELDET"),
        .title = QStringLiteral("GELEN EVRAK BİLGİLERİ"),
        .leftHeading = QStringLiteral("EVRAK KAYIT BİLGİLERİ"),
        .rightHeading = QStringLiteral("GELEN EVRAK BİLGİLERİ"),
        .left = registrationBlock(
            QStringLiteral("GELNO"), QStringLiteral("GELTAR"), QStringLiteral("Verildiği Birim"),
            QStringLiteral("Teslim Alan Adı S."), QStringLiteral("Teslim Alan Görevi")),
        .right = {{QStringLiteral("Geldiği Yer"), QStringLiteral("DKURUM")},
                  {QStringLiteral("Evrak No (Sayı)"), QStringLiteral("EVSAY"), FieldShape::Line,
                   nullptr, 16},
                  {QStringLiteral("Evrak Tarihi"), QStringLiteral("EVTAR"), FieldShape::Line,
                   nullptr, 10},
                  subject(QStringLiteral("KONU")),
                  attachments(),
                  replyExpected()},
        // The reply's institution (D1) is the place in the details label.
        .sqlLines =
            QStringList{QStringLiteral(
                "SELECT G.KAYNO,G.GELNO,G.GELTAR,E.ECINS,B.BIRIM,G.ZDUR,G.ZNO,G.ZTAR,G.GIZDER,"
                "G.TESADI,G.TESGOR,D.DKURUM,G.EVSAY,G.EVTAR,G.KONU,G.EKSAY,G.CEVDUR,G.CEVNO,G.EK,"
                "G1.GIDNO GIDNO1,G1.GIDTAR GIDTAR1,G1.KONU KONU1,B1.BIRIM BIRIM1,G2.GIDNO,"
                "G2.GIDTAR,G2.KONU KONU2,D1.DKURUM DKURUM1 FROM GELEN G")} +
            documentJoins(QStringLiteral("GIDEN")) +
            QStringList{QStringLiteral("WHERE G.KAYNO=:KNO")},
        .replyTexts = {QStringLiteral("Cevap Gönderildi...."),
                       QStringLiteral("Cevap Gönderilmedi....")},
        .replyNoColumn = QStringLiteral("GIDNO"),
        .replyDateColumn = QStringLiteral("GIDTAR"),
        .replyPlaceColumn = QStringLiteral("DKURUM1"),
        .related = {{QString(),
                     QStringLiteral("İlgili Olduğu Giden Evrak Bilgileri (Cevap)"),
                     {QStringLiteral("GIDNO1"), QStringLiteral("GIDTAR1"), QStringLiteral("BIRIM1"),
                      QStringLiteral("KONU1")}}},
    };
    return differences;
}

const DetailTable& TFRMGIDDET::table()
{
    static const DetailTable differences = {
        .formName = QStringLiteral("TFRMGIDDET"),
        .title = QStringLiteral("GİDEN EVRAK BİLGİLERİ"),
        .leftHeading = QStringLiteral("EVRAK KAYIT BİLGİLERİ"),
        .rightHeading = QStringLiteral("GİDEN EVRAK BİLGİLERİ"),
        .left = registrationBlock(
            QStringLiteral("GIDNO"), QStringLiteral("GIDTAR"), QStringLiteral("Gönderen Birim"),
            QStringLiteral("Gönderen Adı S."), QStringLiteral("Gönderen Görevi")),
        .right = {{QStringLiteral("Gönderildiği Yer"), QStringLiteral("DKURUM")},
                  {QStringLiteral("Evrak No (Sayı)"), QStringLiteral("EVSAY"), FieldShape::Line,
                   nullptr, 16},
                  {QStringLiteral("Evrak Tarihi"), QStringLiteral("EVTAR"), FieldShape::Line,
                   nullptr, 10},
                  subject(QStringLiteral("KONU1")),
                  attachments(),
                  replyExpected()},
        // Besides the reply's institution (D1), the petition the document
        // answers when its ILGDUR is 'D' (DL, with its department B2).
        .sqlLines =
            QStringList{QStringLiteral(
                "SELECT G.KAYNO,G.GIDNO,G.GIDTAR,E.ECINS,B.BIRIM,G.ZDUR,G.ZNO,G.ZTAR,G.GIZDER,"
                "G.TESADI,G.TESGOR,D.DKURUM,G.EVSAY,G.EVTAR,G.KONU KONU1,G.EKSAY,G.CEVDUR,G.CEVNO,"
                "G.EK,G1.GELNO,G1.GELTAR,G1.KONU KONU2,B1.BIRIM BIRIM1,G2.GELNO GELNO1,"
                "G2.GELTAR GELTAR1,G2.KONU,D1.DKURUM DKURUM1,G.ILGDUR,DL.DILNO,DL.DILTAR,"
                "DL.KONU KONU3,B2.BIRIM BIRIM2 FROM GIDEN G")} +
            documentJoins(QStringLiteral("GELEN")) +
            QStringList{
                QStringLiteral("LEFT JOIN DILEKCE DL ON(DL.KAYNO=G.ILGNO AND G.ILGDUR='D')"),
                QStringLiteral("LEFT JOIN BIRIM B2 ON(B2.BKOD=DL.BKOD)"),
                QStringLiteral("WHERE G.KAYNO=:KNO")},
        .replyTexts = {QStringLiteral("Cevap Geldi...."), QStringLiteral("Cevap GEelmedi....")},
        .replyNoColumn = QStringLiteral("GELNO1"),
        .replyDateColumn = QStringLiteral("GELTAR1"),
        .replyPlaceColumn = QStringLiteral("DKURUM1"),
        .relatedSwitch = QStringLiteral("ILGDUR"),
        .related = {{QStringLiteral("G"),
                     QStringLiteral("İlgili Olduğu Gelen Evrak Bilgileri (Cevap)"),
                     {QStringLiteral("GELNO"), QStringLiteral("GELTAR"), QStringLiteral("BIRIM1"),
                      QStringLiteral("KONU2")}},
                    {QStringLiteral("D"),
                     QStringLiteral("İlgili Olduğu Dilekçe Bilgileri (Cevap)"),
                     {QStringLiteral("DILNO"), QStringLiteral("DILTAR"), QStringLiteral("BIRIM2"),
                      QStringLiteral("KONU3")}}},
    };
    return differences;
}

const DetailTable& TFRMDILDET::table()
{
    static const DetailTable differences = {
        .formName = QStringLiteral("TFRMDILDET"),
        .title = QStringLiteral("DİLEKÇE BİLGİLERİ"),
        .leftHeading = QStringLiteral("DİLEKÇE KAYIT BİLGİLERİ"),
        .rightHeading = QStringLiteral("DİLEKÇE BİLGİLERİ"),
        .left = registrationBlock(
            QStringLiteral("DILNO"), QStringLiteral("GELTAR"), QStringLiteral("Verildiği Birim"),
            QStringLiteral("Teslim Alan Adı S."), QStringLiteral("Teslim Alan Görevi")),
        .right = {{QStringLiteral("Adı Soyadı"), QStringLiteral("ADSOY")},
                  {QStringLiteral("Dilekçe Tarihi"), QStringLiteral("DILTAR"), FieldShape::Line,
                   nullptr, 10},
                  subject(QStringLiteral("KONU")),
                  attachments(),
                  replyExpected()},
        .sqlLines = {QStringLiteral(
                         "SELECT G.KAYNO,G.DILNO,G.GELTAR,E.ECINS,B.BIRIM,G.ZDUR,G.ZNO,G.ZTAR,"
                         "G.GIZDER,G.TESADI,G.TESGOR,G.ADSOY,G.DILTAR,G.KONU,G.EKSAY,G.CEVDUR,"
                         "G.CEVNO,G.EK,G1.GIDNO ,G1.GIDTAR ,G1.KONU KONU1,B1.BIRIM BIRIM1 "
                         "FROM DILEKCE G"),
                     QStringLiteral("LEFT JOIN ECINS E ON(E.EKOD=G.EKOD)"),
                     QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G.BKOD)"),
                     QStringLiteral("LEFT JOIN GIDEN G1 ON(G1.KAYNO=G.CEVNO)"),
                     QStringLiteral("LEFT JOIN BIRIM B1 ON(B1.BKOD=G1.BKOD)"),
                     QStringLiteral("WHERE G.KAYNO=:KNO")},
        .replyTexts = {QStringLiteral("Cevap Gönderildi...."),
                       QStringLiteral("Cevap Gönderilmedi....")},
        .replyNoColumn = QStringLiteral("GIDNO"),
        .replyDateColumn = QStringLiteral("GIDTAR"),
        .replyPlaceColumn = QStringLiteral("BIRIM1"),
    };
    return differences;
}

TFRMGELDET::TFRMGELDET(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : DocumentDetail(table(), dm, ctx, parent)
{
}

TFRMGIDDET::TFRMGIDDET(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : DocumentDetail(table(), dm, ctx, parent)
{
}

TFRMDILDET::TFRMDILDET(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : DocumentDetail(table(), dm, ctx, parent)
{
}

} // namespace lists
