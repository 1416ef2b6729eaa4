#include "IndexFixture.h"

#include "validation/LgpdInformationTypes.h"

#include <QTest>

using namespace tramora;
using tramora::test::IndexFixture;

namespace {

using Entries = QList<std::pair<QString, QString>>;

namespace msg {
const QString noBlock
    = QStringLiteral("Para a Tag <Lgpd> (Lei Geral de Proteção a Dados) não e permitido o envio "
                     "desta Tag Vazia ! Verifique, Vide Manual 3.0 de Integração OLU");
const QString noDadosPessoais = QStringLiteral(
    "Para a Tag <Lgpd> a Tag <DadosPessoais> e obrigatorio o envios dos dados Referente LGPD(Lei "
    "Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString noDadosInformacao = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <DadosPessoais> a Tag <Informacao> e obrigatorio o envios dos dados "
    "Regerente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString noFonte = QStringLiteral(
    "Para a Tag <Lgpd> a Tag <Fonte> e obrigatorio o envios dos dados Referente LGPD(Lei Geral de "
    "Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString noFonteInformacao = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Fonte> a Tag <Informacao> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString emptyFonte
    = QStringLiteral("Para a Tag <Lgpd> na Tag <Fonte> a Tag <Informacao> não pode esta Vaiza ! "
                     "Verifique, Vide Manual 3.0 de Integração OLU");
const QString cronograma = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Cronograma> a Tag <Informacao> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString cronogramaValue
    = QStringLiteral("Para a Tag <Lgpd> na Tag <Cronograma> a Tag <Informacao> e obrigatorio o "
                     "envios dos dados e os mesmos e tem que ser \"1-Base legal ou "
                     "2-Indeterminado\",  Verifique, Vide Manual 3.0 de Integração OLU");
const QString noProposito = QStringLiteral(
    "Para a Tag <Lgpd> a Tag <Proposito> e obrigatorio o envios dos dados Referente LGPD(Lei Geral "
    "de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString finalidade = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Proposito> a Tag <Finalidade> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString finalidadeValue
    = QStringLiteral("Para a Tag <Lgpd> na Tag <Proposito> a Tag <Finalidade> e obrigatorio o "
                     "envios dos dados e os mesmos e tem que ser \"1-Específica ou 2-Explícita ou "
                     "3-Legítima\",  Verifique, Vide Manual 3.0 de Integração OLU");
const QString minimizacao = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Proposito> a Tag <Minimizacao> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString minimizacaoValue = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Proposito> a Tag <Minimizacao> e obrigatorio o envios dos dados e "
    "os mesmos e tem que ser \"N ou S\",  Verifique, Vide Manual 3.0 de Integração OLU");
const QString noDireito = QStringLiteral(
    "Para a Tag <Lgpd> a Tag <Direito> e obrigatorio o envios dos dados Referente LGPD(Lei Geral "
    "de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString baseLegal = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <BaseLegal> a Tag <Informacao> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString noTransferencia = QStringLiteral(
    "Para a Tag <Lgpd> a Tag <Transferencia> e obrigatorio o envios dos dados Referente LGPD(Lei "
    "Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString noItem = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Transferencia>  a Tag <Item> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString itemInformacao = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Transferencia> a Tag <Informacao> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString consent = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Direito> a Tag <Consentimento> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString itemBaseLegalValue = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Transferencia> a Tag <BaseLegal> e obrigatorio o envios dos dados e "
    "os mesmos e tem que ser \"S-Sim ou N-Não\",  Verifique, Vide Manual 3.0 de Integração OLU");
const QString autorizacaoValue
    = QStringLiteral("Para a Tag <Lgpd> na Tag <Transferencia> a Tag <Autorizacao> e obrigatorio o "
                     "envios dos dados e os mesmos e tem que ser \"S-Sim ou N-Não ou I-Ignorar "
                     "pois não se aplica\",  Verifique, Vide Manual 3.0 de Integração OLU");
const QString direitoPolitica = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Direito> a Tag <Politica> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString direitoPoliticaValue = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Direito> a Tag <Politica> e obrigatorio o envios dos dados e os "
    "mesmos e tem que ser \"S-Sim ou N-Não\",  Verifique, Vide Manual 3.0 de Integração OLU");
const QString noArmazenamento = QStringLiteral(
    "Para a Tag <Lgpd> a Tag <Armazenamento> e obrigatorio o envios dos dados Referente LGPD(Lei "
    "Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString formato = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Formato> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString formatoValue
    = QStringLiteral("Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Formato> e obrigatorio o "
                     "envios dos dados e os mesmos e tem que ser \"1-Estruturados ou 2-Não "
                     "estruturados ou 3-Ambos\",  Verifique, Vide Manual 3.0 de Integração OLU");
const QString tipo = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Tipo> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString tipoValue
    = QStringLiteral("Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Tipo> e obrigatorio o envios "
                     "dos dados e os mesmos e tem que ser \"1-Repouso ou 2-Em trânsito ou "
                     "3-Ambos\",  Verifique, Vide Manual 3.0 de Integração OLU");
const QString armazenamentoResponsabilidadeValue = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Responsabilidade> e obrigatorio o envios dos "
    "dados e os mesmos e tem que ser \"1-Pela própria serventia ou 2-Terceirizado ou 3-Ambos\",  "
    "Verifique, Vide Manual 3.0 de Integração OLU");
const QString armazenamentoPolitica = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Politica> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString noSeguranca = QStringLiteral(
    "Para a Tag <Lgpd> a Tag <Seguranca> e obrigatorio o envios dos dados Referente LGPD(Lei Geral "
    "de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString segurancaPolitica = QStringLiteral(
    "Para a Tag <Lgpd> na Tag <Seguranca> a Tag <Politica> e obrigatorio o envios dos dados "
    "Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU");
const QString segurancaResponsabilidadeValue
    = QStringLiteral("Para a Tag <Lgpd> na Tag <Seguranca> a Tag <Responsabilidade> e obrigatorio "
                     "o envios dos dados e os mesmos e tem que ser \"1-Pela própria serventi ou "
                     "2-Terceirizado ou 3-Ambos\",  Verifique, Vide Manual 3.0 de Integração OLU");

QString unknownKind(const QString &kind)
{
    return QStringLiteral("Para a Tag <Lgpd> a Tag <DadosPessoais> a Tag <Informacao> foi "
                          "encontrado \"")
        + kind + QStringLiteral("\" este não pode ser Diferente de \"")
        + lgpdInformationTypeText(lgpdInformationTypeLines())
        + QStringLiteral("\" ! Verifique, Vide Manual 3.0 de Integração OLU");
}
} // namespace msg

Entries lgpd(const QStringList &messages)
{
    Entries entries;
    for (const QString &message : messages)
        entries.push_back({QStringLiteral("Lgpd"), message});
    return entries;
}

// The sub-blocks of an accepted Lgpd block, in the order the standard lists them.
const QList<std::pair<QString, QString>> acceptedSubBlocks{
    {QStringLiteral("DadosPessoais"), QStringLiteral("<Informacao>CPF</Informacao>")},
    {QStringLiteral("Fonte"), QStringLiteral("<Informacao>Documento apresentado</Informacao>")},
    {QStringLiteral("Cronograma"), QStringLiteral("<Informacao>2</Informacao>")},
    {QStringLiteral("Proposito"),
     QStringLiteral("<Finalidade>3</Finalidade><Minimizacao>N</Minimizacao>")},
    {QStringLiteral("BaseLegal"), QStringLiteral("<Informacao>Lei 6.015/1973</Informacao>")},
    {QStringLiteral("Transferencia"),
     QStringLiteral("<Item><Informacao>Central</Informacao><BaseLegal>S</BaseLegal>"
                    "<Autorizacao>N</Autorizacao></Item>")},
    {QStringLiteral("Direito"), QStringLiteral("<Politica>N</Politica>")},
    {QStringLiteral("Armazenamento"),
     QStringLiteral("<Formato>3</Formato><Tipo>1</Tipo><Responsabilidade>2</Responsabilidade>"
                    "<Politica>S</Politica>")},
    {QStringLiteral("Seguranca"),
     QStringLiteral("<Politica>S</Politica><Responsabilidade>3</Responsabilidade>")},
};

// An Lgpd block: the accepted one with "SubBlock=content" replacing a sub-block's content and
// "-SubBlock" leaving it out.
QString lgpdBlock(const QStringList &overrides)
{
    QString xml = QStringLiteral("<Lgpd>");
    for (const auto &[name, content] : acceptedSubBlocks) {
        QString inner = content;
        bool dropped = false;
        for (const QString &override : overrides) {
            if (override == QLatin1Char('-') + name)
                dropped = true;
            else if (override.startsWith(name + QLatin1Char('=')))
                inner = override.mid(name.size() + 1);
        }
        if (!dropped)
            xml += QLatin1Char('<') + name + QLatin1Char('>') + inner + QStringLiteral("</") + name
                + QLatin1Char('>');
    }
    return xml + QStringLiteral("</Lgpd>");
}

QString kinds(const QStringList &values)
{
    QString xml;
    for (const QString &value : values)
        xml += QStringLiteral("<Informacao>") + value + QStringLiteral("</Informacao>");
    return xml;
}

const QStringList resent{QStringLiteral("TipoEnvio=R"),
                         QStringLiteral("ProtocoloOLU=2026120120261202123456000000012345")};

} // namespace

class LgpdRulesTest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void block_data();
    void block();
    void olderStandardCarriesNoBlock();

private:
    std::unique_ptr<IndexFixture> m_fixture;
};

// One workspace and history for every case: each case starts from an empty history.
void LgpdRulesTest::initTestCase()
{
    m_fixture = std::make_unique<IndexFixture>();
}

void LgpdRulesTest::init()
{
    m_fixture->clearHistory();
    m_fixture->clock.set(QDateTime(QDate(2026, 12, 11), QTime(12, 0)));
}

void LgpdRulesTest::block_data()
{
    QTest::addColumn<QStringList>("resumo");
    QTest::addColumn<QString>("integration");
    QTest::addColumn<QString>("lgpdXml");
    QTest::addColumn<Entries>("expected");
    QTest::addColumn<bool>("verdict");

    const auto row = [](const char *name, const QString &lgpdXml, const Entries &expected,
                        const QStringList &resumo = {}, const QString &integration = {}) {
        QTest::newRow(name) << resumo << integration << lgpdXml << expected << expected.isEmpty();
    };

    row("accepted block", lgpdBlock({}), {});
    row("no block", QString(), lgpd({msg::noBlock}));
    row("no block on a resending", QString(), lgpd({msg::noBlock}), resent);
    row("resending: the block is not examined", QStringLiteral("<Lgpd/>"), {}, resent);
    row("correction: the block is not examined",
        lgpdBlock({QStringLiteral("Cronograma=<Informacao>9</Informacao>")}), {},
        {QStringLiteral("TipoEnvio=C"),
         QStringLiteral("ProtocoloOLU=2026120120261202123456000000012345")});
    row("update: the block is examined",
        lgpdBlock({QStringLiteral("Cronograma=<Informacao>9</Informacao>")}),
        lgpd({msg::cronogramaValue}),
        {QStringLiteral("TipoEnvio=A"),
         QStringLiteral("ProtocoloOLU=2026120120261202123456000000012345")},
        QStringLiteral("<Integracao><Central>OLU</Central></Integracao>"));

    row("empty block", QStringLiteral("<Lgpd/>"),
        Entries{{QStringLiteral("OLU"), msg::noDadosPessoais}}
            + lgpd({msg::noFonte, msg::cronograma, msg::noProposito, msg::noDireito,
                    msg::noTransferencia, msg::noDireito, msg::noArmazenamento, msg::noSeguranca}));

    row("kinds of data in the list, any case, or a part of one",
        lgpdBlock({QStringLiteral("DadosPessoais=")
                   + kinds({QStringLiteral("CPF"), QStringLiteral("cpf"), QStringLiteral("Nome"),
                            QStringLiteral("Data do Casamento"), QStringLiteral("ENDEREÇO")})}),
        {});
    row("a kind of data not in the list",
        lgpdBlock({QStringLiteral("DadosPessoais=")
                   + kinds({QStringLiteral("CPF"), QStringLiteral("Carteira de Motorista")})}),
        lgpd({msg::unknownKind(QStringLiteral("Carteira de Motorista"))}));
    row("an empty kind of data", lgpdBlock({QStringLiteral("DadosPessoais=<Informacao/>")}),
        lgpd({msg::unknownKind(QString())}));
    row("repeated kinds run on under other names",
        lgpdBlock({QStringLiteral("DadosPessoais=<Outra>CPF</Outra><Informacao>CPF</Informacao>"
                                  "<Tipo>Senha</Tipo>")}),
        lgpd({msg::unknownKind(QStringLiteral("Senha"))}));
    row("personal data without a kind", lgpdBlock({QStringLiteral("DadosPessoais=")}),
        lgpd({msg::noDadosInformacao}));

    row("source without Informacao", lgpdBlock({QStringLiteral("Fonte=")}),
        lgpd({msg::noFonteInformacao}));
    row("second source empty",
        lgpdBlock({QStringLiteral("Fonte=") + kinds({QStringLiteral("Cartório"), QString()})}),
        lgpd({msg::emptyFonte}));

    row("no retention schedule", lgpdBlock({QStringLiteral("-Cronograma")}),
        lgpd({msg::cronograma}));
    row("retention schedule without Informacao", lgpdBlock({QStringLiteral("Cronograma=")}),
        lgpd({msg::cronograma}));
    row("retention schedule empty", lgpdBlock({QStringLiteral("Cronograma=<Informacao/>")}),
        lgpd({msg::cronograma}));
    row("retention schedule 3",
        lgpdBlock({QStringLiteral("Cronograma=<Informacao>3</Informacao>")}),
        lgpd({msg::cronogramaValue}));

    row("purpose without its values", lgpdBlock({QStringLiteral("Proposito=")}),
        lgpd({msg::finalidade, msg::minimizacao}));
    row("purpose with values outside the lists",
        lgpdBlock(
            {QStringLiteral("Proposito=<Finalidade>4</Finalidade><Minimizacao>X</Minimizacao>")}),
        lgpd({msg::finalidadeValue, msg::minimizacaoValue}));
    row("purpose values in lower case pass",
        lgpdBlock(
            {QStringLiteral("Proposito=<Finalidade>1</Finalidade><Minimizacao>s</Minimizacao>")}),
        {});

    row("legal basis empty", lgpdBlock({QStringLiteral("BaseLegal=<Informacao/>")}),
        lgpd({msg::baseLegal}));

    row("transfer without items", lgpdBlock({QStringLiteral("Transferencia=")}),
        lgpd({msg::noItem}));
    row("second item with authorisation X",
        lgpdBlock(
            {QStringLiteral("Transferencia=<Item><Informacao>A</Informacao><BaseLegal>N</BaseLegal>"
                            "<Autorizacao>I</Autorizacao></Item><Item><Informacao>B</Informacao>"
                            "<BaseLegal>S</BaseLegal><Autorizacao>X</Autorizacao></Item>")}),
        lgpd({msg::autorizacaoValue}));
    row("empty item", lgpdBlock({QStringLiteral("Transferencia=<Item/>")}),
        lgpd({msg::itemInformacao, msg::consent, msg::consent}));
    row("item legal basis outside S and N",
        lgpdBlock({QStringLiteral("Transferencia=<Item><Informacao>A</Informacao><BaseLegal>T"
                                  "</BaseLegal><Autorizacao>S</Autorizacao></Item>")}),
        lgpd({msg::itemBaseLegalValue}));

    row("rights without a policy", lgpdBlock({QStringLiteral("Direito=")}),
        lgpd({msg::direitoPolitica}));
    row("rights policy X", lgpdBlock({QStringLiteral("Direito=<Politica>X</Politica>")}),
        lgpd({msg::direitoPoliticaValue}));

    row("storage responsibility 4, security responsibility 2",
        lgpdBlock({QStringLiteral("Armazenamento=<Formato>1</Formato><Tipo>2</Tipo>"
                                  "<Responsabilidade>4</Responsabilidade><Politica>N</Politica>"),
                   QStringLiteral("Seguranca=<Politica>N</Politica><Responsabilidade>2"
                                  "</Responsabilidade>")}),
        lgpd({msg::armazenamentoResponsabilidadeValue}));
    row("storage format 0, no type, no policy",
        lgpdBlock({QStringLiteral("Armazenamento=<Formato>0</Formato><Tipo/>"
                                  "<Responsabilidade>3</Responsabilidade>")}),
        lgpd({msg::formatoValue, msg::tipo, msg::armazenamentoPolitica}));
    row("storage format missing, type 4",
        lgpdBlock({QStringLiteral("Armazenamento=<Tipo>4</Tipo><Responsabilidade>1"
                                  "</Responsabilidade><Politica>S</Politica>")}),
        lgpd({msg::formato, msg::tipoValue}));
    row("security responsibility 5 and no policy",
        lgpdBlock({QStringLiteral("Seguranca=<Responsabilidade>5</Responsabilidade>")}),
        lgpd({msg::segurancaPolitica, msg::segurancaResponsabilidadeValue}));

    // A text that holds elements ends the block: what came before stays, nothing after.
    QTest::newRow("unreadable element ends the block quietly")
        << QStringList{} << QString()
        << lgpdBlock({QStringLiteral("-DadosPessoais"),
                      QStringLiteral("Cronograma=<Informacao><x>1</x></Informacao>"),
                      QStringLiteral("-Seguranca")})
        << Entries{{QStringLiteral("OLU"), msg::noDadosPessoais}} << false;
    QTest::newRow("unreadable element alone refuses without a message")
        << QStringList{} << QString()
        << lgpdBlock({QStringLiteral("Direito=<Politica><a/><b/></Politica>")}) << Entries{}
        << false;
}

void LgpdRulesTest::block()
{
    QFETCH(QStringList, resumo);
    QFETCH(QString, integration);
    QFETCH(QString, lgpdXml);
    QFETCH(Entries, expected);
    QFETCH(bool, verdict);

    const QString after
        = integration + IndexFixture::partiesBlock(QStringLiteral("Cliente")) + lgpdXml;
    const QString path
        = m_fixture->write(QStringLiteral("123456_ato.xml"), IndexFixture::indexXml(resumo, after));
    QCOMPARE(m_fixture->judge(path), verdict);
    QCOMPARE(m_fixture->historyOf(QStringLiteral("123456_ato.xml")),
             IndexFixture::expectedErro(expected));
}

void LgpdRulesTest::olderStandardCarriesNoBlock()
{
    m_fixture->clock.set(QDateTime(QDate(2021, 12, 1), QTime(12, 0)));
    const QString path = m_fixture->write(
        QStringLiteral("a.xml"),
        IndexFixture::indexXml(
            {QStringLiteral("DataCriacao=2021-11-30"), QStringLiteral("DataAto=2021-11-30")},
            IndexFixture::partiesBlock(QStringLiteral("Cliente")), QStringLiteral("2.0")));
    QVERIFY(m_fixture->judge(path));
    QCOMPARE(m_fixture->historyOf(QStringLiteral("a.xml")), QString());
}

QTEST_GUILESS_MAIN(LgpdRulesTest)
#include "tst_lgpdrules.moc"
