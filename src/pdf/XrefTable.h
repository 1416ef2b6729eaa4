#pragma once

#include "pdf/XrefList.h"

#include <optional>

namespace tramora::pdf {

// Reads the classic table whose "xref" keyword starts at offset, then every older section
// its trailers chain to, into the list. The result is the root object number of the newest
// trailer that names one, -1 when none does, or nothing when a section cannot be read.
std::optional<qint32> readXrefTables(qint64 offset, XrefList &list);

} // namespace tramora::pdf
