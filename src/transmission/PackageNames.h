#pragma once

#include <QString>
#include <QStringList>

namespace tramora {

// The row caption of a package: the marker's file name without "-pdf.txt" or "-p7s.txt".
QString captionOfMarker(const QString &markerFileName);
// The package's file name: the marker's name without its extension and the four characters
// before it, then ".zip".
QString zipNameOfMarker(const QString &markerFileName);
// The markers of a folder ("*.TXT", any case), in name order.
QStringList markersIn(const QString &folder);
// "/ftp3/" for a marker written for standard 3.0 or later, "/ftp2/" otherwise, by the plain
// text comparison the central's folders were laid out with.
QString remoteFolderFor(const QString &markerFirstLine);

} // namespace tramora
