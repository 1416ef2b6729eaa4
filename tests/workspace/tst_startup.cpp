#include "TestSupport.h"

#include "validation/LgpdInformationTypes.h"
#include "workspace/EmbeddedFiles.h"
#include "workspace/NetworkPath.h"
#include "workspace/Startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <libxml/xmlschemas.h>

#include <memory>

using namespace tramora;

namespace {

StartupEnvironment localEnvironment(const QString &folder)
{
    return {folder, QStringLiteral("CARTORIO-01"), [](const QString &) { return false; }};
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// True when the document is valid under the schema file.
bool validates(const QString &schemaPath, const QByteArray &document)
{
    const QByteArray path = QFile::encodeName(schemaPath);
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(path.constData());
    xmlSchemaPtr schema = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
    if (!schema)
        return false;
    xmlDocPtr doc = xmlReadMemory(document.constData(), int(document.size()), "doc.xml", nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    xmlSchemaValidCtxtPtr validator = xmlSchemaNewValidCtxt(schema);
    xmlSchemaSetValidErrors(validator, nullptr, nullptr, nullptr);
    xmlSchemaSetValidStructuredErrors(
        validator, [](void *, xmlErrorPtr) {}, nullptr);
    const bool valid = doc && xmlSchemaValidateDoc(validator, doc) == 0;
    xmlSchemaFreeValidCtxt(validator);
    xmlFreeDoc(doc);
    xmlSchemaFree(schema);
    return valid;
}

} // namespace

class TestStartup final : public QObject
{
    Q_OBJECT

private slots:
    void freshStartCreatesTheWorkspaceAndNothingElse();
    void establishesTheProcessValues();
    void schemaEditedByHandIsRestored();
    void schemasDeclareTheirRootElements_data();
    void schemasDeclareTheirRootElements();
    void networkShareIsRefused();
    void uncPathIsANetworkPath();
    void fileThatCannotBeReplacedIsReportedOnce();
};

void TestStartup::freshStartCreatesTheWorkspaceAndNothingElse()
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    auto startup
        = std::make_unique<StartupSequence>(localEnvironment(folder.path()), messages, clock);
    startup->createDataModule();
    QCOMPARE(startup->prepareWorkspace(), StartupSequence::Outcome::Proceed);
    QVERIFY2(messages.shown().empty(), qPrintable(messages.texts().join(QLatin1Char('\n'))));

    // While the store is open its write-ahead log stands beside it; closing folds it back.
    startup.reset();
    QCOMPARE(test::treeOf(folder.path()),
             (QStringList{
                 QStringLiteral("Data/"), QStringLiteral("Data/Tramora.s3db"),
                 QStringLiteral("PDF/"), QStringLiteral("Preparados/"), QStringLiteral("Recusado/"),
                 QStringLiteral("Schema/"), QStringLiteral("Schema/MovimentoCasamentoTO.xsd"),
                 QStringLiteral("Schema/MovimentoNascimentoTO.xsd"),
                 QStringLiteral("Schema/MovimentoObitoTO.xsd"),
                 QStringLiteral("Schema/cargaRegistrosCompleto.xsd"), QStringLiteral("Temp/"),
                 QStringLiteral("Transmitir/"), QStringLiteral("XML/")}));
}

void TestStartup::establishesTheProcessValues()
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    StartupSequence startup(localEnvironment(folder.path() + QStringLiteral("/")), messages, clock);
    startup.createDataModule();
    startup.prepareWorkspace();

    const ProcessValues &values = startup.values();
    QCOMPARE(values.vCaminhoDoExecutavel, folder.path());
    QCOMPARE(values.vCaminhoSchema, folder.path() + QStringLiteral("/Schema"));
    QCOMPARE(values.vCaminhoPreparados, folder.path() + QStringLiteral("/Preparados"));
    QCOMPARE(values.vCaminhoRecusado, folder.path() + QStringLiteral("/Recusado"));
    QCOMPARE(values.vCaminhoTransmissao, folder.path() + QStringLiteral("/Transmitir"));
    QCOMPARE(values.vCaminhoTemp, folder.path() + QStringLiteral("/Temp"));
    QCOMPARE(values.vLimiteMaximoPaginaPDF, 0.0);
    QVERIFY(!values.vValidandoArquivo && !values.vEnviandoArquivo && !values.vSelecionandoArquivo);

    // Four numbers; the first three characters are the standard version.
    QCOMPARE(values.appVersion.split(QLatin1Char('.')).size(), 4);
    QVERIFY(values.appVersion.startsWith(QLatin1String("3.0.")));

    // 41 kinds of personal data on four lines of 21, 9, 7 and 4.
    QCOMPARE(values.vLgpdTipoInforcacao.size(), 4);
    const QList<int> perLine{21, 9, 7, 4};
    for (int i = 0; i < 4; ++i) {
        const QStringList names
            = values.vLgpdTipoInforcacao[i].split(QLatin1Char('|'), Qt::SkipEmptyParts);
        QCOMPARE(names.size(), perLine[i]);
    }
    const QString text = lgpdInformationTypeText(values.vLgpdTipoInforcacao);
    QVERIFY(text.startsWith(QStringLiteral("|CPF|e-Mail|Endereço|")));
    QVERIFY(text.endsWith(QStringLiteral("|CDI - Certificado de Dispensa de Incorporação\r\n")));

    QCOMPARE(values.vDataLimiteVersao13, QDate(2016, 7, 1));
    QCOMPARE(values.vDataLimiteVersao15, QDate(2018, 6, 30));
    QCOMPARE(values.vDataLimiteVersao20, QDate(2021, 1, 24));
    QCOMPARE(values.vDataLimiteVersao30, QDate(2021, 12, 13));
    QCOMPARE(values.vDataLimiteVersaoAtual, values.vDataLimiteVersao30);
}

void TestStartup::schemaEditedByHandIsRestored()
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    StartupSequence first(localEnvironment(folder.path()), messages, clock);
    first.createDataModule();
    first.prepareWorkspace();
    const QString schema = folder.path() + QStringLiteral("/Schema/MovimentoObitoTO.xsd");
    const QByteArray original = contents(schema);
    QCOMPARE(original, contents(QStringLiteral(":/XSDFILE/RES_MovimentoObitoTO")));
    {
        QFile file(schema);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("<edited/>");
    }

    StartupSequence second(localEnvironment(folder.path()), messages, clock);
    second.createDataModule();
    second.prepareWorkspace();
    QVERIFY(messages.shown().empty());
    QCOMPARE(contents(schema), original);
}

void TestStartup::schemasDeclareTheirRootElements_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("root");

    QTest::newRow("CRC") << QStringLiteral("cargaRegistrosCompleto.xsd")
                         << QByteArray("CARGAREGISTROS");
    QTest::newRow("birth") << QStringLiteral("MovimentoNascimentoTO.xsd")
                           << QByteArray("movimentoNascimentoTO");
    QTest::newRow("marriage") << QStringLiteral("MovimentoCasamentoTO.xsd")
                              << QByteArray("movimentoCasamentoTO");
    QTest::newRow("death") << QStringLiteral("MovimentoObitoTO.xsd")
                           << QByteArray("movimentoObitoTO");
}

void TestStartup::schemasDeclareTheirRootElements()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, root);

    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    StartupSequence startup(localEnvironment(folder.path()), messages, clock);
    startup.createDataModule();
    startup.prepareWorkspace();
    const QString schema = startup.values().vCaminhoSchema + QLatin1Char('/') + file;

    QVERIFY(validates(schema, "<" + root + " a=\"1\">text<X><Y/></X></" + root + ">"));
    QVERIFY(!validates(schema, "<OutraRaiz/>"));
}

void TestStartup::networkShareIsRefused()
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    QString asked;
    StartupEnvironment environment{folder.path(), QStringLiteral("CARTORIO-01"),
                                   [&](const QString &path) {
                                       asked = path;
                                       return true;
                                   }};
    auto startup = std::make_unique<StartupSequence>(environment, messages, clock);
    startup->createDataModule();
    QCOMPARE(startup->prepareWorkspace(), StartupSequence::Outcome::Quit);
    startup.reset();

    QCOMPARE(asked, folder.path());
    QCOMPARE(messages.shown().size(), std::size_t(1));
    QCOMPARE(messages.shown()[0].kind, test::RecordingMessageBoxes::Shown::Error);
    QCOMPARE(messages.shown()[0].text,
             QStringLiteral("O Aplicativo de Envio eOlu esta sendo Executado por Atalho:\r\n"
                            "Exemplo:  \"\\\\Servidor\\eOlu\\eOlu.exe\"\r\n"
                            "Isso não é permitido, por motivos de Segurança de Rede!"));
    // The data module had run; nothing of the workspace was made.
    QCOMPARE(test::treeOf(folder.path()),
             (QStringList{QStringLiteral("Data/"), QStringLiteral("Data/Tramora.s3db")}));
}

void TestStartup::uncPathIsANetworkPath()
{
    QVERIFY(isNetworkPath(QStringLiteral("\\\\Servidor\\eOlu")));
    QTemporaryDir local;
    QVERIFY(!isNetworkPath(local.path()));
}

void TestStartup::fileThatCannotBeReplacedIsReportedOnce()
{
    QTemporaryDir folder;
    // A folder standing where a schema goes cannot be deleted as a file.
    QVERIFY(QDir().mkpath(folder.path() + QStringLiteral("/Schema/MovimentoObitoTO.xsd/inside")));

    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    StartupSequence startup(localEnvironment(folder.path()), messages, clock);
    startup.createDataModule();
    QCOMPARE(startup.prepareWorkspace(), StartupSequence::Outcome::Proceed);

    QCOMPARE(messages.shown().size(), std::size_t(1));
    QCOMPARE(messages.shown()[0].kind, test::RecordingMessageBoxes::Shown::Error);
    QCOMPARE(messages.shown()[0].text, EmbeddedFileWriter::extractionFailureMessage());
    QCOMPARE(EmbeddedFileWriter::extractionFailureMessage(),
             QStringLiteral("Falha ao Salvar o schema de Validação, entre em  contato com o "
                            "suporte da Quarel"));
    for (const EmbeddedFile &file : embeddedFiles()) {
        if (file.fileName != QLatin1String("MovimentoObitoTO.xsd"))
            QVERIFY(
                QFile::exists(startup.values().vCaminhoSchema + QLatin1Char('/') + file.fileName));
    }
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
