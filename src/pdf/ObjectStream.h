#pragma once

#include "pdf/XrefList.h"

#include <QByteArray>

#include <optional>

namespace tramora::pdf {

// The text of a compressed object, cut from its inflated object stream; nothing when the
// object is not compressed, its stream cannot be read or the text would be empty.
std::optional<QByteArray> GetCompressedObjectBuffer(const XrefList &list, qint32 objectNumber);

// The number stored as an uncompressed object "n g obj number", or nothing.
std::optional<qint32> readNumberObject(const XrefList &list, qint32 objectNumber);

} // namespace tramora::pdf
