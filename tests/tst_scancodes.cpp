// Tests of the scan-code maps: known keys, agreement with the key table, the native code form.
#include "CKeyTable.h"
#include "ScanCodeMap.h"

#include <QtTest>

namespace {

bool inKeyTable(int usage)
{
    for (const KeyMapping &row : CKeyTable::m_KeyMapping) {
        if (row.code == usage)
            return true;
    }
    return false;
}

} // namespace

class TestScanCodes : public QObject
{
    Q_OBJECT

private slots:
    void knownKeys_data()
    {
        QTest::addColumn<bool>("set1");
        QTest::addColumn<uint>("scan");
        QTest::addColumn<int>("usage");
        // The set 1 codes of the key table's PC keys are checked by tablesAgreeWithKeyTable.
        const auto evdev = [](const char *name, uint code, int usage) {
            QTest::addRow("evdev %s", name) << false << code << usage;
        };
        const auto set1 = [](const char *name, uint code, int usage) {
            QTest::addRow("set 1 %s", name) << true << code << usage;
        };
        evdev("A", 30, 0x04);
        evdev("L-Shift", 42, 0xE1);
        evdev("Up", 103, 0x52);
        evdev("Keypad Enter", 96, 0x58);
        evdev("R-Alt", 100, 0xE6);
        evdev("Right Meta", 126, 0xE7);
        evdev("F12", 88, 0x45);
        evdev("F24", 194, 0x73);
        evdev("Pause", 119, 0x48);
        evdev("Mute (media)", 113, -1);
        evdev("unused 84", 84, -1);
        evdev("0", 0, -1);
        set1("Up", 0x148, 0x52);
        set1("Keypad 8", 0x48, 0x60);
        set1("Num Lock", 0x145, 0x53);
        set1("Pause", 0x45, 0x48);
        set1("Print Screen", 0x137, 0x46);
        set1("F13", 0x64, 0x68);
        set1("F24", 0x76, 0x73);
        set1("Power (E0 5E)", 0x15E, -1);
        set1("0", 0, -1);
    }

    void knownKeys()
    {
        QFETCH(bool, set1);
        QFETCH(uint, scan);
        QTEST(set1 ? ScanCodeMap::usageFromSet1(scan) : ScanCodeMap::usageFromEvdev(scan), "usage");
    }

    void tablesAgreeWithKeyTable()
    {
        // Every mapped usage is a key the dialog can select.
        QSet<int> evdevUsages;
        for (uint code = 0; code < 0x400; ++code) {
            const int fromEvdev = ScanCodeMap::usageFromEvdev(code);
            const int fromSet1 = ScanCodeMap::usageFromSet1(code);
            QVERIFY2(fromEvdev == -1 || inKeyTable(fromEvdev), qPrintable(QString::number(code)));
            QVERIFY2(fromSet1 == -1 || inKeyTable(fromSet1), qPrintable(QString::number(code, 16)));
            // One evdev code per key: a doubled row would hide a mistyped one.
            QVERIFY2(fromEvdev == -1 || !evdevUsages.contains(fromEvdev),
                     qPrintable(QString::number(code)));
            evdevUsages.insert(fromEvdev);
        }
        // The key table's scan-code column is set 1 in the same form; each of its PC keys also has
        // an evdev code.
        int pcKeys = 0;
        for (const KeyMapping &row : CKeyTable::m_KeyMapping) {
            if (row.scanCode == 0)
                continue;
            ++pcKeys;
            const QByteArray what = QByteArray::number(row.code, 16);
            QCOMPARE(ScanCodeMap::usageFromSet1(row.scanCode), int(row.code));
            QVERIFY2(evdevUsages.contains(row.code), what);
        }
        QCOMPARE(pcKeys, 105);
    }

    void nativeScanCode()
    {
#ifdef Q_OS_WIN
        QCOMPARE(ScanCodeMap::usageFromNativeScanCode(0x1E), 0x04);
        QCOMPARE(ScanCodeMap::usageFromNativeScanCode(0x148), 0x52);
#else
        // X11 and Wayland key codes: evdev + 8.
        QCOMPARE(ScanCodeMap::usageFromNativeScanCode(30 + 8), 0x04);
        QCOMPARE(ScanCodeMap::usageFromNativeScanCode(103 + 8), 0x52);
        QCOMPARE(ScanCodeMap::usageFromNativeScanCode(30), 0x18); // evdev 22: U
        for (uint code = 0; code < 8; ++code)
            QCOMPARE(ScanCodeMap::usageFromNativeScanCode(code), -1);
#endif
    }
};

QTEST_APPLESS_MAIN(TestScanCodes)
#include "tst_scancodes.moc"
