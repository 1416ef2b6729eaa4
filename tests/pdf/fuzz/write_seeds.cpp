// Writes the hand-made fixtures as the fuzzers' seed corpora:
// write_seeds PAGECOUNT_DIR PNGFILTER_DIR

#include "PdfFixtures.h"
#include "PdfWriter.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: write_seeds PAGECOUNT_DIR PNGFILTER_DIR\n");
        return 2;
    }
    const QString pages = QString::fromLocal8Bit(argv[1]);
    const QString png = QString::fromLocal8Bit(argv[2]);
    int written = 0;
    for (const auto &set : {tramora::test::readableFixtures(), tramora::test::unreadableFixtures()})
        for (const tramora::test::PdfFixture &fixture : set) {
            const QString name
                = QString::fromLatin1(fixture.name).replace(QLatin1Char(' '), QLatin1Char('-'));
            if (!writeFile(pages + QLatin1Char('/') + name + QStringLiteral(".pdf"), fixture.image))
                return 1;
            ++written;
        }

    // Cross-reference rows, filtered as writers do, for a few column counts.
    const QByteArray rows = tramora::test::xrefRows(
        {{0, 0, 255}, {1, 15, 0}, {1, 300, 0}, {2, 9, 0}, {2, 9, 1}, {1, 65000, 2}}, 1, 2, 1);
    for (int columns : {1, 4, 5, 7}) {
        QByteArray seed;
        seed += char(columns & 0xff);
        seed += char(columns >> 8);
        seed += tramora::test::pngUpFiltered(rows, columns);
        if (!writeFile(png + QStringLiteral("/up-") + QString::number(columns), seed))
            return 1;
        ++written;
    }
    const QByteArray mixed("\x04\x00\x01\x10\x20\x30\x40\x02\x01\x01\x01\x01\x03\x05\x06\x07\x08"
                           "\x04\xff\x00\x7f\x80\x00\x01\x02\x03\x04",
                           27);
    if (!writeFile(png + QStringLiteral("/mixed"), mixed))
        return 1;
    std::printf("%d seeds\n", written + 1);
    return 0;
}
