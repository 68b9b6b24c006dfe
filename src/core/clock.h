#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace core {

// Today's date and the time of day come from here, so that a test can fix
// "today". The program uses the system clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }

    static const Clock& current();
    // Installs another clock (nullptr: the system clock again); not owned.
    static void install(const Clock* clock);
};

// Today as the system stores dates: dd.mm.yyyy, whatever the locale.
QString todayText();

// A date as stored: dd.mm.yyyy.
QString dateText(const QDate& date);

// A clock standing still at one moment.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at) : m_at(std::move(at)) {}
    QDateTime now() const override { return m_at; }
    void set(QDateTime at) { m_at = std::move(at); }

private:
    QDateTime m_at;
};

} // namespace core
