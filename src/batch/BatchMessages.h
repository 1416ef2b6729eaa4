#pragma once

#include <QString>

namespace tramora {

struct ValidationState;

// The batch run's own history messages, as the office reads them.
namespace batchmsg {

QString structureFailure(); // the index was refused by the engine
QString p7sNoLongerAllowed();
QString documentCheckFailed();
// Lists the attachments whose release flag is false, in the central's order.
QString attachmentsRefused(const ValidationState &state);
QString packingFailed();

} // namespace batchmsg

} // namespace tramora
