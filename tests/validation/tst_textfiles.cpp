#include "validation/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using tramora::AbreArquivoTexto;
using tramora::FileReadError;
using tramora::JSONParaString;

class TestTextFiles final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsWholeFile_data();
    void readsWholeFile();
    void readsFirstLine_data();
    void readsFirstLine();
    void failsOnWhatIsNoReadableFile_data();
    void failsOnWhatIsNoReadableFile();

private:
    QString write(const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestTextFiles::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

QString TestTextFiles::write(const QByteArray &bytes)
{
    const QString path = m_folder->filePath(QStringLiteral("arquivo.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture file");
    return path;
}

void TestTextFiles::readsWholeFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("line breaks kept")
        << QByteArray("{\"versao\":\r\n\"3.0\"}\n") << QStringLiteral("{\"versao\":\r\n\"3.0\"}\n");
    QTest::newRow("byte-order mark stays as three characters")
        << QByteArray("\xEF\xBB\xBF{}") << QStringLiteral("\u00ef\u00bb\u00bf{}");
    QTest::newRow("Latin-1 range")
        << QByteArray("Concei\xE7\xE3o\xA0\xFF") << QStringLiteral("Conceição\u00a0ÿ");
    QTest::newRow("NUL and DEL") << QByteArray("a\0b\x7F", 4)
                                 << QStringView(u"a\0b\u007f", 4).toString();
    QTest::newRow("every byte from 0x80 to 0x9F")
        << QByteArray("\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
                      "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F")
        << QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008dŽ\u008f\u0090‘’“”•–—˜™š›œ\u009džŸ");
}

void TestTextFiles::readsWholeFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(JSONParaString(write(bytes)), expected);
}

void TestTextFiles::readsFirstLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("CR LF") << QByteArray("3.0\r\nmais texto") << QStringLiteral("3.0");
    QTest::newRow("LF alone") << QByteArray("3.0\nmais") << QStringLiteral("3.0");
    QTest::newRow("CR alone") << QByteArray("3.0\rmais") << QStringLiteral("3.0");
    QTest::newRow("no line break") << QByteArray("3.0") << QStringLiteral("3.0");
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("empty first line") << QByteArray("\r\n3.0") << QString();
    QTest::newRow("ANSI text, byte-order mark kept")
        << QByteArray("\xEF\xBB\xBFVers\xE3o \x80\r\n")
        << QStringLiteral("\u00ef\u00bb\u00bfVersão €");

    const QByteArray longLine(100000, 'x');
    QTest::newRow("line longer than any read")
        << longLine + "\r\n" + longLine.left(10) << QString::fromLatin1(longLine);
    QTest::newRow("long file without a break") << longLine << QString::fromLatin1(longLine);
}

void TestTextFiles::readsFirstLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(AbreArquivoTexto(write(bytes)), expected);
}

void TestTextFiles::failsOnWhatIsNoReadableFile_data()
{
    QTest::addColumn<bool>("firstLineOnly");
    QTest::addColumn<QString>("name");

    QTest::newRow("whole file, missing") << false << QStringLiteral("ausente.json");
    QTest::newRow("first line, missing") << true << QStringLiteral("ausente.txt");
    QTest::newRow("whole file, a folder") << false << QStringLiteral("pasta");
    QTest::newRow("first line, a folder") << true << QStringLiteral("pasta");
}

void TestTextFiles::failsOnWhatIsNoReadableFile()
{
    QFETCH(bool, firstLineOnly);
    QFETCH(QString, name);
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("pasta")));
    const QString path = m_folder->filePath(name);

    try {
        firstLineOnly ? AbreArquivoTexto(path) : JSONParaString(path);
        QFAIL("no failure raised");
    } catch (const FileReadError &failure) {
        QVERIFY2(failure.text().contains(QDir::toNativeSeparators(path)),
                 qPrintable(failure.text()));
    }
}

QTEST_APPLESS_MAIN(TestTextFiles)
#include "tst_textfiles.moc"
