#include "workspace/ComputerNames.h"

#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

namespace tramora {

namespace {

constexpr qsizetype nameCapacity = 15;

} // namespace

QString NomeComputador()
{
    return QSysInfo::machineHostName().left(nameCapacity);
}

QString UserComputador()
{
    const passwd *entry = getpwuid(geteuid());
    if (!entry || !entry->pw_name)
        return QString();
    return QString::fromLocal8Bit(entry->pw_name).left(nameCapacity);
}

} // namespace tramora
