#pragma once

#include <QString>
#include <QStringList>

namespace tramora {

// The kinds of personal data an act may declare, as four lines of names between bars.
QStringList lgpdInformationTypeLines();

// The lines joined, each followed by CR LF: the text the LGPD rules search and quote.
QString lgpdInformationTypeText(const QStringList &lines);

} // namespace tramora
