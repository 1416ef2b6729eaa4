#include "transmission/SendQueue.h"

#include "batch/FileOperations.h"
#include "common/BusyFlag.h"
#include "common/FormatByteSize.h"
#include "common/MessageBoxes.h"
#include "store/DataModule.h"
#include "transmission/EventPause.h"
#include "transmission/InternetConnection.h"
#include "transmission/PackageNames.h"
#include "transmission/TUploaderFiles.h"
#include "transmission/UploadBridge.h"
#include "validation/TextFiles.h"
#include "workspace/ProcessValues.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <exception>

Q_LOGGING_CATEGORY(lcSendQueue, "tramora.sendqueue")

namespace tramora {

namespace {

QString inFolder(const QString &folder, const QString &fileName)
{
    return folder + QDir::separator() + fileName;
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void letEventsRun()
{
    QCoreApplication::processEvents();
}

} // namespace

SendQueue::SendQueue(ProcessValues &values, DataModule &data, MessageBoxes &messages,
                     InternetConnection &connection, QTimer &validationTimer,
                     UploadConnection central, QObject *parent)
    : QObject(parent)
    , m_values(values)
    , m_data(data)
    , m_messages(messages)
    , m_connection(connection)
    , m_validationTimer(validationTimer)
    , m_central(std::move(central))
    , m_bridge(std::make_shared<UploadBridge>(
          this, [this](const UploadNotice &notice) { applyNotice(notice); }))
    , m_caption(QStringLiteral("Iniciar Processo de Envio"))
{
    m_timer.setInterval(3000);
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, &SendQueue::TimerEnviaArquivosTimer);
}

SendQueue::~SendQueue()
{
    m_timer.stop();
    m_bridge->close();
    for (auto &[caption, worker] : m_workers) {
        worker->wait();
        delete worker;
    }
    m_workers.clear();
}

QString SendQueue::extraCaFile() const
{
    return inFolder(inFolder(m_values.vCaminhoDoExecutavel, DataModule::dataFolderName()),
                    extraCaFileName());
}

void SendQueue::setCaption(const QString &caption)
{
    m_caption = caption;
    emit actionCaptionChanged(m_caption);
}

void SendQueue::actIniciarEnvioExecute()
{
    if (!m_running) {
        m_running = true;
        m_values.vValidandoArquivo = false;
        m_values.vEnviandoArquivo = false;
        m_values.vSelecionandoArquivo = false;
        m_timer.start();
        m_validationTimer.start();
        setCaption(QStringLiteral("Parar Processo de Envio"));
    } else {
        m_running = false;
        m_timer.stop();
        m_validationTimer.stop();
        setCaption(QStringLiteral("Iniciar Processo de Envio"));
    }
}

void SendQueue::TimerEnviaArquivosTimer()
{
    if (!m_connection.CONECTADO())
        return;
    emit preparedFilesChanged();

    const QString input = m_data.parametros().CaminhoXml.value_or(QString());
    const bool inputEmpty = isFolderEmpty(input);
    if (inputEmpty && !m_validationTimer.isActive())
        m_validationTimer.start();

    if (inputEmpty && isFolderEmpty(m_values.vCaminhoPreparados)
        && isFolderEmpty(m_values.vCaminhoTransmissao)) {
        m_values.vEnviandoArquivo = false;
        m_values.vSelecionandoArquivo = false;
        m_timer.stop();
        setCaption(QStringLiteral("Iniciar Processo de Envio"));
        m_messages.information(QStringLiteral("Fim do processo de Envio dos Arquivos para OLU?"));
        m_running = false;
        return;
    }

    if (!isFolderEmpty(m_values.vCaminhoTransmissao)) {
        try {
            EnviaArquivos();
        } catch (const std::exception &failure) {
            qCWarning(lcSendQueue) << "send pass failed:" << failure.what();
        }
        letEventsRun();
    }
    if (!isFolderEmpty(m_values.vCaminhoPreparados)) {
        try {
            SelecionaArquivosEnvio();
        } catch (const std::exception &failure) {
            qCWarning(lcSendQueue) << "selection pass failed:" << failure.what();
        }
        letEventsRun();
    }
}

void SendQueue::SelecionaArquivosEnvio()
{
    if (m_values.vSelecionandoArquivo)
        return;
    const qint64 limit = m_data.parametros().QuantUpLoad.value_or(0);
    const qint64 free = limit - ContaArquivo(m_values.vCaminhoTransmissao, QStringLiteral("*.TXT"));
    if (free <= 0)
        return;

    const BusyFlag busy(m_values.vSelecionandoArquivo);
    for (qint64 n = 0; n < free; ++n) {
        const QStringList markers = markersIn(m_values.vCaminhoPreparados);
        if (markers.isEmpty())
            continue;
        const QString markerName = markers.first();
        const QString zipName = zipNameOfMarker(markerName);
        const QString marker = inFolder(m_values.vCaminhoPreparados, markerName);
        const QString zip = inFolder(m_values.vCaminhoPreparados, zipName);
        const bool hasMarker = QFileInfo::exists(marker);
        const bool hasZip = QFileInfo::exists(zip);

        if (hasMarker && hasZip) {
            // The marker follows only a package that arrived: a marker alone in the
            // transmission folder would send the package to the refused folder.
            if (MoveFileWithReplace(zip, inFolder(m_values.vCaminhoTransmissao, zipName))) {
                pauseWithEvents(m_selectionPauseMs);
                MoveFileWithReplace(marker, inFolder(m_values.vCaminhoTransmissao, markerName));
            }
        } else if (hasMarker) {
            MoveFileWithReplace(marker, inFolder(m_values.vCaminhoRecusado, markerName));
            m_data.history().InserirLog(
                QStringLiteral("OLU"),
                QStringLiteral("Falha ao Selecionar os Arquivo para Enivo a OLU, está faltando o "
                               "arquivo ")
                    + u'"' + nativePath(zip) + u'"'
                    + QStringLiteral(", para o arquivo TXT! Verifique, Vide Manual de "
                                     "Integração OLU"),
                marker);
        } else if (hasZip) {
            MoveFileWithReplace(zip, inFolder(m_values.vCaminhoRecusado, zipName));
            m_data.history().InserirLog(
                QStringLiteral("OLU"),
                QStringLiteral("Falha ao Selecionar os Arquivo para Enivo a OLU, está faltando o "
                               "arquivo ")
                    + u'"' + nativePath(marker) + u'"'
                    + QStringLiteral(", para o arquivo ZIP! Verifique, Vide Manual de "
                                     "Integração OLU"),
                zip);
        }
        emit preparedFilesChanged();
    }
}

void SendQueue::EnviaArquivos()
{
    if (m_values.vEnviandoArquivo)
        return;
    const QStringList markers = markersIn(m_values.vCaminhoTransmissao);
    const int n = static_cast<int>(markers.size());
    if (n <= 0)
        return;

    const BusyFlag busy(m_values.vEnviandoArquivo);
    int i = m_model.rowCount();
    for (const QString &markerName : markers) {
        if (n < i)
            continue;
        const QString caption = captionOfMarker(markerName);
        // A worker whose row was removed by hand still owns its package until it ends.
        if (m_model.findRow(caption) >= 0 || m_workers.count(caption) > 0)
            continue;
        const QString zipName = zipNameOfMarker(markerName);
        const QString marker = inFolder(m_values.vCaminhoTransmissao, markerName);
        const QString zip = inFolder(m_values.vCaminhoTransmissao, zipName);
        const bool hasMarker = QFileInfo::exists(marker);
        const bool hasZip = QFileInfo::exists(zip);
        if (hasMarker && hasZip) {
            const QString folder = remoteFolderFor(AbreArquivoTexto(marker));
            SendingListModel::Row row;
            row.caption = caption;
            row.tamanho = QStringLiteral("0 kb");
            row.taxa = QStringLiteral("0");
            row.status = QStringLiteral("Conectando...");
            m_model.addRow(row);
            startWorker(caption, marker, zip, folder);
        } else if (hasMarker) {
            MoveFileWithReplace(marker, inFolder(m_values.vCaminhoRecusado, markerName));
        } else if (hasZip) {
            MoveFileWithReplace(zip, inFolder(m_values.vCaminhoRecusado, zipName));
        }
        ++i;
        letEventsRun();
    }
}

void SendQueue::startWorker(const QString &caption, const QString &txt, const QString &zip,
                            const QString &remoteFolder)
{
    UploadConnection connection = m_central;
    connection.proxy = FtpProxySettings::fromParametros(m_data.parametros());
    if (connection.extraCaFile.isEmpty() && QFileInfo::exists(extraCaFile()))
        connection.extraCaFile = extraCaFile();
    auto *worker
        = new TUploaderFiles(caption, txt, zip, remoteFolder, std::move(connection), m_bridge);
    m_workers[caption] = worker;
    connect(worker, &QThread::finished, this, [this, caption] { workerEnded(caption); });
    // A worker that ended before the connection was made must not hold its package forever.
    if (worker->isFinished())
        QMetaObject::invokeMethod(
            this, [this, caption] { workerEnded(caption); }, Qt::QueuedConnection);
}

void SendQueue::workerEnded(const QString &caption)
{
    const auto found = m_workers.find(caption);
    if (found == m_workers.end())
        return;
    TUploaderFiles *worker = found->second;
    m_workers.erase(found);
    worker->wait();
    const bool sent = worker->succeeded();
    delete worker;
    emit uploadEnded(caption, sent);
}

void SendQueue::applyNotice(const UploadNotice &notice)
{
    const int row = m_model.findRow(notice.caption);
    if (row < 0)
        return;
    FileUploadCallback(notice.kind, notice.message, row, notice.bytes, notice.rate,
                       notice.remoteSize, notice.fileNameZIP, notice.fileNameTXT);
}

void SendQueue::FileUploadCallback(int kind, const QString &message, int row, qint64 bytes,
                                   qint64 rate, qint64 remoteSize, const QString &fileNameZIP,
                                   const QString &fileNameTXT)
{
    if (m_model.rowCount() == 0 || row < 0 || row >= m_model.rowCount())
        return;
    SendingListModel::Row values = m_model.row(row);
    const auto rateText = [&] { return FormatByteSize(rate, m_locale) + QStringLiteral("/ Seg"); };
    switch (kind) {
    case UploadNotice::Begin:
        values.minimum = 0;
        values.maximum = bytes > 0 ? bytes : 0;
        values.position = qMin(remoteSize < 0 ? 0 : remoteSize, values.maximum);
        values.tamanho = FormatByteSize(values.maximum, m_locale);
        values.taxa = rateText();
        values.status = message;
        m_model.updateRow(row, values);
        break;
    case UploadNotice::Progress: {
        values.position = bytes;
        const double percent = values.maximum > 0
            ? static_cast<double>(values.position) / static_cast<double>(values.maximum) * 100.0
            : 0.0;
        if (values.position >= values.maximum)
            values.position = 0;
        values.tamanho = FormatByteSize(values.maximum, m_locale);
        values.taxa = rateText();
        values.status = m_locale.toString(percent, 'f', 2) + QStringLiteral(" %") + message;
        m_model.updateRow(row, values);
        break;
    }
    case UploadNotice::End:
        values.status = message;
        values.minimum = values.position = values.maximum = 0;
        m_model.updateRow(row, values);
        break;
    case UploadNotice::Finished:
        values.status = message;
        m_model.updateRow(row, values);
        m_model.removeRowAt(row);
        if (!fileNameZIP.isEmpty() && QFileInfo::exists(fileNameZIP))
            QFile::remove(fileNameZIP);
        if (!fileNameTXT.isEmpty() && QFileInfo::exists(fileNameTXT))
            QFile::remove(fileNameTXT);
        break;
    case UploadNotice::Failed:
        values.status = message;
        m_model.updateRow(row, values);
        m_model.removeRowAt(row);
        break;
    default:
        break;
    }
}

void SendQueue::ListView_EnvioDelete(int row)
{
    m_model.removeRowAt(row);
}

} // namespace tramora
