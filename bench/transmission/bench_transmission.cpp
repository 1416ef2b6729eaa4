// Upload throughput and memory against one local FTPS server (the tests' pyftpdlib server):
//   1. one package through TUploaderFiles versus curl --ssl-reqd -T, same file, same server;
//   2. ten packages through the send queue with QuantUpLoad 1, 3 and 10;
//   3. the peak resident memory of this process while ten large packages go in parallel.
// Usage: bench_transmission [single MB = 100] [queue package MB = 20] [parallel package MB = 200]
//                           [pyftpdlib | vsftpd]

#include "BenchMessages.h"
#include "FtpsTestServer.h"

#include "common/Clock.h"
#include "store/DataModule.h"
#include "transmission/InternetConnection.h"
#include "transmission/SendQueue.h"
#include "transmission/TUploaderFiles.h"
#include "transmission/UploadBridge.h"
#include "workspace/ProcessValues.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace tramora;

namespace {

constexpr qint64 MB = 1024 * 1024;

qint64 peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

void resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

UploadConnection connectionTo(int port)
{
    UploadConnection connection
        = UploadConnection::forCentral({QStringLiteral("127.0.0.1"), port, {}});
    connection.extraCaFile = test::TestCertificates::shared().caFile();
    return connection;
}

bool makePackage(const QString &folder, const QString &base, qint64 size, quint32 seed)
{
    QFile marker(QDir(folder).filePath(base + QStringLiteral("-pdf.txt")));
    if (!marker.open(QIODevice::WriteOnly))
        return false;
    marker.write("3.0\r\n");
    return test::writePattern(QDir(folder).filePath(base + QStringLiteral(".zip")), size, seed);
}

// The remote folders of whichever server runs, emptied between measurements.
QString g_remoteRoot;

void clearRemote()
{
    for (const char *folder : {"ftp2", "ftp3"}) {
        QDir dir(g_remoteRoot + u'/' + QString::fromLatin1(folder));
        for (const QString &name : dir.entryList(QDir::Files))
            dir.remove(name);
    }
}

// Seconds of the whole worker, connection, size questions and marker included, with the
// pause before the marker left out, as curl's whole run is measured against it.
double workerSeconds(int port, const QString &folder, qint64 size, double *zipSeconds)
{
    const QString base = QStringLiteral("123456_single");
    makePackage(folder, base, size, 1);
    QElapsedTimer zipClock;
    bool zipDone = false;
    // The ZIP's own transfer, from its begin notice to its end notice.
    auto bridge = std::make_shared<UploadBridge>(qApp, [&](const UploadNotice &notice) {
        if (zipDone)
            return;
        if (notice.kind == UploadNotice::Begin)
            zipClock.start();
        if (notice.kind == UploadNotice::End) {
            *zipSeconds = static_cast<double>(zipClock.nsecsElapsed()) / 1e9;
            zipDone = true;
        }
    });
    UploadConnection connection = connectionTo(port);
    connection.markerPauseMs = 0;
    QElapsedTimer clock;
    clock.start();
    TUploaderFiles worker(base, QDir(folder).filePath(base + QStringLiteral("-pdf.txt")),
                          QDir(folder).filePath(base + QStringLiteral(".zip")),
                          QStringLiteral("/ftp3/"), connection, bridge);
    QEventLoop loop;
    QObject::connect(&worker, &QThread::finished, &loop, &QEventLoop::quit);
    if (!worker.isFinished())
        loop.exec();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    bridge->close();
    if (!worker.succeeded())
        std::fprintf(stderr, "worker failed: %s\n", qPrintable(worker.failureReason()));
    return seconds;
}

double curlSeconds(int port, const QString &folder, qint64 size)
{
    const QString file = QDir(folder).filePath(QStringLiteral("123456_curl.zip"));
    test::writePattern(file, size, 2);
    QProcess curl;
    QElapsedTimer clock;
    clock.start();
    curl.start(QStringLiteral("curl"),
               {QStringLiteral("-sS"), QStringLiteral("--ssl-reqd"), QStringLiteral("--cacert"),
                test::TestCertificates::shared().caFile(), QStringLiteral("-u"),
                QStringLiteral("ftp_olu:Lmv#472"), QStringLiteral("-T"), file,
                QStringLiteral("ftp://127.0.0.1:%1/%2Fftp3/").arg(port)});
    curl.waitForFinished(600000);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (curl.exitCode() != 0)
        std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
    return seconds;
}

// Wall time for the queue to send every package, the send tick driven every 100 ms instead
// of 3000 ms so that the transfers, not the timer, are measured.
double queueSeconds(int port, int packages, qint64 size, int quantUpLoad, qint64 *peakKb)
{
    QTemporaryDir root;
    QDir dir(root.path());
    for (const char *folder : {"Preparados", "Transmitir", "Recusado", "XML", "Data"})
        dir.mkpath(QString::fromLatin1(folder));
    ProcessValues values;
    values.vCaminhoDoExecutavel = root.path();
    values.vCaminhoPreparados = dir.filePath(QStringLiteral("Preparados"));
    values.vCaminhoTransmissao = dir.filePath(QStringLiteral("Transmitir"));
    values.vCaminhoRecusado = dir.filePath(QStringLiteral("Recusado"));
    bench::BenchMessages messages;
    SystemClock clock;
    DataModule data({root.path(), QStringLiteral("BENCH")}, messages, clock);
    data.DataModuleCreate();
    Parametros record = data.parametros();
    record.QuantUpLoad = quantUpLoad;
    record.CaminhoXml = dir.filePath(QStringLiteral("XML"));
    data.postParametros(record);
    for (int i = 0; i < packages; ++i)
        makePackage(values.vCaminhoPreparados,
                    QStringLiteral("123456_%1").arg(i, 2, 10, QLatin1Char('0')), size,
                    static_cast<quint32>(i + 10));

    FixedInternetConnection online;
    QTimer validation;
    SendQueue queue(values, data, messages, online, validation, connectionTo(port));
    int sent = 0;
    QObject::connect(&queue, &SendQueue::uploadEnded, [&](const QString &, bool ok) {
        if (ok)
            ++sent;
        else
            std::fprintf(stderr, "a package failed\n");
    });
    resetPeakResident();
    QElapsedTimer wall;
    wall.start();
    while (sent < packages && wall.elapsed() < 900000) {
        queue.TimerEnviaArquivosTimer();
        QEventLoop slice;
        QTimer::singleShot(100, &slice, &QEventLoop::quit);
        slice.exec();
    }
    const double seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    if (peakKb)
        *peakKb = peakResidentKb();
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 singleMb = args.size() > 1 ? args[1].toLongLong() : 100;
    const qint64 queueMb = args.size() > 2 ? args[2].toLongLong() : 20;
    const qint64 bigMb = args.size() > 3 ? args[3].toLongLong() : 200;

    if (!test::TestCertificates::shared().isValid()) {
        std::fprintf(stderr, "cannot make certificates\n");
        return 1;
    }
    // "vsftpd" as the fourth argument measures against vsftpd instead of the Python server.
    const bool useVsftpd = args.size() > 4 && args[4] == QStringLiteral("vsftpd");
    std::unique_ptr<test::FtpsTestServer> python;
    std::unique_ptr<test::VsftpdTestServer> vsftpd;
    int port = 0;
    if (useVsftpd) {
        vsftpd = std::make_unique<test::VsftpdTestServer>();
        port = vsftpd->isRunning() ? vsftpd->port() : 0;
        g_remoteRoot = QFileInfo(vsftpd->remotePath(QStringLiteral("ftp3"), QString())).path();
        g_remoteRoot = QFileInfo(g_remoteRoot).path();
    } else {
        python = std::make_unique<test::FtpsTestServer>();
        port = python->isRunning() ? python->port() : 0;
        g_remoteRoot = python->root();
    }
    if (port <= 0) {
        std::fprintf(stderr, "cannot start the FTPS server\n");
        return 1;
    }
    std::printf("server: %s\n", useVsftpd ? "vsftpd" : "pyftpdlib");
    QTemporaryDir local;

    double zipSeconds = 0;
    const double worker = workerSeconds(port, local.path(), singleMb * MB, &zipSeconds);
    clearRemote();
    const double curl = curlSeconds(port, local.path(), singleMb * MB);
    clearRemote();
    std::printf("single %lld MB: TUploaderFiles %.2f s (%.1f MB/s; its ZIP transfer alone %.2f s, "
                "%.1f MB/s), curl %.2f s (%.1f MB/s), ratio %.0f%% (ZIP alone %.0f%%)\n",
                static_cast<long long>(singleMb), worker, singleMb / worker, zipSeconds,
                singleMb / zipSeconds, curl, singleMb / curl, 100.0 * curl / worker,
                100.0 * curl / zipSeconds);

    for (int quant : {1, 3, 10}) {
        if (queueMb <= 0)
            break;
        const double seconds = queueSeconds(port, 10, queueMb * MB, quant, nullptr);
        clearRemote();
        std::printf("queue 10 x %lld MB, QuantUpLoad %2d: %.2f s (%.1f MB/s)\n",
                    static_cast<long long>(queueMb), quant, seconds, 10.0 * queueMb / seconds);
        std::fflush(stdout);
    }

    if (bigMb <= 0)
        return 0;
    qint64 peakKb = 0;
    const double seconds = queueSeconds(port, 10, bigMb * MB, 10, &peakKb);
    clearRemote();
    std::printf("parallel 10 x %lld MB, QuantUpLoad 10: %.2f s (%.1f MB/s), peak RSS %.1f MB\n",
                static_cast<long long>(bigMb), seconds, 10.0 * bigMb / seconds, peakKb / 1024.0);
    return 0;
}
