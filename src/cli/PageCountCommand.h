#pragma once

#include <QStringList>

namespace tramora {

// Prints, for each file, its page count (-1 when it cannot be told), a tab and the path as
// given, one line per file. The count of one file never stops the others; the result is
// the exit status, always 0.
int printPageCounts(const QStringList &files);

} // namespace tramora
