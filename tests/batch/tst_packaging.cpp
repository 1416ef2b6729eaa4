#include "batch/FileOperations.h"
#include "batch/PackageNaming.h"
#include "batch/PackageWriter.h"

#include "BatchFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace tramora;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList nameList(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *name : list)
        result << QString::fromLatin1(name);
    return result;
}

} // namespace

class PackagingTest : public QObject
{
    Q_OBJECT

private slots:
    void stampHasSeventeenDigits();
    void names_data();
    void names();
    void markerIsOneLineInTheCodePage();
    void packageHoldsDeflateEntriesAtItsRoot();
    void packageFailsWithoutLeavingAnArchive();
    void moveReplacesAtomically();
    void moveAcrossVolumes();
    void folderQueries();
};

void PackagingTest::stampHasSeventeenDigits()
{
    QCOMPARE(packageStamp(QDateTime(QDate(2021, 12, 13), QTime(9, 5, 7, 42))),
             QStringLiteral("13122021090507042"));
    QCOMPARE(packageStamp(QDateTime(QDate(2026, 1, 2), QTime(23, 0, 0, 0))),
             QStringLiteral("02012026230000000"));
}

void PackagingTest::names_data()
{
    QTest::addColumn<QString>("versao");
    QTest::addColumn<bool>("homolog");
    QTest::addColumn<QString>("document"); // "" for none
    QTest::addColumn<QStringList>(
        "expected"); // index, document, sinter, cori, cpi, mlri, zip, marker

    QTest::newRow("3.0 production")
        << QStringLiteral("3.0") << false << QStringLiteral("a.pdf")
        << nameList({"B.xml", "B.pdf", "B_SINTER.json", "B_CORI.json", "B_CPI.json",
                     "B_MLRI.geojson", "B.zip", "B-pdf.txt"});
    QTest::newRow("3.0 homologation")
        << QStringLiteral("3.0") << true << QStringLiteral("a.pdf")
        << nameList({"B-Homolog.xml", "B-Homolog.pdf", "B_SINTER-Homolog.json",
                     "B_CORI-Homolog.json", "B_CPI-Homolog.json", "B_MLRI-Homolog.geojson",
                     "B-Homolog.zip", "B-Homolog-pdf.txt"});
    QTest::newRow("1.8 signed production")
        << QStringLiteral("1.8") << false << QStringLiteral("a.p7s")
        << nameList({"B.xml", "B.pdf.p7s", "B.json", "B_CORI.json", "B_CPI.json", "B_MLRI.geojson",
                     "B.zip", "B-p7s.txt"});
    QTest::newRow("1.8 signed pdf homologation")
        << QStringLiteral("1.8") << true << QStringLiteral("a.pdf.p7s")
        << nameList({"B-Homolog.xml", "B-Homolog.p7s", "B-Homolog.json", "B_CORI-Homolog.json",
                     "B_CPI-Homolog.json", "B_MLRI-Homolog.geojson", "B-Homolog.zip",
                     "B-Homolog-p7s.txt"});
    // From 2.0 on a signed document keeps the plain document name and marker.
    QTest::newRow("2.0 signed") << QStringLiteral("2.0") << false << QStringLiteral("a.p7s")
                                << nameList({"B.xml", "B.pdf", "B_SINTER.json", "B_CORI.json",
                                             "B_CPI.json", "B_MLRI.geojson", "B.zip", "B-pdf.txt"});
    QTest::newRow("no document") << QStringLiteral("1.8") << false << QString()
                                 << nameList({"B.xml", "", "B.json", "B_CORI.json", "B_CPI.json",
                                              "B_MLRI.geojson", "B.zip", "B-pdf.txt"});
}

void PackagingTest::names()
{
    QFETCH(QString, versao);
    QFETCH(bool, homolog);
    QFETCH(QString, document);
    QFETCH(QStringList, expected);

    FileSetMembers present{QStringLiteral("/x/a.xml"), document,
                           QStringLiteral("s"),        QStringLiteral("c"),
                           QStringLiteral("p"),        QStringLiteral("m")};
    const PackagePlan plan
        = planPackage(QStringLiteral("/t"), QStringLiteral("123456"),
                      QStringLiteral("13122021090507042"), versao, homolog, present);
    const QString base = QStringLiteral("/t/123456_13122021090507042");
    QStringList actual{plan.working.index,
                       plan.working.document,
                       plan.working.sinter,
                       plan.working.cori,
                       plan.working.cpi,
                       plan.working.mlri,
                       plan.zip,
                       plan.marker};
    for (QString &name : expected) {
        if (!name.isEmpty())
            name.replace(0, 1, base);
    }
    QCOMPARE(actual, expected);
}

void PackagingTest::markerIsOneLineInTheCodePage()
{
    QCOMPARE(markerContent(QStringLiteral("3.0")), QByteArray("3.0\r\n"));
    QCOMPARE(markerContent(QStringLiteral("é€")), QByteArray("\xE9\x80\r\n"));
}

void PackagingTest::packageHoldsDeflateEntriesAtItsRoot()
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("deep/er")));
    const QString index = dir.filePath(QStringLiteral("deep/er/B.xml"));
    const QString document = dir.filePath(QStringLiteral("B.pdf"));
    writeFile(index, "<Ato/>");
    writeFile(document, QByteArray(100000, 'p'));
    const QString zip = dir.filePath(QStringLiteral("B.zip"));
    writeFile(zip, "an old damaged package");

    QVERIFY(
        CompactaArquivos(zip, {index, QString(), document, QString(), QString(), QString()}, 5));
    const auto entries = test::BatchFixture::zipEntries(zip);
    QCOMPARE(entries.size(), size_t(2));
    QCOMPARE(entries.at(QStringLiteral("B.xml")), QByteArray("<Ato/>"));
    QCOMPARE(entries.at(QStringLiteral("B.pdf")), QByteArray(100000, 'p'));
    QVERIFY(QFileInfo(zip).size() < 100000);

    QVERIFY(CompactaArquivos(QString(), {index}, 0));
}

void PackagingTest::packageFailsWithoutLeavingAnArchive()
{
    QTemporaryDir dir;
    const QString index = dir.filePath(QStringLiteral("B.xml"));
    writeFile(index, "<Ato/>");
    const QString zip = dir.filePath(QStringLiteral("B.zip"));
    QVERIFY(!CompactaArquivos(zip, {index, dir.filePath(QStringLiteral("missing.pdf"))}, 1));
    QVERIFY(!QFileInfo::exists(zip));
    QVERIFY(!CompactaArquivos(dir.filePath(QStringLiteral("no/such/folder/B.zip")), {index}, 0));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("B.xml")});
}

void PackagingTest::moveReplacesAtomically()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("a.xml"));
    const QString target = dir.filePath(QStringLiteral("b.xml"));
    writeFile(source, "new");
    writeFile(target, "old");
    QVERIFY(MoveFileWithReplace(source, target));
    QCOMPARE(readFile(target), QByteArray("new"));
    QVERIFY(!QFileInfo::exists(source));

    // A missing source leaves the target as it was.
    QVERIFY(!MoveFileWithReplace(source, target));
    QCOMPARE(readFile(target), QByteArray("new"));
    QVERIFY(!MoveFileWithReplace(target, dir.filePath(QStringLiteral("no/folder/c.xml"))));
    QCOMPARE(readFile(target), QByteArray("new"));
}

void PackagingTest::moveAcrossVolumes()
{
    QTemporaryDir here;
    QTemporaryDir there(QStringLiteral("/dev/shm/tramora-XXXXXX"));
    if (!there.isValid() || QFileInfo(here.path()).canonicalPath().startsWith(u"/dev/shm"))
        QSKIP("no second volume");
    const QString source = here.filePath(QStringLiteral("a.pdf"));
    const QByteArray content(3 * 1024 * 1024 + 7, 'q');
    writeFile(source, content);
    const QString target = there.filePath(QStringLiteral("a.pdf"));
    writeFile(target, "old");
    QVERIFY(MoveFileWithReplace(source, target));
    QCOMPARE(readFile(target), content);
    QVERIFY(!QFileInfo::exists(source));
    QCOMPARE(QDir(there.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.pdf")});
}

void PackagingTest::folderQueries()
{
    QTemporaryDir dir;
    QVERIFY(isFolderEmpty(dir.filePath(QStringLiteral("missing"))));
    QDir().mkpath(dir.filePath(QStringLiteral("sub")));
    QVERIFY(isFolderEmpty(dir.path()));
    writeFile(dir.filePath(QStringLiteral("a-pdf.txt")), "3.0\r\n");
    writeFile(dir.filePath(QStringLiteral("b-pdf.TXT")), "3.0\r\n");
    writeFile(dir.filePath(QStringLiteral("b.zip")), "z");
    QVERIFY(!isFolderEmpty(dir.path()));
    QCOMPARE(ContaArquivo(dir.path(), QStringLiteral("\\*.TXT")), 2);
    QCOMPARE(ContaArquivo(dir.path(), QStringLiteral("*.zip")), 1);
    QCOMPARE(ContaArquivo(dir.filePath(QStringLiteral("missing")), QStringLiteral("*.zip")), 0);
    QCOMPARE(TamanhoArquivo(dir.filePath(QStringLiteral("b.zip"))), qint64(1));
    QCOMPARE(TamanhoArquivo(dir.filePath(QStringLiteral("missing.pdf"))), qint64(-1));
}

QTEST_GUILESS_MAIN(PackagingTest)
#include "tst_packaging.moc"
