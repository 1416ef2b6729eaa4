#include "pdf/XrefList.h"

#include <algorithm>

namespace tramora::pdf {

const XrefEntry *XrefList::find(qint64 objectNumber) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const XrefEntry &e) {
        return e.ObjectNumber == objectNumber;
    });
    return found == m_entries.end() ? nullptr : &*found;
}

bool XrefList::IsCompressedObject(qint64 objectNumber) const
{
    const XrefEntry *entry = find(objectNumber);
    return entry && !entry->hasLocation;
}

std::optional<PdfScanner> XrefList::GotoObject(qint64 objectNumber) const
{
    const XrefEntry *entry = find(objectNumber);
    if (!entry || !entry->hasLocation)
        return std::nullopt;
    PdfScanner scanner(m_document);
    if (!scanner.moveTo(entry->Offset))
        return std::nullopt;
    const std::optional<qint32> number = scanner.GetNumber();
    if (!number || *number != objectNumber)
        return std::nullopt;
    return scanner;
}

} // namespace tramora::pdf
