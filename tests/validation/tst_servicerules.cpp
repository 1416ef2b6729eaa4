#include "IndexFixture.h"

#include <QTest>

class ServiceRulesTest : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(ServiceRulesTest)
#include "tst_servicerules.moc"
