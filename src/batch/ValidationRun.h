#pragma once

#include "batch/PackageNaming.h"
#include "batch/PackingJob.h"
#include "batch/SetJudgment.h"
#include "pdf/PdfDocumentRules.h"
#include "validation/IndexValidator.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace tramora {

class Clock;
class DataModule;
class MessageBoxes;
struct ProcessValues;

// The batch validation run: on every tick of its timer each index file dropped into the
// index folder is judged with its document and side files, and the set either becomes a
// package with its marker in Preparados or goes to Recusado with its reasons in the history.
// It runs on the user-interface thread; events flow between files and while the long file
// work of one set is done on a worker thread.
class ValidationRun final : public QObject
{
    Q_OBJECT

public:
    ValidationRun(DataModule &store, ProcessValues &values, const Clock &clock,
                  MessageBoxes &messages, QObject *parent = nullptr);

    // Interval 2000 ms, switched off until processing starts.
    QTimer &TimerValidaArquivos() { return m_timer; }

    void TimerValidaArquivosTimer();
    // Judges one file set of the index folder and packs or refuses it.
    void ValidaArquivos(const QString &Arquivo);
    // Moves the current file set to Recusado.
    void SelecionaArquivosRecusados();
    // Finishes or undoes whatever an interrupted pass left in Temp; done at start-up and
    // before every pass.
    void recoverTemp();

    const ValidationState &state() { return m_judgment.state(); }
    // The last set's package plan (the working names in Temp); empty before packing.
    const PackagePlan &lastPlan() const { return m_plan; }
    // Pauses of the TipoEnvio "A" case; the tests shorten it.
    void setDocumentDropPause(int milliseconds) { m_dropPauseMs = milliseconds; }

signals:
    // The index, document and prepared file lists may have changed.
    void fileListsChanged();
    // A pass has ended; the window sets the cursor back.
    void passFinished();

private:
    void runPass(const QStringList &names);
    void pack(const QString &Arquivo);
    void dropDocument(const QString &path);
    QString uniqueStamp();
    WorkspaceFolders folders() const;
    void fileNotes(const std::vector<RecoveryNote> &notes);

    DataModule &m_store;
    ProcessValues &m_values;
    const Clock &m_clock;
    MessageBoxes &m_messages;
    QTimer m_timer;
    IndexValidator m_validator;
    PdfDocumentRules m_documents;
    SetJudgment m_judgment;
    PackagePlan m_plan;
    QDateTime m_lastStamp;
    int m_dropPauseMs = 500;
};

} // namespace tramora
