#include "SendingList.h"
#include "TestSupport.h"

#include "common/CentralEndpoints.h"
#include "transmission/InternetConnection.h"
#include "transmission/SendQueue.h"
#include "workspace/Startup.h"

#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tramora;

class SendingListTest : public QObject
{
    Q_OBJECT

private slots:
    void ctrlDeleteRemovesTheSelectedRowOnly();
    void barsDrawForAnySize();

private:
    struct Queue
    {
        Queue()
            : startup({folder.path(), QStringLiteral("CARTORIO-01"),
                       [](const QString &) { return false; }},
                      messages, clock)
        {
            startup.createDataModule();
            startup.prepareWorkspace();
            queue = std::make_unique<SendQueue>(startup.values(), startup.dataModule(), messages,
                                                connection, validationTimer,
                                                UploadConnection::forCentral(CentralEndpoints{
                                                    QStringLiteral("127.0.0.1"), 1, QString()}));
        }
        QTemporaryDir folder;
        test::RecordingMessageBoxes messages;
        test::FixedClock clock;
        StartupSequence startup;
        FixedInternetConnection connection{false};
        QTimer validationTimer;
        std::unique_ptr<SendQueue> queue;
    };
};

void SendingListTest::ctrlDeleteRemovesTheSelectedRowOnly()
{
    Queue q;
    QTableView view;
    showSendingList(view, *q.queue);
    SendingListModel &model = q.queue->model();
    model.addRow({QStringLiteral("123456_1"), 0, 100, 40, {}, {}, {}});
    model.addRow({QStringLiteral("123456_2"), 0, 100, 0, {}, {}, {}});
    view.show();

    // Without a selection, and with Delete alone, nothing goes.
    QTest::keyClick(&view, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(model.rowCount(), 2);
    view.selectRow(1);
    QTest::keyClick(&view, Qt::Key_Delete);
    QTest::keyClick(&view, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(model.rowCount(), 2);

    QTest::keyClick(&view, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.row(0).caption, QStringLiteral("123456_1"));
}

void SendingListTest::barsDrawForAnySize()
{
    Queue q;
    QTableView view;
    showSendingList(view, *q.queue);
    // A 200 GB package is beyond the bar's int range; a position past the end is held at it.
    q.queue->model().addRow({QStringLiteral("big"), 0, 200LL << 30, 150LL << 30, {}, {}, {}});
    q.queue->model().addRow({QStringLiteral("past"), 0, 10, 20, {}, {}, {}});
    q.queue->model().addRow({QStringLiteral("empty"), 0, 0, 0, {}, {}, {}});
    view.resize(600, 200);
    QVERIFY(!view.grab().isNull());
}

QTEST_MAIN(SendingListTest)
#include "tst_sendinglist.moc"
