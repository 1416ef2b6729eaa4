// Measures the store on a large history: the cost of InserirLog against its cost on an empty
// history, and opening the store with its start-up script on an up-to-date file.
//
//   bench_store [records]        (default 1000000)

#include "BenchMessages.h"
#include "common/Clock.h"
#include "store/DataModule.h"
#include "store/SqlConnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tramora;

namespace {

using SilentMessages = tramora::bench::BenchMessages;

const QString computer = QStringLiteral("BENCH-OFFICE");
constexpr int insertCalls = 2000;

QString messageText(int i)
{
    return QStringLiteral("Falta no XML :\r\nA tag <DataAto> do ato %1 nao pode estar vazia "
                          "Verifique ! Vide Manual de Integração OLU")
        .arg(i);
}

void fillHistory(SqlConnection &db, int records)
{
    db.executeBatch(QStringLiteral("BEGIN;"));
    SqlStatement insert(db,
                        QStringLiteral("INSERT INTO Arquivos (DataEnvio, NomeArquivo, "
                                       "StatusEnvio, Erro) VALUES (?, ?, 'S', ?)"));
    const QDateTime first(QDate(2021, 1, 1), QTime(8, 0));
    for (int i = 0; i < records; ++i) {
        insert.bind(1, History::storedDateTime(first.addSecs(i * 30)))
            .bind(2, QStringLiteral("123456_ato%1.xml").arg(i, 7, 10, QLatin1Char('0')))
            .bind(3,
                  QStringLiteral("OLU -------------------------------------- OLU "
                                 "--------------------------------------\r\n   -->  ")
                      + messageText(i));
        insert.step();
        insert.reset();
    }
    db.executeBatch(QStringLiteral("COMMIT;"));
}

// Mean microseconds per InserirLog: half the calls open new records, half add to them.
double inserirLogMicroseconds(History &history)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < insertCalls; ++i) {
        const QString file = QStringLiteral("/drop/novo_%1.xml").arg(i / 2);
        history.InserirLog(i % 2 ? QStringLiteral("PDF") : QStringLiteral("OLU"), messageText(i),
                           file);
    }
    return double(timer.nsecsElapsed()) / 1000.0 / insertCalls;
}

double openMilliseconds(const QString &folder, MessageBoxes &messages, const Clock &clock)
{
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        DataModule module({folder, computer}, messages, clock);
        module.DataModuleCreate();
        runs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    SilentMessages messages;
    SystemClock clock;

    QTemporaryDir emptyFolder;
    DataModule empty({emptyFolder.path(), computer}, messages, clock);
    empty.DataModuleCreate();
    const double emptyCost = inserirLogMicroseconds(empty.history());

    QTemporaryDir bigFolder;
    double bigCost = 0;
    {
        DataModule big({bigFolder.path(), computer}, messages, clock);
        big.DataModuleCreate();
        QElapsedTimer fill;
        fill.start();
        fillHistory(big.connection(), records);
        std::printf("filled %d records in %.1f s\n", records, fill.nsecsElapsed() / 1e9);
        bigCost = inserirLogMicroseconds(big.history());
    }
    const double openCost = openMilliseconds(bigFolder.path(), messages, clock);

    std::printf("InserirLog, empty history:        %8.1f us per call (%d calls)\n", emptyCost,
                insertCalls);
    std::printf("InserirLog, %7d records:        %8.1f us per call (%.2fx)\n", records, bigCost,
                bigCost / emptyCost);
    std::printf("open + start-up script, %7d:   %8.1f ms (median of 5)\n", records, openCost);
    return 0;
}
