#include "BatchFixture.h"
#include "IndexFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace tramora;
using tramora::test::BatchFixture;
using tramora::test::IndexFixture;

namespace {

constexpr int setCount = 200;
constexpr int maxKills = 40;

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Every dropped file is told apart by its content.
std::map<QByteArray, int> dropSets(const QString &workspace)
{
    std::map<QByteArray, int> dropped;
    QDir().mkpath(workspace + QStringLiteral("/XML"));
    QDir().mkpath(workspace + QStringLiteral("/PDF"));
    for (int n = 1; n <= setCount; ++n) {
        const QString number = QString::number(n);
        QStringList overrides{QStringLiteral("NumeroAto=") + number};
        if (n % 5 == 0)
            overrides << QStringLiteral("CnjCartorio=654321"); // refused
        const QByteArray index = IndexFixture::indexXml(overrides).toUtf8();
        const QString base = QStringLiteral("ato") + number;
        writeFile(workspace + QStringLiteral("/XML/") + base + QStringLiteral(".xml"), index);
        dropped[index] = 0;
        if (n % 7 != 0) {
            QByteArray document = "%PDF-1.4\n%set " + number.toLatin1() + "\n";
            // Incompressible, so that deflating takes a while and kills land inside it.
            QByteArray noise(200000 + n * 97, Qt::Uninitialized);
            QRandomGenerator(n).fillRange(reinterpret_cast<quint32 *>(noise.data()),
                                          noise.size() / 4);
            document.append(noise);
            writeFile(workspace + QStringLiteral("/PDF/") + base + QStringLiteral(".pdf"),
                      document);
            dropped[document] = 0;
        }
        if (n % 3 == 0) {
            const QByteArray side = "cpi " + number.toLatin1();
            writeFile(workspace + QStringLiteral("/XML/") + base + QStringLiteral("_CPI.json"),
                      side);
            dropped[side] = 0;
        }
    }
    return dropped;
}

void countFilesIn(const QString &folder, std::map<QByteArray, int> &found)
{
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        found[file.readAll()]++;
    }
}

} // namespace

class BatchCrashTest : public QObject
{
    Q_OBJECT

private slots:
    void killedPassesLoseNoFile();
};

void BatchCrashTest::killedPassesLoseNoFile()
{
    QTemporaryDir workspace;
    const std::map<QByteArray, int> dropped = dropSets(workspace.path());

    QRandomGenerator random(20261211);
    int kills = 0;
    int killsInsidePacking = 0; // Temp held something of a set at the kill
    bool finished = false;
    for (int attempt = 0; attempt < maxKills + 10 && !finished; ++attempt) {
        QProcess driver;
        driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        driver.start(QStringLiteral(BATCH_DRIVER), {workspace.path()});
        QVERIFY(driver.waitForStarted());
        QVERIFY(driver.waitForReadyRead(60000));
        const int killAfter = kills < maxKills ? random.bounded(0, 400) : 120000;
        if (driver.waitForFinished(killAfter)) {
            QCOMPARE(driver.exitStatus(), QProcess::NormalExit);
            QCOMPARE(driver.exitCode(), 0);
            finished = true;
        } else {
            driver.kill();
            driver.waitForFinished();
            ++kills;
            killsInsidePacking
                += !QDir(workspace.path() + QStringLiteral("/Temp")).isEmpty(QDir::Files);
        }
    }
    QVERIFY(finished);
    qInfo("killed %d times, %d of them while a set was in Temp", kills, killsInsidePacking);

    std::map<QByteArray, int> found;
    const QString prepared = workspace.path() + QStringLiteral("/Preparados");
    QDirIterator packages(prepared, {QStringLiteral("*.zip")}, QDir::Files);
    while (packages.hasNext()) {
        const QString zip = packages.next();
        QVERIFY2(QFile::exists(zip.left(zip.size() - 4) + QStringLiteral("-pdf.txt")),
                 qPrintable(zip));
        for (const auto &[name, content] : BatchFixture::zipEntries(zip))
            found[content]++;
    }
    QCOMPARE(QDir(prepared).entryList({QStringLiteral("*.txt")}, QDir::Files).size(),
             QDir(prepared).entryList({QStringLiteral("*.zip")}, QDir::Files).size());
    countFilesIn(workspace.path() + QStringLiteral("/Recusado"), found);
    countFilesIn(workspace.path() + QStringLiteral("/XML"), found);
    countFilesIn(workspace.path() + QStringLiteral("/PDF"), found);
    QVERIFY(QDir(workspace.path() + QStringLiteral("/Temp")).isEmpty(QDir::Files));

    int missing = 0;
    int duplicated = 0;
    for (const auto &[content, none] : dropped) {
        const auto it = found.find(content);
        const int count = it == found.end() ? 0 : it->second;
        missing += count == 0;
        duplicated += count > 1;
    }
    QCOMPARE(missing, 0);
    QCOMPARE(duplicated, 0);
    int strangers = 0;
    for (const auto &[content, count] : found)
        strangers += dropped.count(content) == 0;
    QCOMPARE(strangers, 0);
}

QTEST_GUILESS_MAIN(BatchCrashTest)
#include "tst_batchcrash.moc"
