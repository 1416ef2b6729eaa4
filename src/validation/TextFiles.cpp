#include "validation/TextFiles.h"

#include "validation/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tramora {

namespace {

QString shownName(const QString &path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

void openForReading(QFile &file)
{
    if (file.open(QIODevice::ReadOnly))
        return;
    if (!QFileInfo::exists(file.fileName()))
        throw FileReadError(QStringLiteral("Arquivo não encontrado: ")
                            + shownName(file.fileName()));
    throw FileReadError(QStringLiteral("Não foi possível abrir o arquivo ")
                        + shownName(file.fileName()));
}

[[noreturn]] void failedWhileReading(const QFile &file)
{
    throw FileReadError(QStringLiteral("Falha ao ler o arquivo ") + shownName(file.fileName()));
}

} // namespace

QString JSONParaString(const QString &pDirArquivo)
{
    QFile file(pDirArquivo);
    openForReading(file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        failedWhileReading(file);
    return decodeWindows1252(bytes);
}

QString AbreArquivoTexto(const QString &nomeDoArquivo)
{
    QFile file(nomeDoArquivo);
    openForReading(file);

    // A marker file holds one short line, but nothing stops a stray large file from being
    // named like one: read only as far as the first line break.
    constexpr qint64 chunkSize = 4096;
    QByteArray line;
    for (;;) {
        const qsizetype searchFrom = line.size();
        line.resize(searchFrom + chunkSize);
        const qint64 got = file.read(line.data() + searchFrom, chunkSize);
        if (got < 0)
            failedWhileReading(file);
        line.resize(searchFrom + got);

        for (qsizetype i = searchFrom; i < line.size(); ++i) {
            if (line.at(i) == '\r' || line.at(i) == '\n') {
                line.truncate(i);
                return decodeWindows1252(line);
            }
        }
        if (got == 0)
            return decodeWindows1252(line);
    }
}

} // namespace tramora
