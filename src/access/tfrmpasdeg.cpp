#include "tfrmpasdeg.h"

#include "ui_tfrmpasdeg.h"

#include "access/fields.h"
#include "access/rights.h"
#include "access/sifrele.h"
#include "access/useradmin.h"
#include "core/prompter.h"

using namespace useraccess;

TFRMPASDEG::TFRMPASDEG(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : RecordForm(ctx, parent), m_dm(dm), m_ui(std::make_unique<Ui::TFRMPASDEG>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMPASDEG"));
    setFixedSize(size());
    m_ui->edtYeni->setMaxLength(PasswordLength);
    for (QLineEdit* field : {m_ui->edtEski, m_ui->edtYeni, m_ui->edtTekrar})
        makePasswordField(field);
    // The name and description are shown, not typed into.
    for (QLineEdit* field : {m_ui->edtUsr, m_ui->edtAcik}) {
        QPalette shown = field->palette();
        shown.setColor(QPalette::Base, shown.color(QPalette::Window));
        field->setPalette(shown);
    }
    bindButtons(m_ui->btnKayit, m_ui->btnIptal);
}

TFRMPASDEG::~TFRMPASDEG() = default;

void TFRMPASDEG::activate()
{
    for (QLineEdit* field :
         {m_ui->edtUsr, m_ui->edtAcik, m_ui->edtEski, m_ui->edtYeni, m_ui->edtTekrar})
        field->clear();
    db::Query& q = m_dm.QRSORGU;
    // Without a row of its own (no login, and the file has no vendor
    // account) the screen closes: another user's row must not be changed.
    if (!readRow(q, {QStringLiteral("SELECT * FROM USERS"), QStringLiteral("WHERE USR=:U")},
                 {HandedUserName}))
        return;
    m_hno = int(q.field(QStringLiteral("HNO")).toInt());
    m_ui->edtUsr->setText(q.field(QStringLiteral("USR")).toString());
    m_ui->edtAcik->setText(q.field(QStringLiteral("ACIK")).toString());
    q.close();
    HAKVER();
    m_ui->edtEski->setFocus();
}

void TFRMPASDEG::HAKVER()
{
    // Without a login no right applies.
    bool allowed = true;
    if (m_ctx.LoginRequired == QLatin1String("1")) {
        const core::RightFlagsResult flags = HAKBUL(m_ctx, QStringLiteral("50"));
        allowed = flags.K == QLatin1String("E") || flags.D == QLatin1String("E");
    }
    m_ui->btnKayit->setEnabled(allowed);
}

bool TFRMPASDEG::saveRecord()
{
    // The stored password, not the emptied field of the form.
    const std::optional<QString> stored = storedPassword(m_dm.QRSORGU, HandedUserName);
    if (!stored) {
        core::Prompter::current().message(UserRowMissing);
        return true; // nothing left to change: the form closes
    }
    if (SIFRELE(QStringLiteral("2"), *stored) != m_ui->edtEski->text()) {
        refuse(OldPasswordWrong, m_ui->edtEski);
        return false;
    }
    const QString password = m_ui->edtYeni->text();
    if (password != m_ui->edtTekrar->text()) {
        refuse(PasswordsDiffer, m_ui->edtYeni);
        return false;
    }
    if (!passwordSurvivesEncoding(password)) {
        refuse(PasswordNotStorable, m_ui->edtYeni);
        return false;
    }
    updatePassword(m_dm.QRSORGU, m_hno, HandedUserName,
                   SIFRELE(QStringLiteral("1"), m_ui->edtTekrar->text()));
    // Permanent at once: no other screen's rollback takes it back.
    m_dm.FDTransaction1.commit();
    return true;
}
