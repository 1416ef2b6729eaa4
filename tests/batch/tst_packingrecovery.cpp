#include <QTest>
class PackingRecoveryTest : public QObject
{
    Q_OBJECT
};
QTEST_GUILESS_MAIN(PackingRecoveryTest)
#include "tst_packingrecovery.moc"
