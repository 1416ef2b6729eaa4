#include "FtpsTestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

namespace tramora::test {

namespace {

bool runOpenssl(const QStringList &arguments, const QString &folder)
{
    QProcess openssl;
    openssl.setWorkingDirectory(folder);
    openssl.start(QStringLiteral("openssl"), arguments);
    return openssl.waitForFinished(60000) && openssl.exitStatus() == QProcess::NormalExit
        && openssl.exitCode() == 0;
}

} // namespace

TestCertificates::TestCertificates()
{
    const QString folder = m_dir.path();
    QFile extensions(m_dir.filePath(QStringLiteral("server.ext")));
    if (!extensions.open(QIODevice::WriteOnly))
        return;
    extensions.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n");
    extensions.close();
    m_valid
        = runOpenssl({QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                      QStringLiteral("rsa:2048"), QStringLiteral("-nodes"),
                      QStringLiteral("-keyout"), QStringLiteral("ca.key"), QStringLiteral("-out"),
                      QStringLiteral("ca.pem"), QStringLiteral("-days"), QStringLiteral("2"),
                      QStringLiteral("-subj"), QStringLiteral("/CN=Tramora Test CA")},
                     folder)
        && runOpenssl({QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                       QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                       QStringLiteral("server.key"), QStringLiteral("-out"),
                       QStringLiteral("server.csr"), QStringLiteral("-subj"),
                       QStringLiteral("/CN=127.0.0.1")},
                      folder)
        && runOpenssl({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                       QStringLiteral("server.csr"), QStringLiteral("-CA"),
                       QStringLiteral("ca.pem"), QStringLiteral("-CAkey"), QStringLiteral("ca.key"),
                       QStringLiteral("-CAcreateserial"), QStringLiteral("-out"),
                       QStringLiteral("server.pem"), QStringLiteral("-days"), QStringLiteral("2"),
                       QStringLiteral("-extfile"), QStringLiteral("server.ext")},
                      folder);
}

const TestCertificates &TestCertificates::shared()
{
    static const TestCertificates certificates;
    return certificates;
}

FtpsTestServer::FtpsTestServer()
    : FtpsTestServer(Options())
{ }

FtpsTestServer::FtpsTestServer(const Options &options)
    : m_options(options)
{
    if (m_options.remoteFolders) {
        QDir(m_root.path()).mkpath(QStringLiteral("ftp2"));
        QDir(m_root.path()).mkpath(QStringLiteral("ftp3"));
    }
    start();
}

FtpsTestServer::~FtpsTestServer()
{
    stop();
}

bool FtpsTestServer::start()
{
    const TestCertificates &certificates = TestCertificates::shared();
    if (!certificates.isValid())
        return false;
    QStringList arguments{QStringLiteral(TRAMORA_FTPS_SERVER_SCRIPT),
                          QStringLiteral("--root"),
                          m_root.path(),
                          QStringLiteral("--cert"),
                          certificates.certFile(),
                          QStringLiteral("--key"),
                          certificates.keyFile(),
                          QStringLiteral("--password"),
                          m_options.password,
                          QStringLiteral("--perm"),
                          m_options.perm};
    if (!m_options.fault.isEmpty())
        arguments << QStringLiteral("--fault") << m_options.fault << QStringLiteral("--fault-bytes")
                  << QString::number(m_options.faultBytes);
    m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!m_process.waitForStarted(10000))
        return false;
    const QDeadlineTimer deadline(20000);
    QByteArray output;
    while (!deadline.hasExpired() && !output.contains('\n')) {
        if (!m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        output += m_process.readAllStandardOutput();
    }
    const QList<QByteArray> words = output.trimmed().split(' ');
    if (words.size() == 2 && words[0] == "PORT")
        m_port = words[1].toInt();
    return m_port > 0;
}

bool FtpsTestServer::isRunning() const
{
    return m_port > 0 && m_process.state() == QProcess::Running;
}

QString FtpsTestServer::remotePath(const QString &folder, const QString &name) const
{
    return QDir(m_root.path()).filePath(folder + QStringLiteral("/") + name);
}

QString FtpsTestServer::log()
{
    return QString::fromLocal8Bit(m_process.readAllStandardError());
}

void FtpsTestServer::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

int freeLoopbackPort()
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import socket\ns = socket.socket()\ns.bind(('127.0.0.1', 0))\n"
                                 "print(s.getsockname()[1])")});
    if (!python.waitForFinished(10000))
        return 0;
    return python.readAllStandardOutput().trimmed().toInt();
}

TinyproxyTestServer::TinyproxyTestServer(const QString &user, const QString &password)
{
    m_port = freeLoopbackPort();
    QFile config(m_dir.filePath(QStringLiteral("tinyproxy.conf")));
    if (m_port <= 0 || !config.open(QIODevice::WriteOnly))
        return;
    // No ConnectPort line: tunnels to any port, as the FTP data connections need.
    config.write(QStringLiteral("Port %1\nListen 127.0.0.1\nAllow 127.0.0.1\nBasicAuth %2 %3\n"
                                "LogLevel Connect\nLogFile \"%4\"\nMaxClients 50\n")
                     .arg(m_port)
                     .arg(user, password, m_dir.filePath(QStringLiteral("tinyproxy.log")))
                     .toUtf8());
    config.close();
    m_process.start(QStringLiteral("tinyproxy"),
                    {QStringLiteral("-d"), QStringLiteral("-c"), config.fileName()});
    if (!m_process.waitForStarted(10000)) {
        m_port = 0;
        return;
    }
    // Ready once it accepts connections; it says so in its log.
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && !log().contains(QStringLiteral("done sending stored logs")))
        QThread::msleep(50);
    QThread::msleep(200);
}

TinyproxyTestServer::~TinyproxyTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

bool TinyproxyTestServer::isRunning() const
{
    return m_port > 0 && m_process.state() == QProcess::Running;
}

QString TinyproxyTestServer::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("tinyproxy.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

namespace {

bool accepts(int port)
{
    QProcess probe;
    probe.start(QStringLiteral("bash"),
                {QStringLiteral("-c"), QStringLiteral("exec 3<>/dev/tcp/127.0.0.1/%1").arg(port)});
    return probe.waitForFinished(5000) && probe.exitCode() == 0;
}

} // namespace

VsftpdTestServer::VsftpdTestServer()
{
    const TestCertificates &certificates = TestCertificates::shared();
    const QString root = m_dir.filePath(QStringLiteral("root"));
    QDir().mkpath(root + QStringLiteral("/ftp2"));
    QDir().mkpath(root + QStringLiteral("/ftp3"));
    // The sessions run as the system's "ftp" account, which must reach the root.
    QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7755));
    for (const QString &folder :
         {root, root + QStringLiteral("/ftp2"), root + QStringLiteral("/ftp3")})
        QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
    QFile pam(m_dir.filePath(QStringLiteral("pam.conf")));
    if (!pam.open(QIODevice::WriteOnly))
        return;
    pam.write("auth required pam_permit.so\naccount required pam_permit.so\n"
              "session required pam_permit.so\n");
    pam.close();
    m_port = freeLoopbackPort();
    QFile config(m_dir.filePath(QStringLiteral("vsftpd.conf")));
    if (m_port <= 0 || !config.open(QIODevice::WriteOnly))
        return;
    const QStringList lines{
        QStringLiteral("listen=YES"),
        QStringLiteral("listen_ipv6=NO"),
        QStringLiteral("background=NO"),
        QStringLiteral("listen_address=127.0.0.1"),
        QStringLiteral("listen_port=%1").arg(m_port),
        QStringLiteral("anonymous_enable=NO"),
        QStringLiteral("local_enable=YES"),
        QStringLiteral("write_enable=YES"),
        QStringLiteral("guest_enable=YES"),
        QStringLiteral("guest_username=ftp"),
        QStringLiteral("virtual_use_local_privs=YES"),
        QStringLiteral("local_root=%1").arg(root),
        QStringLiteral("chroot_local_user=YES"),
        QStringLiteral("allow_writeable_chroot=YES"),
        QStringLiteral("pam_service_name=tramora-test-ftp"),
        QStringLiteral("ssl_enable=YES"),
        QStringLiteral("rsa_cert_file=%1").arg(certificates.certFile()),
        QStringLiteral("rsa_private_key_file=%1").arg(certificates.keyFile()),
        QStringLiteral("force_local_logins_ssl=YES"),
        QStringLiteral("force_local_data_ssl=YES"),
        QStringLiteral("require_ssl_reuse=YES"),
        QStringLiteral("ssl_ciphers=HIGH"),
        QStringLiteral("pasv_enable=YES"),
        QStringLiteral("pasv_address=127.0.0.1"),
        QStringLiteral("seccomp_sandbox=NO"),
        QStringLiteral("isolate=NO"),
        QStringLiteral("isolate_network=NO"),
        QStringLiteral("max_clients=64"),
        QStringLiteral("max_per_ip=64"),
        QStringLiteral("xferlog_enable=NO"),
        QStringLiteral("vsftpd_log_file=%1").arg(m_dir.filePath(QStringLiteral("vsftpd.log"))),
        QStringLiteral("dual_log_enable=YES"),
        QStringLiteral("log_ftp_protocol=YES")};
    config.write((lines.join(u'\n') + u'\n').toUtf8());
    config.close();
    // unshare execs in place, and so does the shell: the process is the listener itself.
    m_process.start(QStringLiteral("unshare"),
                    {QStringLiteral("--mount"), QStringLiteral("--propagation"),
                     QStringLiteral("private"), QStringLiteral("sh"), QStringLiteral("-c"),
                     QStringLiteral("mount --bind \"$0\" /etc/pam.d/other && exec "
                                    "/usr/sbin/vsftpd \"$1\""),
                     pam.fileName(), config.fileName()});
    if (!m_process.waitForStarted(10000)) {
        m_port = 0;
        return;
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running && !accepts(m_port))
        QThread::msleep(100);
}

VsftpdTestServer::~VsftpdTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

bool VsftpdTestServer::isRunning() const
{
    return m_port > 0 && m_process.state() == QProcess::Running;
}

QString VsftpdTestServer::remotePath(const QString &folder, const QString &name) const
{
    return m_dir.filePath(QStringLiteral("root/") + folder + QStringLiteral("/") + name);
}

QString VsftpdTestServer::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("vsftpd.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writePattern(const QString &path, qint64 size, quint32 seed)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QRandomGenerator generator(seed);
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (qint64 written = 0; written < size;) {
        const qint64 n = qMin<qint64>(chunk.size(), size - written);
        generator.fillRange(reinterpret_cast<quint32 *>(chunk.data()), chunk.size() / 4);
        if (file.write(chunk.constData(), n) != n)
            return false;
        written += n;
    }
    return true;
}

} // namespace tramora::test
