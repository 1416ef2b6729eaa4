#include "ProxyActions.h"
#include "ProxyWindow.h"
#include "SettingsTab.h"
#include "TestSupport.h"

#include "common/FolderDialog.h"
#include "store/DataModule.h"
#include "transmission/FtpProxyRoute.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace tramora;

namespace {

// Answers the folder dialog with what the test chose and remembers where it opened.
class AnsweringFolderDialog final : public FolderDialog
{
public:
    std::optional<QString> chooseFolder(const QString &startFolder) override
    {
        startFolders << startFolder;
        return answer;
    }

    std::optional<QString> answer;
    QStringList startFolders;
};

// A store in a temporary folder with the settings tab over it.
struct Fixture
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    AnsweringFolderDialog folders;
    DataModule data{{folder.path(), QStringLiteral("CARTORIO-01")}, messages, clock};
    int noticeUpdates = 0;
    std::unique_ptr<SettingsTab> tab;

    explicit Fixture(const std::function<void(Parametros &)> &edit = {})
    {
        data.DataModuleCreate();
        Parametros record = data.parametros();
        record.Cns = QStringLiteral("123456");
        record.CaminhoXml = path(QStringLiteral("XML"));
        record.CaminhoPdf = path(QStringLiteral("PDF"));
        QDir().mkpath(*record.CaminhoXml);
        QDir().mkpath(*record.CaminhoPdf);
        if (edit)
            edit(record);
        data.postParametros(record);
        tab = std::make_unique<SettingsTab>(
            SettingsTab::Services{&data, &messages, &folders, [this] { ++noticeUpdates; }});
    }

    QString path(const QString &relative) const
    {
        return QDir::toNativeSeparators(folder.filePath(relative));
    }
    // What the file holds, not what the module remembers.
    Parametros stored() { return data.reloadParametros(); }
};

void setProxy(Parametros &record)
{
    record.Host = QStringLiteral("proxy.cartorio.local");
    record.Porta = QStringLiteral("3128");
    record.Usuario = QStringLiteral("escrevente");
    record.Senha = QStringLiteral("s3gr3d0");
    record.Tipo = QStringLiteral("8");
}

} // namespace

class TestSettings final : public QObject
{
    Q_OBJECT

private slots:
    void quantUpLoadButtonsStayBetweenZeroAndTen_data();
    void quantUpLoadButtonsStayBetweenZeroAndTen();
    void typedQuantUpLoadIsStoredOnSave_data();
    void typedQuantUpLoadIsStoredOnSave();
    void saveStoresTheChecksAndRepaintsTheNotice();
    void browsedRecordDoesNotChange();
    void folderChooser_data();
    void folderChooser();
    void savingKeepsWhatOtherScreensStored();

    void clearingTheProxyAsksFirst_data();
    void clearingTheProxyAsksFirst();
    void passwordIsMasked();
    void leavingTheMethodListStoresItsPosition();
    void unreadableTipoShowsNoEntry();
    void unsupportedMethodIsNoticed_data();
    void unsupportedMethodIsNoticed();
    void closingTheWindowDropsAnUnsavedEdit();
};

void TestSettings::quantUpLoadButtonsStayBetweenZeroAndTen_data()
{
    QTest::addColumn<std::optional<qint64>>("start");
    QTest::addColumn<int>("ups");
    QTest::addColumn<int>("downs");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("eleven ups from 3") << std::optional<qint64>(3) << 11 << 0 << qint64(10);
    QTest::newRow("two downs from 1") << std::optional<qint64>(1) << 0 << 2 << qint64(0);
    QTest::newRow("up from 0") << std::optional<qint64>(0) << 1 << 0 << qint64(1);
    QTest::newRow("down from 10") << std::optional<qint64>(10) << 0 << 1 << qint64(9);
    QTest::newRow("up from NULL") << std::optional<qint64>() << 1 << 0 << qint64(1);
    QTest::newRow("down from an older 15") << std::optional<qint64>(15) << 0 << 1 << qint64(14);
}

void TestSettings::quantUpLoadButtonsStayBetweenZeroAndTen()
{
    QFETCH(std::optional<qint64>, start);
    QFETCH(int, ups);
    QFETCH(int, downs);
    QFETCH(qint64, expected);
    Fixture fixture([&](Parametros &record) { record.QuantUpLoad = start; });

    for (int i = 0; i < ups; ++i)
        fixture.tab->upButton()->click();
    for (int i = 0; i < downs; ++i)
        fixture.tab->downButton()->click();

    // Each press is stored at once, with no save button pressed.
    QCOMPARE(fixture.stored().QuantUpLoad, std::optional<qint64>(expected));
    QCOMPARE(fixture.tab->quantUpLoadField()->text(), QString::number(expected));
    QVERIFY(!fixture.tab->isEditing());
}

void TestSettings::typedQuantUpLoadIsStoredOnSave_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("within the range") << QStringLiteral("7") << qint64(7);
    QTest::newRow("zero") << QStringLiteral("0") << qint64(0);
    // Above ten is not taken: the stored value stays and shows again; a sign is not typed.
    QTest::newRow("above ten") << QStringLiteral("15") << qint64(3);
    QTest::newRow("negative") << QStringLiteral("-2") << qint64(2);
}

void TestSettings::typedQuantUpLoadIsStoredOnSave()
{
    QFETCH(QString, typed);
    QFETCH(qint64, expected);
    Fixture fixture;

    fixture.tab->edit();
    QLineEdit *field = fixture.tab->quantUpLoadField();
    field->clear();
    QTest::keyClicks(field, typed);
    QCOMPARE(fixture.stored().QuantUpLoad, std::optional<qint64>(3));
    fixture.tab->saveButtons().constLast()->click();

    QCOMPARE(fixture.stored().QuantUpLoad, std::optional<qint64>(expected));
    QCOMPARE(field->text(), QString::number(expected));
}

void TestSettings::saveStoresTheChecksAndRepaintsTheNotice()
{
    Fixture fixture;
    QCOMPARE(fixture.tab->saveButtons().size(), 3);

    fixture.tab->edit();
    fixture.tab->homologBox()->setChecked(true);
    fixture.tab->processoBox()->setChecked(true);
    QCOMPARE(fixture.stored().Homolog, std::optional<QString>(QStringLiteral("N")));
    fixture.tab->saveButtons().constFirst()->click();

    Parametros stored = fixture.stored();
    QCOMPARE(stored.Homolog, std::optional<QString>(QStringLiteral("S")));
    QVERIFY(stored.Processo);
    QCOMPARE(fixture.noticeUpdates, 1);

    fixture.tab->edit();
    fixture.tab->homologBox()->setChecked(false);
    fixture.tab->saveButtons().at(1)->click();
    QCOMPARE(fixture.stored().Homolog, std::optional<QString>(QStringLiteral("N")));
    QCOMPARE(fixture.noticeUpdates, 2);
}

void TestSettings::browsedRecordDoesNotChange()
{
    Fixture fixture;
    QVERIFY(!fixture.tab->isEditing());

    fixture.tab->homologBox()->setChecked(true);
    fixture.tab->processoBox()->setChecked(true);

    QVERIFY(!fixture.tab->homologBox()->isChecked());
    QVERIFY(!fixture.tab->processoBox()->isChecked());
    fixture.tab->actSalvarExecute();
    QCOMPARE(fixture.stored().Homolog, std::optional<QString>(QStringLiteral("N")));
    QVERIFY(!fixture.stored().Processo);
}

void TestSettings::folderChooser_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<bool>("storedExists");
    QTest::addColumn<QString>("answer"); // relative to the temporary folder; empty: cancelled
    QTest::addColumn<bool>("answerExists");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("changed");

    for (const bool pdf : {false, true}) {
        const QByteArray column = pdf ? "CaminhoPdf: " : "CaminhoXml: ";
        QTest::newRow(column + "existing folder chosen")
            << pdf << true << QStringLiteral("Outra") << true << false << true;
        QTest::newRow(column + "cancelled") << pdf << true << QString() << false << false << false;
        QTest::newRow(column + "missing stored folder starts at home")
            << pdf << false << QStringLiteral("Outra") << true << false << true;
        QTest::newRow(column + "new folder, creation confirmed")
            << pdf << true << QStringLiteral("Nova/Sub") << false << true << true;
        QTest::newRow(column + "new folder, creation declined")
            << pdf << true << QStringLiteral("Nova/Sub") << false << false << false;
    }
}

void TestSettings::folderChooser()
{
    QFETCH(bool, pdf);
    QFETCH(bool, storedExists);
    QFETCH(QString, answer);
    QFETCH(bool, answerExists);
    QFETCH(bool, confirm);
    QFETCH(bool, changed);
    Fixture fixture;
    const auto column = pdf ? &Parametros::CaminhoPdf : &Parametros::CaminhoXml;
    const QString before = *(fixture.data.parametros().*column);
    if (!storedExists)
        QVERIFY(QDir(before).removeRecursively());
    const QString chosen = answer.isEmpty() ? QString() : fixture.path(answer);
    if (!chosen.isEmpty() && answerExists)
        QDir().mkpath(chosen);
    fixture.folders.answer = chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
    fixture.messages.answerConfirmationsWith(confirm);

    // A pending change elsewhere on the tab shows that the record is posted in every case.
    fixture.tab->edit();
    fixture.tab->homologBox()->setChecked(true);
    if (pdf)
        fixture.tab->locPdfButton()->click();
    else
        fixture.tab->locXmlButton()->click();

    QCOMPARE(fixture.folders.startFolders, QStringList{storedExists ? before : QDir::homePath()});
    const Parametros stored = fixture.stored();
    QCOMPARE(stored.*column, std::optional<QString>(changed ? chosen : before));
    QCOMPARE(stored.Homolog, std::optional<QString>(QStringLiteral("S")));
    QCOMPARE((pdf ? fixture.tab->pdfFolderField() : fixture.tab->xmlFolderField())->text(),
             changed ? chosen : before);

    const bool asked = !chosen.isEmpty() && !answerExists;
    QCOMPARE(fixture.messages.shown().size(), size_t(asked ? 1 : 0));
    if (asked) {
        QCOMPARE(fixture.messages.shown().front().kind,
                 test::RecordingMessageBoxes::Shown::Confirmation);
        QVERIFY(fixture.messages.shown().front().text.contains(chosen));
        QCOMPARE(QFileInfo(chosen).isDir(), confirm);
    }
}

void TestSettings::savingKeepsWhatOtherScreensStored()
{
    Fixture fixture;
    fixture.tab->edit();
    fixture.tab->processoBox()->setChecked(true);

    // The proxy window and the CNS prompt post the same record while the tab is editing.
    ProxyWindow proxy(fixture.data, fixture.messages);
    proxy.edit();
    proxy.hostField()->setText(QStringLiteral("proxy.cartorio.local"));
    QVERIFY(proxy.post());
    Parametros record = fixture.data.parametros();
    record.Cns = QStringLiteral("654321");
    fixture.data.postParametros(record);

    fixture.tab->actSalvarExecute();

    const Parametros stored = fixture.stored();
    QVERIFY(stored.Processo);
    QCOMPARE(stored.Host, std::optional<QString>(QStringLiteral("proxy.cartorio.local")));
    QCOMPARE(stored.Cns, std::optional<QString>(QStringLiteral("654321")));
}

void TestSettings::clearingTheProxyAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestSettings::clearingTheProxyAsksFirst()
{
    QFETCH(bool, yes);
    Fixture fixture(setProxy);
    const Parametros before = fixture.data.parametros();
    ProxyActions actions(fixture.data, fixture.messages, fixture.tab.get());
    ProxyWindow *window = actions.window();
    QCOMPARE(actions.window(), window);
    QCOMPARE(window->hostField()->text(), *before.Host);
    fixture.messages.answerConfirmationsWith(yes);

    actions.actResetProxyExecute();

    QCOMPARE(fixture.messages.texts(),
             QStringList{QStringLiteral("Tem CERTEZA que deseja limpar as Configurações de Proxi "
                                        "para envio dos Dados para OLU?")});
    QCOMPARE(fixture.messages.shown().front().kind,
             test::RecordingMessageBoxes::Shown::Confirmation);
    Parametros expected = before;
    if (yes) {
        expected.Host.reset();
        expected.Porta.reset();
        expected.Usuario.reset();
        expected.Senha.reset();
        expected.Tipo.reset();
    }
    QCOMPARE(fixture.stored(), expected);
    // The kept window shows what is stored now.
    QCOMPARE(window->hostField()->text(), expected.Host.value_or(QString()));
    QCOMPARE(window->tipoList()->currentIndex(), yes ? -1 : 8);
}

void TestSettings::passwordIsMasked()
{
    Fixture fixture;
    ProxyWindow window(fixture.data, fixture.messages);
    QCOMPARE(window.windowTitle(), QStringLiteral("Olu envio - Configura proxy"));

    QTest::keyClicks(window.senhaField(), QStringLiteral("s3 gr3d0"));
    QVERIFY(window.isEditing());
    QCOMPARE(window.senhaField()->displayText(), QStringLiteral("********"));
    QVERIFY(window.post());

    QCOMPARE(fixture.stored().Senha, std::optional<QString>(QStringLiteral("s3 gr3d0")));
}

void TestSettings::leavingTheMethodListStoresItsPosition()
{
    Fixture fixture;
    ProxyWindow window(fixture.data, fixture.messages);
    QCOMPARE(window.tipoList()->count(), 10);
    QCOMPARE(window.tipoList()->itemText(9), QStringLiteral("fpcmCustomProxy "));

    // Outside edit mode nothing is taken from the list.
    window.tipoList()->setCurrentIndex(2);
    window.DBComboBox1Exit();
    window.cancel();
    QCOMPARE(fixture.stored().Tipo, std::nullopt);

    window.edit();
    window.tipoList()->setCurrentText(QStringLiteral("fpcmSite"));
    window.DBComboBox1Exit();
    QVERIFY(window.post());
    QCOMPARE(fixture.stored().Tipo, std::optional<QString>(QStringLiteral("2")));

    window.edit();
    window.tipoList()->setCurrentIndex(-1);
    window.DBComboBox1Exit();
    QVERIFY(window.post());
    QCOMPARE(fixture.stored().Tipo, std::optional<QString>(QStringLiteral("-1")));
}

void TestSettings::unreadableTipoShowsNoEntry()
{
    Fixture fixture([](Parametros &record) { record.Tipo = QStringLiteral("fpcmSite"); });
    ProxyWindow window(fixture.data, fixture.messages);

    QCOMPARE(window.tipoList()->currentIndex(), -1);
    QVERIFY(fixture.messages.shown().empty());
}

void TestSettings::unsupportedMethodIsNoticed_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("porta");
    QTest::addColumn<bool>("noticed");

    for (int method = 0; method < 10; ++method) {
        const QByteArray name = ProxyWindow::proxyMethods().at(method).toUtf8();
        QTest::newRow(name + " without a host")
            << method << QString() << QString() << !isFtpProxyMethodSupported(method);
        QTest::newRow(name + " with a host")
            << method << QStringLiteral("proxy") << QStringLiteral("3128")
            << !isFtpProxyMethodSupported(method);
    }
    QTest::newRow("tunnel with a bad port")
        << 8 << QStringLiteral("proxy") << QStringLiteral("31a8") << true;
    QTest::newRow("no method, no host") << -1 << QString() << QString() << false;
    QTest::newRow("no method, a host") << -1 << QStringLiteral("proxy") << QString() << true;
}

void TestSettings::unsupportedMethodIsNoticed()
{
    QFETCH(int, method);
    QFETCH(QString, host);
    QFETCH(QString, porta);
    QFETCH(bool, noticed);
    Fixture fixture;
    ProxyWindow window(fixture.data, fixture.messages);
    QVERIFY(window.methodNotice()->isHidden());

    window.edit();
    window.hostField()->setText(host);
    window.portaField()->setText(porta);
    window.tipoList()->setCurrentIndex(method);

    QCOMPARE(!window.methodNotice()->isHidden(), noticed);
    if (noticed) {
        FtpProxySettings proxy;
        proxy.Host = host.isEmpty() ? QStringLiteral("proxy") : host;
        proxy.Porta = porta;
        if (method >= 0)
            proxy.Tipo = QString::number(method);
        QCOMPARE(window.methodNotice()->text(), FtpProxyRoute::resolve(proxy).reason);
        QVERIFY(!window.methodNotice()->text().isEmpty());
    }
}

void TestSettings::closingTheWindowDropsAnUnsavedEdit()
{
    Fixture fixture(setProxy);
    ProxyActions actions(fixture.data, fixture.messages, nullptr);
    QTimer::singleShot(0, actions.window(), [&actions] {
        QTest::keyClicks(actions.window()->hostField(), QStringLiteral("x"));
        QVERIFY(actions.window()->isEditing());
        actions.window()->reject();
    });

    actions.actConfigProxyExecute();

    QVERIFY(!actions.window()->isEditing());
    QCOMPARE(actions.window()->hostField()->text(), QStringLiteral("proxy.cartorio.local"));
    QCOMPARE(fixture.stored().Host, std::optional<QString>(QStringLiteral("proxy.cartorio.local")));
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
