// Tests of Write and Read through the window and the simulated chip: content, commands, PINs, lock.
#include "tst_transfers_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <memory>

using namespace TransferTest;

class TestTransfersRoundTrip : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> newWindow()
    {
        auto window = std::make_unique<MainWindow>();
        window->show();
        return window;
    }
    template<typename T> static T *widget(MainWindow &window, const char *name)
    {
        return window.findChild<T *>(QLatin1String(name));
    }
    static void setPins(MainWindow &window, const QString &pin, const QString &newPin)
    {
        widget<QLineEdit>(window, "main_edit_pin")->setText(pin);
        widget<QLineEdit>(window, "pin_edit_pin")->setText(newPin);
    }

private Q_SLOTS:
    void init();
    void cleanup();

    void writeThenReadGivesEverythingBack_data();
    void writeThenReadGivesEverythingBack();
    void writeSendsEveryStepWithItsPin();
    void readSendsItsCommandsWithThePin();
    void lockedDeviceIsRefusedUntilErased();
    void lockNotConfirmedSendsNothing_data();
    void lockNotConfirmedSendsNothing();
    void debounceOnlyOnNewerFirmware_data();
    void debounceOnlyOnNewerFirmware();
    void readShowsTheDevicesMouseFlags();
    void readAsksBeforeDiscardingChanges_data();
    void readAsksBeforeDiscardingChanges();
    void writeChangesNothingInTheWindow();
};

void TestTransfersRoundTrip::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
    mv100sim::reset();
}

void TestTransfersRoundTrip::cleanup()
{
    TestSupport::closeAllModals();
}

void TestTransfersRoundTrip::writeThenReadGivesEverythingBack_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<QString>("newPin");
    QTest::newRow("reset state") << 0U << FACTORY_PIN;
    QTest::newRow("random A") << 1U << QStringLiteral("0123456789ABCDEF");
    QTest::newRow("random B") << 2U << QStringLiteral("FEDCBA9876543210");
}

void TestTransfersRoundTrip::writeThenReadGivesEverythingBack()
{
    QFETCH(unsigned, seed);
    QFETCH(QString, newPin);

    auto writer = newWindow();
    QList<QString> items = writer->GetItems();
    if (seed != 0) {
        items = randomItems(seed, newPin);
        writer->SetItems(items);
        QCOMPARE(writer->GetItems(), items); // the lines are ones the widgets can show
    }
    // The chip still has the factory PIN; the new PIN comes with the write.
    setPins(*writer, FACTORY_PIN, newPin);
    {
        BoxAnswerer answerer({QStringLiteral("OK")});
        trigger(writer.get(), "actionWrite");
        QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});
        QCOMPARE(answerer.boxes[0].text, SUCCESS_TEXT);
        QCOMPARE(answerer.boxes[0].icon, QMessageBox::Information);
    }
    QCOMPARE(bytesOf(mv100sim::chip().pin), pinOf(newPin));
    QCOMPARE(mv100sim::openHandleCount(), 0);

    auto reader = newWindow();
    setPins(*reader, newPin, newPin);
    reader->setUnsavedChanges(true); // Read asks first, and leaves nothing unsaved
    {
        BoxAnswerer answerer({QStringLiteral("Yes"), QStringLiteral("OK")});
        trigger(reader.get(), "actionRead");
        QCOMPARE(answerer.titles(),
                 (QStringList {QStringLiteral("Read"), QStringLiteral("Success")}));
        QCOMPARE(answerer.boxes[1].text, SUCCESS_TEXT);
    }
    QCOMPARE(reader->GetItems(), items);
    QCOMPARE(cellTexts(*reader), cellTexts(*writer));
    QVERIFY(!reader->hasUnsavedChanges());
    QCOMPARE(mv100sim::openHandleCount(), 0);
}

void TestTransfersRoundTrip::writeSendsEveryStepWithItsPin()
{
    const QString devicePin = QStringLiteral("0102030405060708");
    const QString newPin = QStringLiteral("A1B2C3D4E5F60718");
    mv100sim::chip().pin = {1, 2, 3, 4, 5, 6, 7, 8};

    auto window = newWindow();
    const QList<QString> items = randomItems(7, newPin);
    window->SetItems(items);
    setPins(*window, devicePin, newPin);
    {
        BoxAnswerer answerer({QStringLiteral("OK")});
        trigger(window.get(), "actionWrite");
        QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});
    }

    QList<int> expected = {0x00, 0x03, 0x08, 0x0A, 0x05};
    for (int block = 0; block < MV100::BLOCK_COUNT; ++block)
        expected << 0x02;
    expected << 0x0D << 0x04; // no lock: "Unlock" is chosen
    QCOMPARE(sentCommands(), expected);

    const auto &reports = mv100sim::writtenReports();
    const QByteArray factory = pinOf(FACTORY_PIN);
    QCOMPARE(reportBytes(reports[0], 5, 8), QByteArray(8, '\0')); // the info needs no PIN
    QCOMPARE(reportBytes(reports[1], 5, 8), pinOf(devicePin)); // erase with the device's PIN
    for (size_t i = 2; i < reports.size(); ++i) // then the PIN of an erased chip
        QCOMPARE(reportBytes(reports[i], 5, 8), factory);

    // The settings travel as the file carries them.
    const mv100sim::LoggedReport led = reportsOf(0x08).value(0);
    QCOMPARE(reportBytes(led, 13, 1), QByteArray::fromHex(items[2].toLatin1()));
    QCOMPARE(reportBytes(led, 14, 1), QByteArray(1, char(0xFF)));
    QCOMPARE(reportBytes(led, 15, 8), QByteArray::fromHex(items[5].toLatin1()));
    QCOMPARE(reportBytes(led, 23, 15), QByteArray::fromHex(items[4].toLatin1()));
    const mv100sim::LoggedReport mouse = reportsOf(0x0A).value(0);
    QCOMPARE(reportBytes(mouse, 13, 15), QByteArray::fromHex(items[3].toLatin1()));
    QCOMPARE(reportBytes(mouse, 28, 17), QByteArray(17, '\0'));
    QCOMPARE(reportBytes(reportsOf(0x05).value(0), 13, 16),
             QByteArray::fromHex(items[1].toLatin1()));
    QCOMPARE(reportBytes(reportsOf(0x0D).value(0), 13, 1),
             QByteArray::fromHex(items[255].toLatin1()));
    const QList<mv100sim::LoggedReport> blocks = reportsOf(0x02);
    for (int block = 0; block < MV100::BLOCK_COUNT; ++block) {
        QCOMPARE(int(blocks[block].bytes[2]), block);
        QCOMPARE(reportBytes(blocks[block], 13, 32),
                 QByteArray::fromHex(items[7 + block].toLatin1()));
    }
    const mv100sim::LoggedReport pin = reportsOf(0x04).value(0);
    QCOMPARE(reportBytes(pin, 5, 8), factory);
    QCOMPARE(reportBytes(pin, 13, 8), pinOf(newPin));

    QCOMPARE(bytesOf(mv100sim::chip().pin), pinOf(newPin));
    QCOMPARE(mv100sim::chip().lockWord, mv100sim::UNLOCKED_WORD);
}

void TestTransfersRoundTrip::readSendsItsCommandsWithThePin()
{
    const QString devicePin = QStringLiteral("00112233445566AA");
    mv100sim::chip().pin = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0xAA};
    auto window = newWindow();
    widget<QLineEdit>(*window, "main_edit_pin")->setText(devicePin);
    BoxAnswerer answerer({QStringLiteral("OK")});
    trigger(window.get(), "actionRead");
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});

    QList<int> expected = {0x00, 0x09, 0x07, 0x0C};
    for (int block = 0; block < MV100::BLOCK_COUNT; ++block)
        expected << 0x01;
    QCOMPARE(sentCommands(), expected);
    const auto &reports = mv100sim::writtenReports();
    for (size_t i = 1; i < reports.size(); ++i)
        QCOMPARE(reportBytes(reports[i], 5, 8), pinOf(devicePin));
    // A main PIN field that the user edits is not part of the configuration.
    QVERIFY(!window->hasUnsavedChanges());
}

void TestTransfersRoundTrip::lockedDeviceIsRefusedUntilErased()
{
    const QString newPin = QStringLiteral("5555AAAA5555AAAA");
    auto writer = newWindow();
    setPins(*writer, FACTORY_PIN, newPin);
    widget<QComboBox>(*writer, "main_cmb_lock")->setCurrentIndex(1);
    {
        BoxAnswerer answerer({QStringLiteral("Yes, lock"), QStringLiteral("OK")});
        trigger(writer.get(), "actionWrite");
        QCOMPARE(answerer.titles(),
                 (QStringList {QStringLiteral("Lock MV100"), QStringLiteral("Success")}));
        const Box &question = answerer.boxes[0];
        QCOMPARE(question.text,
                 QStringLiteral("Do you really want to lock the Morvantide100?\nYou can not "
                                "read/write any data until you erase the device."));
        QCOMPARE(question.icon, QMessageBox::Question);
        QVERIFY(question.hasParent);
        QCOMPARE(question.buttons.value(QStringLiteral("Yes, lock")), QMessageBox::YesRole);
        QCOMPARE(question.buttons.value(QStringLiteral("Cancel")), QMessageBox::RejectRole);
        QCOMPARE(question.buttons.size(), 2);
    }
    // The lock comes last, with the new PIN.
    QCOMPARE(sentCommands().constLast(), 0x06);
    QCOMPARE(sentCommands().count(0x06), 1);
    QCOMPARE(reportBytes(reportsOf(0x06).value(0), 5, 8), pinOf(newPin));
    QVERIFY(mv100sim::chip().lockWord != mv100sim::UNLOCKED_WORD);
    QCOMPARE(bytesOf(mv100sim::chip().pin), pinOf(newPin));

    // Neither read nor written now: only the info is asked.
    auto reader = newWindow();
    setPins(*reader, newPin, newPin);
    reader->setUnsavedChanges(false);
    const WindowState before = stateOf(*reader);
    mv100sim::clearLog();
    {
        BoxAnswerer answerer({QStringLiteral("OK")});
        trigger(reader.get(), "actionRead");
        QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Error")});
        QCOMPARE(answerer.boxes[0].text, LOCKED_TEXT);
        QCOMPARE(answerer.boxes[0].icon, QMessageBox::Warning);
    }
    QCOMPARE(sentCommands(), QList<int> {0x00});
    QVERIFY(stateOf(*reader) == before);

    const mv100sim::ChipState locked = mv100sim::chip();
    mv100sim::clearLog();
    {
        widget<QLineEdit>(*writer, "main_edit_pin")->setText(newPin);
        BoxAnswerer answerer({QStringLiteral("Yes, lock"), QStringLiteral("OK")});
        trigger(writer.get(), "actionWrite");
        QCOMPARE(answerer.titles(),
                 (QStringList {QStringLiteral("Lock MV100"), QStringLiteral("Error")}));
        QCOMPARE(answerer.boxes[1].text, LOCKED_TEXT);
    }
    QCOMPARE(sentCommands(), QList<int> {0x00}); // no erase
    QVERIFY(mv100sim::chip() == locked);

    // An erase with the PIN set by the write is the way out.
    {
        BoxAnswerer answerer({QStringLiteral("Erase"), QStringLiteral("OK")});
        trigger(reader.get(), "actionEmpty");
        QCOMPARE(answerer.titles(),
                 (QStringList {QStringLiteral("Erase MV100"), QStringLiteral("Success")}));
    }
    QCOMPARE(mv100sim::chip().lockWord, mv100sim::UNLOCKED_WORD);
    QVERIFY(mv100sim::chip().pin == mv100sim::FACTORY_PIN);
    {
        widget<QLineEdit>(*reader, "main_edit_pin")->setText(FACTORY_PIN);
        BoxAnswerer answerer({QStringLiteral("OK")});
        trigger(reader.get(), "actionRead");
        QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});
    }
}

void TestTransfersRoundTrip::lockNotConfirmedSendsNothing_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("Cancel") << QStringLiteral("Cancel");
    QTest::newRow("closed without a choice") << QString();
}

void TestTransfersRoundTrip::lockNotConfirmedSendsNothing()
{
    QFETCH(QString, answer);
    auto window = newWindow();
    widget<QComboBox>(*window, "main_cmb_lock")->setCurrentIndex(1);
    BoxAnswerer answerer({answer});
    trigger(window.get(), "actionWrite");
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Lock MV100")});
    QCOMPARE(mv100sim::exchangeCount(), 0);
    QVERIFY(mv100sim::writtenReports().empty());
}

void TestTransfersRoundTrip::debounceOnlyOnNewerFirmware_data()
{
    QTest::addColumn<int>("firmware");
    QTest::addColumn<bool>("knowsDebounce");
    QTest::newRow("0x102F") << 0x102F << false;
    QTest::newRow("0x1030") << 0x1030 << true;
    QTest::newRow("0x0200") << 0x0200 << false;
}

void TestTransfersRoundTrip::debounceOnlyOnNewerFirmware()
{
    QFETCH(int, firmware);
    QFETCH(bool, knowsDebounce);
    mv100sim::chip().firmwareVersion = static_cast<unsigned short>(firmware);

    auto window = newWindow();
    auto *debounce = widget<QSpinBox>(*window, "spin_debounce");
    debounce->setValue(20);
    {
        BoxAnswerer answerer({QStringLiteral("OK")});
        trigger(window.get(), "actionWrite");
        QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});
    }
    QCOMPARE(sentCommands().contains(0x0D), knowsDebounce);
    QCOMPARE(int(mv100sim::chip().debounce), knowsDebounce ? 19 : 2);

    mv100sim::chip().debounce = 9;
    debounce->setValue(77);
    window->setUnsavedChanges(false);
    mv100sim::clearLog();
    {
        BoxAnswerer answerer({QStringLiteral("OK")});
        trigger(window.get(), "actionRead");
        QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});
    }
    QCOMPARE(sentCommands().contains(0x0C), knowsDebounce);
    QCOMPARE(debounce->value(), knowsDebounce ? 10 : 77);
}

void TestTransfersRoundTrip::readShowsTheDevicesMouseFlags()
{
    auto window = newWindow();
    widget<QCheckBox>(*window, "mouse_chk_opt_invert_x")->setChecked(true);
    widget<QCheckBox>(*window, "mouse_chk_balistic_z")->setChecked(true);
    widget<QCheckBox>(*window, "mouse_chk_opt_analog")->setChecked(false);
    window->setUnsavedChanges(false);
    mv100sim::chip().mouse[1] = 0x01; // analog wheel only
    mv100sim::chip().mouse[6] = 0x02; // ballistic Y only

    BoxAnswerer answerer({QStringLiteral("OK")});
    trigger(window.get(), "actionRead");
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});
    QVERIFY(widget<QCheckBox>(*window, "mouse_chk_opt_analog")->isChecked());
    QVERIFY(!widget<QCheckBox>(*window, "mouse_chk_opt_invert_x")->isChecked());
    QVERIFY(widget<QCheckBox>(*window, "mouse_chk_balistic_y")->isChecked());
    QVERIFY(!widget<QCheckBox>(*window, "mouse_chk_balistic_z")->isChecked());
    const QByteArray expected(reinterpret_cast<const char *>(mv100sim::chip().mouse.data()), 15);
    QCOMPARE(window->GetItems().value(3), QString::fromLatin1(expected.toHex().toUpper()));
}

void TestTransfersRoundTrip::readAsksBeforeDiscardingChanges_data()
{
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<bool>("read");
    QTest::newRow("nothing unsaved")
        << false << QStringLiteral("OK") << QStringList {QStringLiteral("Success")} << true;
    QTest::newRow("unsaved, Yes") << true << QStringLiteral("Yes")
                                  << QStringList {QStringLiteral("Read"), QStringLiteral("Success")}
                                  << true;
    QTest::newRow("unsaved, Cancel")
        << true << QStringLiteral("Cancel") << QStringList {QStringLiteral("Read")} << false;
}

void TestTransfersRoundTrip::readAsksBeforeDiscardingChanges()
{
    QFETCH(bool, unsaved);
    QFETCH(QString, answer);
    QFETCH(QStringList, titles);
    QFETCH(bool, read);

    mv100sim::chip().memory.fill(0x12); // every cell differs from an empty editor
    auto window = newWindow();
    window->setUnsavedChanges(unsaved);
    const WindowState before = stateOf(*window);
    BoxAnswerer answerer({answer, QStringLiteral("OK")});
    trigger(window.get(), "actionRead");
    QCOMPARE(answerer.titles(), titles);
    if (unsaved) {
        const Box &question = answerer.boxes[0];
        QCOMPARE(question.text, QStringLiteral("Changes have been made and not saved. Continue?"));
        QCOMPARE(question.buttons.keys(),
                 (QList<QString> {QStringLiteral("Cancel"), QStringLiteral("Yes")}));
    }
    QCOMPARE(mv100sim::writtenReports().empty(), !read);
    if (read) {
        QCOMPARE(window->config().GetKeyCode(2, 15, 23), 0x1212);
        QVERIFY(!window->hasUnsavedChanges());
    } else {
        QVERIFY(stateOf(*window) == before);
    }
}

void TestTransfersRoundTrip::writeChangesNothingInTheWindow()
{
    auto window = newWindow();
    window->SetItems(randomItems(3, FACTORY_PIN));
    window->setUnsavedChanges(true);
    const WindowState before = stateOf(*window);
    BoxAnswerer answerer({QStringLiteral("OK")});
    trigger(window.get(), "actionWrite");
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});
    QVERIFY(stateOf(*window) == before);
}

QTEST_MAIN(TestTransfersRoundTrip)
#include "tst_transfers_roundtrip.moc"
