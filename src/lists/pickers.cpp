#include "pickers.h"

#include "core/turkish.h"

namespace lists {
namespace {

using Kind = PickerFilter::Kind;

// The code lists accept typed text, completed to the first matching entry.
PickerFilter typedCodeList(PickerFilter f)
{
    f.editable = true;
    f.width = 18;
    return f;
}

// The incoming and outgoing pickers differ only in their register's
// table and number columns, title and headings.
PickerTable waitingDocuments(const QString& formName, const QString& title,
                             const QString& filterHeading, const QString& listHeading,
                             const QString& table, const QString& no, const QString& date)
{
    return {
        .formName = formName,
        .title = title,
        .filterHeading = filterHeading,
        .listHeading = listHeading,
        .selectLines = {QStringLiteral(
                            "SELECT G1.KAYNO,G1.%1,G1.%2,D.DKURUM,G1.EVTAR||'/'||G1.EVSAY TARNO,"
                            "G1.KONU,B.BIRIM FROM %3 G1")
                            .arg(no, date, table),
                        QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)"),
                        QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)")},
        .baseCondition = QStringLiteral("WHERE (G1.CEVDUR='E' AND G1.CEVNO=0)"),
        .orderLine = QStringLiteral("ORDER BY G1.%1").arg(no),
        .filters = {typedCodeList(widgets::institutionFilter(QStringLiteral("Gittiği Yer"),
                                                             QStringLiteral("G1"))),
                    typedCodeList(widgets::departmentFilter(QStringLiteral("Gönderen Birim"),
                                                            QStringLiteral("G1")))},
        .columns = {{no, QStringLiteral("Kay.No"), 55},
                    {date, QStringLiteral("Kay.Tarihi"), 80},
                    {QStringLiteral("DKURUM"), QStringLiteral("Gittiği Yer"), 170},
                    {QStringLiteral("TARNO"), QStringLiteral("Evrak Tar./No"), 180},
                    {QStringLiteral("KONU"), QStringLiteral("Konusu"), 240},
                    {QStringLiteral("BIRIM"), QStringLiteral("Gönderen Birim")}},
    };
}

} // namespace

const PickerTable& TFRMGELBUL::table()
{
    static const PickerTable differences = [] {
        PickerTable s = waitingDocuments(
            QStringLiteral("TFRMGELBUL"), QStringLiteral("GELEN EVRAK LİSTESİ"),
            QStringLiteral("Filtre Seçeneekleri"),
            QStringLiteral("GELEN EVRAK LİSTESİ (CEVAP BEKLEYEN)"), QStringLiteral("GELEN"),
            QStringLiteral("GELNO"), QStringLiteral("GELTAR"));
        s.themeColors = true;
        return s;
    }();
    return differences;
}

const PickerTable& TFRMGIDBUL::table()
{
    static const PickerTable differences = waitingDocuments(
        QStringLiteral("TFRMGIDBUL"), QStringLiteral("GİDEN EVRAK LİSTESİ"), QString(),
        QStringLiteral("GİDEN EVRAK LİSTESİ (CEVAP BEKLEYEN)"), QStringLiteral("GIDEN"),
        QStringLiteral("GIDNO"), QStringLiteral("GIDTAR"));
    return differences;
}

const PickerTable& TFRMDILBUL::table()
{
    // The petitioner's name is matched anywhere, without regard to Turkish
    // case: the pattern is two characters longer than ADSOY, so it is read
    // wider than the column.
    const QString name = core::caseBlindCondition(
        QStringLiteral("ADSOY"), 30, QStringLiteral(" LIKE  "), QStringLiteral(":AA"), 32);
    const QString awaited = QStringLiteral("D.CEVDUR=:cd");
    static const PickerTable differences = {
        .formName = QStringLiteral("TFRMDILBUL"),
        .title = QStringLiteral("DİLEKÇE ARAMA"),
        .filterHeading = QStringLiteral("Filtre Seçeneekleri"),
        .listHeading = QStringLiteral("DİLEKÇE LİSTESİ (CEVAP BEKLEYEN)"),
        .selectLines =
            {QStringLiteral(
                 "SELECT D.KAYNO,D.DILNO,D.DILTAR,D.KONU,B.BIRIM,D.ADSOY FROM DILEKCE D"),
             QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=D.BKOD)")},
        .orderLine = QStringLiteral("ORDER BY D.DILNO"),
        // The name box and the two reply lists keep what the clerk left in
        // them from one use to the next.
        .filters = {typedCodeList(widgets::departmentFilter(QStringLiteral("Verildiği Birim"),
                                                            QStringLiteral("D"))),
                    {.kind = Kind::Text,
                     .objectName = QStringLiteral("edtAdsoy"),
                     .caption = QStringLiteral("Dilekçeyi Veren"),
                     .firstForm = QStringLiteral("WHERE ") + name,
                     .laterForm = QStringLiteral(" AND ") + name,
                     .kept = true,
                     .maxLength = 30},
                    {.kind = Kind::Choice,
                     .objectName = QStringLiteral("cmbCevdur"),
                     .caption = QStringLiteral("Cevap Bekleniyor"),
                     .firstForm = QStringLiteral("where ") + awaited,
                     .laterForm = QStringLiteral(" AND ") + awaited,
                     .choices = {{QStringLiteral("Tümü")},
                                 {.text = QStringLiteral("Evet"), .param = QStringLiteral("E")},
                                 {.text = QStringLiteral("Hayır"), .param = QStringLiteral("H")}},
                     .kept = true},
                    {.kind = Kind::Choice,
                     .objectName = QStringLiteral("cmbCevno"),
                     .caption = QStringLiteral("Cevap Verildi"),
                     .choices = {{QStringLiteral("Tümü")},
                                 {QStringLiteral("Hayır"), QStringLiteral("WHERE D.CEVNO=:cn"),
                                  QStringLiteral(" AND D.CEVNO=:cn"), 0},
                                 {QStringLiteral("Evet"), QStringLiteral("WHERE D.CEVNO<>:cn"),
                                  QStringLiteral(" AND D.CEVNO<>:cn"), 0}},
                     .kept = true}},
        .columns = {{QStringLiteral("DILNO"), QStringLiteral("Kay.No"), 60},
                    {QStringLiteral("DILTAR"), QStringLiteral("Kay.Tarihi"), 80},
                    {QStringLiteral("KONU"), QStringLiteral("Dilekçe Konusu"), 380},
                    {QStringLiteral("ADSOY"), QStringLiteral("Dilekçe Veren")}},
    };
    return differences;
}

TFRMGELBUL::TFRMGELBUL(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : DocumentPicker(table(), dm, ctx, parent)
{
}

TFRMGIDBUL::TFRMGIDBUL(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : DocumentPicker(table(), dm, ctx, parent)
{
}

TFRMDILBUL::TFRMDILBUL(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : DocumentPicker(table(), dm, ctx, parent)
{
}

} // namespace lists
