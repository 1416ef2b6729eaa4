#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

namespace tramora {

bool ValidaTitulos(ValidationContext &)
{
    return true;
}

} // namespace tramora
