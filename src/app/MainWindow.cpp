#include "MainWindow.h"

#include "AboutTab.h"
#include "CnsPrompt.h"
#include "ConnectionIndicator.h"
#include "ConnectionProbe.h"
#include "FileListBox.h"
#include "FilesTab.h"
#include "HelpFile.h"
#include "OfficeTab.h"
#include "PresentationTab.h"
#include "ServiceStatus.h"
#include "StatusLogin.h"
#include "StatusTexts.h"
#include "SvgPicture.h"
#include "ValidationTab.h"

#include "common/Clock.h"
#include "common/MessageBoxes.h"
#include "store/DataLayerError.h"
#include "workspace/AppVersion.h"
#include "workspace/StandardVersions.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tramora {

namespace {

void paintWhite(QWidget *widget)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, Qt::white);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

} // namespace

MainWindow::MainWindow(StartupSequence &startup, MainWindowServices services, QWidget *parent)
    : QMainWindow(parent)
    , m_startup(startup)
    , m_services(std::move(services))
    , m_pgcControle(new QTabWidget(this))
    , m_status(new StatusLogin(this))
{
    setWindowTitle(caption());
    m_pgcControle->setObjectName(QStringLiteral("pgcControle"));

    const auto opener = [this](const QString &address) {
        if (m_services.openUrl)
            m_services.openUrl(QUrl(address));
    };
    m_presentation = new PresentationTab(opener, m_pgcControle);
    m_office = new OfficeTab(m_pgcControle);
    m_files = new FilesTab(m_pgcControle);
    m_validation = new ValidationTab(m_pgcControle);
    m_about = new AboutTab(m_pgcControle);

    const QStringList captions = tabCaptions();
    m_pgcControle->addTab(m_presentation, captions.at(Presentation));
    m_pgcControle->addTab(m_office, captions.at(Office));
    // The settings and the history pages come from their own classes (setSettingsTab,
    // setHistoryTab); until they are set the tabs hold an empty page.
    m_pgcControle->addTab(new QWidget(m_pgcControle), captions.at(Settings));
    m_pgcControle->addTab(m_files, captions.at(Files));
    m_pgcControle->addTab(m_validation, captions.at(Validation));
    m_pgcControle->addTab(new QWidget(m_pgcControle), captions.at(History));
    m_pgcControle->addTab(m_about, captions.at(About));

    auto *central = new QWidget(this);
    paintWhite(central);
    m_banner = createBanner();
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_banner);
    layout->addWidget(m_pgcControle, 1);
    setCentralWidget(central);
    setStatusBar(m_status);
    resize(1014, 671);
    if (const QScreen *shown = screen())
        move(shown->availableGeometry().center() - rect().center());

    connect(m_pgcControle, &QTabWidget::currentChanged, this, &MainWindow::pgcControleChange);
    connect(m_files->refreshButton(), &QPushButton::clicked, this, &MainWindow::actAtualizarlista);
    connect(m_validation->sendButton(), &QPushButton::clicked, this, [this] {
        if (m_send.actIniciarEnvioExecute)
            m_send.actIniciarEnvioExecute();
    });
}

MainWindow::~MainWindow() = default;

QString MainWindow::caption()
{
    return QStringLiteral("Tramora - Aplicativo de envio  de Documentos das Serventias para a "
                          "Central de Informações da QuarelVR");
}

QStringList MainWindow::tabCaptions()
{
    return {QStringLiteral("Apresentação"),
            QStringLiteral("01 - Serventia"),
            QStringLiteral("02 - Configuração"),
            QStringLiteral("03 - Arquivos"),
            QStringLiteral("04 - Validação"),
            QStringLiteral("05 - Inconsistência(s)"),
            QStringLiteral("Sobre")};
}

QString MainWindow::bannerText()
{
    return QStringLiteral("Central Eletrônica de Integração e Informações dos Serviços "
                          "Notariais e Registrais do Estado de")
        + QStringLiteral(" Quarelândia") + QStringLiteral(" - OLU");
}

QWidget *MainWindow::createBanner()
{
    auto *banner = new QWidget(this);
    banner->setObjectName(QStringLiteral("Panel_PrincipalTopo"));
    banner->setFixedHeight(105);
    paintWhite(banner);
    auto *logo = new SvgPicture(QStringLiteral(":/pictures/logo.svg"), banner);
    logo->setFixedSize(160, 95);
    auto *title = new QLabel(bannerText(), banner);
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(true);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    title->setFont(bold);
    auto *layout = new QHBoxLayout(banner);
    layout->addWidget(logo);
    layout->addWidget(title, 1);
    return banner;
}

StartupSequence::Outcome MainWindow::FormCreate()
{
    if (m_startup.prepareWorkspace() == StartupSequence::Outcome::Quit)
        return StartupSequence::Outcome::Quit;
    updateHomologationNotice();
    m_office->showCns(m_startup.dataModule().parametros().Cns.value_or(QString()));
    return StartupSequence::Outcome::Proceed;
}

void MainWindow::updateHomologationNotice()
{
    m_validation->setHomologation(m_startup.dataModule().parametros().Homolog
                                  == QStringLiteral("S"));
}

void MainWindow::askCnsWhenMissing()
{
    DataModule &data = m_startup.dataModule();
    if (!data.isOpen() || !m_services.cnsPrompt)
        return;
    const std::optional<QString> stored = data.parametros().Cns;
    if (stored && !stored->trimmed().isEmpty())
        return;
    const std::optional<QString> typed = m_services.cnsPrompt->askCns();
    if (!typed || typed->isEmpty())
        return;
    Parametros record = data.parametros();
    record.Cns = *typed;
    try {
        data.postParametros(record);
    } catch (const DataLayerError &failure) {
        m_services.messages->error(failure.text());
        return;
    }
    m_office->showCns(*typed);
}

bool MainWindow::showMessageWindow()
{
    if (m_messageWindow)
        m_messageWindow->exec();
    return true;
}

StartupSequence::Outcome MainWindow::FormShow()
{
    ProcessValues &values = m_startup.values();
    values.lVersion.clear();
    // Before anything can start processing: without the office's number every file is refused.
    askCnsWhenMissing();

    const QDate today = m_services.clock->now().date();
    if (CONECTADO()) {
        values.appVersion = applicationVersion();
        NoServiceStatus nothingFound;
        ServiceStatus &status = m_services.serviceStatus ? *m_services.serviceStatus : nothingFound;
        if (const std::optional<QString> published = status.publishedVersion(values.appVersion)) {
            values.lVersion = *published;
            if (values.lVersion != values.appVersion) {
                status.update();
                return StartupSequence::Outcome::Quit;
            }
        } else {
            // The central could not be asked: nothing to update to. The running version
            // stays, since the engine judges every index against it.
            values.lVersion = QStringLiteral("0");
        }
        if (status.refusedFilesFound() && showMessageWindow())
            return StartupSequence::Outcome::Quit;
        if (status.inMaintenance() && showMessageWindow())
            return StartupSequence::Outcome::Quit;

        if (m_history.setPeriod)
            m_history.setPeriod(today);
        if (m_send.clearSendingList)
            m_send.clearSendingList();
        if (m_startup.dataModule().parametros().Processo && m_send.actIniciarEnvioExecute)
            m_send.actIniciarEnvioExecute();
        m_pgcControle->setCurrentIndex(Presentation);
        m_status->setText(StatusLogin::Date, StatusTexts::date(today));
        m_status->setText(StatusLogin::Version, StatusTexts::version(values.appVersion));
        m_status->setText(StatusLogin::WebVersion, StatusTexts::webVersion(values.lVersion));
    } else {
        m_services.messages->information(
            QStringLiteral("Falha na conexao com a internet, Verifique, pois não será possivel o "
                           "envio dos arquivos para OLU "));
    }

    m_status->setText(StatusLogin::User,
                      StatusTexts::user(m_services.userName ? m_services.userName() : QString()));
    values.vValidandoArquivo = false;
    values.vEnviandoArquivo = false;
    values.vSelecionandoArquivo = false;
    setStandardVersionDates(values);
    m_status->setText(StatusLogin::Countdown,
                      StatusTexts::countdown(values.vDataLimiteVersaoAtual, m_services.clock->now(),
                                             standardVersionOf(values.appVersion)));
    m_about->fillAtStart(m_status->text(StatusLogin::WebVersion));
    paintWhite(m_banner);
    return StartupSequence::Outcome::Proceed;
}

bool MainWindow::CONECTADO()
{
    m_validation->indicator()->setOnline(false);
    const bool online = m_services.connection && m_services.connection->isOnline();
    m_validation->indicator()->setOnline(online);
    return online;
}

void MainWindow::pgcControleChange(int index)
{
    m_about->innerTabs()->setCurrentIndex(0);
    const Parametros &parametros = m_startup.dataModule().parametros();
    switch (index) {
    case Files:
    case Validation: {
        const bool xml
            = m_files->FileListBox_XML()->setDirectory(parametros.CaminhoXml.value_or(QString()));
        const bool pdf
            = m_files->FileListBox_PDF()->setDirectory(parametros.CaminhoPdf.value_or(QString()));
        if (!xml || !pdf)
            m_services.messages->error(
                QStringLiteral("A(s) Pasta(s) dos Arquivos XML e PDF nao foram Encontradas?"));
        if (!m_validation->FileListBox_Preparados()->setDirectory(
                m_startup.values().vCaminhoPreparados))
            m_services.messages->error(
                QStringLiteral("A Pasta dos Arquivos Prepadados nao foi Encontrado?"));
        break;
    }
    case History:
        if (m_history.setPeriod)
            m_history.setPeriod(m_services.clock->now().date());
        if (m_history.BuscaPeriodo)
            m_history.BuscaPeriodo();
        break;
    case About:
        m_about->updateDiagramTabs(m_startup.values().vCaminhoDoExecutavel);
        break;
    default:
        break;
    }
}

void MainWindow::actAtualizarlista()
{
    pgcControleChange(m_pgcControle->currentIndex());
}

void MainWindow::refreshFileLists()
{
    m_files->FileListBox_XML()->refresh();
    m_files->FileListBox_PDF()->refresh();
    m_validation->FileListBox_Preparados()->refresh();
}

void MainWindow::showHelp()
{
    const QString page = HelpFile::resolve(m_startup.values().vCaminhoDoExecutavel);
    if (page.isEmpty() || !m_services.openUrl || !m_services.openUrl(QUrl::fromLocalFile(page)))
        m_services.messages->information(QStringLiteral("Não Existe Ajuda para este Módulo"));
}

void MainWindow::setSendCaption(const QString &caption)
{
    m_validation->sendButton()->setText(caption);
}

void MainWindow::replaceTabPage(int index, QWidget *page)
{
    const QString tabCaption = m_pgcControle->tabText(index);
    const int current = m_pgcControle->currentIndex();
    QWidget *placeholder = m_pgcControle->widget(index);
    {
        const QSignalBlocker blocker(m_pgcControle);
        m_pgcControle->removeTab(index);
        m_pgcControle->insertTab(index, page, tabCaption);
        m_pgcControle->setCurrentIndex(current);
    }
    delete placeholder;
}

void MainWindow::setSettingsTab(QWidget *page)
{
    replaceTabPage(Settings, page);
}

void MainWindow::setHistoryTab(QWidget *page, HistoryTabHooks hooks)
{
    replaceTabPage(History, page);
    m_history = std::move(hooks);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (FormShow() == StartupSequence::Outcome::Quit)
        emit quitRequested();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event);
    if (!event->isAccepted())
        QMainWindow::keyPressEvent(event);
}

void MainWindow::FormKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp();
        event->accept();
        return;
    }
    event->ignore();
}

} // namespace tramora
