#include "HelpFile.h"

#include "batch/FileOperations.h"

#include <QFileInfo>

namespace tramora {

QString HelpFile::resolve(const QString &applicationFolder)
{
    const QString folder = applicationFolder + QLatin1Char('/') + folderName() + QLatin1Char('/');
    const QString current = folder + fileName();
    const QString legacy = folder + legacyFileName();
    if (QFileInfo::exists(legacy) && !MoveFileWithReplace(legacy, current))
        return legacy;
    return QFileInfo::exists(current) ? current : QString();
}

} // namespace tramora
