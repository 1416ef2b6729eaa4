#include "IndexFixture.h"

#include <QTest>

using namespace tramora;
using tramora::test::IndexFixture;

namespace {

namespace msg {
QString missing(const char *tag)
{
    return QStringLiteral("Falta a Tag <") + QLatin1String(tag)
        + QStringLiteral("> no Arquivo XML");
}
QString excess(const QString &written)
{
    return QStringLiteral("Para a tag <CpfCnpj>, o valor ") + written
        + QStringLiteral(" esta com excesso de caracter! Verifique, Vide Manual de Integração OLU");
}
QString checkDigit(const QString &digits)
{
    return QStringLiteral("Para a tag <CpfCnpj>, o valor ") + digits
        + QStringLiteral(" o Digito verificador tem que ser Válido! Verifique, Vide Manual de "
                         "Integração OLU");
}
const QString length = QStringLiteral("Para a tag <CpfCnpj>, se tiver valor o mesmo tem que ser 11 "
                                      "ou 14 Caracteres! Verifique, Vide Manual de Integração OLU");
const QString birth
    = QStringLiteral("Para a tag <TipoDaParte> \"criança , nubente 1, nubente 2, ou falecido\" a "
                     "tag <DataNascimento> tem que ser valida ou maior que a Data Atual, conforme "
                     "padrao OLU! Verifique, Vide Manual de Integração OLU");
const QString birthEmpty
    = QStringLiteral("Para a tag <TipoDaParte> \"criança , nubente 1, nubente 2, ou falecido\" a "
                     "tag <DataNascimento> tem que ser valida conforme padrao OLU! Verifique, Vide "
                     "Manual de Integração OLU");
const QString client
    = QStringLiteral("Para a tag <CodigoServico> = 1, o valor Tag <TipoDaParte> não pode ser "
                     "diferente de \"Cliente\"! Verifique, Vide Manual de Integração OLU");
const QString birthRoles
    = QStringLiteral("Para a tag <TipoDaParte> o valor não pode ser diferente de \"Criança, "
                     "Filiação ou Declarante\"! Verifique, Vide Manual de Integração OLU");
const QString marriageRoles
    = QStringLiteral("Para a tag <TipoDaParte> o valor não pode ser diferente de \"Nubente 1, "
                     "Nubente 2, Testemunha, Filiação nubente 1 ou Filiação nubente 2|\"! "
                     "Verifique, Vide Manual de Integração OLU");
const QString deathRoles
    = QStringLiteral("Para a tag <TipoDaParte> o valor não pode ser diferente de \"Falecido, "
                     "Declarante ou  Filiação\"! Verifique, Vide Manual de Integração OLU");
const QString debtor = QStringLiteral("Para a tag <TipoDaParte> o valor não pode ser diferente de "
                                      "\"Devedor\"! Verifique, Vide Manual de Integração OLU");
} // namespace msg

// The summary of a valid act of the service (the fixture supplies nature and book type).
QStringList actOf(int service)
{
    return IndexFixture::actOfService(service);
}

const QStringList partyTags{
    QStringLiteral("Nome"),       QStringLiteral("DataNascimento"), QStringLiteral("Natural"),
    QStringLiteral("UF"),         QStringLiteral("CpfCnpj"),        QStringLiteral("TipoDaParte"),
    QStringLiteral("Documentos"),
};

// A party element: a valid person, with "Tag=value" overrides and "-Tag" removals.
QString party(const QString &role, const QStringList &overrides = {},
              const QString &element = QStringLiteral("Dados"))
{
    QList<std::pair<QString, QString>> fields{
        {QStringLiteral("Nome"), QStringLiteral("Maria da Silva")},
        {QStringLiteral("DataNascimento"), QStringLiteral("1980-05-02")},
        {QStringLiteral("Natural"), QStringLiteral("Curitiba")},
        {QStringLiteral("UF"), QStringLiteral("PR")},
        {QStringLiteral("CpfCnpj"), QStringLiteral("12345678909")},
        {QStringLiteral("TipoDaParte"), role},
        {QStringLiteral("Documentos"), QStringLiteral("RG 1234567")},
    };
    for (const QString &override : overrides) {
        if (override.startsWith(QLatin1Char('-'))) {
            fields.removeIf([&](const auto &field) { return field.first == override.mid(1); });
            continue;
        }
        const qsizetype eq = override.indexOf(QLatin1Char('='));
        for (auto &field : fields) {
            if (field.first == override.left(eq))
                field.second = override.mid(eq + 1);
        }
    }
    QString xml = QLatin1Char('<') + element + QLatin1Char('>');
    for (const auto &[tag, value] : fields)
        xml += QLatin1Char('<') + tag + QLatin1Char('>') + value.toHtmlEscaped()
            + QStringLiteral("</") + tag + QLatin1Char('>');
    return xml + QStringLiteral("</") + element + QLatin1Char('>');
}

QString partes(const QStringList &parties)
{
    return QStringLiteral("<Partes>") + parties.join(QString()) + QStringLiteral("</Partes>")
        + IndexFixture::defaultLgpd();
}

} // namespace

class PartyRulesTest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void rules_data();
    void rules();
    void normalisedTextsStayInTheDocument();

private:
    std::unique_ptr<IndexFixture> m_fixture;
};

// One workspace and history for every case: each case starts from an empty history.
void PartyRulesTest::initTestCase()
{
    m_fixture = std::make_unique<IndexFixture>();
}

void PartyRulesTest::init()
{
    m_fixture->clearHistory();
    m_fixture->parametros.Cns = QStringLiteral("123456");
}

void PartyRulesTest::rules_data()
{
    QTest::addColumn<int>("service");
    QTest::addColumn<QStringList>("resumo");
    QTest::addColumn<QStringList>("parties");
    QTest::addColumn<QString>("cns");
    QTest::addColumn<QStringList>("expected");

    const auto row = [&](const char *name, int service, const QStringList &parties,
                         const QStringList &expected, const QStringList &resumo = {},
                         const QString &cns = QStringLiteral("123456")) {
        QTest::newRow(name) << service << resumo << parties << cns << expected;
    };
    const auto one = [](const QString &role, const QStringList &overrides = {}) {
        return QStringList{party(role, overrides)};
    };

    QStringList sevenMissing;
    for (const QString &tag : partyTags)
        sevenMissing << msg::missing(tag.toLatin1().constData());
    const QStringList empty{QStringLiteral("<Dados/>")};
    row("service 1, no tag at all", 1, empty, sevenMissing + QStringList{msg::client});
    row("service 4, no tag at all", 4, empty, sevenMissing + QStringList{msg::birthRoles});
    row("service 5, no tag at all", 5, empty, sevenMissing + QStringList{msg::marriageRoles});
    row("service 6, no tag at all", 6, empty, sevenMissing + QStringList{msg::deathRoles});
    row("service 8, no tag at all", 8, empty, sevenMissing + QStringList{msg::debtor});
    row("service 9, no tag at all", 9, empty, sevenMissing);
    row("one tag missing", 2, one(QStringLiteral("Outorgante"), {QStringLiteral("-UF")}),
        {msg::missing("UF")});

    const QString cnpj = QStringLiteral("11.222.333/0001-81");
    row("formatted CNPJ is too long in every service", 2,
        one(QStringLiteral("Outorgante"), {QStringLiteral("CpfCnpj=") + cnpj}),
        {msg::excess(cnpj)});
    row("formatted CNPJ of a birth is too long, then valid", 4,
        one(QStringLiteral("Declarante"), {QStringLiteral("CpfCnpj=") + cnpj}),
        {msg::excess(cnpj)});
    row("formatted CPF fits", 5,
        one(QStringLiteral("Testemunha"), {QStringLiteral("CpfCnpj=123.456.789-09")}), {});
    row("formatted CPF with a wrong digit", 6,
        one(QStringLiteral("Declarante"), {QStringLiteral("CpfCnpj=123.456.789-08")}),
        {msg::checkDigit(QStringLiteral("12345678908"))});
    row("CPF digits are not tested outside civil registry", 1,
        one(QStringLiteral("Cliente"), {QStringLiteral("CpfCnpj=123")}), {});
    row("nine digits: only the check digits", 4,
        one(QStringLiteral("Declarante"), {QStringLiteral("CpfCnpj=123456789")}),
        {msg::checkDigit(QStringLiteral("123456789"))});
    row("ten digits: check digits and length", 4,
        one(QStringLiteral("Declarante"), {QStringLiteral("CpfCnpj=1234567890")}),
        {msg::checkDigit(QStringLiteral("1234567890")), msg::length});
    row("no digit at all", 4, one(QStringLiteral("Declarante"), {QStringLiteral("CpfCnpj=isento")}),
        {msg::checkDigit(QString()), msg::length});
    row("empty CpfCnpj is not tested", 4,
        one(QStringLiteral("Declarante"), {QStringLiteral("CpfCnpj=")}), {});
    row("test CNS accepts any check digits", 4,
        one(QStringLiteral("Declarante"), {QStringLiteral("CpfCnpj=1234567890")}), {msg::length},
        {QStringLiteral("CnjCartorio=000000")}, QStringLiteral("000000"));

    row("birth date not a date", 4,
        one(QStringLiteral("Criança"), {QStringLiteral("DataNascimento=2015-13-01")}),
        {msg::birth});
    row("birth date next year is a date", 4,
        one(QStringLiteral("Criança"), {QStringLiteral("DataNascimento=2027-05-01")}), {});
    row("birth date of a parent is not tested", 4,
        one(QStringLiteral("Filiação"), {QStringLiteral("DataNascimento=2015-13-01")}), {});
    row("birth date of the deceased", 6,
        one(QStringLiteral("FALECIDO"), {QStringLiteral("DataNascimento=1950-02-30")}),
        {msg::birth});
    row("empty birth date of a child registered in book 6", 4,
        one(QStringLiteral("Criança"), {QStringLiteral("DataNascimento=")}), {msg::birthEmpty});
    row("missing birth date of a child", 4,
        one(QStringLiteral("Criança"), {QStringLiteral("-DataNascimento")}),
        {msg::missing("DataNascimento"), msg::birthEmpty});
    row("empty birth date of a spouse", 5,
        one(QStringLiteral("Nubente 2"), {QStringLiteral("DataNascimento=")}), {});
    row("empty birth date of a deceased in book 10", 6,
        one(QStringLiteral("Falecido"), {QStringLiteral("DataNascimento=")}), {},
        {QStringLiteral("TipoLivro=10")});

    row("service 1 client in capitals", 1, one(QStringLiteral("CLIENTE")), {});
    row("service 1 clientes", 1, one(QStringLiteral("clientes")), {msg::client});
    row("service 4 declarant", 4, one(QStringLiteral("Declarante")), {});
    row("service 4 witness", 4, one(QStringLiteral("Testemunha")), {msg::birthRoles});
    row("service 5 witness", 5, one(QStringLiteral("Testemunha")), {});
    row("service 5 a fragment of the list", 5, one(QStringLiteral("nubente")), {});
    row("service 5 noivo", 5, one(QStringLiteral("noivo")), {msg::marriageRoles});
    row("service 6 parent", 6, one(QStringLiteral("FILIAÇÃO")), {});
    row("service 6 heir", 6, one(QStringLiteral("Herdeiro")), {msg::deathRoles});
    row("service 8 DEVEDOR", 8, one(QStringLiteral("DEVEDOR")), {});
    row("service 8 devedora", 8, one(QStringLiteral("devedora")), {msg::debtor});
    row("service 9 any role", 9, one(QStringLiteral("qualquer")), {});

    row("every node under Partes is a party", 1,
        {party(QStringLiteral("Cliente")),
         party(QStringLiteral("Avalista"), {QStringLiteral("-Nome")}, QStringLiteral("Outro")),
         party(QStringLiteral("Procurador"))},
        {msg::missing("Nome"), msg::client, msg::client});
}

void PartyRulesTest::rules()
{
    QFETCH(int, service);
    QFETCH(QStringList, resumo);
    QFETCH(QStringList, parties);
    QFETCH(QString, cns);
    QFETCH(QStringList, expected);

    m_fixture->parametros.Cns = cns;
    const QString path
        = m_fixture->write(QStringLiteral("123456_ato.xml"),
                           IndexFixture::indexXml(actOf(service) + resumo, partes(parties)));
    const bool verdict = m_fixture->judge(path);
    QCOMPARE(m_fixture->historyOf(QStringLiteral("123456_ato.xml")),
             IndexFixture::expectedOlu(expected));
    QCOMPARE(verdict, expected.isEmpty());
}

void PartyRulesTest::normalisedTextsStayInTheDocument()
{
    const QString path = m_fixture->write(
        QStringLiteral("a.xml"),
        IndexFixture::indexXml(actOf(4),
                               partes({party(QStringLiteral("CRIANÇA"),
                                             {QStringLiteral("CpfCnpj=11.222.333/0001-81")})})));
    QVERIFY(!m_fixture->judge(path));
    const ValidationState &state = m_fixture->validator->state();
    QCOMPARE(state.vCpfCnpjParte.Text(), QStringLiteral("11222333000181"));
    // Only the unaccented letters are lowered, and the list test still finds the role.
    QCOMPARE(state.vTipoDaParteParte.Text(), QStringLiteral("crianÇa"));
    QCOMPARE(m_fixture->historyOf(QStringLiteral("a.xml")),
             IndexFixture::expectedOlu({msg::excess(QStringLiteral("11.222.333/0001-81"))}));
}

QTEST_GUILESS_MAIN(PartyRulesTest)
#include "tst_partyrules.moc"
