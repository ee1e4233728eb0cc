// Tests of the settings tabs: byte encodings, LED rows, ranges, validators, unsaved-changes flag.
#include "MainWindow.h"
#include "SettingsCodec.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QValidator>
#include <QtTest>

#include <memory>

using Block15 = std::array<unsigned char, 15>;
Q_DECLARE_METATYPE(Block15)

namespace {
QByteArray bytes(const unsigned char *data, int size)
{
    return QByteArray(reinterpret_cast<const char *>(data), size);
}

template<size_t N> QByteArray bytes(const std::array<unsigned char, N> &block)
{
    return bytes(block.data(), int(N));
}

const QByteArray MOUSE_DEFAULTS = QByteArray::fromHex("FF003CB91E0A000305080A0D0F1214");

// Codes that an LED row shows as they are; every other code shows "Off, LED not used".
bool isShownLedCode(int code)
{
    return (code >= 0x00 && code <= 0x05) || code == 0x10 || code == 0x11
        || (code >= 0x20 && code <= 0x3F);
}
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;

    template<typename T> T *widget(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    QCheckBox *ledBox(const char *modifier, int row) const
    {
        return widget<QCheckBox>(
            QStringLiteral("led_chk_%1_%2").arg(QLatin1String(modifier)).arg(row));
    }
    QComboBox *ledCombo(int row) const
    {
        return widget<QComboBox>(QStringLiteral("led_cmb_function_%1").arg(row));
    }
    // Shows the tab that holds w, so keyboard input reaches it as it would reach a user's.
    void showTabOf(QWidget *w)
    {
        auto *tabs = widget<QTabWidget>(QStringLiteral("tabWidget"));
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(w))
                tabs->setCurrentIndex(i);
        }
    }

private Q_SLOTS:
    void init();
    void cleanup();

    // Pure encodings
    void codecLedAllCodes();
    void codecMouseFunction();
    void codecLockKeys_data();
    void codecLockKeys();

    // Form contents
    void comboItems_data();
    void comboItems();
    void tabTexts_data();
    void tabTexts();
    void spinRanges_data();
    void spinRanges();

    // Widgets and their bytes
    void ledRowDecoding_data();
    void ledRowDecoding();
    void ledBlockRoundTrip();
    void ledFunctionSwitching();
    void ledMissingRow();
    void mouseDefaults();
    void mouseFunctionWidgets();
    void mouseBlockRoundTrip();
    void mouseDecodingKeepsClearBits();
    void backlightBlock();
    void lockKeyWidgets();
    void lockModeAndDebounce();
    void pinDefaults();
    void validators_data();
    void validators();
    void typingRefusesNonHex();
    void pinCheck_data();
    void pinCheck();
    void resetState();

    // Unsaved changes
    void userEditSetsFlag_data();
    void userEditSetsFlag();
    void mainPinEditLeavesFlag();
    void programmaticChangesLeaveFlag();
    void loadMouseDefaultButton();
};

void TestSettings::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
    m_window = std::make_unique<MainWindow>();
}

void TestSettings::cleanup()
{
    TestSupport::closeAllModals();
    if (m_window)
        m_window->setUnsavedChanges(false);
    m_window.reset();
}

// --- Pure encodings -----------------------------------------------------------------------------

void TestSettings::codecLedAllCodes()
{
    for (int code = 0; code <= 0xFF; ++code) {
        const SettingsCodec::LedRow row = SettingsCodec::ledRow(static_cast<unsigned char>(code));
        const int again = SettingsCodec::ledCode(row.item, row.modifiers);
        const QByteArray where = QByteArray::number(code, 16);
        if (isShownLedCode(code)) {
            QVERIFY2(again == code, where);
            QVERIFY2(row.item != SettingsCodec::LED_OFF_ITEM, where);
            QCOMPARE(row.modifiersEnabled, code >= 0x20);
        } else {
            QVERIFY2(row.item == SettingsCodec::LED_OFF_ITEM, where);
            QVERIFY2(!row.modifiersEnabled && row.modifiers == 0, where);
            QVERIFY2(again == 0xFF, where);
        }
    }
    // Modifier bits count only for the Locking and Sticky items.
    QCOMPARE(SettingsCodec::ledCode(1, 0x0F), 0x01);
    QCOMPARE(SettingsCodec::ledCode(8, 0x0F), 0x2F);
    QCOMPARE(SettingsCodec::ledCode(9, 0x0A), 0x3A);
    QCOMPARE(SettingsCodec::ledCode(-1, 0), -1);
    QCOMPARE(SettingsCodec::ledCode(11, 0), -1);
}

void TestSettings::codecMouseFunction()
{
    const int codes[] = {0x00, 0x01, 0x02, 0xFF, 0x03};
    for (int item = 0; item < 5; ++item) {
        QCOMPARE(int(SettingsCodec::mouseFunctionCode(item)), codes[item]);
        QCOMPARE(SettingsCodec::mouseFunctionItem(static_cast<unsigned char>(codes[item])), item);
    }
    QCOMPARE(int(SettingsCodec::mouseFunctionCode(-1)), 0xFF);
    QCOMPARE(int(SettingsCodec::mouseFunctionCode(5)), 0xFF);
    for (int code = 0x04; code <= 0xFE; ++code)
        QCOMPARE(SettingsCodec::mouseFunctionItem(static_cast<unsigned char>(code)), 3);
}

void TestSettings::codecLockKeys_data()
{
    QTest::addColumn<int>("fn1");
    QTest::addColumn<int>("fn2");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("decodedFn1");
    QTest::addColumn<int>("decodedFn2");
    QTest::newRow("Caps, Kana") << 2 << 5 << 0x52 << 2 << 5;
    QTest::newRow("Compose, None") << 4 << 0 << 0x04 << 4 << 0;
    QTest::newRow("Num, Scroll") << 1 << 3 << 0x31 << 1 << 3;
    QTest::newRow("None, None") << 0 << 0 << 0x00 << 0 << 0;
    QTest::newRow("Kana, Kana") << 5 << 5 << 0x55 << 5 << 5;
    // A nibble that names no item must not corrupt the other one.
    QTest::newRow("no item FN1") << -1 << 3 << 0x30 << 0 << 3;
    QTest::newRow("no item FN2") << 2 << -1 << 0x02 << 2 << 0;
}

void TestSettings::codecLockKeys()
{
    QFETCH(int, fn1);
    QFETCH(int, fn2);
    QFETCH(int, byte);
    QFETCH(int, decodedFn1);
    QFETCH(int, decodedFn2);
    QCOMPARE(int(SettingsCodec::lockKeyByte(fn1, fn2)), byte);
    QCOMPARE(SettingsCodec::lockKeyFn1Item(static_cast<unsigned char>(byte)), decodedFn1);
    QCOMPARE(SettingsCodec::lockKeyFn2Item(static_cast<unsigned char>(byte)), decodedFn2);
}

// --- Form contents ------------------------------------------------------------------------------

void TestSettings::comboItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    const QStringList led
        = {"Constant On", "NUM Lock", "CAPS Lock",   "SCROLL Lock", "Compose",          "Kana",
           "FN1",         "FN2",      "Locking + X", "Sticky + X",  "Off, LED not used"};
    const QStringList lock = {"None", "Num", "Caps", "Scroll", "Compose", "Kana"};
    QTest::newRow("main_cmb_lock") << "main_cmb_lock" << QStringList {"Unlock", "Lock"};
    QTest::newRow("mouse_cmb_function")
        << "mouse_cmb_function"
        << QStringList {"Trackball", "Joystick", "4 quadrant sensor", "Off",
                        "4 quadrant sendor (slow mode)"};
    QTest::newRow("lockkeys_cmb_fn1") << "lockkeys_cmb_fn1" << lock;
    QTest::newRow("lockkeys_cmb_fn2") << "lockkeys_cmb_fn2" << lock;
    for (int n = 0; n < 8; ++n) {
        const QString name = QStringLiteral("led_cmb_function_%1").arg(n);
        QTest::newRow(qPrintable(name)) << name << led;
    }
}

void TestSettings::comboItems()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    auto *combo = widget<QComboBox>(name);
    QVERIFY(combo);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    QCOMPARE(shown, items);
}

void TestSettings::tabTexts_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("mouse") << "tab_mouse" << QStringList {"Function",           "Option",
                                                          "Axis Min",           "Axis Max",
                                                          "Dead Zone X/Y-Axis", "Dead Zone Z-Axis",
                                                          "Ballistic flags",    "Ballistic table"}
                           << QStringList {"Load default",
                                           "Analog wheel",
                                           "Auto range",
                                           "Invert X",
                                           "Optical wheel",
                                           "Auto center",
                                           "Invert Y",
                                           "Reduce range",
                                           "Invert Z",
                                           "X",
                                           "Y",
                                           "Z",
                                           "Z slow mode"};
    QTest::newRow("custom data")
        << "tab_customdata"
        << QStringList {"Here user specific data (16 byte) can be stored on the Morvantide.\nThis "
                        "data can only be changed if the Morvantide has been cleared.",
                        "Cusom Data"}
        << QStringList {};
    QTest::newRow("lock keys") << "tab_lock_keys"
                               << QStringList {"Morvantide100 supports LOCK keys (NUM, SCROLL, "
                                               "etc.) to execute FN keystrokes by using the LOCK "
                                               "leys.",
                                               "FN1", "FN2"}
                               << QStringList {};
    QTest::newRow("pin") << "tab_pin" << QStringList {"PIN"} << QStringList {"Default"};
    QTest::newRow("backlight")
        << "tab_backlight"
        << QStringList {"The DimLED function configures the two DAC and thee PWM outputs for "
                        "control via keys",
                        "Init",
                        "Step",
                        "Flags",
                        "DAC 0",
                        "DAC 1",
                        "PWM 0",
                        "PWM 1",
                        "PWM 2"}
        << QStringList {};
    QStringList led = {"Configuring lock LED outouts", "Ctrl/Strg", "Shift", "Alt", "GUI/Win"};
    for (int n = 1; n <= 8; ++n)
        led << QStringLiteral("LED %1 (Pin X)").arg(n);
    QTest::newRow("led outputs") << "tab_outputs" << led << QStringList {};
    QTest::newRow("debounce") << "tab_debounce"
                              << QStringList {"Setup the global debounce time in ms.",
                                              "Debounce Time", "ms"}
                              << QStringList {};
}

void TestSettings::tabTexts()
{
    QFETCH(QString, page);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, buttons);
    auto *tab = widget<QWidget>(page);
    QVERIFY(tab);
    QStringList labelTexts;
    for (const QLabel *label : tab->findChildren<QLabel *>())
        labelTexts << label->text();
    for (const QString &text : labels)
        QVERIFY2(labelTexts.contains(text), qPrintable(text));
    QStringList buttonTexts;
    for (const QAbstractButton *button : tab->findChildren<QAbstractButton *>())
        buttonTexts << button->text();
    for (const QString &text : buttons)
        QVERIFY2(buttonTexts.contains(text), qPrintable(text));
}

void TestSettings::spinRanges_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    for (const char *name :
         {"mouse_spin_min", "mouse_spin_max", "mouse_spin_dead_xy", "mouse_spin_dead_z"})
        QTest::newRow(name) << QString::fromLatin1(name) << 0 << 255;
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("mouse_spin_balistic_%1").arg(i);
        QTest::newRow(qPrintable(name)) << name << 0 << 255;
    }
    for (int i = 0; i < 5; ++i) {
        for (const char *column : {"init", "step"}) {
            const QString name
                = QStringLiteral("backlight_spin_%1_%2").arg(QLatin1String(column)).arg(i);
            QTest::newRow(qPrintable(name)) << name << 0 << 255;
        }
        const QString flags = QStringLiteral("backlight_spin_flags_%1").arg(i);
        QTest::newRow(qPrintable(flags)) << flags << 0 << 1;
    }
    QTest::newRow("spin_debounce") << "spin_debounce" << 1 << 255;
}

void TestSettings::spinRanges()
{
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    auto *spin = widget<QSpinBox>(name);
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), minimum);
    QCOMPARE(spin->maximum(), maximum);
    spin->setValue(maximum);
    spin->stepBy(1);
    QCOMPARE(spin->value(), maximum);
    spin->setValue(minimum);
    spin->stepBy(-1);
    QCOMPARE(spin->value(), minimum);
}

// --- LED rows -----------------------------------------------------------------------------------

void TestSettings::ledRowDecoding_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("boxesEnabled");
    QTest::addColumn<int>("checkedBits");
    QTest::addColumn<int>("encoded");
    QTest::newRow("Constant On") << 0x00 << 0 << false << 0 << 0x00;
    QTest::newRow("Kana") << 0x05 << 5 << false << 0 << 0x05;
    QTest::newRow("FN1") << 0x10 << 6 << false << 0 << 0x10;
    QTest::newRow("FN2") << 0x11 << 7 << false << 0 << 0x11;
    QTest::newRow("Locking, no modifier") << 0x20 << 8 << true << 0x0 << 0x20;
    QTest::newRow("Locking, all modifiers") << 0x2F << 8 << true << 0xF << 0x2F;
    QTest::newRow("Sticky, Shift+GUI") << 0x3A << 9 << true << 0xA << 0x3A;
    QTest::newRow("Sticky, Ctrl+Alt") << 0x35 << 9 << true << 0x5 << 0x35;
    QTest::newRow("0x06 unused") << 0x06 << 10 << false << 0 << 0xFF;
    QTest::newRow("0x1F unused") << 0x1F << 10 << false << 0 << 0xFF;
    QTest::newRow("0x45 unused") << 0x45 << 10 << false << 0 << 0xFF;
    QTest::newRow("0xFE unused") << 0xFE << 10 << false << 0 << 0xFF;
    QTest::newRow("Off") << 0xFF << 10 << false << 0 << 0xFF;
}

void TestSettings::ledRowDecoding()
{
    QFETCH(int, code);
    QFETCH(int, item);
    QFETCH(bool, boxesEnabled);
    QFETCH(int, checkedBits);
    QFETCH(int, encoded);
    const char *modifiers[] = {"ctrl", "shift", "alt", "gui"};
    for (int row : {0, 7}) {
        // Start from a row with every box on, so the decoding must clear what it does not set.
        m_window->setLEDElements(0x3F, static_cast<unsigned char>(row));
        m_window->setLEDElements(static_cast<unsigned char>(code), static_cast<unsigned char>(row));
        QCOMPARE(ledCombo(row)->currentIndex(), item);
        for (int bit = 0; bit < 4; ++bit) {
            QCheckBox *box = ledBox(modifiers[bit], row);
            QVERIFY(box);
            QCOMPARE(box->isEnabled(), boxesEnabled);
            QCOMPARE(box->isChecked(), (checkedBits & (1 << bit)) != 0);
        }
        QCOMPARE(m_window->getLEDElements(row), encoded);
    }
}

void TestSettings::ledBlockRoundTrip()
{
    QList<int> codes;
    for (int code = 0; code <= 0xFF; ++code) {
        if (isShownLedCode(code))
            codes << code;
    }
    // Eight outputs at a time through the block functions, every shown code once.
    for (int start = 0; start < codes.size(); start += 8) {
        std::array<unsigned char, 8> block {};
        block.fill(0xFF);
        for (int n = 0; n < 8 && start + n < codes.size(); ++n)
            block[n] = static_cast<unsigned char>(codes[start + n]);
        m_window->applyLedBlock(block.data());
        QCOMPARE(bytes(m_window->ledBlock()), bytes(block));
    }
    // Codes without a row show "not used" and come back as 0xFF.
    const std::array<unsigned char, 8> unused = {0x1F, 0x45, 0x06, 0x0F, 0x12, 0x40, 0x80, 0xFE};
    m_window->applyLedBlock(unused.data());
    QCOMPARE(bytes(m_window->ledBlock()), QByteArray(8, char(0xFF)));
}

void TestSettings::ledFunctionSwitching()
{
    m_window->setLEDElements(0x34, 2); // Sticky + X with Alt
    QComboBox *combo = ledCombo(2);
    QCOMPARE(combo->currentIndex(), 9);
    combo->setCurrentIndex(8); // Locking + X
    QVERIFY(ledBox("alt", 2)->isChecked());
    QVERIFY(ledBox("alt", 2)->isEnabled());
    QVERIFY(ledBox("ctrl", 2)->isEnabled());
    QCOMPARE(m_window->getLEDElements(2), 0x24);

    ledBox("gui", 2)->setChecked(true);
    QCOMPARE(m_window->getLEDElements(2), 0x2C);

    combo->setCurrentIndex(1); // NUM Lock
    for (const char *modifier : {"ctrl", "shift", "alt", "gui"}) {
        QVERIFY(!ledBox(modifier, 2)->isChecked());
        QVERIFY(!ledBox(modifier, 2)->isEnabled());
    }
    QCOMPARE(m_window->getLEDElements(2), 0x01);
    // Back to a modifier item: the boxes come back enabled, but empty.
    combo->setCurrentIndex(9);
    QVERIFY(ledBox("alt", 2)->isEnabled());
    QVERIFY(!ledBox("alt", 2)->isChecked());
    QCOMPARE(m_window->getLEDElements(2), 0x30);
    // The other rows are not touched.
    QCOMPARE(ledCombo(1)->currentIndex(), 10);
    QVERIFY(!ledBox("alt", 3)->isEnabled());
}

void TestSettings::ledMissingRow()
{
    QCOMPARE(m_window->getLEDElements(8), -1);
    QCOMPARE(m_window->getLEDElements(-1), -1);
    // A combo without a current item has no code either; the block stores it as 0xFF.
    ledCombo(4)->setCurrentIndex(-1);
    QCOMPARE(m_window->getLEDElements(4), -1);
    QCOMPARE(int(m_window->ledBlock()[4]), 0xFF);
}

// --- Mouse --------------------------------------------------------------------------------------

void TestSettings::mouseDefaults()
{
    QCOMPARE(bytes(m_window->mouseBlock()), MOUSE_DEFAULTS);

    // A changed tab goes back to exactly the defaults with "Load default".
    Block15 changed;
    for (int i = 0; i < 15; ++i)
        changed[i] = static_cast<unsigned char>(0x11 * (i + 1) - 0x11 + 1);
    changed[0] = 0x01;
    changed[1] = 0xFF;
    changed[6] = 0x0F;
    m_window->applyMouseBlock(changed.data());
    QVERIFY(bytes(m_window->mouseBlock()) != MOUSE_DEFAULTS);
    auto *button = widget<QPushButton>(QStringLiteral("mouse_btn_default"));
    QVERIFY(button);
    button->click();
    QCOMPARE(bytes(m_window->mouseBlock()), MOUSE_DEFAULTS);
    QCOMPARE(widget<QComboBox>(QStringLiteral("mouse_cmb_function"))->currentText(),
             QStringLiteral("Off"));
}

void TestSettings::mouseFunctionWidgets()
{
    auto *combo = widget<QComboBox>(QStringLiteral("mouse_cmb_function"));
    const int codes[] = {0x00, 0x01, 0x02, 0xFF, 0x03};
    for (int item = 0; item < 5; ++item) {
        combo->setCurrentIndex(item);
        QCOMPARE(int(m_window->mouseBlock()[0]), codes[item]);
    }
    Block15 block;
    block.fill(0);
    const QList<QPair<int, int>> decoding
        = {{0x00, 0}, {0x01, 1}, {0x02, 2}, {0x03, 4}, {0x07, 3}, {0x04, 3}, {0xFF, 3}};
    for (const auto &[code, item] : decoding) {
        combo->setCurrentIndex(0);
        block[0] = static_cast<unsigned char>(code);
        m_window->applyMouseBlock(block.data());
        QCOMPARE(combo->currentIndex(), item);
    }
    QCOMPARE(combo->currentText(), QStringLiteral("Off"));
}

void TestSettings::mouseBlockRoundTrip()
{
    const char *optionNames[]
        = {"analog", "optical", "center", "range", "reduce", "invert_x", "invert_y", "invert_z"};
    for (int bit = 0; bit < 8; ++bit) {
        m_window->Clear();
        Block15 block;
        for (int i = 0; i < 15; ++i)
            block[i] = static_cast<unsigned char>(200 + i);
        block[0] = 0x03;
        block[1] = static_cast<unsigned char>(1 << bit);
        block[6] = static_cast<unsigned char>(1 << (bit % 4));
        m_window->applyMouseBlock(block.data());
        QCOMPARE(bytes(m_window->mouseBlock()), bytes(block));
        // The bit lands in its own box.
        auto *box = widget<QCheckBox>(
            QStringLiteral("mouse_chk_opt_%1").arg(QLatin1String(optionNames[bit])));
        QVERIFY(box);
        QVERIFY(box->isChecked());
    }
    // Bits 4 to 7 of the ballistic flags have no box and are not kept.
    m_window->Clear();
    Block15 block;
    block.fill(0);
    block[6] = 0xF9;
    m_window->applyMouseBlock(block.data());
    QCOMPARE(int(m_window->mouseBlock()[6]), 0x09);
    QVERIFY(widget<QCheckBox>(QStringLiteral("mouse_chk_balistic_z_slow"))->isChecked());
    QVERIFY(widget<QCheckBox>(QStringLiteral("mouse_chk_balistic_x"))->isChecked());
    QVERIFY(!widget<QCheckBox>(QStringLiteral("mouse_chk_balistic_y"))->isChecked());
    // Byte order of the spin boxes.
    block.fill(0);
    for (int i = 2; i < 15; ++i)
        block[i] = static_cast<unsigned char>(i);
    m_window->applyMouseBlock(block.data());
    QCOMPARE(widget<QSpinBox>(QStringLiteral("mouse_spin_min"))->value(), 2);
    QCOMPARE(widget<QSpinBox>(QStringLiteral("mouse_spin_max"))->value(), 3);
    QCOMPARE(widget<QSpinBox>(QStringLiteral("mouse_spin_dead_xy"))->value(), 4);
    QCOMPARE(widget<QSpinBox>(QStringLiteral("mouse_spin_dead_z"))->value(), 5);
    QCOMPARE(widget<QSpinBox>(QStringLiteral("mouse_spin_balistic_0"))->value(), 7);
    QCOMPARE(widget<QSpinBox>(QStringLiteral("mouse_spin_balistic_7"))->value(), 14);
}

void TestSettings::mouseDecodingKeepsClearBits()
{
    widget<QCheckBox>(QStringLiteral("mouse_chk_opt_analog"))->setChecked(true);
    widget<QCheckBox>(QStringLiteral("mouse_chk_balistic_y"))->setChecked(true);
    Block15 block;
    block.fill(0);
    block[1] = 0x80;
    m_window->applyMouseBlock(block.data());
    QVERIFY(widget<QCheckBox>(QStringLiteral("mouse_chk_opt_analog"))->isChecked());
    QVERIFY(widget<QCheckBox>(QStringLiteral("mouse_chk_opt_invert_z"))->isChecked());
    QVERIFY(widget<QCheckBox>(QStringLiteral("mouse_chk_balistic_y"))->isChecked());
    QCOMPARE(int(m_window->mouseBlock()[1]), 0x81);
    QCOMPARE(int(m_window->mouseBlock()[6]), 0x02);
}

// --- Backlight, lock keys, lock mode, debounce, PIN ---------------------------------------------

void TestSettings::backlightBlock()
{
    Block15 block;
    for (int i = 0; i < 10; ++i)
        block[i] = static_cast<unsigned char>(0x10 + i * 0x17);
    const unsigned char flags[] = {1, 0, 1, 1, 0};
    for (int i = 0; i < 5; ++i)
        block[10 + i] = flags[i];
    m_window->applyBacklightBlock(block.data());
    QCOMPARE(bytes(m_window->backlightBlock()), bytes(block));
    QCOMPARE(widget<QSpinBox>(QStringLiteral("backlight_spin_init_0"))->value(), int(block[0]));
    QCOMPARE(widget<QSpinBox>(QStringLiteral("backlight_spin_init_4"))->value(), int(block[4]));
    QCOMPARE(widget<QSpinBox>(QStringLiteral("backlight_spin_step_0"))->value(), int(block[5]));
    QCOMPARE(widget<QSpinBox>(QStringLiteral("backlight_spin_step_4"))->value(), int(block[9]));
    QCOMPARE(widget<QSpinBox>(QStringLiteral("backlight_spin_flags_0"))->value(), 1);
    QCOMPARE(widget<QSpinBox>(QStringLiteral("backlight_spin_flags_1"))->value(), 0);
    // A flag byte beyond the range is shown as the largest flag.
    block[11] = 0x07;
    m_window->applyBacklightBlock(block.data());
    QCOMPARE(int(m_window->backlightBlock()[11]), 1);
}

void TestSettings::lockKeyWidgets()
{
    auto *fn1 = widget<QComboBox>(QStringLiteral("lockkeys_cmb_fn1"));
    auto *fn2 = widget<QComboBox>(QStringLiteral("lockkeys_cmb_fn2"));
    QCOMPARE(int(m_window->lockKeyByte()), 0x00);
    fn1->setCurrentIndex(2);
    fn2->setCurrentIndex(5);
    QCOMPARE(int(m_window->lockKeyByte()), 0x52);
    fn1->setCurrentIndex(4);
    fn2->setCurrentIndex(0);
    QCOMPARE(int(m_window->lockKeyByte()), 0x04);
    m_window->applyLockKeyByte(0x31);
    QCOMPARE(fn1->currentText(), QStringLiteral("Num"));
    QCOMPARE(fn2->currentText(), QStringLiteral("Scroll"));
    // An unknown nibble leaves no empty combo behind.
    m_window->applyLockKeyByte(0x7A);
    QCOMPARE(fn1->currentIndex(), 0);
    QCOMPARE(fn2->currentIndex(), 0);
    QCOMPARE(int(m_window->lockKeyByte()), 0x00);
}

void TestSettings::lockModeAndDebounce()
{
    auto *lock = widget<QComboBox>(QStringLiteral("main_cmb_lock"));
    auto *debounce = widget<QSpinBox>(QStringLiteral("spin_debounce"));
    QCOMPARE(int(m_window->lockModeByte()), 0);
    QCOMPARE(int(m_window->debounceByte()), 3);
    lock->setCurrentIndex(1);
    debounce->setValue(255);
    QCOMPARE(int(m_window->lockModeByte()), 1);
    QCOMPARE(int(m_window->debounceByte()), 255);
    debounce->setValue(0);
    QCOMPARE(int(m_window->debounceByte()), 1);
}

void TestSettings::pinDefaults()
{
    auto *mainPin = widget<QLineEdit>(QStringLiteral("main_edit_pin"));
    auto *newPin = widget<QLineEdit>(QStringLiteral("pin_edit_pin"));
    mainPin->setText(QStringLiteral("0011"));
    newPin->setText(QStringLiteral("AABB"));
    widget<QPushButton>(QStringLiteral("pin_btn_default"))->click();
    QCOMPARE(newPin->text(), QStringLiteral("3C9A71E04B5D28F6"));
    QCOMPARE(mainPin->text(), QStringLiteral("0011"));
    widget<QPushButton>(QStringLiteral("btn_pin_default"))->click();
    QCOMPARE(mainPin->text(), QStringLiteral("3C9A71E04B5D28F6"));
}

void TestSettings::validators_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("acceptable");
    for (const char *field : {"main_edit_pin", "pin_edit_pin"}) {
        const QString f = QString::fromLatin1(field);
        QTest::addRow("%s full", field) << f << "3C9A71E04B5D28F6" << true;
        QTest::addRow("%s lower case", field) << f << "3c9a71e04b5d28f6" << true;
        QTest::addRow("%s short", field) << f << "3C9" << true;
        QTest::addRow("%s empty", field) << f << "" << true;
        QTest::addRow("%s 17 digits", field) << f << "3C9A71E04B5D28F60" << false;
        QTest::addRow("%s letter G", field) << f << "3C9G" << false;
        QTest::addRow("%s blank", field) << f << "3C 9A" << false;
        QTest::addRow("%s 0x prefix", field) << f << "0x3C" << false;
    }
    QTest::newRow("custom 32") << "custom_edit" << QString(32, QLatin1Char('f')) << true;
    QTest::newRow("custom 33") << "custom_edit" << QString(33, QLatin1Char('F')) << false;
    QTest::newRow("custom minus") << "custom_edit"
                                  << "-1" << false;
}

void TestSettings::validators()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(bool, acceptable);
    auto *edit = widget<QLineEdit>(field);
    QVERIFY(edit);
    QVERIFY(edit->validator());
    QCOMPARE(edit->validator()->parent(), static_cast<QObject *>(edit));
    int pos = 0;
    QString text = input;
    const QValidator::State state = edit->validator()->validate(text, pos);
    QCOMPARE(state == QValidator::Acceptable, acceptable);
    if (!acceptable)
        QCOMPARE(state, QValidator::Invalid);
}

void TestSettings::typingRefusesNonHex()
{
    auto *custom = widget<QLineEdit>(QStringLiteral("custom_edit"));
    custom->clear();
    QTest::keyClicks(custom, QStringLiteral("a1g-Z f2"));
    QCOMPARE(custom->text(), QStringLiteral("a1f2"));
    auto *pin = widget<QLineEdit>(QStringLiteral("pin_edit_pin"));
    QTest::keyClicks(pin, QStringLiteral("00"));
    QCOMPARE(pin->text(), QStringLiteral("3C9A71E04B5D28F6"));
}

void TestSettings::pinCheck_data()
{
    QTest::addColumn<QString>("pin");
    QTest::addColumn<bool>("valid");
    QTest::newRow("default") << "3C9A71E04B5D28F6" << true;
    QTest::newRow("lower case") << "3c9a71e04b5d28f6" << true;
    QTest::newRow("15 digits") << "3C9A71E04B5D28F" << false;
    QTest::newRow("17 digits") << "3C9A71E04B5D28F60" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("16 with G") << "3C9A71E04B5D28FG" << false;
    QTest::newRow("16 with blank") << "3C9A71E04B5D28 6" << false;
}

void TestSettings::pinCheck()
{
    QFETCH(QString, pin);
    QFETCH(bool, valid);
    QCOMPARE(m_window->pinCheck(pin), valid);
}

void TestSettings::resetState()
{
    // Change everything, then reset.
    widget<QLineEdit>(QStringLiteral("main_edit_pin"))->setText(QStringLiteral("00"));
    widget<QLineEdit>(QStringLiteral("pin_edit_pin"))->setText(QStringLiteral("11"));
    widget<QLineEdit>(QStringLiteral("custom_edit"))->setText(QStringLiteral("22"));
    widget<QComboBox>(QStringLiteral("main_cmb_lock"))->setCurrentIndex(1);
    m_window->applyLockKeyByte(0x55);
    Block15 block;
    block.fill(1);
    m_window->applyBacklightBlock(block.data());
    m_window->applyMouseBlock(block.data());
    std::array<unsigned char, 8> leds;
    leds.fill(0x2F);
    m_window->applyLedBlock(leds.data());
    widget<QSpinBox>(QStringLiteral("spin_debounce"))->setValue(40);
    m_window->setUnsavedChanges(true);

    m_window->Clear();
    QCOMPARE(widget<QLineEdit>(QStringLiteral("main_edit_pin"))->text(),
             QStringLiteral("3C9A71E04B5D28F6"));
    QCOMPARE(widget<QLineEdit>(QStringLiteral("pin_edit_pin"))->text(),
             QStringLiteral("3C9A71E04B5D28F6"));
    QCOMPARE(widget<QLineEdit>(QStringLiteral("custom_edit"))->text(),
             QString(32, QLatin1Char('F')));
    QCOMPARE(int(m_window->lockModeByte()), 0);
    QCOMPARE(int(m_window->lockKeyByte()), 0);
    QCOMPARE(bytes(m_window->backlightBlock()), QByteArray(15, '\0'));
    QCOMPARE(bytes(m_window->mouseBlock()), MOUSE_DEFAULTS);
    QCOMPARE(bytes(m_window->ledBlock()), QByteArray(8, char(0xFF)));
    for (int n = 0; n < 8; ++n)
        QVERIFY(!ledBox("gui", n)->isEnabled());
    QCOMPARE(int(m_window->debounceByte()), 3);
    QVERIFY(!m_window->hasUnsavedChanges());
}

// --- Unsaved changes ----------------------------------------------------------------------------

void TestSettings::userEditSetsFlag_data()
{
    QTest::addColumn<QString>("name");
    const char *names[] = {
        "pin_edit_pin",           "custom_edit",
        "main_cmb_lock",          "mouse_cmb_function",
        "lockkeys_cmb_fn1",       "lockkeys_cmb_fn2",
        "led_cmb_function_0",     "led_cmb_function_7",
        "mouse_spin_min",         "mouse_spin_max",
        "mouse_spin_dead_xy",     "mouse_spin_dead_z",
        "mouse_spin_balistic_0",  "mouse_spin_balistic_7",
        "backlight_spin_init_0",  "backlight_spin_step_2",
        "backlight_spin_flags_4", "spin_debounce",
        "mouse_chk_opt_analog",   "mouse_chk_opt_invert_z",
        "mouse_chk_balistic_x",   "mouse_chk_balistic_z_slow",
        "led_chk_ctrl_0",         "led_chk_gui_7",
    };
    for (const char *name : names)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSettings::userEditSetsFlag()
{
    QFETCH(QString, name);
    // LED boxes take input only on a modifier row; putting the row there is the program's doing.
    if (name.startsWith(QLatin1String("led_chk_")))
        m_window->setLEDElements(0x20, static_cast<unsigned char>(name.right(1).toInt()));
    QVERIFY(!m_window->hasUnsavedChanges());

    auto *target = widget<QWidget>(name);
    QVERIFY(target);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    showTabOf(target);
    QVERIFY(target->isVisible());
    QVERIFY(target->isEnabled());

    if (auto *edit = qobject_cast<QLineEdit *>(target)) {
        const QString before = edit->text();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), before.chopped(1));
    } else if (auto *combo = qobject_cast<QComboBox *>(target)) {
        const int before = combo->currentIndex();
        QTest::keyClick(combo, before + 1 < combo->count() ? Qt::Key_Down : Qt::Key_Up);
        QVERIFY(combo->currentIndex() != before);
    } else if (auto *spin = qobject_cast<QSpinBox *>(target)) {
        const int before = spin->value();
        QTest::keyClick(spin, before < spin->maximum() ? Qt::Key_Up : Qt::Key_Down);
        QVERIFY(spin->value() != before);
    } else if (auto *box = qobject_cast<QCheckBox *>(target)) {
        const bool before = box->isChecked();
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(box->isChecked(), !before);
    } else {
        QFAIL("no way to edit this control");
    }
    QVERIFY(m_window->hasUnsavedChanges());
}

void TestSettings::mainPinEditLeavesFlag()
{
    auto *mainPin = widget<QLineEdit>(QStringLiteral("main_edit_pin"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::keyClick(mainPin, Qt::Key_Backspace);
    QTest::keyClicks(mainPin, QStringLiteral("0"));
    QCOMPARE(mainPin->text(), QStringLiteral("3C9A71E04B5D28F0"));
    widget<QPushButton>(QStringLiteral("btn_pin_default"))->click();
    QVERIFY(!m_window->hasUnsavedChanges());
}

void TestSettings::programmaticChangesLeaveFlag()
{
    Block15 block;
    for (int i = 0; i < 15; ++i)
        block[i] = static_cast<unsigned char>(i % 2);
    block[0] = 0x01;
    block[1] = 0xFF;
    const std::array<unsigned char, 8> leds = {0x00, 0x2F, 0x3A, 0x10, 0x11, 0x05, 0x45, 0x20};

    m_window->applyMouseBlock(block.data());
    m_window->applyBacklightBlock(block.data());
    m_window->applyLedBlock(leds.data());
    m_window->applyLockKeyByte(0x52);
    m_window->setLEDElements(0x31, 6);
    QVERIFY(!m_window->hasUnsavedChanges());
    m_window->Clear();
    QVERIFY(!m_window->hasUnsavedChanges());

    // Loading over a changed window keeps the flag as it is.
    m_window->setUnsavedChanges(true);
    m_window->applyLedBlock(leds.data());
    QVERIFY(m_window->hasUnsavedChanges());
}

void TestSettings::loadMouseDefaultButton()
{
    auto *button = widget<QPushButton>(QStringLiteral("mouse_btn_default"));
    // On the defaults it changes nothing, so there is nothing to save.
    button->click();
    QVERIFY(!m_window->hasUnsavedChanges());
    Block15 block;
    block.fill(0x01);
    m_window->applyMouseBlock(block.data());
    QVERIFY(!m_window->hasUnsavedChanges());
    button->click();
    QVERIFY(m_window->hasUnsavedChanges());
    QCOMPARE(bytes(m_window->mouseBlock()), MOUSE_DEFAULTS);
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
