#include "tfrmsystem.h"

#include "ui_tfrmsystem.h"

#include "core/prompter.h"

#include <QAction>

TFRMSYSTEM::TFRMSYSTEM(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : widgets::Screen(parent), m_ctx(ctx), m_settings(dm, ctx),
      m_ui(std::make_unique<Ui::TFRMSYSTEM>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMSYSTEM"));
    // A title, but no buttons in it: the screen is left through its own.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    bindButton(m_ui->btnGozat, [this] { browse(); });
    bindButton(m_ui->btnTest, [this] { testSettings(); });
    bindButton(m_ui->btnDefault, [this] { defaultValues(); });
    bindButton(
        m_ui->btnKayit, [this] { save(); }, Qt::Key_F5);
    bindButton(
        m_ui->btnVazgec, [this] { cancel(); }, Qt::Key_F6);
    bindButton(m_ui->btnYeniYil, [this] { createNewYear(); });
    for (QLineEdit* field : {m_ui->edtAnaMakina, m_ui->edtYol, m_ui->edtYil})
        connect(field, &QLineEdit::textChanged, this, [this] { refreshTexts(); });

    // The context menu names the two keys; the keys themselves are bound above.
    setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto addKeyEntry = [this](const QString& text, QPushButton* button) {
        auto* action = new QAction(text, this);
        connect(action, &QAction::triggered, button, &QPushButton::click);
        addAction(action);
    };
    addKeyEntry(QStringLiteral("KAY\tF5"), m_ui->btnKayit);
    addKeyEntry(QStringLiteral("İPT\tF6"), m_ui->btnVazgec);
}

TFRMSYSTEM::~TFRMSYSTEM() = default;

core::SystemFields TFRMSYSTEM::fields() const
{
    return {m_ui->edtAnaMakina->text().trimmed(), m_ui->edtYol->text(), m_ui->edtYil->text()};
}

void TFRMSYSTEM::showFields(const core::SystemFields& fields)
{
    m_ui->edtAnaMakina->setText(fields.host);
    m_ui->edtYol->setText(fields.folder);
    m_ui->edtYil->setText(fields.year);
    refreshTexts();
}

void TFRMSYSTEM::refreshTexts()
{
    const core::DatabaseTexts texts = core::DEGERBUL(fields());
    m_ui->edtDosya->setText(texts.fileName);
    m_ui->edtTamAd->setText(texts.fullText);
    refreshNewYearOffer();
}

void TFRMSYSTEM::refreshNewYearOffer()
{
    const core::SystemFields f = fields();
    m_ui->btnYeniYil->setVisible(f.host.isEmpty() && !m_settings.newYearSource(f).isEmpty());
}

void TFRMSYSTEM::activate()
{
    showFields(m_settings.load(m_ui->edtAnaMakina->text().trimmed()));
    m_ui->memTest->clear();
    if (m_ctx.DbOpenFailed && !m_ctx.DbOpenReason.isEmpty())
        m_ui->memTest->appendPlainText(core::OpenFailedLine + m_ctx.DbOpenReason);
    m_ui->edtYol->setFocus();
}

void TFRMSYSTEM::browse()
{
    const QString path = core::Prompter::current().openFileName(
        QStringLiteral("Veritabanı Dosyası"), core::DatabaseFileFilter, m_ui->edtYol->text());
    if (path.isEmpty())
        return;
    showFields(core::SystemSettings::takeChosenFile(fields(), path));
}

void TFRMSYSTEM::testSettings()
{
    m_ui->memTest->clear();
    const core::SystemFields f = fields();
    const core::SystemSettings::FileCheck found = m_settings.test(f);
    for (const QString& line : found.lines)
        m_ui->memTest->appendPlainText(line);
    // What the test found of the year's file spares attaching to it again.
    m_ui->btnYeniYil->setVisible(!m_settings.newYearSource(f, found).isEmpty());
}

void TFRMSYSTEM::defaultValues()
{
    if (!core::Prompter::current().question(core::DefaultValuesQuestion))
        return;
    showFields(core::SystemSettings::defaults(fields()));
}

void TFRMSYSTEM::save()
{
    const QString refusal = m_settings.save(fields());
    if (!refusal.isEmpty()) {
        core::Prompter::current().message(refusal);
        return;
    }
    finish(QDialog::Accepted);
}

void TFRMSYSTEM::createNewYear()
{
    const QString refusal = m_settings.createNewYear(fields());
    if (!refusal.isEmpty()) {
        core::Prompter::current().message(refusal);
        return;
    }
    core::Prompter::current().message(
        QStringLiteral("%1 Oluşturuldu.").arg(m_ui->edtDosya->text()));
    finish(QDialog::Accepted);
}

void TFRMSYSTEM::cancel()
{
    finish(QDialog::Rejected);
}
