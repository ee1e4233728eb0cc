// Tests of Erase and Get Info through the window and the simulated chip, and of the info tab.
#include "tst_transfers_support.h"

#include <QLineEdit>
#include <QTabWidget>

#include <memory>

using namespace TransferTest;

class TestTransfersEraseInfo : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;

    QLineEdit *edit(const char *name) const
    {
        return m_window->findChild<QLineEdit *>(QLatin1String(name));
    }
    QTabWidget *tabs() const
    {
        return m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    }
    QString label(const char *name) const { return labelText(*m_window, name); }

private Q_SLOTS:
    void init();
    void cleanup();

    void eraseAsksFirst();
    void eraseOutcome_data();
    void eraseOutcome();
    void eraseEmptiesTheDevice();
    void infoShowsTheDevice_data();
    void infoShowsTheDevice();
    void infoWithoutDevice_data();
    void infoWithoutDevice();
    void infoReadFails();
    void readFillsTheInfoTab();
};

void TestTransfersEraseInfo::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
    mv100sim::reset();
    m_window = std::make_unique<MainWindow>();
    m_window->show();
}

void TestTransfersEraseInfo::cleanup()
{
    TestSupport::closeAllModals();
    m_window.reset();
}

void TestTransfersEraseInfo::eraseAsksFirst()
{
    BoxAnswerer answerer({QStringLiteral("Cancel")});
    trigger(m_window.get(), "actionEmpty");
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Erase MV100")});
    const Box &question = answerer.boxes[0];
    QCOMPARE(question.text,
             QStringLiteral("Do you really want to clear the Morvantide100?\nAll data "
                            "will be lost and the PIN will set to default."));
    QCOMPARE(question.icon, QMessageBox::Question);
    QVERIFY(!question.hasParent);
    QCOMPARE(question.buttons.size(), 2);
    QCOMPARE(question.buttons.value(QStringLiteral("Erase")), QMessageBox::YesRole);
    QCOMPARE(question.buttons.value(QStringLiteral("Cancel")), QMessageBox::NoRole);
    QCOMPARE(mv100sim::exchangeCount(), 0);
    QCOMPARE(mv100sim::openHandleCount(), 0);
}

void TestTransfersEraseInfo::eraseOutcome_data()
{
    QTest::addColumn<int>("fault"); // erase error detail; -1 transport failure; -2 wrong PIN
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::newRow("success") << 0 << "Success"
                             << "Morvantide100 storage has been successfully cleared"
                             << QMessageBox::Information;
    QTest::newRow("detail 1") << 1 << "Error"
                              << "Error: Block numer is out of range" << QMessageBox::Critical;
    QTest::newRow("detail 2") << 2 << "Error"
                              << "Error: Erasecount could not written" << QMessageBox::Critical;
    QTest::newRow("detail 3") << 3 << "Error"
                              << "Error: Erase/Write failed" << QMessageBox::Critical;
    QTest::newRow("detail 4") << 4 << "Error"
                              << "Error: Device is locked" << QMessageBox::Critical;
    QTest::newRow("detail 7") << 7 << "Error"
                              << "Error: " << QMessageBox::Critical;
    QTest::newRow("wrong PIN") << -2 << "Error"
                               << "Error: Erase/Write failed" << QMessageBox::Critical;
    QTest::newRow("transport failure")
        << -1 << "USB Error"
        << "The device's storage could not be cleared." << QMessageBox::Warning;
}

void TestTransfersEraseInfo::eraseOutcome()
{
    QFETCH(int, fault);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QMessageBox::Icon, icon);
    if (fault > 0)
        mv100sim::setEraseError(static_cast<unsigned char>(fault));
    else if (fault == -1)
        mv100sim::failWriteOfExchange(0);
    m_window->SetItems(randomItems(5, FACTORY_PIN));
    if (fault == -2)
        edit("main_edit_pin")->setText(QStringLiteral("0000000000000000"));
    const WindowState before = stateOf(*m_window);

    BoxAnswerer answerer({QStringLiteral("Erase"), QStringLiteral("OK")});
    trigger(m_window.get(), "actionEmpty");
    QCOMPARE(answerer.titles(), (QStringList {QStringLiteral("Erase MV100"), title}));
    QCOMPARE(answerer.boxes[1].text, text);
    QCOMPARE(answerer.boxes[1].icon, icon);
    QVERIFY(answerer.boxes[1].hasParent);
    QCOMPARE(sentCommands(), QList<int> {0x03});
    QCOMPARE(reportBytes(mv100sim::writtenReports()[0], 5, 8),
             pinOf(edit("main_edit_pin")->text()));
    // An erase leaves the editor's configuration and fields, PINs included, as they were.
    QVERIFY(stateOf(*m_window) == before);
    QCOMPARE(mv100sim::openHandleCount(), 0);
}

void TestTransfersEraseInfo::eraseEmptiesTheDevice()
{
    mv100sim::ChipState &chip = mv100sim::chip();
    chip.memory.fill(0x00);
    chip.pin = {0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89};
    chip.customData.fill(0x11);
    chip.lockWord = mv100sim::LOCKED_WORD;
    chip.eraseCount = 41;
    edit("main_edit_pin")->setText(QStringLiteral("abcdef0123456789")); // either case
    BoxAnswerer answerer({QStringLiteral("Erase"), QStringLiteral("OK")});
    trigger(m_window.get(), "actionEmpty");
    QCOMPARE(answerer.titles(),
             (QStringList {QStringLiteral("Erase MV100"), QStringLiteral("Success")}));

    mv100sim::ChipState expected = mv100sim::erasedChip();
    expected.eraseCount = 42;
    QVERIFY(mv100sim::chip() == expected);
}

void TestTransfersEraseInfo::infoShowsTheDevice_data()
{
    QTest::addColumn<unsigned short>("lockWord");
    QTest::addColumn<unsigned short>("firmware");
    QTest::addColumn<QString>("lock");
    QTest::addColumn<QString>("version");
    QTest::newRow("unlocked") << ushort(0xFFFF) << ushort(0x1030) << "Unlocked"
                              << "1030";
    QTest::newRow("locked") << ushort(0xA55A) << ushort(0x0abc) << "Locked"
                            << "0ABC";
    QTest::newRow("lock word 0") << ushort(0x0000) << ushort(0xFFFF) << "Locked"
                                 << "FFFF";
}

void TestTransfersEraseInfo::infoShowsTheDevice()
{
    QFETCH(unsigned short, lockWord);
    QFETCH(unsigned short, firmware);
    QFETCH(QString, lock);
    QFETCH(QString, version);
    mv100sim::ChipState &chip = mv100sim::chip();
    chip.lockWord = lockWord;
    chip.firmwareVersion = firmware;
    chip.serial = 0x0A0B0C0D;
    chip.eraseCount = 0x1234;
    chip.customData = {0x00, 0x01, 0x0A, 0xAB, 0xFF, 0x10, 0x20, 0x30,
                       0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0xC0, 0xFE};
    const QString custom = edit("custom_edit")->text();
    const WindowState before = stateOf(*m_window);

    BoxAnswerer answerer;
    trigger(m_window.get(), "actionInfo");
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(tabs()->currentWidget()->objectName(), QStringLiteral("tab_info"));
    QCOMPARE(label("info_label_vid"), QStringLiteral("0x07C0 (1984)"));
    QCOMPARE(label("info_label_pid"), QStringLiteral("0x0181 (385)"));
    QCOMPARE(label("info_label_sn"), QStringLiteral("0a0b0c0d"));
    QCOMPARE(label("info_label_ver"), version);
    QCOMPARE(label("info_label_customdata"),
             QStringLiteral("00 01 0A AB FF 10 20 30 40 50 60 70 80 90 C0 FE "));
    QCOMPARE(label("info_label_lock"), lock);
    QCOMPARE(label("info_label_erasecount"), QStringLiteral("4660"));
    QCOMPARE(sentCommands(), QList<int> {0x00});
    // Get Info changes nothing but the info tab.
    QCOMPARE(edit("custom_edit")->text(), custom);
    const WindowState after = stateOf(*m_window);
    QCOMPARE(after.items, before.items);
    QCOMPARE(after.changed, before.changed);
    QCOMPARE(mv100sim::openHandleCount(), 0);
}

void TestTransfersEraseInfo::infoWithoutDevice_data()
{
    QTest::addColumn<int>("devices");
    QTest::newRow("none") << 0;
    QTest::newRow("two") << 2;
}

void TestTransfersEraseInfo::infoWithoutDevice()
{
    QFETCH(int, devices);
    mv100sim::setDeviceCount(devices);
    tabs()->setCurrentIndex(0);
    const WindowState before = stateOf(*m_window);
    BoxAnswerer answerer;
    trigger(m_window.get(), "actionInfo");
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(tabs()->currentWidget()->objectName(), QStringLiteral("tab_info"));
    QVERIFY(stateOf(*m_window) == before);
    QCOMPARE(label("info_label_lock"), QStringLiteral("-"));
    QCOMPARE(mv100sim::exchangeCount(), 0);
}

void TestTransfersEraseInfo::infoReadFails()
{
    mv100sim::answerEmpty(true);
    const WindowState before = stateOf(*m_window);
    BoxAnswerer answerer({QStringLiteral("OK")});
    trigger(m_window.get(), "actionInfo");
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Device Error")});
    QCOMPARE(answerer.boxes[0].text, QStringLiteral("No Morvantide100 present"));
    QCOMPARE(answerer.boxes[0].icon, QMessageBox::Information);
    QCOMPARE(tabs()->currentWidget()->objectName(), QStringLiteral("tab_info"));
    QVERIFY(stateOf(*m_window) == before);
    QCOMPARE(mv100sim::openHandleCount(), 0);
}

void TestTransfersEraseInfo::readFillsTheInfoTab()
{
    mv100sim::ChipState &chip = mv100sim::chip();
    chip.customData = {0xDE, 0xAD, 0xBE, 0xEF, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB};
    chip.serial = 0xFEDCBA98;
    chip.eraseCount = 7;
    BoxAnswerer answerer({QStringLiteral("OK")});
    trigger(m_window.get(), "actionRead");
    QCOMPARE(answerer.titles(), QStringList {QStringLiteral("Success")});
    QCOMPARE(label("info_label_customdata"),
             QStringLiteral("DE AD BE EF 00 01 02 03 04 05 06 07 08 09 0A 0B "));
    QCOMPARE(edit("custom_edit")->text(), QStringLiteral("DEADBEEF000102030405060708090A0B"));
    QCOMPARE(label("info_label_sn"), QStringLiteral("fedcba98"));
    QCOMPARE(label("info_label_erasecount"), QStringLiteral("7"));
    QCOMPARE(label("info_label_lock"), QStringLiteral("Unlocked"));
    QCOMPARE(label("info_label_ver"), QStringLiteral("1030"));
    QCOMPARE(label("info_label_vid"), QStringLiteral("0x07C0 (1984)"));
    QCOMPARE(label("info_label_pid"), QStringLiteral("0x0181 (385)"));
    // Read does not bring the info tab to the front.
    QCOMPARE(tabs()->currentIndex(), 0);
}

QTEST_MAIN(TestTransfersEraseInfo)
#include "tst_transfers_eraseinfo.moc"
