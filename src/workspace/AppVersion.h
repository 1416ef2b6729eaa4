#pragma once

#include <QString>

namespace tramora {

// The running build's version, four numbers joined by points (major, minor, release, build).
QString applicationVersion();

// The publishing-standard version the application speaks: the first three characters.
QString standardVersionOf(const QString &appVersion);

} // namespace tramora
