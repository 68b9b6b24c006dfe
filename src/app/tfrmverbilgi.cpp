#include "tfrmverbilgi.h"

#include "ui_tfrmverbilgi.h"

#include "core/errors.h"

#include <QCloseEvent>

TFRMVERBILGI::TFRMVERBILGI(core::InfoServerConnection& server, std::function<void()> update,
                           QWidget* parent)
    : widgets::Screen(parent), m_server(server), m_update(std::move(update)),
      m_ui(std::make_unique<Ui::TFRMVERBILGI>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMVERBILGI"));
    connect(m_ui->btnGuncelle, &QPushButton::clicked, this,
            [this] { core::guarded([this] { updateProgram(); }); });
    connect(m_ui->btnCikis, &QPushButton::clicked, this,
            [this] { core::guarded([this] { exit(); }); });
    setEscapeButton(m_ui->btnCikis);
}

TFRMVERBILGI::~TFRMVERBILGI() = default;

void TFRMVERBILGI::setVersion(const QString& version)
{
    m_ui->LBLVER->setText(version);
}

QStringList TFRMVERBILGI::lines() const
{
    const QString text = m_ui->memBilgi->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TFRMVERBILGI::activate()
{
    m_ui->memBilgi->clear();
    VERGETIR();
}

void TFRMVERBILGI::deactivate()
{
    m_server.close();
}

void TFRMVERBILGI::VERGETIR()
{
    // The screen is up and keeps repainting while the server answers.
    m_server.fetchNotes(core::infoServerAddress(), m_ui->LBLVER->text(),
                        [this](const QString& line) { m_ui->memBilgi->appendPlainText(line); });
}

void TFRMVERBILGI::updateProgram()
{
    m_update();
    if (isVisible())
        finish(QDialog::Accepted);
}

void TFRMVERBILGI::exit()
{
    finish(QDialog::Rejected);
}

void TFRMVERBILGI::closeEvent(QCloseEvent* event)
{
    // The title-bar button closes this screen.
    setClosePermission(true);
    widgets::Screen::closeEvent(event);
}
