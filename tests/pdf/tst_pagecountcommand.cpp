#include "PdfFixtures.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = tramora::test::ProgramRun;

Run check(const QStringList &arguments)
{
    return tramora::test::runProgram(QStringLiteral(TRAMORA_CHECK_PATH), arguments);
}

QString write(const QTemporaryDir &folder, const QString &name, const QByteArray &image)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
        return {};
    return path;
}

} // namespace

class TestPageCountCommand final : public QObject
{
    Q_OBJECT

private slots:
    void printsOneLinePerFile();
    void wantsAFile();
};

void TestPageCountCommand::printsOneLinePerFile()
{
    QTemporaryDir folder;
    const QString readable = write(folder, QStringLiteral("três páginas.pdf"),
                                   tramora::test::readableFixtures().front().image);
    const QString unreadable = write(folder, QStringLiteral("ruim.pdf"),
                                     tramora::test::unreadableFixtures().back().image);
    const QString missing = folder.filePath(QStringLiteral("nao-existe.pdf"));
    QVERIFY(!readable.isEmpty() && !unreadable.isEmpty());

    const Run run = check({QStringLiteral("--pages"), readable, unreadable, missing});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.out),
             QStringLiteral("3\t") + readable + QStringLiteral("\n-1\t") + unreadable
                 + QStringLiteral("\n-1\t") + missing + QStringLiteral("\n"));
}

void TestPageCountCommand::wantsAFile()
{
    const Run run = check({QStringLiteral("--pages")});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
}

QTEST_GUILESS_MAIN(TestPageCountCommand)
#include "tst_pagecountcommand.moc"
