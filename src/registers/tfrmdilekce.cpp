#include "tfrmdilekce.h"

#include "ui_tfrmdilekce.h"

namespace registers {

const EntryScreenTable& TFRMDILEKCE::table()
{
    static const EntryScreenTable table{
        .reg = &petitionRegister(),
        .formName = QStringLiteral("TFRMDILEKCE"),
        .title = QStringLiteral("DİLEKÇE BİLGİLERİ"),
        .fields = {{QStringLiteral("DILNO"), QStringLiteral("edtDilno"), FieldKind::Number},
                   {QStringLiteral("GELTAR"), QStringLiteral("edtGeltar"), FieldKind::Date},
                   {QStringLiteral("SDP"), QStringLiteral("cmbSdp"), FieldKind::FilePlan},
                   {QStringLiteral("BKOD"), QStringLiteral("cmbBirim"), FieldKind::Department},
                   {QStringLiteral("ZDUR"), QStringLiteral("cmbZdur"), FieldKind::CodeWords},
                   {QStringLiteral("ZNO"), QStringLiteral("edtZno"), FieldKind::Number},
                   {QStringLiteral("ZTAR"), QStringLiteral("edtZtar"), FieldKind::Date},
                   {QStringLiteral("GIZDER"), QStringLiteral("cmbGizder"), FieldKind::CodeWords},
                   {QStringLiteral("TESADI"), QStringLiteral("edtTesadi"), FieldKind::Text},
                   {QStringLiteral("TESGOR"), QStringLiteral("edtTesgor"), FieldKind::Text},
                   {QStringLiteral("ADSOY"), QStringLiteral("edtAdsoy"), FieldKind::Text},
                   {QStringLiteral("DILTAR"), QStringLiteral("edtDiltar"), FieldKind::Date},
                   {QStringLiteral("EKOD"), QStringLiteral("cmbEcins"), FieldKind::DocumentType},
                   {QStringLiteral("KONU"), QStringLiteral("edtKonu"), FieldKind::PlainText},
                   {QStringLiteral("EKSAY"), QStringLiteral("edtEksay"), FieldKind::Number},
                   {QStringLiteral("EK"), QStringLiteral("edtEk"), FieldKind::PlainText},
                   {QStringLiteral("CEVDUR"), QStringLiteral("cmbCevdur"), FieldKind::CodeWords}},
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
