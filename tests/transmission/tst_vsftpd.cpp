#include "FtpsTestServer.h"

#include "transmission/TUploaderFiles.h"
#include "transmission/UploadBridge.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tramora;
using tramora::test::VsftpdTestServer;

class TestVsftpd final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tenWorkersInParallelReuseTheirTlsSessions();
};

void TestVsftpd::initTestCase()
{
    QVERIFY(test::TestCertificates::shared().isValid());
}

void TestVsftpd::tenWorkersInParallelReuseTheirTlsSessions()
{
    VsftpdTestServer server;
    if (!server.isRunning())
        QSKIP("vsftpd cannot run here (it needs a private mount namespace)");

    QTemporaryDir local;
    UploadConnection connection
        = UploadConnection::forCentral({QStringLiteral("127.0.0.1"), server.port(), {}});
    connection.extraCaFile = test::TestCertificates::shared().caFile();
    connection.responseTimeoutSeconds = 10;
    connection.stallTimeoutSeconds = 10;
    auto bridge = std::make_shared<UploadBridge>(this, [](const UploadNotice &) {});

    // Two rounds: each worker opens a data connection for its ZIP and one for its marker on
    // one control connection, and vsftpd refuses any that does not resume the control
    // connection's TLS session.
    for (int round = 0; round < 2; ++round) {
        std::vector<std::unique_ptr<TUploaderFiles>> workers;
        const auto releaseOnFailure = qScopeGuard([&] {
            if (QTest::currentTestFailed())
                bridge->close();
        });
        QStringList bases;
        // A failing test lets its waiting workers go before they are destroyed.
        for (int i = 0; i < 10; ++i) {
            const QString base = QStringLiteral("123456_%1%2").arg(round).arg(i);
            bases << base;
            const QString zip = local.filePath(base + QStringLiteral(".zip"));
            const QString txt = local.filePath(base + QStringLiteral("-pdf.txt"));
            QVERIFY(
                test::writePattern(zip, 2 * 1024 * 1024 + i, static_cast<quint32>(round * 10 + i)));
            QFile marker(txt);
            QVERIFY(marker.open(QIODevice::WriteOnly));
            marker.write("3.0\r\n");
            marker.close();
            workers.push_back(std::make_unique<TUploaderFiles>(
                base, txt, zip, QStringLiteral("/ftp3/"), connection, bridge));
        }
        for (auto &worker : workers) {
            QTRY_VERIFY_WITH_TIMEOUT(worker->isFinished(), 60000);
            QVERIFY2(worker->succeeded(),
                     qPrintable(worker->FCaption() + u' ' + worker->failureReason() + u'\n'
                                + server.log().right(3000)));
        }
        for (const QString &base : bases) {
            QCOMPARE(test::readBytes(
                         server.remotePath(QStringLiteral("ftp3"), base + QStringLiteral(".zip"))),
                     test::readBytes(local.filePath(base + QStringLiteral(".zip"))));
            QCOMPARE(test::readBytes(server.remotePath(QStringLiteral("ftp3"),
                                                       base + QStringLiteral("-pdf.txt"))),
                     QByteArray("3.0\r\n"));
        }
    }
}

QTEST_GUILESS_MAIN(TestVsftpd)
#include "tst_vsftpd.moc"
