#include "common/FormatByteSize.h"

#include <QTest>

using tramora::FormatByteSize;

class TestFormatByteSize final : public QObject
{
    Q_OBJECT

private slots:
    void underBrazilianLocale_data();
    void underBrazilianLocale();
    void followsTheLocaleSeparator();
};

void TestFormatByteSize::underBrazilianLocale_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero prints no digit") << qint64(0) << QStringLiteral(" bytes ");
    QTest::newRow("negative") << qint64(-5) << QStringLiteral("-5 bytes ");
    QTest::newRow("one byte") << qint64(1) << QStringLiteral("1 bytes ");
    QTest::newRow("1024 is still bytes") << qint64(1024) << QStringLiteral("1024 bytes ");
    QTest::newRow("rounds to a whole KB") << qint64(1025) << QStringLiteral("1 KB ");
    QTest::newRow("one decimal, zero dropped") << qint64(1536) << QStringLiteral("1,5 KB ");
    QTest::newRow("two decimals") << qint64(1100) << QStringLiteral("1,07 KB ");
    QTest::newRow("document floor") << qint64(20000) << QStringLiteral("19,53 KB ");
    QTest::newRow("1 MB is still KB") << qint64(1048576) << QStringLiteral("1024 KB ");
    QTest::newRow("MB") << qint64(1572864) << QStringLiteral("1,5 MB ");
    QTest::newRow("1 GB is still MB") << qint64(1073741824) << QStringLiteral("1024 MB ");
    QTest::newRow("GB") << qint64(3221225472) << QStringLiteral("3 GB ");
    QTest::newRow("rounds up across the unit digit") << qint64(2096128) << QStringLiteral("2 MB ");
}

void TestFormatByteSize::underBrazilianLocale()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, expected);
    QCOMPARE(FormatByteSize(bytes, QLocale(QLocale::Portuguese, QLocale::Brazil)), expected);
}

void TestFormatByteSize::followsTheLocaleSeparator()
{
    QCOMPARE(FormatByteSize(1536, QLocale(QLocale::English, QLocale::UnitedStates)),
             QStringLiteral("1.5 KB "));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCOMPARE(FormatByteSize(1536), QStringLiteral("1,5 KB "));
    QLocale::setDefault(QLocale::c());
}

QTEST_APPLESS_MAIN(TestFormatByteSize)
#include "tst_formatbytesize.moc"
