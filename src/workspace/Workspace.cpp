#include "workspace/Workspace.h"

#include "workspace/ProcessValues.h"

#include <QDir>

namespace tramora {

QStringList workspaceFolderNames()
{
    return {QStringLiteral("XML"),        QStringLiteral("PDF"),      QStringLiteral("Schema"),
            QStringLiteral("Preparados"), QStringLiteral("Recusado"), QStringLiteral("Transmitir"),
            QStringLiteral("Temp")};
}

QStringList createWorkspaceFolders(const QString &applicationFolder, ProcessValues &values)
{
    QStringList failed;
    for (const QString &name : workspaceFolderNames()) {
        const QString path = applicationFolder + QLatin1Char('/') + name;
        if (!QDir().mkpath(path))
            failed << path;
    }
    const auto folder = [&](const char *name) {
        return applicationFolder + QLatin1Char('/') + QLatin1String(name);
    };
    values.vCaminhoSchema = folder("Schema");
    values.vCaminhoPreparados = folder("Preparados");
    values.vCaminhoRecusado = folder("Recusado");
    values.vCaminhoTransmissao = folder("Transmitir");
    values.vCaminhoTemp = folder("Temp");
    return failed;
}

} // namespace tramora
