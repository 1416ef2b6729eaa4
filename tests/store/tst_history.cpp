#include "TestSupport.h"

#include "store/DataModule.h"
#include "store/SqlConnection.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tramora;

namespace {

QString header(const QString &label)
{
    return label + QStringLiteral(" -------------------------------------- ") + label
        + QStringLiteral(" --------------------------------------");
}

qint64 rowCount(SqlConnection &db)
{
    SqlStatement query(db, QStringLiteral("SELECT count(*) FROM Arquivos"));
    query.step();
    return query.integer(0);
}

} // namespace

class TestHistory final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layoutOfErro_data();
    void layoutOfErro();
    void lineZeroMessagesAreSkipped();
    void recordIsFoundByExactFileName();
    void dateAndStatusFollowTheLastMessage();
    void periodFilterLimitsTheLookup();
    void periodBoundsAreInclusive_data();
    void periodBoundsAreInclusive();

private:
    void insertRecord(const QString &name, const std::optional<QString> &date);

    std::unique_ptr<QTemporaryDir> m_folder;
    test::RecordingMessageBoxes m_messages;
    test::FixedClock m_clock;
    std::unique_ptr<DataModule> m_module;
};

void TestHistory::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_clock.set(QDateTime(QDate(2021, 12, 13), QTime(9, 5, 7)));
    m_module = std::make_unique<DataModule>(
        DataModule::Options{m_folder->path(), QStringLiteral("CARTORIO-01")}, m_messages, m_clock);
    m_module->DataModuleCreate();
    QVERIFY(m_messages.shown().empty());
}

void TestHistory::cleanup()
{
    m_module.reset();
    m_folder.reset();
}

void TestHistory::insertRecord(const QString &name, const std::optional<QString> &date)
{
    SqlStatement insert(m_module->connection(),
                        QStringLiteral("INSERT INTO Arquivos (DataEnvio, NomeArquivo, "
                                       "StatusEnvio, Erro) VALUES (?, ?, 'S', 'OLU old')"));
    insert.bind(1, date).bind(2, name);
    insert.step();
}

void TestHistory::layoutOfErro_data()
{
    // Label and message alternate in "entries".
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("expected");

    const QString olu = QStringLiteral("OLU");
    const QString pdf = QStringLiteral("PDF");
    const QString m1 = QStringLiteral("Falta a tag <Cns>");
    const QString m2 = QStringLiteral("Data do ato invalida");
    const QString m3 = QStringLiteral("Documento abaixo de 20000 bytes");
    const QString twoOlu = header(olu) + QStringLiteral("\r\n   -->  ") + m1
        + QStringLiteral("\r\n\r\n   --> ") + m2;

    QTest::newRow("first message of a section")
        << QStringList{olu, m1}
        << header(olu) + QStringLiteral("\r\n   -->  ") + m1 + QStringLiteral("\r\n");
    QTest::newRow("second message joins its section") << QStringList{olu, m1, olu, m2} << twoOlu;
    QTest::newRow("new section goes in front")
        << QStringList{olu, m1, olu, m2, pdf, m3}
        << header(pdf) + QStringLiteral("\r\n   -->  ") + m3 + QStringLiteral("\r\n") + twoOlu;
    QTest::newRow("label matched ignoring case")
        << QStringList{olu, m1, QStringLiteral("olu"), m2} << twoOlu;
    QTest::newRow("label found inside an earlier message")
        << QStringList{olu, QStringLiteral("Falta o arquivo .Pdf do ato"), pdf, m3}
        << header(olu) + QStringLiteral("\r\n   -->  Falta o arquivo .Pdf do ato\r\n")
            + QStringLiteral("\r\n   --> ") + m3;
    QTest::newRow("message with its own line breaks")
        << QStringList{olu, QStringLiteral("Falta no XML :\r\nA tag <Cns>")}
        << header(olu) + QStringLiteral("\r\n   -->  Falta no XML :\r\nA tag <Cns>\r\n");
}

void TestHistory::layoutOfErro()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, expected);

    for (qsizetype i = 0; i + 1 < entries.size(); i += 2)
        QVERIFY(m_module->history().InserirLog(entries[i], entries[i + 1],
                                               QStringLiteral("/drop/123456_ato.xml")));
    const auto record = m_module->history().findVisible(QStringLiteral("123456_ato.xml"));
    QVERIFY(record);
    QCOMPARE(record->Erro, expected);
    QCOMPARE(rowCount(m_module->connection()), 1);
}

void TestHistory::lineZeroMessagesAreSkipped()
{
    History &history = m_module->history();
    QVERIFY(!history.InserirLog(QStringLiteral("OLU"), QStringLiteral("Reason: x Line: 0 Pos: 3"),
                                QStringLiteral("a.xml")));
    QCOMPARE(rowCount(m_module->connection()), 0);

    QVERIFY(
        history.InserirLog(QStringLiteral("OLU"), QStringLiteral("m1"), QStringLiteral("a.xml")));
    const auto before = history.findVisible(QStringLiteral("a.xml"));
    m_clock.set(m_clock.now().addSecs(60));
    QVERIFY(!history.InserirLog(QStringLiteral("PDF"), QStringLiteral("x Line: 0 "),
                                QStringLiteral("a.xml")));
    const auto after = history.findVisible(QStringLiteral("a.xml"));
    QCOMPARE(after->Erro, before->Erro);
    QCOMPARE(after->DataEnvio, before->DataEnvio);

    // Only the exact text counts.
    QVERIFY(history.InserirLog(QStringLiteral("OLU"), QStringLiteral("Line: 01"),
                               QStringLiteral("a.xml")));
}

void TestHistory::recordIsFoundByExactFileName()
{
    History &history = m_module->history();
    QVERIFY(history.InserirLog(QStringLiteral("OLU"), QStringLiteral("m1"),
                               QStringLiteral("/one/Nota.xml")));
    QVERIFY(history.InserirLog(QStringLiteral("OLU"), QStringLiteral("m2"),
                               QStringLiteral("/two/Nota.xml")));
    QVERIFY(history.InserirLog(QStringLiteral("OLU"), QStringLiteral("m3"),
                               QStringLiteral("Nota.xml")));
    QVERIFY(history.InserirLog(QStringLiteral("OLU"), QStringLiteral("m4"),
                               QStringLiteral("/one/nota.xml")));

    QCOMPARE(rowCount(m_module->connection()), 2);
    QVERIFY(history.findVisible(QStringLiteral("Nota.xml"))->Erro->endsWith(QLatin1String("m3")));
    QCOMPARE(history.findVisible(QStringLiteral("nota.xml"))->Erro,
             header(QStringLiteral("OLU")) + QStringLiteral("\r\n   -->  m4\r\n"));
}

void TestHistory::dateAndStatusFollowTheLastMessage()
{
    History &history = m_module->history();
    history.InserirLog(QStringLiteral("OLU"), QStringLiteral("m1"), QStringLiteral("a.xml"));
    m_clock.set(QDateTime(QDate(2021, 12, 13), QTime(23, 59, 59)));
    history.InserirLog(QStringLiteral("OLU"), QStringLiteral("m2"), QStringLiteral("a.xml"));

    SqlStatement query(m_module->connection(),
                       QStringLiteral("SELECT DataEnvio, StatusEnvio FROM Arquivos"));
    QVERIFY(query.step());
    QCOMPARE(query.text(0), QStringLiteral("2021-12-13 23:59:59"));
    QCOMPARE(query.text(1), QStringLiteral("S"));
}

void TestHistory::periodFilterLimitsTheLookup()
{
    History &history = m_module->history();
    insertRecord(QStringLiteral("a.xml"), QStringLiteral("2021-12-12 18:00:00"));
    insertRecord(QStringLiteral("b.xml"), std::nullopt);

    history.setPeriodFilter(HistoryPeriod{QDate(2021, 12, 13), QDate(2021, 12, 13)});
    QVERIFY(!history.findVisible(QStringLiteral("a.xml")));
    QVERIFY(
        history.InserirLog(QStringLiteral("OLU"), QStringLiteral("m"), QStringLiteral("a.xml")));
    QVERIFY(
        history.InserirLog(QStringLiteral("OLU"), QStringLiteral("m"), QStringLiteral("b.xml")));
    QCOMPARE(rowCount(m_module->connection()), 4);

    // Without the filter the older record is the one found again.
    history.setPeriodFilter(std::nullopt);
    QCOMPARE(history.findVisible(QStringLiteral("a.xml"))->Erro, QStringLiteral("OLU old"));
}

void TestHistory::periodBoundsAreInclusive_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("visible");

    QTest::newRow("first day at midnight") << QStringLiteral("2021-12-01 00:00:00") << true;
    QTest::newRow("day before") << QStringLiteral("2021-11-30 23:59:59") << false;
    QTest::newRow("last second of the last day") << QStringLiteral("2021-12-13 23:59:59") << true;
    QTest::newRow("day after") << QStringLiteral("2021-12-14 00:00:00") << false;
}

void TestHistory::periodBoundsAreInclusive()
{
    QFETCH(QString, stored);
    QFETCH(bool, visible);
    insertRecord(QStringLiteral("a.xml"), stored);
    m_module->history().setPeriodFilter(HistoryPeriod{QDate(2021, 12, 1), QDate(2021, 12, 13)});
    QCOMPARE(m_module->history().findVisible(QStringLiteral("a.xml")).has_value(), visible);
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
