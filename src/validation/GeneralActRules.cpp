#include "store/Parametros.h"
#include "validation/FieldChecks.h"
#include "validation/RuleRun.h"
#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"
#include "workspace/ProcessValues.h"

#include <QLocale>

#include <array>
#include <stdexcept>

namespace tramora {

namespace {

struct PresenceRow
{
    XmlNode ValidationState::*node;
    const char *tag;
    QString message;
};

qint32 wholeNumber(const QString &text)
{
    const std::optional<qint32> value = readInteger(text);
    if (!value)
        throw std::invalid_argument("'" + text.toStdString() + "' is not a valid integer value");
    return *value;
}

bool isOneOf(qint32 value, std::initializer_list<qint32> values)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

// The two dates of a ProtocoloOLU, each eight digits year-month-day from its position.
std::optional<QDate> protocolDate(const ValidationContext &context, const QString &protocolo,
                                  qsizetype from)
{
    const QString part = protocolo.mid(from, 8);
    const QString dayFirst
        = part.mid(6, 2) + QLatin1Char('/') + part.mid(4, 2) + QLatin1Char('/') + part.mid(0, 4);
    return readDayFirstDate(dayFirst, context.today());
}

bool laterThanNow(const ValidationContext &context, const QDate &date)
{
    return QDateTime(date, QTime(0, 0)) > context.now();
}

// True when every tag was present.
bool runPresencePhase(ValidationContext &context)
{
    const auto missing = [](const char *tag) {
        return QStringLiteral("Falha no XML a Tag <%1> no Arquivo XML! Verifique, Vide Manual de "
                              "Integração OLU")
            .arg(QLatin1String(tag));
    };
    const auto requiredEvenEmpty = [](const char *tag) {
        return QStringLiteral("Falha no XML a Tag <%1> e obrigatório no Arquivo XML, mesmo vazia! "
                              "Verifique, Vide Manual de Integração OLU")
            .arg(QLatin1String(tag));
    };
    using S = ValidationState;
    const std::array<PresenceRow, 24> summary{{
        {&S::vDataCriacao, "DataCriacao", missing("DataCriacao")},
        {&S::vCnjCartorio, "CnjCartorio", missing("CnjCartorio")},
        {&S::vCodigoServico, "CodigoServico", missing("CodigoServico")},
        {&S::vNaturezaDocumento, "NaturezaDocumento",
         QStringLiteral("Falta a Tag <NaturezaDocumento> no Arquivo XML! Verifique, Vide Manual de "
                        "Integração OLU")},
        {&S::vDataProtocolo, "DataProtocolo", missing("DataProtocolo")},
        {&S::vNumeroProtocolo, "NumeroProtocolo", missing("NumeroProtocolo")},
        {&S::vDataAto, "DataAto", missing("DataAto")},
        {&S::vNumeroAto, "NumeroAto", missing("NumeroAto")},
        {&S::vLivro, "Livro", missing("Livro")},
        {&S::vFolha, "Folha", missing("Folha")},
        {&S::vPublicado, "Publicado", missing("Publicado")},
        {&S::vDataOcorrencia, "DataOcorrencia", missing("DataOcorrencia")},
        {&S::vNumeroSelo, "NumeroSelo", missing("NumeroSelo")},
        {&S::vMatricula, "Matricula", missing("vMatricula")},
        {&S::vTipoLivro, "TipoLivro", missing("TipoLivro")},
        {&S::vTipoEnvio, "TipoEnvio", missing("TipoEnvio")},
        {&S::vProtocoloOLU, "ProtocoloOLU", missing("ProtocoloOLU")},
        {&S::vDocumentoAnexo, "DocumentoAnexo", missing("DocumentoAnexo")},
        {&S::vStatusAto, "StatusAto", missing("StatusAto")},
        {&S::vUsoCartorio, "UsoCartorio", missing("UsoCartorio")},
        {&S::vSequencia, "Sequencia", missing("Sequencia")},
        {&S::vIndicadorReal, "IndicadorReal", missing("IndicadorReal")},
        {&S::vExOficio, "ExOficio",
         QStringLiteral("Falha no XML a Tag <ExOficio> no Arquivo! Verifique, Vide Manual de "
                        "Integração OLU")},
        {&S::vComplementoExOficio, "ComplementoExOficio", missing("ComplementoExOficio")},
    }};
    const std::array<PresenceRow, 4> gc{{
        {&S::vGcStatusRtd, "GcStatusRtd", requiredEvenEmpty("GcStatusRtd")},
        {&S::vGcResumoDocumento, "GcResumoDocumento", requiredEvenEmpty("GcResumoDocumento")},
        {&S::vGcIdentificacaoConvenio, "GcIdentificacaoConvenio",
         requiredEvenEmpty("GcIdentificacaoConvenio")},
        {&S::vGcDigitoVerificador, "GcDigitoVerificador", requiredEvenEmpty("GcDigitoVerificador")},
    }};

    bool complete = true;
    for (const PresenceRow &row : summary) {
        if (context.ensurePresent(context.state.*row.node, QLatin1String(row.tag), row.message))
            complete = false;
    }
    if (gcTagsApply(context)) {
        for (const PresenceRow &row : gc) {
            if (context.ensurePresent(context.state.*row.node, QLatin1String(row.tag), row.message))
                complete = false;
        }
    }
    return complete;
}

} // namespace

bool gcTagsApply(const ValidationContext &context)
{
    return context.state.vVersaoXml.compare(QLatin1String("1.8")) >= 0
        && context.today() >= context.values().vDataLimiteVersao18;
}

bool ValidaPadraoOLU(ValidationContext &context)
{
    // A missing tag is a reported fault like any other: the rule set's result is false.
    const bool complete = runPresencePhase(context);

    ValidationState &s = context.state;
    RuleRun run(context, complete);
    const auto text = [](const XmlNode &node) { return ValidationContext::textOf(node); };
    const auto upper = [](const XmlNode &node) { return ValidationContext::upperInPlace(node); };
    const auto lower = [](const XmlNode &node) { return ValidationContext::lowerInPlace(node); };
    const QString officeCns = context.parametros().Cns.value_or(QString());
    const QLatin1String exOficioList("|I|E|");
    // Several rules first rewrite ExOficio to upper case, then ask whether the act is ex officio.
    const auto exOficioAfterUpper = [&] { return passesList(upper(s.vExOficio), exOficioList); };

    // 1, 2: the office.
    const QString cnj = text(s.vCnjCartorio);
    if (cnj.isEmpty() || !IsInteger(cnj) || cnj.size() > 6) {
        run.fail(QStringLiteral("Falha no XML a tag <CnjCartorio> não pode ser \"NULO\" e deve ser "
                                "Numérico com no maximo 6 Numeros! Verifique, Vide Manual de "
                                "Integração OLU"));
        return false;
    }
    if (cnj != officeCns) {
        run.fail(QStringLiteral("Falha no XML a tag <CnjCartorio> Número CNS no arquivo XML é "
                                "diferente do cadastrado no Sistema de Envio! Verifique, Vide "
                                "Manual de Integração OLU"));
        return false;
    }

    // 3, 4: creation date.
    const QString dataCriacao = text(s.vDataCriacao);
    if (dataCriacao.isEmpty()) {
        run.fail(QStringLiteral("Para a tag <DataCriacao> não pode ser \"NULO\"! Verifique, Vide "
                                "Manual de Integração OLU"));
        return false;
    }
    if (!context.oluDate(dataCriacao))
        run.fail(QStringLiteral("Para a tag <DataCriacao> tem que ser uma Data valida no padrão "
                                "\"OLU\"! Ex. aaaa-mm-dd! Verifique, Vide Manual de Integração "
                                "OLU"));

    // 5, 6: act date.
    const QString dataAtoText = text(s.vDataAto);
    if (dataAtoText.isEmpty()) {
        run.fail(
            QStringLiteral("Para a tag <DataAto> não pode ser \"NULO\"! Verifique, Vide Manual "
                           "de Integração OLU"));
        return false;
    }
    const std::optional<QDate> dataAto = context.oluDate(dataAtoText);
    if (dataAto) {
        if (*dataAto < QDate(1976, 1, 1) || laterThanNow(context, *dataAto))
            run.fail(QStringLiteral("Para a tag <DataAto> o valor não pode ser menor \"1976\" e "
                                    "Maior que a data atual! Verifique, Vide Manual de Integração "
                                    "OLU"));
    } else {
        run.fail(QStringLiteral("Para a tag <DataAto> tem que ser uma Data valida no padrão "
                                "\"OLU\"! Ex. aaaa-mm-dd! Verifique, Vide Manual de Integração "
                                "OLU"));
    }

    // 7, 8: service code; a text that is not a whole number leaves the rule set as a failure.
    const QString codigo = text(s.vCodigoServico);
    if (codigo.isEmpty() || wholeNumber(codigo) > 11) {
        run.fail(QStringLiteral("Falha no XML a tag <CodigoServico> não pode ser \"NULO\" e não "
                                "pode ser maior que \"11\" ! Verifique, Vide Manual de Integração "
                                "OLU"));
        return false;
    }
    const qint32 service = wholeNumber(codigo);
    if (service < 1) {
        run.fail(QStringLiteral("Falha no XML a tag <CodigoServico> deve ser \"Numérico\" e deve "
                                "estar entre \"1\" até \"11\"! Verifique, Vide Manual de "
                                "Integração OLU"));
        return false;
    }

    // 9 to 11: book type.
    const QString tipoLivroText = text(s.vTipoLivro);
    if (tipoLivroText.isEmpty()) {
        run.fail(QStringLiteral("Para a tag <CodigoServico> = \"1\" até \"11\", o valor Tag "
                                "<TipoLivro> não pode ser \"NULO\"! Verifique, Vide Manual de "
                                "Integração OLU"));
        return false;
    }
    const qint32 tipoLivro = wholeNumber(tipoLivroText);
    if (tipoLivro == 3 || tipoLivro == 19) {
        run.fail(QStringLiteral("Para Tag  <TipoLivro> = a \"3\" e \"19\" Nao Precisa ser Enviado "
                                "para OLU! Verifique, Vide Manual de Integração OLU"));
        return false;
    }
    if (tipoLivro < 1 || tipoLivro > 19) {
        run.fail(QStringLiteral("A Tag <TipoLivro> tem que estar entre \"1\" a \"19\"! Verifique, "
                                "Vide Manual de Integração OLU"));
        return false;
    }

    // 12: act number.
    if (isOneOf(service, {1, 4, 5, 6, 8, 9, 10, 11}) && text(s.vNumeroAto).isEmpty())
        run.fail(QStringLiteral("Para a tag <CodigoServico> = \"1\" e \"4\" até \"6\" e \"8\" até "
                                "\"11\", o valor Tag <NumeroAto> não pode ser \"NULO\"! "
                                "Verifique, Vide Manual de Integração OLU"));

    // 13: seal.
    const QString selo = upper(s.vNumeroSelo);
    if (selo.isEmpty()) {
        const QString sealExemption = QStringLiteral(
            "<CodigoServico> = \"1\" até \"11\", acima de \"01/01/2015\" a Tag <NumeroSelo> só "
            "pode "
            "ser \"NULO\" se a tag <ExOficio> for preenchida! Verifique, Vide Manual de Integração "
            "OLU");
        bool needsSeal = false;
        try {
            needsSeal = dataAto && *dataAto >= QDate(2015, 1, 1) && !exOficioAfterUpper();
        } catch (const std::exception &) {
            needsSeal = true;
        }
        if (needsSeal)
            run.fail(sealExemption);
    } else {
        if (selo.size() != 8)
            run.fail(QStringLiteral("Para a tag <CodigoServico> = \"1\" até \"11\", o valor da Tag "
                                    "<NumeroSelo> não pode diferente de \"8\" caracteres, ex.: do "
                                    "valor correto \"AAA00000\"! Verifique, Vide Manual de "
                                    "Integração OLU"));
        if (!IsInteger(selo.mid(3, 5)))
            run.fail(QStringLiteral("Para a tag <CodigoServico> = \"1\" até \"11\", o valor da tag "
                                    "<NumeroSelo> está fora do padrão \"OLU\"! Ex. \"AAA00000\"! "
                                    "Verifique, Vide Manual de Integração OLU"));
    }

    // 14: protocol, for the services that register a protocol.
    if (service >= 8 && service <= 11) {
        if (upper(s.vNumeroProtocolo).isEmpty() && !exOficioAfterUpper())
            run.fail(QStringLiteral("Para a Tag <NumeroProtocolo> não pode ser \"NULO\"! "
                                    "Verifique, Vide Manual de Integração OLU"));
        const QString dataProtocolo = upper(s.vDataProtocolo);
        if (dataProtocolo.isEmpty()) {
            if (!exOficioAfterUpper())
                run.fail(QStringLiteral("Para a Tag <DataProtocolo> não pode ser \"NULO\"! "
                                        "Verifique, Vide Manual de Integração OLU"));
        } else if (!context.oluDate(dataProtocolo)) {
            run.fail(QStringLiteral("Para a Tag <DataProtocolo> tem que ser uma Data Valida! "
                                    "Verifique, Vide Manual de Integração OLU"));
        }
    }

    // 15: book and page.
    if ((service >= 2 && service <= 8) || service == 10) {
        const QString livro = upper(s.vLivro);
        if (livro.isEmpty() && !exOficioAfterUpper())
            run.fail(QStringLiteral("Para a Tag <Livro> não pode ser \"NULO\"! Verifique, Vide "
                                    "Manual de Integração OLU"));
        if (livro == QLatin1String("0"))
            run.fail(QStringLiteral("Para a Tag <Livro> não pode ser \"0\"! Verifique, Vide Manual "
                                    "de Integração OLU"));
        const QString folha = upper(s.vFolha);
        if (folha.isEmpty() && !exOficioAfterUpper())
            run.fail(QStringLiteral("Para a Tag <Folha> não pode ser \"NULO\"! Verifique, Vide "
                                    "Manual de Integração OLU"));
        if (folha == QLatin1String("0"))
            run.fail(QStringLiteral("Para a Tag <Folha> não pode ser \"0\"! Verifique, Vide Manual "
                                    "de Integração OLU"));
    }

    // 16: published.
    if (service == 11) {
        if (text(s.vPublicado) != QLatin1String("S"))
            run.fail(QStringLiteral("Para a tag <CodigoServico> =  \"11\", o valor Tag <Publicado> "
                                    "não pode ser diferente de \"S\"! Verifique, Vide Manual de "
                                    "Integração OLU"));
    } else if (text(s.vPublicado).isEmpty()) {
        run.fail(QStringLiteral("Para a tag <Publicado> não pode ser \"NULO\"! Verifique, Vide "
                                "Manual de Integração OLU"));
    } else if (!passesList(upper(s.vPublicado), QLatin1String("|N|S|"))) {
        run.fail(QStringLiteral("Para a tag <CodigoServico> = \"1\" até \"11\", o valor Tag "
                                "<Publicado> não pode ser \"NULO\" ou diferente de \"S\" ou "
                                "\"N\"! Verifique, Vide Manual de Integração OLU"));
    }

    // 17: occurrence date of births, deaths and book E.
    if (isOneOf(service, {4, 6, 7})) {
        const QString ocorrenciaMessage = QStringLiteral(
            "Para a tag <CodigoServico> = \"4\",\"6\", e \"7\" o valor Tag <DataOcorrencia> não "
            "pode ser \"NULO\" ou maior que a data atual! Verifique, Vide Manual de Integração "
            "OLU");
        const QString ocorrencia = text(s.vDataOcorrencia);
        if (ocorrencia.isEmpty()) {
            if (!passesList(text(s.vExOficio), exOficioList))
                run.fail(ocorrenciaMessage);
        } else if (const auto date = context.oluDate(ocorrencia)) {
            if (laterThanNow(context, *date))
                run.fail(ocorrenciaMessage);
        } else {
            run.fail(QStringLiteral("Para a tag  <DataOcorrencia> tem que ser uma Data valida no "
                                    "padrão \"OLU\"! Ex. aaaa-mm-dd"));
        }
    }

    // 18: registration number of civil-registry acts from 2010 on.
    if (service >= 4 && service <= 7 && dataAto && *dataAto >= QDate(2010, 1, 1)) {
        const QString matricula = text(s.vMatricula);
        if ((matricula.isEmpty() || matricula.size() != 32)
            && !passesList(text(s.vExOficio), exOficioList)
            && !text(s.vComplementoExOficio).isEmpty())
            run.fail(QStringLiteral("Para a tag <CodigoServico> = \"4\",\"5\",6\" e \"7\" o valor "
                                    "da Tag <Matricula> não pode ser \"NULO\" ou diferente de "
                                    "\"32\" caracteres! Verifique, Vide Manual de Integração "
                                    "OLU"));
    }

    // 19: kind of sending.
    if (text(s.vTipoEnvio).isEmpty()) {
        run.fail(QStringLiteral("Para a Tag <TipoEnvio> não pode ser \"NULO\"! Verifique, Vide "
                                "Manual de Integração OLU"));
    } else if (!passesList(upper(s.vTipoEnvio), QLatin1String("|P|R|A|C|"))) {
        run.fail(QStringLiteral("Para a tag <CodigoServico> = \"1\" até \"11\", o valor Tag "
                                "<TipoEnvio> não pode ser diferente de \"P\", \"R\", \"A\" e "
                                "\"C\"! Verifique, Vide Manual de Integração OLU"));
    }
    const QString protocolo = text(s.vProtocoloOLU);
    if (text(s.vTipoEnvio) == QLatin1String("A") && service == 11
        && !protocolDate(context, protocolo, 0) && !protocolDate(context, protocolo, 8))
        run.fail(QStringLiteral("Falha no XML a tag <TipoEnvio> = \"A\" e tag <CodigoServico> =  "
                                "\"11\" as datas da tag <ProtocoloOLU> nas posições \"1 ate 8\" e "
                                "\"9 ate 16\" tem que ser uma data valida, Verifique! Vide Manual "
                                "OLU"));

    // 20: the central's protocol of an earlier sending.
    if (!protocolo.isEmpty()) {
        if (!passesList(upper(s.vTipoEnvio), QLatin1String("|R|A|C|"))) {
            run.fail(QStringLiteral("Para a tag <ProtocoloOLU> diferente de  \"NULO\", o valor Tag "
                                    "<TipoEnvio> não pode ser diferente de \"R\", \"A\", \"C\"! "
                                    "Verifique, Vide Manual de Integração OLU"));
        } else {
            const QString invalidDate = QStringLiteral(
                "Para a tag <ProtocoloOLU> O valor não corresponde a uma data válida no "
                "ProtocoloOLU!. Vide Manual de Integração OLU! Verifique, Vide Manual de "
                "Integração OLU");
            if (!IsNumberText(protocolo, QLocale().decimalPoint().front()))
                run.fail(QStringLiteral("Para a tag <ProtocoloOLU> não pode conter letras ou "
                                        "caracteres especiais. Vide Manual de Integração OLU! "
                                        "Verifique, Vide Manual de Integração OLU"));
            if (!protocolDate(context, protocolo, 0))
                run.fail(invalidDate);
            if (!protocolDate(context, protocolo, 8))
                run.fail(invalidDate);
            const QString cnsPart = protocolo.mid(16, 6);
            if (cnsPart != officeCns && !passesList(cnsPart, QLatin1String("|111111|083776|")))
                run.fail(QStringLiteral("Para a tag <ProtocoloOLU> Número CNJ no ProtocoloOLU é "
                                        "diferente do cadastrado! Verifique, Vide Manual de "
                                        "Integração OLU"));
            if (!readInteger(protocolo.mid(22, 12)))
                run.fail(QStringLiteral("Para a tag <ProtocoloOLU> O valor não corresponde ao "
                                        "número do ProtocoloOLU! Verifique, Vide Manual de "
                                        "Integração OLU"));
        }
    } else if (!passesList(upper(s.vTipoEnvio), QLatin1String("|P|"))) {
        run.fail(
            QStringLiteral("Para a tag <ProtocoloOLU> igual a \"NULO\", o valor Tag <TipoEnvio> "
                           "não pode ser diferente de \"P\"! Verifique, Vide Manual de "
                           "Integração OLU"));
    }

    // 21: attached document.
    const QString anexo = upper(s.vDocumentoAnexo);
    if (anexo.isEmpty()) {
        run.fail(
            QStringLiteral("Para a Tag <DocumentoAnexo> não pode ser \"NULO\"! Verifique, Vide "
                           "Manual de Integração OLU"));
    } else {
        if (!passesList(anexo, QLatin1String("|S|N|")))
            run.fail(
                QStringLiteral("Para a tag <CodigoServico> = \"1\" até \"11\", o valor Tag "
                               "<DocumentoAnexo> não pode ser \"NULO\" ou diferente de \"S\" e "
                               "\"N\"! Verifique, Vide Manual de Integração OLU"));
        if (anexo != QLatin1String("S") && service != 1)
            run.fail(QStringLiteral("Para a tag <CodigoServico> = \"2\" até \"11\", o valor Tag "
                                    "<DocumentoAnexo> não pode ser diferente de \"S\"! Verifique, "
                                    "Vide Manual de Integração OLU"));
    }

    // 22: status of the act, by service.
    const QString status = lower(s.vStatusAto);
    if (!status.isEmpty()) {
        const auto require = [&](const char *list, const QString &message) {
            if (!passesList(status, QLatin1String(list)))
                run.fail(message);
        };
        if (isOneOf(service, {1, 3, 4, 6, 7, 8, 9, 10}))
            require("|cancelado|",
                    QStringLiteral("Para a tag <CodigoServico> = \"1\", \"3\", \"4\", \"6\" até "
                                   "\"10\"  o valor Tag <StatusAto> so pode ser \"Cancelado\" ! "
                                   "Verifique, Vide Manual de Integração OLU"));
        else if (service == 2 && (tipoLivro == 2 || tipoLivro == 3))
            require("|homoafetivo|cancelado|",
                    QStringLiteral("Para a tag <CodigoServico> = \"2\" e a tag <TipoLivro> = \"2\" "
                                   "ou \"3\", o valor Tag <StatusAto> so pode ser  \"Homoafetivo\" "
                                   "ou \"Cancelado\" ! Verifique, Vide Manual de Integração OLU"));
        else if (service == 5)
            require("|homoafetivo|cancelado|",
                    QStringLiteral("Para a tag <CodigoServico> = \"5\", o valor Tag <StatusAto> so "
                                   "pode ser \"Homoafetivo\" ou \"Cancelado\"! Verifique, Vide "
                                   "Manual de Integração OLU"));
        else if (service == 11 && tipoLivroText == QLatin1String("17"))
            require("|encerrado|",
                    QStringLiteral("Para a tag <CodigoServico> = \"11\" e a tag <TipoLivro> = "
                                   "\"17\", o valor Tag <StatusAto> so pode ser \"Encerrado\" ! "
                                   "Verifique, Vide Manual de Integração OLU"));
        else if (service == 11 && tipoLivroText == QLatin1String("18"))
            require("|cancelado|ativo",
                    QStringLiteral("Para a tag <CodigoServico> = \"11\" e a tag <TipoLivro> = "
                                   "\"18\", o valor Tag <StatusAto> so pode ser \"Cancelado\" ! "
                                   "Verifique, Vide Manual de Integração OLU"));
    }

    // 23, 24: ex officio acts.
    const QString exOficio = upper(s.vExOficio);
    if (!exOficio.isEmpty() && !passesList(exOficio, exOficioList))
        run.fail(QStringLiteral("Para a Tag <ExOficio> não pode ser Diferente de \"I\" ou \"E\"! "
                                "Verifique, Vide Manual de Integração OLU"));
    if (upper(s.vComplementoExOficio).isEmpty() && !text(s.vExOficio).isEmpty()
        && !exOficioAfterUpper())
        run.fail(QStringLiteral("Para a Tag <ComplementoExOficio> não pode ser \"NULO\"! "
                                "Verifique, Vide Manual de Integração OLU"));

    // 25: real-estate registrations of book 17.
    if (service == 11 && tipoLivroText == QLatin1String("17")) {
        const QString sequencia = upper(s.vSequencia);
        if (sequencia.isEmpty())
            run.fail(QStringLiteral("Para a tag <CodigoServico> = 11, o valor Tag <Sequencia> não "
                                    "pode ser \"NULO\"! Verifique, Vide Manual de Integração OLU"));
        if (!IsInteger(sequencia))
            run.fail(QStringLiteral("Para a tag <CodigoServico> = 11, o valor Tag <Sequencia> tem "
                                    "que ser \"Numerico\"! Verifique, Vide Manual de Integração "
                                    "OLU"));
        if (text(s.vIndicadorReal).isEmpty())
            run.fail(QStringLiteral("Para a tag <CodigoServico> = 11, o valor Tag <IndicadorReal> "
                                    "não pode ser \"NULO\"! Verifique, Vide Manual de Integração "
                                    "OLU"));
    }

    return run.result();
}

} // namespace tramora
