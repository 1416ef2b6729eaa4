#include "HistoryFixture.h"

#include "history/InconsistencyLog.h"
#include "history/RecusadoReport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>

using namespace tramora;
using test::RecordingMessageBoxes;

namespace {

// What an XML reader makes of a report: the declaration and, per Dados, its children's
// names and texts in document order.
struct ReadReport
{
    QString version;
    QString encoding;
    QString root;
    QList<QStringList> childNames;
    QList<QStringList> childTexts;
};

QString fromXml(const xmlChar *text)
{
    return text ? QString::fromUtf8(reinterpret_cast<const char *>(text)) : QString();
}

std::optional<ReadReport> readReport(const QString &path)
{
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        xmlReadFile(QFile::encodeName(path).constData(), nullptr, XML_PARSE_NONET), xmlFreeDoc);
    if (!doc)
        return std::nullopt;
    ReadReport report;
    report.version = fromXml(doc->version);
    report.encoding = fromXml(doc->encoding);
    const xmlNode *root = xmlDocGetRootElement(doc.get());
    report.root = fromXml(root->name);
    for (const xmlNode *dados = root->children; dados; dados = dados->next) {
        if (dados->type != XML_ELEMENT_NODE)
            continue;
        QStringList names{fromXml(dados->name)};
        QStringList texts;
        for (const xmlNode *child = dados->children; child; child = child->next) {
            if (child->type != XML_ELEMENT_NODE)
                continue;
            names << fromXml(child->name);
            xmlChar *content = xmlNodeGetContent(child);
            texts << fromXml(content);
            xmlFree(content);
        }
        report.childNames << names;
        report.childTexts << texts;
    }
    return report;
}

// Fails every write once the given number of bytes has been taken.
class FailingDevice final : public QBuffer
{
public:
    explicit FailingDevice(qint64 capacity)
        : m_capacity(capacity)
    { }

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        if (size() + length > m_capacity) {
            setErrorString(QStringLiteral("disco cheio"));
            return -1;
        }
        return QBuffer::writeData(data, length);
    }

private:
    qint64 m_capacity;
};

const QString emptyField = QStringLiteral("  /  /    ");

} // namespace

class TestInconsistencyLog final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void searchKeepsBothDaysWhole_data();
    void searchKeepsBothDaysWhole();
    void invalidFieldChangesNothing_data();
    void invalidFieldChangesNothing();

    void reportReadsBackWithEveryCharacter();
    void reportExportsTheVisibleRecordsAsRecusadoXml();
    void reportWithNothingVisibleWritesNothing();
    void cancelledReportWritesNothing();
    void failedWriteKeepsTheEarlierReport();
    void writerReportsAFailingDevice();

    void clearingRemovesThePeriodAndUndatedRecords_data();
    void clearingRemovesThePeriodAndUndatedRecords();

private:
    InconsistencyLog &log() { return *m_log; }
    std::unique_ptr<test::HistoryFixture> f;
    std::unique_ptr<InconsistencyLog> m_log;
};

void TestInconsistencyLog::init()
{
    f = std::make_unique<test::HistoryFixture>();
    QVERIFY(f->messages.shown().empty());
    m_log = std::make_unique<InconsistencyLog>(f->history(), f->clock, f->messages, f->saveFile,
                                               f->applicationFolder());
}

void TestInconsistencyLog::cleanup()
{
    m_log.reset();
    f.reset();
}

void TestInconsistencyLog::searchKeepsBothDaysWhole_data()
{
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<QString>("fim");
    QTest::addColumn<QStringList>("visible");

    QTest::newRow("first to thirteenth")
        << QStringLiteral("01/12/2021") << QStringLiteral("13/12/2021")
        << QStringList{QStringLiteral("b"), QStringLiteral("c")};
    QTest::newRow("one day") << QStringLiteral("13/12/2021") << QStringLiteral("13/12/2021")
                             << QStringList{QStringLiteral("c")};
    QTest::newRow("inverted period")
        << QStringLiteral("13/12/2021") << QStringLiteral("01/12/2021") << QStringList{};
    QTest::newRow("undated never match")
        << QStringLiteral("01/01/1900") << QStringLiteral("31/12/2999")
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                       QStringLiteral("d")};
}

void TestInconsistencyLog::searchKeepsBothDaysWhole()
{
    QFETCH(QString, inicio);
    QFETCH(QString, fim);
    QFETCH(QStringList, visible);

    f->insert(QStringLiteral("a"), QStringLiteral("30/11/2021 23:59:59"));
    f->insert(QStringLiteral("b"), QStringLiteral("01/12/2021 00:00:00"));
    f->insert(QStringLiteral("undated"), QString());
    f->insert(QStringLiteral("c"), QStringLiteral("13/12/2021 23:59:59"));
    f->insert(QStringLiteral("d"), QStringLiteral("14/12/2021 00:00:00"));

    QVERIFY(log().AcBuscaPeriodoExecute(inicio, fim));
    QVERIFY(log().isListOpen());
    QCOMPARE(f->namesOf(f->history().visibleRecords()), visible);
    QCOMPARE(qsizetype(f->history().idsIn(log().searchedPeriod()).size()), visible.size());
    QVERIFY(f->messages.shown().empty());
}

void TestInconsistencyLog::invalidFieldChangesNothing_data()
{
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<QString>("fim");
    QTest::addColumn<QString>("field");

    const QString de = QStringLiteral("\"Periodo de\"");
    const QString ate = QStringLiteral("\"até\"");
    const QString valid = QStringLiteral("13/12/2021");
    QTest::newRow("empty start") << emptyField << valid << de;
    QTest::newRow("empty end") << valid << emptyField << ate;
    QTest::newRow("day 32") << QStringLiteral("32/12/2021") << valid << de;
    QTest::newRow("29 February of a common year") << valid << QStringLiteral("29/02/2021") << ate;
    QTest::newRow("incomplete, mask blanks") << QStringLiteral("1_/12/2021") << valid << de;
    QTest::newRow("incomplete, blanks stripped") << valid << QStringLiteral("1/12/2021") << ate;
    QTest::newRow("two-digit year") << QStringLiteral("13/12/21") << valid << de;
    QTest::newRow("month 13") << valid << QStringLiteral("01/13/2021") << ate;
}

void TestInconsistencyLog::invalidFieldChangesNothing()
{
    QFETCH(QString, inicio);
    QFETCH(QString, fim);
    QFETCH(QString, field);

    f->insert(QStringLiteral("today"), QStringLiteral("13/12/2021 09:00:00"));
    f->insert(QStringLiteral("undated"), QString());
    QVERIFY(
        log().AcBuscaPeriodoExecute(QStringLiteral("13/12/2021"), QStringLiteral("13/12/2021")));
    const auto filter = f->history().periodFilter();
    f->messages.answerConfirmationsWith(true);
    f->saveFile.answer = QDir(f->applicationFolder()).filePath(QStringLiteral("Recusado.xml"));

    QVERIFY(!log().AcBuscaPeriodoExecute(inicio, fim));
    QVERIFY(!log().isListOpen());
    // The validation run keeps finding its records under the filter that was in force.
    QCOMPARE(f->history().periodFilter()->inicio, filter->inicio);
    QCOMPARE(f->history().periodFilter()->fim, filter->fim);

    // With the list closed there is nothing to export.
    QVERIFY(!log().actGerarXmlLogExecute());
    QVERIFY(f->saveFile.opened.empty());

    // No question is asked about a period that is not one, and nothing is deleted.
    QVERIFY(!log().actLimparLogExecute(inicio, fim));
    QCOMPARE(f->allNames(), (QStringList{QStringLiteral("today"), QStringLiteral("undated")}));

    QCOMPARE(f->messages.shown().size(), size_t(3));
    for (const RecordingMessageBoxes::Shown &shown : f->messages.shown()) {
        QCOMPARE(shown.kind, RecordingMessageBoxes::Shown::Error);
        QVERIFY2(shown.text.contains(field), qPrintable(shown.text));
    }

    // A valid search opens the list again.
    QVERIFY(
        log().AcBuscaPeriodoExecute(QStringLiteral("13/12/2021"), QStringLiteral("13/12/2021")));
    QVERIFY(log().isListOpen());
}

void TestInconsistencyLog::reportReadsBackWithEveryCharacter()
{
    // Latin-1 letters as bytes, the euro sign and an emoji as references, markup escaped, CR LF
    // kept, and a control character that XML cannot carry replaced so the report still reads.
    const QString erro = QStringLiteral("OLU -------------------------------------- OLU "
                                        "--------------------------------------\r\n"
                                        "   -->  Certidão de óbito: taxa € 10 <a&b> 😀\r\n"
                                        "\r\n   --> linha\tcom\x01"
                                        "controle");
    const QString readBack = QString(erro).replace(QChar(0x01), QChar(0xFFFD));
    f->insert(QStringLiteral("123456_ação.xml"), QStringLiteral("13/12/2021 09:05:07"), erro);
    f->insert(QStringLiteral("sem_data.xml"), QString(), QStringLiteral("PDF"));

    const QString target = QDir(f->applicationFolder()).filePath(QStringLiteral("Recusado.xml"));
    f->saveFile.answer = target;
    QCOMPARE(log().actGerarXmlLogExecute(), target);

    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>"));
    QVERIFY(bytes.contains("Certid\xe3o de \xf3"
                           "bito"));
    QVERIFY(bytes.contains("&#8364;"));
    QVERIFY(bytes.contains("&#128512;"));
    QVERIFY(!bytes.contains("\xc3\xa3")); // no UTF-8 left

    const auto report = readReport(target);
    QVERIFY(report);
    QCOMPARE(report->version, QStringLiteral("1.0"));
    QCOMPARE(report->encoding, QStringLiteral("iso-8859-1"));
    QCOMPARE(report->root, QStringLiteral("Recusado"));
    const QStringList dados{QStringLiteral("Dados"), QStringLiteral("Data"),
                            QStringLiteral("Arquivo"), QStringLiteral("Inconsistencia")};
    QCOMPARE(report->childNames, (QList<QStringList>{dados, dados}));
    QCOMPARE(report->childTexts[0],
             (QStringList{QStringLiteral("13/12/2021 09:05:07"), QStringLiteral("123456_ação.xml"),
                          readBack}));
    QCOMPARE(report->childTexts[1],
             (QStringList{QString(), QStringLiteral("sem_data.xml"), QStringLiteral("PDF")}));
}

void TestInconsistencyLog::reportExportsTheVisibleRecordsAsRecusadoXml()
{
    f->insert(QStringLiteral("antes.xml"), QStringLiteral("30/11/2021 23:59:59"));
    f->insert(QStringLiteral("primeiro.xml"), QStringLiteral("01/12/2021 10:00:00"));
    f->insert(QStringLiteral("sem_data.xml"), QString());
    f->insert(QStringLiteral("ultimo.xml"), QStringLiteral("13/12/2021 23:59:59"));
    QVERIFY(
        log().AcBuscaPeriodoExecute(QStringLiteral("01/12/2021"), QStringLiteral("13/12/2021")));
    // A file coming back to the validation run drops the store's filter; the report still
    // exports what the search selected.
    f->history().resetRecord(QStringLiteral("antes.xml"));

    // The user picks another folder and types another name; only the folder is used, and an
    // earlier report there is replaced.
    QTemporaryDir chosen;
    const QString target = QDir(chosen.path()).filePath(QStringLiteral("Recusado.xml"));
    QFile earlier(target);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("old");
    earlier.close();
    f->saveFile.answer = QDir(chosen.path()).filePath(QStringLiteral("relatorio.xml"));

    QCOMPARE(log().actGerarXmlLogExecute(), target);
    QVERIFY(!QFile::exists(*f->saveFile.answer));
    QCOMPARE(f->saveFile.opened.size(), size_t(1));
    const auto &opened = f->saveFile.opened.front();
    QCOMPARE(opened.folder, QDir(f->applicationFolder()).filePath(QStringLiteral("Log")));
    QVERIFY(QFileInfo(opened.folder).isDir());
    QCOMPARE(opened.fileName, QStringLiteral("Recusado.xml"));
    QCOMPARE(opened.pattern, QStringLiteral("*.xml"));

    QCOMPARE(f->messages.texts(),
             QStringList{QStringLiteral("Arquivo gerado no caminho: ") + chosen.path()
                         + QStringLiteral("/Recusado.xml")});
    QCOMPARE(f->messages.shown().front().kind, RecordingMessageBoxes::Shown::Information);

    const auto report = readReport(target);
    QVERIFY(report);
    QStringList arquivos;
    for (const QStringList &texts : report->childTexts)
        arquivos << texts.value(1);
    QCOMPARE(arquivos, (QStringList{QStringLiteral("primeiro.xml"), QStringLiteral("ultimo.xml")}));

    // A folder picked as such is the folder itself, not its parent.
    f->saveFile.answer = chosen.path();
    QCOMPARE(log().actGerarXmlLogExecute(), target);
}

void TestInconsistencyLog::reportWithNothingVisibleWritesNothing()
{
    f->insert(QStringLiteral("sem_data.xml"), QString());
    f->insert(QStringLiteral("ontem.xml"), QStringLiteral("12/12/2021 23:59:59"));
    QVERIFY(
        log().AcBuscaPeriodoExecute(QStringLiteral("13/12/2021"), QStringLiteral("13/12/2021")));
    f->saveFile.answer = QDir(f->applicationFolder()).filePath(QStringLiteral("Recusado.xml"));

    QVERIFY(!log().actGerarXmlLogExecute());
    QCOMPARE(f->messages.texts(), QStringList{InconsistencyLog::noRecordsMessage()});
    QCOMPARE(f->messages.shown().front().kind, RecordingMessageBoxes::Shown::Information);
    QVERIFY(f->saveFile.opened.empty());
    QVERIFY(!QFileInfo::exists(log().logFolder()));
}

void TestInconsistencyLog::cancelledReportWritesNothing()
{
    f->insert(QStringLiteral("hoje.xml"), QStringLiteral("13/12/2021 08:00:00"));
    f->saveFile.answer.reset();

    QVERIFY(!log().actGerarXmlLogExecute());
    QCOMPARE(f->saveFile.opened.size(), size_t(1));
    QVERIFY(f->messages.shown().empty());
    QCOMPARE(QDir(log().logFolder()).entryList(QDir::Files), QStringList{});
}

void TestInconsistencyLog::failedWriteKeepsTheEarlierReport()
{
    f->insert(QStringLiteral("hoje.xml"), QStringLiteral("13/12/2021 08:00:00"));
    QTemporaryDir chosen;
    // A folder named Recusado.xml stands where the file must go.
    QVERIFY(QDir(chosen.path()).mkdir(QStringLiteral("Recusado.xml")));
    f->saveFile.answer = QDir(chosen.path()).filePath(QStringLiteral("x.xml"));
    QVERIFY(!log().actGerarXmlLogExecute());

    // A folder that does not exist.
    f->saveFile.answer = QDir(chosen.path()).filePath(QStringLiteral("falta/Recusado.xml"));
    QVERIFY(!log().actGerarXmlLogExecute());

    QCOMPARE(f->messages.shown().size(), size_t(2));
    for (const RecordingMessageBoxes::Shown &shown : f->messages.shown())
        QCOMPARE(shown.kind, RecordingMessageBoxes::Shown::Error);
    QCOMPARE(test::treeOf(chosen.path()), QStringList{QStringLiteral("Recusado.xml/")});
}

void TestInconsistencyLog::writerReportsAFailingDevice()
{
    HistoryRecord record;
    record.NomeArquivo = QStringLiteral("a.xml");
    record.Erro = QString(2000, QLatin1Char('x'));

    FailingDevice device(10000);
    QVERIFY(device.open(QIODevice::WriteOnly));
    RecusadoReport report(device);
    for (int i = 0; i < 20; ++i)
        report.add(record);
    QVERIFY(!report.finish());
    QVERIFY(!report.errorText().isEmpty());
}

void TestInconsistencyLog::clearingRemovesThePeriodAndUndatedRecords_data()
{
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<QString>("fim");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("remaining");

    const QStringList all{QStringLiteral("30/11 23:59:59"), QStringLiteral("01/12 00:00:00"),
                          QStringLiteral("undated 1"),      QStringLiteral("01/12 18:30:00"),
                          QStringLiteral("13/12 00:00:00"), QStringLiteral("13/12 23:59:59"),
                          QStringLiteral("undated 2"),      QStringLiteral("14/12 00:00:00")};
    QTest::newRow("the period, its last day whole")
        << QStringLiteral("01/12/2021") << QStringLiteral("13/12/2021") << true
        << QStringList{QStringLiteral("30/11 23:59:59"), QStringLiteral("14/12 00:00:00")};
    QTest::newRow("a day without records still takes the undated")
        << QStringLiteral("05/12/2021") << QStringLiteral("05/12/2021") << true
        << QStringList{all[0], all[1], all[3], all[4], all[5], all[7]};
    QTest::newRow("answered No") << QStringLiteral("01/12/2021") << QStringLiteral("13/12/2021")
                                 << false << all;
}

void TestInconsistencyLog::clearingRemovesThePeriodAndUndatedRecords()
{
    QFETCH(QString, inicio);
    QFETCH(QString, fim);
    QFETCH(bool, yes);
    QFETCH(QStringList, remaining);

    for (const char *name : {"30/11 23:59:59", "01/12 00:00:00", "undated 1", "01/12 18:30:00",
                             "13/12 00:00:00", "13/12 23:59:59", "undated 2", "14/12 00:00:00"}) {
        const QString text = QString::fromLatin1(name);
        f->insert(text,
                  text.startsWith(QLatin1String("undated"))
                      ? QString()
                      : text.left(5) + QStringLiteral("/2021") + text.mid(5));
    }
    // The clearing goes by the fields, not by the last search.
    QVERIFY(
        log().AcBuscaPeriodoExecute(QStringLiteral("14/12/2021"), QStringLiteral("14/12/2021")));
    f->messages.answerConfirmationsWith(yes);

    const auto deleted = log().actLimparLogExecute(inicio, fim);
    QCOMPARE(deleted.has_value(), yes);
    QCOMPARE(f->allNames(), remaining);
    QCOMPARE(f->messages.texts(), QStringList{InconsistencyLog::clearQuestion()});
    QCOMPARE(f->messages.shown().front().kind, RecordingMessageBoxes::Shown::Confirmation);
    if (yes)
        QCOMPARE(*deleted, qint64(8 - remaining.size()));
}

QTEST_GUILESS_MAIN(TestInconsistencyLog)
#include "tst_inconsistencylog.moc"
