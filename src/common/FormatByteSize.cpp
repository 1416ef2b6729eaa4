#include "common/FormatByteSize.h"

#include <cmath>

namespace tramora {

namespace {

// The "#.## unit " picture: at most two decimals, trailing zeros dropped, no digit for a zero
// integer part and no separator when no decimal is left.
QString applyPicture(double value, const QString &unit, const QLocale &locale)
{
    const qint64 hundredths = std::llround(value * 100.0);
    const qint64 magnitude = hundredths < 0 ? -hundredths : hundredths;
    const qint64 whole = magnitude / 100;
    qint64 fraction = magnitude % 100;

    QString text;
    if (hundredths < 0)
        text += QLatin1Char('-');
    if (whole != 0)
        text += QString::number(whole);
    if (fraction != 0) {
        QString decimals = QString::number(fraction).rightJustified(2, QLatin1Char('0'));
        if (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += locale.decimalPoint() + decimals;
    }
    return text + QLatin1Char(' ') + unit + QLatin1Char(' ');
}

} // namespace

QString FormatByteSize(qint64 bytes, const QLocale &locale)
{
    constexpr qint64 kilo = 1024;
    constexpr qint64 mega = 1048576;
    constexpr qint64 giga = 1073741824;

    if (bytes <= 0)
        return applyPicture(double(bytes), QStringLiteral("bytes"), locale);
    if (bytes > giga)
        return applyPicture(double(bytes) / giga, QStringLiteral("GB"), locale);
    if (bytes > mega)
        return applyPicture(double(bytes) / mega, QStringLiteral("MB"), locale);
    if (bytes > kilo)
        return applyPicture(double(bytes) / kilo, QStringLiteral("KB"), locale);
    return applyPicture(double(bytes), QStringLiteral("bytes"), locale);
}

} // namespace tramora
