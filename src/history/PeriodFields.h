#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace tramora {

// The two period fields of the history tab hold day/month/year, typed through the mask
// "99/99/9999".
namespace PeriodFields {

// The entry mask of both fields; "_" marks the positions not typed yet.
QString inputMask();

// The date a field's text stands for; nothing when it is incomplete or not a valid date.
std::optional<QDate> parse(const QString &text);

// How a field shows a date.
QString text(const QDate &date);

} // namespace PeriodFields

} // namespace tramora
