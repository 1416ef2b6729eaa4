#include "pdf/XrefStream.h"

#include "pdf/FlateStream.h"

#include <limits>
#include <utility>
#include <vector>

namespace tramora::pdf {

namespace {

struct Widths
{
    qint64 type = 0;
    qint64 field2 = 0;
    qint64 field3 = 0;
};

std::optional<Widths> readWidths(PdfScanner scanner)
{
    if (!scanner.FindStrInDict("/W"))
        return std::nullopt;
    scanner.SkipBlankSpace();
    if (!scanner.IsString("["))
        return std::nullopt;
    const std::optional<qint32> w1 = scanner.GetNumber();
    if (!w1 || *w1 != 1)
        return std::nullopt;
    const std::optional<qint32> w2 = scanner.GetNumber();
    const std::optional<qint32> w3 = w2 ? scanner.GetNumber() : std::nullopt;
    if (!w3)
        return std::nullopt;
    return Widths{*w1, *w2, *w3};
}

using Ranges = std::vector<std::pair<qint32, qint32>>;

// The "/Index" ranges; an empty list when there is no such key.
std::optional<Ranges> readRanges(PdfScanner scanner)
{
    Ranges ranges;
    if (!scanner.FindStrInDict("/Index"))
        return ranges;
    scanner.SkipBlankSpace();
    if (!scanner.IsString("["))
        return std::nullopt;
    for (;;) {
        const std::optional<qint32> first = scanner.GetNumber();
        const std::optional<qint32> count = first ? scanner.GetNumber() : std::nullopt;
        if (!count)
            return std::nullopt;
        ranges.emplace_back(*first, *count);
        const qsizetype beforeLookAhead = scanner.position();
        if (!scanner.GetNumber())
            return ranges;
        scanner.moveTo(beforeLookAhead);
    }
}

bool appendRows(QByteArrayView data, const Widths &widths, const Ranges &ranges, XrefList &list)
{
    const qint64 rowWidth = widths.type + widths.field2 + widths.field3;
    qint64 row = 0;
    const qint64 rows = data.size() / rowWidth;
    for (const auto &[first, count] : ranges) {
        for (qint64 i = 0; i < count; ++i, ++row) {
            if (row >= rows)
                return true;
            const qint64 number = qint64(first) + i;
            if (number > std::numeric_limits<qint32>::max())
                return false;
            const char *bytes = data.data() + row * rowWidth;
            const char *field2 = bytes + widths.type;
            const char *field3 = field2 + widths.field2;
            switch (bytes[0]) {
            case 1:
                list.append(
                    {static_cast<qint32>(number), PAnsiCharToInt(field2, widths.field2), -1, true});
                break;
            case 2:
                list.append({static_cast<qint32>(number), PAnsiCharToInt(field3, widths.field3),
                             PAnsiCharToInt(field2, widths.field2), false});
                break;
            default:
                break;
            }
        }
    }
    return true;
}

} // namespace

quint32 PAnsiCharToInt(const char *bytes, qint64 width)
{
    if (width < 1 || width > 4)
        return 0;
    quint32 value = 0;
    for (qint64 i = 0; i < width; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

std::optional<qint32> readXrefStream(qint64 offset, XrefList &list)
{
    PdfScanner scanner(list.document());
    if (!scanner.moveTo(offset) || !scanner.GetNumber() || !scanner.GetNumber())
        return std::nullopt;
    const PdfScanner dictionary = scanner;

    scanner = dictionary;
    if (!scanner.FindStrInDict("/Type"))
        return std::nullopt;
    scanner.SkipBlankSpace();
    if (!scanner.IsString("/XRef"))
        return std::nullopt;

    scanner = dictionary;
    if (!scanner.FindStrInDict("/Root"))
        return std::nullopt;
    const std::optional<qint32> root = scanner.GetNumber();
    if (!root)
        return std::nullopt;

    scanner = dictionary;
    if (!scanner.FindStrInDict("/Filter"))
        return std::nullopt;
    scanner.SkipBlankSpace();
    if (!scanner.IsString("/FlateDecode"))
        return std::nullopt;

    const DecodeParms parms = readDecodeParms(dictionary);
    const std::optional<Widths> widths = readWidths(dictionary);
    if (!widths)
        return std::nullopt;
    std::optional<Ranges> ranges = readRanges(dictionary);
    if (!ranges)
        return std::nullopt;

    scanner = dictionary;
    if (!scanner.FindStrInDict("/Length"))
        return std::nullopt;
    const std::optional<qint32> length = scanner.GetNumber();
    if (!length)
        return std::nullopt;
    const std::optional<QByteArray> data = readFlateStream(scanner, *length, parms);
    if (!data)
        return std::nullopt;

    const qint64 rowWidth = widths->type + widths->field2 + widths->field3;
    if (data->size() % rowWidth != 0)
        return std::nullopt;
    if (ranges->empty())
        ranges->emplace_back(0,
                             static_cast<qint32>(std::min<qint64>(
                                 data->size() / rowWidth, std::numeric_limits<qint32>::max())));
    if (!appendRows(*data, *widths, *ranges, list))
        return std::nullopt;
    return root;
}

} // namespace tramora::pdf
