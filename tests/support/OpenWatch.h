#pragma once

#include <QFile>
#include <QString>

#include <sys/inotify.h>
#include <unistd.h>

namespace tramora::test {

// Counts the opens of one file from its creation on, so a test can tell it was never read.
class OpenWatch final
{
public:
    explicit OpenWatch(const QString &path)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd >= 0
            && inotify_add_watch(m_fd, QFile::encodeName(path).constData(), IN_OPEN | IN_ACCESS)
                < 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~OpenWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenWatch(const OpenWatch &) = delete;
    OpenWatch &operator=(const OpenWatch &) = delete;

    bool isValid() const { return m_fd >= 0; }
    bool touched() const
    {
        alignas(inotify_event) char buffer[4096];
        return ::read(m_fd, buffer, sizeof buffer) > 0;
    }

private:
    int m_fd = -1;
};

} // namespace tramora::test
