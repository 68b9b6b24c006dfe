#include "tfrmtara.h"

#include "ui_tfrmtara.h"

#include "core/errors.h"
#include "core/prompter.h"

namespace scanner {
namespace {

// The colour modes offered, with the names the device knows them by.
const std::pair<QString, QString> Modes[] = {
    {QStringLiteral("Gri"), QStringLiteral("Gray")},
    {QStringLiteral("Renkli"), QStringLiteral("Color")},
    {QStringLiteral("Siyah-Beyaz"), QStringLiteral("Lineart")},
};

// Until the device says what it offers.
const QList<int> CommonResolutions = {75, 100, 150, 200, 300, 400, 600};

} // namespace

TFRMTARA::TFRMTARA(QWidget* parent)
    : widgets::Screen(parent), m_ui(std::make_unique<Ui::ScanForm>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMTARA"));
    setWindowTitle(QStringLiteral("TARA"));
    for (const auto& [word, mode] : Modes)
        m_ui->cmbRenk->addItem(word, mode);
    m_ui->prgSayfa->setRange(0, 100);

    bindButton(
        m_ui->btnBasla, [this] { startScan(); }, Qt::Key_F5);
    bindButton(
        m_ui->btnDurdur, [this] { stopScan(); }, Qt::Key_F6);
    bindButton(m_ui->btnCikis, [this] { exit(); });
    setEscapeButton(m_ui->btnCikis);

    connect(m_ui->cmbCihaz, &QComboBox::currentIndexChanged, this, [this] {
        if (!choice().device.isEmpty())
            m_service.probe(choice().device);
    });
    connect(&m_service, &ScanService::devicesListed, this, &TFRMTARA::showDevices);
    connect(&m_service, &ScanService::probed, this, &TFRMTARA::showCapabilities);
    connect(&m_service, &ScanService::pageStarted, this, [this](int) {
        m_ui->prgSayfa->setValue(0);
        m_ui->lblDurum->setText(QStringLiteral("Sayfa %1 taranıyor...").arg(m_stored + 1));
    });
    connect(&m_service, &ScanService::progress, this,
            [this](int, int percent) { m_ui->prgSayfa->setValue(percent); });
    connect(&m_service, &ScanService::pageScanned, this,
            [this](int, const QByteArray& stored) { storePage(stored); });
    connect(&m_service, &ScanService::finished, this, &TFRMTARA::scanFinished);
}

TFRMTARA::~TFRMTARA() = default;

void TFRMTARA::activate()
{
    const core::ScannerChoice last = core::settings::readScannerChoice();
    m_stored = 0;
    m_listed = false;
    {
        const QSignalBlocker block(m_ui->cmbCihaz);
        m_ui->cmbCihaz->clear();
        if (!last.device.isEmpty())
            m_ui->cmbCihaz->addItem(last.device, last.device);
    }
    showResolutions(CommonResolutions, last.resolution);
    const int mode = m_ui->cmbRenk->findData(last.mode);
    m_ui->cmbRenk->setCurrentIndex(mode < 0 ? 0 : mode);
    m_ui->chkBesleyici->setChecked(last.feeder);
    m_ui->chkBesleyici->setEnabled(false); // until the device says it has one
    m_ui->prgSayfa->setValue(0);
    m_ui->lblDurum->setText(QStringLiteral("Tarayıcılar aranıyor..."));
    showButtons();
    m_service.listDevices();
    if (!last.device.isEmpty())
        m_service.probe(last.device);
}

void TFRMTARA::deactivate()
{
    if (m_service.scanning())
        m_service.stop();
}

ScanSettings TFRMTARA::choice() const
{
    ScanSettings s;
    s.device = m_ui->cmbCihaz->currentData().toString();
    s.resolution = m_ui->cmbCozunurluk->currentText().toInt();
    s.mode = m_ui->cmbRenk->currentData().toString();
    s.feeder = m_ui->chkBesleyici->isEnabled() && m_ui->chkBesleyici->isChecked();
    return s;
}

void TFRMTARA::showDevices(const QList<Device>& devices)
{
    m_listed = true;
    const QString chosen = m_ui->cmbCihaz->currentData().toString();
    {
        const QSignalBlocker block(m_ui->cmbCihaz);
        m_ui->cmbCihaz->clear();
        for (const Device& d : devices)
            m_ui->cmbCihaz->addItem(d.description.isEmpty()
                                        ? d.name
                                        : QStringLiteral("%1 (%2)").arg(d.description, d.name),
                                    d.name);
        // The last one used stays on offer when it is not connected now:
        // scanning from it says so.
        if (!chosen.isEmpty() && m_ui->cmbCihaz->findData(chosen) < 0)
            m_ui->cmbCihaz->addItem(chosen, chosen);
        const int index = m_ui->cmbCihaz->findData(chosen);
        m_ui->cmbCihaz->setCurrentIndex(index < 0 ? 0 : index);
    }
    if (!m_service.scanning())
        m_ui->lblDurum->setText(devices.isEmpty() ? QStringLiteral("Bağlı bir tarayıcı bulunamadı.")
                                                  : QString());
    if (!choice().device.isEmpty() && choice().device != chosen)
        m_service.probe(choice().device);
    showButtons();
}

void TFRMTARA::showCapabilities(const Capabilities& c)
{
    if (c.device != choice().device)
        return; // an answer about a device no longer chosen
    m_ui->chkBesleyici->setEnabled(c.feeder);
    if (!c.found)
        return;
    showResolutions(c.resolutions.isEmpty() ? CommonResolutions : c.resolutions,
                    m_ui->cmbCozunurluk->currentText().toInt());
}

void TFRMTARA::showResolutions(const QList<int>& offered, int wanted)
{
    QComboBox& box = *m_ui->cmbCozunurluk;
    box.clear();
    int nearest = 0;
    for (int i = 0; i < offered.size(); ++i) {
        box.addItem(QString::number(offered[i]));
        if (std::abs(offered[i] - wanted) < std::abs(offered[nearest] - wanted))
            nearest = i;
    }
    box.setCurrentIndex(nearest);
}

void TFRMTARA::startScan()
{
    if (m_service.scanning())
        return;
    const ScanSettings s = choice();
    core::ScannerChoice kept = s;
    kept.feeder = m_ui->chkBesleyici->isChecked();
    core::settings::storeScannerChoice(kept);
    m_ui->prgSayfa->setValue(0);
    m_ui->lblDurum->setText(QStringLiteral("Sayfa %1 taranıyor...").arg(m_stored + 1));
    m_service.scan(s);
    showButtons();
}

void TFRMTARA::stopScan()
{
    if (!m_service.scanning())
        return;
    m_service.stop();
    m_ui->lblDurum->setText(QStringLiteral("Durduruluyor..."));
    m_ui->btnDurdur->setEnabled(false);
}

void TFRMTARA::exit()
{
    // A page still being read is dropped; those stored stay.
    stopScan();
    finish(QDialog::Accepted);
}

void TFRMTARA::storePage(const QByteArray& stored)
{
    if (stored.isEmpty()) {
        // The pages stored before it stay; the rest would fail alike.
        stopScan();
        core::Prompter::current().message(PageNotCompressed);
        return;
    }
    if (!core::guarded([this, &stored] {
            if (m_store)
                m_store(stored);
        })) {
        stopScan();
        return;
    }
    ++m_stored;
    m_ui->prgSayfa->setValue(100);
    m_ui->lblDurum->setText(QStringLiteral("%1 sayfa tarandı.").arg(m_stored));
}

void TFRMTARA::scanFinished(const ScanResult& result)
{
    showButtons();
    if (!isVisible())
        return;
    m_ui->lblDurum->setText(result.end == ScanEnd::Stopped
                                ? QStringLiteral("Durduruldu; %1 sayfa tarandı.").arg(m_stored)
                                : QStringLiteral("%1 sayfa tarandı.").arg(m_stored));
    const QString message = scanMessage(result, choice().device);
    if (!message.isEmpty()) {
        m_ui->lblDurum->setText(message.section(QLatin1Char('\n'), 0, 0));
        core::Prompter::current().message(message);
    }
}

void TFRMTARA::showButtons()
{
    const bool busy = m_service.scanning();
    m_ui->btnBasla->setEnabled(!busy);
    m_ui->btnDurdur->setEnabled(busy);
    m_ui->grpAyar->setEnabled(!busy);
}

} // namespace scanner
