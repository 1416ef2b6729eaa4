#include "validation/FieldChecks.h"
#include "validation/IndexValidator.h"
#include "validation/RuleSets.h"

#include <QFileInfo>

#include <exception>

namespace tramora {

namespace {

bool isCivilRegistry(qint32 service)
{
    return service >= 4 && service <= 6;
}

bool carriesSinter(qint32 service)
{
    return service == 2 || service == 3 || (service >= 9 && service <= 11);
}

} // namespace

// A refused side document never refuses the index file: it only withholds its own release.
void IndexValidator::decideSideDocuments()
{
    ValidationState &s = m_context.state;
    const XmlNode root = s.IXMLDocumentColeta->root();
    const qint32 service = readInteger(ValidationContext::textOf(s.vCodigoServico)).value_or(0);

    const auto decideRegistry = [&](bool &flag, XmlNode &node, const char *element,
                                    bool (*procedure)(ValidationContext &, const QString &),
                                    const char *label, const QString &failedMessage,
                                    const QString &notAllowedMessage) {
        flag = true;
        node = root.findChild(QLatin1String(element));
        if (isCivilRegistry(service)) {
            try {
                flag = procedure(m_context, s.vArquivoXML);
            } catch (const std::exception &) {
                m_context.report(QLatin1String(label), failedMessage);
                flag = false;
            }
        } else if ((node && node.childCount() > 0)
                   || s.vIntegracaoCentral.contains(QLatin1String(label), Qt::CaseInsensitive)) {
            m_context.report(QLatin1String(label), notAllowedMessage);
            flag = false;
        }
    };

    decideRegistry(s.vLiberaEnvioCrc, s.IXMLNodeCRC, "Crc", ValidaArquivoCrc, "CRC",
                   QStringLiteral("Falha na Tag <Crc> ocorreu um erro na verificação do CRC junto "
                                  "com o .xml(OLU)\r\n Verifique ! Vide Manual OLU "),
                   QStringLiteral("Falha na Tag <Crc> só é permitido o envio para a Central de CRC "
                                  "os <CodigoServico> \"4, 5, 6\"  junto com o .xml(OLU)\r\n "
                                  "Verifique ! Vide Manual OLU "));
    decideRegistry(s.vLiberaEnvioSirc, s.IXMLNodeSirc, "Sirc", ValidaArquivoSirc, "SIRC",
                   QStringLiteral("Falha na Tag <Sirc>  ocorreu um erro na verificação do SIRC "
                                  "junto com o .xml(OLU)\r\n Verifique ! Vide Manual OLU "),
                   QStringLiteral("Falha na Tag <Sirc> só é permitido o envio para a Central de "
                                  "SIRC os <CodigoServico> \"4, 5, 6\"  junto com o .xml(OLU)\r\n "
                                  "Verifique ! Vide Manual OLU "));

    s.vLiberaEnvioSinter = true;
    const QString sinter = QStringLiteral("SINTER");
    if (carriesSinter(service)) {
        try {
            s.vLiberaEnvioSinter = ValidaArquivoSinter(m_context, s.vArquivoSinter);
        } catch (const std::exception &) {
            m_context.report(sinter,
                             QStringLiteral("Falha no Arquivo \"Sinter\" ocorreu um erro na "
                                            "verificação do SINTER junto com o .xml(OLU)\r\n "
                                            "Verifique ! Vide Manual OLU "));
            s.vLiberaEnvioSinter = false;
        }
    } else if (QFileInfo::exists(s.vArquivoSinter)) {
        m_context.report(sinter,
                         QStringLiteral("Falha no Arquivo \"SINTER\" foi encontrado o Arquivo \r\n")
                             + s.vArquivoSinter + QStringLiteral("\r\n")
                             + QStringLiteral("na pasta de envio,  só e permitido os "
                                              "CodigoServico \"2, 3, 9, 10, 11\" junto ao "
                                              ".xml(OLU)")
                             + QStringLiteral("\r\n")
                             + QStringLiteral(" Verifique ! Vide Manual OLU "),
                         s.vArquivoSinter);
        s.vLiberaEnvioSinter = false;
    }
}

} // namespace tramora
