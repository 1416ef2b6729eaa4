#include "history/InconsistencyLog.h"

#include "common/Clock.h"
#include "common/MessageBoxes.h"
#include "common/SaveFileDialog.h"
#include "history/PeriodFields.h"
#include "history/RecusadoReport.h"
#include "store/DataLayerError.h"
#include "store/History.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QTemporaryFile>

namespace tramora {

namespace {

Q_LOGGING_CATEGORY(lcHistory, "tramora.history")

QString invalidField(const QString &label, const QString &text)
{
    return QStringLiteral("Período inválido: o campo \"%1\" contém \"%2\", que não é uma data "
                          "válida. Informe dia, mês e ano no formato DD/MM/AAAA.")
        .arg(label, text);
}

QString withTrailingSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

InconsistencyLog::InconsistencyLog(History &history, const Clock &clock, MessageBoxes &messages,
                                   SaveFileDialog &saveFile, QString applicationFolder)
    : m_history(history)
    , m_clock(clock)
    , m_messages(messages)
    , m_saveFile(saveFile)
    , m_applicationFolder(std::move(applicationFolder))
{ }

QDate InconsistencyLog::today() const
{
    return m_clock.now().date();
}

QString InconsistencyLog::logFolder() const
{
    return QDir(m_applicationFolder).filePath(QStringLiteral("Log"));
}

std::optional<HistoryPeriod> InconsistencyLog::periodOf(const QString &inicio, const QString &fim,
                                                        QString &problem) const
{
    const std::optional<QDate> start = PeriodFields::parse(inicio);
    if (!start) {
        problem = invalidField(QStringLiteral("Periodo de"), inicio);
        return std::nullopt;
    }
    const std::optional<QDate> end = PeriodFields::parse(fim);
    if (!end) {
        problem = invalidField(QStringLiteral("até"), fim);
        return std::nullopt;
    }
    return HistoryPeriod{*start, *end};
}

void InconsistencyLog::preparePeriodIndex()
{
    try {
        m_history.ensurePeriodIndex();
    } catch (const DataLayerError &error) {
        // Without the index the period still works, only slower.
        qCWarning(lcHistory) << "period index:" << error.text();
    }
}

bool InconsistencyLog::AcBuscaPeriodoExecute(const QString &inicio, const QString &fim)
{
    QString problem;
    const std::optional<HistoryPeriod> period = periodOf(inicio, fim, problem);
    if (!period) {
        m_searchError = problem;
        m_messages.error(problem);
        return false;
    }
    preparePeriodIndex();
    m_history.setPeriodFilter(period);
    m_searched = period;
    m_searchError.reset();
    return true;
}

std::optional<QString> InconsistencyLog::actGerarXmlLogExecute()
{
    if (m_searchError) {
        m_messages.error(*m_searchError);
        return std::nullopt;
    }

    // Built before the dialog opens: the dialog lets the timers run, and what they change in
    // the history meanwhile does not belong in this report.
    QTemporaryFile built;
    if (!built.open()) {
        m_messages.error(built.errorString());
        return std::nullopt;
    }
    qint64 count = 0;
    QString failure;
    try {
        RecusadoReport report(built);
        m_history.forEachIn(m_searched,
                            [&report](const HistoryRecord &record) { report.add(record); });
        if (!report.finish())
            failure = report.errorText();
        else if (!built.flush())
            failure = built.errorString();
        count = report.count();
    } catch (const DataLayerError &error) {
        failure = error.text();
    }
    if (!failure.isEmpty()) {
        m_messages.error(failure);
        return std::nullopt;
    }
    if (count == 0) {
        m_messages.information(noRecordsMessage());
        return std::nullopt;
    }

    QDir().mkpath(logFolder());
    const std::optional<QString> chosen = m_saveFile.getSaveFileName(
        logFolder(), RecusadoReport::fileName(), QStringLiteral("*.xml"));
    if (!chosen)
        return std::nullopt;

    // The name typed in the dialog is not used; only its folder is.
    const QFileInfo picked(*chosen);
    const QString folder = picked.isDir() ? picked.absoluteFilePath() : picked.absolutePath();
    const QString target = QDir(folder).filePath(RecusadoReport::fileName());
    if (!writeReport(target, built.fileName()))
        return std::nullopt;
    m_messages.information(QStringLiteral("Arquivo gerado no caminho: ")
                           + QDir::toNativeSeparators(withTrailingSeparator(folder))
                           + RecusadoReport::fileName());
    return target;
}

bool InconsistencyLog::writeReport(const QString &target, const QString &builtReport)
{
    // Written beside the target and renamed over it: a failure leaves an earlier report whole
    // and no half-written one.
    QFile source(builtReport);
    QSaveFile destination(target);
    if (!source.open(QIODevice::ReadOnly) || !destination.open(QIODevice::WriteOnly)) {
        m_messages.error(target + QStringLiteral(": ")
                         + (source.isOpen() ? destination.errorString() : source.errorString()));
        return false;
    }
    constexpr qint64 chunk = 1 << 16;
    while (!source.atEnd()) {
        const QByteArray part = source.read(chunk);
        if (part.isEmpty() || destination.write(part) != part.size()) {
            destination.cancelWriting();
            break;
        }
    }
    if (!destination.commit()) {
        m_messages.error(target + QStringLiteral(": ") + destination.errorString());
        return false;
    }
    return true;
}

std::optional<qint64> InconsistencyLog::actLimparLogExecute(const QString &inicio,
                                                            const QString &fim)
{
    QString problem;
    const std::optional<HistoryPeriod> period = periodOf(inicio, fim, problem);
    if (!period) {
        m_messages.error(problem);
        return std::nullopt;
    }
    if (!m_messages.confirmation(clearQuestion()))
        return std::nullopt;
    preparePeriodIndex();
    try {
        return m_history.clearPeriod(*period);
    } catch (const DataLayerError &error) {
        m_messages.error(error.text());
        return std::nullopt;
    }
}

} // namespace tramora
