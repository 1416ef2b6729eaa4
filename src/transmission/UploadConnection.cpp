#include "transmission/UploadConnection.h"

#include "store/Parametros.h"

namespace tramora {

FtpProxySettings FtpProxySettings::fromParametros(const Parametros &record)
{
    return FtpProxySettings{record.Host, record.Porta, record.Usuario, record.Senha, record.Tipo};
}

UploadConnection UploadConnection::forCentral(const CentralEndpoints &endpoints)
{
    UploadConnection connection;
    connection.host = endpoints.ftpHost;
    connection.port = endpoints.ftpPort;
    connection.user = QStringLiteral("ftp_olu");
    connection.password = QStringLiteral("Lmv#472");
    return connection;
}

} // namespace tramora
