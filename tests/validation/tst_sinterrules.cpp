#include "IndexFixture.h"

#include "validation/RuleSets.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tramora;
using tramora::test::IndexFixture;

namespace {

namespace msg {
QString version()
{
    return QStringLiteral("Arquivo \"JSON\" a Tag <Versao> tem que existir, não pode estar Dentro "
                          "de outra Tag Ex.:\r\n\"AtoNotarial\":{\"versao\":\"1.8\"} \r\n e o "
                          "valor deve ser igual a versao do XML, apartir da data :")
        + QStringLiteral("03/03/2020\r\n Verifique ! Vide Manual OLU ");
}
QString cns()
{
    return QStringLiteral("Falha no Arquivo \"SINTER\" a Tag <cns> tem que existir, não pode estar "
                          "Dentro de outra Tag Ex.:\r\n\"AtoNotarial\":{\"cns\":\"0000000\"} \r\n "
                          "e o valor deve ser igual a tag <Cns> do XML, apartir da data :")
        + QStringLiteral("24/01/2021\r\n Verifique ! Vide Manual OLU ");
}
QString structure()
{
    return QStringLiteral("Falha no Arquivo \"SINTER\" falha na estrutura do arquivo "
                          ".json(Sinter), apartir da data :")
        + QStringLiteral("03/03/2020 é obrigatório o envio do arquivo \r\nErro: \r\n Verifique ! "
                         "Vide Manual OLU ");
}
QString titlesWithoutFile()
{
    return QStringLiteral(
               "Falha no Arquivo \"SINTER\" para tag <CodigoServico> = \"9\" , É obrigatório o "
               "envio do arquivo .json(Sinter) junto com o XML \r\n apartir da data :")
        + QStringLiteral("03/03/2020\r\n Verifique ! Vide Manual OLU ");
}
QString realEstateWithoutFile()
{
    return QStringLiteral("Falha no Arquivo \"SINTER\" para tag <CodigoServico> =  \"11\" a tag "
                          "<TipoLivro> = \"17\" \r\nÉ obrigatório o envio do arquivo .json(Sinter) "
                          "junto com o XML.  Verifique ! Vide Manual OLU ");
}
QString unreadable()
{
    return QStringLiteral("Falha no Arquivo \"SINTER\" não foi possivel validara o arquivo "
                          ".json(Sinter)  Verifique ! Vide Manual OLU ");
}
QString tooEarly()
{
    return QStringLiteral("Falha no Arquivo \"SINTER\" só é permitido o envio do SINTER quando a "
                          "tag <DataAto> for maior ou igual a ")
        + QStringLiteral("03/03/2020 Verifique ! Vide Manual OLU ");
}
} // namespace msg

const QString protocol = QStringLiteral("ProtocoloOLU=2026120120261202123456000000012345");

// The summary of a valid act of the service, sent first ("P") or as an update ("A").
QStringList actOf(int service, bool update = false)
{
    QStringList overrides{QStringLiteral("CodigoServico=%1").arg(service)};
    if (service >= 8)
        overrides << QStringLiteral("NumeroProtocolo=77")
                  << QStringLiteral("DataProtocolo=2026-12-01");
    if (service == 11)
        overrides << QStringLiteral("Publicado=S");
    if (update)
        overrides << QStringLiteral("TipoEnvio=A") << protocol;
    return overrides;
}

QStringList realEstateBook17(bool update = false)
{
    return actOf(11, update)
        + QStringList{QStringLiteral("TipoLivro=17"), QStringLiteral("Sequencia=1"),
                      QStringLiteral("IndicadorReal=1")};
}

QString integracao(const QStringList &centrals)
{
    QString xml = QStringLiteral("<Integracao>");
    for (const QString &central : centrals)
        xml += QStringLiteral("<Central>") + central + QStringLiteral("</Central>");
    return xml + QStringLiteral("</Integracao>");
}

const QString deed = QStringLiteral(R"({"AtoNotarial":{"versao":"3.0","cns":"123456"}})");
const QString noFile; // null: no SINTER file beside the index
const QString folderInstead = QStringLiteral("<folder>");

} // namespace

class SinterRulesTest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void sideFile_data();
    void sideFile();
    void realEstateBookOutsideItsServiceBefore17();

private:
    std::unique_ptr<IndexFixture> m_fixture;
};

// One workspace and history for every case: each case starts from an empty history.
void SinterRulesTest::initTestCase()
{
    m_fixture = std::make_unique<IndexFixture>();
}

void SinterRulesTest::init()
{
    m_fixture->clearHistory();
    const QString sinter = m_fixture->folder.path() + QStringLiteral("/xml/123456_ato_SINTER.json");
    QFile::remove(sinter);
    QDir(sinter).removeRecursively();
}

void SinterRulesTest::sideFile_data()
{
    QTest::addColumn<QStringList>("resumo");
    QTest::addColumn<QString>("integration");
    QTest::addColumn<QString>("json");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char *name, const QStringList &resumo, const QString &json,
                        const QStringList &expected, const QString &integration = QString()) {
        QTest::newRow(name) << resumo << integration << json << expected;
    };

    row("deed with version and CNS", actOf(2), deed, {});
    row("deed with an older version", actOf(2),
        QStringLiteral(R"({"AtoNotarial":{"versao":"2.0","cns":"123456"}})"), {msg::version()});
    row("deed without CNS", actOf(2), QStringLiteral(R"({"AtoNotarial":{"versao":"3.0"}})"),
        {msg::cns()});
    row("deed without either", actOf(2), QStringLiteral(R"({"AtoNotarial":{}})"),
        {msg::version(), msg::cns()});
    row("deed of another office", actOf(2),
        QStringLiteral(R"({"AtoNotarial":{"versao":"3.0","cns":"654321"}})"), {msg::cns()});
    row("keys in capitals, CNS as a number", actOf(2),
        QStringLiteral(R"({"ATONOTARIAL":{"VERSAO":"3.0","Cns":123456}})"), {});
    row("an array before the fields", actOf(2),
        QStringLiteral(R"({"Partes":[1],"versao":"3.0","cns":"123456"})"),
        {msg::version(), msg::cns()});
    row("a JSON array", actOf(2), QStringLiteral(R"([{"versao":"3.0"}])"), {msg::structure()});
    row("not JSON", actOf(2), QStringLiteral("versao=3.0"), {msg::structure()});
    row("a folder in place of the file", actOf(2), folderInstead, {msg::unreadable()});
    row("power of attorney of another office", actOf(3),
        QStringLiteral(R"({"versao":"3.0","cns":"000001"})"), {msg::cns()});
    row("deed without a file", actOf(2), noFile, {});

    row("legal entity: no CNS needed", actOf(10), QStringLiteral(R"({"versao":"3.0"})"), {});
    row("legal entity without a file", actOf(10), noFile, {});

    row("titles with a file", actOf(9), QStringLiteral(R"({"versao":"3.0"})"), {});
    row("titles without a file, central alone", actOf(9, true), noFile, {},
        integracao({QStringLiteral("OLU")}));
    row("titles without a file, bound for SINTER", actOf(9, true), noFile,
        {msg::titlesWithoutFile()}, integracao({QStringLiteral("OLU"), QStringLiteral("SINTER")}));
    row("titles without a file, first sending", actOf(9), noFile, {msg::titlesWithoutFile()});

    row("real estate book 18 without a file", actOf(11), noFile, {});
    row("real estate book 17 without a file", realEstateBook17(), noFile,
        {msg::realEstateWithoutFile()});
    row("real estate book 17 without a file, central alone", realEstateBook17(true), noFile, {},
        integracao({QStringLiteral("OLU")}));
    row("real estate book 17 with a file", realEstateBook17(),
        QStringLiteral(R"({"versao":"3.0"})"), {});

    row("act before 1.7: the file is not examined",
        actOf(2) + QStringList{QStringLiteral("DataAto=2019-05-02")},
        QStringLiteral(R"({"versao":"1.0"})"), {});
    row("titles before 1.7 need no file",
        actOf(9) + QStringList{QStringLiteral("DataAto=2019-05-02")}, noFile, {});
}

void SinterRulesTest::sideFile()
{
    QFETCH(QStringList, resumo);
    QFETCH(QString, integration);
    QFETCH(QString, json);
    QFETCH(QStringList, expected);

    const QString path = m_fixture->write(
        QStringLiteral("123456_ato.xml"),
        IndexFixture::indexXml(resumo, integration + IndexFixture::defaultParties()));
    const QString sinter = QFileInfo(path).path() + QStringLiteral("/123456_ato_SINTER.json");
    if (json == folderInstead)
        QVERIFY(QDir().mkpath(sinter));
    else if (!json.isNull())
        m_fixture->write(QStringLiteral("123456_ato_SINTER.json"), json);

    // A refused side file withholds only itself: the index stays valid.
    QVERIFY(m_fixture->judge(path));
    QCOMPARE(m_fixture->validator->state().vArquivoSinter, sinter);
    QCOMPARE(m_fixture->validator->state().vLiberaEnvioSinter, expected.isEmpty());
    QCOMPARE(m_fixture->historyOf(QStringLiteral("123456_ato.xml")), QString());
    QList<std::pair<QString, QString>> entries;
    for (const QString &message : expected)
        entries.push_back({QStringLiteral("SINTER"), message});
    QCOMPARE(m_fixture->historyOf(QStringLiteral("123456_ato_SINTER.json")),
             IndexFixture::expectedErro(entries));
}

// No service but real estate carries book 18, so the summary rules refuse such an act before
// the SINTER decision; the procedure still refuses it on its own.
void SinterRulesTest::realEstateBookOutsideItsServiceBefore17()
{
    const QString path = m_fixture->write(
        QStringLiteral("123456_ato.xml"),
        IndexFixture::indexXml(actOf(2) + QStringList{QStringLiteral("DataAto=2019-05-02")}));
    QVERIFY(m_fixture->judge(path));
    ValidationContext &context = m_fixture->validator->context();
    context.state.vTipoLivro.setText(QStringLiteral("18"));

    QVERIFY(!ValidaArquivoSinter(context, context.state.vArquivoSinter));
    QCOMPARE(m_fixture->historyOf(QStringLiteral("123456_ato_SINTER.json")),
             IndexFixture::expectedErro({{QStringLiteral("SINTER"), msg::tooEarly()}}));
    QCOMPARE(m_fixture->historyOf(QStringLiteral("123456_ato.xml")), QString());
}

QTEST_GUILESS_MAIN(SinterRulesTest)
#include "tst_sinterrules.moc"
