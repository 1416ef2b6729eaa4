#include "batch/ValidationRun.h"

#include "batch/BackgroundTask.h"
#include "batch/BatchMessages.h"
#include "batch/FileOperations.h"
#include "common/BusyFlag.h"
#include "common/Clock.h"
#include "common/MessageBoxes.h"
#include "store/DataModule.h"
#include "workspace/ProcessValues.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>

namespace tramora {

namespace {

const QString olu = QStringLiteral("OLU");

QString existing(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path) ? path : QString();
}

} // namespace

ValidationRun::ValidationRun(DataModule &store, ProcessValues &values, const Clock &clock,
                             MessageBoxes &messages, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_values(values)
    , m_clock(clock)
    , m_messages(messages)
    , m_validator(store.history(), clock, values, store.parametros())
    , m_documents(store.history())
    , m_judgment(m_validator, m_documents, store.history())
{
    m_timer.setInterval(2000);
    connect(&m_timer, &QTimer::timeout, this, &ValidationRun::TimerValidaArquivosTimer);
}

void ValidationRun::TimerValidaArquivosTimer()
{
    const QString folder = m_store.parametros().CaminhoXml.value_or(QString());
    if (isFolderEmpty(folder) || m_values.vValidandoArquivo) {
        if (!m_store.parametros().Processo)
            m_timer.stop();
        return;
    }
    const QStringList names = QDir(folder).entryList(
        {QStringLiteral("*.XML")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    if (names.isEmpty())
        return;

    try {
        BusyFlag busy(m_values.vValidandoArquivo);
        runPass(names);
    } catch (const std::exception &failure) {
        // The pass ends at the file that failed; the office is told, and the next tick starts
        // again.
        m_messages.error(QString::fromLocal8Bit(failure.what()));
    }
    emit passFinished();
}

void ValidationRun::runPass(const QStringList &names)
{
    recoverTemp();
    for (const QString &name : names) {
        m_store.history().resetRecord(name);
        ValidaArquivos(name);
        QCoreApplication::processEvents();
        emit fileListsChanged();
    }
    QCoreApplication::processEvents();
}

void ValidationRun::ValidaArquivos(const QString &Arquivo)
{
    m_plan = PackagePlan();
    m_documents.vLimiteMaximoPaginaPDF = m_values.vLimiteMaximoPaginaPDF;
    const QString indexPath
        = m_store.parametros().CaminhoXml.value_or(QString()) + QLatin1Char('/') + Arquivo;

    const bool accepted
        = m_judgment.judge(indexPath, Arquivo, [this](const QString &path) { dropDocument(path); });
    if (!accepted) {
        SelecionaArquivosRecusados();
        return;
    }
    pack(Arquivo);
}

void ValidationRun::dropDocument(const QString &path)
{
    QFile::remove(path);
    waitWithEventsFlowing(m_dropPauseMs);
}

void ValidationRun::SelecionaArquivosRecusados()
{
    const ValidationState &s = m_judgment.state();
    const QString recusado = m_values.vCaminhoRecusado;
    QStringList members{s.vArquivoXML};
    for (const QString &side :
         {s.vArquivoPDF, s.vArquivoSinter, s.vArquivoCori, s.vArquivoMlri, s.vArquivoCPI}) {
        if (!existing(side).isEmpty())
            members.append(side);
    }
    runWhileEventsFlow([&] {
        for (const QString &member : std::as_const(members))
            MoveFileWithReplace(member, recusado + QLatin1Char('/') + QFileInfo(member).fileName());
    });
}

void ValidationRun::pack(const QString &Arquivo)
{
    const ValidationState &s = m_judgment.state();
    FileSetMembers present;
    present.index = s.vArquivoXML;
    present.document = existing(s.vArquivoPDF);
    present.sinter = existing(s.vArquivoSinter);
    present.cori = existing(s.vArquivoCori);
    present.cpi = existing(s.vArquivoCPI);
    present.mlri = existing(s.vArquivoMlri);

    const Parametros &parametros = m_store.parametros();
    m_plan = planPackage(m_values.vCaminhoTemp, parametros.Cns.value_or(QString()), uniqueStamp(),
                         s.vVersaoXml, parametros.Homolog == QStringLiteral("S"), present);

    PackingOutcome outcome;
    const WorkspaceFolders where = folders();
    const QString versao = s.vVersaoXml;
    runWhileEventsFlow([&] {
        try {
            outcome = packFileSet(m_plan, present, versao, Arquivo, where);
        } catch (const std::exception &) {
            outcome.packed = false;
        }
    });
    fileNotes(outcome.notes);
    if (!outcome.packed) {
        m_judgment.state().vMensagemErro = batchmsg::packingFailed();
        m_store.history().InserirLog(olu, batchmsg::packingFailed(), Arquivo);
    }
}

// Two sets packed within one millisecond, or a clock set back, must not share a name.
QString ValidationRun::uniqueStamp()
{
    QDateTime moment = m_clock.now();
    if (m_lastStamp.isValid() && moment <= m_lastStamp)
        moment = m_lastStamp.addMSecs(1);
    const QString cns = m_store.parametros().Cns.value_or(QString());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString stamp = packageStamp(moment);
        const QString name = cns + QLatin1Char('_') + stamp;
        const bool taken
            = !QDir(m_values.vCaminhoTemp).entryList({name + QLatin1Char('*')}).isEmpty()
            || !QDir(m_values.vCaminhoPreparados).entryList({name + QLatin1Char('*')}).isEmpty();
        if (!taken)
            break;
        moment = moment.addMSecs(1);
    }
    m_lastStamp = moment;
    return packageStamp(moment);
}

WorkspaceFolders ValidationRun::folders() const
{
    return {m_values.vCaminhoTemp, m_values.vCaminhoPreparados, m_values.vCaminhoRecusado};
}

void ValidationRun::recoverTemp()
{
    std::vector<RecoveryNote> notes;
    const WorkspaceFolders where = folders();
    runWhileEventsFlow([&] {
        try {
            notes = recoverTempFolder(where);
        } catch (const std::exception &) {
            notes.clear();
        }
    });
    fileNotes(notes);
}

void ValidationRun::fileNotes(const std::vector<RecoveryNote> &notes)
{
    for (const RecoveryNote &note : notes)
        m_store.history().InserirLog(olu, note.message, note.file);
}

} // namespace tramora
