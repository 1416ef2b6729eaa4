#include "pdf/PngFilter.h"

#include <cstdlib>

namespace tramora {

namespace {

int paeth(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return left;
    if (toUp <= toUpLeft)
        return up;
    return upLeft;
}

} // namespace

qsizetype ReversePngFilter(QByteArray &data, qint32 columns)
{
    const qsizetype width = columns > 0 ? columns : 0;
    const qsizetype length = data.size();
    unsigned char *bytes = reinterpret_cast<unsigned char *>(data.data());
    // Rows are written back toward the start; a row's bytes are read before the write
    // position can reach them, and the row above is already reconstructed.
    qsizetype read = 0;
    qsizetype write = 0;
    qsizetype previousRow = -1;
    while (read < length) {
        const unsigned char type = bytes[read++];
        const qsizetype rowStart = write;
        for (qsizetype column = 0; column < width && read < length; ++column) {
            const int raw = bytes[read++];
            const int left = column > 0 ? bytes[rowStart + column - 1] : 0;
            const int up = previousRow >= 0 ? bytes[previousRow + column] : 0;
            const int upLeft = previousRow >= 0 && column > 0 ? bytes[previousRow + column - 1] : 0;
            int predicted = 0;
            switch (type) {
            case 1:
                predicted = left;
                break;
            case 2:
                predicted = up;
                break;
            case 3:
                predicted = (left + up) / 2;
                break;
            case 4:
                predicted = paeth(left, up, upLeft);
                break;
            default:
                break;
            }
            bytes[write++] = static_cast<unsigned char>((raw + predicted) & 0xff);
        }
        previousRow = rowStart;
    }
    data.truncate(write);
    return write;
}

} // namespace tramora
