#include "transmission/FtpProxyRoute.h"

namespace tramora {

namespace {

FtpProxyRoute unsupported(const QString &reason)
{
    FtpProxyRoute route;
    route.kind = FtpProxyRoute::Unsupported;
    route.reason = reason;
    return route;
}

} // namespace

bool isFtpProxyMethodSupported(int tipo)
{
    return tipo == static_cast<int>(FtpProxyMethod::None)
        || tipo == static_cast<int>(FtpProxyMethod::HttpProxyWithFtp);
}

FtpProxyRoute FtpProxyRoute::resolve(const FtpProxySettings &proxy)
{
    // Without a host the proxy is off, whatever the other fields hold.
    if (!proxy.Host || proxy.Host->trimmed().isEmpty())
        return {};

    bool numeric = false;
    const int tipo = proxy.Tipo ? proxy.Tipo->trimmed().toInt(&numeric) : -1;
    if (!numeric || tipo < 0 || tipo > static_cast<int>(FtpProxyMethod::CustomProxy))
        return unsupported(QStringLiteral("Tipo do proxy não escolhido."));
    if (tipo == static_cast<int>(FtpProxyMethod::None))
        return {};
    if (!isFtpProxyMethodSupported(tipo))
        return unsupported(QStringLiteral("Este tipo de proxy não pode ser usado com o envio "
                                          "protegido por TLS; use fpcmHttpProxyWithFtp ou "
                                          "fpcmNone."));

    bool portOk = false;
    const int port = proxy.Porta ? proxy.Porta->trimmed().toInt(&portOk) : 0;
    if (!portOk || port <= 0 || port > 65535)
        return unsupported(QStringLiteral("Porta do proxy inválida."));

    FtpProxyRoute route;
    route.kind = HttpTunnel;
    route.proxyUrl = QStringLiteral("http://%1:%2").arg(proxy.Host->trimmed()).arg(port);
    route.user = proxy.Usuario.value_or(QString());
    route.password = proxy.Senha.value_or(QString());
    return route;
}

} // namespace tramora
