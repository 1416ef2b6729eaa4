#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

// The per-service, party, personal-data and side-file rule sets run through the driver's
// dispatch already; until their rules are in force every act passes them.

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

bool ValidaTitulos(ValidationContext &)
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

bool ValidaParte(ValidationContext &)
{
    return true;
}

void ValidaLgpd(ValidationContext &, bool &) { }

bool ValidaArquivoCrc(ValidationContext &, const QString &)
{
    return true;
}

bool ValidaArquivoSirc(ValidationContext &, const QString &)
{
    return true;
}

bool ValidaArquivoSinter(ValidationContext &, const QString &)
{
    return true;
}

} // namespace tramora
