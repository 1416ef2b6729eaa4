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

} // namespace tramora
