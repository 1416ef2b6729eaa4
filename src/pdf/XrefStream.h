#pragma once

#include "pdf/XrefList.h"

#include <optional>

namespace tramora::pdf {

// Reads the cross-reference stream whose object starts at offset into the list; its
// "/Prev" is not followed. The result is the root object number, or nothing when the
// stream is not one this reader understands.
std::optional<qint32> readXrefStream(qint64 offset, XrefList &list);

// An unsigned big-endian integer of 1 to 4 bytes; 0 for any other width.
quint32 PAnsiCharToInt(const char *bytes, qint64 width);

} // namespace tramora::pdf
