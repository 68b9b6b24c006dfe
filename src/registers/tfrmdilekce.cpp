#include "tfrmdilekce.h"

#include "ui_tfrmdilekce.h"

namespace registers {

const EntryScreenTable& TFRMDILEKCE::table()
{
    static const EntryScreenTable table{
        .reg = &petitionRegister(),
        .formName = QStringLiteral("TFRMDILEKCE"),
        .title = QStringLiteral("DİLEKÇE BİLGİLERİ"),
        .fields = {{QStringLiteral("DILNO"), QStringLiteral("edtDilno"), FieldKind::Number,
                    QStringLiteral("Kayıt No")},
                   {QStringLiteral("GELTAR"), QStringLiteral("edtGeltar"), FieldKind::Date,
                    QStringLiteral("Kayıt Tarihi")},
                   {QStringLiteral("SDP"), QStringLiteral("cmbSdp"), FieldKind::FilePlan,
                    QStringLiteral("Std. Dosya Kodu")},
                   {QStringLiteral("BKOD"), QStringLiteral("cmbBirim"), FieldKind::Department,
                    QStringLiteral("Verildiği Birim")},
                   {QStringLiteral("ZDUR"), QStringLiteral("cmbZdur"), FieldKind::CodeWords,
                    QStringLiteral("Zimmet Durumu")},
                   {QStringLiteral("ZNO"), QStringLiteral("edtZno"), FieldKind::Number,
                    QStringLiteral("Zimmet No")},
                   {QStringLiteral("ZTAR"), QStringLiteral("edtZtar"), FieldKind::Date,
                    QStringLiteral("Zimmet Tarihi")},
                   {QStringLiteral("GIZDER"), QStringLiteral("cmbGizder"), FieldKind::CodeWords,
                    QStringLiteral("Gizlilik Derecesi")},
                   {QStringLiteral("TESADI"), QStringLiteral("edtTesadi"), FieldKind::Text,
                    QStringLiteral("Teslim Alan Adı S.")},
                   {QStringLiteral("TESGOR"), QStringLiteral("edtTesgor"), FieldKind::Text,
                    QStringLiteral("Teslim Alan Görevi")},
                   {QStringLiteral("ADSOY"), QStringLiteral("edtAdsoy"), FieldKind::Text,
                    QStringLiteral("Adı ve Soyadı")},
                   {QStringLiteral("DILTAR"), QStringLiteral("edtDiltar"), FieldKind::Date,
                    QStringLiteral("Evrak Tarihi")},
                   {QStringLiteral("EKOD"), QStringLiteral("cmbEcins"), FieldKind::DocumentType,
                    QStringLiteral("Evrak Cinsi")},
                   {QStringLiteral("KONU"), QStringLiteral("edtKonu"), FieldKind::PlainText,
                    QStringLiteral("Konusu (Özü)")},
                   {QStringLiteral("EKSAY"), QStringLiteral("edtEksay"), FieldKind::Number,
                    QStringLiteral("Ek Sayısı")},
                   {QStringLiteral("EK"), QStringLiteral("edtEk"), FieldKind::PlainText,
                    QStringLiteral("Eki")},
                   {QStringLiteral("CEVDUR"), QStringLiteral("cmbCevdur"), FieldKind::CodeWords,
                    QStringLiteral("Cevap Bekleniyor")}},
    };
    return table;
}

TFRMDILEKCE::TFRMDILEKCE(core::TDM& dm, core::AppContext& ctx, refdata::TFRMSDPBUL& filePlanPicker,
                         QWidget* parent)
    : DocumentEntryScreen(table(), dm, ctx, {&filePlanPicker, nullptr, {}}, parent),
      m_ui(std::make_unique<Ui::PetitionEntryForm>())
{
    m_ui->setupUi(this);
    setUpForm();
}

TFRMDILEKCE::~TFRMDILEKCE() = default;

} // namespace registers
