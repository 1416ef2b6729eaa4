#pragma once

#include "pdf/PdfScanner.h"

#include <QByteArrayView>

#include <vector>

namespace tramora::pdf {

struct XrefEntry
{
    qint32 ObjectNumber = 0;
    // The byte offset of an object of the file; the member index of a compressed object.
    qint64 Offset = 0;
    // The object stream holding a compressed object; -1 otherwise.
    qint64 StreamObject = -1;
    // False for an object kept inside an object stream: it has no place in the file.
    bool hasLocation = true;
};

// The object locations in the order they were read; the first entry of a number wins, so a
// newer section, read first, hides the older ones.
class XrefList final
{
public:
    explicit XrefList(QByteArrayView document)
        : m_document(document)
    { }

    QByteArrayView document() const { return m_document; }
    void append(const XrefEntry &entry) { m_entries.push_back(entry); }
    const XrefEntry *find(qint64 objectNumber) const;
    bool IsCompressedObject(qint64 objectNumber) const;
    // A scanner just past the object number at the object's place, or nothing when the
    // object has no place in the file or another number stands there.
    std::optional<PdfScanner> GotoObject(qint64 objectNumber) const;

private:
    QByteArrayView m_document;
    std::vector<XrefEntry> m_entries;
};

} // namespace tramora::pdf
