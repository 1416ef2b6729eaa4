#pragma once

#include "transmission/UploadNotice.h"

#include <QObject>

#include <condition_variable>
#include <functional>
#include <mutex>

namespace tramora {

// The only way from the upload workers to the user-interface thread. Notices are applied by
// the handler in the thread of the context object. Once the owner closes the bridge no
// notice reaches the handler any more, workers waiting for one are let go, and their
// transfers are abandoned, so that closing the window never waits on the network.
class UploadBridge final
{
public:
    using Handler = std::function<void(const UploadNotice &)>;

    UploadBridge(QObject *context, Handler handler);
    UploadBridge(const UploadBridge &) = delete;
    UploadBridge &operator=(const UploadBridge &) = delete;

    // From a worker: hands the notice over and returns at once.
    void post(const UploadNotice &notice);
    // From a worker: hands the notice over and waits until it has been applied. False when
    // the bridge was closed before that.
    bool postAndWait(const UploadNotice &notice);
    // From a worker: sleeps for the given time or until the bridge closes; false if closed.
    bool pause(int ms);

    bool isClosed() const;
    // From the owner's thread, before the context object goes away.
    void close();

private:
    QObject *m_context;
    Handler m_handler;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_closed = false;
};

} // namespace tramora
