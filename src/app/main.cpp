#include "CnsDialog.h"
#include "ConnectionProbe.h"
#include "HistoryTab.h"
#include "MainWindow.h"
#include "MessageWindow.h"
#include "OfficeTab.h"
#include "ProxyActions.h"
#include "QtFolderDialog.h"
#include "SendingList.h"
#include "ServiceStatus.h"
#include "SettingsTab.h"
#include "ValidationTab.h"
#include "WidgetMessageBoxes.h"
#include "WidgetSaveFileDialog.h"

#include "batch/ValidationRun.h"
#include "common/CentralEndpoints.h"
#include "common/Clock.h"
#include "transmission/SendQueue.h"
#include "workspace/ComputerNames.h"
#include "workspace/Startup.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLibraryInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);

    // The toolkit's own dialog texts (buttons of the file and folder dialogs) in Portuguese.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);

    tramora::SystemClock clock;
    tramora::WidgetMessageBoxes messages;
    tramora::StartupSequence startup(
        tramora::StartupEnvironment{QCoreApplication::applicationDirPath(),
                                    tramora::NomeComputador()},
        messages, clock);

    startup.createDataModule();

    const tramora::CentralEndpoints central = tramora::CentralEndpoints::compiledDefaults();
    tramora::SystemConnectionProbe connection(central.ftpHost);
    tramora::NoServiceStatus serviceStatus;
    tramora::CnsDialogPrompt cnsPrompt;
    tramora::QtFolderDialog folders; // outlives the window, whose settings tab asks it
    tramora::MainWindow window(startup,
                               tramora::MainWindowServices{
                                   &messages,
                                   &clock,
                                   &connection,
                                   &serviceStatus,
                                   &cnsPrompt,
                                   tramora::UserComputador,
                                   [](const QUrl &url) { return QDesktopServices::openUrl(url); },
                               });
    messages.setParent(&window);
    cnsPrompt.setParent(&window);
    if (window.FormCreate() == tramora::StartupSequence::Outcome::Quit)
        return 0;

    tramora::MessageWindow messageWindow(&window);
    window.setMessageWindow(&messageWindow);

    tramora::ValidationRun validation(startup.dataModule(), startup.values(), clock, messages);
    validation.recoverTemp();
    QObject::connect(&validation, &tramora::ValidationRun::fileListsChanged, &window,
                     &tramora::MainWindow::refreshFileLists);

    folders.setParent(&window);
    // The settings page is taller than small office screens; it scrolls instead of
    // stretching the window.
    auto *settings = new QScrollArea;
    settings->setWidgetResizable(true);
    settings->setFrameShape(QFrame::NoFrame);
    settings->setWidget(
        new tramora::SettingsTab({&startup.dataModule(), &messages, &folders,
                                  [&window] { window.updateHomologationNotice(); }}));
    window.setSettingsTab(settings);
    tramora::ProxyActions proxy(startup.dataModule(), messages, &window);
    QObject::connect(window.officeTab()->configureProxyButton(), &QPushButton::clicked,
                     [&proxy] { proxy.actConfigProxyExecute(); });
    QObject::connect(window.officeTab()->clearProxyButton(), &QPushButton::clicked,
                     [&proxy] { proxy.actResetProxyExecute(); });

    tramora::WidgetSaveFileDialog saveDialog;
    saveDialog.setParent(&window);
    auto *history = new tramora::HistoryTab(startup.dataModule().history(), clock, messages,
                                            saveDialog, QCoreApplication::applicationDirPath());
    window.setHistoryTab(history,
                         {[history](const QDate &day) { history->setPeriod(day); },
                          [history] { history->AcBuscaPeriodoExecute(); }});

    tramora::SendQueue sending(startup.values(), startup.dataModule(), messages, connection,
                               validation.TimerValidaArquivos(),
                               tramora::UploadConnection::forCentral(central));
    tramora::showSendingList(*window.validationTab()->ListView_Envio(), sending);
    window.setSendControls(tramora::SendControls{[&] { sending.actIniciarEnvioExecute(); }, {}});
    QObject::connect(&sending, &tramora::SendQueue::actionCaptionChanged, &window,
                     &tramora::MainWindow::setSendCaption);
    QObject::connect(&sending, &tramora::SendQueue::preparedFilesChanged, &window,
                     &tramora::MainWindow::refreshFileLists);

    QObject::connect(&window, &tramora::MainWindow::quitRequested, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return application.exec();
}
