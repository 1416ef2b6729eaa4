#include "ConnectionProbe.h"

#include <QHostAddress>
#include <QNetworkInformation>
#include <QNetworkInterface>

namespace tramora {

SystemConnectionProbe::SystemConnectionProbe(QString centralHost)
    : m_centralHost(std::move(centralHost))
{
    m_backendLoaded
        = QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
}

bool SystemConnectionProbe::isLoopbackHost(const QString &host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

bool SystemConnectionProbe::anyInterfaceUp()
{
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning))
            return true;
    }
    return false;
}

bool SystemConnectionProbe::isOnline()
{
    if (!m_centralHost.isEmpty() && isLoopbackHost(m_centralHost))
        return true;
    if (m_backendLoaded) {
        if (QNetworkInformation *information = QNetworkInformation::instance()) {
            const auto reachability = information->reachability();
            if (reachability != QNetworkInformation::Reachability::Unknown)
                return reachability == QNetworkInformation::Reachability::Online
                    || reachability == QNetworkInformation::Reachability::Site;
        }
    }
    return anyInterfaceUp();
}

} // namespace tramora
