#pragma once

#include <QString>

namespace tramora {

// The help is an HTML page in the application folder's "Ajuda". Installations of the older
// name carry "eOlu.html"; it is moved to the newer name on first use.
struct HelpFile
{
    static QString folderName() { return QStringLiteral("Ajuda"); }
    static QString fileName() { return QStringLiteral("Tramora.html"); }
    static QString legacyFileName() { return QStringLiteral("eOlu.html"); }

    // The page to open: the legacy file moved to the newer name (replacing it), or, when
    // that move fails, the legacy file itself. Empty when neither exists.
    static QString resolve(const QString &applicationFolder);
};

} // namespace tramora
