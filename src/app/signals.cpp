#include "signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace app {
namespace {

sigset_t terminationSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

} // namespace

void blockTerminationSignals()
{
    const sigset_t set = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void endOnTerminationSignals(std::function<void()> orderlyEnd)
{
    const sigset_t set = terminationSignals();
    const int fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0)
        return;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, fd, orderlyEnd] {
        signalfd_siginfo info;
        while (::read(fd, &info, sizeof info) == sizeof info) {
        }
        notifier->setEnabled(false); // one end is enough
        orderlyEnd();
    });
}

} // namespace app
