#include "batch/FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

namespace tramora {

namespace {

// Across volumes rename() cannot work; the copy goes through a save file in the target
// folder, which is flushed and renamed over destFile only once it is complete.
bool copyAcrossVolumes(const QString &srcFile, const QString &destFile)
{
    QFile source(srcFile);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(destFile);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    constexpr qint64 chunk = 1 << 20;
    QByteArray buffer(chunk, Qt::Uninitialized);
    for (;;) {
        const qint64 read = source.read(buffer.data(), chunk);
        if (read < 0)
            return false;
        if (read == 0)
            break;
        if (target.write(buffer.constData(), read) != read)
            return false;
    }
    if (!target.commit())
        return false;
    source.close();
    return QFile::remove(srcFile);
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

bool MoveFileWithReplace(const QString &srcFile, const QString &destFile)
{
    const QFileInfo source(srcFile);
    if (!source.exists() || source.isDir())
        return false;
    // rename() replaces destFile in one step on the same volume.
    const QByteArray from = QFile::encodeName(nativePath(srcFile));
    const QByteArray to = QFile::encodeName(nativePath(destFile));
    if (std::rename(from.constData(), to.constData()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    return copyAcrossVolumes(srcFile, destFile);
}

bool isFolderEmpty(const QString &szPath)
{
    const QDir folder(szPath);
    if (!folder.exists())
        return true;
    return folder.entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

int ContaArquivo(const QString &Pasta, const QString &Nome)
{
    QString pattern = Nome;
    while (pattern.startsWith(u'\\') || pattern.startsWith(u'/'))
        pattern.remove(0, 1);
    QDir folder(Pasta);
    folder.setNameFilters({pattern});
    folder.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    return static_cast<int>(folder.entryList().size());
}

qint64 TamanhoArquivo(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.size();
}

} // namespace tramora
