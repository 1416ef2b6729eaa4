#pragma once

#include <QByteArray>

namespace tramora {

// Reverses, in place, the PNG row filters of decompressed data made of rows of one
// filter-type byte and columns data bytes, one byte per sample; a short last row is
// reconstructed as far as it goes. The data shrinks by one byte per row; the new length is
// returned. A column count below 1 leaves rows of the type byte alone.
qsizetype ReversePngFilter(QByteArray &data, qint32 columns);

} // namespace tramora
