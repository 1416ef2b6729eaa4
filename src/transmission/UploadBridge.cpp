#include "transmission/UploadBridge.h"

#include <QMetaObject>

#include <chrono>
#include <memory>

namespace tramora {

UploadBridge::UploadBridge(QObject *context, Handler handler)
    : m_context(context)
    , m_handler(std::move(handler))
{ }

void UploadBridge::post(const UploadNotice &notice)
{
    // Posting under the lock keeps close() from letting the context die between the check
    // and the post; an event still queued when it dies is dropped with it.
    const std::lock_guard lock(m_mutex);
    if (m_closed)
        return;
    QMetaObject::invokeMethod(
        m_context, [this, notice] { m_handler(notice); }, Qt::QueuedConnection);
}

bool UploadBridge::postAndWait(const UploadNotice &notice)
{
    auto applied = std::make_shared<bool>(false);
    std::unique_lock lock(m_mutex);
    if (m_closed)
        return false;
    QMetaObject::invokeMethod(
        m_context,
        [this, notice, applied] {
            m_handler(notice);
            const std::lock_guard done(m_mutex);
            *applied = true;
            m_changed.notify_all();
        },
        Qt::QueuedConnection);
    m_changed.wait(lock, [&] { return *applied || m_closed; });
    return *applied;
}

bool UploadBridge::pause(int ms)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_closed; });
    return !m_closed;
}

bool UploadBridge::isClosed() const
{
    const std::lock_guard lock(m_mutex);
    return m_closed;
}

void UploadBridge::close()
{
    const std::lock_guard lock(m_mutex);
    m_closed = true;
    m_changed.notify_all();
}

} // namespace tramora
