#include "tfrmgiden.h"

#include "ui_tfrmgiden.h"

#include "core/errors.h"
#include "core/prompter.h"
#include "letters/letterdocument.h"
#include "letters/letterprint.h"
#include "letters/tfrmtext1.h"
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
                     lists::TFRMDILBUL& petitionPicker, letters::TFRMTEXT1& letterEditor,
                     letters::TQRPGIDYAZ& letterLayout, std::function<QImage()> emblem,
                     QWidget* parent)
    : DocumentEntryScreen(table(), dm, ctx,
                          {&filePlanPicker, &quickAdd, {&incomingPicker, &petitionPicker}}, parent),
      m_letterEditor(letterEditor), m_letterLayout(letterLayout), m_emblem(std::move(emblem)),
      m_letter(dm.QRSORGU), m_ui(std::make_unique<Ui::OutgoingEntryForm>())
{
    m_ui->setupUi(this);
    setUpForm();
    addAttachment(m_letter);
    bindButton(m_ui->btnMetin, [this] { editLetter(); });
    bindButton(m_ui->btnYazdir, [this] { printLetter(); });
    m_ui->txtMetin->viewport()->installEventFilter(this);
}

TFRMGIDEN::~TFRMGIDEN() = default;

void TFRMGIDEN::afterSetUp()
{
    showLetter();
}

void TFRMGIDEN::showLetter()
{
    // A letter that cannot be read as RTF shows as the text it holds; the
    // letter editor says so when it is opened.
    letters::loadLetter(m_letter.text(), *m_ui->txtMetin->document());
}

void TFRMGIDEN::editLetter()
{
    m_letterEditor.setSource(this);
    core::Prompter::current().runModal(m_letterEditor);
    showLetter();
}

void TFRMGIDEN::printLetter()
{
    letters::printLetter(m_letterLayout, m_letter.text(), m_emblem ? m_emblem() : QImage(),
                         m_ctx.PreviewBeforePrint, report::PrintDialogKind::LayoutSetup, this);
}

void TFRMGIDEN::setLetterText(const QByteArray& rtf)
{
    m_letter.setText(rtf);
    showLetter();
}

letters::MergeValues TFRMGIDEN::mergeValues() const
{
    const DocumentRecord& r = entry().record();
    return {r.text(QStringLiteral("EVSAY")), r.text(QStringLiteral("KONU")),
            r.text(QStringLiteral("EVTAR"))};
}

bool TFRMGIDEN::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->txtMetin->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        core::guarded([this] { editLetter(); });
        return true;
    }
    return DocumentEntryScreen::eventFilter(watched, event);
}

} // namespace registers
