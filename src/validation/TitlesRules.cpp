#include "validation/FieldChecks.h"
#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

namespace tramora {

namespace {

// The node's text cut down to its decimal digits, written back so later rules read it.
QString digitsInPlace(const XmlNode &node)
{
    const QString digits = FilterChars(ValidationContext::textOf(node), decimalDigits());
    if (node)
        node.setText(digits);
    return digits;
}

bool isCpfOrCnpj(const QString &digits, const QString &cnjCartorio)
{
    return ValidaCnpjCnpfPis(digits, TipoCpfCnpj(digits), cnjCartorio);
}

// Characters as the reader counts them: a letter outside the basic plane is one, not two.
qsizetype characterCount(const QString &text)
{
    return QStringView(text).toUcs4().size();
}

} // namespace

bool ValidaTitulos(ValidationContext &context)
{
    const ValidationState &s = context.state;
    const auto text = [](const XmlNode &node) { return ValidationContext::textOf(node); };
    const QChar quote(u'"');

    // A list test on the text: fragments such as "1", "4" or "3|1" pass as well.
    if (!passesList(text(s.vTipoLivro), QStringLiteral("13|14|"))) {
        context.reportOlu(QStringLiteral("Para a tag <CodigoServico> = 9, o valor Tag <TipoLivro> "
                                         "não pode ser diferente de \"13|14\"! Verifique, Vide "
                                         "Manual de Integração OLU"));
        return false;
    }

    // The registry data of titles and documents exist from standard 1.8, and only for acts
    // that declare them.
    if (s.vVersaoXml.compare(QLatin1String("1.8")) < 0)
        return true;
    const QString status = text(s.vGcStatusRtd);
    if (status.isEmpty())
        return true;
    if (status != QLatin1String("S")) {
        context.reportOlu(QStringLiteral("Para a tag <CodigoServico> = 9, o valor Tag "
                                         "<GcStatusRtd> quando preenchida não pode ser diferente "
                                         "de \"S\"! Verifique, Vide Manual de Integração OLU"));
        return false;
    }
    if (text(s.vGcIdentificacaoConvenio).isEmpty()) {
        context.reportOlu(QStringLiteral("Para a tag <CodigoServico> = 9, o valor Tag "
                                         "<GcIdentificacaoConvenio>, o valor tem que ser "
                                         "preenchido, quando a tag <GcStatusRtd>  for igual "
                                         "\"S\"!  Verifique, Vide Manual de Integração OLU"));
        return false;
    }

    bool result = true;
    const auto fail = [&](const QString &message) {
        context.reportOlu(message);
        result = false;
    };
    const QString cnjCartorio = text(s.vCnjCartorio);

    const QString convenio = digitsInPlace(s.vGcIdentificacaoConvenio);
    if (!isCpfOrCnpj(convenio, cnjCartorio))
        fail(QStringLiteral("Para a tag <CodigoServico> = 9, o valor Tag "
                            "<GcIdentificacaoConvenio>: ")
             + quote + convenio + quote
             + QStringLiteral(" tem que ser um Cnpj ou Cpf Válido! Verifique, Vide Manual de "
                              "Integração OLU"));

    // The check digit must not be a taxpayer number itself; under the test CNS every number
    // counts as one, so this rule always reports there.
    const QString digito = digitsInPlace(s.vGcDigitoVerificador);
    if (isCpfOrCnpj(digito, cnjCartorio))
        fail(QStringLiteral("Para a tag <CodigoServico> = 9, o valor da Tag "
                            "<GcDigitoVerificador>: ")
             + quote + digito + quote
             + QStringLiteral(" não pode armazenar um Cnpj ou Cpf! Verifique, Vide Manual de "
                              "Integração OLU"));

    if (digito == convenio)
        fail(QStringLiteral("Para a tag <CodigoServico> = 9, o valor da Tag "
                            "<GcDigitoVerificador>: ")
             + quote + digito + quote
             + QStringLiteral(" não pode ser igual ao valor da Tag <GcIdentificacaoConvenio> : ")
             + convenio + quote + QStringLiteral(", Verifique!, Vide Manual de Integração OLU"));

    const QString resumo = text(s.vGcResumoDocumento);
    if (resumo.isEmpty() || characterCount(resumo) > 255)
        fail(QStringLiteral("Para a tag <CodigoServico> = 9, o valor Tag <GcResumoDocumento>, o "
                            "valor tem que ser preenchido e menor que 255 caracter! Verifique, "
                            "Vide Manual de Integração OLU"));

    if (digito.isEmpty() || !IsInteger(digito))
        fail(QStringLiteral("Para a tag <CodigoServico> = 9, o valor Tag <GcDigitoVerificador>, o "
                            "valor tem que ser preenchido e ser um valor Inteiro! Verifique, Vide "
                            "Manual de Integração OLU"));
    return result;
}

} // namespace tramora
