#pragma once

#include "scanservice.h"
#include "widgets/screen.h"

#include <functional>
#include <memory>

namespace Ui {
class ScanForm;
}

namespace scanner {

inline const QString PageNotCompressed = QStringLiteral(
    "DİKKAT! Taranan Sayfa Saklanamadı: Sayfa JPEG Olarak Sıkıştırılamadı. Tarama Durduruldu; "
    "Önceki Sayfalar Saklandı..");

// "TARA": scans pages from a scanner into the document of the screen that
// opened it. The clerk chooses the device, the resolution, the colour mode
// and, where the device has one, the document feeder; the choice is kept for
// the next time on this workstation. "F5-Tara" scans one page from the
// flatbed, or every page in the feeder; each page goes to the page store
// as soon as it is read. The screen stays live meanwhile and shows the
// progress; "F6-Durdur" stops, keeping the pages already in.
class TFRMTARA : public widgets::Screen {
    Q_OBJECT
public:
    explicit TFRMTARA(QWidget* parent = nullptr);
    ~TFRMTARA() override;

    // Where each page goes, on the interface thread. What it throws is
    // reported and stops the scan.
    void setPageStore(std::function<void(const QByteArray& stored)> store)
    {
        m_store = std::move(store);
    }

    // "F5-Tara", "F6-Durdur", "ESC-Çıkış" (which stops a scan first).
    void startScan();
    void stopScan();
    void exit();

    // The choice shown.
    ScanSettings choice() const;
    bool scanning() const { return m_service.scanning(); }
    // Pages stored since the screen opened.
    int pagesStored() const { return m_stored; }
    // The device list has come since the screen opened.
    bool devicesListed() const { return m_listed; }
    // A page as the device's reading hands it over, compressed for the
    // store; empty when it could not be compressed, which stops the scan.
    void storePage(const QByteArray& stored);

protected:
    void activate() override;
    void deactivate() override;

private:
    void showDevices(const QList<Device>& devices);
    void showCapabilities(const Capabilities& c);
    void showResolutions(const QList<int>& offered, int wanted);
    void scanFinished(const ScanResult& result);
    void showButtons();

    ScanService m_service;
    std::function<void(const QByteArray&)> m_store;
    int m_stored = 0;
    bool m_listed = false;
    std::unique_ptr<Ui::ScanForm> m_ui;
};

} // namespace scanner
