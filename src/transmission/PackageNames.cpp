#include "transmission/PackageNames.h"

#include <QDir>

namespace tramora {

QString captionOfMarker(const QString &markerFileName)
{
    return markerFileName.left(qMax(0, markerFileName.size() - 8));
}

QString zipNameOfMarker(const QString &markerFileName)
{
    const qsizetype dot = markerFileName.lastIndexOf(u'.');
    const QString withoutExtension = dot < 0 ? markerFileName : markerFileName.left(dot);
    return withoutExtension.left(qMax(0, withoutExtension.size() - 4)) + QStringLiteral(".zip");
}

QStringList markersIn(const QString &folder)
{
    QDir dir(folder);
    return dir.entryList({QStringLiteral("*.TXT")}, QDir::Files | QDir::Hidden | QDir::System,
                         QDir::Name);
}

QString remoteFolderFor(const QString &markerFirstLine)
{
    return markerFirstLine < QStringLiteral("3.0") ? QStringLiteral("/ftp2/")
                                                   : QStringLiteral("/ftp3/");
}

} // namespace tramora
