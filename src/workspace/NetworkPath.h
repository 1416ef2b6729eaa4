#pragma once

#include <QString>

#include <functional>

namespace tramora {

// Decides whether the application folder lies on a network share, where the office's
// store and packages would be open to every machine of the network.
using NetworkPathCheck = std::function<bool(const QString &applicationFolder)>;

// A UNC-style path, or a folder on a network file system (NFS, SMB/CIFS and the like).
bool isNetworkPath(const QString &applicationFolder);

// The refusal shown before the application quits.
QString networkPathRefusalMessage();

} // namespace tramora
