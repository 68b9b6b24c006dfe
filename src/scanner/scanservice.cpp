#include "scanservice.h"

namespace scanner {

ScanService::ScanService(QObject* parent)
    : QObject(parent), m_worker(new QObject), m_stop(std::make_shared<std::atomic_bool>(false))
{
    m_thread.setObjectName(QStringLiteral("scanner"));
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

ScanService::~ScanService()
{
    *m_stop = true;
    m_thread.quit();
    m_thread.wait();
}

void ScanService::run(std::function<void()> task)
{
    QMetaObject::invokeMethod(m_worker, std::move(task), Qt::QueuedConnection);
}

void ScanService::post(std::function<void()> call)
{
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void ScanService::listDevices()
{
    run([this] {
        const QList<Device> devices = scanner::listDevices();
        post([this, devices] { emit devicesListed(devices); });
    });
}

void ScanService::probe(const QString& device)
{
    run([this, device] {
        const Capabilities c = scanner::probe(device);
        post([this, c] { emit probed(c); });
    });
}

void ScanService::scan(const ScanSettings& settings)
{
    // Each scan has its own flag: one stopped late must not run on when the
    // next one starts.
    auto stopFlag = std::make_shared<std::atomic_bool>(false);
    m_stop = stopFlag;
    m_scanning = true;
    m_handedOver = 0;
    run([this, settings, stopFlag] {
        const std::atomic_bool& stop = *stopFlag;
        auto current = [this, stopFlag] { return m_stop == stopFlag && !*stopFlag; };
        ScanSink sink;
        sink.pageStarted = [this, current](int page) {
            post([this, current, page] {
                if (current())
                    emit pageStarted(page);
            });
        };
        sink.progress = [this, current](int page, int percent) {
            post([this, current, page, percent] {
                if (current())
                    emit progress(page, percent);
            });
        };
        sink.pageScanned = [this, current](int page, const QByteArray& stored) {
            post([this, current, page, stored] {
                if (!current())
                    return;
                ++m_handedOver;
                emit pageScanned(page, stored);
            });
        };
        const ScanResult r = scanPages(settings, stop, sink);
        post([this, stopFlag, r] {
            if (m_stop != stopFlag)
                return; // a later scan has begun
            ScanResult result = r;
            result.pages = m_handedOver;
            if (*stopFlag && result.end == ScanEnd::Done)
                result.end = ScanEnd::Stopped;
            m_scanning = false;
            emit finished(result);
        });
    });
}

void ScanService::stop()
{
    *m_stop = true;
}

} // namespace scanner
