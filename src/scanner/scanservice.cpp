#include "scanservice.h"

#include "core/errorlog.h"

#include <QDeadlineTimer>

#include <mutex>

namespace scanner {

// The scanning thread and what its tasks use. The tasks hold it, so it
// outlives a service whose thread did not end in time.
struct ScanService::Thread {
    QThread thread;
    QObject* worker = new QObject;
    std::mutex lock;
    ScanService* service; // cleared, under the lock, as the service goes

    explicit Thread(ScanService* s) : service(s) {}

    // Hands the call over to the interface thread, unless the service is
    // gone.
    void post(std::function<void()> call)
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (service)
            QMetaObject::invokeMethod(service, std::move(call), Qt::QueuedConnection);
    }
};

namespace {

// How long the program waits, as it ends, for a scanner to let go.
constexpr int ReleaseWaitMs = 3000;

} // namespace

ScanService::ScanService(QObject* parent)
    : QObject(parent), m_thread(std::make_shared<Thread>(this)),
      m_stop(std::make_shared<std::atomic_bool>(false))
{
    m_thread->thread.setObjectName(QStringLiteral("scanner"));
    m_thread->worker->moveToThread(&m_thread->thread);
    connect(&m_thread->thread, &QThread::finished, m_thread->worker, &QObject::deleteLater);
    m_thread->thread.start();
}

ScanService::~ScanService()
{
    {
        const std::lock_guard<std::mutex> guard(m_thread->lock);
        m_thread->service = nullptr;
    }
    *m_stop = true;
    m_thread->thread.quit();
    if (m_thread->thread.wait(QDeadlineTimer(ReleaseWaitMs)))
        return;
    core::logError(
        QStringLiteral("Tarayıcı sürücüsü yanıt vermiyor; program onu beklemeden "
                       "kapanıyor."),
        QStringLiteral("the scanning thread did not end within %1 ms").arg(ReleaseWaitMs));
    // A running thread must not be destroyed: it is left with what it uses
    // until the process ends.
    new std::shared_ptr<Thread>(m_thread);
}

void ScanService::run(std::function<void(Thread&)> task)
{
    QMetaObject::invokeMethod(
        m_thread->worker, [thread = m_thread, task = std::move(task)] { task(*thread); },
        Qt::QueuedConnection);
}

void ScanService::listDevices()
{
    run([this](Thread& t) {
        const QList<Device> devices = scanner::listDevices();
        t.post([this, devices] { emit devicesListed(devices); });
    });
}

void ScanService::probe(const QString& device)
{
    run([this, device](Thread& t) {
        const Capabilities c = scanner::probe(device);
        t.post([this, c] { emit probed(c); });
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
    // On the scanning thread "this" is only carried into the calls posted
    // back, which run only while the service is there.
    run([this, settings, stopFlag](Thread& t) {
        const std::atomic_bool& stop = *stopFlag;
        auto current = [this, stopFlag] { return m_stop == stopFlag && !*stopFlag; };
        ScanSink sink;
        sink.pageStarted = [this, &t, current](int page) {
            t.post([this, current, page] {
                if (current())
                    emit pageStarted(page);
            });
        };
        sink.progress = [this, &t, current](int page, int percent) {
            t.post([this, current, page, percent] {
                if (current())
                    emit progress(page, percent);
            });
        };
        sink.pageScanned = [this, &t, current](int page, const QByteArray& stored) {
            t.post([this, current, page, stored] {
                if (!current())
                    return;
                ++m_handedOver;
                emit pageScanned(page, stored);
            });
        };
        const ScanResult r = scanPages(settings, stop, sink);
        t.post([this, stopFlag, r] {
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
