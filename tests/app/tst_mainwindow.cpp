#include "AboutTab.h"
#include "CnsDialog.h"
#include "ConnectionIndicator.h"
#include "ConnectionProbe.h"
#include "FileListBox.h"
#include "FileNameAlignment.h"
#include "FilesTab.h"
#include "HoverLink.h"
#include "MainWindow.h"
#include "OfficeTab.h"
#include "PresentationTab.h"
#include "ServiceStatus.h"
#include "StatusLogin.h"
#include "SvgPicture.h"
#include "TestSupport.h"
#include "ValidationTab.h"

#include "workspace/NetworkPath.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tramora;

namespace {

// Answers the central's questions as the test sets them and counts what was asked.
class ScriptedServiceStatus final : public ServiceStatus
{
public:
    std::optional<QString> publishedVersion(const QString &running) override
    {
        ++asked;
        if (failVersion)
            return std::nullopt;
        return published.isEmpty() ? running : published;
    }
    void update() override { ++updates; }
    bool refusedFilesFound() override { return refused; }
    bool inMaintenance() override { return maintenance; }

    QString published;
    bool failVersion = false;
    bool refused = false;
    bool maintenance = false;
    int asked = 0;
    int updates = 0;
};

class ScriptedCnsPrompt final : public CnsPrompt
{
public:
    std::optional<QString> askCns() override
    {
        ++asked;
        return answer;
    }
    std::optional<QString> answer;
    int asked = 0;
};

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// A workspace in a temporary folder and the window over it, with every outside service
// replaced by one the test drives.
struct Fixture
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    FixedConnectionProbe connection{true};
    ScriptedServiceStatus status;
    ScriptedCnsPrompt cnsPrompt;
    QString userName = QStringLiteral("escrevente");
    QList<QUrl> opened;
    bool openSucceeds = true;
    int sendPresses = 0;
    int sendingListCleared = 0;
    QList<QDate> historyPeriods;
    int historySearches = 0;
    std::unique_ptr<StartupSequence> startup;
    std::unique_ptr<MainWindow> window;

    explicit Fixture(const std::function<void(Parametros &)> &edit = {})
    {
        startup = std::make_unique<StartupSequence>(
            StartupEnvironment{folder.path(), QStringLiteral("CARTORIO-01"),
                               [](const QString &) { return false; }},
            messages, clock);
        startup->createDataModule();
        Parametros record = startup->dataModule().parametros();
        record.Cns = QStringLiteral("123456");
        record.CaminhoXml = path(QStringLiteral("XML"));
        record.CaminhoPdf = path(QStringLiteral("PDF"));
        if (edit)
            edit(record);
        startup->dataModule().postParametros(record);

        window = std::make_unique<MainWindow>(*startup,
                                              MainWindowServices{&messages, &clock, &connection,
                                                                 &status, &cnsPrompt,
                                                                 [this] { return userName; },
                                                                 [this](const QUrl &url) {
                                                                     opened << url;
                                                                     return openSucceeds;
                                                                 }});
        window->setSendControls({[this] { ++sendPresses; }, [this] { ++sendingListCleared; }});
        window->setHistoryTab(
            new QWidget,
            {[this](const QDate &day) { historyPeriods << day; }, [this] { ++historySearches; }});
        QCOMPARE(window->FormCreate(), StartupSequence::Outcome::Proceed);
    }

    QString path(const QString &relative) const { return folder.filePath(relative); }
    QString panel(StatusLogin::Panel which) const { return window->statusLogin()->text(which); }
};

QStringList selectedNames(const FileListBox *list)
{
    QStringList names;
    for (const QListWidgetItem *item : list->selectedItems())
        names << item->text();
    return names;
}

} // namespace

class TestMainWindow final : public QObject
{
    Q_OBJECT

private slots:
    void showsTheFrameTabsAndDesignTexts();
    void homologationNoticeFollowsTheStore_data();
    void homologationNoticeFollowsTheStore();

    void formShowOnlineFillsTheStatusAndStartsAutomaticMode();
    void formShowOfflineShowsTheMessageAndStartsNothing();
    void firstShowingRunsFormShowOnce();
    void formShowFollowsTheCentralAnswers_data();
    void formShowFollowsTheCentralAnswers();
    void countdown_data();
    void countdown();

    void tabChangeReadsTheFoldersOrComplains_data();
    void tabChangeReadsTheFoldersOrComplains();
    void listsShowTheirMasksOnly();
    void refreshButtonRereadsTheLists();
    void listsFollowEachOther_data();
    void listsFollowEachOther();
    void partnerSearchStartsAtTheSecondEntry();
    void enteringTheHistoryTabSearchesToday();
    void diagramTabsFollowTheMarkerFile();

    void cnsDialogTakesSixDigitsTypedTwice();
    void missingCnsIsAskedOnceAndStored_data();
    void missingCnsIsAskedOnceAndStored();

    void helpMovesTheLegacyFile_data();
    void helpMovesTheLegacyFile();

    void manualLinkHighlightsWhileHovered();
    void indicatorFollowsTheConnection();
    void centralOnLoopbackCountsAsOnline();
};

void TestMainWindow::showsTheFrameTabsAndDesignTexts()
{
    Fixture fixture;
    MainWindow &window = *fixture.window;
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Tramora - Aplicativo de envio  de Documentos das Serventias para "
                            "a Central de Informações da QuarelVR"));
    QTabWidget *tabs = window.pgcControle();
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    QCOMPARE(captions,
             (QStringList{QStringLiteral("Apresentação"), QStringLiteral("01 - Serventia"),
                          QStringLiteral("02 - Configuração"), QStringLiteral("03 - Arquivos"),
                          QStringLiteral("04 - Validação"),
                          QStringLiteral("05 - Inconsistência(s)"), QStringLiteral("Sobre")}));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(window.Panel_PrincipalTopo()->height(), 105);
    QVERIFY(window.bannerText().startsWith(
        QStringLiteral("Central Eletrônica de Integração e Informações dos Serviços Notariais e "
                       "Registrais do Estado de ")));

    // Before the window is shown the panels hold their design texts.
    QCOMPARE(fixture.panel(StatusLogin::Date), QStringLiteral("Data: dd/mm/aaaa"));
    QCOMPARE(fixture.panel(StatusLogin::Version), QStringLiteral("Versão: xx.xx.xx.xx      "));
    QCOMPARE(fixture.panel(StatusLogin::WebVersion),
             QStringLiteral("Versão Web: xx.xx.xx.xx     "));
    QCOMPARE(fixture.panel(StatusLogin::User), QStringLiteral("Usuário:"));

    // Every picture comes from the program's resources.
    const QList<SvgPicture *> pictures = window.findChildren<SvgPicture *>();
    QCOMPARE(pictures.size(), 4);
    for (const SvgPicture *picture : pictures)
        QVERIFY(picture->isValid());

    // The office's number is shown and cannot be edited there.
    QCOMPARE(window.officeTab()->cnsField()->text(), QStringLiteral("123456"));
    QVERIFY(window.officeTab()->cnsField()->isReadOnly());
}

void TestMainWindow::homologationNoticeFollowsTheStore_data()
{
    QTest::addColumn<std::optional<QString>>("homolog");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("style");
    QTest::newRow("S") << std::optional<QString>(QStringLiteral("S"))
                       << QStringLiteral("Você está enviando arquivos de homologação!")
                       << QStringLiteral("color: red");
    QTest::newRow("N") << std::optional<QString>(QStringLiteral("N"))
                       << QStringLiteral("Você está enviando arquivos de produção!")
                       << QStringLiteral("color: green");
    QTest::newRow("NULL") << std::optional<QString>()
                          << QStringLiteral("Você está enviando arquivos de produção!")
                          << QStringLiteral("color: green");
}

void TestMainWindow::homologationNoticeFollowsTheStore()
{
    QFETCH(std::optional<QString>, homolog);
    QFETCH(QString, notice);
    QFETCH(QString, style);
    Fixture fixture([&](Parametros &record) { record.Homolog = homolog; });
    const QLabel *label = fixture.window->validationTab()->homologationNotice();
    QCOMPARE(label->text(), notice);
    QCOMPARE(label->styleSheet(), style);
}

void TestMainWindow::formShowOnlineFillsTheStatusAndStartsAutomaticMode()
{
    Fixture fixture([](Parametros &record) { record.Processo = true; });
    fixture.clock.set(QDateTime(QDate(2021, 12, 10), QTime(15, 0)));
    fixture.startup->values().vValidandoArquivo = true;
    fixture.window->pgcControle()->setCurrentIndex(MainWindow::About);
    fixture.messages.clear();
    fixture.historyPeriods.clear();

    QCOMPARE(fixture.window->FormShow(), StartupSequence::Outcome::Proceed);
    const ProcessValues &values = fixture.startup->values();
    QVERIFY2(fixture.messages.shown().empty(),
             qPrintable(fixture.messages.texts().join(QLatin1Char('\n'))));
    QCOMPARE(fixture.sendPresses, 1);
    QCOMPARE(fixture.sendingListCleared, 1);
    QCOMPARE(fixture.historyPeriods, QList<QDate>{QDate(2021, 12, 10)});
    QCOMPARE(fixture.window->pgcControle()->currentIndex(), 0);
    QVERIFY(!values.vValidandoArquivo);

    const QString running = values.appVersion;
    QCOMPARE(fixture.panel(StatusLogin::Date),
             QStringLiteral("Data: ")
                 + QLocale().toString(QDate(2021, 12, 10), QLocale::ShortFormat)
                 + QStringLiteral("   "));
    QCOMPARE(fixture.panel(StatusLogin::Version),
             QStringLiteral("Versão: ") + running + QStringLiteral("   "));
    QCOMPARE(fixture.panel(StatusLogin::WebVersion),
             QStringLiteral("Versão OLU: ") + running + QStringLiteral("   "));
    QCOMPARE(fixture.panel(StatusLogin::User), QStringLiteral("Usuário: escrevente   "));

    // The About tab: the central's version after the application's name, the eight dates.
    QVERIFY(fixture.window->aboutTab()->applicationText()->text().endsWith(
        QStringLiteral("para OLU.Versão OLU: ") + running + QStringLiteral("      ")));
    QCOMPARE(fixture.window->aboutTab()->versionTable()->text(),
             QStringLiteral("Versão 1.3 = \"01/07/2016\"\nVersão 1.4 = \"30/05/2017\"\n"
                            "Versão 1.5 = \"30/06/2018\"\nVersão 1.6 = \"30/08/2019\"\n"
                            "Versão 1.7 = \"03/03/2020\"\nVersão 1.8 = \"30/06/2020\"\n"
                            "Versão 2.0 = \"24/01/2021\"\nVersão 3.0 = \"13/12/2021\""));
}

void TestMainWindow::formShowOfflineShowsTheMessageAndStartsNothing()
{
    Fixture fixture([](Parametros &record) { record.Processo = true; });
    fixture.connection.set(false);
    fixture.userName.clear();
    fixture.messages.clear();
    fixture.historyPeriods.clear();

    QCOMPARE(fixture.window->FormShow(), StartupSequence::Outcome::Proceed);
    QCOMPARE(fixture.messages.texts(),
             QStringList{QStringLiteral("Falha na conexao com a internet, Verifique, pois não será "
                                        "possivel o envio dos arquivos para OLU ")});
    QCOMPARE(fixture.status.asked, 0);
    QCOMPARE(fixture.sendPresses, 0);
    QVERIFY(fixture.historyPeriods.isEmpty());
    QCOMPARE(fixture.panel(StatusLogin::Date), QStringLiteral("Data: dd/mm/aaaa"));
    QCOMPARE(fixture.panel(StatusLogin::Version), QStringLiteral("Versão: xx.xx.xx.xx      "));
    QCOMPARE(fixture.panel(StatusLogin::WebVersion),
             QStringLiteral("Versão Web: xx.xx.xx.xx     "));
    QCOMPARE(fixture.panel(StatusLogin::User), QStringLiteral("Usuário: não foi identificado   "));
    QVERIFY(
        fixture.panel(StatusLogin::Countdown).startsWith(QStringLiteral("ATENÇÃO - Falta(m) ")));
}

void TestMainWindow::firstShowingRunsFormShowOnce()
{
    Fixture fixture;
    fixture.status.refused = true;
    QSignalSpy quit(fixture.window.get(), &MainWindow::quitRequested);
    fixture.window->show();
    fixture.window->hide();
    fixture.window->show();
    QCOMPARE(fixture.status.asked, 1);
    QCOMPARE(quit.count(), 1);
}

void TestMainWindow::formShowFollowsTheCentralAnswers_data()
{
    QTest::addColumn<QString>("published");
    QTest::addColumn<bool>("failVersion");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<bool>("maintenance");
    QTest::addColumn<bool>("quits");
    QTest::addColumn<int>("updates");
    QTest::addColumn<QString>("webVersionPanel");

    QTest::newRow("same version") << QString() << false << false << false << false << 0
                                  << QString();
    QTest::newRow("newer version")
        << QStringLiteral("9.9.9.9") << false << false << false << true << 1 << QString();
    QTest::newRow("refused files") << QString() << false << true << false << true << 0 << QString();
    QTest::newRow("maintenance") << QString() << false << false << true << true << 0 << QString();
    // A failed question is no reason to update, and the engine keeps the running version.
    QTest::newRow("version question failed")
        << QString() << true << false << false << false << 0 << QStringLiteral("Versão OLU: 0   ");
}

void TestMainWindow::formShowFollowsTheCentralAnswers()
{
    QFETCH(QString, published);
    QFETCH(bool, failVersion);
    QFETCH(bool, refused);
    QFETCH(bool, maintenance);
    QFETCH(bool, quits);
    QFETCH(int, updates);
    QFETCH(QString, webVersionPanel);

    Fixture fixture([](Parametros &record) { record.Processo = true; });
    fixture.status.published = published;
    fixture.status.failVersion = failVersion;
    fixture.status.refused = refused;
    fixture.status.maintenance = maintenance;
    QCOMPARE(fixture.window->FormShow(),
             quits ? StartupSequence::Outcome::Quit : StartupSequence::Outcome::Proceed);
    QCOMPARE(fixture.status.updates, updates);
    QCOMPARE(fixture.sendPresses, quits ? 0 : 1);
    QVERIFY(fixture.startup->values().appVersion.startsWith(QLatin1String("3.0.")));
    if (!webVersionPanel.isEmpty())
        QCOMPARE(fixture.panel(StatusLogin::WebVersion), webVersionPanel);
}

void TestMainWindow::countdown_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");
    const QString blanks(8, QLatin1Char(' '));
    QTest::newRow("afternoon three days before")
        << QDateTime(QDate(2021, 12, 10), QTime(15, 0))
        << QStringLiteral("ATENÇÃO - Falta(m) 2 dias para adequação da VERSÃO 3.0") + blanks;
    QTest::newRow("on the effective day")
        << QDateTime(QDate(2021, 12, 13), QTime(9, 5, 7))
        << QStringLiteral("ATENÇÃO - Falta(m) 0 dias para adequação da VERSÃO 3.0") + blanks;
    QTest::newRow("the day after") << QDateTime(QDate(2021, 12, 14), QTime(0, 0))
                                   << QStringLiteral("Já está em vigor a VERSÃO 3.0") + blanks;
}

void TestMainWindow::countdown()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    Fixture fixture;
    fixture.clock.set(now);
    fixture.window->FormShow();
    QCOMPARE(fixture.panel(StatusLogin::Countdown), expected);
}

void TestMainWindow::tabChangeReadsTheFoldersOrComplains_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("messages");
    const QString folders
        = QStringLiteral("A(s) Pasta(s) dos Arquivos XML e PDF nao foram Encontradas?");
    const QString prepared = QStringLiteral("A Pasta dos Arquivos Prepadados nao foi Encontrado?");
    QTest::newRow("files, all there") << int(MainWindow::Files) << QStringList() << QStringList();
    QTest::newRow("validation, all there")
        << int(MainWindow::Validation) << QStringList() << QStringList();
    QTest::newRow("no index folder")
        << int(MainWindow::Files) << QStringList{QStringLiteral("XML")} << QStringList{folders};
    QTest::newRow("no document folder")
        << int(MainWindow::Validation) << QStringList{QStringLiteral("PDF")}
        << QStringList{folders};
    QTest::newRow("no prepared folder")
        << int(MainWindow::Files) << QStringList{QStringLiteral("Preparados")}
        << QStringList{prepared};
    QTest::newRow("nothing there")
        << int(MainWindow::Files)
        << QStringList{QStringLiteral("XML"), QStringLiteral("PDF"), QStringLiteral("Preparados")}
        << QStringList{folders, prepared};
    QTest::newRow("other tab, nothing there")
        << int(MainWindow::Office)
        << QStringList{QStringLiteral("XML"), QStringLiteral("PDF"), QStringLiteral("Preparados")}
        << QStringList();
}

void TestMainWindow::tabChangeReadsTheFoldersOrComplains()
{
    QFETCH(int, tab);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, messages);
    Fixture fixture;
    for (const QString &name : missing)
        QVERIFY(QDir(fixture.path(name)).removeRecursively());
    fixture.messages.clear();
    fixture.window->pgcControle()->setCurrentIndex(tab);
    QCOMPARE(fixture.messages.texts(), messages);
    for (const auto &shown : fixture.messages.shown())
        QCOMPARE(shown.kind, test::RecordingMessageBoxes::Shown::Error);
}

void TestMainWindow::listsShowTheirMasksOnly()
{
    Fixture fixture;
    for (const char *name :
         {"XML/b.xml", "XML/a.JSON", "XML/c.txt", "XML/d.pdf", "XML/.e.xml", "PDF/b.pdf",
          "PDF/a.pdf.p7s", "PDF/c.xml", "Preparados/p.zip", "Preparados/p-pdf.txt"})
        touch(fixture.path(QString::fromLatin1(name)));
    QDir().mkpath(fixture.path(QStringLiteral("XML/folder.xml")));
    fixture.window->pgcControle()->setCurrentIndex(MainWindow::Validation);

    QCOMPARE(
        fixture.window->filesTab()->FileListBox_XML()->fileNames(),
        (QStringList{QStringLiteral("a.JSON"), QStringLiteral("b.xml"), QStringLiteral("c.txt")}));
    QCOMPARE(fixture.window->filesTab()->FileListBox_PDF()->fileNames(),
             (QStringList{QStringLiteral("a.pdf.p7s"), QStringLiteral("b.pdf")}));
    QCOMPARE(fixture.window->validationTab()->FileListBox_Preparados()->fileNames(),
             QStringList{QStringLiteral("p-pdf.txt")});
    QCOMPARE(fixture.window->filesTab()->FileListBox_XML()->selectionMode(),
             QAbstractItemView::ExtendedSelection);
    QCOMPARE(fixture.window->filesTab()->FileListBox_PDF()->selectionMode(),
             QAbstractItemView::SingleSelection);
}

void TestMainWindow::refreshButtonRereadsTheLists()
{
    Fixture fixture;
    fixture.window->pgcControle()->setCurrentIndex(MainWindow::Files);
    QVERIFY(fixture.window->filesTab()->FileListBox_XML()->fileNames().isEmpty());
    touch(fixture.path(QStringLiteral("XML/Ato1.xml")));
    QTest::mouseClick(fixture.window->filesTab()->refreshButton(), Qt::LeftButton);
    QCOMPARE(fixture.window->filesTab()->FileListBox_XML()->fileNames(),
             QStringList{QStringLiteral("Ato1.xml")});
}

void TestMainWindow::listsFollowEachOther_data()
{
    QTest::addColumn<bool>("fromDocument");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("partner");
    QTest::newRow("signed document")
        << true << QStringLiteral("Ato1.pdf.p7s") << QStringList{QStringLiteral("Ato1.xml")};
    QTest::newRow("plain document")
        << true << QStringLiteral("ato2.PDF") << QStringList{QStringLiteral("Ato2.xml")};
    QTest::newRow("longer name is not a partner")
        << true << QStringLiteral("Ato10.pdf") << QStringList{QStringLiteral("Ato10.xml")};
    QTest::newRow("index") << false << QStringLiteral("Ato1.xml")
                           << QStringList{QStringLiteral("Ato1.pdf.p7s")};
    QTest::newRow("index without document") << false << QStringLiteral("Ato3.xml") << QStringList();
}

void TestMainWindow::listsFollowEachOther()
{
    QFETCH(bool, fromDocument);
    QFETCH(QString, chosen);
    QFETCH(QStringList, partner);
    Fixture fixture;
    for (const char *name : {"XML/Ato1.xml", "XML/Ato10.xml", "XML/Ato2.xml", "XML/Ato3.xml",
                             "PDF/Ato10.pdf", "PDF/Ato1.pdf.p7s", "PDF/ato2.PDF"})
        touch(fixture.path(QString::fromLatin1(name)));
    fixture.window->pgcControle()->setCurrentIndex(MainWindow::Files);
    FileListBox *xml = fixture.window->filesTab()->FileListBox_XML();
    FileListBox *pdf = fixture.window->filesTab()->FileListBox_PDF();
    // A stale choice in the other list must go when no partner is found.
    xml->selectOnly(1);
    pdf->selectOnly(0);

    FileListBox *from = fromDocument ? pdf : xml;
    FileListBox *to = fromDocument ? xml : pdf;
    const int row = int(from->fileNames().indexOf(chosen));
    QVERIFY(row >= 0);
    QTest::mouseClick(from->viewport(), Qt::LeftButton, {},
                      from->visualItemRect(from->item(row)).center());
    QCOMPARE(
        from->currentFilePath(),
        fixture.path((fromDocument ? QStringLiteral("PDF/") : QStringLiteral("XML/")) + chosen));
    QCOMPARE(selectedNames(to), partner);
}

void TestMainWindow::partnerSearchStartsAtTheSecondEntry()
{
    const QStringList names{QStringLiteral("Ato1.pdf"), QStringLiteral("Ato1.pdf.p7s")};
    QCOMPARE(findPartner(names, QStringLiteral("Ato1")), 1);
    QCOMPARE(findPartner({QStringLiteral("Ato1.pdf"), QStringLiteral("Ato2.pdf")},
                         QStringLiteral("ATO1")),
             0);
    QCOMPARE(findPartner({}, QStringLiteral("Ato1")), -1);
    QCOMPARE(documentBaseName(QStringLiteral("/x/Ato1.pdf.p7s")), QStringLiteral("Ato1"));
    QCOMPARE(indexBaseName(QStringLiteral("/x/Ato1.pdf.xml")), QStringLiteral("Ato1.pdf"));
}

void TestMainWindow::enteringTheHistoryTabSearchesToday()
{
    Fixture fixture;
    fixture.clock.set(QDateTime(QDate(2024, 2, 29), QTime(8, 0)));
    fixture.window->pgcControle()->setCurrentIndex(MainWindow::History);
    QCOMPARE(fixture.historyPeriods, QList<QDate>{QDate(2024, 2, 29)});
    QCOMPARE(fixture.historySearches, 1);
    QCOMPARE(fixture.window->pgcControle()->tabText(MainWindow::History),
             QStringLiteral("05 - Inconsistência(s)"));
}

void TestMainWindow::diagramTabsFollowTheMarkerFile()
{
    Fixture fixture;
    QTabWidget *tabs = fixture.window->pgcControle();
    AboutTab *about = fixture.window->aboutTab();
    const QString marker = fixture.path(QStringLiteral("Data/Quarel.ini"));

    tabs->setCurrentIndex(MainWindow::About);
    QVERIFY(!about->diagramTabsVisible());

    touch(marker);
    tabs->setCurrentIndex(MainWindow::Presentation);
    tabs->setCurrentIndex(MainWindow::About);
    QVERIFY(about->diagramTabsVisible());
    about->innerTabs()->setCurrentIndex(3);

    QVERIFY(QFile::remove(marker));
    tabs->setCurrentIndex(MainWindow::Presentation);
    QCOMPARE(about->innerTabs()->currentIndex(), 0);
    QVERIFY(about->diagramTabsVisible());
    tabs->setCurrentIndex(MainWindow::About);
    QVERIFY(!about->diagramTabsVisible());
    QCOMPARE(about->innerTabs()->tabText(3), QStringLiteral("Vigência das Verões"));
}

void TestMainWindow::cnsDialogTakesSixDigitsTypedTwice()
{
    CnsDialog dialog;
    QPushButton *ok = nullptr;
    for (QAbstractButton *button : dialog.buttons()->buttons())
        if (dialog.buttons()->buttonRole(button) == QDialogButtonBox::AcceptRole)
            ok = qobject_cast<QPushButton *>(button);
    QVERIFY(ok);
    QVERIFY(!ok->isEnabled());

    QTest::keyClicks(dialog.cnsField(), QStringLiteral("12a3-45 678"));
    QCOMPARE(dialog.cnsField()->text(), QStringLiteral("123456"));
    QVERIFY(!ok->isEnabled());

    QTest::keyClicks(dialog.confirmationField(), QStringLiteral("123465"));
    QVERIFY(!ok->isEnabled());
    QVERIFY(dialog.cns().isEmpty());

    dialog.confirmationField()->clear();
    QTest::keyClicks(dialog.confirmationField(), QStringLiteral("123456"));
    QVERIFY(ok->isEnabled());
    QCOMPARE(dialog.cns(), QStringLiteral("123456"));

    // Fewer than six digits is a CNS too: the index files write it as it stands.
    dialog.cnsField()->setText(QStringLiteral("4521"));
    dialog.confirmationField()->setText(QStringLiteral("4521"));
    QVERIFY(ok->isEnabled());
}

void TestMainWindow::missingCnsIsAskedOnceAndStored_data()
{
    QTest::addColumn<std::optional<QString>>("stored");
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<int>("asked");
    QTest::addColumn<std::optional<QString>>("afterwards");
    using Text = std::optional<QString>;
    QTest::newRow("missing, given")
        << Text() << Text(QStringLiteral("004521")) << 1 << Text(QStringLiteral("004521"));
    QTest::newRow("missing, cancelled") << Text() << Text() << 1 << Text();
    QTest::newRow("blank, given") << Text(QString()) << Text(QStringLiteral("7")) << 1
                                  << Text(QStringLiteral("7"));
    QTest::newRow("present") << Text(QStringLiteral("123456")) << Text(QStringLiteral("999999"))
                             << 0 << Text(QStringLiteral("123456"));
}

void TestMainWindow::missingCnsIsAskedOnceAndStored()
{
    QFETCH(std::optional<QString>, stored);
    QFETCH(std::optional<QString>, answer);
    QFETCH(int, asked);
    QFETCH(std::optional<QString>, afterwards);
    Fixture fixture([&](Parametros &record) { record.Cns = stored; });
    fixture.cnsPrompt.answer = answer;
    fixture.window->FormShow();
    QCOMPARE(fixture.cnsPrompt.asked, asked);
    QCOMPARE(fixture.startup->dataModule().reloadParametros().Cns, afterwards);
    QCOMPARE(fixture.window->officeTab()->cnsField()->text(), afterwards.value_or(QString()));
}

void TestMainWindow::helpMovesTheLegacyFile_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QStringList>("left");
    const QString current = QStringLiteral("Ajuda/Tramora.html");
    const QString legacy = QStringLiteral("Ajuda/eOlu.html");
    QTest::newRow("legacy only") << QStringList{legacy} << current << QStringList{current};
    QTest::newRow("both") << QStringList{legacy, current} << current << QStringList{current};
    QTest::newRow("current only") << QStringList{current} << current << QStringList{current};
    // A folder in the way of the newer name: the move fails and the legacy file opens.
    QTest::newRow("move fails") << QStringList{legacy, current + QStringLiteral("/inside")}
                                << legacy
                                << QStringList{current + QStringLiteral("/inside"), legacy};
    QTest::newRow("none") << QStringList() << QString() << QStringList();
}

void TestMainWindow::helpMovesTheLegacyFile()
{
    QFETCH(QStringList, present);
    QFETCH(QString, opened);
    QFETCH(QStringList, left);
    Fixture fixture;
    for (const QString &name : present)
        touch(fixture.path(name));
    fixture.messages.clear();

    QTest::keyClick(fixture.window.get(), Qt::Key_F1);

    const QDir help(fixture.path(QStringLiteral("Ajuda")));
    QStringList remaining = test::treeOf(help.path());
    remaining.removeAll(QStringLiteral("Tramora.html/"));
    for (QString &name : remaining)
        name.prepend(QStringLiteral("Ajuda/"));
    QCOMPARE(remaining, left);
    if (opened.isEmpty()) {
        QVERIFY(fixture.opened.isEmpty());
        QCOMPARE(fixture.messages.texts(),
                 QStringList{QStringLiteral("Não Existe Ajuda para este Módulo")});
    } else {
        QCOMPARE(fixture.opened, QList<QUrl>{QUrl::fromLocalFile(fixture.path(opened))});
        QVERIFY(fixture.messages.shown().empty());
    }
}

void TestMainWindow::manualLinkHighlightsWhileHovered()
{
    Fixture fixture;
    HoverLink *link = fixture.window->presentationTab()->manualLink();
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::black));
    QVERIFY(!link->font().underline());

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(link, &enter);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(link->font().underline());
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::black));
    QVERIFY(!link->font().underline());
    QCOMPARE(link->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(fixture.opened, QList<QUrl>{QUrl(PresentationTab::manualAddress())});
}

void TestMainWindow::indicatorFollowsTheConnection()
{
    Fixture fixture;
    const ConnectionIndicator *indicator = fixture.window->validationTab()->indicator();
    QCOMPARE(indicator->size(), QSize(30, 30));
    QVERIFY(fixture.window->CONECTADO());
    QCOMPARE(indicator->color(), QColor(0, 255, 0));
    fixture.connection.set(false);
    QVERIFY(!fixture.window->CONECTADO());
    QCOMPARE(indicator->color(), QColor(255, 0, 0));
}

void TestMainWindow::centralOnLoopbackCountsAsOnline()
{
    QVERIFY(SystemConnectionProbe::isLoopbackHost(QStringLiteral("127.0.0.1")));
    QVERIFY(SystemConnectionProbe::isLoopbackHost(QStringLiteral("localhost")));
    QVERIFY(SystemConnectionProbe::isLoopbackHost(QStringLiteral("::1")));
    QVERIFY(!SystemConnectionProbe::isLoopbackHost(QStringLiteral("10.0.0.1")));
    QVERIFY(!SystemConnectionProbe::isLoopbackHost(QStringLiteral("olu.example")));
    QElapsedTimer timer;
    timer.start();
    SystemConnectionProbe probe(QStringLiteral("127.0.0.1"));
    QVERIFY(probe.isOnline());
    QVERIFY(timer.elapsed() < 5000);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
