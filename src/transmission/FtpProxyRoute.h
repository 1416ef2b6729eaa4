#pragma once

#include "transmission/UploadConnection.h"

#include <QString>

namespace tramora {

// The FTP proxy methods in the order of the positions stored in Tipo.
enum class FtpProxyMethod {
    None = 0,
    UserSite,
    Site,
    Open,
    UserPass,
    Transparent,
    UserHostFireWallID,
    NovellBorder,
    HttpProxyWithFtp,
    CustomProxy,
};

// How a worker reaches the central with the proxy fields it was given. The FTP-level proxy
// logins (USER user@site and its kin) need a proxy that reads the control connection, which
// explicit TLS from end to end rules out, so only the direct route and the HTTP CONNECT
// tunnel are carried out.
struct FtpProxyRoute
{
    enum Kind { Direct, HttpTunnel, Unsupported };

    Kind kind = Direct;
    QString proxyUrl; // "http://host:port" for the tunnel
    QString user;
    QString password;
    QString reason; // why the route cannot be taken, for the settings window

    static FtpProxyRoute resolve(const FtpProxySettings &proxy);
};

// True when a worker can carry out the method at position tipo.
bool isFtpProxyMethodSupported(int tipo);

} // namespace tramora
