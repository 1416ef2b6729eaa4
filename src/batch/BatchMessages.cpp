#include "batch/BatchMessages.h"

#include "validation/ValidationState.h"

namespace tramora::batchmsg {

namespace {

const QString crlf = QStringLiteral("\r\n");

} // namespace

QString structureFailure()
{
    return QStringLiteral("Falha na extrutura do arquivo .XML, Verifique !") + crlf
        + QStringLiteral(" Vide Manual OLU ");
}

QString p7sNoLongerAllowed()
{
    return QStringLiteral("Falha no Arquivo \"PDF\", Apartir da versão \"2.0\" não e mais "
                          "permitido o envio de pdf com a extenão .p7s, junto com o .xml(OLU)")
        + crlf + QStringLiteral(" Verifique ! Vide Manual OLU ");
}

QString documentCheckFailed()
{
    return QStringLiteral("Falha no Arquivo \"PDF\" ocorreu um erro na verificação do .pdf junto "
                          "com o .xml(OLU)")
        + crlf + QStringLiteral(" Verifique ! Vide Manual OLU ");
}

QString attachmentsRefused(const ValidationState &state)
{
    const std::pair<bool, const char *> flags[] = {
        {state.vLiberaEnvioPDF, "PDF"},   {state.vLiberaEnvioCrc, "Crc"},
        {state.vLiberaEnvioSirc, "Sirc"}, {state.vLiberaEnvioSinter, "Sinter"},
        {state.vLiberaEnvioCori, "Cori"}, {state.vLiberaEnvioCPI, "CPI"},
        {state.vLiberaEnvioMlri, "MLRI"}, {state.vLiberaEnvioIbge, "Ibge"},
    };
    QString text = QStringLiteral("Falha nos Anexos do XMl da \"OLU\" ");
    for (const auto &[released, name] : flags) {
        if (!released)
            text += crlf + QLatin1String(name);
    }
    return text + crlf + QStringLiteral("Verifique !") + crlf + QStringLiteral(" Vide Manual OLU ");
}

QString packingFailed()
{
    return QStringLiteral("Erro ao Compactar os Arquivos ") + QLatin1Char('"')
        + QStringLiteral("XML / P7S / PDF / CRC / SIRC / SINTER/ CORI / CPI / MLRI ")
        + QLatin1Char('"') + crlf
        + QStringLiteral("Verifique com o so TI: provavelmente a pasta onde e gravado os arquivo "
                         "para envio esta com bloqueio de gravacao")
        + crlf + QStringLiteral("verifique");
}

} // namespace tramora::batchmsg
