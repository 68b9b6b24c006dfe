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
        .fields = {{QStringLiteral("GIDNO"), QStringLiteral("edtGidno"), FieldKind::Number,
                    QStringLiteral("Kayıt No")},
                   {QStringLiteral("GIDTAR"), QStringLiteral("edtGidtar"), FieldKind::Date,
                    QStringLiteral("Kayıt Tarihi")},
                   {QStringLiteral("SDP"), QStringLiteral("cmbSdp"), FieldKind::FilePlan,
                    QStringLiteral("Std. Dosya Kodu")},
                   {QStringLiteral("BKOD"), QStringLiteral("cmbBirim"), FieldKind::Department,
                    QStringLiteral("Gönderen Birim")},
                   {QStringLiteral("ZDUR"), QStringLiteral("cmbZdur"), FieldKind::CodeWords,
                    QStringLiteral("Zimmet Durumu")},
                   {QStringLiteral("ZNO"), QStringLiteral("edtZno"), FieldKind::Number,
                    QStringLiteral("Zimmet No")},
                   {QStringLiteral("ZTAR"), QStringLiteral("edtZtar"), FieldKind::Date,
                    QStringLiteral("Zimmet Tarihi")},
                   {QStringLiteral("GIZDER"), QStringLiteral("cmbGizder"), FieldKind::CodeWords,
                    QStringLiteral("Gizlilik Derecesi")},
                   {QStringLiteral("TESADI"), QStringLiteral("edtTesadi"), FieldKind::Text,
                    QStringLiteral("Gönderen Adı Soyadı")},
                   {QStringLiteral("TESGOR"), QStringLiteral("edtTesgor"), FieldKind::Text,
                    QStringLiteral("Gönderen Görevi")},
                   {QStringLiteral("DOSYA"), QStringLiteral("edtDosya"), FieldKind::Text,
                    QStringLiteral("Dosya İşlemi")},
                   {QStringLiteral("DKOD"), QStringLiteral("cmbKurum"), FieldKind::Institution,
                    QStringLiteral("Gönderildiği Yer")},
                   {QStringLiteral("EVSAY"), QStringLiteral("edtEvsay"), FieldKind::Text,
                    QStringLiteral("Evrak No (Sayı)")},
                   {QStringLiteral("EVTAR"), QStringLiteral("edtEvtar"), FieldKind::Date,
                    QStringLiteral("Evrak Tarihi")},
                   {QStringLiteral("EKOD"), QStringLiteral("cmbEcins"), FieldKind::DocumentType,
                    QStringLiteral("Evrak Cinsi")},
                   {QStringLiteral("KONU"), QStringLiteral("edtKonu"), FieldKind::PlainText,
                    QStringLiteral("Konusu (Özü)")},
                   {QStringLiteral("EKSAY"), QStringLiteral("edtEksay"), FieldKind::Number,
                    QStringLiteral("Ek Sayısı")},
                   {QStringLiteral("EK"), QStringLiteral("edtEk"), FieldKind::PlainText,
                    QStringLiteral("Eki")},
                   {QStringLiteral("BIRIM"), QStringLiteral("edtBirimAdi"), FieldKind::PlainText,
                    QStringLiteral("Gönderildiği Birim")},
                   {QStringLiteral("CEVDUR"), QStringLiteral("cmbCevdur"), FieldKind::CodeWords,
                    QStringLiteral("Cevap Bekleniyor")}},
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
