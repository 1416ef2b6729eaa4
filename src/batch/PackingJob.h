#pragma once

#include "batch/PackageNaming.h"
#include "batch/PackingJournal.h"

#include <QString>

#include <vector>

namespace tramora {

struct WorkspaceFolders
{
    QString temp;
    QString preparados;
    QString recusado;
};

// A history entry that file work done away from the history asks the caller to file.
struct RecoveryNote
{
    QString file;
    QString message;
};

struct PackingOutcome
{
    bool packed = false; // package and marker are in Preparados
    std::vector<RecoveryNote> notes;
};

// Packs one set: moves its members into Temp under their package names, writes the package
// and its marker, moves both into Preparados (package first) and deletes the working copies.
// Works on files only, so it may run away from the user-interface thread. When it fails
// before the package is complete, every member goes back where it came from (or to Recusado
// when that is impossible); a complete package left in Temp is finished by recoverTempFolder.
PackingOutcome packFileSet(const PackagePlan &plan, const FileSetMembers &present,
                           const QString &versao, const QString &indexName,
                           const WorkspaceFolders &folders);

// Undoes a journal's moves: each working copy still in Temp returns to its drop folder.
// Removes the partial package and marker and, when nothing of the set is left in Temp, the
// journal.
std::vector<RecoveryNote> restoreMembers(const PackingJournal &journal, const QString &journalPath,
                                         const WorkspaceFolders &folders);

// Moves a complete package on to Preparados, package before marker, and clears Temp of the
// set. False when the package could not reach Preparados; the journal then stays, so that a
// later pass tries again.
bool finishPackage(const PackingJournal &journal, const QString &journalPath,
                   const WorkspaceFolders &folders);

// Everything a killed pass left in Temp: journals are finished or undone, complete package
// and marker pairs go on to Preparados, partial files of this program are removed, and any
// other file goes to Recusado with a note, because its original name cannot be known.
std::vector<RecoveryNote> recoverTempFolder(const WorkspaceFolders &folders);

} // namespace tramora
