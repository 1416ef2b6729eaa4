#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

namespace tramora {

bool ValidaParte(ValidationContext &)
{
    return true;
}

} // namespace tramora
