#include "batch/BackgroundTask.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <memory>

namespace tramora {

void runWhileEventsFlow(const std::function<void()> &work)
{
    const std::unique_ptr<QThread> thread(QThread::create(work));
    QEventLoop loop;
    // Queued to this thread, so the quit cannot be lost even when the work ends at once.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    thread->start();
    loop.exec();
    thread->wait();
}

void waitWithEventsFlowing(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace tramora
