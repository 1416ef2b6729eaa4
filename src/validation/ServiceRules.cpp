#include "validation/FieldChecks.h"
#include "validation/RuleRun.h"
#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

#include <algorithm>
#include <initializer_list>

namespace tramora {

namespace {

// The book type as a whole number; a text that is none matches no book type, so the rule
// reports instead of letting an unconverted value through.
bool bookTypeIn(const ValidationContext &context, std::initializer_list<qint32> accepted)
{
    const std::optional<qint32> bookType = context.bookType();
    return bookType && std::find(accepted.begin(), accepted.end(), *bookType) != accepted.end();
}

// NaturezaDocumento is lower-cased in the document first, so later rules read the new text.
bool naturezaPasses(const ValidationContext &context, const QString &listText)
{
    return passesList(ValidationContext::lowerInPlace(context.state.vNaturezaDocumento), listText);
}

// The limit is now moved back 60 calendar months with its time of day kept; the act counts
// from 00:00 of its day. Dates and times are compared apart, so no daylight-saving gap of
// the local zone can move the limit.
bool withinLastFiveYears(const ValidationContext &context)
{
    const std::optional<QDate> dataAto
        = context.oluDate(ValidationContext::textOf(context.state.vDataAto));
    if (!dataAto)
        return false;
    const QDateTime now = context.now();
    const QDate limit = now.date().addMonths(-60);
    if (limit != *dataAto)
        return limit < *dataAto;
    return now.time() <= QTime(0, 0);
}

} // namespace

bool ValidaFirmas(ValidationContext &context)
{
    RuleRun run(context);
    const ValidationState &s = context.state;

    // Only the unaccented letters are lowered, so "CARTÃO DE FIRMA" keeps its "Ã" and fails.
    if (ValidationContext::lowerInPlace(s.vNaturezaDocumento) != QStringLiteral("cartão de firma"))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 1, o valor Tag <NaturezaDocumento> "
                                "não pode ser diferente de \"Cartão de Firma\"! Verifique, Vide "
                                "Manual de Integração OLU"));
    // The text itself: "01" is book type 1 for the general rules but fails here.
    if (ValidationContext::textOf(s.vTipoLivro) != QLatin1String("1"))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 1, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"1\"! Verifique, Vide Manual de Integração "
                                "OLU"));
    if (!withinLastFiveYears(context))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 1 é permitido o envio do arquivo "
                                "Xml/Pdf para Central (OLU), desde que a DataAto seja uma data "
                                "válida e esteja dentro do limite dos ultimos 5 Anos\r\n "
                                "Verifique ! Vide Manual OLU "));
    return run.result();
}

bool ValidaEscritura(ValidationContext &context)
{
    RuleRun run(context);
    if (!bookTypeIn(context, {2, 3}))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 2, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"2\" ou \"3\"! Verifique, Vide Manual de "
                                "Integração OLU"));
    return run.result();
}

bool ValidaProcuracao(ValidationContext &context)
{
    RuleRun run(context);
    if (!bookTypeIn(context, {4, 5}))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 3, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"4\" ou \"5\"! Verifique, Vide Manual de "
                                "Integração OLU"));
    return run.result();
}

bool ValidaNascimento(ValidationContext &context)
{
    RuleRun run(context);
    if (!naturezaPasses(context, QStringLiteral("|registro|averbação|")))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 4, o valor Tag <NaturezaDocumento> "
                                "não pode ser diferente de \"Registro ou Averbação\"! Verifique, "
                                "Vide Manual de Integração OLU"));
    if (!bookTypeIn(context, {6}))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 4, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"6\"! Verifique, Vide Manual de Integração "
                                "OLU"));
    return run.result();
}

bool ValidaCasamento(ValidationContext &context)
{
    RuleRun run(context);
    if (!naturezaPasses(context, QStringLiteral("|registro|averbação|")))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 5, o valor Tag <NaturezaDocumento> "
                                "não pode ser diferente de \"Registro ou Averbação\"! Verifique, "
                                "Vide Manual de Integração OLU"));
    if (!bookTypeIn(context, {7, 8}))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 5, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"7\" ou \"8\"! Verifique, Vide Manual de "
                                "Integração OLU"));
    return run.result();
}

bool ValidaObito(ValidationContext &context)
{
    RuleRun run(context);
    if (!naturezaPasses(context, QStringLiteral("|registro|averbação|")))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 6, o valor Tag <NaturezaDocumento> "
                                "não pode ser diferente de \"Registro ou Averbação\"! Verifique, "
                                "Vide Manual de Integração OLU"));
    if (!bookTypeIn(context, {9, 10}))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 6, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"9\" ou \"10\"! Verifique, Vide Manual de "
                                "Integração OLU"));
    return run.result();
}

bool ValidaLivroE(ValidationContext &context)
{
    RuleRun run(context);
    if (!bookTypeIn(context, {11}))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 7, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"11\"! Verifique, Vide Manual de Integração "
                                "OLU"));
    return run.result();
}

bool ValidaProtesto(ValidationContext &context)
{
    RuleRun run(context);
    if (!bookTypeIn(context, {12}))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 8, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"12\"! Verifique, Vide Manual de Integração "
                                "OLU"));
    if (!withinLastFiveYears(context))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 8, é permitido o envio do arquivo "
                                "Xml/Pdf para Central (OLU), \r\ndesde que a DataAto seja uma "
                                "data válida e esteja dentro do limite dos ultimos 5 Anos\r\n "
                                "Verifique ! Vide Manual OLU "));
    return run.result();
}

bool ValidaPessoaJuridica(ValidationContext &context)
{
    RuleRun run(context);
    // A list test on the text, so fragments such as "1" or "6" pass as well.
    if (!passesList(ValidationContext::textOf(context.state.vTipoLivro), QStringLiteral("15|16|")))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 10, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"15|16\"! Verifique, Vide Manual de Integração "
                                "OLU"));
    return run.result();
}

bool ValidaImoveis(ValidationContext &context)
{
    RuleRun run(context);
    if (!naturezaPasses(context, QStringLiteral("|abertura|registro|averbação|")))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 11, o valor Tag <NaturezaDocumento> "
                                "não pode ser diferente de \"Abertura, Registro ou Averbação\"! "
                                "Verifique, Vide Manual de Integração OLU"));
    if (!bookTypeIn(context, {17, 18}))
        run.fail(QStringLiteral("Para a tag <CodigoServico> = 11, o valor Tag <TipoLivro> não pode "
                                "ser diferente de \"17|18\"! Verifique, Vide Manual de Integração "
                                "OLU"));
    return run.result();
}

bool ValidaAtosRestritos(ValidationContext &context)
{
    context.reportOlu(QStringLiteral(
        "Para a tag <CodigoServico> = 12, Este Serviço não pode ser enviado para OLU"));
    return false;
}

} // namespace tramora
