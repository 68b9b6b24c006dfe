#include "clock.h"

namespace core {
namespace {

const Clock systemClock;
const Clock* installed = nullptr;

} // namespace

const Clock& Clock::current()
{
    return installed ? *installed : systemClock;
}

void Clock::install(const Clock* clock)
{
    installed = clock;
}

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString todayText()
{
    return dateText(Clock::current().now().date());
}

} // namespace core
