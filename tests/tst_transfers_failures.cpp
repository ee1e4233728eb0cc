// Tests of failed transfers: PIN checks, missing devices, failing steps, a device that goes silent.
#include "tst_transfers_support.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>

#include <memory>

using namespace TransferTest;

namespace {
const QString NO_DEVICE_TEXT = QStringLiteral("No Device or too many devices found");
} // namespace

class TestTransfersFailures : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;

    QLineEdit *edit(const char *name) const
    {
        return m_window->findChild<QLineEdit *>(QLatin1String(name));
    }
    // A window whose content differs from the chip's everywhere, with unsaved changes: a read
    // that takes anything from the chip shows.
    void prepareWindowAndChip()
    {
        m_window->SetItems(randomItems(11, FACTORY_PIN));
        m_window->setUnsavedChanges(true);
        mv100sim::ChipState &chip = mv100sim::chip();
        chip.memory.fill(0x21);
        chip.customData.fill(0x42);
        chip.mouse = {0x01, 0xFF, 1, 2, 3, 4, 0x0F, 1, 2, 3, 4, 5, 6, 7, 8};
        chip.led.fill(0x3F);
        chip.backlight.fill(1);
        chip.lockKeys = 0x55;
        chip.debounce = 200;
    }

private Q_SLOTS:
    void init();
    void cleanup();

    void pinCheckSendsNothing_data();
    void pinCheckSendsNothing();
    void noOrSeveralDevices_data();
    void noOrSeveralDevices();
    void writeStepFails_data();
    void writeStepFails();
    void writeWithWrongPinStopsAtTheErase();
    void readFailsAndLeavesTheEditor_data();
    void readFailsAndLeavesTheEditor();
    void readFromDeviceThatStopsAnswering();
};

void TestTransfersFailures::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
    mv100sim::reset();
    m_window = std::make_unique<MainWindow>();
    m_window->show();
}

void TestTransfersFailures::cleanup()
{
    TestSupport::closeAllModals();
    m_window.reset();
}

void TestTransfersFailures::pinCheckSendsNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("pin");
    QTest::addColumn<QString>("newPin");
    QTest::addColumn<QString>("text");
    const QString pinText = QStringLiteral("The PIN must be 16 characters long.");
    const QString newPinText = QStringLiteral("The new PIN must be 16 characters long.");
    const QString good = FACTORY_PIN;
    const QString nonHex = QStringLiteral("3C9A71E04B5D28FG"); // set by the program, not typed
    QTest::newRow("Read, short") << "actionRead" << QStringLiteral("3C9A71E04B5D28F") << good
                                 << pinText;
    QTest::newRow("Read, empty") << "actionRead" << QString() << good << pinText;
    QTest::newRow("Read, not hex") << "actionRead" << nonHex << good << pinText;
    QTest::newRow("Write, short") << "actionWrite" << QStringLiteral("3C9A") << good << pinText;
    QTest::newRow("Write, not hex")
        << "actionWrite" << QStringLiteral("3C9A71E0 B5D28F6") << good << pinText;
    QTest::newRow("Write, both bad")
        << "actionWrite" << QStringLiteral("3C") << QStringLiteral("3C") << pinText;
    QTest::newRow("Write, new short")
        << "actionWrite" << good << QStringLiteral("3C9A71E04B5D28F") << newPinText;
    QTest::newRow("Write, new not hex") << "actionWrite" << good << nonHex << newPinText;
    QTest::newRow("Erase, short") << "actionEmpty" << QStringLiteral("3C9A71E04B5D28F") << good
                                  << pinText;
    QTest::newRow("Erase, not hex") << "actionEmpty" << nonHex << good << pinText;
}

void TestTransfersFailures::pinCheckSendsNothing()
{
    QFETCH(QString, action);
    QFETCH(QString, pin);
    QFETCH(QString, newPin);
    QFETCH(QString, text);
    edit("main_edit_pin")->setText(pin);
    edit("pin_edit_pin")->setText(newPin);
    m_window->setUnsavedChanges(false);
    const WindowState before = stateOf(*m_window);

    BoxAnswerer answerer({QStringLiteral("OK"), QStringLiteral("OK")});
    trigger(m_window.get(), action.toLatin1().constData());
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("PIN Error")});
    QCOMPARE(answerer.boxes[0].text, text);
    QCOMPARE(answerer.boxes[0].icon, QMessageBox::Warning);
    QCOMPARE(mv100sim::exchangeCount(), 0);
    QVERIFY(mv100sim::writtenReports().empty());
    QVERIFY(stateOf(*m_window) == before);
}

void TestTransfersFailures::noOrSeveralDevices_data()
{
    QTest::addColumn<int>("devices");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QMessageBox::Icon>("icon");
    for (int devices : {0, 2}) {
        const QByteArray suffix = devices == 0 ? "no device" : "two devices";
        QTest::newRow("Read, " + suffix)
            << devices << "actionRead" << QStringList {"OK"} << QStringList {"Error"}
            << NO_DEVICE_TEXT << QMessageBox::Critical;
        QTest::newRow("Write, " + suffix)
            << devices << "actionWrite" << QStringList {"OK"} << QStringList {"Error"}
            << resultText(MV100::RESULT_OPEN) << QMessageBox::Warning;
        QTest::newRow("Erase, " + suffix)
            << devices << "actionEmpty" << QStringList {"Erase", "OK"}
            << QStringList {"Erase MV100", "USB Error"} << "Morvantide100 was not found."
            << QMessageBox::Critical;
        QTest::newRow("Get Info, " + suffix) << devices << "actionInfo" << QStringList {}
                                             << QStringList {} << QString() << QMessageBox::NoIcon;
    }
}

void TestTransfersFailures::noOrSeveralDevices()
{
    QFETCH(int, devices);
    QFETCH(QString, action);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, titles);
    QFETCH(QString, text);
    QFETCH(QMessageBox::Icon, icon);
    mv100sim::setDeviceCount(devices);
    const WindowState before = stateOf(*m_window);
    const bool unsaved = m_window->hasUnsavedChanges();

    BoxAnswerer answerer(answers);
    trigger(m_window.get(), action.toLatin1().constData());
    QCOMPARE(answerer.titles(), titles);
    if (!titles.isEmpty()) {
        QCOMPARE(answerer.boxes.constLast().text, text);
        QCOMPARE(answerer.boxes.constLast().icon, icon);
    }
    QCOMPARE(mv100sim::exchangeCount(), 0);
    QCOMPARE(mv100sim::openHandleCount(), 0);
    QVERIFY(stateOf(*m_window) == before);
    QCOMPARE(m_window->hasUnsavedChanges(), unsaved);
}

void TestTransfersFailures::writeStepFails_data()
{
    QTest::addColumn<int>("exchange");
    QTest::addColumn<bool>("lock");
    QTest::addColumn<unsigned short>("code");
    // Exchanges of a write: 0 info, 1 erase, 2 LED, 3 mouse, 4 custom data, 5..252 blocks,
    // 253 debounce, 254 new PIN, 255 lock.
    QTest::newRow("info") << 0 << false << ushort(MV100::RESULT_OPEN);
    QTest::newRow("erase") << 1 << false << ushort(MV100::RESULT_ERASE);
    QTest::newRow("LED") << 2 << false << ushort(MV100::RESULT_LED);
    QTest::newRow("mouse") << 3 << false << ushort(MV100::RESULT_MOUSE);
    QTest::newRow("custom data") << 4 << false << ushort(MV100::RESULT_CUSTOM_DATA);
    QTest::newRow("block 0") << 5 << false << ushort(MV100::RESULT_MEMORY);
    QTest::newRow("block 100") << 105 << false << ushort(MV100::RESULT_MEMORY);
    QTest::newRow("block 247") << 252 << false << ushort(MV100::RESULT_MEMORY);
    QTest::newRow("debounce") << 253 << false << ushort(MV100::RESULT_DEBOUNCE);
    QTest::newRow("new PIN") << 254 << false << ushort(MV100::RESULT_NEW_PIN);
    QTest::newRow("lock") << 255 << true << ushort(MV100::RESULT_LOCK);
}

void TestTransfersFailures::writeStepFails()
{
    QFETCH(int, exchange);
    QFETCH(bool, lock);
    QFETCH(unsigned short, code);
    m_window->findChild<QComboBox *>(QStringLiteral("main_cmb_lock"))
        ->setCurrentIndex(lock ? 1 : 0);
    mv100sim::failWriteOfExchange(exchange);

    QStringList answers;
    if (lock)
        answers << QStringLiteral("Yes, lock");
    answers << QStringLiteral("OK");
    BoxAnswerer answerer(answers);
    trigger(m_window.get(), "actionWrite");
    QCOMPARE(answerer.titles().constLast(), QStringLiteral("Error"));
    QCOMPARE(answerer.boxes.constLast().text, resultText(code));
    QCOMPARE(answerer.boxes.constLast().icon, QMessageBox::Warning);
    QCOMPARE(answerer.boxes.size(), lock ? 2 : 1);
    // The failing step ends the write: nothing after it is sent.
    QCOMPARE(int(mv100sim::writtenReports().size()), exchange + 1);
    QVERIFY(!mv100sim::writtenReports().back().delivered);
    QCOMPARE(mv100sim::openHandleCount(), 0);
}

void TestTransfersFailures::writeWithWrongPinStopsAtTheErase()
{
    prepareWindowAndChip();
    mv100sim::chip().pin = {9, 9, 9, 9, 9, 9, 9, 9};
    const mv100sim::ChipState chipBefore = mv100sim::chip();
    BoxAnswerer answerer({QStringLiteral("OK")});
    trigger(m_window.get(), "actionWrite");
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Error")});
    QCOMPARE(answerer.boxes[0].text, resultText(MV100::RESULT_ERASE));
    QCOMPARE(sentCommands(), (QList<int> {0x00, 0x03}));
    QVERIFY(mv100sim::chip() == chipBefore);
}

void TestTransfersFailures::readFailsAndLeavesTheEditor_data()
{
    QTest::addColumn<int>("exchange");
    QTest::addColumn<unsigned short>("code");
    // Exchanges of a read: 0 info, 1 mouse, 2 LED, 3 debounce, 4..251 blocks.
    QTest::newRow("info") << 0 << ushort(MV100::RESULT_OPEN);
    QTest::newRow("mouse") << 1 << ushort(MV100::RESULT_MOUSE);
    QTest::newRow("LED") << 2 << ushort(MV100::RESULT_LED);
    QTest::newRow("debounce") << 3 << ushort(MV100::RESULT_DEBOUNCE);
    QTest::newRow("block 0") << 4 << ushort(MV100::RESULT_MEMORY);
    QTest::newRow("block 130") << 134 << ushort(MV100::RESULT_MEMORY);
    QTest::newRow("block 247") << 251 << ushort(MV100::RESULT_MEMORY);
}

void TestTransfersFailures::readFailsAndLeavesTheEditor()
{
    QFETCH(int, exchange);
    QFETCH(unsigned short, code);
    prepareWindowAndChip();
    const WindowState before = stateOf(*m_window);
    const CMorvantide100 &config = m_window->config();
    const int cell = config.GetKeyCode(1, 3, 4);
    mv100sim::failWriteOfExchange(exchange);

    {
        BoxAnswerer answerer({QStringLiteral("Yes"), QStringLiteral("OK")});
        trigger(m_window.get(), "actionRead");
        QCOMPARE(answerer.titles(),
                 (QStringList {QStringLiteral("Read"), QStringLiteral("Error")}));
        QCOMPARE(answerer.boxes[1].text, resultText(code));
        QCOMPARE(answerer.boxes[1].icon, QMessageBox::Warning);
    }
    QCOMPARE(int(mv100sim::writtenReports().size()), exchange + 1);
    QVERIFY(stateOf(*m_window) == before);
    QCOMPARE(config.GetKeyCode(1, 3, 4), cell);
    QCOMPARE(mv100sim::openHandleCount(), 0);

    // The same read without the fault takes the chip's content.
    mv100sim::failWriteOfExchange(-1);
    BoxAnswerer again({QStringLiteral("Yes"), QStringLiteral("OK")});
    trigger(m_window.get(), "actionRead");
    QCOMPARE(again.titles(), (QStringList {QStringLiteral("Read"), QStringLiteral("Success")}));
    QCOMPARE(config.GetKeyCode(1, 3, 4), 0x2121);
}

void TestTransfersFailures::readFromDeviceThatStopsAnswering()
{
    prepareWindowAndChip();
    const WindowState before = stateOf(*m_window);
    mv100sim::stopAnsweringAfter(100);

    QElapsedTimer clock;
    clock.start();
    BoxAnswerer answerer({QStringLiteral("Yes"), QStringLiteral("OK")});
    trigger(m_window.get(), "actionRead");
    QCOMPARE(answerer.titles(), (QStringList {QStringLiteral("Read"), QStringLiteral("Error")}));
    QCOMPARE(answerer.boxes[1].text, resultText(MV100::RESULT_MEMORY));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    // Exchange 100 went out unanswered, nothing after it.
    QCOMPARE(mv100sim::exchangeCount(), 101);
    QVERIFY(stateOf(*m_window) == before);
    QCOMPARE(mv100sim::openHandleCount(), 0);
}

QTEST_MAIN(TestTransfersFailures)
#include "tst_transfers_failures.moc"
