// Tests of the key-code vocabulary: table shape and content at its boundaries, the look-ups and
// the descriptions of cell codes.
#include "CKeyTable.h"
#include "KeyDescription.h"

#include <QSet>
#include <QtTest>

namespace {

// A null result shows up as a mismatch, not a crash.
QString text(const wchar_t *name)
{
    return name ? QString::fromWCharArray(name) : QStringLiteral("<null>");
}

const QString BS = QStringLiteral("\\");

} // namespace

class TestKeyTable : public QObject
{
    Q_OBJECT

private slots:
    void shape()
    {
        const auto &keys = CKeyTable::m_KeyMapping;
        QCOMPARE(int(keys.size()), 333);
        QCOMPARE(int(CKeyTable::m_MacroMapping.size()), 216);
        QSet<uint> scanCodes;
        QSet<QString> shortNames;
        for (int i = 0; i < 333; ++i) {
            const KeyMapping &row = keys[i];
            const QByteArray at = QByteArray::number(i);
            // Codes ascend after row 0: a row lost or doubled in transcription shows here.
            QVERIFY2(i < 2 || row.code > keys[i - 1].code, at);
            // PC keys (rows 1..98 except the non-US "#2") and the modifiers carry a scan code.
            const bool pcKey = (i >= 1 && i <= 98 && row.code != 0x0032) || (i >= 208 && i <= 215);
            QVERIFY2((row.scanCode != 0) == pcKey, at);
            if (row.scanCode)
                scanCodes.insert(row.scanCode);
            shortNames.insert(text(row.shortName));
            if (i < 216) {
                const KeyMapping &macro = CKeyTable::m_MacroMapping[i];
                QVERIFY2(macro.code == row.code && text(macro.shortName) == text(row.shortName),
                         at);
            }
        }
        QCOMPARE(scanCodes.size(), 97 + 8); // all distinct
        QCOMPARE(shortNames.size(), 333 - 7); // only the seven pairs checked in lookups()
        QCOMPARE(text(CKeyTable::m_SystemKeysUp[7].name), QString("R-GUI Up"));
        QCOMPARE(text(CKeyTable::m_SystemKeysUpMap[0].shortName), QString("L-Ctr Up"));
        QCOMPARE(text(CKeyTable::m_SystemKeysUpMap[0].longName), QString("Keyboard LeftControl"));
        QVERIFY(CKeyTable::IsFN1Key(0x00FF) && !CKeyTable::IsFN1Key(0x00FE));
        QVERIFY(CKeyTable::IsFN2Key(0x00FA) && !CKeyTable::IsFN2Key(0x00F9));
    }

    void row_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<uint>("code");
        QTest::addColumn<QString>("longName");
        QTest::addColumn<uint>("scanCode");
        QTest::addColumn<QString>("shortName");
        const auto add
            = [](int row, uint code, const QString &longName, uint scan, const QString &name) {
                  QTest::addRow("row %d", row) << row << code << longName << scan << name;
              };
        add(0, 0xFFFF, "None", 0, "");
        add(28, 0x001F, "Keyboard 2 and @ - German: 2 and " + BS, 0x0003, "2");
        add(43, 0x002E, "Keyboard = and + - German: ´ and `", 0x000D, "=");
        add(46, 0x0031, "Keyboard " + BS + " and | - German: # and " + BS, 0x002B, BS);
        add(47, 0x0032, "Keyboard (non US) # and ~ ", 0, "#2");
        add(49, 0x0034, "Keyboard ‘ and \" - German: ä and Ä", 0x0028, "\"");
        add(50, 0x0035, "Keyboard ` and ~ - German: ^ and °", 0x0029, "`");
        add(97, 0x0064, "Keyboard non US " + BS + " and | German: < and >", 0x0056, BS);
        add(188, 0x00CA, "Keypad ||", 0, "Keypad ||");
        add(215, 0x00E7, "Keyboard RightGUI (Windows/Command)", 0x015C, "R-Win");
        add(288, 0x0400, "DAC0 Off", 0, "DAC0\nOff");
        add(297, 0x0410, "DAC1 Off", 0, "DAC1\nOff");
        add(332, 0x0448, "PWM2 toggle (Rev. 101B)", 0, "PWM2\ntoggle");
    }

    void row()
    {
        QFETCH(int, row);
        const KeyMapping &entry = CKeyTable::m_KeyMapping.at(row);
        QTEST(uint(entry.code), "code");
        QTEST(text(entry.longName), "longName");
        QTEST(uint(entry.scanCode), "scanCode");
        QTEST(text(entry.shortName), "shortName");
    }

    void lookups()
    {
        CKeyTable k;
        using S = QString;
        // Short names used twice: the look-up by name gives the first row.
        const QList<std::pair<QString, QList<uint>>> pairs = {
            {"Return", {0x0028, 0x009E}}, {"Pause", {0x0048, 0x0101}}, {"Stop", {0x0078, 0x0107}},
            {"Find", {0x007E, 0x011F}},   {"Mute", {0x007F, 0x010C}},  {BS, {0x0031, 0x0064}},
            {"", {0xFFFF, 0x00F8}}};
        for (const auto &[name, codes] : pairs) {
            QCOMPARE(text(k.GetKeyName(codes[1], 0xFFFF)), name);
            QCOMPARE(uint(k.GetKeyUsbCode(name.toStdWString())), codes[0]);
        }
        QCOMPARE(text(k.GetKeyName(0xE104, 0x00FF)), S("A")); // key of modifier + key
        QCOMPARE(text(k.GetKeyName(0xE104, 0xFFFF)), S("")); // the whole code is no row
        QCOMPARE(text(k.GetKeyName(0x0901, 0xF7FF)), S("Pause")); // media with the display bit
        QCOMPARE(text(k.GetMacroKeyName(0xE229, 0x00FF)), S("Esc"));
        QCOMPARE(text(k.GetMacroKeyName(0x00E8, 0xFFFF)), S("")); // locking keys are not for macros
        QCOMPARE(text(k.GetModifierKeyName(0x01E1, 0x00FF)), S("L-Shift"));
        QCOMPARE(text(k.GetModifierKeyName(0x00E8, 0x00FF)), S(""));
        QCOMPARE(text(k.GetSyskeyName(0x02E3, 0x00FF)), S("L-Win Down"));
        QCOMPARE(text(k.GetSyskeyName(0x00E8, 0x00FF)), S(""));
        QCOMPARE(text(k.GetKeyNameByScancode(0x011D)), S("R-Ctr")); // E0-extended key
        QCOMPARE(text(k.GetKeyNameByScancode(0x0035)), S("/")); // not "Num/" (0x0135)
        QCOMPARE(k.GetKeyUsbCode(L"Enter"), -1);
        QCOMPARE(k.GetIndexByUsbCode(0x0400), 288);
        QCOMPARE(k.GetIndexByUsbCode(0x0123), 0);
        QCOMPARE(k.GetIndexByMacroUsbCode(0x0100), 0);
        QCOMPARE(k.GetModifierIndexByUsbCode(0x00E7), 8);
        QCOMPARE(k.GetModifierIndexByUsbCode(0x00E8), 0);
    }

    void descriptions_data()
    {
        QTest::addColumn<uint>("code");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("longName");
        const auto add = [](uint code, const QString &shortName, const QString &longName) {
            QTest::addRow("%04X", code) << code << shortName << longName;
        };
        add(0xFFFF, "Empty", "Empty");
        add(0x0004, "A", "Keyboard a and A");
        add(0x0032, "#2", "Keyboard (non US) # and ~"); // trailing blank of the table dropped
        add(0x00F8, "Reserved", "Reserved"); // a row without a label
        add(0x00FF, "FN1", "FN1");
        add(0xE104, "L-Shift + A", "L-Shift + Keyboard a and A");
        add(0xE7FF, "R-GUI + FN1", "R-GUI + FN1");
        add(0x0205, "Macro #05", "Macro #05");
        add(0x02AF, "Macro #175", "Macro #175");
        add(0x010C, "Mute", "Mute");
        add(0x0113, "Present. App", "Launch Presentation App");
        add(0x0310, "Mouse L-Btn", "Mouse Left Button");
        add(0x0448, "PWM2 toggle", "PWM2 toggle (Rev. 101B)");
        // No kind or no row: never the name of some other key.
        for (uint code : {0x0000, 0x00A5, 0x0123, 0x0304, 0x0449, 0x0504, 0x1A04, 0xE804, 0xE1A5})
            add(code, "Unknown", "Unknown");
    }

    void descriptions()
    {
        QFETCH(uint, code);
        QFETCH(QString, longName);
        const auto c = static_cast<unsigned short>(code);
        QTEST(QString::fromStdWString(KeyDescription::shortName(c)), "shortName");
        QCOMPARE(QString::fromStdWString(KeyDescription::longName(c)), longName);
        QCOMPARE(QString::fromStdWString(KeyDescription::toolTip(c)),
                 code == 0xFFFF ? QString("Empty")
                                : longName + QString::asprintf(" (0x%04X)", code));
    }
};

QTEST_APPLESS_MAIN(TestKeyTable)
#include "tst_keytable.moc"
