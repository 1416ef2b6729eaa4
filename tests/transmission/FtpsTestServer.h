#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace tramora::test {

// A certificate authority and a server certificate for 127.0.0.1, made with openssl.
class TestCertificates final
{
public:
    TestCertificates();
    bool isValid() const { return m_valid; }
    QString caFile() const { return m_dir.filePath(QStringLiteral("ca.pem")); }
    QString certFile() const { return m_dir.filePath(QStringLiteral("server.pem")); }
    QString keyFile() const { return m_dir.filePath(QStringLiteral("server.key")); }

    // Made once per test program; making keys is slow.
    static const TestCertificates &shared();

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

// The test FTPS server (ftps_server.py) on 127.0.0.1 and a free port, TLS required on the
// control and the data connections, with the central's folders "/ftp2/" and "/ftp3/" below
// its root.
class FtpsTestServer final
{
public:
    struct Options
    {
        QString password = QStringLiteral("Lmv#472");
        QString perm = QStringLiteral("elradfmw");
        QString fault; // "die", "stall" or "truncate" in the data channel of a store
        qint64 faultBytes = 65536;
        bool remoteFolders = true;
    };

    FtpsTestServer();
    explicit FtpsTestServer(const Options &options);
    ~FtpsTestServer();

    bool isRunning() const;
    int port() const { return m_port; }
    QString root() const { return m_root.path(); }
    QString remotePath(const QString &folder, const QString &name) const;
    // The error output, for a failing test.
    QString log();
    void stop();

private:
    bool start();

    Options m_options;
    QTemporaryDir m_root;
    QProcess m_process;
    int m_port = 0;
};

// vsftpd on 127.0.0.1 demanding TLS on both connections and the control connection's TLS
// session on every data connection, as production servers do. Its login goes through a
// permissive PAM stack that is bind-mounted over the fallback service inside a private mount
// namespace of the server alone, so the machine's own files are never changed.
class VsftpdTestServer final
{
public:
    VsftpdTestServer();
    ~VsftpdTestServer();

    bool isRunning() const;
    int port() const { return m_port; }
    QString remotePath(const QString &folder, const QString &name) const;
    QString log() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

// tinyproxy on 127.0.0.1 as an HTTP CONNECT proxy asking for basic authentication.
class TinyproxyTestServer final
{
public:
    TinyproxyTestServer(const QString &user, const QString &password);
    ~TinyproxyTestServer();

    bool isRunning() const;
    int port() const { return m_port; }
    // The proxy's own log: which tunnels it opened.
    QString log() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

// A port of 127.0.0.1 that nothing listens on right now.
int freeLoopbackPort();

QByteArray readBytes(const QString &path);
// Writes bytes of a fixed pseudo-random pattern, so that a misplaced byte shows.
bool writePattern(const QString &path, qint64 size, quint32 seed);

} // namespace tramora::test
