#include "tfrmsifre.h"

#include "ui_tfrmsifre.h"

#include "access/fields.h"
#include "core/errors.h"

#include <QCloseEvent>

TFRMSIFRE::TFRMSIFRE(QWidget* parent)
    : widgets::Screen(parent), m_ui(std::make_unique<Ui::TFRMSIFRE>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMSIFRE"));
    setFixedSize(size());
    useraccess::makePasswordField(m_ui->edtSifre);

    connect(m_ui->btnKabul, &QPushButton::clicked, this,
            [this] { core::guarded([this] { acceptPassword(); }); });
    connect(m_ui->btnVazgec, &QPushButton::clicked, this,
            [this] { core::guarded([this] { cancel(); }); });
    useraccess::onEnter(m_ui->edtSifre, [this] { m_ui->btnKabul->click(); });
    setEscapeButton(m_ui->btnVazgec);
}

TFRMSIFRE::TFRMSIFRE(core::TDM&, core::AppContext&, QWidget* parent) : TFRMSIFRE(parent) {}

TFRMSIFRE::~TFRMSIFRE() = default;

QString TFRMSIFRE::typedText() const
{
    return m_ui->edtSifre->text();
}

void TFRMSIFRE::activate()
{
    PasswordCheckAccepted = false;
    m_ui->edtSifre->clear();
    m_ui->edtSifre->setFocus();
}

void TFRMSIFRE::acceptPassword()
{
    PasswordCheckAccepted = true;
    finish(QDialog::Accepted);
}

void TFRMSIFRE::cancel()
{
    PasswordCheckAccepted = false;
    finish(QDialog::Rejected);
}

void TFRMSIFRE::closeEvent(QCloseEvent* event)
{
    // Closing the window is always allowed and counts as "Vazgeç".
    if (isVisible())
        cancel();
    event->ignore();
}
