#include "IndexFixture.h"

#include <QTest>

class PartyRulesTest : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(PartyRulesTest)
#include "tst_partyrules.moc"
