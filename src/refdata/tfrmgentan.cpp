#include "tfrmgentan.h"

#include "ui_tfrmgentan.h"

#include "core/fieldcheck.h"
#include "core/prompter.h"
#include "db/schema.h"
#include "widgets/textmark.h"

#include <QPixmap>
#include <QTextCursor>

namespace refdata {

TFRMGENTAN::TFRMGENTAN(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : widgets::Screen(parent), m_dm(dm), m_ctx(ctx), m_row(dm.IBDATABASE),
      m_ui(std::make_unique<Ui::GeneralDefinitionsForm>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMGENTAN"));
    setWindowTitle(QStringLiteral("GENEL TANIMLAR"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QFont headingFont = m_ui->lblBaslik->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    m_ui->lblBaslik->setFont(headingFont);
    m_ui->cmbRenk->setWords(themeWords());
    m_ui->cmbOnizleme->setWords(core::yesNoWords());

    bindButton(
        m_ui->btnKayit, [this] { save(); }, Qt::Key_F5);
    bindButton(
        m_ui->btnIptal, [this] { cancel(); }, Qt::Key_F6);
    bindButton(m_ui->btnEkle, [this] { addEmblem(); });
    bindButton(m_ui->btnSil, [this] { removeEmblem(); });
}

TFRMGENTAN::~TFRMGENTAN() = default;

void TFRMGENTAN::activate()
{
    m_ui->edtYil->setText(m_ctx.WorkingYear);
    m_stored = readDefinitions(m_row);
    m_emblem = m_stored.emblem;
    m_ui->edtKurum->setText(m_stored.institution);
    m_ui->edtSube->setText(m_stored.unit);
    for (const TypedField& f : typedFields())
        widgets::markText(*f.box,
                          db::textColumnLength(m_dm.QRSORGU, QStringLiteral("TANIM"), f.column));
    m_ui->cmbRenk->setLetter(m_stored.theme);
    m_ui->cmbOnizleme->setLetter(m_stored.preview);
    m_ui->edtBaslik->setPlainText(m_stored.heading);
    QTextCursor all(m_ui->edtBaslik->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    m_ui->edtBaslik->setAlignment(Qt::AlignHCenter);
    showEmblem();
    m_ui->pgcTanim->setCurrentWidget(m_ui->tabGenel);
    m_ui->edtKurum->setFocus();
}

QList<TFRMGENTAN::TypedField> TFRMGENTAN::typedFields() const
{
    return {{m_ui->edtKurum, QStringLiteral("KURUM"), QStringLiteral("Kurum Adı")},
            {m_ui->edtSube, QStringLiteral("SUBE"), QStringLiteral("Birim Adı")}};
}

void TFRMGENTAN::deactivate()
{
    m_row.close();
    m_emblemWritten = false;
    m_stored = Definitions();
    m_emblem.clear();
}

Definitions TFRMGENTAN::shown() const
{
    Definitions d;
    d.institution = m_ui->edtKurum->text();
    d.unit = m_ui->edtSube->text();
    // A choice list showing nothing (a stored letter that is no word) keeps
    // the stored letter.
    d.theme = m_ui->cmbRenk->currentIndex() < 0 ? m_stored.theme : m_ui->cmbRenk->letter();
    d.preview =
        m_ui->cmbOnizleme->currentIndex() < 0 ? m_stored.preview : m_ui->cmbOnizleme->letter();
    d.emblem = m_emblem;
    d.heading = m_ui->edtBaslik->toPlainText();
    return d;
}

void TFRMGENTAN::save()
{
    const QString year = m_ui->edtYil->text().trimmed();
    if (!isWorkingYear(year)) {
        core::Prompter::current().message(WorkingYearRefused);
        m_ui->pgcTanim->setCurrentWidget(m_ui->tabGenel);
        m_ui->edtYil->setFocus();
        return;
    }
    // What the file cannot hold as typed stays on screen to be put right.
    for (const TypedField& f : typedFields())
        if (const QString refused =
                core::textRefusal(f.caption, f.box->text(), widgets::textLimit(*f.box));
            !refused.isEmpty()) {
            core::Prompter::current().message(refused);
            m_ui->pgcTanim->setCurrentWidget(m_ui->tabGenel);
            f.box->setFocus();
            return;
        }
    if (const QString refused = core::textRefusal(QStringLiteral("Giden Evrak Başlık Açıklaması"),
                                                  m_ui->edtBaslik->toPlainText(), 0);
        !refused.isEmpty()) {
        core::Prompter::current().message(refused);
        m_ui->pgcTanim->setCurrentWidget(m_ui->tabAciklama);
        m_ui->edtBaslik->setFocus();
        return;
    }
    const Definitions d = shown();
    if (!(d == m_stored))
        writeDefinitions(m_row, d);
    m_dm.FDTransaction1.commit();
    m_ctx.WorkingYear = year;
    finish(QDialog::Accepted);
}

void TFRMGENTAN::cancel()
{
    // An emblem added on this visit stays. It is committed here: left
    // pending, the written row of TANIM would make every other workstation's
    // saving of a document wait until this one commits somewhere.
    if (m_emblemWritten)
        m_dm.FDTransaction1.commit();
    finish(QDialog::Rejected);
}

void TFRMGENTAN::addEmblem()
{
    const QString path =
        core::Prompter::current().openFileName(QStringLiteral("Kurum Amblemi"), EmblemFilter);
    if (path.isEmpty())
        return;
    const QByteArray bytes = readEmblemFile(path);
    writeEmblem(m_row, bytes);
    m_emblemWritten = true;
    m_emblem = bytes;
    m_stored.emblem = bytes;
    showEmblem();
}

void TFRMGENTAN::removeEmblem()
{
    m_emblem.clear();
    showEmblem();
}

void TFRMGENTAN::showEmblem()
{
    const QImage image = emblemImage(m_emblem);
    if (image.isNull())
        m_ui->imgAmblem->clear();
    else
        m_ui->imgAmblem->setPixmap(QPixmap::fromImage(image));
}

} // namespace refdata
