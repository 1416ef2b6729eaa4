#include "validation/FieldChecks.h"
#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

#include <array>

namespace tramora {

namespace {

struct PartyTag
{
    XmlNode ValidationState::*node;
    const char *tag;
};

bool isCivilRegistry(qint32 service)
{
    return service >= 4 && service <= 6;
}

// The role rule of the service: the list (or exact value) the lower-cased role must match and
// the message when it does not. Services without a role rule have none.
struct RoleRule
{
    QString allowed;
    bool exact;
    QString message;
};

std::optional<RoleRule> roleRuleOf(qint32 service)
{
    switch (service) {
    case 1:
        return RoleRule{QStringLiteral("cliente"), true,
                        QStringLiteral("Para a tag <CodigoServico> = 1, o valor Tag <TipoDaParte> "
                                       "não pode ser diferente de \"Cliente\"! Verifique, Vide "
                                       "Manual de Integração OLU")};
    case 4:
        return RoleRule{QStringLiteral("|criança|filiação|declarante|"), false,
                        QStringLiteral("Para a tag <TipoDaParte> o valor não pode ser diferente de "
                                       "\"Criança, Filiação ou Declarante\"! Verifique, Vide "
                                       "Manual de Integração OLU")};
    case 5:
        return RoleRule{
            QStringLiteral(
                "|nubente 1|nubente 2|testemunha|filiação nubente 1|filiação nubente 2|"),
            false,
            QStringLiteral("Para a tag <TipoDaParte> o valor não pode ser diferente de \"Nubente "
                           "1, Nubente 2, Testemunha, Filiação nubente 1 ou Filiação nubente 2|\"! "
                           "Verifique, Vide Manual de Integração OLU")};
    case 6:
        return RoleRule{QStringLiteral("|falecido|declarante|filiação|"), false,
                        QStringLiteral("Para a tag <TipoDaParte> o valor não pode ser diferente de "
                                       "\"Falecido, Declarante ou  Filiação\"! Verifique, Vide "
                                       "Manual de Integração OLU")};
    case 8:
        return RoleRule{QStringLiteral("devedor"), true,
                        QStringLiteral("Para a tag <TipoDaParte> o valor não pode ser diferente de "
                                       "\"Devedor\"! Verifique, Vide Manual de Integração OLU")};
    default:
        return std::nullopt;
    }
}

// A party whose own birth is the act's subject, or who marries or died: its birth date counts.
bool birthDateMatters(const QString &role)
{
    return passesList(role, QStringLiteral("|criança|nubente 1|nubente 2|falecido|"));
}

// An empty birth date is refused for a birth registration (book 6) and, for book 10, only when
// ExOficio holds a value outside "I" and "E" (which the summary rules refuse before the parties
// are reached). Marriage and death registrations may lack the date of a party, whose birth
// can be unknown to the office.
bool emptyBirthDateRefused(const ValidationContext &context)
{
    const ValidationState &s = context.state;
    const qint32 book = context.bookType().value_or(0);
    if (book != 6 && book != 10)
        return false;
    if (book >= 7 && book <= 10) {
        const QString exOficio = ValidationContext::textOf(s.vExOficio);
        return !exOficio.isEmpty() && !passesList(exOficio, QStringLiteral("|I|E|"));
    }
    return true;
}

} // namespace

bool ValidaParte(ValidationContext &context)
{
    ValidationState &s = context.state;
    bool result = true;
    const auto fail = [&](const QString &message) {
        context.reportOlu(message);
        result = false;
    };

    using S = ValidationState;
    static constexpr std::array<PartyTag, 7> tags{{
        {&S::vNomeParte, "Nome"},
        {&S::vDataNascimentoParte, "DataNascimento"},
        {&S::vNaturalParte, "Natural"},
        {&S::vUFParte, "UF"},
        {&S::vCpfCnpjParte, "CpfCnpj"},
        {&S::vTipoDaParteParte, "TipoDaParte"},
        {&S::vDocumentosParte, "Documentos"},
    }};
    for (const PartyTag &row : tags) {
        const QString tag = QLatin1String(row.tag);
        const bool present = bool(s.*row.node);
        if (context.ensurePresent(s.*row.node, tag,
                                  QStringLiteral("Falta a Tag <") + tag
                                      + QStringLiteral("> no Arquivo XML")))
            result = false;
        if (present && row.node == &S::vCpfCnpjParte) {
            const QString written = s.vCpfCnpjParte.Text();
            if (written.size() > 14)
                fail(QStringLiteral("Para a tag <CpfCnpj>, o valor ") + written
                     + QStringLiteral(" esta com excesso de caracter! Verifique, Vide Manual de "
                                      "Integração OLU"));
        }
    }

    const qint32 service = context.serviceCode().value_or(0);
    if (isCivilRegistry(service)) {
        if (!s.vCpfCnpjParte.Text().isEmpty()) {
            const QString digits = FilterChars(s.vCpfCnpjParte.Text(), decimalDigits());
            s.vCpfCnpjParte.setText(digits);
            if (!ValidaCnpjCnpfPis(digits, TipoCpfCnpj(digits),
                                   ValidationContext::textOf(s.vCnjCartorio)))
                fail(QStringLiteral("Para a tag <CpfCnpj>, o valor ") + digits
                     + QStringLiteral(" o Digito verificador tem que ser Válido! Verifique, Vide "
                                      "Manual de Integração OLU"));
            if (digits.size() != 9 && digits.size() != 11 && digits.size() != 14)
                fail(QStringLiteral("Para a tag <CpfCnpj>, se tiver valor o mesmo tem que ser 11 "
                                    "ou 14 Caracteres! Verifique, Vide Manual de Integração OLU"));
        }

        const QString role = ValidationContext::lowerInPlace(s.vTipoDaParteParte);
        if (birthDateMatters(role)) {
            const QString birth = s.vDataNascimentoParte.Text();
            if (birth.isEmpty()) {
                if (emptyBirthDateRefused(context))
                    fail(QStringLiteral(
                        "Para a tag <TipoDaParte> \"criança , nubente 1, nubente 2, ou falecido\" "
                        "a tag <DataNascimento> tem que ser valida conforme padrao OLU! "
                        "Verifique, Vide Manual de Integração OLU"));
            } else if (!IsDateOLU(dayFirstText(birth), context.today())) {
                fail(QStringLiteral(
                    "Para a tag <TipoDaParte> \"criança , nubente 1, nubente 2, ou falecido\" a "
                    "tag <DataNascimento> tem que ser valida ou maior que a Data Atual, conforme "
                    "padrao OLU! Verifique, Vide Manual de Integração OLU"));
            }
        }
    }

    if (const std::optional<RoleRule> rule = roleRuleOf(service)) {
        const QString role = ValidationContext::lowerInPlace(s.vTipoDaParteParte);
        const bool allowed = rule->exact ? role == rule->allowed : passesList(role, rule->allowed);
        if (!allowed)
            fail(rule->message);
    }
    return result;
}

} // namespace tramora
