#include "tfrmpsswd.h"

#include "ui_tfrmpsswd.h"

#include "access/fields.h"
#include "access/login.h"
#include "access/loginbackground.h"
#include "core/errors.h"
#include "core/prompter.h"

#include <QPainter>
#include <QScopeGuard>

namespace {

// Attempts before the one that ends the login whatever it finds.
constexpr int LastAttempt = 4;

} // namespace

TFRMPSSWD::TFRMPSSWD(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : widgets::Screen(parent), m_dm(dm), m_ctx(ctx), m_ui(std::make_unique<Ui::TFRMPSSWD>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMPSSWD"));
    // A title, but no buttons in it: the screen is left through its own.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());
    useraccess::makePasswordField(m_ui->edtSifresi);

    connect(m_ui->btnTamam, &QPushButton::clicked, this,
            [this] { core::guarded([this] { tryLogin(); }); });
    connect(m_ui->btnCikis, &QPushButton::clicked, this,
            [this] { core::guarded([this] { exitLogin(); }); });
    useraccess::onEnter(m_ui->edtAdi, [this] { m_ui->edtSifresi->setFocus(); });
    useraccess::onEnter(m_ui->edtSifresi, [this] { m_ui->btnTamam->click(); });
}

TFRMPSSWD::~TFRMPSSWD() = default;

QString TFRMPSSWD::typedUserName() const
{
    return m_ui->edtAdi->text();
}

void TFRMPSSWD::activate()
{
    LoginResult = 0;
    LoginAttempt = 1;
    // The screen opens once per run; nothing typed earlier stays behind.
    m_ui->edtAdi->clear();
    m_ui->edtSifresi->clear();
    m_ui->edtAdi->setFocus();
    openUsers();
}

void TFRMPSSWD::deactivate()
{
    m_users.reset();
}

void TFRMPSSWD::openUsers()
{
    m_users = std::make_unique<db::Query>(m_dm.IBDATABASE);
    m_users->add(QStringLiteral("SELECT * FROM USERS"));
    m_users->open();
}

void TFRMPSSWD::exitLogin()
{
    setClosePermission(true);
    LoginResult = 2;
    finish(QDialog::Rejected);
}

void TFRMPSSWD::tryLogin()
{
    m_ctx.UserDeptCode = 0;

    // The fourth attempt ends the login: a correct pair still logs in, a
    // wrong one shows its message and the screen then closes as "Çıkış".
    const bool lastAttempt = LoginAttempt >= LastAttempt;
    if (lastAttempt) {
        setClosePermission(true);
        LoginResult = 2;
    }
    const auto closeAfterLastAttempt = qScopeGuard([this, lastAttempt] {
        if (lastAttempt && isVisible())
            finish(QDialog::Rejected);
    });

    if (!m_users)
        openUsers();
    switch (useraccess::checkLogin(*m_users, m_ui->edtAdi->text(), m_ui->edtSifresi->text())) {
    case useraccess::LoginCheck::UnknownName:
        core::Prompter::current().message(QStringLiteral(" KULLANICI ADI HATALI"));
        ++LoginAttempt;
        m_ui->edtAdi->setFocus();
        m_ui->edtAdi->selectAll();
        return;
    case useraccess::LoginCheck::WrongPassword:
        core::Prompter::current().message(QStringLiteral(" YANLIŞ ŞİFRE "));
        ++LoginAttempt;
        m_ui->edtSifresi->setFocus();
        m_ui->edtSifresi->selectAll();
        return;
    case useraccess::LoginCheck::Accepted:
        break;
    }
    LoginHno = int(m_users->field(QStringLiteral("HNO")).toInt());
    LoginResult = 1;
    m_ctx.UserFullName = m_users->field(QStringLiteral("ACIK")).toString();
    m_ctx.UserDeptCode = int(m_users->field(QStringLiteral("OZEL")).toInt());
    finish(QDialog::Accepted);
}

void TFRMPSSWD::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    useraccess::paintLoginBackground(painter, rect());
    widgets::Screen::paintEvent(event);
}
