#include "validation/IndexValidator.h"

#include "store/Parametros.h"
#include "validation/FieldChecks.h"
#include "validation/RuleSets.h"
#include "workspace/AppVersion.h"
#include "workspace/ProcessValues.h"

#include <QDir>
#include <QFileInfo>

#include <exception>
#include <stdexcept>

namespace tramora {

IndexValidator::IndexValidator(History &history, const Clock &clock, const ProcessValues &values,
                               const Parametros &parametros)
    : m_context(history, clock, values, parametros)
{ }

bool IndexValidator::ValidaArquivoXML(const QString &Arquivo)
{
    try {
        return validate(Arquivo);
    } catch (const std::exception &) {
        // The batch run files its own message for every refused file.
        return false;
    }
}

bool IndexValidator::validate(const QString &Arquivo)
{
    ValidationState &s = m_context.state;
    const QString arquivoXml = s.vArquivoXML;
    s = ValidationState{};
    s.vArquivoXML = arquivoXml;

    s.IXMLDocumentColeta = XmlDocument::load(Arquivo);
    bool verdict = true;

    if (!checkVersion())
        return false;
    locateCompanions(Arquivo);

    s.IXMLNodeResumo = s.IXMLDocumentColeta->root().findChild(QStringLiteral("Resumo"));
    if (!s.IXMLNodeResumo) {
        m_context.reportOlu(
            QStringLiteral("Falta a tag <Resumo> no Arquivo XML Verifique! Vide Manual OLU"));
        return false;
    }
    readSummaryNodes();

    if (!ValidaPadraoOLU(m_context))
        return false;
    if (!runServiceRules())
        return false;
    if (!checkParties(verdict))
        return false;
    if (s.vVersaoXml.compare(QLatin1String("2.0")) >= 0 && !checkIntegrationList(verdict))
        return false;
    if (s.vVersaoXml.compare(QLatin1String("3.0")) >= 0) {
        try {
            ValidaLgpd(m_context, verdict);
        } catch (const std::exception &) {
            verdict = false;
        }
    }
    decideSideDocuments();

    // CPI, CORI and MLRI side files and the IBGE integration travel unexamined.
    s.vLiberaEnvioCPI = true;
    s.vLiberaEnvioCori = true;
    s.vLiberaEnvioMlri = true;
    s.vLiberaEnvioIbge = true;
    return verdict;
}

bool IndexValidator::checkVersion()
{
    ValidationState &s = m_context.state;
    const XmlNode root = s.IXMLDocumentColeta->root();
    try {
        XmlNode versao = root.findChild(QStringLiteral("Versao"));
        if (!versao)
            versao = root.findChild(QStringLiteral("versao"));
        if (!versao)
            versao = root.findChild(QStringLiteral("VERSAO"));
        s.vVersaoXml = versao ? versao.Text() : QString();
    } catch (const std::exception &) {
        s.vVersaoXml.clear();
    }

    const QString appStandard = standardVersionOf(m_context.values().appVersion);
    if (s.vVersaoXml.size() != 3 || s.vVersaoXml.contains(QLatin1Char(','))) {
        m_context.reportOlu(QStringLiteral("Falha na tag <Versao> no Arquivo XML, está fora dos "
                                           "padrões da OLU e é obrigatório para a Versão atual do "
                                           "Aplicativo de Envio ")
                            + appStandard + QStringLiteral(" Verifique! Vide Manual OLU"));
        return false;
    }
    if (appStandard.compare(s.vVersaoXml) < 0) {
        m_context.reportOlu(QStringLiteral(
            "A tag <Versao> no Arquivo XML, está com valor maior que a versao do Aplicativo de "
            "Envio, tem que ser a mesma do Aplicativo de Envio\r\n Verifique! Vide Manual OLU"));
        return false;
    }
    if (appStandard.compare(s.vVersaoXml) > 0
        && m_context.today() >= m_context.values().vDataLimiteVersaoAtual) {
        m_context.reportOlu(QStringLiteral("A tag <Versao> no Arquivo XML, está com valor maior "
                                           "que a versao do Aplicativo de Envio, tem que ser a "
                                           "mesma do Aplicativo de Envio apartir de ")
                            + shortDate(m_context.values().vDataLimiteVersaoAtual)
                            + QStringLiteral("\r\n")
                            + QStringLiteral(" Verifique! Vide Manual OLU"));
        return false;
    }
    return true;
}

void IndexValidator::locateCompanions(const QString &Arquivo)
{
    ValidationState &s = m_context.state;
    const QFileInfo index(Arquivo);
    const QString base = index.completeBaseName();

    const QString documents
        = m_context.parametros().CaminhoPdf.value_or(QString()) + QLatin1Char('/') + base;
    if (QFileInfo::exists(documents + QStringLiteral(".pdf.p7s")))
        s.vArquivoPDF = documents + QStringLiteral(".pdf.p7s");
    else if (QFileInfo::exists(documents + QStringLiteral(".p7s")))
        s.vArquivoPDF = documents + QStringLiteral(".p7s");
    else
        s.vArquivoPDF = documents + QStringLiteral(".pdf");

    const QString withoutExtension = index.path() + QLatin1Char('/') + base;
    s.vArquivoSinter = withoutExtension
        + (s.vVersaoXml.compare(QLatin1String("2.0")) >= 0 ? QStringLiteral("_SINTER.json")
                                                           : QStringLiteral(".json"));
    s.vArquivoCPI = withoutExtension + QStringLiteral("_CPI.json");
    s.vArquivoCori = withoutExtension + QStringLiteral("_CORI.json");
    s.vArquivoMlri = withoutExtension + QStringLiteral("_MLRI.geojson");
}

void IndexValidator::readSummaryNodes()
{
    ValidationState &s = m_context.state;
    const XmlNode &resumo = s.IXMLNodeResumo;
    const auto child = [&](const char *tag) { return resumo.findChild(QLatin1String(tag)); };
    s.vDataCriacao = child("DataCriacao");
    s.vCnjCartorio = child("CnjCartorio");
    s.vCodigoServico = child("CodigoServico");
    s.vNaturezaDocumento = child("NaturezaDocumento");
    s.vDataProtocolo = child("DataProtocolo");
    s.vNumeroProtocolo = child("NumeroProtocolo");
    s.vDataAto = child("DataAto");
    s.vNumeroAto = child("NumeroAto");
    s.vLivro = child("Livro");
    s.vFolha = child("Folha");
    s.vPublicado = child("Publicado");
    s.vDataOcorrencia = child("DataOcorrencia");
    s.vNumeroSelo = child("NumeroSelo");
    s.vMatricula = child("Matricula");
    s.vTipoLivro = child("TipoLivro");
    s.vTipoEnvio = child("TipoEnvio");
    s.vProtocoloOLU = child("ProtocoloOLU");
    s.vDocumentoAnexo = child("DocumentoAnexo");
    s.vStatusAto = child("StatusAto");
    s.vUsoCartorio = child("UsoCartorio");
    s.vSequencia = child("Sequencia");
    s.vIndicadorReal = child("IndicadorReal");
    s.vExOficio = child("ExOficio");
    s.vComplementoExOficio = child("ComplementoExOficio");

    if (gcTagsApply(m_context)) {
        s.vGcStatusRtd = child("GcStatusRtd");
        if (!s.vGcStatusRtd)
            s.vGcStatusRtd = child("GcStatusRTD");
        s.vGcResumoDocumento = child("GcResumoDocumento");
        s.vGcIdentificacaoConvenio = child("GcIdentificacaoConvenio");
        if (!s.vGcIdentificacaoConvenio)
            s.vGcIdentificacaoConvenio = child("GcIdentificacaoEmpresa");
        s.vGcDigitoVerificador = child("GcDigitoVerificador");
    }
}

bool IndexValidator::runServiceRules()
{
    const QString codigo = ValidationContext::textOf(m_context.state.vCodigoServico);
    const std::optional<qint32> service = readInteger(codigo);
    if (!service)
        throw std::invalid_argument("service code is not a whole number");
    using Procedure = bool (*)(ValidationContext &);
    static constexpr Procedure procedures[] = {
        ValidaFirmas,    ValidaEscritura,      ValidaProcuracao, ValidaNascimento,
        ValidaCasamento, ValidaObito,          ValidaLivroE,     ValidaProtesto,
        ValidaTitulos,   ValidaPessoaJuridica, ValidaImoveis,    ValidaAtosRestritos,
    };
    if (*service < 1 || *service > 12)
        return true;
    return procedures[*service - 1](m_context);
}

bool IndexValidator::checkParties(bool &verdict)
{
    ValidationState &s = m_context.state;
    s.IXMLNodePartes = s.IXMLDocumentColeta->root().findChild(QStringLiteral("Partes"));
    if (!s.IXMLNodePartes) {
        m_context.reportOlu(
            QStringLiteral("Falta a tag <Partes> no Arquivo XML Verifique! Vide Manual OLU"));
        return false;
    }
    const XmlNode first = s.IXMLNodePartes.findChild(QStringLiteral("Dados"));
    if (!first) {
        m_context.reportOlu(
            QStringLiteral("Falta a tag <Dados> no Arquivo XML Verifique! Vide Manual OLU"));
        return false;
    }
    for (XmlNode party = first; party; party = party.nextSibling()) {
        s.IXMLNodeDados = party;
        const auto child = [&](const char *tag) { return party.findChild(QLatin1String(tag)); };
        s.vNomeParte = child("Nome");
        s.vDataNascimentoParte = child("DataNascimento");
        s.vNaturalParte = child("Natural");
        s.vUFParte = child("UF");
        s.vCpfCnpjParte = child("CpfCnpj");
        s.vTipoDaParteParte = child("TipoDaParte");
        s.vDocumentosParte = child("Documentos");
        if (!ValidaParte(m_context))
            verdict = false;
    }
    return true;
}

} // namespace tramora
