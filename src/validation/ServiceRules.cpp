#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

namespace tramora {

bool ValidaFirmas(ValidationContext &)
{
    return true;
}

bool ValidaEscritura(ValidationContext &)
{
    return true;
}

bool ValidaProcuracao(ValidationContext &)
{
    return true;
}

bool ValidaNascimento(ValidationContext &)
{
    return true;
}

bool ValidaCasamento(ValidationContext &)
{
    return true;
}

bool ValidaObito(ValidationContext &)
{
    return true;
}

bool ValidaLivroE(ValidationContext &)
{
    return true;
}

bool ValidaProtesto(ValidationContext &)
{
    return true;
}

bool ValidaPessoaJuridica(ValidationContext &)
{
    return true;
}

bool ValidaImoveis(ValidationContext &)
{
    return true;
}

bool ValidaAtosRestritos(ValidationContext &)
{
    return true;
}

} // namespace tramora
