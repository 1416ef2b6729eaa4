#pragma once

#include "workspace/Startup.h"

#include <QMainWindow>
#include <QUrl>

#include <functional>

class QDialog;
class QTabWidget;

namespace tramora {

class AboutTab;
class Clock;
class CnsPrompt;
class ConnectionProbe;
class FilesTab;
class MessageBoxes;
class OfficeTab;
class PresentationTab;
class ServiceStatus;
class StatusLogin;
class ValidationTab;

// What the window asks of the world; start-up builds these and tests replace them.
struct MainWindowServices
{
    MessageBoxes *messages = nullptr;
    const Clock *clock = nullptr;
    ConnectionProbe *connection = nullptr;
    ServiceStatus *serviceStatus = nullptr;
    CnsPrompt *cnsPrompt = nullptr;
    // The logged-on user; empty when it cannot be read.
    std::function<QString()> userName;
    // Opens an address or a file with the workstation's default handler.
    std::function<bool(const QUrl &)> openUrl;
};

// The send queue's side of the window: the start and stop action and the sending list.
struct SendControls
{
    std::function<void()> actIniciarEnvioExecute;
    std::function<void()> clearSendingList;
};

// The history tab's side: its two period fields and its search.
struct HistoryTabHooks
{
    std::function<void(const QDate &)> setPeriod;
    std::function<void()> BuscaPeriodo;
};

// The main window: the banner, the seven tabs, the status bar, and the start-up steps that
// happen when it is created and first shown. Each tab's contents live in a class of its own;
// the actions behind the buttons belong to the services handed in.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    enum TabIndex {
        Presentation,
        Office,
        Settings,
        Files,
        Validation,
        History,
        About,
    };

    MainWindow(StartupSequence &startup, MainWindowServices services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Creation: the workspace steps of the start-up, then the homologation notice and the CNS.
    StartupSequence::Outcome FormCreate();
    // First showing: the CNS when the store holds none, the connection test, the central's
    // checks, automatic mode, the status bar and the countdown. Quit when the central's
    // answers end the application.
    StartupSequence::Outcome FormShow();

    // The connection test; paints the indicator.
    bool CONECTADO();
    void pgcControleChange(int index);
    void actAtualizarlista();
    // F1: the help page, opened in the default browser.
    void showHelp();
    // Re-reads the three file lists without complaining about missing folders, as the
    // validation run does after each file.
    void refreshFileLists();

    void setSendControls(SendControls controls) { m_send = std::move(controls); }
    void setSendCaption(const QString &caption);
    void setMessageWindow(QDialog *window) { m_messageWindow = window; }
    // Puts the settings and history pages in their tabs.
    void setSettingsTab(QWidget *page);
    void setHistoryTab(QWidget *page, HistoryTabHooks hooks);
    // The notice of tab 4, as the settings leave Homolog.
    void updateHomologationNotice();

    QTabWidget *pgcControle() const { return m_pgcControle; }
    QWidget *Panel_PrincipalTopo() const { return m_banner; }
    StatusLogin *statusLogin() const { return m_status; }
    PresentationTab *presentationTab() const { return m_presentation; }
    OfficeTab *officeTab() const { return m_office; }
    FilesTab *filesTab() const { return m_files; }
    ValidationTab *validationTab() const { return m_validation; }
    AboutTab *aboutTab() const { return m_about; }

    static QString caption();
    static QStringList tabCaptions();
    static QString bannerText();

signals:
    // The central's answers at start end the application.
    void quitRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormKeyDown(QKeyEvent *event);
    void askCnsWhenMissing();
    bool showMessageWindow();
    void replaceTabPage(int index, QWidget *page);
    QWidget *createBanner();

    StartupSequence &m_startup;
    MainWindowServices m_services;
    SendControls m_send;
    HistoryTabHooks m_history;
    QDialog *m_messageWindow = nullptr;
    bool m_shown = false;

    QWidget *m_banner = nullptr;
    QTabWidget *m_pgcControle = nullptr;
    StatusLogin *m_status = nullptr;
    PresentationTab *m_presentation = nullptr;
    OfficeTab *m_office = nullptr;
    FilesTab *m_files = nullptr;
    ValidationTab *m_validation = nullptr;
    AboutTab *m_about = nullptr;
};

} // namespace tramora
