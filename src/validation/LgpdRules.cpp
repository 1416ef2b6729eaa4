#include "validation/RuleSets.h"
#include "validation/ValidationContext.h"

namespace tramora {

void ValidaLgpd(ValidationContext &, bool &) { }

} // namespace tramora
