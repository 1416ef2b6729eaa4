#pragma once

#include <QString>

namespace tramora {

// The workstation's name and the logged-on user's, each cut to the 15 characters the
// office's older records and the status bar were made for. Empty when unknown.
QString NomeComputador();
QString UserComputador();

} // namespace tramora
