#pragma once

#include <QLocale>
#include <QString>

namespace tramora {

// A byte count as the office reads it ("1,5 KB "), with the decimal separator of the locale.
QString FormatByteSize(qint64 bytes, const QLocale &locale = QLocale());

} // namespace tramora
