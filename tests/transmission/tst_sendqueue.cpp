#include "FtpsTestServer.h"
#include "TestSupport.h"

#include "store/DataModule.h"
#include "transmission/InternetConnection.h"
#include "transmission/SendQueue.h"
#include "workspace/ProcessValues.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tramora;
using tramora::test::FtpsTestServer;

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

SendingListModel::Row rowNamed(const QString &caption)
{
    SendingListModel::Row row;
    row.caption = caption;
    return row;
}

} // namespace

class TestSendQueue final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startAndStopSwitchBothTimers();
    void tickDoesNothingWithoutConnection();
    void endsWhenEverythingIsEmpty();
    void quantUpLoadZeroMovesNothing();
    void movesAtMostQuantUpLoadAndSendsEachPackageOnce();
    void markerWithoutPackageIsRefusedAndLogged();
    void incompletePairInTransmissionIsRefusedSilently();
    void packageIsNotStartedTwice();
    void noticesUpdateTheRow();
    void finishedNoticeDeletesThePackageFailedKeepsIt();
    void failedPackageIsSentOnALaterPass_data();
    void failedPackageIsSentOnALaterPass();

private:
    std::unique_ptr<SendQueue> makeQueue(int port, bool trusted = true);
    void setQuantUpLoad(qint64 count);
    QString makePackage(const QString &folder, const QString &base, const QByteArray &version,
                        quint32 seed = 1);

    std::unique_ptr<QTemporaryDir> m_root;
    ProcessValues m_values;
    test::RecordingMessageBoxes m_messages;
    test::FixedClock m_clock;
    std::unique_ptr<DataModule> m_data;
    FixedInternetConnection m_online;
    QTimer m_validationTimer;
};

void TestSendQueue::initTestCase()
{
    QVERIFY(test::TestCertificates::shared().isValid());
}

void TestSendQueue::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    const QString root = m_root->path();
    QDir dir(root);
    for (const char *folder : {"Preparados", "Transmitir", "Recusado", "XML"})
        QVERIFY(dir.mkpath(QString::fromLatin1(folder)));
    m_values = ProcessValues();
    m_values.vCaminhoDoExecutavel = root;
    m_values.vCaminhoPreparados = dir.filePath(QStringLiteral("Preparados"));
    m_values.vCaminhoTransmissao = dir.filePath(QStringLiteral("Transmitir"));
    m_values.vCaminhoRecusado = dir.filePath(QStringLiteral("Recusado"));
    m_messages.clear();
    m_online.set(true);
    m_validationTimer.stop();
    m_data = std::make_unique<DataModule>(DataModule::Options{root, QStringLiteral("CARTORIO-01")},
                                          m_messages, m_clock);
    m_data->DataModuleCreate();
    QVERIFY(m_messages.shown().empty());
    Parametros record = m_data->parametros();
    record.CaminhoXml = dir.filePath(QStringLiteral("XML"));
    m_data->postParametros(record);
    setQuantUpLoad(3);
}

void TestSendQueue::cleanup()
{
    m_data.reset();
    m_root.reset();
}

void TestSendQueue::setQuantUpLoad(qint64 count)
{
    Parametros record = m_data->parametros();
    record.QuantUpLoad = count;
    m_data->postParametros(record);
}

std::unique_ptr<SendQueue> TestSendQueue::makeQueue(int port, bool trusted)
{
    UploadConnection central
        = UploadConnection::forCentral({QStringLiteral("127.0.0.1"), port, {}});
    central.responseTimeoutSeconds = 5;
    central.stallTimeoutSeconds = 2;
    if (trusted) {
        // The queue finds the extra authorities in Data, as an office's workstation would.
        const QString ca = QDir(m_root->path()).filePath(QStringLiteral("Data/CentralCA.pem"));
        QFile::remove(ca);
        QFile::copy(test::TestCertificates::shared().caFile(), ca);
    } else {
        QFile::remove(QDir(m_root->path()).filePath(QStringLiteral("Data/CentralCA.pem")));
    }
    auto queue = std::make_unique<SendQueue>(m_values, *m_data, m_messages, m_online,
                                             m_validationTimer, central);
    queue->setSelectionPauseMs(20);
    return queue;
}

QString TestSendQueue::makePackage(const QString &folder, const QString &base,
                                   const QByteArray &version, quint32 seed)
{
    const QString zip = QDir(folder).filePath(base + QStringLiteral(".zip"));
    if (!test::writePattern(zip, 300 * 1024 + seed, seed))
        return {};
    QFile marker(QDir(folder).filePath(base + QStringLiteral("-pdf.txt")));
    if (!marker.open(QIODevice::WriteOnly))
        return {};
    marker.write(version + "\r\n");
    return zip;
}

void TestSendQueue::startAndStopSwitchBothTimers()
{
    auto queue = makeQueue(1);
    QSignalSpy captions(queue.get(), &SendQueue::actionCaptionChanged);
    m_values.vValidandoArquivo = m_values.vEnviandoArquivo = m_values.vSelecionandoArquivo = true;
    QCOMPARE(queue->actionCaption(), QStringLiteral("Iniciar Processo de Envio"));
    QVERIFY(!queue->TimerEnviaArquivos().isActive());

    queue->actIniciarEnvioExecute();
    QVERIFY(queue->isRunning());
    QVERIFY(!m_values.vValidandoArquivo && !m_values.vEnviandoArquivo
            && !m_values.vSelecionandoArquivo);
    QVERIFY(queue->TimerEnviaArquivos().isActive());
    QCOMPARE(queue->TimerEnviaArquivos().interval(), 3000);
    QVERIFY(m_validationTimer.isActive());
    QCOMPARE(queue->actionCaption(), QStringLiteral("Parar Processo de Envio"));

    queue->actIniciarEnvioExecute();
    QVERIFY(!queue->isRunning());
    QVERIFY(!queue->TimerEnviaArquivos().isActive());
    QVERIFY(!m_validationTimer.isActive());
    QCOMPARE(queue->actionCaption(), QStringLiteral("Iniciar Processo de Envio"));
    QCOMPARE(captions.count(), 2);
}

void TestSendQueue::tickDoesNothingWithoutConnection()
{
    auto queue = makeQueue(1);
    makePackage(m_values.vCaminhoPreparados, QStringLiteral("123456_01"), "3.0");
    m_online.set(false);
    queue->actIniciarEnvioExecute();
    m_validationTimer.stop();
    queue->TimerEnviaArquivosTimer();
    QCOMPARE(filesIn(m_values.vCaminhoPreparados).size(), 2);
    QVERIFY(!m_validationTimer.isActive());
    QVERIFY(queue->isRunning());
}

void TestSendQueue::endsWhenEverythingIsEmpty()
{
    auto queue = makeQueue(1);
    queue->actIniciarEnvioExecute();
    m_validationTimer.stop();
    m_values.vEnviandoArquivo = m_values.vSelecionandoArquivo = true;
    queue->TimerEnviaArquivosTimer();

    QCOMPARE(m_messages.texts(),
             QStringList{QStringLiteral("Fim do processo de Envio dos Arquivos para OLU?")});
    QCOMPARE(m_messages.shown().front().kind, test::RecordingMessageBoxes::Shown::Information);
    QVERIFY(!queue->isRunning());
    QVERIFY(!queue->TimerEnviaArquivos().isActive());
    QCOMPARE(queue->actionCaption(), QStringLiteral("Iniciar Processo de Envio"));
    QVERIFY(!m_values.vEnviandoArquivo && !m_values.vSelecionandoArquivo);
    // An empty index folder gives the validation run its timer back.
    QVERIFY(m_validationTimer.isActive());
}

void TestSendQueue::quantUpLoadZeroMovesNothing()
{
    setQuantUpLoad(0);
    auto queue = makeQueue(1);
    makePackage(m_values.vCaminhoPreparados, QStringLiteral("123456_01"), "3.0");
    for (int tick = 0; tick < 3; ++tick)
        queue->TimerEnviaArquivosTimer();
    QCOMPARE(filesIn(m_values.vCaminhoPreparados).size(), 2);
    QVERIFY(filesIn(m_values.vCaminhoTransmissao).isEmpty());
    QVERIFY(m_messages.shown().empty());
}

void TestSendQueue::movesAtMostQuantUpLoadAndSendsEachPackageOnce()
{
    FtpsTestServer server;
    QVERIFY(server.isRunning());
    auto queue = makeQueue(server.port());
    QSignalSpy ended(queue.get(), &SendQueue::uploadEnded);
    const QList<QByteArray> versions{"3.0", "2.0", "3.0", "", "2.0"};
    QStringList zips;
    for (int i = 0; i < versions.size(); ++i)
        zips << makePackage(m_values.vCaminhoPreparados, QStringLiteral("123456_0%1").arg(i + 1),
                            versions[i], i + 1);

    queue->TimerEnviaArquivosTimer();
    QCOMPARE(filesIn(m_values.vCaminhoTransmissao),
             (QStringList{QStringLiteral("123456_01-pdf.txt"), QStringLiteral("123456_01.zip"),
                          QStringLiteral("123456_02-pdf.txt"), QStringLiteral("123456_02.zip"),
                          QStringLiteral("123456_03-pdf.txt"), QStringLiteral("123456_03.zip")}));
    QCOMPARE(queue->model().rowCount(), 0);

    queue->TimerEnviaArquivosTimer();
    QCOMPARE(queue->model().rowCount(), 3);
    QCOMPARE(queue->activeWorkers(), 3);
    QCOMPARE(queue->model().row(0).caption, QStringLiteral("123456_01"));
    QCOMPARE(filesIn(m_values.vCaminhoPreparados).size(), 4);

    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 3, 60000);
    for (const QList<QVariant> &signal : ended)
        QVERIFY(signal.at(1).toBool());
    QCOMPARE(queue->model().rowCount(), 0);
    QVERIFY(filesIn(m_values.vCaminhoTransmissao).isEmpty());

    for (int tick = 0; tick < 10 && ended.count() < 5; ++tick) {
        queue->TimerEnviaArquivosTimer();
        QTRY_VERIFY_WITH_TIMEOUT(queue->activeWorkers() == 0, 60000);
    }
    QCOMPARE(ended.count(), 5);
    QVERIFY(m_messages.shown().empty());
    queue->actIniciarEnvioExecute();
    queue->TimerEnviaArquivosTimer();
    QCOMPARE(m_messages.texts(),
             QStringList{QStringLiteral("Fim do processo de Envio dos Arquivos para OLU?")});

    for (int i = 0; i < versions.size(); ++i) {
        const QString folder
            = versions[i] == "3.0" ? QStringLiteral("ftp3") : QStringLiteral("ftp2");
        const QString base = QStringLiteral("123456_0%1").arg(i + 1);
        QCOMPARE(test::readBytes(server.remotePath(folder, base + QStringLiteral(".zip"))).size(),
                 300 * 1024 + i + 1);
        QCOMPARE(test::readBytes(server.remotePath(folder, base + QStringLiteral("-pdf.txt"))),
                 versions[i] + "\r\n");
    }
    QCOMPARE(filesIn(server.root() + QStringLiteral("/ftp3")).size()
                 + filesIn(server.root() + QStringLiteral("/ftp2")).size(),
             10);
}

void TestSendQueue::markerWithoutPackageIsRefusedAndLogged()
{
    auto queue = makeQueue(1);
    QFile marker(QDir(m_values.vCaminhoPreparados).filePath(QStringLiteral("123456_01-pdf.txt")));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.write("3.0\r\n");
    marker.close();
    queue->SelecionaArquivosEnvio();

    QCOMPARE(filesIn(m_values.vCaminhoRecusado), QStringList{QStringLiteral("123456_01-pdf.txt")});
    QVERIFY(filesIn(m_values.vCaminhoPreparados).isEmpty());
    QVERIFY(!m_values.vSelecionandoArquivo);
    const auto record = m_data->history().findVisible(QStringLiteral("123456_01-pdf.txt"));
    QVERIFY(record && record->Erro);
    const QString zip = QDir::toNativeSeparators(
        QDir(m_values.vCaminhoPreparados).filePath(QStringLiteral("123456_01.zip")));
    QVERIFY2(
        record->Erro->contains(
            QStringLiteral("Falha ao Selecionar os Arquivo para Enivo a OLU, está faltando o "
                           "arquivo ")
            + u'"' + zip + u'"'
            + QStringLiteral(", para o arquivo TXT! Verifique, Vide Manual de Integração OLU")),
        qPrintable(*record->Erro));
}

void TestSendQueue::incompletePairInTransmissionIsRefusedSilently()
{
    auto queue = makeQueue(1);
    makePackage(m_values.vCaminhoTransmissao, QStringLiteral("123456_01"), "3.0");
    QVERIFY(QFile::remove(
        QDir(m_values.vCaminhoTransmissao).filePath(QStringLiteral("123456_01.zip"))));
    queue->EnviaArquivos();
    QCOMPARE(filesIn(m_values.vCaminhoRecusado), QStringList{QStringLiteral("123456_01-pdf.txt")});
    QCOMPARE(queue->model().rowCount(), 0);
    QVERIFY(m_data->history().visibleRecords().empty());
}

void TestSendQueue::packageIsNotStartedTwice()
{
    FtpsTestServer::Options stalling;
    stalling.fault = QStringLiteral("stall");
    stalling.faultBytes = 1024;
    FtpsTestServer server(stalling);
    QVERIFY(server.isRunning());
    auto queue = makeQueue(server.port());
    makePackage(m_values.vCaminhoTransmissao, QStringLiteral("123456_01"), "3.0");

    queue->EnviaArquivos();
    queue->EnviaArquivos();
    QCOMPARE(queue->model().rowCount(), 1);
    QCOMPARE(queue->activeWorkers(), 1);
    QCOMPARE(queue->model().row(0).status, QStringLiteral("Conectando..."));
    QCOMPARE(queue->model().row(0).tamanho, QStringLiteral("0 kb"));
    QCOMPARE(queue->model().row(0).taxa, QStringLiteral("0"));

    // Ctrl+Delete takes the row away but the worker still owns the package: a second worker
    // would send the same files beside it.
    queue->ListView_EnvioDelete(0);
    QCOMPARE(queue->model().rowCount(), 0);
    queue->EnviaArquivos();
    QCOMPARE(queue->model().rowCount(), 0);
    QCOMPARE(queue->activeWorkers(), 1);
}

void TestSendQueue::noticesUpdateTheRow()
{
    auto queue = makeQueue(1);
    queue->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    SendingListModel &model = queue->model();
    model.addRow(rowNamed(QStringLiteral("123456_02")));
    model.addRow(rowNamed(QStringLiteral("123456_01")));
    QCOMPARE(model.row(0).caption, QStringLiteral("123456_01"));
    const int row = model.findRow(QStringLiteral("123456_02"));
    QCOMPARE(row, 1);

    queue->FileUploadCallback(1, QStringLiteral("Iniciando Envio do Arquvo"), row, 2048, 1536, 512,
                              {}, {});
    QCOMPARE(model.row(row).maximum, 2048);
    QCOMPARE(model.row(row).position, 512);
    QCOMPARE(model.row(row).tamanho, QStringLiteral("2 KB "));
    QCOMPARE(model.row(row).taxa, QStringLiteral("1,5 KB / Seg"));
    QCOMPARE(model.row(row).status, QStringLiteral("Iniciando Envio do Arquvo"));

    queue->FileUploadCallback(2, QStringLiteral(" do Arquivo sendo enviado"), row, 927, 1536, 0, {},
                              {});
    QCOMPARE(model.row(row).position, 927);
    QCOMPARE(model.row(row).status, QStringLiteral("45,26 % do Arquivo sendo enviado"));

    queue->FileUploadCallback(2, QStringLiteral(" do Arquivo sendo enviado"), row, 2048, 1536, 0,
                              {}, {});
    QCOMPARE(model.row(row).position, 0);
    QCOMPARE(model.row(row).status, QStringLiteral("100,00 % do Arquivo sendo enviado"));

    queue->FileUploadCallback(3, QStringLiteral("Finalizando o Envio"), row, 0, 0, 0, {}, {});
    QCOMPARE(model.row(row).maximum, 0);
    QCOMPARE(model.row(row).status, QStringLiteral("Finalizando o Envio"));
    QCOMPARE(model.data(model.index(row, SendingListModel::ProgressColumn)).toString(), QString());
    QCOMPARE(model.data(model.index(row, SendingListModel::StatusColumn)).toString(),
             QStringLiteral("Finalizando o Envio"));
    // The other row was never touched.
    QCOMPARE(model.row(0).status, QString());
}

void TestSendQueue::finishedNoticeDeletesThePackageFailedKeepsIt()
{
    auto queue = makeQueue(1);
    SendingListModel &model = queue->model();
    const QString sentZip
        = makePackage(m_values.vCaminhoTransmissao, QStringLiteral("123456_01"), "3.0");
    const QString keptZip
        = makePackage(m_values.vCaminhoTransmissao, QStringLiteral("123456_02"), "3.0");
    model.addRow(rowNamed(QStringLiteral("123456_01")));
    model.addRow(rowNamed(QStringLiteral("123456_02")));

    queue->FileUploadCallback(5, QStringLiteral("Falha na Conexao "), 1, 0, 0, 0, {}, {});
    QCOMPARE(model.rowCount(), 1);
    queue->FileUploadCallback(
        4, QStringLiteral("Arquivo Enviado com Sucesso"), 0, 0, 0, 0, sentZip,
        QString(sentZip).replace(QStringLiteral(".zip"), QStringLiteral("-pdf.txt")));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(filesIn(m_values.vCaminhoTransmissao),
             (QStringList{QStringLiteral("123456_02-pdf.txt"), QStringLiteral("123456_02.zip")}));
    QVERIFY(QFile::exists(keptZip));
}

void TestSendQueue::failedPackageIsSentOnALaterPass_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("perm");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("remoteFolders");
    QTest::addColumn<bool>("trusted");
    const QString good = QStringLiteral("Lmv#472");
    const QString all = QStringLiteral("elradfmw");
    const QString none;
    QTest::newRow("login refused") << QStringLiteral("wrong") << all << none << true << true;
    QTest::newRow("missing remote folder") << good << all << none << false << true;
    QTest::newRow("untrusted certificate") << good << all << none << true << false;
    QTest::newRow("server killed in the ZIP")
        << good << all << QStringLiteral("die") << true << true;
    QTest::newRow("stalled server") << good << all << QStringLiteral("stall") << true << true;
    QTest::newRow("store refused") << good << QStringLiteral("elr") << none << true << true;
}

void TestSendQueue::failedPackageIsSentOnALaterPass()
{
    QFETCH(QString, password);
    QFETCH(QString, perm);
    QFETCH(QString, fault);
    QFETCH(bool, remoteFolders);
    QFETCH(bool, trusted);
    const QString zip
        = makePackage(m_values.vCaminhoTransmissao, QStringLiteral("123456_01"), "3.0");
    const QByteArray bytes = test::readBytes(zip);
    {
        FtpsTestServer::Options options;
        options.password = password;
        options.perm = perm;
        options.fault = fault;
        options.faultBytes = 64 * 1024;
        options.remoteFolders = remoteFolders;
        FtpsTestServer broken(options);
        QVERIFY(broken.isRunning());
        auto queue = makeQueue(broken.port(), trusted);
        QSignalSpy ended(queue.get(), &SendQueue::uploadEnded);
        queue->TimerEnviaArquivosTimer();
        QCOMPARE(queue->model().rowCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 30000);
        QVERIFY(!ended.front().at(1).toBool());
        QCOMPARE(queue->model().rowCount(), 0);
        QCOMPARE(
            filesIn(m_values.vCaminhoTransmissao),
            (QStringList{QStringLiteral("123456_01-pdf.txt"), QStringLiteral("123456_01.zip")}));
        QVERIFY(filesIn(m_values.vCaminhoRecusado).isEmpty());
    }
    FtpsTestServer server;
    QVERIFY(server.isRunning());
    auto queue = makeQueue(server.port());
    QSignalSpy ended(queue.get(), &SendQueue::uploadEnded);
    queue->TimerEnviaArquivosTimer();
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 30000);
    QVERIFY(ended.front().at(1).toBool());
    QVERIFY(filesIn(m_values.vCaminhoTransmissao).isEmpty());
    QCOMPARE(
        test::readBytes(server.remotePath(QStringLiteral("ftp3"), QStringLiteral("123456_01.zip"))),
        bytes);
}

QTEST_GUILESS_MAIN(TestSendQueue)
#include "tst_sendqueue.moc"
