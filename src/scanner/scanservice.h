#pragma once

#include "scanning.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <memory>

namespace scanner {

// Runs the scanner interface on a thread of its own, one task after the
// other, so that a slow, busy or hung device never holds up the screen.
// It lives on the interface thread and its signals arrive there; the
// pages are handed over there, one by one, as they are read.
class ScanService : public QObject {
    Q_OBJECT
public:
    explicit ScanService(QObject* parent = nullptr);
    // Stops a scan and waits a few seconds for the device to let go. A
    // driver that hangs is logged and left to itself: its thread, and what
    // it uses, stay until the program ends, which it no longer holds up.
    ~ScanService() override;

    void listDevices();
    void probe(const QString& device);
    void scan(const ScanSettings& settings);
    // The page being read is dropped; the pages handed over stay. Pages read
    // meanwhile are not handed over any more.
    void stop();
    // From scan() until finished().
    bool scanning() const { return m_scanning; }

signals:
    void devicesListed(const QList<scanner::Device>& devices);
    void probed(const scanner::Capabilities& capabilities);
    void pageStarted(int page);
    void progress(int page, int percent);
    void pageScanned(int page, const QByteArray& stored);
    // pages counts the pages handed over.
    void finished(const scanner::ScanResult& result);

private:
    struct Thread;
    // Runs the task on the scanning thread; it reaches the service only
    // through the thread's post().
    void run(std::function<void(Thread&)> task);

    std::shared_ptr<Thread> m_thread;
    std::shared_ptr<std::atomic_bool> m_stop;
    bool m_scanning = false;
    int m_handedOver = 0;
};

} // namespace scanner

Q_DECLARE_METATYPE(scanner::Device)
Q_DECLARE_METATYPE(scanner::Capabilities)
Q_DECLARE_METATYPE(scanner::ScanResult)
