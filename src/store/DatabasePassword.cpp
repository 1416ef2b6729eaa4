#include "store/DatabasePassword.h"

namespace tramora {

namespace {

// Each name between vertical bars, the bars shared between neighbours.
constexpr QLatin1StringView developerComputers{"|TRAMORA-DEV01|TRAMORA-DEV02|"};
constexpr QLatin1StringView officeKey{"zRua+"};

} // namespace

std::optional<QByteArray> databaseKeyFor(const QString &computerName)
{
    const QString name = computerName.toUpper();
    // An empty name would occur in any text; it must never unlock a plain file.
    if (!name.isEmpty() && QString(developerComputers).contains(name, Qt::CaseInsensitive))
        return std::nullopt;
    return QByteArray(officeKey.data(), officeKey.size());
}

} // namespace tramora
