#include "IndexFixture.h"

#include "validation/RuleSets.h"

#include <QTest>

using namespace tramora;
using tramora::test::IndexFixture;

namespace {

// The messages of the service procedures, as the office reads them in the history.
namespace msg {
const QString s1Natureza = QStringLiteral(
    "Para a tag <CodigoServico> = 1, o valor Tag <NaturezaDocumento> não pode ser diferente de "
    "\"Cartão de Firma\"! Verifique, Vide Manual de Integração OLU");
const QString s1Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 1, o valor Tag <TipoLivro> não pode ser diferente de \"1\"! "
    "Verifique, Vide Manual de Integração OLU");
const QString s1Window = QStringLiteral(
    "Para a tag <CodigoServico> = 1 é permitido o envio do arquivo Xml/Pdf para Central (OLU), "
    "desde que a DataAto seja uma data válida e esteja dentro do limite dos ultimos 5 Anos\r\n "
    "Verifique ! Vide Manual OLU ");
const QString s2Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 2, o valor Tag <TipoLivro> não pode ser diferente de \"2\" ou "
    "\"3\"! Verifique, Vide Manual de Integração OLU");
const QString s3Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 3, o valor Tag <TipoLivro> não pode ser diferente de \"4\" ou "
    "\"5\"! Verifique, Vide Manual de Integração OLU");
const QString s4Natureza = QStringLiteral(
    "Para a tag <CodigoServico> = 4, o valor Tag <NaturezaDocumento> não pode ser diferente de "
    "\"Registro ou Averbação\"! Verifique, Vide Manual de Integração OLU");
const QString s4Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 4, o valor Tag <TipoLivro> não pode ser diferente de \"6\"! "
    "Verifique, Vide Manual de Integração OLU");
const QString s5Natureza = QStringLiteral(
    "Para a tag <CodigoServico> = 5, o valor Tag <NaturezaDocumento> não pode ser diferente de "
    "\"Registro ou Averbação\"! Verifique, Vide Manual de Integração OLU");
const QString s5Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 5, o valor Tag <TipoLivro> não pode ser diferente de \"7\" ou "
    "\"8\"! Verifique, Vide Manual de Integração OLU");
const QString s6Natureza = QStringLiteral(
    "Para a tag <CodigoServico> = 6, o valor Tag <NaturezaDocumento> não pode ser diferente de "
    "\"Registro ou Averbação\"! Verifique, Vide Manual de Integração OLU");
const QString s6Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 6, o valor Tag <TipoLivro> não pode ser diferente de \"9\" ou "
    "\"10\"! Verifique, Vide Manual de Integração OLU");
const QString s7Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 7, o valor Tag <TipoLivro> não pode ser diferente de \"11\"! "
    "Verifique, Vide Manual de Integração OLU");
const QString s8Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 8, o valor Tag <TipoLivro> não pode ser diferente de \"12\"! "
    "Verifique, Vide Manual de Integração OLU");
const QString s8Window = QStringLiteral(
    "Para a tag <CodigoServico> = 8, é permitido o envio do arquivo Xml/Pdf para Central (OLU), "
    "\r\ndesde que a DataAto seja uma data válida e esteja dentro do limite dos ultimos 5 "
    "Anos\r\n Verifique ! Vide Manual OLU ");
const QString s9Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 9, o valor Tag <TipoLivro> não pode ser diferente de "
    "\"13|14\"! Verifique, Vide Manual de Integração OLU");
const QString s9Status = QStringLiteral(
    "Para a tag <CodigoServico> = 9, o valor Tag <GcStatusRtd> quando preenchida não pode ser "
    "diferente de \"S\"! Verifique, Vide Manual de Integração OLU");
const QString s9ConvenioEmpty = QStringLiteral(
    "Para a tag <CodigoServico> = 9, o valor Tag <GcIdentificacaoConvenio>, o valor tem que ser "
    "preenchido, quando a tag <GcStatusRtd>  for igual \"S\"!  Verifique, Vide Manual de "
    "Integração OLU");
const QString s9Resumo = QStringLiteral(
    "Para a tag <CodigoServico> = 9, o valor Tag <GcResumoDocumento>, o valor tem que ser "
    "preenchido e menor que 255 caracter! Verifique, Vide Manual de Integração OLU");
const QString s9DigitoInteiro = QStringLiteral(
    "Para a tag <CodigoServico> = 9, o valor Tag <GcDigitoVerificador>, o valor tem que ser "
    "preenchido e ser um valor Inteiro! Verifique, Vide Manual de Integração OLU");
const QString s10Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 10, o valor Tag <TipoLivro> não pode ser diferente de "
    "\"15|16\"! Verifique, Vide Manual de Integração OLU");
const QString s11Natureza = QStringLiteral(
    "Para a tag <CodigoServico> = 11, o valor Tag <NaturezaDocumento> não pode ser diferente de "
    "\"Abertura, Registro ou Averbação\"! Verifique, Vide Manual de Integração OLU");
const QString s11Livro = QStringLiteral(
    "Para a tag <CodigoServico> = 11, o valor Tag <TipoLivro> não pode ser diferente de "
    "\"17|18\"! Verifique, Vide Manual de Integração OLU");

QString s9Convenio(const QString &digits)
{
    return QStringLiteral("Para a tag <CodigoServico> = 9, o valor Tag <GcIdentificacaoConvenio>: "
                          "\"")
        + digits
        + QStringLiteral("\" tem que ser um Cnpj ou Cpf Válido! Verifique, Vide Manual de "
                         "Integração OLU");
}

QString s9DigitoIsNumber(const QString &digits)
{
    return QStringLiteral("Para a tag <CodigoServico> = 9, o valor da Tag <GcDigitoVerificador>: "
                          "\"")
        + digits
        + QStringLiteral("\" não pode armazenar um Cnpj ou Cpf! Verifique, Vide Manual de "
                         "Integração OLU");
}

QString s9Equal(const QString &digito, const QString &convenio)
{
    return QStringLiteral("Para a tag <CodigoServico> = 9, o valor da Tag <GcDigitoVerificador>: "
                          "\"")
        + digito
        + QStringLiteral("\" não pode ser igual ao valor da Tag <GcIdentificacaoConvenio> : ")
        + convenio + QStringLiteral("\", Verifique!, Vide Manual de Integração OLU");
}
} // namespace msg

const QDateTime noon(QDate(2026, 12, 11), QTime(12, 0));

// The tags an act of the service needs beyond the base act to pass the general rules.
QStringList actOf(int service)
{
    return IndexFixture::actOfService(service);
}

QStringList actOf(int service, const QStringList &more)
{
    return actOf(service) + more;
}

// A title registration that declares its registry data, valid as it stands.
QStringList titleWithRegistry(const QStringList &more = {})
{
    return actOf(9,
                 {QStringLiteral("GcStatusRtd=S"), QStringLiteral("GcResumoDocumento=Contrato"),
                  QStringLiteral("GcIdentificacaoConvenio=11.222.333/0001-81"),
                  QStringLiteral("GcDigitoVerificador=12")})
        + more;
}

} // namespace

class TestServiceRules final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void procedures_data();
    void procedures();
    void fiveYearWindow_data();
    void fiveYearWindow();
    void titles_data();
    void titles();
    void rewrittenTextsStayInTheDocument();
    void restrictedActsAreNeverSendable();

private:
    void judge(const QStringList &overrides, const QStringList &expected,
               const QString &versao = QStringLiteral("3.0"));

    IndexFixture m_fixture;
};

// One workspace and history for all cases, each starting from the office and day of the base
// act with an empty history.
void TestServiceRules::init()
{
    m_fixture.clearHistory();
    m_fixture.clock.set(noon);
    m_fixture.parametros.Cns = QStringLiteral("123456");
}

void TestServiceRules::judge(const QStringList &overrides, const QStringList &expected,
                             const QString &versao)
{
    const QString path = m_fixture.write(QStringLiteral("123456_ato.xml"),
                                         IndexFixture::indexXml(overrides, QString(), versao));
    const bool verdict = m_fixture.judge(path);
    QCOMPARE(m_fixture.historyOf(QStringLiteral("123456_ato.xml")),
             IndexFixture::expectedOlu(expected));
    QCOMPARE(verdict, expected.isEmpty());
}

void TestServiceRules::procedures_data()
{
    QTest::addColumn<QStringList>("overrides");
    QTest::addColumn<QStringList>("expected");
    const auto row
        = [](const char *name, const QStringList &overrides, const QStringList &expected) {
              QTest::newRow(name) << overrides << expected;
          };
    const auto natureza = [](const char *text) {
        return QStringLiteral("NaturezaDocumento=") + QString::fromUtf8(text);
    };
    const auto livro
        = [](const char *text) { return QStringLiteral("TipoLivro=") + QLatin1String(text); };

    row("1: signature card", {}, {});
    row("1: nature compared after lowering", {natureza("cARTãO de FIRMA")}, {});
    row("1: accented capital is not lowered", {natureza("CARTÃO DE FIRMA")}, {msg::s1Natureza});
    row("1: nature compared exactly", {natureza("cartão de firmas")}, {msg::s1Natureza});
    row("1: book type text 01 is not 1", {livro("01")}, {msg::s1Livro});
    row("1: every rule reports, none stops",
        {natureza(""), livro("01"), QStringLiteral("DataAto=2020-01-10")},
        {msg::s1Natureza, msg::s1Livro, msg::s1Window});

    row("2: book type 2", actOf(2), {});
    row("2: the book type is compared as a number", actOf(2, {livro("02")}), {});
    row("2: book type 4", actOf(2, {livro("4")}), {msg::s2Livro});
    row("3: book type 5", actOf(3, {livro("5")}), {});
    row("3: book type 2", actOf(3, {livro("2")}), {msg::s3Livro});

    row("4: Averbação", actOf(4, {natureza("Averbação")}), {});
    row("4: REGISTRO lowered", actOf(4, {natureza("REGISTRO")}), {});
    row("4: a fragment passes the list", actOf(4, {natureza("averb")}), {});
    row("4: empty nature", actOf(4, {natureza("")}), {msg::s4Natureza});
    row("4: other nature and book", actOf(4, {natureza("Nascimento"), livro("7")}),
        {msg::s4Natureza, msg::s4Livro});
    row("5: book type 8", actOf(5, {livro("8")}), {});
    row("5: book type 9", actOf(5, {natureza("Casamento"), livro("9")}),
        {msg::s5Natureza, msg::s5Livro});
    row("6: book type 10", actOf(6, {livro("10")}), {});
    row("6: other nature and book", actOf(6, {natureza("Óbito"), livro("11")}),
        {msg::s6Natureza, msg::s6Livro});
    row("7: book type 11", actOf(7), {});
    row("7: book type 12", actOf(7, {livro("12")}), {msg::s7Livro});
    row("8: book type 12", actOf(8), {});
    row("8: book type 11 and an old act",
        actOf(8, {livro("11"), QStringLiteral("DataAto=2021-12-11")}),
        {msg::s8Livro, msg::s8Window});

    row("9: book type 14", actOf(9, {livro("14")}), {});
    row("9: book type 1 is a fragment of the list", actOf(9, {livro("1")}), {});
    row("9: book type 4 is a fragment of the list", actOf(9, {livro("4")}), {});
    row("9: book type 15 stops before the registry data",
        titleWithRegistry({livro("15"), QStringLiteral("GcStatusRtd=x")}), {msg::s9Livro});

    row("10: book type 16", actOf(10, {livro("16")}), {});
    row("10: book type 1 is a fragment of the list", actOf(10, {livro("1")}), {});
    row("10: book type 17 refuses the file", actOf(10, {livro("17")}), {msg::s10Livro});

    row("11: opening of book 17",
        actOf(11,
              {natureza("Abertura"), livro("17"), QStringLiteral("Sequencia=1"),
               QStringLiteral("IndicadorReal=1")}),
        {});
    row("11: other nature and book", actOf(11, {natureza("Escritura"), livro("16")}),
        {msg::s11Natureza, msg::s11Livro});
}

void TestServiceRules::procedures()
{
    QFETCH(QStringList, overrides);
    QFETCH(QStringList, expected);
    judge(overrides, expected);
}

void TestServiceRules::fiveYearWindow_data()
{
    QTest::addColumn<int>("service");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("dataAto");
    QTest::addColumn<bool>("inside");

    const QDateTime leapDayNoon(QDate(2024, 2, 29), QTime(12, 0));
    const QDateTime leapDayMidnight(QDate(2024, 2, 29), QTime(0, 0));
    for (const int service : {1, 8}) {
        const auto row
            = [service](const char *name, const QDateTime &now, const char *dataAto, bool inside) {
                  QTest::addRow("%d: %s", service, name)
                      << service << now << QString::fromLatin1(dataAto) << inside;
              };
        row("five years less a day", noon, "2021-12-12", true);
        row("five years to the day", noon, "2021-12-11", false);
        row("five years to the day, checked at 00:00", QDateTime(noon.date(), QTime(0, 0)),
            "2021-12-11", true);
        row("29 February: limit on 28 February", leapDayNoon, "2019-02-28", false);
        row("29 February: the day after the limit", leapDayNoon, "2019-03-01", true);
        row("29 February at 00:00: the limit day itself", leapDayMidnight, "2019-02-28", true);
        row("a time of day after the date is ignored", noon, "2021-12-11T23:59:59", false);
    }
}

void TestServiceRules::fiveYearWindow()
{
    QFETCH(int, service);
    QFETCH(QDateTime, now);
    QFETCH(QString, dataAto);
    QFETCH(bool, inside);

    m_fixture.clock.set(now);
    judge(actOf(service,
                {QStringLiteral("DataAto=") + dataAto,
                 QStringLiteral("DataProtocolo=") + dataAto.left(10)}),
          inside ? QStringList{} : QStringList{service == 1 ? msg::s1Window : msg::s8Window});
}

void TestServiceRules::titles_data()
{
    QTest::addColumn<QStringList>("overrides");
    QTest::addColumn<QString>("officeCns");
    QTest::addColumn<QString>("versao");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QStringList>("expected");

    const auto row
        = [](const char *name, const QStringList &overrides, const QStringList &expected) {
              QTest::newRow(name) << overrides << QStringLiteral("123456") << QStringLiteral("3.0")
                                  << noon << expected;
          };
    const auto gc = [](const char *tag, const QString &text) {
        return QLatin1String(tag) + QLatin1Char('=') + text;
    };

    row("no registry data", actOf(9), {});
    row("registry data of a CNPJ written with separators", titleWithRegistry(), {});
    row("registry data of a CPF",
        titleWithRegistry({gc("GcIdentificacaoConvenio", QStringLiteral("123.456.789-09"))}), {});
    row("status s stops",
        titleWithRegistry(
            {gc("GcStatusRtd", QStringLiteral("s")), gc("GcResumoDocumento", QString())}),
        {msg::s9Status});
    row("no agreement stops",
        titleWithRegistry(
            {gc("GcIdentificacaoConvenio", QString()), gc("GcResumoDocumento", QString())}),
        {msg::s9ConvenioEmpty});
    row("agreement with a wrong check digit",
        titleWithRegistry({gc("GcIdentificacaoConvenio", QStringLiteral("11.222.333/0001-82"))}),
        {msg::s9Convenio(QStringLiteral("11222333000182"))});
    row("agreement without digits",
        titleWithRegistry({gc("GcIdentificacaoConvenio", QStringLiteral("abc"))}),
        {msg::s9Convenio(QString())});
    row("check digit holding a CPF too long for a whole number",
        titleWithRegistry({gc("GcDigitoVerificador", QStringLiteral("123.456.789-09"))}),
        {msg::s9DigitoIsNumber(QStringLiteral("12345678909")), msg::s9DigitoInteiro});
    row("check digit holding a CPF that fits a whole number",
        titleWithRegistry({gc("GcDigitoVerificador", QStringLiteral("000.000.001-91"))}),
        {msg::s9DigitoIsNumber(QStringLiteral("00000000191"))});
    row("check digit equal to the agreement",
        titleWithRegistry({gc("GcDigitoVerificador", QStringLiteral("11222333000181"))}),
        {msg::s9DigitoIsNumber(QStringLiteral("11222333000181")),
         msg::s9Equal(QStringLiteral("11222333000181"), QStringLiteral("11222333000181")),
         msg::s9DigitoInteiro});
    row("check digit equal to an invalid agreement",
        titleWithRegistry({gc("GcIdentificacaoConvenio", QStringLiteral("1-23")),
                           gc("GcDigitoVerificador", QStringLiteral("123"))}),
        {msg::s9Convenio(QStringLiteral("123")),
         msg::s9Equal(QStringLiteral("123"), QStringLiteral("123"))});
    row("check digit of letters only",
        titleWithRegistry({gc("GcDigitoVerificador", QStringLiteral("ab"))}),
        {msg::s9DigitoInteiro});
    row("summary empty", titleWithRegistry({gc("GcResumoDocumento", QString())}), {msg::s9Resumo});
    row("summary of 255 characters",
        titleWithRegistry({gc("GcResumoDocumento", QString(255, QLatin1Char('r')))}), {});
    row("summary of 256 characters",
        titleWithRegistry({gc("GcResumoDocumento", QString(256, QLatin1Char('r')))}),
        {msg::s9Resumo});
    row("summary of 255 characters, one outside the basic plane",
        titleWithRegistry({gc("GcResumoDocumento",
                              QString(254, QLatin1Char('r')) + QString::fromUtf8("\U0001F4DC"))}),
        {});

    // The test office accepts every number: the agreement always, the check digit never.
    QTest::newRow("test CNS") << titleWithRegistry(
        {QStringLiteral("CnjCartorio=000000"),
         gc("GcIdentificacaoConvenio", QStringLiteral("abc"))})
                              << QStringLiteral("000000") << QStringLiteral("3.0") << noon
                              << QStringList{msg::s9DigitoIsNumber(QStringLiteral("12"))};

    // Before standard 1.8 the registry data are not looked at.
    const QDateTime before2021(QDate(2021, 12, 1), QTime(12, 0));
    const QStringList olderAct{QStringLiteral("DataCriacao=2021-11-30"),
                               QStringLiteral("DataAto=2021-11-30"),
                               QStringLiteral("DataProtocolo=2021-11-30")};
    QTest::newRow("standard 1.7 ignores the registry data")
        << titleWithRegistry(olderAct + QStringList{gc("GcStatusRtd", QStringLiteral("x"))})
        << QStringLiteral("123456") << QStringLiteral("1.7") << before2021 << QStringList{};
    QTest::newRow("standard 2.0 tests them")
        << titleWithRegistry(olderAct + QStringList{gc("GcStatusRtd", QStringLiteral("x"))})
        << QStringLiteral("123456") << QStringLiteral("2.0") << before2021
        << QStringList{msg::s9Status};
}

void TestServiceRules::titles()
{
    QFETCH(QStringList, overrides);
    QFETCH(QString, officeCns);
    QFETCH(QString, versao);
    QFETCH(QDateTime, now);
    QFETCH(QStringList, expected);

    m_fixture.parametros.Cns = officeCns;
    m_fixture.clock.set(now);
    judge(overrides, expected, versao);
}

void TestServiceRules::rewrittenTextsStayInTheDocument()
{
    const QString path = m_fixture.write(
        QStringLiteral("a.xml"),
        IndexFixture::indexXml(titleWithRegistry({QStringLiteral("GcDigitoVerificador=n.º 12"),
                                                  QStringLiteral("NaturezaDocumento=REGISTRO")})));
    QVERIFY(m_fixture.judge(path));
    const ValidationState &state = m_fixture.validator->state();
    QCOMPARE(state.vGcIdentificacaoConvenio.Text(), QStringLiteral("11222333000181"));
    QCOMPARE(state.vGcDigitoVerificador.Text(), QStringLiteral("12"));
    // Service 9 does not test its nature, so it is not rewritten.
    QCOMPARE(state.vNaturezaDocumento.Text(), QStringLiteral("REGISTRO"));

    const QString birth = m_fixture.write(
        QStringLiteral("b.xml"),
        IndexFixture::indexXml(actOf(4, {QStringLiteral("NaturezaDocumento=AVERBAÇÃO")})));
    QVERIFY(m_fixture.judge(birth));
    QCOMPARE(state.vNaturezaDocumento.Text(), QStringLiteral("averbaÇÃo"));
}

void TestServiceRules::restrictedActsAreNeverSendable()
{
    // The general rules stop service 12 first; the procedure refuses on its own all the same.
    const QString path = m_fixture.write(QStringLiteral("a.xml"), IndexFixture::indexXml({}));
    QVERIFY(m_fixture.judge(path));
    m_fixture.clearHistory();
    QVERIFY(!ValidaAtosRestritos(m_fixture.validator->context()));
    QCOMPARE(m_fixture.historyOf(QStringLiteral("a.xml")),
             IndexFixture::expectedOlu({QStringLiteral(
                 "Para a tag <CodigoServico> = 12, Este Serviço não pode ser enviado para OLU")}));
}

QTEST_GUILESS_MAIN(TestServiceRules)
#include "tst_servicerules.moc"
