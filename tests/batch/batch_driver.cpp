// Runs validation passes over a workspace until its index folder is empty, the way the
// application's timer does. The crash test kills it at random instants.

#include "TestSupport.h"

#include "batch/FileOperations.h"
#include "batch/ValidationRun.h"
#include "store/DataModule.h"
#include "workspace/Startup.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace tramora;

namespace {

// The day the test acts were written for, moving on with real time so stamps differ.
class RunningClock final : public Clock
{
public:
    RunningClock() { m_elapsed.start(); }
    QDateTime now() const override
    {
        return QDateTime(QDate(2026, 12, 11), QTime(12, 0)).addMSecs(m_elapsed.elapsed());
    }

private:
    QElapsedTimer m_elapsed;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: batch_driver WORKSPACE\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    test::RecordingMessageBoxes messages;
    RunningClock clock;
    StartupSequence startup(
        {folder, QStringLiteral("CARTORIO-01"), [](const QString &) { return false; }}, messages,
        clock);
    DataModule &store = startup.createDataModule();
    startup.prepareWorkspace();
    startup.values().appVersion = QStringLiteral("3.0.0.1");
    Parametros parametros = store.parametros();
    parametros.Cns = QStringLiteral("123456");
    parametros.CaminhoXml = folder + QStringLiteral("/XML");
    parametros.CaminhoPdf = folder + QStringLiteral("/PDF");
    store.postParametros(parametros);

    ValidationRun run(store, startup.values(), clock, messages);
    // The crash test times its kills from here, so they land in the work, not in start-up.
    std::printf("ready\n");
    std::fflush(stdout);
    run.recoverTemp();
    for (int pass = 0; pass < 100 && !isFolderEmpty(parametros.CaminhoXml.value()); ++pass) {
        run.TimerValidaArquivosTimer();
        if (!messages.shown().empty()) {
            std::fprintf(stderr, "%s\n", qPrintable(messages.texts().join(u'\n')));
            return 1;
        }
    }
    return isFolderEmpty(parametros.CaminhoXml.value()) ? 0 : 1;
}
