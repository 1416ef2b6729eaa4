// Measures a validation pass over dropped sets against the bare packing done by zip -6 and
// mv in a shell loop over the same files, and the longest stall of the event loop while a
// pass packs large documents.
//
// Files and stores go where QTemporaryDir puts them: when that is a tmpfs, point TMPDIR at a
// folder on a real disk.
//
//   bench_batch [sets] [large sets]          (default 1000 sets of a 5 KB index and a 100 KB
//                                             document; 5 sets with 20 MB documents)

#include "BenchMessages.h"
#include "IndexFixture.h"

#include "batch/ValidationRun.h"
#include "common/Clock.h"
#include "store/DataModule.h"
#include "workspace/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace tramora;

namespace {

class MovingClock final : public Clock
{
public:
    MovingClock() { m_elapsed.start(); }
    QDateTime now() const override
    {
        return QDateTime(QDate(2026, 12, 11), QTime(12, 0)).addMSecs(m_elapsed.elapsed());
    }

private:
    QElapsedTimer m_elapsed;
};

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QByteArray noise(qint64 bytes, quint32 seed)
{
    QByteArray data(bytes, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(data.data()), bytes / 4);
    return data;
}

// An act of about 5 KB: the test act with the office's remarks in a comment.
QByteArray indexOf(int n)
{
    QString xml = test::IndexFixture::indexXml({QStringLiteral("NumeroAto=") + QString::number(n)});
    const QString remarks
        = QStringLiteral("<!-- ") + QString(5000 - xml.size(), u'r') + QStringLiteral(" -->");
    xml.insert(xml.indexOf(QStringLiteral("</Ato>")), remarks);
    return xml.toUtf8();
}

void dropSets(const QString &workspace, int count, qint64 documentBytes)
{
    for (int n = 1; n <= count; ++n) {
        const QString base = QStringLiteral("ato") + QString::number(n);
        writeFile(workspace + QStringLiteral("/XML/") + base + QStringLiteral(".xml"), indexOf(n));
        QByteArray document = "%PDF-1.4\n" + noise(documentBytes, n);
        document.truncate(documentBytes);
        writeFile(workspace + QStringLiteral("/PDF/") + base + QStringLiteral(".pdf"), document);
    }
}

struct Workspace
{
    Workspace()
        : startup(
            {folder.path(), QStringLiteral("BENCH-OFFICE"), [](const QString &) { return false; }},
            messages, clock)
        , store(startup.createDataModule())
    {
        startup.prepareWorkspace();
        startup.values().appVersion = QStringLiteral("3.0.0.1");
        Parametros parametros = store.parametros();
        parametros.Cns = QStringLiteral("123456");
        parametros.CaminhoXml = folder.path() + QStringLiteral("/XML");
        parametros.CaminhoPdf = folder.path() + QStringLiteral("/PDF");
        store.postParametros(parametros);
        run = std::make_unique<ValidationRun>(store, startup.values(), clock, messages);
    }

    int prepared() const
    {
        return int(QDir(folder.path() + QStringLiteral("/Preparados"))
                       .entryList({QStringLiteral("*.zip")}, QDir::Files)
                       .size());
    }

    QTemporaryDir folder;
    bench::BenchMessages messages;
    MovingClock clock;
    StartupSequence startup;
    DataModule &store;
    std::unique_ptr<ValidationRun> run;
};

// The longest time between two ticks of a 5 ms timer while the pass runs.
struct StallWatch
{
    StallWatch()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout,
                         [this] { longest = std::max(longest, since.restart()); });
    }
    void start()
    {
        longest = 0;
        since.start();
        timer.start();
    }
    QTimer timer;
    QElapsedTimer since;
    qint64 longest = 0;
};

double passSeconds(Workspace &workspace, StallWatch &watch)
{
    QElapsedTimer elapsed;
    elapsed.start();
    watch.start();
    // The pass starts from the event loop, as the window's timer starts it.
    QTimer::singleShot(0, [&] {
        workspace.run->TimerValidaArquivosTimer();
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    watch.timer.stop();
    return elapsed.nsecsElapsed() / 1e9;
}

double shellSeconds(const QString &workspace)
{
    const QString script = QStringLiteral(
        "cd \"$1\" && for f in XML/*.xml; do b=$(basename \"$f\" .xml); "
        "zip -q -6 -j \"Temp/$b.zip\" \"XML/$b.xml\" \"PDF/$b.pdf\" && "
        "printf '3.0\\r\\n' > \"Temp/$b-pdf.txt\" && mv \"Temp/$b.zip\" Preparados/ && "
        "mv \"Temp/$b-pdf.txt\" Preparados/ && rm \"XML/$b.xml\" \"PDF/$b.pdf\"; done");
    QElapsedTimer elapsed;
    elapsed.start();
    const int status = QProcess::execute(
        QStringLiteral("bash"), {QStringLiteral("-c"), script, QStringLiteral("bench"), workspace});
    if (status != 0) {
        std::fprintf(stderr, "the shell loop failed (is zip installed?)\n");
        std::exit(1);
    }
    return elapsed.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int sets = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int largeSets = argc > 2 ? std::atoi(argv[2]) : 5;
    StallWatch watch;

    Workspace ours;
    dropSets(ours.folder.path(), sets, 100 * 1024);
    const double oursSeconds = passSeconds(ours, watch);
    const qint64 smallStall = watch.longest;
    if (ours.prepared() != sets) {
        std::fprintf(stderr, "only %d of %d sets were packed\n", ours.prepared(), sets);
        return 1;
    }

    QTemporaryDir shell;
    for (const char *folder : {"XML", "PDF", "Temp", "Preparados"})
        QDir(shell.path()).mkpath(QString::fromLatin1(folder));
    dropSets(shell.path(), sets, 100 * 1024);
    const double shellTime = shellSeconds(shell.path());

    std::printf("%d sets of a 5 KB index and a 100 KB document\n", sets);
    std::printf("  validation pass : %8.1f sets/s  (%.2f s; longest event-loop stall %lld ms)\n",
                sets / oursSeconds, oursSeconds, static_cast<long long>(smallStall));
    std::printf("  zip -6 + mv     : %8.1f sets/s  (%.2f s)\n", sets / shellTime, shellTime);

    Workspace large;
    dropSets(large.folder.path(), largeSets, 20 * 1024 * 1024);
    const double largeSeconds = passSeconds(large, watch);
    std::printf("%d sets with a 20 MB document: %.2f s, longest event-loop stall %lld ms\n",
                largeSets, largeSeconds, static_cast<long long>(watch.longest));
    return 0;
}
