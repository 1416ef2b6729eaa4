#include "validation/Windows1252.h"

namespace tramora {

namespace {

// Only 0x80 to 0x9F differ from Latin-1.
constexpr char16_t upperControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

} // namespace

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = value >= 0x80 && value <= 0x9F ? QChar(upperControlRange[value - 0x80])
                                                : QChar(char16_t(value));
    }
    return text;
}

QByteArray encodeWindows1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar character : text) {
        const char16_t unit = character.unicode();
        char byte = '?';
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            byte = static_cast<char>(unit);
        } else {
            for (int index = 0; index < 32; ++index) {
                if (upperControlRange[index] == unit)
                    byte = static_cast<char>(0x80 + index);
            }
        }
        bytes.append(byte);
    }
    return bytes;
}

} // namespace tramora
