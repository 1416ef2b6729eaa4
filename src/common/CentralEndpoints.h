#pragma once

#include <QString>

namespace tramora {

// Where the central is reached. The application uses the compiled defaults; tests and the
// demo hand in their own, so nothing in the core names a host by itself.
struct CentralEndpoints
{
    QString ftpHost;
    int ftpPort = 2122;
    QString httpsBase; // no trailing slash

    static CentralEndpoints compiledDefaults();

    friend bool operator==(const CentralEndpoints &, const CentralEndpoints &) = default;
};

} // namespace tramora
