#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

namespace tramora {

bool ValidaArquivoSinter(ValidationContext &, const QString &)
{
    return true;
}

} // namespace tramora
