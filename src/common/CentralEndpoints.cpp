#include "common/CentralEndpoints.h"

namespace tramora {

CentralEndpoints CentralEndpoints::compiledDefaults()
{
    return CentralEndpoints{QStringLiteral(TRAMORA_CENTRAL_FTP_HOST), TRAMORA_CENTRAL_FTP_PORT,
                            QStringLiteral(TRAMORA_CENTRAL_HTTPS_BASE)};
}

} // namespace tramora
