#include "TestSupport.h"

#include "store/DataModule.h"
#include "workspace/ComputerNames.h"
#include "workspace/Startup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tramora;

namespace {

int run(const QString &program, const QStringList &arguments)
{
    return test::runProgram(program, arguments).exitCode;
}

} // namespace

class DemoWorkspaceTest : public QObject
{
    Q_OBJECT

private slots:
    void dropsSetsThatTheCheckerJudgesAsPlanned();
};

void DemoWorkspaceTest::dropsSetsThatTheCheckerJudgesAsPlanned()
{
    QTemporaryDir folder;
    const QString demo = QStringLiteral(TRAMORA_DEMO_PATH);
    QCOMPARE(run(demo, {folder.path()}), 0);

    const QString xml = folder.filePath(QStringLiteral("XML"));
    const QStringList indexes = QDir(xml).entryList({QStringLiteral("*.xml")}, QDir::Files);
    QCOMPARE(indexes.size(), 6);
    QStringList accepted;
    for (const QString &index : indexes) {
        const int status
            = run(QStringLiteral(TRAMORA_CHECK_PATH),
                  {QStringLiteral("--cns"), QStringLiteral("123456"), QStringLiteral("--docs"),
                   folder.filePath(QStringLiteral("PDF")), xml + QLatin1Char('/') + index});
        QVERIFY(status == 0 || status == 1);
        if (status == 0)
            accepted << index;
    }
    QCOMPARE(
        accepted,
        QStringList({QStringLiteral("123456_firma_001.xml"), QStringLiteral("123456_firma_002.xml"),
                     QStringLiteral("123456_firma_003.xml")}));

    // The office the application opens is the demo one; a second run drops nothing more.
    QCOMPARE(run(demo, {folder.path()}), 0);
    QCOMPARE(QDir(xml).entryList({QStringLiteral("*.xml")}, QDir::Files).size(), 6);
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    StartupSequence startup({folder.path(), NomeComputador()}, messages, clock);
    const Parametros &parametros = startup.createDataModule().parametros();
    QCOMPARE(parametros.Cns, std::optional<QString>(QStringLiteral("123456")));
    QCOMPARE(parametros.CaminhoXml, std::optional<QString>(xml));
}

QTEST_GUILESS_MAIN(DemoWorkspaceTest)
#include "tst_demoworkspace.moc"
