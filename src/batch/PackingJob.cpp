#include "batch/PackingJob.h"

#include "batch/FileOperations.h"
#include "batch/PackageWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace tramora {

namespace {

QString inFolder(const QString &folder, const QString &path)
{
    return folder + QLatin1Char('/') + QFileInfo(path).fileName();
}

QString journalPathOf(const PackagePlan &plan)
{
    return plan.base + PackingJournal::suffix();
}

bool sameContent(const QString &first, const QString &second)
{
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size())
        return false;
    constexpr qint64 chunk = 1 << 20;
    while (!a.atEnd()) {
        if (a.read(chunk) != b.read(chunk))
            return false;
    }
    return true;
}

QString notReturnedMessage()
{
    return QStringLiteral("O arquivo não pôde voltar para a pasta de origem depois de uma falha "
                          "ao preparar o pacote e foi movido para a pasta Recusado. Verifique !");
}

QString occupiedMessage()
{
    return QStringLiteral("O arquivo não pôde voltar para a pasta de origem depois de uma falha "
                          "ao preparar o pacote, porque lá já existe outro arquivo com o mesmo "
                          "nome; esta versão foi movida para a pasta Recusado. Verifique !");
}

QString orphanMessage()
{
    return QStringLiteral("Arquivo deixado na pasta Temp por um processamento interrompido, sem "
                          "registro do nome original; foi movido para a pasta Recusado. "
                          "Verifique !");
}

// Puts a working copy back under its original name; where that is impossible it goes to
// Recusado under the original name, with a note. Nothing is ever deleted unless an identical
// copy stands at the original place.
void returnMember(const PackingJournal::Member &member, const WorkspaceFolders &folders,
                  std::vector<RecoveryNote> &notes)
{
    if (!QFileInfo::exists(member.working))
        return;
    const QString name = QFileInfo(member.original).fileName();
    if (QFileInfo::exists(member.original)) {
        // A copy across volumes interrupted after its target was complete leaves both.
        if (sameContent(member.working, member.original)) {
            QFile::remove(member.working);
            return;
        }
        if (MoveFileWithReplace(member.working, inFolder(folders.recusado, member.original)))
            notes.push_back({name, occupiedMessage()});
        return;
    }
    if (MoveFileWithReplace(member.working, member.original))
        return;
    if (MoveFileWithReplace(member.working, inFolder(folders.recusado, member.original)))
        notes.push_back({name, notReturnedMessage()});
}

bool anyWorkingCopyLeft(const PackingJournal &journal)
{
    for (const PackingJournal::Member &member : journal.members) {
        if (QFileInfo::exists(member.working))
            return true;
    }
    return false;
}

void deleteWorkingCopies(const PackingJournal &journal)
{
    for (const PackingJournal::Member &member : journal.members)
        QFile::remove(member.working);
}

// Temporary files of the package and marker writers; partial by construction, and written
// only by this program.
bool isPartialWrite(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("\\.(zip|txt|journal|xml|pdf|p7s|json|geojson)\\.[A-Za-z0-9]{6}$"));
    return pattern.match(name).hasMatch();
}

} // namespace

std::vector<RecoveryNote> restoreMembers(const PackingJournal &journal, const QString &journalPath,
                                         const WorkspaceFolders &folders)
{
    std::vector<RecoveryNote> notes;
    QFile::remove(journal.marker);
    QFile::remove(journal.zip);
    for (const PackingJournal::Member &member : journal.members)
        returnMember(member, folders, notes);
    if (!anyWorkingCopyLeft(journal))
        QFile::remove(journalPath);
    return notes;
}

bool finishPackage(const PackingJournal &journal, const QString &journalPath,
                   const WorkspaceFolders &folders)
{
    const QString zipTarget = inFolder(folders.preparados, journal.zip);
    const QString markerTarget = inFolder(folders.preparados, journal.marker);
    if (QFileInfo::exists(journal.zip) && !MoveFileWithReplace(journal.zip, zipTarget))
        return false;
    if (QFileInfo::exists(journal.marker)) {
        // The marker never goes ahead of its package.
        if (!QFileInfo::exists(zipTarget) || !MoveFileWithReplace(journal.marker, markerTarget))
            return false;
    }
    deleteWorkingCopies(journal);
    QFile::remove(journalPath);
    return true;
}

PackingOutcome packFileSet(const PackagePlan &plan, const FileSetMembers &present,
                           const QString &versao, const QString &indexName,
                           const WorkspaceFolders &folders)
{
    PackingOutcome outcome;
    PackingJournal journal;
    journal.indexName = indexName;
    journal.zip = plan.zip;
    journal.marker = plan.marker;
    const std::pair<const QString &, const QString &> pairs[] = {
        {present.index, plan.working.index},   {present.document, plan.working.document},
        {present.sinter, plan.working.sinter}, {present.cori, plan.working.cori},
        {present.cpi, plan.working.cpi},       {present.mlri, plan.working.mlri},
    };
    for (const auto &[original, working] : pairs) {
        if (!original.isEmpty())
            journal.members.push_back({original, working});
    }

    const QString journalPath = journalPathOf(plan);
    if (!journal.write(journalPath)) {
        QFile::remove(journalPath);
        return outcome;
    }

    auto undo = [&] {
        outcome.notes = restoreMembers(journal, journalPath, folders);
        return outcome;
    };
    for (const PackingJournal::Member &member : journal.members) {
        if (!MoveFileWithReplace(member.original, member.working))
            return undo();
    }
    const QStringList entries{plan.working.index, plan.working.document, plan.working.sinter,
                              plan.working.cori,  plan.working.cpi,      plan.working.mlri};
    if (!CompactaArquivos(plan.zip, entries, 5))
        return undo();
    if (!writeWholeFile(plan.marker, markerContent(versao)))
        return undo();
    journal.phase = PackingJournal::Phase::Packed;
    if (!journal.write(journalPath))
        return undo();

    outcome.packed = finishPackage(journal, journalPath, folders);
    return outcome;
}

std::vector<RecoveryNote> recoverTempFolder(const WorkspaceFolders &folders)
{
    std::vector<RecoveryNote> notes;
    QDir temp(folders.temp);
    if (!temp.exists())
        return notes;

    const QDir::Filters files = QDir::Files | QDir::Hidden | QDir::System;
    // Files of a set whose journal must stay for a later pass are not strays.
    QSet<QString> claimed;
    for (const QString &name :
         temp.entryList({QLatin1Char('*') + PackingJournal::suffix()}, files, QDir::Name)) {
        const QString journalPath = temp.filePath(name);
        const std::optional<PackingJournal> journal = PackingJournal::read(journalPath);
        if (!journal) {
            // Written whole or not at all: an unreadable journal is a foreign file.
            continue;
        }
        if (journal->phase == PackingJournal::Phase::Packed)
            finishPackage(*journal, journalPath, folders);
        else {
            std::vector<RecoveryNote> restored = restoreMembers(*journal, journalPath, folders);
            notes.insert(notes.end(), restored.begin(), restored.end());
        }
        if (QFileInfo::exists(journalPath)) {
            claimed.insert(name);
            claimed.insert(QFileInfo(journal->zip).fileName());
            claimed.insert(QFileInfo(journal->marker).fileName());
            for (const PackingJournal::Member &member : journal->members)
                claimed.insert(QFileInfo(member.working).fileName());
        }
    }

    const QStringList left = temp.entryList(files, QDir::Name);
    QSet<QString> unclaimed;
    for (const QString &name : left) {
        if (claimed.contains(name))
            continue;
        if (isPartialWrite(name))
            QFile::remove(temp.filePath(name));
        else
            unclaimed.insert(name);
    }
    // A marker whose package stands beside it makes a complete pair.
    static const QRegularExpression markerName(QStringLiteral("^(.*)-(pdf|p7s)\\.txt$"));
    for (const QString &name : QStringList(unclaimed.begin(), unclaimed.end())) {
        const QRegularExpressionMatch match = markerName.match(name);
        const QString zipName
            = match.hasMatch() ? match.captured(1) + QStringLiteral(".zip") : QString();
        if (zipName.isEmpty() || !unclaimed.contains(zipName))
            continue;
        if (MoveFileWithReplace(temp.filePath(zipName), inFolder(folders.preparados, zipName)))
            MoveFileWithReplace(temp.filePath(name), inFolder(folders.preparados, name));
    }
    for (const QString &name : temp.entryList(files, QDir::Name)) {
        if (claimed.contains(name))
            continue;
        if (MoveFileWithReplace(temp.filePath(name), inFolder(folders.recusado, name)))
            notes.push_back({name, orphanMessage()});
    }
    return notes;
}

} // namespace tramora
