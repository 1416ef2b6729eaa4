#include "history/PeriodFields.h"

#include <QRegularExpression>

namespace tramora::PeriodFields {

namespace {

constexpr QLatin1StringView fieldFormat{"dd/MM/yyyy"};

} // namespace

QString inputMask()
{
    return QStringLiteral("99/99/9999;_");
}

std::optional<QDate> parse(const QString &text)
{
    // Exactly two, two and four digits: the date parser alone would take one-digit days and
    // blanks left by the mask.
    static const QRegularExpression shape(QStringLiteral("^[0-9]{2}/[0-9]{2}/[0-9]{4}$"));
    if (!shape.match(text).hasMatch())
        return std::nullopt;
    const QDate date = QDate::fromString(text, fieldFormat);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString text(const QDate &date)
{
    return date.toString(fieldFormat);
}

} // namespace tramora::PeriodFields
