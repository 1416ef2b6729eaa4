#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tramora {

// The key under which the store is encrypted on an office workstation; the two developer
// computers keep a plain file so that it can be inspected with ordinary tools.
std::optional<QByteArray> databaseKeyFor(const QString &computerName);

} // namespace tramora
