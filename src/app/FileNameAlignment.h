#pragma once

#include <QString>
#include <QStringList>

namespace tramora {

// An act's index and its document share a base name: "Ato1.xml" goes with "Ato1.pdf" and
// "Ato1.pdf.p7s". These find the partner entry of one list in the other.

// The name without its folder and without its last extension (an index file).
QString indexBaseName(const QString &path);
// The name without its folder and without its last two extensions (a document, which may
// be a signed "X.pdf.p7s").
QString documentBaseName(const QString &path);

// The entry of names that belongs to baseName, -1 when none does. The search starts at the
// second entry and wraps around to the first. An entry belongs when, ignoring case, it is
// baseName itself or baseName followed by an extension, so that "Ato1" never picks "Ato10".
int findPartner(const QStringList &names, const QString &baseName);

} // namespace tramora
