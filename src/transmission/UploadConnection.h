#pragma once

#include "common/CentralEndpoints.h"

#include <QString>

#include <optional>

namespace tramora {

struct Parametros;

// The proxy fields of the parameters record as they stood when a worker was made. The worker
// keeps its own copy, so the settings window may post the record while uploads run.
struct FtpProxySettings
{
    std::optional<QString> Host;
    std::optional<QString> Porta;
    std::optional<QString> Usuario;
    std::optional<QString> Senha;
    std::optional<QString> Tipo;

    static FtpProxySettings fromParametros(const Parametros &record);
};

// Everything one upload worker needs to reach the central.
struct UploadConnection
{
    QString host;
    int port = 2122;
    QString user;
    QString password;
    // A PEM file of further certificate authorities trusted beside the system's own, for an
    // office behind an inspecting proxy; empty or missing means the system's alone.
    QString extraCaFile;
    FtpProxySettings proxy;

    // How long the server may leave a command unanswered, and how long a transfer may go
    // without a byte moving, before the upload is given up.
    int responseTimeoutSeconds = 60;
    int stallTimeoutSeconds = 60;
    // 0 leaves the connect timeout to the network stack.
    int connectTimeoutSeconds = 0;
    // The pause between the package and its marker.
    int markerPauseMs = 1000;

    static UploadConnection forCentral(const CentralEndpoints &endpoints);
};

} // namespace tramora
