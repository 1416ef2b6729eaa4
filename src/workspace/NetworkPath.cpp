#include "workspace/NetworkPath.h"

#include <QFile>

#include <array>
#include <cstdint>

#include <sys/vfs.h>

namespace tramora {

namespace {

// File-system magic numbers of network file systems, as statfs reports them.
constexpr std::array<std::uint32_t, 10> networkFileSystems{
    0x6969, // NFS
    0x517B, // SMB
    0xFF534D42, // CIFS
    0xFE534D42, // SMB2
    0x564C, // NCP (NetWare)
    0x73757245, // Coda
    0x5346414F, // AFS
    0x6B414653, // kAFS
    0x01021997, // 9P
    0x00C36400, // Ceph
};

bool onNetworkFileSystem(const QString &folder)
{
    struct statfs info
    {
    };
    if (statfs(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    const auto type = static_cast<std::uint32_t>(info.f_type);
    for (std::uint32_t magic : networkFileSystems) {
        if (type == magic)
            return true;
    }
    return false;
}

} // namespace

bool isNetworkPath(const QString &applicationFolder)
{
    if (applicationFolder.startsWith(QLatin1String("\\\\")))
        return true;
    return onNetworkFileSystem(applicationFolder);
}

QString networkPathRefusalMessage()
{
    return QStringLiteral("O Aplicativo de Envio eOlu esta sendo Executado por Atalho:\r\n"
                          "Exemplo:  \"\\\\Servidor\\eOlu\\eOlu.exe\"\r\n"
                          "Isso não é permitido, por motivos de Segurança de Rede!");
}

} // namespace tramora
