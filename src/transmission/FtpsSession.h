#pragma once

#include "transmission/UploadConnection.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace tramora {

// One control connection to the central over explicit TLS, with its single libcurl handle
// reused for every request so that the login and the TLS session carry over from one
// request to the next. Not thread-safe: it belongs to the thread that made it.
class FtpsSession final
{
public:
    // Called while a store runs with the bytes sent so far and the total; false aborts it.
    using Progress = std::function<bool(qint64 sent, qint64 total)>;

    FtpsSession(const UploadConnection &connection, Progress progress);
    ~FtpsSession(); // says goodbye to the server
    FtpsSession(const FtpsSession &) = delete;
    FtpsSession &operator=(const FtpsSession &) = delete;

    // Connects, logs in and changes to the absolute remote folder ("/ftp3/").
    bool open(const QString &remoteFolder);
    // The size the server reports for a file of the remote folder, -1 when it has none;
    // nullopt when the question itself failed.
    std::optional<qint64> remoteSize(const QString &fileName);
    // Stores the local file whole under fileName, replacing what the server holds.
    bool store(const QString &localPath, const QString &fileName);

    // What went wrong last, for the log.
    const QString &lastError() const { return m_lastError; }

private:
    struct Handle;

    QByteArray urlFor(const QString &fileName) const;
    bool perform(int code, const char *step);
    void fail(const QString &text);

    UploadConnection m_connection;
    Progress m_progress;
    QByteArray m_extraCa;
    QString m_remoteFolder;
    QString m_lastError;
    Handle *m_handle;
};

} // namespace tramora
