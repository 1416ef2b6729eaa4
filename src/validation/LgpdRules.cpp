#include "validation/FieldChecks.h"
#include "validation/LgpdInformationTypes.h"
#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"
#include "workspace/ProcessValues.h"

namespace tramora {

namespace {

// Reports a fault of the block and clears the verdict; the block goes on.
class LgpdRun
{
public:
    LgpdRun(ValidationContext &context, bool &verdict)
        : m_context(context)
        , m_verdict(verdict)
    { }

    void fail(const QString &message, const QString &label = QStringLiteral("Lgpd"))
    {
        m_context.report(label, message);
        m_verdict = false;
    }

    // A value that must be filled and be one of the list.
    void checkValue(const XmlNode &node, QLatin1String list, const QString &missing,
                    const QString &outside)
    {
        if (!filled(node))
            fail(missing);
        else if (!passesList(node.Text(), list))
            fail(outside);
    }

    static bool filled(const XmlNode &node) { return node && !node.Text().isEmpty(); }

private:
    ValidationContext &m_context;
    bool &m_verdict;
};

XmlNode childOf(const XmlNode &parent, const char *tag)
{
    return parent.findChild(QLatin1String(tag));
}

void checkDadosPessoais(ValidationContext &context, LgpdRun &run)
{
    ValidationState &s = context.state;
    s.IXMLNodeLGPD_DadosPessoais = childOf(s.IXMLNodeLGPD, "DadosPessoais");
    if (!s.IXMLNodeLGPD_DadosPessoais) {
        run.fail(QStringLiteral("Para a Tag <Lgpd> a Tag <DadosPessoais> e obrigatorio o envios "
                                "dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                                "Verifique, Vide Manual 3.0 de Integração OLU"),
                 QStringLiteral("OLU"));
        return;
    }
    const XmlNode first = childOf(s.IXMLNodeLGPD_DadosPessoais, "Informacao");
    if (!first) {
        run.fail(
            QStringLiteral("Para a Tag <Lgpd> na Tag <DadosPessoais> a Tag <Informacao> e "
                           "obrigatorio o envios dos dados Regerente LGPD(Lei Geral de Proteção a "
                           "Dados),  Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    const QString types = lgpdInformationTypeText(context.values().vLgpdTipoInforcacao);
    for (XmlNode informacao = first; informacao; informacao = informacao.nextSibling()) {
        s.IXMLNodeLGPD_DadosPessoais_Informacao = informacao;
        const QString kind = informacao.Text();
        if (!kind.isEmpty() && types.contains(kind, Qt::CaseInsensitive))
            continue;
        run.fail(QStringLiteral("Para a Tag <Lgpd> a Tag <DadosPessoais> a Tag <Informacao> foi "
                                "encontrado ")
                 + QLatin1Char('"') + kind + QStringLiteral("\" este não pode ser Diferente de \"")
                 + types + QStringLiteral("\" ! Verifique, Vide Manual 3.0 de Integração OLU"));
    }
}

void checkFonte(ValidationState &s, LgpdRun &run)
{
    s.IXMLNodeLGPD_Fonte = childOf(s.IXMLNodeLGPD, "Fonte");
    if (!s.IXMLNodeLGPD_Fonte) {
        run.fail(QStringLiteral(
            "Para a Tag <Lgpd> a Tag <Fonte> e obrigatorio o envios dos dados Referente LGPD(Lei "
            "Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    const XmlNode first = childOf(s.IXMLNodeLGPD_Fonte, "Informacao");
    if (!first) {
        run.fail(QStringLiteral("Para a Tag <Lgpd> na Tag <Fonte> a Tag <Informacao> e obrigatorio "
                                "o envios dos dados Referente LGPD(Lei Geral de Proteção a Dados), "
                                " Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    for (XmlNode informacao = first; informacao; informacao = informacao.nextSibling()) {
        s.IXMLNodeLGPD_Fonte_Informacao = informacao;
        if (informacao.Text().isEmpty())
            run.fail(QStringLiteral("Para a Tag <Lgpd> na Tag <Fonte> a Tag <Informacao> não pode "
                                    "esta Vaiza ! Verifique, Vide Manual 3.0 de Integração OLU"));
    }
}

// A block without Cronograma declares no retention period at all, which the block exists to
// state: it is refused with the message asking for the period.
void checkCronograma(ValidationState &s, LgpdRun &run)
{
    s.IXMLNodeLGPD_Cronograma = childOf(s.IXMLNodeLGPD, "Cronograma");
    s.IXMLNodeLGPD_Cronograma_Informacao = childOf(s.IXMLNodeLGPD_Cronograma, "Informacao");
    run.checkValue(
        s.IXMLNodeLGPD_Cronograma_Informacao, QLatin1String("|1|2|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Cronograma> a Tag <Informacao> e obrigatorio o "
                       "envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                       "Verifique, Vide Manual 3.0 de Integração OLU"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Cronograma> a Tag <Informacao> e obrigatorio o "
                       "envios dos dados e os mesmos e tem que ser \"1-Base legal ou "
                       "2-Indeterminado\",  Verifique, Vide Manual 3.0 de Integração OLU"));
}

void checkProposito(ValidationState &s, LgpdRun &run)
{
    s.IXMLNodeLGPD_Proposito = childOf(s.IXMLNodeLGPD, "Proposito");
    if (!s.IXMLNodeLGPD_Proposito) {
        run.fail(QStringLiteral(
            "Para a Tag <Lgpd> a Tag <Proposito> e obrigatorio o envios dos dados Referente "
            "LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    s.IXMLNodeLGPD_Proposito_Finalidade = childOf(s.IXMLNodeLGPD_Proposito, "Finalidade");
    run.checkValue(
        s.IXMLNodeLGPD_Proposito_Finalidade, QLatin1String("|1|2|3|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Proposito> a Tag <Finalidade> e obrigatorio o "
                       "envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                       "Verifique, Vide Manual 3.0 de Integração OLU"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Proposito> a Tag <Finalidade> e obrigatorio o "
                       "envios dos dados e os mesmos e tem que ser \"1-Específica ou 2-Explícita "
                       "ou 3-Legítima\",  Verifique, Vide Manual 3.0 de Integração OLU"));
    s.IXMLNodeLGPD_Proposito_Minimizacao = childOf(s.IXMLNodeLGPD_Proposito, "Minimizacao");
    run.checkValue(
        s.IXMLNodeLGPD_Proposito_Minimizacao, QLatin1String("|S|N|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Proposito> a Tag <Minimizacao> e obrigatorio o "
                       "envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                       "Verifique, Vide Manual 3.0 de Integração OLU"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Proposito> a Tag <Minimizacao> e obrigatorio o "
                       "envios dos dados e os mesmos e tem que ser \"N ou S\",  Verifique, Vide "
                       "Manual 3.0 de Integração OLU"));
}

void checkBaseLegal(ValidationState &s, LgpdRun &run)
{
    s.IXMLNodeLGPD_BaseLegal = childOf(s.IXMLNodeLGPD, "BaseLegal");
    if (!s.IXMLNodeLGPD_BaseLegal) {
        // The standard names Direito in the message for a missing BaseLegal.
        run.fail(QStringLiteral(
            "Para a Tag <Lgpd> a Tag <Direito> e obrigatorio o envios dos dados Referente LGPD(Lei "
            "Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    s.IXMLNodeLGPD_BaseLegal_Informacao = childOf(s.IXMLNodeLGPD_BaseLegal, "Informacao");
    if (!LgpdRun::filled(s.IXMLNodeLGPD_BaseLegal_Informacao))
        run.fail(
            QStringLiteral("Para a Tag <Lgpd> na Tag <BaseLegal> a Tag <Informacao> e obrigatorio "
                           "o envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                           "Verifique, Vide Manual 3.0 de Integração OLU"));
}

void checkTransferencia(ValidationState &s, LgpdRun &run)
{
    s.IXMLNodeLGPD_Transferencia = childOf(s.IXMLNodeLGPD, "Transferencia");
    if (!s.IXMLNodeLGPD_Transferencia) {
        run.fail(QStringLiteral(
            "Para a Tag <Lgpd> a Tag <Transferencia> e obrigatorio o envios dos dados Referente "
            "LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    const XmlNode first = childOf(s.IXMLNodeLGPD_Transferencia, "Item");
    if (!first) {
        run.fail(
            QStringLiteral("Para a Tag <Lgpd> na Tag <Transferencia>  a Tag <Item> e obrigatorio o "
                           "envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                           "Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    const QString consent
        = QStringLiteral("Para a Tag <Lgpd> na Tag <Direito> a Tag <Consentimento> e obrigatorio o "
                         "envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                         "Verifique, Vide Manual 3.0 de Integração OLU");
    for (XmlNode item = first; item; item = item.nextSibling()) {
        s.IXMLNodeLGPD_Transferencia_Item = item;
        s.IXMLNodeLGPD_Transferencia_Item_Informacao = childOf(item, "Informacao");
        if (!LgpdRun::filled(s.IXMLNodeLGPD_Transferencia_Item_Informacao))
            run.fail(
                QStringLiteral("Para a Tag <Lgpd> na Tag <Transferencia> a Tag <Informacao> e "
                               "obrigatorio o envios dos dados Referente LGPD(Lei Geral de "
                               "Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU"));
        s.IXMLNodeLGPD_Transferencia_Item_BaseLegal = childOf(item, "BaseLegal");
        run.checkValue(
            s.IXMLNodeLGPD_Transferencia_Item_BaseLegal, QLatin1String("|S|N|"), consent,
            QStringLiteral("Para a Tag <Lgpd> na Tag <Transferencia> a Tag <BaseLegal> e "
                           "obrigatorio o envios dos dados e os mesmos e tem que ser \"S-Sim ou "
                           "N-Não\",  Verifique, Vide Manual 3.0 de Integração OLU"));
        s.IXMLNodeLGPD_Transferencia_Item_Autorizacao = childOf(item, "Autorizacao");
        run.checkValue(
            s.IXMLNodeLGPD_Transferencia_Item_Autorizacao, QLatin1String("|S|N|I|"), consent,
            QStringLiteral(
                "Para a Tag <Lgpd> na Tag <Transferencia> a Tag <Autorizacao> e obrigatorio o "
                "envios dos dados e os mesmos e tem que ser \"S-Sim ou N-Não ou I-Ignorar pois não "
                "se aplica\",  Verifique, Vide Manual 3.0 de Integração OLU"));
    }
}

void checkDireito(ValidationState &s, LgpdRun &run)
{
    s.IXMLNodeLGPD_Direito = childOf(s.IXMLNodeLGPD, "Direito");
    if (!s.IXMLNodeLGPD_Direito) {
        run.fail(QStringLiteral(
            "Para a Tag <Lgpd> a Tag <Direito> e obrigatorio o envios dos dados Referente LGPD(Lei "
            "Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    s.IXMLNodeLGPD_Direito_Politica = childOf(s.IXMLNodeLGPD_Direito, "Politica");
    run.checkValue(
        s.IXMLNodeLGPD_Direito_Politica, QLatin1String("|S|N|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Direito> a Tag <Politica> e obrigatorio o envios "
                       "dos dados Referente LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide "
                       "Manual 3.0 de Integração OLU"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Direito> a Tag <Politica> e obrigatorio o envios "
                       "dos dados e os mesmos e tem que ser \"S-Sim ou N-Não\",  Verifique, Vide "
                       "Manual 3.0 de Integração OLU"));
}

void checkArmazenamento(ValidationState &s, LgpdRun &run)
{
    s.IXMLNodeLGPD_Armazenamento = childOf(s.IXMLNodeLGPD, "Armazenamento");
    if (!s.IXMLNodeLGPD_Armazenamento) {
        run.fail(QStringLiteral(
            "Para a Tag <Lgpd> a Tag <Armazenamento> e obrigatorio o envios dos dados Referente "
            "LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    const XmlNode &block = s.IXMLNodeLGPD_Armazenamento;
    s.IXMLNodeLGPD_Armazenamento_Formato = childOf(block, "Formato");
    run.checkValue(
        s.IXMLNodeLGPD_Armazenamento_Formato, QLatin1String("|1|2|3|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Formato> e obrigatorio o "
                       "envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                       "Verifique, Vide Manual 3.0 de Integração OLU"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Formato> e obrigatorio o "
                       "envios dos dados e os mesmos e tem que ser \"1-Estruturados ou 2-Não "
                       "estruturados ou 3-Ambos\",  Verifique, Vide Manual 3.0 de Integração OLU"));
    s.IXMLNodeLGPD_Armazenamento_Tipo = childOf(block, "Tipo");
    run.checkValue(
        s.IXMLNodeLGPD_Armazenamento_Tipo, QLatin1String("|1|2|3|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Tipo> e obrigatorio o "
                       "envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                       "Verifique, Vide Manual 3.0 de Integração OLU"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Tipo> e obrigatorio o "
                       "envios dos dados e os mesmos e tem que ser \"1-Repouso ou 2-Em trânsito ou "
                       "3-Ambos\",  Verifique, Vide Manual 3.0 de Integração OLU"));
    s.IXMLNodeLGPD_Armazenamento_Responsabilidade = childOf(block, "Responsabilidade");
    run.checkValue(
        s.IXMLNodeLGPD_Armazenamento_Responsabilidade, QLatin1String("|1|2|3|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Responsabilidade> e "
                       "obrigatorio o envios dos dados Referente LGPD(Lei Geral de Proteção a "
                       "Dados),  Verifique, Vide Manual 3.0 de Integração OLU"),
        QStringLiteral(
            "Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Responsabilidade> e obrigatorio o "
            "envios dos dados e os mesmos e tem que ser \"1-Pela própria serventia ou "
            "2-Terceirizado ou 3-Ambos\",  Verifique, Vide Manual 3.0 de Integração OLU"));
    s.IXMLNodeLGPD_Armazenamento_Politica = childOf(block, "Politica");
    run.checkValue(
        s.IXMLNodeLGPD_Armazenamento_Politica, QLatin1String("|S|N|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Politica> e obrigatorio o "
                       "envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                       "Verifique, Vide Manual 3.0 de Integração OLU"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Armazenamento> a Tag <Politica> e obrigatorio o "
                       "envios dos dados e os mesmos e tem que ser \"S-Sim ou N-Não\",  Verifique, "
                       "Vide Manual 3.0 de Integração OLU"));
}

void checkSeguranca(ValidationState &s, LgpdRun &run)
{
    s.IXMLNodeLGPD_Seguranca = childOf(s.IXMLNodeLGPD, "Seguranca");
    if (!s.IXMLNodeLGPD_Seguranca) {
        run.fail(QStringLiteral(
            "Para a Tag <Lgpd> a Tag <Seguranca> e obrigatorio o envios dos dados Referente "
            "LGPD(Lei Geral de Proteção a Dados),  Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    s.IXMLNodeLGPD_Seguranca_Politica = childOf(s.IXMLNodeLGPD_Seguranca, "Politica");
    run.checkValue(
        s.IXMLNodeLGPD_Seguranca_Politica, QLatin1String("|S|N|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Seguranca> a Tag <Politica> e obrigatorio o "
                       "envios dos dados Referente LGPD(Lei Geral de Proteção a Dados),  "
                       "Verifique, Vide Manual 3.0 de Integração OLU"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Seguranca> a Tag <Politica> e obrigatorio o "
                       "envios dos dados e os mesmos e tem que ser \"S-Sim ou N-Não\",  Verifique, "
                       "Vide Manual 3.0 de Integração OLU"));
    s.IXMLNodeLGPD_Seguranca_Responsabilidade
        = childOf(s.IXMLNodeLGPD_Seguranca, "Responsabilidade");
    run.checkValue(
        s.IXMLNodeLGPD_Seguranca_Responsabilidade, QLatin1String("|1|2|3|"),
        QStringLiteral("Para a Tag <Lgpd> na Tag <Seguranca> a Tag <Responsabilidade> e "
                       "obrigatorio o envios dos dados Referente LGPD(Lei Geral de Proteção a "
                       "Dados),  Verifique, Vide Manual 3.0 de Integração OLU"),
        QStringLiteral(
            "Para a Tag <Lgpd> na Tag <Seguranca> a Tag <Responsabilidade> e obrigatorio o envios "
            "dos dados e os mesmos e tem que ser \"1-Pela própria serventi ou 2-Terceirizado ou "
            "3-Ambos\",  Verifique, Vide Manual 3.0 de Integração OLU"));
}

} // namespace

// A failure while the block is read (a text holding elements) leaves here at once; the driver
// clears the verdict for it without a message.
void ValidaLgpd(ValidationContext &context, bool &verdict)
{
    ValidationState &s = context.state;
    LgpdRun run(context, verdict);
    s.IXMLNodeLGPD = childOf(s.IXMLDocumentColeta->root(), "Lgpd");
    if (!s.IXMLNodeLGPD) {
        run.fail(
            QStringLiteral("Para a Tag <Lgpd> (Lei Geral de Proteção a Dados) não e permitido o "
                           "envio desta Tag Vazia ! Verifique, Vide Manual 3.0 de Integração OLU"));
        return;
    }
    // Only a first sending or an update declares its treatment of personal data.
    if (!passesList(ValidationContext::textOf(s.vTipoEnvio), QLatin1String("|P|A|")))
        return;

    checkDadosPessoais(context, run);
    checkFonte(s, run);
    checkCronograma(s, run);
    checkProposito(s, run);
    checkBaseLegal(s, run);
    checkTransferencia(s, run);
    checkDireito(s, run);
    checkArmazenamento(s, run);
    checkSeguranca(s, run);
}

} // namespace tramora
