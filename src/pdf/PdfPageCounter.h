#pragma once

#include <QByteArrayView>
#include <QString>

namespace tramora {

// The number of pages of a PDF file, read without any PDF library; -1 whenever it cannot
// be told. Never throws.
int GetPdfPageCount(const QString &fileName);

// The same for a file image already in memory; nothing outside the image is ever read.
int GetPdfPageCount(QByteArrayView image);

} // namespace tramora
