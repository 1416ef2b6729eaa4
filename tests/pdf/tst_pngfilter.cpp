#include "pdf/PngFilter.h"

#include <QTest>

using tramora::ReversePngFilter;

class TestPngFilter final : public QObject
{
    Q_OBJECT

private slots:
    void reconstructs_data();
    void reconstructs();
};

void TestPngFilter::reconstructs_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<QByteArray>("filtered");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("none") << 3 << QByteArray("\0\1\2\3", 4) << QByteArray("\1\2\3");
    QTest::newRow("sub adds the left byte modulo 256")
        << 3 << QByteArray("\1\xF0\x20\x01", 4) << QByteArray("\xF0\x10\x11");
    QTest::newRow("up on the first row adds zero")
        << 2 << QByteArray("\2\5\6\2\1\xFF", 6) << QByteArray("\5\6\6\5", 4);
    QTest::newRow("average rounds the half down")
        << 2 << QByteArray("\0\3\4\3\1\1", 6) << QByteArray("\3\4\2\4", 4);
    // Left 200, up 0, up-left 0: the estimate 200 is nearest to left.
    QTest::newRow("paeth takes left")
        << 2 << QByteArray("\0\0\0\4\xC8\0", 6) << QByteArray("\0\0\xC8\xC8", 4);
    // Left 10, up 20, up-left 10: the estimate 20 equals up.
    QTest::newRow("paeth takes up")
        << 2 << QByteArray("\0\x0A\x14\4\0\1", 6) << QByteArray("\x0A\x14\x0A\x15", 4);
    // Left 20, up 10, up-left 15: the estimate 15 equals up-left.
    QTest::newRow("paeth takes up-left")
        << 2 << QByteArray("\0\x0F\x0A\4\x05\x01", 6) << QByteArray("\x0F\x0A\x14\x10", 4);
    // Left, up and up-left all 10: the tie goes to left.
    QTest::newRow("paeth tie goes to left")
        << 1 << QByteArray("\0\x0A\4\0\4\x01", 6) << QByteArray("\x0A\x0A\x0B", 3);
    QTest::newRow("unknown type leaves the row")
        << 2 << QByteArray("\7\1\2", 3) << QByteArray("\1\2");
    QTest::newRow("short last row") << 2 << QByteArray("\0\1\2\2\5", 5) << QByteArray("\1\2\6");
    QTest::newRow("last row of its type byte only")
        << 2 << QByteArray("\0\1\2\2", 4) << QByteArray("\1\2");
    QTest::newRow("empty") << 4 << QByteArray() << QByteArray();
    QTest::newRow("no columns: every byte is a type byte")
        << 0 << QByteArray("\1\2\3") << QByteArray();
}

void TestPngFilter::reconstructs()
{
    QFETCH(int, columns);
    QFETCH(QByteArray, filtered);
    QFETCH(QByteArray, expected);
    QByteArray data = filtered;
    QCOMPARE(ReversePngFilter(data, columns), expected.size());
    QCOMPARE(data.toHex(' '), expected.toHex(' '));
}

QTEST_GUILESS_MAIN(TestPngFilter)
#include "tst_pngfilter.moc"
