#include "transmission/TUploaderFiles.h"

#include "transmission/FtpsSession.h"
#include "transmission/UploadBridge.h"
#include "transmission/UploadNotice.h"

#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcUpload, "tramora.upload")

namespace tramora {

namespace {

// Progress is handed to the window at most this often; the last byte is always reported.
constexpr qint64 progressIntervalMs = 100;

} // namespace

TUploaderFiles::TUploaderFiles(QString caption, QString fileNameTXT, QString fileNameZIP,
                               QString remoteFolder, UploadConnection connection,
                               std::shared_ptr<UploadBridge> bridge, QObject *parent)
    : QThread(parent)
    , m_caption(std::move(caption))
    , m_fileNameTXT(std::move(fileNameTXT))
    , m_fileNameZIP(std::move(fileNameZIP))
    , m_remoteFolder(std::move(remoteFolder))
    , m_connection(std::move(connection))
    , m_bridge(std::move(bridge))
{
    start();
}

TUploaderFiles::~TUploaderFiles()
{
    wait();
}

void TUploaderFiles::run()
{
    m_succeeded = upload();
    if (m_succeeded) {
        FinishedUpload();
    } else {
        qCInfo(lcUpload) << m_caption << "not sent:" << m_failureReason;
        // A failed package is not reported as finished: the queue would delete its files.
        HandleException();
    }
}

bool TUploaderFiles::upload()
{
    FtpsSession session(m_connection,
                        [this](qint64 sent, qint64 total) { return FTPWork(sent, total); });
    const QString zipName = QFileInfo(m_fileNameZIP).fileName();
    const QString txtName = QFileInfo(m_fileNameTXT).fileName();
    const qint64 localSize = QFileInfo(m_fileNameZIP).size();

    if (!session.open(m_remoteFolder)) {
        m_failureReason = session.lastError();
        return false;
    }
    const auto remote = session.remoteSize(zipName);
    if (!remote) {
        m_failureReason = session.lastError();
        return false;
    }
    bytesToTransfer = *remote;

    // Always from the first byte: a partial copy on the server is replaced, never appended
    // to, since nothing proves that its bytes are the package's.
    if (!transfer(session, m_fileNameZIP))
        return false;
    const auto stored = session.remoteSize(zipName);
    if (!stored || *stored != localSize) {
        m_failureReason = stored ? QStringLiteral("server holds %1 of %2 bytes of %3")
                                       .arg(*stored)
                                       .arg(localSize)
                                       .arg(zipName)
                                 : session.lastError();
        return false;
    }
    if (!m_bridge->pause(m_connection.markerPauseMs)) {
        m_failureReason = QStringLiteral("abandoned");
        return false;
    }
    const qint64 markerSize = QFileInfo(m_fileNameTXT).size();
    if (!transfer(session, m_fileNameTXT))
        return false;
    const auto storedMarker = session.remoteSize(txtName);
    if (!storedMarker || *storedMarker != markerSize) {
        m_failureReason = QStringLiteral("marker %1 not stored whole").arg(txtName);
        return false;
    }
    return true;
}

bool TUploaderFiles::transfer(FtpsSession &session, const QString &localPath)
{
    const QFileInfo file(localPath);
    if (!file.isFile()) {
        m_failureReason = QStringLiteral("%1 is missing").arg(localPath);
        return false;
    }
    FTPWorkBegin(file.size());
    if (!session.store(localPath, file.fileName())) {
        m_failureReason = m_bridge->isClosed() ? QStringLiteral("abandoned") : session.lastError();
        return false;
    }
    FTPWorkEnd();
    return true;
}

void TUploaderFiles::FTPWorkBegin(qint64 total)
{
    vHoraInicio.start();
    m_sinceReport.start();
    m_lastReported = -1;
    vTaxaTransferencia = 0;
    UploadNotice notice;
    notice.kind = UploadNotice::Begin;
    notice.caption = m_caption;
    notice.message = QStringLiteral("Iniciando Envio do Arquvo");
    notice.bytes = total;
    notice.rate = vTaxaTransferencia;
    notice.remoteSize = bytesToTransfer;
    m_bridge->post(notice);
}

bool TUploaderFiles::FTPWork(qint64 sent, qint64 total)
{
    if (m_bridge->isClosed())
        return false;
    if (sent == m_lastReported || sent <= 0)
        return true;
    const qint64 elapsedMs = vHoraInicio.elapsed();
    const qint64 seconds = elapsedMs / 1000;
    // Within the first second the rate comes from the milliseconds instead of staying 0.
    vTaxaTransferencia
        = seconds > 0 ? sent / seconds : (elapsedMs > 0 ? sent * 1000 / elapsedMs : 0);
    if (m_lastReported >= 0 && sent < total && m_sinceReport.elapsed() < progressIntervalMs)
        return true;
    m_sinceReport.restart();
    m_lastReported = sent;
    UploadNotice notice;
    notice.kind = UploadNotice::Progress;
    notice.caption = m_caption;
    notice.message = QStringLiteral(" do Arquivo sendo enviado");
    notice.bytes = sent;
    notice.rate = vTaxaTransferencia;
    m_bridge->post(notice);
    return true;
}

void TUploaderFiles::FTPWorkEnd()
{
    UploadNotice notice;
    notice.kind = UploadNotice::End;
    notice.caption = m_caption;
    notice.message = QStringLiteral("Finalizando o Envio");
    m_bridge->post(notice);
}

void TUploaderFiles::FinishedUpload()
{
    UploadNotice notice;
    notice.kind = UploadNotice::Finished;
    notice.caption = m_caption;
    notice.message = QStringLiteral("Arquivo Enviado com Sucesso");
    notice.fileNameZIP = m_fileNameZIP;
    notice.fileNameTXT = m_fileNameTXT;
    m_bridge->postAndWait(notice);
}

void TUploaderFiles::HandleException()
{
    UploadNotice notice;
    notice.kind = UploadNotice::Failed;
    notice.caption = m_caption;
    notice.message = QStringLiteral("Falha na Conexao ");
    m_bridge->postAndWait(notice);
}

} // namespace tramora
