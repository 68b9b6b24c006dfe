#include "tfrmuserstan.h"

#include "ui_tfrmuserstan.h"

#include "access/rights.h"
#include "access/sifrele.h"
#include "access/tfrmhaklar.h"
#include "access/tfrmsifre.h"
#include "access/tfrmuser.h"
#include "access/useradmin.h"
#include "core/codewords.h"
#include "core/errors.h"
#include "core/prompter.h"

using namespace useraccess;

namespace {

QString shownFlag(const db::Field& f)
{
    return core::wordOf(core::yesNoWords(), f.toString());
}

QString shownRight(const db::Field& f)
{
    return rightLabel(int(f.toInt()));
}

} // namespace

TFRMUSERSTAN::TFRMUSERSTAN(core::TDM& dm, core::AppContext& ctx, TFRMUSER& userForm,
                           TFRMHAKLAR& rightsEditor, TFRMSIFRE& passwordPrompt, QWidget* parent)
    : widgets::Screen(parent, &ctx.CloseAllowed), m_dm(dm), m_ctx(ctx), m_userForm(userForm),
      m_rightsEditor(rightsEditor), m_passwordPrompt(passwordPrompt), m_users(dm.IBDATABASE),
      m_rights(dm.IBDATABASE), m_ui(std::make_unique<Ui::TFRMUSERSTAN>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMUSERSTAN"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    m_ui->grdKullanici->bind(m_users,
                             {{QStringLiteral("USR"), QStringLiteral("Kullanıcı Adı"), 110},
                              {QStringLiteral("ACIK"), QStringLiteral("Açıklama")}});
    const auto flag = [](const char* field, const char* heading) {
        return widgets::GridColumn{QString::fromLatin1(field), QString::fromUtf8(heading), 56,
                                   Qt::AlignCenter, shownFlag};
    };
    m_ui->grdYetki->bind(m_rights, {{QStringLiteral("KOD"), QStringLiteral("Bölümler"), 170,
                                     Qt::AlignLeft | Qt::AlignVCenter, shownRight},
                                    flag("G", "Giriş"),
                                    flag("K", "Kayıt"),
                                    flag("D", "Değiş"),
                                    flag("S", "Silme")});
    // The rights follow the user chosen.
    connect(&m_users, &db::Query::currentRowChanged, this, [this] { openRights(); });

    bindButton(
        m_ui->btnYeni, [this] { newUser(); }, Qt::Key_F2);
    bindButton(
        m_ui->btnDegis, [this] { changeUser(); }, Qt::Key_F4);
    bindButton(
        m_ui->btnSil, [this] { deleteUser(); }, Qt::Key_F10);
    bindButton(m_ui->btnCikis, [this] { exit(); });
    setEscapeButton(m_ui->btnCikis);
    connect(m_ui->grdYetki, &widgets::DataGrid::rowActivated, this,
            [this] { core::guarded([this] { editRights(); }); });
}

TFRMUSERSTAN::~TFRMUSERSTAN()
{
    // The grids read the two queries, members that go before the widgets.
    delete m_ui->grdKullanici;
    delete m_ui->grdYetki;
}

widgets::DataGrid& TFRMUSERSTAN::userGrid() const
{
    return *m_ui->grdKullanici;
}

widgets::DataGrid& TFRMUSERSTAN::rightsGrid() const
{
    return *m_ui->grdYetki;
}

void TFRMUSERSTAN::activate()
{
    openUsers();
    HAKVER();
    m_ui->grdKullanici->setFocus();
}

void TFRMUSERSTAN::deactivate()
{
    m_rights.close();
    m_users.close();
}

void TFRMUSERSTAN::HAKVER()
{
    // Without a login no right applies and every button is there. (A file
    // opened earlier in the run may have required one.)
    if (m_ctx.LoginRequired != QLatin1String("1")) {
        for (QPushButton* button : {m_ui->btnYeni, m_ui->btnDegis, m_ui->btnSil})
            button->setEnabled(true);
        return;
    }
    const core::RightFlagsResult flags = HAKBUL(m_ctx, QStringLiteral("22"));
    m_ui->btnYeni->setEnabled(flags.K == QLatin1String("E"));
    m_ui->btnDegis->setEnabled(flags.D == QLatin1String("E"));
    m_ui->btnSil->setEnabled(flags.S == QLatin1String("E"));
}

void TFRMUSERSTAN::openUsers(int hno)
{
    m_users.openLines({QStringLiteral("SELECT * FROM USERS")});
    if (hno > 0)
        m_users.locate(QStringLiteral("HNO"), hno);
}

void TFRMUSERSTAN::openRights(int kod)
{
    if (!m_users.isActive() || m_users.currentRow() < 0) {
        m_rights.close();
        return;
    }
    m_rights.openLines({QStringLiteral("SELECT * FROM RIGHTS"), QStringLiteral("WHERE HNO=:HN"),
                        QStringLiteral("ORDER BY KOD")},
                       {currentHno()});
    if (kod > 0)
        m_rights.locate(QStringLiteral("KOD"), kod);
}

bool TFRMUSERSTAN::hasCurrentUser() const
{
    return m_users.isActive() && m_users.currentRow() >= 0;
}

QString TFRMUSERSTAN::currentUserName() const
{
    return m_users.field(QStringLiteral("USR")).toString();
}

int TFRMUSERSTAN::currentHno() const
{
    return int(m_users.field(QStringLiteral("HNO")).toInt());
}

bool TFRMUSERSTAN::currentPasswordConfirmed()
{
    const std::optional<QString> stored = storedPassword(m_dm.QRSORGU, m_ctx.UserName);
    // A user whose row is gone (deleted from another workstation) has no
    // password left to give: said so before any is asked for.
    if (!stored) {
        core::Prompter::current().message(UserRowMissing);
        return false;
    }
    core::Prompter::current().runModal(m_passwordPrompt);
    if (!m_passwordPrompt.PasswordCheckAccepted)
        return false;
    if (SIFRELE(QStringLiteral("2"), *stored) != m_passwordPrompt.typedText()) {
        core::Prompter::current().message(WrongCurrentPassword);
        return false;
    }
    return true;
}

void TFRMUSERSTAN::newUser()
{
    m_userForm.Mode = TFRMUSER::NewUser;
    core::Prompter::current().runModal(m_userForm);
    openUsers(m_userForm.SavedUserNo);
}

void TFRMUSERSTAN::changeUser()
{
    if (!hasCurrentUser())
        return;
    if (currentUserName() == VendorAccount && m_ctx.UserName != VendorAccount) {
        core::Prompter::current().message(VendorNotChangeable);
        return;
    }
    if (!currentPasswordConfirmed())
        return;
    const int hno = currentHno();
    m_userForm.Mode = TFRMUSER::ChangeUser;
    m_userForm.EditUserNo = hno;
    core::Prompter::current().runModal(m_userForm);
    openUsers(hno);
}

void TFRMUSERSTAN::deleteUser()
{
    if (!hasCurrentUser())
        return;
    if (!currentPasswordConfirmed())
        return;
    const QString name = currentUserName();
    if (name == VendorAccount) {
        core::Prompter::current().message(VendorNotDeletable);
        return;
    }
    if (name == m_ctx.UserName) {
        core::Prompter::current().message(ActiveUserNotDeletable);
        return;
    }
    if (!core::Prompter::current().question(DeleteUserQuestion))
        return;
    useraccess::deleteUser(m_dm.QRSORGU, currentHno());
    openUsers();
}

void TFRMUSERSTAN::editRights()
{
    if (!hasCurrentUser() || !m_rights.isActive() || m_rights.currentRow() < 0)
        return;
    // The add flag of right 22 opens the editor, as it enables
    // "F2-Yeni Kullanıcı"; without a login no right applies.
    if (m_ctx.LoginRequired == QLatin1String("1") && m_ctx.RightFlags.K != QLatin1String("E")) {
        core::Prompter::current().message(NoRightToEdit);
        return;
    }
    if (currentUserName() == VendorAccount) {
        core::Prompter::current().message(VendorRightsNotEditable);
        return;
    }
    const int kod = int(m_rights.field(QStringLiteral("KOD")).toInt());
    m_rightsEditor.EditHno = int(m_rights.field(QStringLiteral("HNO")).toInt());
    m_rightsEditor.EditKod = kod;
    core::Prompter::current().runModal(m_rightsEditor);
    openRights(kod);
}

void TFRMUSERSTAN::exit()
{
    // The users and rights changed here are made permanent as the clerk
    // leaves, so that no other screen's rollback (an entry's "F6-Vazgeç")
    // takes them back.
    m_dm.FDTransaction1.commit();
    finish(QDialog::Accepted);
}
