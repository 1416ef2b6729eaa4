#pragma once

#include "transmission/SendingListModel.h"
#include "transmission/UploadConnection.h"
#include "transmission/UploadNotice.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>

namespace tramora {

class DataModule;
class InternetConnection;
class MessageBoxes;
class TUploaderFiles;
class UploadBridge;
struct ProcessValues;

// Moves prepared packages into the transmission folder, never more than QuantUpLoad at a
// time, starts one worker per package there and keeps the sending list up to date. Runs on
// the user-interface thread; the workers reach it only through their notices.
class SendQueue final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SendQueue)

public:
    // validationTimer is the batch run's timer, switched together with the send timer.
    SendQueue(ProcessValues &values, DataModule &data, MessageBoxes &messages,
              InternetConnection &connection, QTimer &validationTimer, UploadConnection central,
              QObject *parent = nullptr);
    // Running workers are let go: their transfers are abandoned and their files stay.
    ~SendQueue() override;

    SendingListModel &model() { return m_model; }
    QTimer &TimerEnviaArquivos() { return m_timer; }
    bool isRunning() const { return m_running; }
    // "Iniciar Processo de Envio" or "Parar Processo de Envio".
    const QString &actionCaption() const { return m_caption; }
    // Workers whose thread has not ended yet.
    int activeWorkers() const { return static_cast<int>(m_workers.size()); }

    void actIniciarEnvioExecute();
    void TimerEnviaArquivosTimer();
    void SelecionaArquivosEnvio();
    void EnviaArquivos();
    void FileUploadCallback(int kind, const QString &message, int row, qint64 bytes, qint64 rate,
                            qint64 remoteSize, const QString &fileNameZIP,
                            const QString &fileNameTXT);
    // Ctrl+Delete on a row: the row goes, its worker runs on.
    void ListView_EnvioDelete(int row);

    // The pause between moving a ZIP and its marker; tests shorten it.
    void setSelectionPauseMs(int ms) { m_selectionPauseMs = ms; }
    void setLocale(const QLocale &locale) { m_locale = locale; }
    // The extra authorities the workers trust, in the Data folder beside the executable.
    QString extraCaFile() const;
    static QString extraCaFileName() { return QStringLiteral("CentralCA.pem"); }

signals:
    // The window refreshes its list of prepared files.
    void preparedFilesChanged();
    void actionCaptionChanged(const QString &caption);
    // A worker's thread ended; sent tells whether its package arrived whole.
    void uploadEnded(const QString &caption, bool sent);

private:
    void applyNotice(const UploadNotice &notice);
    void startWorker(const QString &caption, const QString &txt, const QString &zip,
                     const QString &remoteFolder);
    void workerEnded(const QString &caption);
    void setCaption(const QString &caption);

    ProcessValues &m_values;
    DataModule &m_data;
    MessageBoxes &m_messages;
    InternetConnection &m_connection;
    QTimer &m_validationTimer;
    UploadConnection m_central;
    SendingListModel m_model;
    QTimer m_timer;
    std::shared_ptr<UploadBridge> m_bridge;
    std::map<QString, TUploaderFiles *> m_workers;
    QLocale m_locale;
    QString m_caption;
    bool m_running = false;
    int m_selectionPauseMs = 500;
};

} // namespace tramora
