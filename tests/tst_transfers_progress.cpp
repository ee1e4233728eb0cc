// Tests of the progress of long transfers: per-block callbacks, the progress dialog, the cursor.
#include "tst_transfers_support.h"

#include <QProgressDialog>
#include <QPushButton>

#include <memory>

using namespace TransferTest;

namespace {
// What a timer saw of the window while a transfer ran (timers fire only while the shown
// progress dialog lets the window repaint).
struct Observation
{
    bool dialogVisible = false;
    Qt::WindowModality modality = Qt::NonModal;
    int value = -1;
    int maximum = -1;
    int buttons = -1;
    bool waitCursor = false;
};
} // namespace

class TestTransfersProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void blockCallbackCountsTransferredBlocks_data();
    void blockCallbackCountsTransferredBlocks();
    void slowTransferShowsProgress_data();
    void slowTransferShowsProgress();
};

void TestTransfersProgress::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
    mv100sim::reset();
}

void TestTransfersProgress::cleanup()
{
    TestSupport::closeAllModals();
}

void TestTransfersProgress::blockCallbackCountsTransferredBlocks_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("failingExchange");
    QTest::addColumn<int>("blocks");
    QTest::newRow("write, all") << true << -1 << MV100::BLOCK_COUNT;
    QTest::newRow("read, all") << false << -1 << MV100::BLOCK_COUNT;
    QTest::newRow("write, block 100 fails") << true << 100 << 100;
    QTest::newRow("read, block 0 fails") << false << 0 << 0;
}

void TestTransfersProgress::blockCallbackCountsTransferredBlocks()
{
    QFETCH(bool, write);
    QFETCH(int, failingExchange);
    QFETCH(int, blocks);
    CMorvantide100 device;
    QCOMPARE(device.Open(), 1);
    mv100sim::failWriteOfExchange(failingExchange);
    QList<int> seen;
    device.SetProgressCallback([&seen](int block) { seen << block; });
    const int status = write ? device.WriteMemoryData() : device.ReadMemoryData();
    QCOMPARE(status == MV100::STATUS_OK, failingExchange < 0);
    QList<int> expected;
    for (int block = 0; block < blocks; ++block)
        expected << block;
    QCOMPARE(seen, expected);

    // Without a callback the transfer runs as before; assignment does not pass one on.
    CMorvantide100 copy;
    copy = device;
    seen.clear();
    device.SetProgressCallback(nullptr);
    mv100sim::failWriteOfExchange(-1);
    QCOMPARE(device.WriteMemoryData(), int(MV100::STATUS_OK));
    QVERIFY(seen.isEmpty());
}

void TestTransfersProgress::slowTransferShowsProgress_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("Read") << "actionRead";
    QTest::newRow("Write") << "actionWrite";
}

void TestTransfersProgress::slowTransferShowsProgress()
{
    QFETCH(QString, action);
    // 252 or more exchanges of 3 ms: well past the moment the dialog appears.
    mv100sim::setLatencyMicroseconds(3000);
    MainWindow window;
    window.show();

    QList<Observation> seen;
    bool triedToClose = false;
    QTimer watcher;
    watcher.setInterval(15);
    QObject::connect(&watcher, &QTimer::timeout, [&]() {
        auto *dialog = window.findChild<QProgressDialog *>();
        if (dialog == nullptr)
            return;
        Observation now;
        now.dialogVisible = dialog->isVisible();
        now.modality = dialog->windowModality();
        now.value = dialog->value();
        now.maximum = dialog->maximum();
        now.buttons = int(dialog->findChildren<QPushButton *>().size());
        now.waitCursor = QApplication::overrideCursor() != nullptr
            && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        seen << now;
        if (now.dialogVisible && !triedToClose) {
            // Neither Escape nor a close request stops the transfer halfway.
            triedToClose = true;
            QTest::keyClick(dialog, Qt::Key_Escape);
            dialog->close();
        }
    });
    watcher.start();

    BoxAnswerer answerer({QStringLiteral("OK")});
    trigger(&window, action.toLatin1().constData());
    watcher.stop();
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});
    QCOMPARE(answerer.boxes[0].text, SUCCESS_TEXT);

    QVERIFY2(seen.size() >= 5, qPrintable(QString::number(seen.size())));
    QSet<int> values;
    int last = -1;
    for (const Observation &observation : std::as_const(seen)) {
        QVERIFY(observation.dialogVisible);
        QCOMPARE(observation.modality, Qt::WindowModal);
        QCOMPARE(observation.buttons, 0);
        QVERIFY(observation.waitCursor);
        QVERIFY(observation.value >= last);
        QVERIFY(observation.value <= observation.maximum);
        QVERIFY(observation.maximum >= MV100::BLOCK_COUNT);
        last = observation.value;
        values << observation.value;
    }
    // Progress moves block by block, not in one jump over the memory image.
    QVERIFY2(values.size() >= 5, qPrintable(QString::number(values.size())));
    // Afterwards: no dialog and the normal cursor.
    QVERIFY(window.findChild<QProgressDialog *>() == nullptr);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(mv100sim::openHandleCount(), 0);
}

QTEST_MAIN(TestTransfersProgress)
#include "tst_transfers_progress.moc"
