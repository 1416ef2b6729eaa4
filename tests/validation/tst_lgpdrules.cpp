#include "IndexFixture.h"

#include <QTest>

class LgpdRulesTest : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(LgpdRulesTest)
#include "tst_lgpdrules.moc"
