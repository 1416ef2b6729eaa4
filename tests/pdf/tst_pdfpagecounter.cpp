#include "PdfFixtures.h"

#include "pdf/PdfPageCounter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using tramora::GetPdfPageCount;
using tramora::test::PdfFixture;

namespace {

// The image in a block of exactly its size, so that the address sanitizer sees any read
// past its end (a QByteArray would hide one under its terminating zero).
int countExactCopy(QByteArrayView image)
{
    const std::unique_ptr<char[]> copy(new char[std::max<qsizetype>(image.size(), 1)]);
    std::copy(image.begin(), image.end(), copy.get());
    return GetPdfPageCount(QByteArrayView(copy.get(), image.size()));
}

void addRows(const std::vector<PdfFixture> &fixtures)
{
    for (const PdfFixture &fixture : fixtures)
        QTest::newRow(fixture.name.constData()) << fixture.image << fixture.pages;
}

} // namespace

class TestPdfPageCounter final : public QObject
{
    Q_OBJECT

private slots:
    void readsEachStructure_data();
    void readsEachStructure();
    void givesUp_data();
    void givesUp();
    void everyTruncationIsSafe_data();
    void everyTruncationIsSafe();
    void readsFiles();
};

void TestPdfPageCounter::readsEachStructure_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("pages");
    addRows(tramora::test::readableFixtures());
}

void TestPdfPageCounter::readsEachStructure()
{
    QFETCH(QByteArray, image);
    QFETCH(int, pages);
    QCOMPARE(countExactCopy(image), pages);
}

void TestPdfPageCounter::givesUp_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("pages");
    addRows(tramora::test::unreadableFixtures());
}

void TestPdfPageCounter::givesUp()
{
    QFETCH(QByteArray, image);
    QCOMPARE(countExactCopy(image), -1);
}

void TestPdfPageCounter::everyTruncationIsSafe_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("olderPages");
    for (const PdfFixture &fixture : tramora::test::readableFixtures()) {
        // Cut before its update, an updated file is its older revision, of three pages.
        if (fixture.name.startsWith("incremental update"))
            QTest::newRow(fixture.name.constData()) << fixture.image << fixture.pages << 3;
        else if (fixture.name.startsWith("classic table") || fixture.name.contains("object stream"))
            QTest::newRow(fixture.name.constData())
                << fixture.image << fixture.pages << fixture.pages;
    }
}

void TestPdfPageCounter::everyTruncationIsSafe()
{
    QFETCH(QByteArray, image);
    QFETCH(int, pages);
    QFETCH(int, olderPages);
    // A file cut anywhere is either still whole enough to count or given up on.
    for (qsizetype size = 0; size < image.size(); ++size) {
        const int count = countExactCopy(image.first(size));
        if (count != -1 && count != pages && count != olderPages)
            QFAIL(qPrintable(QStringLiteral("cut at %1: %2").arg(size).arg(count)));
    }
}

void TestPdfPageCounter::readsFiles()
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("ato.pdf"));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(tramora::test::readableFixtures().front().image);
    file.close();
    QCOMPARE(GetPdfPageCount(pdf), 3);

    const QString empty = folder.filePath(QStringLiteral("vazio.pdf"));
    QFile emptyFile(empty);
    QVERIFY(emptyFile.open(QIODevice::WriteOnly));
    emptyFile.close();
    QCOMPARE(GetPdfPageCount(empty), -1);
    QCOMPARE(GetPdfPageCount(folder.filePath(QStringLiteral("nao-existe.pdf"))), -1);
    QCOMPARE(GetPdfPageCount(folder.path()), -1);
}

QTEST_GUILESS_MAIN(TestPdfPageCounter)
#include "tst_pdfpagecounter.moc"
