#pragma once

#include <QString>

namespace tramora {

// The number of pages of a PDF file, read without any PDF library; -1 whenever it cannot
// be told. Never throws.
int GetPdfPageCount(const QString &fileName);

} // namespace tramora
