#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

// The civil-registry sub-documents run through the driver's dispatch already; until their
// rules are in force every act passes them.

namespace tramora {

bool ValidaArquivoCrc(ValidationContext &, const QString &)
{
    return true;
}

bool ValidaArquivoSirc(ValidationContext &, const QString &)
{
    return true;
}

} // namespace tramora
