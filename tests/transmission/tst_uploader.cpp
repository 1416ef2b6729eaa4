#include "FtpsTestServer.h"

#include "transmission/TUploaderFiles.h"
#include "transmission/UploadBridge.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tramora;
using tramora::test::FtpsTestServer;

namespace {

const QString caption = QStringLiteral("123456_13122021090507042");

} // namespace

class TestUploader final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sendsZipThenMarkerWithNotices();
    void storesFromFirstByteOverWhatServerHolds_data();
    void storesFromFirstByteOverWhatServerHolds();
    void failureLeavesFilesAndIsNotReportedAsSuccess_data();
    void failureLeavesFilesAndIsNotReportedAsSuccess();
    void closingTheBridgeReleasesAStalledWorker();

private:
    UploadConnection connectionTo(const FtpsTestServer &server) const;
    std::unique_ptr<TUploaderFiles> startWorker(const UploadConnection &connection,
                                                const QString &folder = QStringLiteral("/ftp3/"));
    bool waitForEnd(TUploaderFiles &worker, int ms = 60000);

    std::unique_ptr<QTemporaryDir> m_local;
    std::shared_ptr<UploadBridge> m_bridge;
    std::vector<UploadNotice> m_notices;
    QString m_zip;
    QString m_txt;
};

void TestUploader::initTestCase()
{
    QVERIFY(test::TestCertificates::shared().isValid());
}

void TestUploader::init()
{
    m_local = std::make_unique<QTemporaryDir>();
    m_notices.clear();
    m_bridge = std::make_shared<UploadBridge>(
        this, [this](const UploadNotice &notice) { m_notices.push_back(notice); });
    m_zip = m_local->filePath(caption + QStringLiteral(".zip"));
    m_txt = m_local->filePath(caption + QStringLiteral("-pdf.txt"));
    QVERIFY(test::writePattern(m_zip, 3 * 1024 * 1024 + 17, 7));
    QFile marker(m_txt);
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.write("3.0\r\n");
}

void TestUploader::cleanup()
{
    m_bridge->close();
    m_bridge.reset();
    m_local.reset();
}

UploadConnection TestUploader::connectionTo(const FtpsTestServer &server) const
{
    UploadConnection connection
        = UploadConnection::forCentral({QStringLiteral("127.0.0.1"), server.port(), {}});
    connection.extraCaFile = test::TestCertificates::shared().caFile();
    connection.responseTimeoutSeconds = 5;
    connection.stallTimeoutSeconds = 2;
    connection.markerPauseMs = 1000;
    return connection;
}

std::unique_ptr<TUploaderFiles> TestUploader::startWorker(const UploadConnection &connection,
                                                          const QString &folder)
{
    return std::make_unique<TUploaderFiles>(caption, m_txt, m_zip, folder, connection, m_bridge);
}

bool TestUploader::waitForEnd(TUploaderFiles &worker, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!worker.isFinished() && clock.elapsed() < ms)
        QTest::qWait(20);
    QCoreApplication::processEvents();
    return worker.isFinished();
}

void TestUploader::sendsZipThenMarkerWithNotices()
{
    FtpsTestServer server;
    QVERIFY(server.isRunning());
    QElapsedTimer clock;
    clock.start();
    auto worker = startWorker(connectionTo(server));
    QVERIFY(waitForEnd(*worker));
    QVERIFY2(worker->succeeded(), qPrintable(worker->failureReason() + server.log()));

    QCOMPARE(test::readBytes(
                 server.remotePath(QStringLiteral("ftp3"), caption + QStringLiteral(".zip"))),
             test::readBytes(m_zip));
    QCOMPARE(test::readBytes(
                 server.remotePath(QStringLiteral("ftp3"), caption + QStringLiteral("-pdf.txt"))),
             QByteArray("3.0\r\n"));
    QVERIFY(!QFile::exists(
        server.remotePath(QStringLiteral("ftp2"), caption + QStringLiteral(".zip"))));
    // The worker itself never deletes: that is the queue's answer to the success notice.
    QVERIFY(QFile::exists(m_zip));
    QVERIFY(clock.elapsed() >= 1000);

    // Begin, progress and end for the ZIP, then for the marker, then finished.
    QList<int> kinds;
    for (const UploadNotice &notice : m_notices) {
        QCOMPARE(notice.caption, caption);
        if (kinds.isEmpty() || kinds.last() != notice.kind)
            kinds << notice.kind;
    }
    QCOMPARE(kinds, (QList<int>{1, 2, 3, 1, 2, 3, 4}));
    QCOMPARE(m_notices.front().bytes, QFileInfo(m_zip).size());
    QCOMPARE(m_notices.front().remoteSize, -1);
    QCOMPARE(m_notices.front().message, QStringLiteral("Iniciando Envio do Arquvo"));
    const auto lastZipProgress = std::find_if(m_notices.begin(), m_notices.end(),
                                              [](const UploadNotice &n) { return n.kind == 3; });
    QCOMPARE(std::prev(lastZipProgress)->bytes, QFileInfo(m_zip).size());
    QCOMPARE(std::prev(lastZipProgress)->message, QStringLiteral(" do Arquivo sendo enviado"));
    QVERIFY(std::prev(lastZipProgress)->rate > 0);
    QCOMPARE(m_notices.back().message, QStringLiteral("Arquivo Enviado com Sucesso"));
    QCOMPARE(m_notices.back().fileNameZIP, m_zip);
    QCOMPARE(m_notices.back().fileNameTXT, m_txt);
}

void TestUploader::storesFromFirstByteOverWhatServerHolds_data()
{
    QTest::addColumn<qint64>("remoteSize");
    QTest::newRow("shorter copy") << qint64(1024 * 1024);
    QTest::newRow("same size, other bytes") << qint64(3 * 1024 * 1024 + 17);
    QTest::newRow("larger copy") << qint64(5 * 1024 * 1024);
}

void TestUploader::storesFromFirstByteOverWhatServerHolds()
{
    QFETCH(qint64, remoteSize);
    FtpsTestServer server;
    QVERIFY(server.isRunning());
    const QString remote
        = server.remotePath(QStringLiteral("ftp3"), caption + QStringLiteral(".zip"));
    QVERIFY(test::writePattern(remote, remoteSize, 99));
    QFile staleMarker(
        server.remotePath(QStringLiteral("ftp3"), caption + QStringLiteral("-pdf.txt")));
    QVERIFY(staleMarker.open(QIODevice::WriteOnly));
    staleMarker.write("2.0\r\nleft over from an earlier attempt\r\n");
    staleMarker.close();

    auto worker = startWorker(connectionTo(server));
    QVERIFY(waitForEnd(*worker));
    QVERIFY2(worker->succeeded(), qPrintable(worker->failureReason()));
    QCOMPARE(test::readBytes(remote), test::readBytes(m_zip));
    QCOMPARE(test::readBytes(staleMarker.fileName()), QByteArray("3.0\r\n"));
    QCOMPARE(m_notices.front().remoteSize, remoteSize);
}

void TestUploader::failureLeavesFilesAndIsNotReportedAsSuccess_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("perm");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("remoteFolders");
    QTest::addColumn<bool>("trustServer");
    QTest::addColumn<QString>("proxyTipo");

    const QString good = QStringLiteral("Lmv#472");
    const QString all = QStringLiteral("elradfmw");
    const QString none;
    QTest::newRow("login refused")
        << QStringLiteral("other") << all << none << true << true << none;
    QTest::newRow("missing remote folder") << good << all << none << false << true << none;
    QTest::newRow("untrusted certificate") << good << all << none << true << false << none;
    QTest::newRow("store refused") << good << QStringLiteral("elr") << none << true << true << none;
    QTest::newRow("server killed in the ZIP")
        << good << all << QStringLiteral("die") << true << true << none;
    QTest::newRow("server stalls in the ZIP")
        << good << all << QStringLiteral("stall") << true << true << none;
    QTest::newRow("ZIP truncated, success claimed")
        << good << all << QStringLiteral("truncate") << true << true << none;
    QTest::newRow("proxy method without TLS support")
        << good << all << none << true << true << QStringLiteral("2");
}

void TestUploader::failureLeavesFilesAndIsNotReportedAsSuccess()
{
    QFETCH(QString, password);
    QFETCH(QString, perm);
    QFETCH(QString, fault);
    QFETCH(bool, remoteFolders);
    QFETCH(bool, trustServer);
    QFETCH(QString, proxyTipo);

    FtpsTestServer::Options options;
    options.password = password;
    options.perm = perm;
    options.fault = fault;
    options.faultBytes = 256 * 1024;
    options.remoteFolders = remoteFolders;
    FtpsTestServer server(options);
    QVERIFY(server.isRunning());
    const QByteArray zipBytes = test::readBytes(m_zip);

    UploadConnection connection = connectionTo(server);
    if (!trustServer)
        connection.extraCaFile.clear();
    if (!proxyTipo.isEmpty()) {
        connection.proxy.Host = QStringLiteral("127.0.0.1");
        connection.proxy.Porta = QStringLiteral("3128");
        connection.proxy.Tipo = proxyTipo;
    }
    QElapsedTimer clock;
    clock.start();
    auto worker = startWorker(connection);
    QVERIFY(waitForEnd(*worker, 30000));
    QVERIFY(clock.elapsed() < 20000);

    QVERIFY(!worker->succeeded());
    QVERIFY(!worker->failureReason().isEmpty());
    QVERIFY(!m_notices.empty());
    QCOMPARE(m_notices.back().kind, UploadNotice::Failed);
    QCOMPARE(m_notices.back().message, QStringLiteral("Falha na Conexao "));
    for (const UploadNotice &notice : m_notices)
        QVERIFY(notice.kind != UploadNotice::Finished);
    QCOMPARE(test::readBytes(m_zip), zipBytes);
    QVERIFY(QFile::exists(m_txt));
    // The central acts on the marker: it must never stand beside a broken package.
    QVERIFY(!QFile::exists(
        server.remotePath(QStringLiteral("ftp3"), caption + QStringLiteral("-pdf.txt"))));
}

void TestUploader::closingTheBridgeReleasesAStalledWorker()
{
    FtpsTestServer::Options options;
    options.fault = QStringLiteral("stall");
    FtpsTestServer server(options);
    QVERIFY(server.isRunning());
    UploadConnection connection = connectionTo(server);
    connection.stallTimeoutSeconds = 120;
    auto worker = startWorker(connection);
    QTRY_VERIFY_WITH_TIMEOUT(!m_notices.empty() && m_notices.back().kind == UploadNotice::Progress,
                             20000);
    QElapsedTimer clock;
    clock.start();
    m_bridge->close();
    QVERIFY(worker->wait(10000));
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(!worker->succeeded());
}

QTEST_GUILESS_MAIN(TestUploader)
#include "tst_uploader.moc"
