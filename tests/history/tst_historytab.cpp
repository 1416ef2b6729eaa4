#include "HistoryFixture.h"

#include "HistoryTab.h"

#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace tramora;
using test::RecordingMessageBoxes;

class TestHistoryTab final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void enteringTheTabShowsToday();
    void buttonsSearchExportAndClear();
    void invalidFieldClosesTheListAndDeletesNothing();

private:
    QStringList listedNames() const;
    QStringList listedDates() const;
    void typePeriod(const QString &inicio, const QString &fim);
    void selectRow(int row);

    std::unique_ptr<test::HistoryFixture> f;
    std::unique_ptr<HistoryTab> m_tab;
};

void TestHistoryTab::init()
{
    f = std::make_unique<test::HistoryFixture>();
    m_tab = std::make_unique<HistoryTab>(f->history(), f->clock, f->messages, f->saveFile,
                                         f->applicationFolder());
    m_tab->resize(1000, 500);
    m_tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tab.get()));
}

void TestHistoryTab::cleanup()
{
    m_tab.reset();
    f.reset();
}

QStringList TestHistoryTab::listedNames() const
{
    QStringList names;
    const QAbstractItemModel *model = m_tab->list()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

QStringList TestHistoryTab::listedDates() const
{
    QStringList dates;
    const QAbstractItemModel *model = m_tab->list()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        dates << model->index(row, 1).data().toString();
    return dates;
}

void TestHistoryTab::typePeriod(const QString &inicio, const QString &fim)
{
    // Digits only: the mask puts the slashes in.
    for (auto [field, text] : {std::pair{m_tab->periodoDe(), inicio}, {m_tab->periodoAte(), fim}}) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        field->home(false);
        QTest::keyClicks(field, text);
    }
}

void TestHistoryTab::selectRow(int row)
{
    QTableView *list = m_tab->list();
    const QRect cell = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

void TestHistoryTab::enteringTheTabShowsToday()
{
    f->insert(QStringLiteral("ontem.xml"), QStringLiteral("12/12/2021 23:59:59"));
    f->insert(QStringLiteral("cedo.xml"), QStringLiteral("13/12/2021 00:00:00"),
              QStringLiteral("OLU cabeçalho\r\n   -->  m1"));
    f->insert(QStringLiteral("sem_data.xml"), QString());
    f->insert(QStringLiteral("tarde.xml"), QStringLiteral("13/12/2021 23:59:59"));
    f->insert(QStringLiteral("amanha.xml"), QStringLiteral("14/12/2021 00:00:00"));

    m_tab->enterTab();

    QCOMPARE(m_tab->periodoDe()->text(), QStringLiteral("13/12/2021"));
    QCOMPARE(m_tab->periodoAte()->text(), QStringLiteral("13/12/2021"));
    QCOMPARE(listedNames(), (QStringList{QStringLiteral("cedo.xml"), QStringLiteral("tarde.xml")}));
    QCOMPARE(listedDates(),
             (QStringList{QStringLiteral("13/12/2021 00:00:00"),
                          QStringLiteral("13/12/2021 23:59:59")}));
    QCOMPARE(m_tab->list()->currentIndex().row(), 0);
    QCOMPARE(m_tab->erro()->toPlainText(), QStringLiteral("OLU cabeçalho\n   -->  m1"));
    QVERIFY(f->messages.shown().empty());

    // The fixed parts of the tab.
    QCOMPARE(m_tab->periodoDe()->inputMask(), QStringLiteral("99/99/9999;_"));
    QCOMPARE(m_tab->buscaPeriodo()->text(), QStringLiteral("Busca Periodo"));
    QCOMPARE(m_tab->gerarXmlLog()->text(), QStringLiteral("Gerar xml do log"));
    QCOMPARE(m_tab->limparHistorico()->text(), QStringLiteral("Limpar histórico"));
    QCOMPARE(m_tab->findChild<QGroupBox *>()->title(),
             QStringLiteral("08 - Passo Log(s) de Inconsistência(s)"));
    QStringList labels;
    for (const QLabel *label : m_tab->findChildren<QLabel *>())
        labels << label->text();
    QCOMPARE(labels, (QStringList{QStringLiteral("Periodo de"), QStringLiteral("até")}));
    QCOMPARE(m_tab->list()->columnWidth(0), 350);
    QCOMPARE(m_tab->list()->columnWidth(1), 138);
    QVERIFY(m_tab->erro()->isReadOnly());
}

void TestHistoryTab::buttonsSearchExportAndClear()
{
    f->insert(QStringLiteral("antes.xml"), QStringLiteral("30/11/2021 23:59:59"));
    f->insert(QStringLiteral("primeiro.xml"), QStringLiteral("01/12/2021 10:00:00"),
              QStringLiteral("primeiro"));
    f->insert(QStringLiteral("meio.xml"), QStringLiteral("05/12/2021 12:00:00"),
              QStringLiteral("meio"));
    f->insert(QStringLiteral("sem_data.xml"), QString());
    f->insert(QStringLiteral("ultimo.xml"), QStringLiteral("13/12/2021 23:59:59"),
              QStringLiteral("ultimo"));

    typePeriod(QStringLiteral("01122021"), QStringLiteral("13122021"));
    QCOMPARE(m_tab->periodoDe()->text(), QStringLiteral("01/12/2021"));
    QTest::mouseClick(m_tab->buscaPeriodo(), Qt::LeftButton);
    QCOMPARE(listedNames(),
             (QStringList{QStringLiteral("primeiro.xml"), QStringLiteral("meio.xml"),
                          QStringLiteral("ultimo.xml")}));
    QCOMPARE(m_tab->erro()->toPlainText(), QStringLiteral("primeiro"));
    selectRow(2);
    QCOMPARE(m_tab->erro()->toPlainText(), QStringLiteral("ultimo"));

    const QString target = QDir(f->applicationFolder()).filePath(QStringLiteral("Recusado.xml"));
    f->saveFile.answer = target;
    QTest::mouseClick(m_tab->gerarXmlLog(), Qt::LeftButton);
    QVERIFY(QFileInfo(target).size() > 0);
    QCOMPARE(f->messages.texts(),
             QStringList{QStringLiteral("Arquivo gerado no caminho: ") + target});
    f->messages.clear();

    // Clearing the first days removes their records and the undated one; the list shows what
    // is left of the search.
    typePeriod(QStringLiteral("01122021"), QStringLiteral("05122021"));
    f->messages.answerConfirmationsWith(true);
    QTest::mouseClick(m_tab->limparHistorico(), Qt::LeftButton);
    QCOMPARE(f->messages.shown().size(), size_t(1));
    QCOMPARE(f->messages.shown().front().kind, RecordingMessageBoxes::Shown::Confirmation);
    QCOMPARE(listedNames(), QStringList{QStringLiteral("ultimo.xml")});
    QCOMPARE(m_tab->erro()->toPlainText(), QStringLiteral("ultimo"));
    QCOMPARE(f->allNames(),
             (QStringList{QStringLiteral("antes.xml"), QStringLiteral("ultimo.xml")}));
}

void TestHistoryTab::invalidFieldClosesTheListAndDeletesNothing()
{
    f->insert(QStringLiteral("hoje.xml"), QStringLiteral("13/12/2021 09:00:00"));
    f->insert(QStringLiteral("sem_data.xml"), QString());
    m_tab->enterTab();
    QCOMPARE(listedNames(), QStringList{QStringLiteral("hoje.xml")});

    typePeriod(QStringLiteral("32122021"), QStringLiteral("13122021"));
    QTest::mouseClick(m_tab->buscaPeriodo(), Qt::LeftButton);
    QCOMPARE(listedNames(), QStringList{});
    QCOMPARE(m_tab->erro()->toPlainText(), QString());

    // An empty field, as the mask leaves it.
    typePeriod(QStringLiteral("13122021"), QString());
    f->messages.answerConfirmationsWith(true);
    QTest::mouseClick(m_tab->limparHistorico(), Qt::LeftButton);

    QCOMPARE(f->messages.shown().size(), size_t(2));
    QCOMPARE(f->messages.shown()[0].kind, RecordingMessageBoxes::Shown::Error);
    QVERIFY(f->messages.shown()[0].text.contains(QStringLiteral("\"Periodo de\"")));
    QCOMPARE(f->messages.shown()[1].kind, RecordingMessageBoxes::Shown::Error);
    QVERIFY(f->messages.shown()[1].text.contains(QStringLiteral("\"até\"")));
    QCOMPARE(f->allNames(),
             (QStringList{QStringLiteral("hoje.xml"), QStringLiteral("sem_data.xml")}));
}

QTEST_MAIN(TestHistoryTab)
#include "tst_historytab.moc"
