#include "BatchFixture.h"

#include "batch/PackingJob.h"
#include "batch/PackingJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace tramora;
using tramora::test::BatchFixture;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A set in the middle of its packing: index and document named by the office, their working
// copies, package and marker in Temp.
struct InterruptedSet
{
    explicit InterruptedSet(BatchFixture &f)
        : f(f)
        , base(f.values.vCaminhoTemp + QStringLiteral("/123456_11122026120000042"))
    {
        journal.indexName = QStringLiteral("ato.xml");
        journal.members
            = {{f.xmlFolder() + QStringLiteral("/ato.xml"), base + QStringLiteral(".xml")},
               {f.pdfFolder() + QStringLiteral("/ato.pdf"), base + QStringLiteral(".pdf")}};
        journal.zip = base + QStringLiteral(".zip");
        journal.marker = base + QStringLiteral("-pdf.txt");
    }

    QString original(int member) const { return journal.members.at(member).original; }
    QString working(int member) const { return journal.members.at(member).working; }
    QString prepared(const QString &path) const
    {
        return f.values.vCaminhoPreparados + QLatin1Char('/') + QFileInfo(path).fileName();
    }
    void writeJournal(PackingJournal::Phase phase)
    {
        journal.phase = phase;
        QVERIFY(journal.write(base + PackingJournal::suffix()));
    }

    BatchFixture &f;
    QString base;
    PackingJournal journal;
};

} // namespace

class PackingRecoveryTest : public QObject
{
    Q_OBJECT

private slots:
    void unfinishedMovesGoBack();
    void completePackageGoesOn();
    void markerFollowsAPackageAlreadyPrepared();
    void straysWithoutJournal();
    void occupiedOriginalKeepsBothVersions();
    void failedCompactionReturnsMembers();
};

void PackingRecoveryTest::unfinishedMovesGoBack()
{
    BatchFixture f;
    InterruptedSet set(f);
    set.writeJournal(PackingJournal::Phase::Moving);
    writeFile(set.working(0), "index");
    writeFile(set.original(1), "document"); // killed before the document moved
    writeFile(set.journal.zip, "complete but unmarked");
    writeFile(set.journal.zip + QStringLiteral(".Ab12Cd"), "partial");

    f.run->recoverTemp();
    QCOMPARE(readFile(set.original(0)), QByteArray("index"));
    QCOMPARE(readFile(set.original(1)), QByteArray("document"));
    QVERIFY(f.filesIn(f.values.vCaminhoTemp).isEmpty());
    QVERIFY(f.filesIn(f.values.vCaminhoPreparados).isEmpty());
    QVERIFY(f.store.history().visibleRecords().empty());
}

void PackingRecoveryTest::completePackageGoesOn()
{
    BatchFixture f;
    InterruptedSet set(f);
    set.writeJournal(PackingJournal::Phase::Packed);
    writeFile(set.working(0), "index");
    writeFile(set.working(1), "document");
    writeFile(set.journal.zip, "package");
    writeFile(set.journal.marker, "3.0\r\n");

    f.run->recoverTemp();
    QCOMPARE(readFile(set.prepared(set.journal.zip)), QByteArray("package"));
    QCOMPARE(readFile(set.prepared(set.journal.marker)), QByteArray("3.0\r\n"));
    QVERIFY(f.filesIn(f.values.vCaminhoTemp).isEmpty());
    QVERIFY(!QFileInfo::exists(set.original(0)));
}

void PackingRecoveryTest::markerFollowsAPackageAlreadyPrepared()
{
    BatchFixture f;
    InterruptedSet set(f);
    set.writeJournal(PackingJournal::Phase::Packed);
    writeFile(set.working(1), "document");
    writeFile(set.prepared(set.journal.zip), "package");
    writeFile(set.journal.marker, "3.0\r\n");

    f.run->recoverTemp();
    QCOMPARE(f.filesIn(f.values.vCaminhoPreparados),
             QStringList({QFileInfo(set.journal.marker).fileName(),
                          QFileInfo(set.journal.zip).fileName()}));
    QVERIFY(f.filesIn(f.values.vCaminhoTemp).isEmpty());
}

void PackingRecoveryTest::straysWithoutJournal()
{
    BatchFixture f;
    const QString temp = f.values.vCaminhoTemp + QLatin1Char('/');
    writeFile(temp + QStringLiteral("123456_1.xml"), "lost index");
    writeFile(temp + QStringLiteral("123456_2.zip"), "package");
    writeFile(temp + QStringLiteral("123456_2-p7s.txt"), "1.8\r\n");
    writeFile(temp + QStringLiteral("123456_3-pdf.txt"), "marker without package");
    writeFile(temp + QStringLiteral("123456_4.zip.x1Y2z3"), "partial package");

    f.run->recoverTemp();
    QVERIFY(f.filesIn(f.values.vCaminhoTemp).isEmpty());
    QCOMPARE(f.filesIn(f.values.vCaminhoPreparados),
             QStringList({QStringLiteral("123456_2-p7s.txt"), QStringLiteral("123456_2.zip")}));
    QCOMPARE(f.filesIn(f.values.vCaminhoRecusado),
             QStringList({QStringLiteral("123456_1.xml"), QStringLiteral("123456_3-pdf.txt")}));
    for (const char *name : {"123456_1.xml", "123456_3-pdf.txt"}) {
        const QString text = f.historyOf(QString::fromLatin1(name));
        QVERIFY2(text.contains(QStringLiteral("pasta Temp")), name);
    }
}

void PackingRecoveryTest::occupiedOriginalKeepsBothVersions()
{
    BatchFixture f;
    InterruptedSet set(f);
    set.writeJournal(PackingJournal::Phase::Moving);
    // The office dropped a corrected index meanwhile; the document copy finished twice.
    writeFile(set.working(0), "old index");
    writeFile(set.original(0), "new index");
    writeFile(set.working(1), "document");
    writeFile(set.original(1), "document");

    f.run->recoverTemp();
    QCOMPARE(readFile(set.original(0)), QByteArray("new index"));
    QCOMPARE(readFile(f.values.vCaminhoRecusado + QStringLiteral("/ato.xml")),
             QByteArray("old index"));
    QVERIFY(f.historyOf(QStringLiteral("ato.xml")).contains(QStringLiteral("mesmo nome")));
    QCOMPARE(readFile(set.original(1)), QByteArray("document"));
    QVERIFY(f.filesIn(f.values.vCaminhoTemp).isEmpty());
}

void PackingRecoveryTest::failedCompactionReturnsMembers()
{
    BatchFixture f;
    FileSetMembers present;
    present.index = f.xmlFolder() + QStringLiteral("/ato.xml");
    present.document = f.pdfFolder() + QStringLiteral("/ato.pdf");
    writeFile(present.index, "index");
    writeFile(present.document, "document");
    PackagePlan plan
        = planPackage(f.values.vCaminhoTemp, QStringLiteral("123456"),
                      QStringLiteral("11122026120000042"), QStringLiteral("3.0"), false, present);
    plan.zip = f.folder.filePath(QStringLiteral("no/such/folder.zip"));
    const WorkspaceFolders folders{f.values.vCaminhoTemp, f.values.vCaminhoPreparados,
                                   f.values.vCaminhoRecusado};

    const PackingOutcome outcome
        = packFileSet(plan, present, QStringLiteral("3.0"), QStringLiteral("ato.xml"), folders);
    QVERIFY(!outcome.packed);
    QVERIFY(outcome.notes.empty());
    QCOMPARE(readFile(present.index), QByteArray("index"));
    QCOMPARE(readFile(present.document), QByteArray("document"));
    QVERIFY(f.filesIn(f.values.vCaminhoTemp).isEmpty());
}

QTEST_GUILESS_MAIN(PackingRecoveryTest)
#include "tst_packingrecovery.moc"
