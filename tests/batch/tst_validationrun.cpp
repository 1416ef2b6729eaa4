#include "BatchFixture.h"
#include "IndexFixture.h"

#include "batch/BatchMessages.h"
#include "batch/FileOperations.h"
#include "common/FormatByteSize.h"
#include "store/History.h"
#include "store/SqlConnection.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tramora;
using tramora::test::BatchFixture;
using tramora::test::IndexFixture;

namespace {

const QString stamp = QStringLiteral("123456_11122026120000042");

QString act(const QStringList &overrides = {}, const QString &versao = QStringLiteral("3.0"))
{
    return IndexFixture::indexXml(overrides, QString(), versao);
}

QString crlf()
{
    return QStringLiteral("\r\n");
}

QString emptyDocumentMessage(qint64 bytes)
{
    return QStringLiteral("Arquivo \"PDF\"  Está Vazio, favor verificar, Tam/Pag atual:")
        + FormatByteSize(bytes) + crlf() + QStringLiteral(" Verifique ! Vide Manual OLU ");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ValidationRunTest : public QObject
{
    Q_OBJECT

private slots:
    void passPacksTheValidSetAndRefusesTheOthers();
    void packageNamesAndEntries_data();
    void packageNamesAndEntries();
    void signedDocumentFromVersion20IsRefused();
    void actSentWithoutDocumentDropsIt();
    void versionRefusedIndexGoesAlone();
    void noOfficeCnsMakesNoPackage();
    void documentRules_data();
    void documentRules();
    void returningFileStartsWithEmptyHistory();
    void tickSwitchesOffInManualModeOnly();
    void failureEndsThePassWithoutStickingBusy();
    void packingFailureKeepsEverySetFile();
};

void ValidationRunTest::passPacksTheValidSetAndRefusesTheOthers()
{
    BatchFixture f;
    f.drop(QStringLiteral("a"), act());
    f.drop(QStringLiteral("b"), act({QStringLiteral("CnjCartorio=654321")}));
    f.drop(QStringLiteral("c"), act({QStringLiteral("CodigoServico=2")}), 1536);

    f.run->TimerValidaArquivos().start();
    f.run->TimerValidaArquivosTimer();

    QCOMPARE(f.filesIn(f.values.vCaminhoPreparados),
             QStringList({stamp + QStringLiteral("-pdf.txt"), stamp + QStringLiteral(".zip")}));
    QCOMPARE(f.filesIn(f.values.vCaminhoRecusado),
             QStringList({QStringLiteral("b.pdf"), QStringLiteral("b.xml"), QStringLiteral("c.pdf"),
                          QStringLiteral("c.xml")}));
    QVERIFY(f.filesIn(f.xmlFolder()).isEmpty());
    QVERIFY(f.filesIn(f.pdfFolder()).isEmpty());
    QVERIFY(f.filesIn(f.values.vCaminhoTemp).isEmpty());
    QVERIFY(!f.values.vValidandoArquivo);

    QVERIFY(f.historyOf(QStringLiteral("a.xml")).isEmpty());
    QVERIFY(f.historyOf(QStringLiteral("b.xml")).contains(batchmsg::structureFailure()));
    QCOMPARE(f.historyOf(QStringLiteral("c.pdf")),
             IndexFixture::expectedOlu({emptyDocumentMessage(1536)}));
    const QString attachments = QStringLiteral("Falha nos Anexos do XMl da \"OLU\" ") + crlf()
        + QStringLiteral("PDF") + crlf() + QStringLiteral("Verifique !") + crlf()
        + QStringLiteral(" Vide Manual OLU ");
    QCOMPARE(f.historyOf(QStringLiteral("c.xml")), IndexFixture::expectedOlu({attachments}));
    QCOMPARE(f.store.history().visibleRecords().size(), size_t(3));
}

void ValidationRunTest::packageNamesAndEntries_data()
{
    QTest::addColumn<bool>("homolog");
    QTest::addColumn<QString>("versao");
    QTest::addColumn<QStringList>("overrides");
    QTest::addColumn<QString>("documentExtension"); // "" for no document
    QTest::addColumn<QStringList>("sideFiles"); // suffixes dropped beside the index
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("marker");

    const QString s = stamp;
    QTest::newRow("production 3.0")
        << false << QStringLiteral("3.0") << QStringList() << QStringLiteral(".pdf")
        << QStringList({QStringLiteral("_CORI.json"), QStringLiteral("_CPI.json"),
                        QStringLiteral("_MLRI.geojson")})
        << QStringList({s + QStringLiteral(".pdf"), s + QStringLiteral(".xml"),
                        s + QStringLiteral("_CORI.json"), s + QStringLiteral("_CPI.json"),
                        s + QStringLiteral("_MLRI.geojson")})
        << s + QStringLiteral("-pdf.txt");
    QTest::newRow("homologation 3.0")
        << true << QStringLiteral("3.0") << QStringList() << QStringLiteral(".pdf")
        << QStringList({QStringLiteral("_CORI.json"), QStringLiteral("_MLRI.geojson")})
        << QStringList({s + QStringLiteral("-Homolog.pdf"), s + QStringLiteral("-Homolog.xml"),
                        s + QStringLiteral("_CORI-Homolog.json"),
                        s + QStringLiteral("_MLRI-Homolog.geojson")})
        << s + QStringLiteral("-Homolog-pdf.txt");
    QTest::newRow("service 1 without document")
        << false << QStringLiteral("3.0") << QStringList() << QString() << QStringList()
        << QStringList({s + QStringLiteral(".xml")}) << s + QStringLiteral("-pdf.txt");
    QTest::newRow("1.8 signed document")
        << false << QStringLiteral("1.8") << QStringList() << QStringLiteral(".p7s")
        << QStringList()
        << QStringList({s + QStringLiteral(".pdf.p7s"), s + QStringLiteral(".xml")})
        << s + QStringLiteral("-p7s.txt");
}

void ValidationRunTest::packageNamesAndEntries()
{
    QFETCH(bool, homolog);
    QFETCH(QString, versao);
    QFETCH(QStringList, overrides);
    QFETCH(QString, documentExtension);
    QFETCH(QStringList, sideFiles);
    QFETCH(QStringList, entries);
    QFETCH(QString, marker);

    BatchFixture f(homolog);
    // Older standards are judged as on a day they were still accepted.
    f.values.vDataLimiteVersaoAtual = QDate(2099, 1, 1);
    const QString xml = act(overrides, versao);
    f.drop(QStringLiteral("ato"), xml, documentExtension.isEmpty() ? -1 : 30000,
           documentExtension.isEmpty() ? QStringLiteral(".pdf") : documentExtension);
    for (const QString &suffix : sideFiles) {
        QFile side(f.xmlFolder() + QStringLiteral("/ato") + suffix);
        QVERIFY(side.open(QIODevice::WriteOnly));
        side.write(suffix.toUtf8());
    }

    f.run->TimerValidaArquivosTimer();

    QCOMPARE(f.historyOf(QStringLiteral("ato.xml")), QString());
    const QString zip = marker.left(marker.size() - 8) + QStringLiteral(".zip");
    QCOMPARE(f.filesIn(f.values.vCaminhoPreparados), QStringList({marker, zip}));
    QCOMPARE(readFile(f.values.vCaminhoPreparados + QLatin1Char('/') + marker),
             versao.toLatin1() + "\r\n");
    const auto packaged
        = BatchFixture::zipEntries(f.values.vCaminhoPreparados + QLatin1Char('/') + zip);
    QStringList names;
    for (const auto &[name, content] : packaged)
        names << name;
    QCOMPARE(names, entries);
    for (const auto &[name, content] : packaged) {
        if (name.endsWith(QLatin1String(".xml")))
            QCOMPARE(content, xml.toUtf8());
        else if (name.contains(QLatin1String("_CORI")))
            QCOMPARE(content, QByteArray("_CORI.json"));
        else if (name.contains(QLatin1String(".p")))
            QCOMPARE(content, BatchFixture::documentOfSize(30000));
    }
    QVERIFY(f.filesIn(f.xmlFolder()).isEmpty());
    QVERIFY(f.filesIn(f.pdfFolder()).isEmpty());
    QVERIFY(f.filesIn(f.values.vCaminhoTemp).isEmpty());
}

void ValidationRunTest::signedDocumentFromVersion20IsRefused()
{
    BatchFixture f;
    f.drop(QStringLiteral("ato"), act({QStringLiteral("CodigoServico=2")}), 30000,
           QStringLiteral(".p7s"));
    f.run->TimerValidaArquivosTimer();

    QCOMPARE(f.filesIn(f.values.vCaminhoRecusado),
             QStringList({QStringLiteral("ato.p7s"), QStringLiteral("ato.xml")}));
    const QString attachments = QStringLiteral("Falha nos Anexos do XMl da \"OLU\" ") + crlf()
        + QStringLiteral("PDF") + crlf() + QStringLiteral("Verifique !") + crlf()
        + QStringLiteral(" Vide Manual OLU ");
    QCOMPARE(f.historyOf(QStringLiteral("ato.xml")),
             IndexFixture::expectedErro({{QStringLiteral("PDF"), batchmsg::p7sNoLongerAllowed()},
                                         {QStringLiteral("OLU"), attachments}}));
}

void ValidationRunTest::actSentWithoutDocumentDropsIt()
{
    BatchFixture f;
    // An update of an act sent only to the elderly-protection central carries no document.
    const QString xml = IndexFixture::indexXml(
        {QStringLiteral("CodigoServico=2"), QStringLiteral("TipoEnvio=A"),
         QStringLiteral("ProtocoloOLU=2026121020261210123456000000000001")},
        IndexFixture::defaultParties()
            + QStringLiteral("<Integracao><Central>CPI</Central></Integracao>"));
    f.drop(QStringLiteral("ato"), xml, 30000);
    f.run->TimerValidaArquivosTimer();

    QCOMPARE(f.historyOf(QStringLiteral("ato.xml")), QString());
    QVERIFY(f.filesIn(f.pdfFolder()).isEmpty());
    QCOMPARE(f.filesIn(f.values.vCaminhoPreparados).size(), 2);
    const auto packaged = BatchFixture::zipEntries(f.values.vCaminhoPreparados + QLatin1Char('/')
                                                   + stamp + QStringLiteral(".zip"));
    QCOMPARE(packaged.size(), size_t(1));
    QVERIFY(packaged.count(stamp + QStringLiteral(".xml")));
}

void ValidationRunTest::versionRefusedIndexGoesAlone()
{
    BatchFixture f;
    f.drop(QStringLiteral("ato"), act({}, QStringLiteral("9.9")), 30000);
    f.run->TimerValidaArquivosTimer();
    QCOMPARE(f.filesIn(f.values.vCaminhoRecusado), QStringList({QStringLiteral("ato.xml")}));
    QCOMPARE(f.filesIn(f.pdfFolder()), QStringList({QStringLiteral("ato.pdf")}));
    QVERIFY(f.historyOf(QStringLiteral("ato.xml")).contains(batchmsg::structureFailure()));
}

void ValidationRunTest::noOfficeCnsMakesNoPackage()
{
    BatchFixture f;
    Parametros parametros = f.store.parametros();
    parametros.Cns.reset();
    f.store.postParametros(parametros);
    f.drop(QStringLiteral("ato"), act());
    f.run->TimerValidaArquivosTimer();
    QVERIFY(f.filesIn(f.values.vCaminhoPreparados).isEmpty());
    QCOMPARE(f.filesIn(f.values.vCaminhoRecusado),
             QStringList({QStringLiteral("ato.pdf"), QStringLiteral("ato.xml")}));
    QVERIFY(f.historyOf(QStringLiteral("ato.xml")).contains(batchmsg::structureFailure()));
}

void ValidationRunTest::documentRules_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<qint64>("bytes"); // -1: no document
    QTest::addColumn<double>("pageLimit");
    QTest::addColumn<QString>("documentMessage"); // "" when the document passes

    const QString missing = QStringLiteral(
        "Falha no XML a tag <CodigoServico> = \"2\" a \"11\" é obrigatório o envio do Arquivo PDF "
        "junto com XML Verifique! Vide Manual OLU");
    const QString tooLarge = QStringLiteral(
        "Arquivo \"PDF\"  muito grande, favor não ultrapassar 600kb por página, Tam/Pag atual:");
    QTest::newRow("missing for service 2") << QStringLiteral("2") << qint64(-1) << 0.0 << missing;
    QTest::newRow("missing for service 11") << QStringLiteral("11") << qint64(-1) << 0.0 << missing;
    QTest::newRow("19999 bytes") << QStringLiteral("1") << qint64(19999) << 0.0
                                 << emptyDocumentMessage(19999);
    QTest::newRow("20000 bytes") << QStringLiteral("2") << qint64(20000) << 0.0 << QString();
    QTest::newRow("5 MB without limit")
        << QStringLiteral("2") << qint64(5 << 20) << 0.0 << QString();
    // An uncountable document is held to the bare per-page limit.
    QTest::newRow("over the bare limit") << QStringLiteral("2") << qint64(30001) << 30000.0
                                         << tooLarge + FormatByteSize(30001) + crlf()
            + QStringLiteral(" Verifique ! Vide Manual OLU ");
    QTest::newRow("at the bare limit")
        << QStringLiteral("2") << qint64(30000) << 30000.0 << QString();
}

void ValidationRunTest::documentRules()
{
    QFETCH(QString, service);
    QFETCH(qint64, bytes);
    QFETCH(double, pageLimit);
    QFETCH(QString, documentMessage);

    BatchFixture f;
    f.values.vLimiteMaximoPaginaPDF = pageLimit;
    QStringList overrides{QStringLiteral("CodigoServico=") + service};
    if (service == QLatin1String("11"))
        overrides << QStringLiteral("Publicado=S") << QStringLiteral("DataProtocolo=2026-12-10")
                  << QStringLiteral("NumeroProtocolo=77");
    f.drop(QStringLiteral("ato"), act(overrides), bytes);
    f.run->TimerValidaArquivosTimer();

    if (documentMessage.isEmpty()) {
        QCOMPARE(f.historyOf(QStringLiteral("ato.pdf")), QString());
        QCOMPARE(f.filesIn(f.values.vCaminhoPreparados).size(), 2);
    } else {
        QCOMPARE(f.historyOf(QStringLiteral("ato.pdf")),
                 IndexFixture::expectedOlu({documentMessage}));
        QVERIFY(f.filesIn(f.values.vCaminhoPreparados).isEmpty());
        QVERIFY(f.filesIn(f.values.vCaminhoRecusado).contains(QStringLiteral("ato.xml")));
    }
}

void ValidationRunTest::returningFileStartsWithEmptyHistory()
{
    BatchFixture f;
    f.drop(QStringLiteral("ato"), act({QStringLiteral("CnjCartorio=654321")}));
    f.run->TimerValidaArquivosTimer();
    QVERIFY(!f.historyOf(QStringLiteral("ato.xml")).isEmpty());

    // Corrected and dropped again, while the history tab filters another period.
    f.store.history().setPeriodFilter(HistoryPeriod{QDate(2020, 1, 1), QDate(2020, 1, 2)});
    f.drop(QStringLiteral("ato"), act());
    f.run->TimerValidaArquivosTimer();
    QVERIFY(!f.store.history().periodFilter());
    const std::optional<HistoryRecord> record
        = f.store.history().findVisible(QStringLiteral("ato.xml"));
    QVERIFY(record);
    QVERIFY(!record->Erro && !record->DataEnvio && !record->StatusEnvio);
    QCOMPARE(f.filesIn(f.values.vCaminhoPreparados).size(), 2);
}

void ValidationRunTest::tickSwitchesOffInManualModeOnly()
{
    for (const bool automatic : {false, true}) {
        BatchFixture f;
        Parametros parametros = f.store.parametros();
        parametros.Processo = automatic;
        f.store.postParametros(parametros);
        f.run->TimerValidaArquivos().start();
        f.run->TimerValidaArquivosTimer();
        QCOMPARE(f.run->TimerValidaArquivos().isActive(), automatic);

        // A missing index folder counts as empty.
        parametros.CaminhoXml = f.folder.filePath(QStringLiteral("nowhere"));
        f.store.postParametros(parametros);
        f.run->TimerValidaArquivos().start();
        f.run->TimerValidaArquivosTimer();
        QCOMPARE(f.run->TimerValidaArquivos().isActive(), automatic);

        // Files that are no index keep the timer on without starting a pass.
        parametros.CaminhoXml = f.xmlFolder();
        f.store.postParametros(parametros);
        QFile side(f.xmlFolder() + QStringLiteral("/ato_CPI.json"));
        QVERIFY(side.open(QIODevice::WriteOnly));
        side.close();
        f.run->TimerValidaArquivosTimer();
        QVERIFY(f.run->TimerValidaArquivos().isActive() || !automatic);
        QCOMPARE(f.filesIn(f.xmlFolder()), QStringList({QStringLiteral("ato_CPI.json")}));
    }
}

void ValidationRunTest::failureEndsThePassWithoutStickingBusy()
{
    BatchFixture f;
    f.drop(QStringLiteral("ato"), act({QStringLiteral("CnjCartorio=654321")}));
    SqlStatement(f.store.connection(), QStringLiteral("DROP TABLE Arquivos")).step();

    f.run->TimerValidaArquivosTimer();
    QVERIFY(!f.values.vValidandoArquivo);
    QCOMPARE(f.messages.shown().size(), size_t(1));
    QCOMPARE(f.messages.shown().front().kind, test::RecordingMessageBoxes::Shown::Error);
    // Nothing of the set was lost: the pass stopped before moving it.
    QCOMPARE(f.filesIn(f.xmlFolder()), QStringList({QStringLiteral("ato.xml")}));
}

void ValidationRunTest::packingFailureKeepsEverySetFile()
{
    BatchFixture f;
    // Temp cannot hold the set's working copies.
    QVERIFY(QDir(f.values.vCaminhoTemp).removeRecursively());
    QFile blocker(f.values.vCaminhoTemp);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    f.drop(QStringLiteral("ato"), act());

    f.run->TimerValidaArquivosTimer();
    QCOMPARE(f.historyOf(QStringLiteral("ato.xml")),
             IndexFixture::expectedOlu({batchmsg::packingFailed()}));
    QCOMPARE(f.filesIn(f.xmlFolder()), QStringList({QStringLiteral("ato.xml")}));
    QCOMPARE(f.filesIn(f.pdfFolder()), QStringList({QStringLiteral("ato.pdf")}));
    QVERIFY(f.filesIn(f.values.vCaminhoPreparados).isEmpty());

    // Preparados refusing the package: it waits, complete, in Temp for the next pass.
    QVERIFY(QFile::remove(f.values.vCaminhoTemp));
    QVERIFY(QDir().mkpath(f.values.vCaminhoTemp));
    const QString preparados = f.values.vCaminhoPreparados;
    QVERIFY(QDir(preparados).removeRecursively());
    f.run->TimerValidaArquivosTimer();
    QCOMPARE(f.historyOf(QStringLiteral("ato.xml")),
             IndexFixture::expectedOlu({batchmsg::packingFailed()}));
    QVERIFY(f.filesIn(f.xmlFolder()).isEmpty());
    QCOMPARE(ContaArquivo(f.values.vCaminhoTemp, QStringLiteral("*.zip")), 1);

    QVERIFY(QDir().mkpath(preparados));
    f.run->recoverTemp();
    QCOMPARE(ContaArquivo(preparados, QStringLiteral("*.zip")), 1);
    QCOMPARE(ContaArquivo(preparados, QStringLiteral("*-pdf.txt")), 1);
    QVERIFY(f.filesIn(f.values.vCaminhoTemp).isEmpty());
}

QTEST_GUILESS_MAIN(ValidationRunTest)
#include "tst_validationrun.moc"
