#pragma once

#include <QString>
#include <QStringList>

namespace tramora {

struct ProcessValues;

// The folders kept beside the executable, in the order they are created.
QStringList workspaceFolderNames();

// Creates each workspace folder that is missing, in order, and sets the process-wide paths.
// Returns the folders that could not be created.
QStringList createWorkspaceFolders(const QString &applicationFolder, ProcessValues &values);

} // namespace tramora
