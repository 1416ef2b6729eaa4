#pragma once

#include "pdf/PdfScanner.h"

#include <QByteArray>

#include <optional>

namespace tramora::pdf {

struct DecodeParms
{
    qint32 Columns = 0;
    qint32 Predictor = 0;
};

// Columns and the predictor that follows it directly, from the dictionary the scanner
// starts in; a predictor written before the columns is not seen.
DecodeParms readDecodeParms(PdfScanner dictionary);

// The whole zlib stream held in the bytes, or nothing on a data error, a stream cut short
// or an output beyond what any document of the office needs.
std::optional<QByteArray> inflateBytes(QByteArrayView compressed);

// From inside a stream's dictionary: the length bytes after "stream", inflated, with the
// PNG row predictors reversed when the parameters ask for them.
std::optional<QByteArray> readFlateStream(PdfScanner scanner, qint64 length,
                                          const DecodeParms &parms);

} // namespace tramora::pdf
