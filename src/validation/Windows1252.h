#pragma once

#include <QByteArray>
#include <QString>

namespace tramora {

// Text written by the office software in the workstation's ANSI code page. The five bytes the
// code page leaves undefined come back as the control characters of the same value, so no byte
// is ever lost or replaced.
QString decodeWindows1252(const QByteArray &bytes);

// Text for the central in the same code page; a character the code page lacks becomes "?".
QByteArray encodeWindows1252(const QString &text);

} // namespace tramora
