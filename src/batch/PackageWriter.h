#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tramora {

// Writes the package: a new ZIP archive at ArquivoCompactado (replacing a file already there)
// with each non-empty path of ArquivosZip[0..QtdeArquivos] as a Deflate entry named by its
// last path component, at the archive's root. True when the whole archive was written; an
// empty ArquivoCompactado writes nothing and is true. The archive appears under its name
// only once complete, so an interrupted write never leaves a truncated package behind.
bool CompactaArquivos(const QString &ArquivoCompactado, const QStringList &ArquivosZip,
                      int QtdeArquivos);

// Writes a small file whole or not at all.
bool writeWholeFile(const QString &path, const QByteArray &content);

} // namespace tramora
