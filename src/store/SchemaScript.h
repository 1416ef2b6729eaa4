#pragma once

namespace tramora {

class SqlConnection;

// The start-up schema script. It creates what is missing and brings a history made by an
// older version (message column not yet TEXT) to the current layout; an up-to-date file is
// left as it is, so start-up does not grow with the history.
void runSchemaScript(SqlConnection &connection);

} // namespace tramora
