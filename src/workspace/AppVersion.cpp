#include "workspace/AppVersion.h"

#include "BuildVersion.h"

namespace tramora {

QString applicationVersion()
{
    return QStringLiteral(TRAMORA_VERSION_TEXT);
}

QString standardVersionOf(const QString &appVersion)
{
    return appVersion.left(3);
}

} // namespace tramora
