// libFuzzer target: the in-place PNG predictor reversal against a plain reading of the
// same rules into a second buffer. The first two input bytes are the column count.

#include "pdf/PngFilter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

std::vector<unsigned char> reference(const unsigned char *in, std::size_t size, int columns)
{
    const std::size_t width = columns > 0 ? std::size_t(columns) : 0;
    std::vector<unsigned char> out;
    std::vector<unsigned char> previous(width, 0);
    std::size_t at = 0;
    while (at < size) {
        const unsigned char type = in[at++];
        std::vector<unsigned char> row;
        for (std::size_t c = 0; c < width && at < size; ++c) {
            const int left = c > 0 ? row[c - 1] : 0;
            const int up = previous[c];
            const int upLeft = c > 0 ? previous[c - 1] : 0;
            const int predictor = type == 1 ? left
                : type == 2                 ? up
                : type == 3                 ? (left + up) / 2
                : type == 4                 ? paeth(left, up, upLeft)
                                            : 0;
            row.push_back(static_cast<unsigned char>((in[at++] + predictor) & 0xff));
        }
        out.insert(out.end(), row.begin(), row.end());
        std::copy(row.begin(), row.end(), previous.begin());
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int columns = static_cast<int16_t>(data[0] | (data[1] << 8));
    QByteArray buffer(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));
    const std::vector<unsigned char> expected = reference(data + 2, size - 2, columns);
    const qsizetype length = tramora::ReversePngFilter(buffer, columns);
    if (length != buffer.size() || std::size_t(length) != expected.size()
        || !std::equal(expected.begin(), expected.end(), buffer.constData(),
                       [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); }))
        std::abort();
    return 0;
}
