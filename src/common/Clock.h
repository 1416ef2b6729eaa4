#pragma once

#include <QDateTime>

namespace tramora {

// The one source of "now" for the core, so that tests can fix the date and time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override;
};

// A clock that stands still at the moment it is given, for the checker and the tests.
class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime now)
        : m_now(std::move(now))
    { }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }

private:
    QDateTime m_now;
};

} // namespace tramora
