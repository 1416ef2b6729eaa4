#include "CheckSession.h"
#include "ConsoleMessages.h"

#include "batch/SetJudgment.h"
#include "common/Clock.h"
#include "pdf/PdfDocumentRules.h"
#include "validation/IndexValidator.h"
#include "workspace/Startup.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace tramora {

namespace {

std::unique_ptr<Clock> clockFor(const CheckOptions &options)
{
    if (options.today)
        return std::make_unique<FixedClock>(QDateTime(*options.today, QTime(12, 0)));
    return std::make_unique<SystemClock>();
}

} // namespace

CheckResult checkIndexFile(const QString &index, const CheckOptions &options)
{
    ConsoleMessages messages("tramora-check");
    const std::unique_ptr<Clock> clock = clockFor(options);
    QTemporaryDir workspace;

    // The office's own start-up, in a workspace nobody else sees.
    StartupSequence startup(
        {workspace.path(), QStringLiteral("TRAMORA-CHECK"), [](const QString &) { return false; }},
        messages, *clock);
    DataModule &store = startup.createDataModule();
    startup.prepareWorkspace();
    ProcessValues &values = startup.values();
    if (options.appVersion)
        values.appVersion = *options.appVersion;

    Parametros parametros = store.parametros();
    parametros.Cns = options.cns;
    parametros.CaminhoPdf = options.documents.value_or(QFileInfo(index).absolutePath());
    parametros.CaminhoXml = QFileInfo(index).absolutePath();

    IndexValidator validator(store.history(), *clock, values, parametros);
    PdfDocumentRules documents(store.history());
    documents.vLimiteMaximoPaginaPDF = values.vLimiteMaximoPaginaPDF;
    SetJudgment judgment(validator, documents, store.history());
    const QString path = QFileInfo(index).absoluteFilePath();

    CheckResult result;
    result.index = index;
    // The batch run's judgment; a document the act travels without stays where it is.
    result.accepted = judgment.judge(path, QFileInfo(index).fileName(), {});
    for (const HistoryRecord &record : store.history().visibleRecords())
        result.history.emplace_back(record.NomeArquivo, record.Erro.value_or(QString()));
    return result;
}

} // namespace tramora
