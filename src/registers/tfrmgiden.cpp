#include "tfrmgiden.h"

#include "ui_tfrmgiden.h"

#include "lists/pickers.h"

#include <QEvent>

namespace registers {

const EntryScreenTable& TFRMGIDEN::table()
{
    static const EntryScreenTable table{
        .reg = &outgoingRegister(),
        .formName = QStringLiteral("TFRMGIDEN"),
        .title = QStringLiteral("GİDEN EVRAK BİLGİLERİ"),
        .fields = {{QStringLiteral("GIDNO"), QStringLiteral("edtGidno"), FieldKind::Number},
                   {QStringLiteral("GIDTAR"), QStringLiteral("edtGidtar"), FieldKind::Date},
                   {QStringLiteral("SDP"), QStringLiteral("cmbSdp"), FieldKind::FilePlan},
                   {QStringLiteral("BKOD"), QStringLiteral("cmbBirim"), FieldKind::Department},
                   {QStringLiteral("ZDUR"), QStringLiteral("cmbZdur"), FieldKind::CodeWords},
                   {QStringLiteral("ZNO"), QStringLiteral("edtZno"), FieldKind::Number},
                   {QStringLiteral("ZTAR"), QStringLiteral("edtZtar"), FieldKind::Date},
                   {QStringLiteral("GIZDER"), QStringLiteral("cmbGizder"), FieldKind::CodeWords},
                   {QStringLiteral("TESADI"), QStringLiteral("edtTesadi"), FieldKind::Text},
                   {QStringLiteral("TESGOR"), QStringLiteral("edtTesgor"), FieldKind::Text},
                   {QStringLiteral("DOSYA"), QStringLiteral("edtDosya"), FieldKind::Text},
                   {QStringLiteral("DKOD"), QStringLiteral("cmbKurum"), FieldKind::Institution},
                   {QStringLiteral("EVSAY"), QStringLiteral("edtEvsay"), FieldKind::Text},
                   {QStringLiteral("EVTAR"), QStringLiteral("edtEvtar"), FieldKind::Date},
                   {QStringLiteral("EKOD"), QStringLiteral("cmbEcins"), FieldKind::DocumentType},
                   {QStringLiteral("KONU"), QStringLiteral("edtKonu"), FieldKind::PlainText},
                   {QStringLiteral("EKSAY"), QStringLiteral("edtEksay"), FieldKind::Number},
                   {QStringLiteral("EK"), QStringLiteral("edtEk"), FieldKind::PlainText},
                   {QStringLiteral("BIRIM"), QStringLiteral("edtBirimAdi"), FieldKind::PlainText},
                   {QStringLiteral("CEVDUR"), QStringLiteral("cmbCevdur"), FieldKind::CodeWords}},
        // A double-click in either of the sender's boxes fills both.
        .receiverBoxes = {QStringLiteral("edtTesadi"), QStringLiteral("edtTesgor")},
        .related = {{QStringLiteral("Gelen Evrak Cevabı"), QStringLiteral("actGelenCevabi"),
                     QStringLiteral("G")},
                    {QStringLiteral("Dilekçe Cevabı"), QStringLiteral("actDilekceCevabi"),
                     QStringLiteral("D")}},
    };
    return table;
}

TFRMGIDEN::TFRMGIDEN(core::TDM& dm, core::AppContext& ctx, refdata::TFRMSDPBUL& filePlanPicker,
                     refdata::TFRMKURBIL& quickAdd, lists::TFRMGELBUL& incomingPicker,
                     lists::TFRMDILBUL& petitionPicker, QWidget* parent)
    : DocumentEntryScreen(table(), dm, ctx,
                          {&filePlanPicker, &quickAdd, {&incomingPicker, &petitionPicker}}, parent),
      m_letter(dm.QRSORGU), m_ui(std::make_unique<Ui::OutgoingEntryForm>())
{
    m_ui->setupUi(this);
    setUpForm();
    addAttachment(m_letter);
    // The letter editor and its printed page are not part of this screen
    // yet: their buttons wait for them.
    m_ui->btnMetin->setEnabled(false);
    m_ui->btnYazdir->setEnabled(false);
    m_ui->txtMetin->viewport()->installEventFilter(this);
}

TFRMGIDEN::~TFRMGIDEN() = default;

void TFRMGIDEN::afterSetUp()
{
    showLetter();
}

void TFRMGIDEN::showLetter()
{
    m_ui->txtMetin->clear();
}

bool TFRMGIDEN::eventFilter(QObject* watched, QEvent* event)
{
    return DocumentEntryScreen::eventFilter(watched, event);
}

} // namespace registers
