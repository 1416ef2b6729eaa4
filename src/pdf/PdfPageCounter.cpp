#include "pdf/PdfPageCounter.h"

#include "pdf/ObjectStream.h"
#include "pdf/XrefStream.h"
#include "pdf/XrefTable.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace tramora {

using namespace pdf;

namespace {

constexpr int unknown = -1;

struct LinearizedCount
{
    qint32 pages = 0;
    // False when the dictionary gives a file length other than the image's: the file was
    // updated after it was linearized, and its pages may have changed since.
    bool current = true;
};

// The page count of a linearization dictionary in the file's first object, if any.
std::optional<LinearizedCount> GetLinearizedPageNum(QByteArrayView image)
{
    const qsizetype window = std::min<qsizetype>(32, image.size());
    qsizetype at = image.first(window).indexOf('o');
    if (at < 0)
        at = 32;
    PdfScanner scanner(image);
    if (!scanner.moveTo(at) || !scanner.IsString("obj"))
        return std::nullopt;
    scanner.moveTo(at);
    if (!scanner.FindStrInDict("/Linearized"))
        return std::nullopt;
    scanner.moveTo(at);
    if (!scanner.FindStrInDict("/N "))
        return std::nullopt;
    const std::optional<qint32> pages = scanner.GetNumber();
    if (!pages)
        return std::nullopt;
    scanner.moveTo(at);
    const std::optional<qint32> length
        = scanner.FindStrInDict("/L ") ? scanner.GetNumber() : std::nullopt;
    return LinearizedCount{*pages, !length || *length == image.size()};
}

// The "/Count" value at the scanner; a reference is followed to the number it names, so an
// object number is never taken for the count.
std::optional<qint32> readCount(PdfScanner &scanner, const XrefList &list)
{
    if (!scanner.FindStrInDict("/Count"))
        return std::nullopt;
    const std::optional<qint32> count = scanner.GetNumber();
    if (!count || !scanner.referenceMarkFollows())
        return count;
    if (!list.IsCompressedObject(*count))
        return readNumberObject(list, *count);
    const std::optional<QByteArray> member = GetCompressedObjectBuffer(list, *count);
    if (!member)
        return std::nullopt;
    return PdfScanner(*member).GetNumber();
}

std::optional<qint32> pageTreeCount(const XrefList &list, qint32 root)
{
    if (root < 0)
        return std::nullopt;
    std::optional<PdfScanner> catalog = list.GotoObject(root);
    if (!catalog || !catalog->FindStrInDict("/Pages"))
        return std::nullopt;
    const std::optional<qint32> pages = catalog->GetNumber();
    if (!pages)
        return std::nullopt;
    if (list.IsCompressedObject(*pages)) {
        const std::optional<QByteArray> member = GetCompressedObjectBuffer(list, *pages);
        if (!member)
            return std::nullopt;
        PdfScanner scanner(*member);
        return readCount(scanner, list);
    }
    std::optional<PdfScanner> tree = list.GotoObject(*pages);
    if (!tree)
        return std::nullopt;
    return readCount(*tree, list);
}

std::optional<qint32> countFromCrossReference(QByteArrayView image)
{
    PdfScanner scanner(image);
    if (!scanner.findBackward("startxref"))
        return std::nullopt;
    const std::optional<qint32> offset = scanner.GetNumber();
    if (!offset || !scanner.moveTo(*offset))
        return std::nullopt;
    XrefList list(image);
    const std::optional<qint32> root
        = scanner.IsString("xref") ? readXrefTables(*offset, list) : readXrefStream(*offset, list);
    if (!root)
        return std::nullopt;
    return pageTreeCount(list, *root);
}

std::optional<qint32> countPages(QByteArrayView image)
{
    const std::optional<LinearizedCount> linearized = GetLinearizedPageNum(image);
    if (linearized && linearized->current)
        return linearized->pages;
    // An update may have added or removed pages: its page tree decides when it can be read,
    // and the linearization count, usually still right (a signature adds no page), when not.
    if (const std::optional<qint32> pages = countFromCrossReference(image))
        return pages;
    if (linearized)
        return linearized->pages;
    return std::nullopt;
}

} // namespace

int GetPdfPageCount(QByteArrayView image)
{
    try {
        return countPages(image).value_or(unknown);
    } catch (...) {
        // A number too long for 32 bits, or memory refused for a crafted file.
        return unknown;
    }
}

int GetPdfPageCount(const QString &fileName)
{
    try {
        QFile file(fileName);
        // Offsets are 32-bit: the cross-reference data of a larger file lies out of reach.
        if (!file.open(QIODevice::ReadOnly) || file.size() > std::numeric_limits<qint32>::max())
            return unknown;
        // Read in one piece of exactly the file's size, rather than grown as it comes.
        QByteArray image(file.size(), Qt::Uninitialized);
        const qint64 read = file.read(image.data(), image.size());
        if (read < 0)
            return unknown;
        image.truncate(read);
        return GetPdfPageCount(QByteArrayView(image));
    } catch (...) {
        return unknown;
    }
}

} // namespace tramora
