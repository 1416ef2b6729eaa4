#include "pdf/XrefTable.h"

#include <limits>
#include <set>

namespace tramora::pdf {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The subsections from the scanner on, up to and past "trailer".
bool readSubsections(PdfScanner &scanner, XrefList &list)
{
    do {
        const std::optional<qint32> first = scanner.GetNumber();
        const std::optional<qint32> count = first ? scanner.GetNumber() : std::nullopt;
        if (!count)
            return false;
        scanner.SkipBlankSpace();
        for (qint32 i = 0; i < *count; ++i) {
            const qint64 number = qint64(*first) + i;
            if (number > std::numeric_limits<qint32>::max())
                return false;
            const std::optional<qint32> offset = scanner.GetNumber();
            if (!offset)
                return false;
            list.append({static_cast<qint32>(number), *offset, -1, true});
            // The generation and the in-use mark are not needed: on to the next line.
            while (!scanner.atEnd() && scanner.current() != '\n' && scanner.current() != '\r')
                scanner.moveTo(scanner.position() + 1);
            if (scanner.atEnd())
                return false;
            while (!scanner.atEnd() && (scanner.current() == '\n' || scanner.current() == '\r'))
                scanner.moveTo(scanner.position() + 1);
        }
    } while (!scanner.atEnd() && isDigit(scanner.current()));
    return scanner.IsString("trailer");
}

} // namespace

std::optional<qint32> readXrefTables(qint64 offset, XrefList &list)
{
    qint32 root = -1;
    // A chain that comes back to a section it has read would never end.
    std::set<qint64> visited;
    for (;;) {
        if (!visited.insert(offset).second)
            return std::nullopt;
        PdfScanner scanner(list.document());
        // The keyword itself is taken as written.
        if (!scanner.moveTo(offset + 4) || !readSubsections(scanner, list))
            return std::nullopt;
        const qsizetype trailer = scanner.position();
        if (root == -1 && scanner.FindStrInDict("/Root")) {
            const std::optional<qint32> number = scanner.GetNumber();
            if (!number)
                return std::nullopt;
            root = *number;
        }
        scanner.moveTo(trailer);
        if (!scanner.FindStrInDict("/Prev"))
            return root;
        const std::optional<qint32> previous = scanner.GetNumber();
        if (!previous)
            return std::nullopt;
        offset = *previous;
    }
}

} // namespace tramora::pdf
