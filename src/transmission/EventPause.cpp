#include "transmission/EventPause.h"

#include <QEventLoop>
#include <QTimer>

namespace tramora {

void pauseWithEvents(int ms)
{
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace tramora
