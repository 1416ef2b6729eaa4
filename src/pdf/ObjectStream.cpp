#include "pdf/ObjectStream.h"

#include "pdf/FlateStream.h"

namespace tramora::pdf {

namespace {

// "/Length", direct or as a reference to a number object.
std::optional<qint32> readLength(PdfScanner &scanner, const XrefList &list)
{
    if (!scanner.FindStrInDict("/Length"))
        return std::nullopt;
    const std::optional<qint32> length = scanner.GetNumber();
    if (!length || !scanner.referenceMarkFollows())
        return length;
    return readNumberObject(list, *length);
}

} // namespace

std::optional<qint32> readNumberObject(const XrefList &list, qint32 objectNumber)
{
    std::optional<PdfScanner> scanner = list.GotoObject(objectNumber);
    if (!scanner || !scanner->GetNumber() || !scanner->IsString(" obj"))
        return std::nullopt;
    return scanner->GetNumber();
}

std::optional<QByteArray> GetCompressedObjectBuffer(const XrefList &list, qint32 objectNumber)
{
    const XrefEntry *entry = list.find(objectNumber);
    if (!entry || entry->hasLocation)
        return std::nullopt;
    const qint64 index = entry->Offset;
    const std::optional<PdfScanner> dictionary = list.GotoObject(entry->StreamObject);
    if (!dictionary)
        return std::nullopt;

    PdfScanner scanner = *dictionary;
    if (!scanner.FindStrInDict("/Type"))
        return std::nullopt;
    scanner.SkipBlankSpace();
    if (!scanner.IsString("/ObjStm"))
        return std::nullopt;
    scanner = *dictionary;
    if (!scanner.FindStrInDict("/Filter"))
        return std::nullopt;
    scanner.SkipBlankSpace();
    if (!scanner.IsString("/FlateDecode"))
        return std::nullopt;
    const DecodeParms parms = readDecodeParms(*dictionary);

    scanner = *dictionary;
    const std::optional<qint32> members
        = scanner.FindStrInDict("/N") ? scanner.GetNumber() : std::nullopt;
    if (!members || index >= *members)
        return std::nullopt;
    scanner = *dictionary;
    const std::optional<qint32> first
        = scanner.FindStrInDict("/First") ? scanner.GetNumber() : std::nullopt;
    if (!first)
        return std::nullopt;
    scanner = *dictionary;
    const std::optional<qint32> length = readLength(scanner, list);
    if (!length)
        return std::nullopt;
    std::optional<QByteArray> data = readFlateStream(scanner, *length, parms);
    if (!data)
        return std::nullopt;

    PdfScanner header(*data);
    for (qint64 i = 0; i < index; ++i) {
        if (!header.GetNumber() || !header.GetNumber())
            return std::nullopt;
    }
    const std::optional<qint32> number = header.GetNumber();
    const std::optional<qint32> offset = header.GetNumber();
    if (!number || *number != objectNumber || !offset)
        return std::nullopt;
    const qint64 start = qint64(*first) + *offset;
    qint64 end = data->size();
    if (index != *members - 1) {
        const std::optional<qint32> nextNumber = header.GetNumber();
        const std::optional<qint32> nextOffset = nextNumber ? header.GetNumber() : std::nullopt;
        if (!nextOffset)
            return std::nullopt;
        end = qint64(*first) + *nextOffset;
    }
    // The member must lie inside the inflated data and hold at least one byte.
    if (start >= end || end > data->size())
        return std::nullopt;
    return data->sliced(static_cast<qsizetype>(start), static_cast<qsizetype>(end - start));
}

} // namespace tramora::pdf
