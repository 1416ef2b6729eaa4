#include "validation/FieldChecks.h"
#include "validation/IndexValidator.h"

#include <exception>

namespace tramora {

namespace {

// The centrals an act of the service may be sent to, and the message naming them.
struct AllowedCentrals
{
    QLatin1String list;
    QString message;
};

std::optional<AllowedCentrals> allowedCentrals(qint32 service, const QString &tipoLivro)
{
    const QString notariesAndTitles = QStringLiteral(
        "Para a Tag <TipoEnvio> igual a \"A\" e a Tag <CodigoServico> igual a \"9\" e \"10\" a Tag "
        "<Integracao> não pode ser diferente de ’OLU’ e ’SINTER’,  Verifique, Vide Manual de "
        "Integração OLU");
    switch (service) {
    case 1:
    case 7:
    case 8:
        return AllowedCentrals{QLatin1String("|OLU|"),
                               QStringLiteral("Para a Tag <TipoEnvio> igual a \"A\" e a Tag "
                                              "<CodigoServico> igual a \"1\", \"7\" e \"8\" a Tag "
                                              "<Integracao> não pode ser diferente de ’OLU’,  "
                                              "Verifique, Vide Manual de Integração OLU")};
    case 2:
    case 3:
        return AllowedCentrals{
            QLatin1String("|OLU|SINTER|CPI|"),
            QStringLiteral("Para a Tag <TipoEnvio> igual a \"A\" e a Tag <CodigoServico> igual a "
                           "\"2\" e \"3\" a Tag <Integracao> não pode ser diferente de ’OLU’, "
                           "’SINTER’, ’CPI’ (Cartorio Proteje Idoso),  Verifique, Vide Manual de "
                           "Integração OLU")};
    case 4:
    case 5:
    case 6:
        return AllowedCentrals{
            QLatin1String("|OLU|SIRC|CRC|IBGE|"),
            QStringLiteral("Para a Tag <TipoEnvio> igual a \"A\" e a Tag <CodigoServico> igual a "
                           "\"4\", \"5\" e \"6\" a Tag <Integracao> não pode ser diferente de "
                           "’OLU’, ’SIRC’, ’CRC’ e ’IBGE’,  Verifique, Vide Manual de Integração "
                           "OLU")};
    case 9:
    case 10:
        return AllowedCentrals{QLatin1String("|OLU|SINTER|"), notariesAndTitles};
    case 11:
        if (tipoLivro == QLatin1String("17"))
            return AllowedCentrals{
                QLatin1String("|OLU|SINTER|CORI|MLRI|"),
                QStringLiteral("Para a Tag <TipoEnvio> igual a \"A\", a Tag <CodigoServico> igual "
                               "a \"11\" e Tag <TipoLivro> igual a \"17\" a Tag <Integracao> não "
                               "pode ser diferente de ’OLU’, ’SINTER’, ’CORI’ e ’MLRI’ ,  "
                               "Verifique, Vide Manual de Integração OLU")};
        return AllowedCentrals{QLatin1String("|OLU|SINTER|"), notariesAndTitles};
    default:
        return std::nullopt;
    }
}

} // namespace

bool IndexValidator::checkIntegrationList(bool &verdict)
{
    ValidationState &s = m_context.state;
    const QString tipoEnvio = ValidationContext::textOf(s.vTipoEnvio);
    s.IXMLNodeIntegracao = s.IXMLDocumentColeta->root().findChild(QStringLiteral("Integracao"));
    const bool updating = passesList(tipoEnvio, QLatin1String("|A|"));
    if (!s.IXMLNodeIntegracao && updating) {
        m_context.reportOlu(
            QStringLiteral("Falta a tag <Integracao> no Arquivo XML Verifique! Vide Manual OLU"));
        verdict = false;
        return false;
    }
    if (!updating)
        return true;

    // A list that cannot be read is dropped without a message; the validation goes on.
    try {
        s.vIntegracaoCentral.clear();
        s.IXMLNodeIntegracaoCentral = s.IXMLNodeIntegracao.findChild(QStringLiteral("Central"));
        if (!s.IXMLNodeIntegracaoCentral) {
            if (tipoEnvio == QLatin1String("A")) {
                m_context.reportOlu(QStringLiteral(
                    "Para a Tag <TipoEnvio> igual a \"A\" a Tag <Integracao> tem que ter pelo "
                    "menos uma central para atualização Ex.: ’OLU’,  Verifique, Vide Manual de "
                    "Integração OLU"));
                verdict = false;
            }
            return true;
        }
        const std::optional<qint32> service
            = readInteger(ValidationContext::textOf(s.vCodigoServico));
        const std::optional<AllowedCentrals> allowed
            = allowedCentrals(service.value_or(0), ValidationContext::textOf(s.vTipoLivro));
        for (XmlNode central = s.IXMLNodeIntegracaoCentral; central;
             central = central.nextSibling()) {
            s.IXMLNodeIntegracaoCentral = central;
            const QString name = central.Text();
            if (passesList(name, QLatin1String("|OLU|SIRC|CRC|SINTER|CORI|CPI|MLRI|IBGE|"))) {
                if (allowed && !passesList(name, allowed->list)
                    && tipoEnvio == QLatin1String("A")) {
                    m_context.reportOlu(allowed->message);
                    verdict = false;
                }
            } else {
                m_context.reportOlu(
                    QStringLiteral("Para a Tag <Integracao> foi encontrado ") + name
                    + QStringLiteral(" não pode ser Diferente de ’OLU’, ’SIRC’, ’CRC’, ’SINTER’, "
                                     "’CORI’, ’CPI’ (Cartorio Proteje Idoso) , ’MLRI’ (Meu "
                                     "Municipio) e ’IBGE’! Verifique, Vide Manual de Integração "
                                     "OLU"));
                verdict = false;
                s.vIntegracaoCentral.clear();
            }
            if (!name.isEmpty())
                s.vIntegracaoCentral += QLatin1Char('|') + name;
        }
        s.vIntegracaoCentral += QLatin1Char('|');
    } catch (const std::exception &) {
        s.vIntegracaoCentral.clear();
    }
    return true;
}

} // namespace tramora
