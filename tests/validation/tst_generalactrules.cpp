#include "IndexFixture.h"

#include <QTest>

using namespace tramora;
using tramora::test::IndexFixture;

namespace {

// The messages of the general act rules, as the office reads them in the history.
namespace msg {
const QString cnjForm = QStringLiteral(
    "Falha no XML a tag <CnjCartorio> não pode ser \"NULO\" e deve ser Numérico com no maximo 6 "
    "Numeros! Verifique, Vide Manual de Integração OLU");
const QString cnjOffice = QStringLiteral(
    "Falha no XML a tag <CnjCartorio> Número CNS no arquivo XML é diferente do cadastrado no "
    "Sistema de Envio! Verifique, Vide Manual de Integração OLU");
const QString criacaoEmpty = QStringLiteral(
    "Para a tag <DataCriacao> não pode ser \"NULO\"! Verifique, Vide Manual de Integração OLU");
const QString criacaoDate = QStringLiteral(
    "Para a tag <DataCriacao> tem que ser uma Data valida no padrão \"OLU\"! Ex. aaaa-mm-dd! "
    "Verifique, Vide Manual de Integração OLU");
const QString atoRange = QStringLiteral(
    "Para a tag <DataAto> o valor não pode ser menor \"1976\" e Maior que a data atual! Verifique, "
    "Vide Manual de Integração OLU");
const QString atoDate = QStringLiteral(
    "Para a tag <DataAto> tem que ser uma Data valida no padrão \"OLU\"! Ex. aaaa-mm-dd! "
    "Verifique, Vide Manual de Integração OLU");
const QString codigoMax = QStringLiteral(
    "Falha no XML a tag <CodigoServico> não pode ser \"NULO\" e não pode ser maior que \"11\" ! "
    "Verifique, Vide Manual de Integração OLU");
const QString codigoMin = QStringLiteral(
    "Falha no XML a tag <CodigoServico> deve ser \"Numérico\" e deve estar entre \"1\" até "
    "\"11\"! Verifique, Vide Manual de Integração OLU");
const QString livroNotSent = QStringLiteral(
    "Para Tag  <TipoLivro> = a \"3\" e \"19\" Nao Precisa ser Enviado para OLU! Verifique, Vide "
    "Manual de Integração OLU");
const QString livroRange = QStringLiteral(
    "A Tag <TipoLivro> tem que estar entre \"1\" a \"19\"! Verifique, Vide Manual de Integração "
    "OLU");
const QString numeroAto = QStringLiteral(
    "Para a tag <CodigoServico> = \"1\" e \"4\" até \"6\" e \"8\" até \"11\", o valor Tag "
    "<NumeroAto> não pode ser \"NULO\"! Verifique, Vide Manual de Integração OLU");
const QString seloExempt = QStringLiteral(
    "<CodigoServico> = \"1\" até \"11\", acima de \"01/01/2015\" a Tag <NumeroSelo> só pode ser "
    "\"NULO\" se a tag <ExOficio> for preenchida! Verifique, Vide Manual de Integração OLU");
const QString seloLength = QStringLiteral(
    "Para a tag <CodigoServico> = \"1\" até \"11\", o valor da Tag <NumeroSelo> não pode "
    "diferente de \"8\" caracteres, ex.: do valor correto \"AAA00000\"! Verifique, Vide Manual de "
    "Integração OLU");
const QString seloPattern = QStringLiteral(
    "Para a tag <CodigoServico> = \"1\" até \"11\", o valor da tag <NumeroSelo> está fora do "
    "padrão \"OLU\"! Ex. \"AAA00000\"! Verifique, Vide Manual de Integração OLU");
const QString numeroProtocolo = QStringLiteral(
    "Para a Tag <NumeroProtocolo> não pode ser \"NULO\"! Verifique, Vide Manual de Integração OLU");
const QString dataProtocoloDate = QStringLiteral(
    "Para a Tag <DataProtocolo> tem que ser uma Data Valida! Verifique, Vide Manual de Integração "
    "OLU");
const QString livroZero = QStringLiteral(
    "Para a Tag <Livro> não pode ser \"0\"! Verifique, Vide Manual de Integração OLU");
const QString publicado11 = QStringLiteral(
    "Para a tag <CodigoServico> =  \"11\", o valor Tag <Publicado> não pode ser diferente de "
    "\"S\"! Verifique, Vide Manual de Integração OLU");
const QString ocorrencia = QStringLiteral(
    "Para a tag <CodigoServico> = \"4\",\"6\", e \"7\" o valor Tag <DataOcorrencia> não pode ser "
    "\"NULO\" ou maior que a data atual! Verifique, Vide Manual de Integração OLU");
const QString tipoEnvioList = QStringLiteral(
    "Para a tag <CodigoServico> = \"1\" até \"11\", o valor Tag <TipoEnvio> não pode ser "
    "diferente de \"P\", \"R\", \"A\" e \"C\"! Verifique, Vide Manual de Integração OLU");
const QString protocoloTipoEnvio = QStringLiteral(
    "Para a tag <ProtocoloOLU> diferente de  \"NULO\", o valor Tag <TipoEnvio> não pode ser "
    "diferente de \"R\", \"A\", \"C\"! Verifique, Vide Manual de Integração OLU");
const QString protocoloLetters = QStringLiteral(
    "Para a tag <ProtocoloOLU> não pode conter letras ou caracteres especiais. Vide Manual de "
    "Integração OLU! Verifique, Vide Manual de Integração OLU");
const QString protocoloDate = QStringLiteral(
    "Para a tag <ProtocoloOLU> O valor não corresponde a uma data válida no ProtocoloOLU!. Vide "
    "Manual de Integração OLU! Verifique, Vide Manual de Integração OLU");
const QString protocoloCns = QStringLiteral(
    "Para a tag <ProtocoloOLU> Número CNJ no ProtocoloOLU é diferente do cadastrado! Verifique, "
    "Vide Manual de Integração OLU");
const QString protocoloNumber = QStringLiteral(
    "Para a tag <ProtocoloOLU> O valor não corresponde ao número do ProtocoloOLU! Verifique, Vide "
    "Manual de Integração OLU");
const QString protocoloEmpty = QStringLiteral(
    "Para a tag <ProtocoloOLU> igual a \"NULO\", o valor Tag <TipoEnvio> não pode ser diferente "
    "de \"P\"! Verifique, Vide Manual de Integração OLU");
const QString anexoList = QStringLiteral(
    "Para a tag <CodigoServico> = \"1\" até \"11\", o valor Tag <DocumentoAnexo> não pode ser "
    "\"NULO\" ou diferente de \"S\" e \"N\"! Verifique, Vide Manual de Integração OLU");
const QString anexoS = QStringLiteral(
    "Para a tag <CodigoServico> = \"2\" até \"11\", o valor Tag <DocumentoAnexo> não pode ser "
    "diferente de \"S\"! Verifique, Vide Manual de Integração OLU");
const QString statusCancelado = QStringLiteral(
    "Para a tag <CodigoServico> = \"1\", \"3\", \"4\", \"6\" até \"10\"  o valor Tag <StatusAto> "
    "so pode ser \"Cancelado\" ! Verifique, Vide Manual de Integração OLU");
const QString exOficio = QStringLiteral(
    "Para a Tag <ExOficio> não pode ser Diferente de \"I\" ou \"E\"! Verifique, Vide Manual de "
    "Integração OLU");
const QString complemento = QStringLiteral(
    "Para a Tag <ComplementoExOficio> não pode ser \"NULO\"! Verifique, Vide Manual de Integração "
    "OLU");
const QString sequenciaEmpty = QStringLiteral(
    "Para a tag <CodigoServico> = 11, o valor Tag <Sequencia> não pode ser \"NULO\"! Verifique, "
    "Vide Manual de Integração OLU");
const QString sequenciaNumber = QStringLiteral(
    "Para a tag <CodigoServico> = 11, o valor Tag <Sequencia> tem que ser \"Numerico\"! "
    "Verifique, Vide Manual de Integração OLU");

QString missing(const char *tag)
{
    return QStringLiteral("Falha no XML a Tag <%1> no Arquivo XML! Verifique, Vide Manual de "
                          "Integração OLU")
        .arg(QLatin1String(tag));
}

QString missingGc(const char *tag)
{
    return QStringLiteral("Falha no XML a Tag <%1> e obrigatório no Arquivo XML, mesmo vazia! "
                          "Verifique, Vide Manual de Integração OLU")
        .arg(QLatin1String(tag));
}
} // namespace msg

// Overrides for acts whose service registers a protocol (8 to 11).
QStringList withProtocol(const QString &service)
{
    return {QStringLiteral("CodigoServico=") + service, QStringLiteral("NumeroProtocolo=77"),
            QStringLiteral("DataProtocolo=2026-12-01")};
}

// A well-formed ProtocoloOLU of office 123456 for a later sending.
QStringList resending(const QString &protocolo
                      = QStringLiteral("2026120120261202123456000000012345"))
{
    return {QStringLiteral("TipoEnvio=R"), QStringLiteral("ProtocoloOLU=") + protocolo};
}

} // namespace

class TestGeneralActRules final : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void missingTagsAreReportedAndStoodInFor();
    void normalisedTextsAreWhatLaterRulesRead();
    void failedConversionEndsWithoutAMessageOfItsOwn();

private:
    IndexFixture m_fixture;
};

void TestGeneralActRules::rules_data()
{
    QTest::addColumn<QStringList>("overrides");
    QTest::addColumn<QString>("officeCns");
    QTest::addColumn<QStringList>("expected");

    const QString office = QStringLiteral("123456");
    const auto row = [&](const char *name, QStringList overrides, QStringList expected,
                         const QString &cns = QStringLiteral("123456")) {
        QTest::newRow(name) << overrides << cns << expected;
    };
    const auto plus = [](QStringList a, const QStringList &b) { return a + b; };

    row("valid act", {}, {});
    row("a missing tag alone refuses the act", {QStringLiteral("-UsoCartorio")},
        {msg::missing("UsoCartorio")});

    row("CNS shorter than the office's, no zeros added", {}, {msg::cnjOffice},
        QStringLiteral("012345"));
    row("CNS not a number stops",
        {QStringLiteral("CnjCartorio=12a456"), QStringLiteral("DataCriacao=")}, {msg::cnjForm});
    row("CNS of seven digits", {QStringLiteral("CnjCartorio=1234567")}, {msg::cnjForm});
    row("CNS empty", {QStringLiteral("CnjCartorio=")}, {msg::cnjForm});

    row("creation date empty stops", {QStringLiteral("DataCriacao="), QStringLiteral("DataAto=")},
        {msg::criacaoEmpty});
    row("creation date 30 February goes on",
        {QStringLiteral("DataCriacao=2026-02-30"), QStringLiteral("NumeroAto=")},
        {msg::criacaoDate, msg::numeroAto});

    row("act dated today", {QStringLiteral("DataAto=2026-12-11")}, {});
    row("act dated tomorrow", {QStringLiteral("DataAto=2026-12-12")}, {msg::atoRange});
    row("act before 1976", {QStringLiteral("DataAto=1975-12-31")}, {msg::atoRange});
    row("act date not a date", {QStringLiteral("DataAto=2026-13-01")}, {msg::atoDate});
    row("act date empty stops", {QStringLiteral("DataAto="), QStringLiteral("CodigoServico=")},
        {QStringLiteral("Para a tag <DataAto> não pode ser \"NULO\"! Verifique, Vide Manual de "
                        "Integração OLU")});

    row("service 0", {QStringLiteral("CodigoServico=0")}, {msg::codigoMin});
    row("service -3", {QStringLiteral("CodigoServico=-3")}, {msg::codigoMin});
    row("service 12", {QStringLiteral("CodigoServico=12")}, {msg::codigoMax});
    row("service empty", {QStringLiteral("CodigoServico=")}, {msg::codigoMax});

    row("book type 3", {QStringLiteral("TipoLivro=3")}, {msg::livroNotSent});
    row("book type 19", {QStringLiteral("TipoLivro=19")}, {msg::livroNotSent});
    row("book type 20", {QStringLiteral("TipoLivro=20")}, {msg::livroRange});
    row("book type 0", {QStringLiteral("TipoLivro=0")}, {msg::livroRange});

    row("act number of service 1", {QStringLiteral("NumeroAto=")}, {msg::numeroAto});
    row("no act number needed for service 2",
        {QStringLiteral("CodigoServico=2"), QStringLiteral("NumeroAto=")}, {});

    row("seal in lower case", {QStringLiteral("NumeroSelo=abc12345")}, {});
    row("seal with a letter in the number", {QStringLiteral("NumeroSelo=ABC1234X")},
        {msg::seloPattern});
    row("seal too short, number part whole", {QStringLiteral("NumeroSelo=ABC123")},
        {msg::seloLength});
    row("seal too short, number part not whole", {QStringLiteral("NumeroSelo=ABCD1X")},
        {msg::seloLength, msg::seloPattern});
    row("no seal", {QStringLiteral("NumeroSelo=")}, {msg::seloExempt});
    // A deed: signature cards older than five years are not sent at all.
    row("no seal, act before 2015",
        {QStringLiteral("CodigoServico=2"), QStringLiteral("NumeroSelo="),
         QStringLiteral("DataAto=2014-12-31")},
        {});
    row("no seal, ex officio", {QStringLiteral("NumeroSelo="), QStringLiteral("ExOficio=i")}, {});

    row("protocol of service 8, ex officio in lower case",
        {QStringLiteral("CodigoServico=8"), QStringLiteral("ExOficio=i")}, {});
    row("protocol of service 8 missing",
        {QStringLiteral("CodigoServico=8"), QStringLiteral("DataProtocolo=2026-02-30")},
        {msg::numeroProtocolo, msg::dataProtocoloDate});

    row("book 00 is not 0", {QStringLiteral("CodigoServico=2"), QStringLiteral("Livro=00")}, {});
    row("book 0", {QStringLiteral("CodigoServico=2"), QStringLiteral("Livro=0")}, {msg::livroZero});

    row("published s for service 11",
        plus(withProtocol(QStringLiteral("11")),
             {QStringLiteral("TipoLivro=2"), QStringLiteral("Publicado=s")}),
        {msg::publicado11});
    row("published s for service 3",
        {QStringLiteral("CodigoServico=3"), QStringLiteral("Publicado=s")}, {});

    row("occurrence date of a birth missing", {QStringLiteral("CodigoServico=4")},
        {msg::ocorrencia});
    row("occurrence date of a death tomorrow",
        {QStringLiteral("CodigoServico=6"), QStringLiteral("DataOcorrencia=2026-12-12")},
        {msg::ocorrencia});
    row("occurrence date not a date",
        {QStringLiteral("CodigoServico=7"), QStringLiteral("DataOcorrencia=2026-2-5")},
        {QStringLiteral("Para a tag  <DataOcorrencia> tem que ser uma Data valida no padrão "
                        "\"OLU\"! Ex. aaaa-mm-dd")});

    row("kind of sending outside the list", {QStringLiteral("TipoEnvio=X")},
        {msg::tipoEnvioList, msg::protocoloEmpty});
    row("first sending with a protocol",
        {QStringLiteral("ProtocoloOLU=2026120120261202123456000000012345")},
        {msg::protocoloTipoEnvio});
    row("resending without a protocol", {QStringLiteral("TipoEnvio=R")}, {msg::protocoloEmpty});
    row("resending with a good protocol", resending(), {});
    row("protocol of the central's special CNS",
        resending(QStringLiteral("2026120120261202083776000000012345")), {});
    row("protocol of another office",
        resending(QStringLiteral("2026120120261202654321000000012345")), {msg::protocoloCns});
    row("protocol number above the whole-number range",
        resending(QStringLiteral("2026120120261202123456999999999999")), {msg::protocoloNumber});
    row("protocol with letters and bad dates",
        resending(QStringLiteral("2026X20120261302123456000000012345")),
        {msg::protocoloLetters, msg::protocoloDate, msg::protocoloDate});

    row("attached document N for service 1", {QStringLiteral("DocumentoAnexo=N")}, {});
    row("attached document N for service 2",
        {QStringLiteral("CodigoServico=2"), QStringLiteral("DocumentoAnexo=N")}, {msg::anexoS});
    row("attached document X for service 2",
        {QStringLiteral("CodigoServico=2"), QStringLiteral("DocumentoAnexo=x")},
        {msg::anexoList, msg::anexoS});

    row("status Cancelado for service 1", {QStringLiteral("StatusAto=Cancelado")}, {});
    row("status fragment passes", {QStringLiteral("StatusAto=cancel")}, {});
    row("status ativo for service 1", {QStringLiteral("StatusAto=ativo")}, {msg::statusCancelado});
    row("status ativo for service 11, book 18",
        plus(withProtocol(QStringLiteral("11")),
             {QStringLiteral("TipoLivro=18"), QStringLiteral("Publicado=S"),
              QStringLiteral("StatusAto=ativo")}),
        {});
    row("any status for service 2, book 4",
        {QStringLiteral("CodigoServico=2"), QStringLiteral("TipoLivro=4"),
         QStringLiteral("StatusAto=qualquer")},
        // Only the service's own book-type rule reports, none on the status.
        {QStringLiteral("Para a tag <CodigoServico> = 2, o valor Tag <TipoLivro> não pode ser "
                        "diferente de \"2\" ou \"3\"! Verifique, Vide Manual de Integração OLU")});

    row("ex officio outside the list", {QStringLiteral("ExOficio=Z")},
        {msg::exOficio, msg::complemento});
    row("ex officio without a complement", {QStringLiteral("ExOficio=E")}, {});

    row("real estate book 17 without a sequence",
        plus(withProtocol(QStringLiteral("11")),
             {QStringLiteral("TipoLivro=17"), QStringLiteral("Publicado=S"),
              QStringLiteral("IndicadorReal=1")}),
        {msg::sequenciaEmpty, msg::sequenciaNumber});
}

void TestGeneralActRules::rules()
{
    QFETCH(QStringList, overrides);
    QFETCH(QString, officeCns);
    QFETCH(QStringList, expected);

    m_fixture.clearHistory();
    m_fixture.parametros.Cns = officeCns;
    const QString path
        = m_fixture.write(QStringLiteral("123456_ato.xml"), IndexFixture::indexXml(overrides));
    const bool verdict = m_fixture.judge(path);

    QCOMPARE(m_fixture.historyOf(QStringLiteral("123456_ato.xml")),
             IndexFixture::expectedOlu(expected));
    QCOMPARE(verdict, expected.isEmpty());
}

void TestGeneralActRules::missingTagsAreReportedAndStoodInFor()
{
    m_fixture.clearHistory();
    m_fixture.parametros.Cns = QStringLiteral("123456");
    const QString path = m_fixture.write(
        QStringLiteral("a.xml"),
        IndexFixture::indexXml(
            {QStringLiteral("-NumeroSelo"), QStringLiteral("-UsoCartorio"),
             QStringLiteral("-GcStatusRtd"), QStringLiteral("-GcResumoDocumento"),
             QStringLiteral("-GcIdentificacaoConvenio"), QStringLiteral("-GcDigitoVerificador"),
             QStringLiteral("+GcStatusRTD=")}));
    QVERIFY(!m_fixture.judge(path));
    // The older spelling GcStatusRTD stands for GcStatusRtd; the stood-in seal reads as empty.
    QCOMPARE(m_fixture.historyOf(QStringLiteral("a.xml")),
             IndexFixture::expectedOlu({msg::missing("NumeroSelo"), msg::missing("UsoCartorio"),
                                        msg::missingGc("GcResumoDocumento"),
                                        msg::missingGc("GcIdentificacaoConvenio"),
                                        msg::missingGc("GcDigitoVerificador"), msg::seloExempt}));
    QVERIFY(!m_fixture.validator->state().vNumeroSelo.isNull());
}

void TestGeneralActRules::normalisedTextsAreWhatLaterRulesRead()
{
    m_fixture.clearHistory();
    const QString path = m_fixture.write(
        QStringLiteral("a.xml"),
        IndexFixture::indexXml({QStringLiteral("NumeroSelo=abç12345"),
                                QStringLiteral("StatusAto=CANCELADO"),
                                QStringLiteral("TipoEnvio=p"), QStringLiteral("Publicado=n")}));
    QVERIFY(m_fixture.judge(path));
    const ValidationState &state = m_fixture.validator->state();
    QCOMPARE(state.vNumeroSelo.Text(), QStringLiteral("ABç12345"));
    QCOMPARE(state.vStatusAto.Text(), QStringLiteral("cancelado"));
    QCOMPARE(state.vTipoEnvio.Text(), QStringLiteral("P"));
    QCOMPARE(state.vPublicado.Text(), QStringLiteral("N"));
}

void TestGeneralActRules::failedConversionEndsWithoutAMessageOfItsOwn()
{
    m_fixture.clearHistory();
    const QString path
        = m_fixture.write(QStringLiteral("a.xml"),
                          IndexFixture::indexXml({QStringLiteral("DataCriacao=2026-02-30"),
                                                  QStringLiteral("CodigoServico=abc")}));
    QVERIFY(!m_fixture.judge(path));
    QCOMPARE(m_fixture.historyOf(QStringLiteral("a.xml")),
             IndexFixture::expectedOlu({msg::criacaoDate}));

    m_fixture.clearHistory();
    const QString withChild = m_fixture.write(
        QStringLiteral("b.xml"), IndexFixture::indexXml({QStringLiteral("TipoLivro=<x>1</x>")}));
    QVERIFY(!m_fixture.judge(withChild));
    QVERIFY(m_fixture.records().empty());
}

QTEST_GUILESS_MAIN(TestGeneralActRules)
#include "tst_generalactrules.moc"
