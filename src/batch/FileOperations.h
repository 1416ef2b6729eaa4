#pragma once

#include <QString>

namespace tramora {

// Moves srcFile to destFile, replacing whatever destFile holds, also onto another volume.
// The replacement is atomic: destFile is either the old file or the whole new one, never
// missing and never partial, and srcFile is removed only once its bytes are safely in place.
// False (with both files as they were) when srcFile is missing or the move fails.
bool MoveFileWithReplace(const QString &srcFile, const QString &destFile);

// True when the folder holds no file (subfolders do not count), also when it does not exist.
bool isFolderEmpty(const QString &szPath);

// The number of files of Pasta whose names match the wildcard pattern Nome ("*.TXT", with or
// without a leading separator), ignoring case as the office's file systems do.
int ContaArquivo(const QString &Pasta, const QString &Nome);

// The size in bytes of the file, -1 when it cannot be opened.
qint64 TamanhoArquivo(const QString &path);

} // namespace tramora
