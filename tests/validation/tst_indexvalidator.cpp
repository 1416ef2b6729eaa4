#include "IndexFixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tramora;
using tramora::test::IndexFixture;

namespace {

QString versionForm(const QString &app)
{
    return QStringLiteral("Falha na tag <Versao> no Arquivo XML, está fora dos padrões da OLU e é "
                          "obrigatório para a Versão atual do Aplicativo de Envio ")
        + app + QStringLiteral(" Verifique! Vide Manual OLU");
}

const QString versionHigher = QStringLiteral(
    "A tag <Versao> no Arquivo XML, está com valor maior que a versao do Aplicativo de Envio, tem "
    "que ser a mesma do Aplicativo de Envio\r\n Verifique! Vide Manual OLU");
const QString versionOlder = QStringLiteral(
    "A tag <Versao> no Arquivo XML, está com valor maior que a versao do Aplicativo de Envio, tem "
    "que ser a mesma do Aplicativo de Envio apartir de 13/12/2021\r\n Verifique! Vide Manual OLU");
const QString noIntegracao
    = QStringLiteral("Falta a tag <Integracao> no Arquivo XML Verifique! Vide Manual OLU");
const QString noCentral = QStringLiteral(
    "Para a Tag <TipoEnvio> igual a \"A\" a Tag <Integracao> tem que ter pelo menos uma central "
    "para atualização Ex.: ’OLU’,  Verifique, Vide Manual de Integração OLU");
const QString onlyOlu = QStringLiteral(
    "Para a Tag <TipoEnvio> igual a \"A\" e a Tag <CodigoServico> igual a \"1\", \"7\" e \"8\" a "
    "Tag <Integracao> não pode ser diferente de ’OLU’,  Verifique, Vide Manual de Integração OLU");
const QString oluOrSinter = QStringLiteral(
    "Para a Tag <TipoEnvio> igual a \"A\" e a Tag <CodigoServico> igual a \"9\" e \"10\" a Tag "
    "<Integracao> não pode ser diferente de ’OLU’ e ’SINTER’,  Verifique, Vide Manual de "
    "Integração OLU");
const QString crcNotAllowed = QStringLiteral(
    "Falha na Tag <Crc> só é permitido o envio para a Central de CRC os <CodigoServico> \"4, 5, "
    "6\"  junto com o .xml(OLU)\r\n Verifique ! Vide Manual OLU ");

QString unlisted(const QString &central)
{
    return QStringLiteral("Para a Tag <Integracao> foi encontrado ") + central
        + QStringLiteral(" não pode ser Diferente de ’OLU’, ’SIRC’, ’CRC’, ’SINTER’, ’CORI’, "
                         "’CPI’ (Cartorio Proteje Idoso) , ’MLRI’ (Meu Municipio) e ’IBGE’! "
                         "Verifique, Vide Manual de Integração OLU");
}

QString integracao(const QStringList &centrals)
{
    QString xml = QStringLiteral("<Integracao>");
    for (const QString &central : centrals)
        xml += central.startsWith(QLatin1Char('<'))
            ? central
            : QStringLiteral("<Central>") + central + QStringLiteral("</Central>");
    return xml + QStringLiteral("</Integracao>");
}

// An update ("A") of an act sent before under a protocol of office 123456.
const QStringList updating{QStringLiteral("TipoEnvio=A"),
                           QStringLiteral("ProtocoloOLU=2026120120261202123456000000012345")};

QStringList realEstate(const QString &book)
{
    return updating
        + QStringList{
            QStringLiteral("CodigoServico=11"),   QStringLiteral("TipoLivro=") + book,
            QStringLiteral("NumeroProtocolo=77"), QStringLiteral("DataProtocolo=2026-12-01"),
            QStringLiteral("Publicado=S"),        QStringLiteral("Sequencia=1"),
            QStringLiteral("IndicadorReal=1")};
}

} // namespace

class TestIndexValidator final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void versionCheck_data();
    void versionCheck();
    void structureStops_data();
    void structureStops();
    void indentedAndOneLineAreJudgedAlike();
    void integrationList_data();
    void integrationList();
    void crcOutsideCivilRegistryWithholdsOnlyTheCrc();
    void labelAlreadyInAnEarlierMessageGoesToTheEnd();
    void sinterFileOfAnotherServiceIsFiledUnderItsOwnName();
    void companionPaths();
    void hostileIndexIsRefusedWithoutWritingAnything();

private:
    std::unique_ptr<IndexFixture> m_fixture;
};

void TestIndexValidator::init()
{
    m_fixture = std::make_unique<IndexFixture>();
}

void TestIndexValidator::versionCheck_data()
{
    QTest::addColumn<QString>("versionElement");
    QTest::addColumn<QString>("appVersion");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("expected");

    const QDate after(2026, 12, 11);
    const QString app = QStringLiteral("3.0.0.1");
    const auto row = [&](const char *name, const char *element, const QString &expected,
                         const QDate &today, const QString &appVersion) {
        QTest::newRow(name) << QString::fromUtf8(element) << appVersion << today << expected;
    };
    row("Versao", "<Versao>3.0</Versao>", QString(), after, app);
    row("versao", "<versao>3.0</versao>", QString(), after, app);
    row("VERSAO", "<VERSAO>3.0</VERSAO>", QString(), after, app);
    row("other spelling not found", "<VersaO>3.0</VersaO>", versionForm(QStringLiteral("3.0")),
        after, app);
    row("missing", "", versionForm(QStringLiteral("3.0")), after, app);
    row("empty", "<Versao/>", versionForm(QStringLiteral("3.0")), after, app);
    row("with child elements", "<Versao><n>3.0</n></Versao>", versionForm(QStringLiteral("3.0")),
        after, app);
    row("comma", "<Versao>3,0</Versao>", versionForm(QStringLiteral("3.0")), after, app);
    row("two characters", "<Versao>30</Versao>", versionForm(QStringLiteral("3.0")), after, app);
    row("four characters", "<Versao>3.00</Versao>", versionForm(QStringLiteral("3.0")), after, app);
    row("trailing blank", "<Versao>3.0 </Versao>", versionForm(QStringLiteral("3.0")), after, app);
    row("newer than the application", "<Versao>4.0</Versao>", versionHigher, after, app);
    row("older, after the current standard binds", "<Versao>2.0</Versao>", versionOlder,
        QDate(2021, 12, 13), app);
    row("older, before the current standard binds", "<Versao>2.0</Versao>", QString(),
        QDate(2021, 12, 12), app);
    row("application version unknown", "<Versao>3.0</Versao>", versionHigher, after, QString());
}

void TestIndexValidator::versionCheck()
{
    QFETCH(QString, versionElement);
    QFETCH(QString, appVersion);
    QFETCH(QDate, today);
    QFETCH(QString, expected);

    m_fixture->values.appVersion = appVersion;
    m_fixture->clock.set(QDateTime(today, QTime(12, 0)));
    // A deed, which has no five-year window to keep the dates of 2021 out.
    const QStringList dates{QStringLiteral("CodigoServico=2"),
                            QStringLiteral("DataCriacao=2021-11-30"),
                            QStringLiteral("DataAto=2021-11-30")};
    const QString path = m_fixture->write(
        QStringLiteral("a.xml"),
        IndexFixture::indexXml(dates, versionElement + IndexFixture::defaultParties(), QString()));

    const bool verdict = m_fixture->judge(path);
    QCOMPARE(m_fixture->historyOf(QStringLiteral("a.xml")),
             expected.isEmpty() ? QString() : IndexFixture::expectedOlu({expected}));
    QCOMPARE(verdict, expected.isEmpty());
}

void TestIndexValidator::structureStops_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no Resumo") << QStringLiteral(
        "<Ato><Versao>3.0</Versao><Partes><Dados/></Partes></Ato>")
                               << QStringLiteral("Falta a tag <Resumo> no Arquivo XML Verifique! "
                                                 "Vide Manual OLU");
    QTest::newRow("no Partes") << IndexFixture::indexXml({}, QLatin1String(""))
                               << QStringLiteral("Falta a tag <Partes> no Arquivo XML Verifique! "
                                                 "Vide Manual OLU");
    QTest::newRow("Partes without Dados")
        << IndexFixture::indexXml({}, QStringLiteral("<Partes><Parte/></Partes>"))
        << QStringLiteral("Falta a tag <Dados> no Arquivo XML Verifique! Vide Manual OLU");
}

void TestIndexValidator::structureStops()
{
    QFETCH(QString, xml);
    QFETCH(QString, expected);
    const QString path = m_fixture->write(QStringLiteral("a.xml"), xml);
    QVERIFY(!m_fixture->judge(path));
    QCOMPARE(m_fixture->historyOf(QStringLiteral("a.xml")), IndexFixture::expectedOlu({expected}));
    QCOMPARE(m_fixture->records().size(), std::size_t(1));
}

void TestIndexValidator::indentedAndOneLineAreJudgedAlike()
{
    // Faults found after the summary rules, which would otherwise stop the validation.
    const QStringList faults = updating;
    const QString after = integracao({QStringLiteral("XYZ"), QStringLiteral("SINTER")})
        + QStringLiteral("<Partes><Dados><Nome>A</Nome></Dados>"
                         "<Outro><Nome>B</Nome></Outro></Partes>");
    const QString indented
        = m_fixture->write(QStringLiteral("indented.xml"),
                           IndexFixture::indexXml(faults, after, QStringLiteral("3.0"), true));
    const QString oneLine
        = m_fixture->write(QStringLiteral("oneline.xml"),
                           IndexFixture::indexXml(faults, after, QStringLiteral("3.0"), false));
    QVERIFY(QFile(indented).size() > QFile(oneLine).size());

    QVERIFY(!m_fixture->judge(indented));
    const QString indentedList = m_fixture->validator->state().vIntegracaoCentral;
    QVERIFY(!m_fixture->judge(oneLine));
    QCOMPARE(m_fixture->validator->state().vIntegracaoCentral, indentedList);
    QCOMPARE(indentedList, QStringLiteral("|XYZ|SINTER|"));
    const QString text = m_fixture->historyOf(QStringLiteral("indented.xml"));
    QCOMPARE(m_fixture->historyOf(QStringLiteral("oneline.xml")), text);
    QVERIFY(text.contains(unlisted(QStringLiteral("XYZ"))));
}

void TestIndexValidator::integrationList_data()
{
    QTest::addColumn<QStringList>("overrides");
    QTest::addColumn<QString>("integration");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("list");

    const QString noList;
    QTest::newRow("update without Integracao")
        << updating << QString() << QStringList{noIntegracao} << noList;
    QTest::newRow("update with an empty Integracao")
        << updating << integracao({}) << QStringList{noCentral} << noList;
    QTest::newRow("unlisted central, then OLU")
        << updating << integracao({QStringLiteral("XYZ"), QStringLiteral("OLU")})
        << QStringList{unlisted(QStringLiteral("XYZ"))} << QStringLiteral("|XYZ|OLU|");
    QTest::newRow("signature sent to SINTER")
        << updating << integracao({QStringLiteral("OLU"), QStringLiteral("SINTER")})
        << QStringList{onlyOlu} << QStringLiteral("|OLU|SINTER|");
    QTest::newRow("lower-case update is upper-cased before the list is read")
        << QStringList{QStringLiteral("TipoEnvio=a"),
                       QStringLiteral("ProtocoloOLU=2026120120261202123456000000012345")}
        << integracao({QStringLiteral("SINTER")}) << QStringList{onlyOlu}
        << QStringLiteral("|SINTER|");
    QTest::newRow("real estate book 17 to CORI")
        << realEstate(QStringLiteral("17"))
        << integracao({QStringLiteral("OLU"), QStringLiteral("CORI")}) << QStringList{}
        << QStringLiteral("|OLU|CORI|");
    QTest::newRow("real estate book 18 to CORI")
        << realEstate(QStringLiteral("18")) << integracao({QStringLiteral("CORI")})
        << QStringList{oluOrSinter} << QStringLiteral("|CORI|");
    QTest::newRow("first sending is not checked")
        << QStringList{} << integracao({QStringLiteral("XYZ")}) << QStringList{} << noList;
    QTest::newRow("unreadable central drops the list quietly")
        << updating
        << integracao({QStringLiteral("OLU"), QStringLiteral("<Central><x/></Central>")})
        << QStringList{} << noList;
}

void TestIndexValidator::integrationList()
{
    QFETCH(QStringList, overrides);
    QFETCH(QString, integration);
    QFETCH(QStringList, expected);
    QFETCH(QString, list);

    const QString path = m_fixture->write(
        QStringLiteral("a.xml"),
        IndexFixture::indexXml(overrides, integration + IndexFixture::defaultParties()));
    const bool verdict = m_fixture->judge(path);
    QCOMPARE(m_fixture->historyOf(QStringLiteral("a.xml")), IndexFixture::expectedOlu(expected));
    QCOMPARE(m_fixture->validator->state().vIntegracaoCentral, list);
    QCOMPARE(verdict, expected.isEmpty());
}

void TestIndexValidator::crcOutsideCivilRegistryWithholdsOnlyTheCrc()
{
    const QString path
        = m_fixture->write(QStringLiteral("a.xml"),
                           IndexFixture::indexXml({QStringLiteral("CodigoServico=2")},
                                                  QStringLiteral("<Crc><CARGAREGISTROS/></Crc>")
                                                      + IndexFixture::defaultParties()));
    QVERIFY(m_fixture->judge(path));
    const ValidationState &state = m_fixture->validator->state();
    QVERIFY(!state.vLiberaEnvioCrc);
    QVERIFY(state.vLiberaEnvioSirc && state.vLiberaEnvioSinter);
    QVERIFY(state.vLiberaEnvioCPI && state.vLiberaEnvioCori && state.vLiberaEnvioMlri
            && state.vLiberaEnvioIbge);
    QVERIFY(!state.vLiberaEnvioPDF);
    QCOMPARE(m_fixture->historyOf(QStringLiteral("a.xml")),
             IndexFixture::expectedErro({{QStringLiteral("CRC"), crcNotAllowed}}));
}

void TestIndexValidator::labelAlreadyInAnEarlierMessageGoesToTheEnd()
{
    // The message about an unlisted central names 'CRC', so the CRC entry that follows finds
    // its label present and is added at the end, without a header of its own.
    const QString path
        = m_fixture->write(QStringLiteral("a.xml"),
                           IndexFixture::indexXml(updating,
                                                  integracao({QStringLiteral("XYZ")})
                                                      + QStringLiteral("<Crc><x/></Crc>")
                                                      + IndexFixture::defaultParties()));
    QVERIFY(!m_fixture->judge(path));
    const QString expected = IndexFixture::expectedOlu({unlisted(QStringLiteral("XYZ"))})
        + QStringLiteral("\r\n   --> ") + crcNotAllowed;
    QCOMPARE(m_fixture->historyOf(QStringLiteral("a.xml")), expected);
    QVERIFY(!m_fixture->historyOf(QStringLiteral("a.xml")).startsWith(QLatin1String("CRC")));
}

void TestIndexValidator::sinterFileOfAnotherServiceIsFiledUnderItsOwnName()
{
    const QString path
        = m_fixture->write(QStringLiteral("123456_nasc.xml"),
                           IndexFixture::indexXml({QStringLiteral("CodigoServico=5")}));
    const QString sinter
        = m_fixture->write(QStringLiteral("123456_nasc_SINTER.json"), QStringLiteral("{}"));
    QVERIFY(m_fixture->judge(path));
    QVERIFY(!m_fixture->validator->state().vLiberaEnvioSinter);
    QCOMPARE(m_fixture->historyOf(QStringLiteral("123456_nasc.xml")), QString());
    const QString message
        = QStringLiteral("Falha no Arquivo \"SINTER\" foi encontrado o Arquivo \r\n") + sinter
        + QStringLiteral("\r\nna pasta de envio,  só e permitido os CodigoServico \"2, 3, 9, 10, "
                         "11\" junto ao .xml(OLU)\r\n Verifique ! Vide Manual OLU ");
    QCOMPARE(m_fixture->historyOf(QStringLiteral("123456_nasc_SINTER.json")),
             IndexFixture::expectedErro({{QStringLiteral("SINTER"), message}}));
}

void TestIndexValidator::companionPaths()
{
    const QString docs = *m_fixture->parametros.CaminhoPdf;
    const auto touch = [](const QString &path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    };
    const QString path = m_fixture->write(QStringLiteral("ato.v2.xml"), IndexFixture::indexXml({}));
    const ValidationState &state = m_fixture->validator->state();
    const QString xmlFolder = QFileInfo(path).path();

    QVERIFY(m_fixture->judge(path));
    QCOMPARE(state.vArquivoPDF, docs + QStringLiteral("/ato.v2.pdf"));
    QCOMPARE(state.vArquivoSinter, xmlFolder + QStringLiteral("/ato.v2_SINTER.json"));
    QCOMPARE(state.vArquivoCPI, xmlFolder + QStringLiteral("/ato.v2_CPI.json"));
    QCOMPARE(state.vArquivoCori, xmlFolder + QStringLiteral("/ato.v2_CORI.json"));
    QCOMPARE(state.vArquivoMlri, xmlFolder + QStringLiteral("/ato.v2_MLRI.geojson"));

    touch(docs + QStringLiteral("/ato.v2.p7s"));
    QVERIFY(m_fixture->judge(path));
    QCOMPARE(state.vArquivoPDF, docs + QStringLiteral("/ato.v2.p7s"));
    touch(docs + QStringLiteral("/ato.v2.pdf.p7s"));
    QVERIFY(m_fixture->judge(path));
    QCOMPARE(state.vArquivoPDF, docs + QStringLiteral("/ato.v2.pdf.p7s"));

    // Before 2.0 the SINTER side file had no suffix.
    m_fixture->clock.set(QDateTime(QDate(2021, 12, 1), QTime(12, 0)));
    const QString older
        = m_fixture->write(QStringLiteral("velho.xml"),
                           IndexFixture::indexXml({QStringLiteral("DataCriacao=2021-11-30"),
                                                   QStringLiteral("DataAto=2021-11-30")},
                                                  QString(), QStringLiteral("1.8")));
    QVERIFY(m_fixture->judge(older));
    QCOMPARE(state.vArquivoSinter, xmlFolder + QStringLiteral("/velho.json"));
}

void TestIndexValidator::hostileIndexIsRefusedWithoutWritingAnything()
{
    const QString secret = m_fixture->folder.path() + QStringLiteral("/segredo.txt");
    {
        QFile file(secret);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("senha-do-cartorio");
    }
    QString xml = QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE Ato [<!ENTITY s SYSTEM "
                                 "\"file://%1\">]>")
                      .arg(secret)
        + IndexFixture::indexXml({QStringLiteral("NaturezaDocumento=&s;")})
              .section(QLatin1Char('\n'), 1);
    const QString path = m_fixture->write(
        QStringLiteral("a.xml"), xml.replace(QLatin1String("&amp;s;"), QLatin1String("&s;")));
    QVERIFY(!m_fixture->judge(path));
    QVERIFY(m_fixture->records().empty());
    QVERIFY(m_fixture->validator->state().vMensagemErro.isEmpty());
}

QTEST_GUILESS_MAIN(TestIndexValidator)
#include "tst_indexvalidator.moc"
