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
    // A timer of the event loop, run once the loop turns with the window up.
    m_fetch.setSingleShot(true);
    m_fetch.setInterval(0);
    connect(&m_fetch, &QTimer::timeout, this, [this] {
        if (isVisible())
            core::guarded([this] { VERGETIR(); });
    });
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
    // The exchange starts once the screen is up: the clerk sees it while
    // the server answers, each line as it comes, and "ESC-Çıkış" ends the
    // wait. Run from the opening itself it would keep the window unmapped.
    m_fetch.start();
}

void TFRMVERBILGI::deactivate()
{
    m_fetch.stop();
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
