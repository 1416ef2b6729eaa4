#include "pdf/FlateStream.h"

#include "pdf/PngFilter.h"

#include <zlib.h>

#include <algorithm>

namespace tramora::pdf {

namespace {

// Far beyond the cross-reference and object streams of any real document, and a stop for a
// few bytes that would inflate without end.
constexpr qsizetype maximumInflated = 64 * 1024 * 1024;

} // namespace

DecodeParms readDecodeParms(PdfScanner dictionary)
{
    DecodeParms parms;
    if (!dictionary.FindStrInDict("/DecodeParms") || !dictionary.FindStrInDict("/Columns"))
        return parms;
    parms.Columns = dictionary.GetNumber().value_or(0);
    if (parms.Columns > 0) {
        dictionary.SkipBlankSpace();
        if (dictionary.IsString("/Predictor"))
            parms.Predictor = dictionary.GetNumber().value_or(0);
    }
    return parms;
}

std::optional<QByteArray> inflateBytes(QByteArrayView compressed)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());

    QByteArray out;
    int status = Z_OK;
    while (status == Z_OK) {
        if (out.size() >= maximumInflated)
            break;
        const qsizetype done = out.size();
        const qsizetype grow
            = std::min<qsizetype>(std::max<qsizetype>(4096, done), maximumInflated - done);
        out.resize(done + grow);
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + done);
        stream.avail_out = static_cast<uInt>(grow);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(done + grow - static_cast<qsizetype>(stream.avail_out));
        // Input used up without the end of the stream: the stream was cut short.
        if (status == Z_OK && stream.avail_in == 0 && stream.avail_out > 0)
            break;
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        return std::nullopt;
    return out;
}

std::optional<QByteArray> readFlateStream(PdfScanner scanner, qint64 length,
                                          const DecodeParms &parms)
{
    if (!scanner.FindEndOfDict() || !scanner.moveToNext('s') || !scanner.IsString("stream"))
        return std::nullopt;
    // Only the end of line may follow the keyword: a first data byte below 33 is data.
    scanner.skipWhiteSpace();
    const QByteArrayView rest = scanner.buffer().sliced(scanner.position());
    if (length < 0 || length > rest.size())
        return std::nullopt;
    std::optional<QByteArray> data = inflateBytes(rest.first(static_cast<qsizetype>(length)));
    if (data && parms.Columns > 0 && parms.Predictor > 9)
        ReversePngFilter(*data, parms.Columns);
    return data;
}

} // namespace tramora::pdf
