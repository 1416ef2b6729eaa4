#include "FtpsTestServer.h"

#include "transmission/FtpProxyRoute.h"
#include "transmission/TUploaderFiles.h"
#include "transmission/UploadBridge.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tramora;
using tramora::test::FtpsTestServer;
using tramora::test::TinyproxyTestServer;

namespace {

std::optional<QString> text(const char *value)
{
    if (!value)
        return std::nullopt;
    return QString::fromUtf8(value);
}

} // namespace

class TestProxy final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void routeOfProxyFields_data();
    void routeOfProxyFields();
    void tunnelsThroughHttpConnectProxy_data();
    void tunnelsThroughHttpConnectProxy();
};

void TestProxy::initTestCase()
{
    QVERIFY(test::TestCertificates::shared().isValid());
}

void TestProxy::routeOfProxyFields_data()
{
    QTest::addColumn<std::optional<QString>>("host");
    QTest::addColumn<std::optional<QString>>("porta");
    QTest::addColumn<std::optional<QString>>("tipo");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("proxyUrl");

    const int direct = FtpProxyRoute::Direct, tunnel = FtpProxyRoute::HttpTunnel,
              refused = FtpProxyRoute::Unsupported;
    QTest::newRow("no host") << text(nullptr) << text("3128") << text("8") << direct << QString();
    QTest::newRow("blank host") << text("  ") << text("3128") << text("8") << direct << QString();
    QTest::newRow("fpcmNone") << text("proxy.office") << text("3128") << text("0") << direct
                              << QString();
    QTest::newRow("fpcmHttpProxyWithFtp") << text("proxy.office") << text("3128") << text("8")
                                          << tunnel << QStringLiteral("http://proxy.office:3128");
    QTest::newRow("fpcmUserSite") << text("proxy.office") << text("21") << text("1") << refused
                                  << QString();
    QTest::newRow("fpcmTransparent")
        << text("proxy.office") << text("21") << text("5") << refused << QString();
    QTest::newRow("fpcmCustomProxy")
        << text("proxy.office") << text("21") << text("9") << refused << QString();
    QTest::newRow("no method chosen")
        << text("proxy.office") << text("3128") << text("-1") << refused << QString();
    QTest::newRow("method not a number")
        << text("proxy.office") << text("3128") << text("") << refused << QString();
    QTest::newRow("port not a number")
        << text("proxy.office") << text("x") << text("8") << refused << QString();
}

void TestProxy::routeOfProxyFields()
{
    QFETCH(std::optional<QString>, host);
    QFETCH(std::optional<QString>, porta);
    QFETCH(std::optional<QString>, tipo);
    QFETCH(int, kind);
    QFETCH(QString, proxyUrl);
    FtpProxySettings proxy;
    proxy.Host = host;
    proxy.Porta = porta;
    proxy.Tipo = tipo;
    const FtpProxyRoute route = FtpProxyRoute::resolve(proxy);
    QCOMPARE(static_cast<int>(route.kind), kind);
    QCOMPARE(route.proxyUrl, proxyUrl);
    QCOMPARE(route.reason.isEmpty(), kind != FtpProxyRoute::Unsupported);
}

void TestProxy::tunnelsThroughHttpConnectProxy_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("sent");
    QTest::newRow("right credentials") << QStringLiteral("segredo") << true;
    QTest::newRow("wrong credentials") << QStringLiteral("errado") << false;
}

void TestProxy::tunnelsThroughHttpConnectProxy()
{
    QFETCH(QString, password);
    QFETCH(bool, sent);
    FtpsTestServer server;
    QVERIFY(server.isRunning());
    TinyproxyTestServer proxy(QStringLiteral("olu"), QStringLiteral("segredo"));
    QVERIFY(proxy.isRunning());

    QTemporaryDir local;
    const QString zip = local.filePath(QStringLiteral("123456_01.zip"));
    const QString txt = local.filePath(QStringLiteral("123456_01-pdf.txt"));
    QVERIFY(test::writePattern(zip, 2 * 1024 * 1024, 5));
    QFile marker(txt);
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.write("2.0\r\n");
    marker.close();

    UploadConnection connection
        = UploadConnection::forCentral({QStringLiteral("127.0.0.1"), server.port(), {}});
    connection.extraCaFile = test::TestCertificates::shared().caFile();
    connection.responseTimeoutSeconds = 5;
    connection.proxy.Host = QStringLiteral("127.0.0.1");
    connection.proxy.Porta = QString::number(proxy.port());
    connection.proxy.Usuario = QStringLiteral("olu");
    connection.proxy.Senha = password;
    connection.proxy.Tipo = QStringLiteral("8");

    std::vector<UploadNotice> notices;
    auto bridge = std::make_shared<UploadBridge>(
        this, [&](const UploadNotice &notice) { notices.push_back(notice); });
    TUploaderFiles worker(QStringLiteral("123456_01"), txt, zip, QStringLiteral("/ftp2/"),
                          connection, bridge);
    QTRY_VERIFY_WITH_TIMEOUT(worker.isFinished(), 30000);
    QCOMPARE(worker.succeeded(), sent);
    if (sent) {
        QCOMPARE(test::readBytes(
                     server.remotePath(QStringLiteral("ftp2"), QStringLiteral("123456_01.zip"))),
                 test::readBytes(zip));
        // The control and both data connections went through the tunnel.
        QVERIFY2(proxy.log().count(QStringLiteral("CONNECT 127.0.0.1:")) >= 3,
                 qPrintable(proxy.log()));
    } else {
        QVERIFY(!QFile::exists(
            server.remotePath(QStringLiteral("ftp2"), QStringLiteral("123456_01.zip"))));
    }
    bridge->close();
}

QTEST_GUILESS_MAIN(TestProxy)
#include "tst_proxy.moc"
