#include "IndexFixture.h"

#include "batch/BatchMessages.h"

#include <QTest>

#include <nlohmann/json.hpp>

using tramora::test::IndexFixture;

namespace {

using Run = tramora::test::ProgramRun;

Run check(const QStringList &arguments)
{
    return tramora::test::runProgram(QStringLiteral(TRAMORA_CHECK_PATH), arguments);
}

} // namespace

class TestCheck final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void usageErrors_data();
    void usageErrors();
    void reportsEachSetAsJson();
    void plainOutputNamesTheVerdictAndTheHistory();
    void judgesTheDocumentWithoutTouchingIt();

private:
    IndexFixture m_fixture;
    QString m_valid;
    QString m_faulty;
};

void TestCheck::initTestCase()
{
    m_valid = m_fixture.write(QStringLiteral("123456_bom.xml"), IndexFixture::indexXml({}));
    m_faulty = m_fixture.write(QStringLiteral("123456_ruim.xml"),
                               IndexFixture::indexXml({QStringLiteral("NumeroSelo=ABC1234X"),
                                                       QStringLiteral("NumeroAto=")}));
}

void TestCheck::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no index file") << QStringList{QStringLiteral("--json")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--fast"), m_valid};
    QTest::newRow("option without its value") << QStringList{m_valid, QStringLiteral("--cns")};
    QTest::newRow("date not ISO") << QStringList{QStringLiteral("--today"),
                                                 QStringLiteral("11/12/2026"), m_valid};
    QTest::newRow("missing index file")
        << QStringList{m_valid, m_fixture.folder.path() + QStringLiteral("/nao-existe.xml")};
    QTest::newRow("documents folder missing")
        << QStringList{QStringLiteral("--docs"), QStringLiteral("/nao/existe"), m_valid};
}

void TestCheck::usageErrors()
{
    QFETCH(QStringList, arguments);
    const Run run = check(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.startsWith("tramora-check: "));
}

void TestCheck::reportsEachSetAsJson()
{
    const Run run
        = check({QStringLiteral("--json"), QStringLiteral("--cns"), QStringLiteral("123456"),
                 QStringLiteral("--today"), QStringLiteral("2026-12-11"), m_valid, m_faulty});
    QCOMPARE(run.exitCode, 1);
    const auto document = nlohmann::json::parse(run.out.toStdString());
    const auto &files = document.at("files");
    QCOMPARE(files.size(), std::size_t(2));

    QCOMPARE(QString::fromStdString(files[0].at("index")), m_valid);
    QCOMPARE(files[0].at("accepted").get<bool>(), true);
    QVERIFY(files[0].at("history").empty());

    QCOMPARE(files[1].at("accepted").get<bool>(), false);
    const QString erro
        = QString::fromStdString(files[1].at("history").at("123456_ruim.xml").get<std::string>());
    QCOMPARE(erro,
             IndexFixture::expectedOlu(
                 {QStringLiteral("Para a tag <CodigoServico> = \"1\" e \"4\" até \"6\" e \"8\" "
                                 "até \"11\", o valor Tag <NumeroAto> não pode ser \"NULO\"! "
                                 "Verifique, Vide Manual de Integração OLU"),
                  QStringLiteral("Para a tag <CodigoServico> = \"1\" até \"11\", o valor da tag "
                                 "<NumeroSelo> está fora do padrão \"OLU\"! Ex. \"AAA00000\"! "
                                 "Verifique, Vide Manual de Integração OLU"),
                  tramora::batchmsg::structureFailure()}));

    // Without the office CNS every act is refused; the act dated in the future, too.
    QCOMPARE(check({QStringLiteral("--json"), m_valid}).exitCode, 1);
    QCOMPARE(check({QStringLiteral("--cns"), QStringLiteral("123456"), QStringLiteral("--today"),
                    QStringLiteral("2026-12-09"), m_valid})
                 .exitCode,
             1);
}

void TestCheck::plainOutputNamesTheVerdictAndTheHistory()
{
    const Run accepted = check({QStringLiteral("--cns"), QStringLiteral("123456"),
                                QStringLiteral("--today"), QStringLiteral("2026-12-11"), m_valid});
    QCOMPARE(accepted.exitCode, 0);
    QCOMPARE(accepted.out, (m_valid + QStringLiteral(": aceito\n")).toUtf8());

    const Run refused = check({QStringLiteral("--cns"), QStringLiteral("123456"),
                               QStringLiteral("--today"), QStringLiteral("2026-12-11"), m_faulty});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY(refused.out.startsWith(
        (m_faulty + QStringLiteral(": recusado\n  123456_ruim.xml\n")).toUtf8()));
    QVERIFY(refused.out.contains("<NumeroSelo> está fora do padrão"));
}

void TestCheck::judgesTheDocumentWithoutTouchingIt()
{
    const QString index
        = m_fixture.write(QStringLiteral("123456_doc.xml"),
                          IndexFixture::indexXml({QStringLiteral("CodigoServico=2")}));
    const QString document = m_fixture.folder.path() + QStringLiteral("/docs/123456_doc.pdf");
    QFile small(document);
    QVERIFY(small.open(QIODevice::WriteOnly));
    small.write(QByteArray(1536, 'x'));
    small.close();

    const Run run
        = check({QStringLiteral("--json"), QStringLiteral("--cns"), QStringLiteral("123456"),
                 QStringLiteral("--today"), QStringLiteral("2026-12-11"), QStringLiteral("--docs"),
                 m_fixture.folder.path() + QStringLiteral("/docs"), index});
    QCOMPARE(run.exitCode, 1);
    const auto history = nlohmann::json::parse(run.out.toStdString()).at("files")[0].at("history");
    QVERIFY(QString::fromStdString(history.at("123456_doc.pdf").get<std::string>())
                .contains(QStringLiteral("Está Vazio")));
    QVERIFY(QString::fromStdString(history.at("123456_doc.xml").get<std::string>())
                .contains(QStringLiteral("Falha nos Anexos do XMl")));
    QVERIFY(QFile::exists(index));
    QVERIFY(QFile::exists(document));
}

QTEST_GUILESS_MAIN(TestCheck)
#include "tst_check.moc"
