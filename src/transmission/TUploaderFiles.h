#pragma once

#include "transmission/UploadConnection.h"

#include <QElapsedTimer>
#include <QString>
#include <QThread>

#include <memory>

namespace tramora {

class UploadBridge;

// Sends one package to the central on its own thread: the ZIP, then its marker, each stored
// whole. The marker goes only once the server holds the whole ZIP, because the central acts
// on the marker. On any failure both files stay where they are for a later pass.
class TUploaderFiles final : public QThread
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUploaderFiles)

public:
    // Starts at once.
    TUploaderFiles(QString caption, QString fileNameTXT, QString fileNameZIP, QString remoteFolder,
                   UploadConnection connection, std::shared_ptr<UploadBridge> bridge,
                   QObject *parent = nullptr);
    ~TUploaderFiles() override;

    const QString &FCaption() const { return m_caption; }
    const QString &remoteFolder() const { return m_remoteFolder; }
    // After the thread ended: whether the package arrived whole, and if not, why.
    bool succeeded() const { return m_succeeded; }
    const QString &failureReason() const { return m_failureReason; }

protected:
    void run() override;

private:
    bool upload();
    bool transfer(class FtpsSession &session, const QString &localPath);
    void FTPWorkBegin(qint64 total);
    bool FTPWork(qint64 sent, qint64 total);
    void FTPWorkEnd();
    void FinishedUpload();
    void HandleException();

    const QString m_caption;
    const QString m_fileNameTXT;
    const QString m_fileNameZIP;
    const QString m_remoteFolder;
    const UploadConnection m_connection;
    const std::shared_ptr<UploadBridge> m_bridge;

    QElapsedTimer vHoraInicio;
    qint64 vTaxaTransferencia = 0;
    qint64 bytesToTransfer = -1;
    qint64 m_lastReported = -1;
    QElapsedTimer m_sinceReport;
    bool m_succeeded = false;
    QString m_failureReason;
};

} // namespace tramora
