#include "IndexFixture.h"

#include <QTest>

class SinterRulesTest : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(SinterRulesTest)
#include "tst_sinterrules.moc"
