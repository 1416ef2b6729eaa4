#include "common/Clock.h"

namespace tramora {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace tramora
