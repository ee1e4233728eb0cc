// Tests of the key-code vocabulary: the content and shape of the tables and every look-up.
#include "CKeyTable.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QtTest>

namespace {

QString text(const wchar_t *name)
{
    return name ? QString::fromWCharArray(name) : QStringLiteral("<null>");
}

// Non-ASCII expectations are typed as UTF-8 here, independently of how the tables spell them.
QString utf8(const char *s)
{
    return QString::fromUtf8(s);
}

const QString BACKSLASH = QStringLiteral("\\");

} // namespace

class TestKeyTable : public QObject
{
    Q_OBJECT

private slots:
    void everyRowIsFilled();
    void keyMappingRow_data();
    void keyMappingRow();
    void backlightRowsFollowTheRule();
    void codesAreTheDocumentedSetInAscendingOrder();
    void macroMappingIsTheLeadingPartOfTheKeyMapping();
    void scanCodes();
    void trailingSpacesOnlyWhereIntended();
    void duplicatedShortNames();

    void getKeyName_data();
    void getKeyName();
    void getMacroKeyName_data();
    void getMacroKeyName();
    void getKeyUsbCode_data();
    void getKeyUsbCode();
    void scanCodeLookups_data();
    void scanCodeLookups();
    void indexLookups_data();
    void indexLookups();
    void indexOfEveryRowFindsThatRow();
    void modifierLookups_data();
    void modifierLookups();
    void syskeyName_data();
    void syskeyName();
    void systemKeyTables();
    void fnKeys();
    void namesPointIntoTheTables();
};

void TestKeyTable::everyRowIsFilled()
{
    // A row left out of an initialiser would be zero: code 0 and null names.
    for (const KeyMapping &row : CKeyTable::m_KeyMapping)
        QVERIFY(row.longName && row.shortName && row.code != 0);
    for (const KeyMapping &row : CKeyTable::m_MacroMapping)
        QVERIFY(row.longName && row.shortName);
    for (const auto *table : {&CKeyTable::m_SystemKeysDownMap, &CKeyTable::m_SystemKeysUpMap}) {
        for (const KeyMapping &row : *table)
            QVERIFY(row.longName && row.shortName && *row.shortName);
    }
    const auto checkNames = [](const auto &table) {
        for (const KeyName &row : table) {
            if (!row.name || !*row.name)
                return false;
        }
        return true;
    };
    QVERIFY(checkNames(CKeyTable::m_ModifierKeys));
    QVERIFY(checkNames(CKeyTable::m_FNKeys));
    QVERIFY(checkNames(CKeyTable::m_FN1Keys));
    QVERIFY(checkNames(CKeyTable::m_FN2Keys));
    QVERIFY(checkNames(CKeyTable::m_SystemKeysDown));
    QVERIFY(checkNames(CKeyTable::m_SystemKeysUp));
}

void TestKeyTable::keyMappingRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("longName");
    QTest::addColumn<uint>("scanCode");
    QTest::addColumn<QString>("shortName");

    const auto add = [](int row, uint code, const QString &longName, uint scanCode,
                        const QString &shortName) {
        QTest::addRow("row %d", row) << row << code << longName << scanCode << shortName;
    };
    add(0, 0xFFFF, "None", 0, "");
    add(1, 0x0004, "Keyboard a and A", 0x001E, "A");
    add(25, 0x001C, "Keyboard y and Y - German: z and Z", 0x0015, "Y");
    add(26, 0x001D, "Keyboard z and Z - German: y and Y", 0x002C, "Z");
    add(28, 0x001F, "Keyboard 2 and @ - German: 2 and " + BACKSLASH, 0x0003, "2");
    add(29, 0x0020, utf8("Keyboard 3 and # - German: 3 and §"), 0x0004, "3");
    add(37, 0x0028, "Keyboard Return", 0x001C, "Return");
    add(38, 0x0029, "Keyboard ESCAPE", 0x0001, "Esc");
    add(41, 0x002C, "Keyboard SPACE", 0x0039, "Space");
    add(42, 0x002D, utf8("Keyboard - and _ - German: ß and ?"), 0x000C, "-");
    add(43, 0x002E, utf8("Keyboard = and + - German: ´ and `"), 0x000D, "=");
    add(44, 0x002F, utf8("Keyboard [ and { - German: ü and Ü"), 0x001A, "[");
    add(46, 0x0031, "Keyboard " + BACKSLASH + " and | - German: # and " + BACKSLASH, 0x002B,
        BACKSLASH);
    add(47, 0x0032, "Keyboard (non US) # and ~ ", 0, "#2");
    add(48, 0x0033, utf8("Keyboard ; and : - German: ö and Ö"), 0x0027, ";");
    add(49, 0x0034, utf8("Keyboard ‘ and \" - German: ä and Ä"), 0x0028, "\"");
    add(50, 0x0035, utf8("Keyboard ` and ~ - German: ^ and °"), 0x0029, "`");
    add(53, 0x0038, "Keyboard / and ? - German: - and _", 0x0035, "/");
    add(54, 0x0039, "Keyboard Caps Lock (not physically locking)", 0x003A, "CapsLock");
    add(67, 0x0046, "Keyboard Print Screen (Mac: F13)", 0x0054, "PrtScr");
    add(69, 0x0048, "Keyboard Pause (Mac: F15)", 0x0045, "Pause");
    add(70, 0x0049, "Keyboard Insert (Mac: Help)", 0x0152, "Ins");
    add(80, 0x0053, "Keypad NumLock and Clear", 0x0145, "NumLock");
    add(81, 0x0054, "Keypad /", 0x0135, "Num/");
    add(85, 0x0058, "Keypad ENTER", 0x011C, "Num-Enter");
    add(96, 0x0063, "Keypad . and Delete", 0x0053, "Num.");
    add(97, 0x0064, "Keyboard non US " + BACKSLASH + " and | German: < and >", 0x0056, BACKSLASH);
    add(98, 0x0065, "Keyboard Application (Menu) ", 0x015D, "App");
    add(99, 0x0066, "Keyboard Power", 0, "Power");
    add(100, 0x0067, "Keypad =", 0, "Keypad =");
    add(129, 0x0084, "Keyboard Locking Scroll Lock", 0, "LockScrol");
    add(132, 0x0087, "Keyboard Kanji1", 0, "Inatl1");
    add(149, 0x0098, "Keyboard LANG9 ", 0, "Lang9");
    add(155, 0x009E, "Keyboard Return", 0, "Return");
    add(162, 0x00B0, "Keypad 00", 0, "Keypad 00");
    add(186, 0x00C8, "Keypad &&", 0, "Keypad &&");
    add(187, 0x00C9, "Keypad |", 0, "Keypad |");
    add(188, 0x00CA, "Keypad ||", 0, "Keypad ||");
    add(199, 0x00D5, "Keypad Memory Multiply ", 0, "Keypad M*");
    add(207, 0x00DD, "Keypad Hexadecimal", 0, "Keypad HEX");
    add(208, 0x00E0, "Keyboard LeftControl", 0x001D, "L-Ctr");
    add(212, 0x00E4, "Keyboard RightControl", 0x011D, "R-Ctr");
    add(214, 0x00E6, "Keyboard RightAlt (Option)", 0x0138, "R-Alt");
    add(215, 0x00E7, "Keyboard RightGUI (Windows/Command)", 0x015C, "R-Win");
    add(216, 0x00E8, "Locking LeftControl", 0, "Lock L-Ctrl");
    add(224, 0x00F0, "Sticky LeftControl", 0, "Sticky L-Ctrl");
    add(232, 0x00F8, "Reserved", 0, "");
    add(233, 0x00F9, "Counting FN-Key", 0, "Counting FN");
    add(236, 0x00FC, "Locking FN2", 0, "Lock FN2");
    add(239, 0x00FF, "FN1", 0, "FN1");
    add(240, 0x0100, "Play", 0, "Play");
    add(252, 0x010C, "Mute", 0, "Mute");
    add(255, 0x010F, "Launch Word Processor", 0, "Word App");
    add(269, 0x011D, "Command Line", 0, "Cmd Line");
    add(271, 0x011F, "Find", 0, "Find");
    add(272, 0x0300, "Mouse Right", 0, "Mouse Right");
    add(276, 0x0305, "Mouse Down/Right (Rev. 101A)", 0, "Mouse Down/Right");
    add(280, 0x0310, "Mouse Left Button", 0, "Mouse L-Btn");
    add(287, 0x0317, "Mouse Button 8", 0, "Mouse Btn 8");
    add(288, 0x0400, "DAC0 Off", 0, "DAC0\nOff");
    add(324, 0x0440, "PWM2 Off", 0, "PWM2\nOff");
    add(332, 0x0448, "PWM2 toggle (Rev. 101B)", 0, "PWM2\ntoggle");
}

void TestKeyTable::keyMappingRow()
{
    QFETCH(int, row);
    QFETCH(uint, code);
    QFETCH(QString, longName);
    QFETCH(uint, scanCode);
    QFETCH(QString, shortName);

    const KeyMapping &entry = CKeyTable::m_KeyMapping.at(row);
    QCOMPARE(uint(entry.code), code);
    QCOMPARE(text(entry.longName), longName);
    QCOMPARE(uint(entry.scanCode), scanCode);
    QCOMPARE(text(entry.shortName), shortName);
}

void TestKeyTable::backlightRowsFollowTheRule()
{
    const QStringList outputs = {"DAC0", "DAC1", "PWM0", "PWM1", "PWM2"};
    const QStringList longOps = {"Off",     "Max",      "step up",     "step down", "step up+wrap",
                                 "dimm up", "dim down", "dim up/down", "toggle (Rev. 101B)"};
    const QStringList shortOps = {"Off",     "Max",      "step up",     "step down", "step up+wrap",
                                  "dimm up", "dim down", "dim up/down", "toggle"};
    int row = 288;
    for (int output = 0; output < outputs.size(); ++output) {
        for (int op = 0; op < longOps.size(); ++op, ++row) {
            const KeyMapping &entry = CKeyTable::m_KeyMapping.at(row);
            QCOMPARE(uint(entry.code), uint(0x0400 + 16 * output + op));
            QCOMPARE(text(entry.longName), outputs[output] + ' ' + longOps[op]);
            QCOMPARE(text(entry.shortName), outputs[output] + '\n' + shortOps[op]);
            QCOMPARE(uint(entry.scanCode), 0u);
        }
    }
    QCOMPARE(row, CKeyTable::KEY_ROWS);
}

void TestKeyTable::codesAreTheDocumentedSetInAscendingOrder()
{
    QList<uint> expected = {0xFFFF};
    const auto addRange = [&expected](uint first, uint last) {
        for (uint code = first; code <= last; ++code)
            expected << code;
    };
    addRange(0x0004, 0x00A4); // keys, then a gap up to 0x00AF
    addRange(0x00B0, 0x00DD); // keys, then a gap up to 0x00DF
    addRange(0x00E0, 0x00FF); // modifiers, locking/sticky modifiers, reserved, FN keys
    addRange(0x0100, 0x011F); // media and launchers
    addRange(0x0300, 0x0303); // mouse movements
    expected << 0x0305 << 0x0306 << 0x0309 << 0x030A;
    addRange(0x0310, 0x0317); // mouse buttons
    for (uint output = 0; output < 5; ++output)
        addRange(0x0400 + 16 * output, 0x0408 + 16 * output);

    QList<uint> actual;
    for (const KeyMapping &row : CKeyTable::m_KeyMapping)
        actual << row.code;
    QCOMPARE(actual, expected);

    // Codes are unique and ascending after row 0; no code carries the 0x0800 display bit.
    for (int i = 2; i < CKeyTable::KEY_ROWS; ++i)
        QVERIFY2(actual[i] > actual[i - 1], qPrintable(QString("row %1").arg(i)));
    for (uint code : actual)
        QVERIFY((code & 0x0800) == 0 || code == 0xFFFF);
}

void TestKeyTable::macroMappingIsTheLeadingPartOfTheKeyMapping()
{
    for (int i = 0; i < CKeyTable::MACRO_ROWS; ++i) {
        const KeyMapping &key = CKeyTable::m_KeyMapping.at(i);
        const KeyMapping &macro = CKeyTable::m_MacroMapping.at(i);
        QCOMPARE(macro.code, key.code);
        QCOMPARE(macro.scanCode, key.scanCode);
        QCOMPARE(text(macro.longName), text(key.longName));
        QCOMPARE(text(macro.shortName), text(key.shortName));
    }
    // The macro vocabulary ends with the right GUI modifier: nothing locking, sticky or FN.
    QCOMPARE(uint(CKeyTable::m_MacroMapping.back().code), 0x00E7u);
}

void TestKeyTable::scanCodes()
{
    QSet<uint> seen;
    for (int i = 0; i < CKeyTable::KEY_ROWS; ++i) {
        const KeyMapping &row = CKeyTable::m_KeyMapping.at(i);
        // The PC keys (rows 1..98 without the non-US "#2") and the eight modifiers have one.
        const bool pcKey = (i >= 1 && i <= 98 && row.code != 0x0032) || (i >= 208 && i <= 215);
        QVERIFY2((row.scanCode != 0) == pcKey, qPrintable(QString("row %1").arg(i)));
        if (row.scanCode != 0) {
            QVERIFY2(!seen.contains(row.scanCode), qPrintable(QString("row %1").arg(i)));
            seen.insert(row.scanCode);
        }
    }
    QCOMPARE(seen.size(), 97 + 8);
}

void TestKeyTable::trailingSpacesOnlyWhereIntended()
{
    QList<int> rowsWithTrailingSpace;
    for (int i = 0; i < CKeyTable::KEY_ROWS; ++i) {
        const QString longName = text(CKeyTable::m_KeyMapping.at(i).longName);
        const QString shortName = text(CKeyTable::m_KeyMapping.at(i).shortName);
        if (longName.endsWith(' '))
            rowsWithTrailingSpace << i;
        QVERIFY(!longName.startsWith(' ') && !longName.contains("  "));
        QVERIFY(!shortName.startsWith(' ') && !shortName.endsWith(' '));
    }
    QCOMPARE(rowsWithTrailingSpace, QList<int>({47, 98, 149, 199}));
}

void TestKeyTable::duplicatedShortNames()
{
    QMap<QString, QList<uint>> codesByName;
    for (const KeyMapping &row : CKeyTable::m_KeyMapping)
        codesByName[text(row.shortName)] << row.code;
    QMap<QString, QList<uint>> duplicated;
    for (auto it = codesByName.cbegin(); it != codesByName.cend(); ++it) {
        if (it.value().size() > 1)
            duplicated.insert(it.key(), it.value());
    }
    const QMap<QString, QList<uint>> expected = {
        {"Return", {0x0028, 0x009E}}, {"Pause", {0x0048, 0x0101}}, {"Stop", {0x0078, 0x0107}},
        {"Find", {0x007E, 0x011F}},   {"Mute", {0x007F, 0x010C}},  {BACKSLASH, {0x0031, 0x0064}},
        {"", {0xFFFF, 0x00F8}},
    };
    QCOMPARE(duplicated, expected);

    // The look-up by name gives the first of each pair.
    CKeyTable keys;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(uint(keys.GetKeyUsbCode(it.key().toStdWString())), it.value().first());
}

void TestKeyTable::getKeyName_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<uint>("mask");
    QTest::addColumn<QString>("name");

    QTest::newRow("key A") << 0x0004u << 0xFFFFu << "A";
    QTest::newRow("L-Shift + A by low byte") << 0xE104u << 0x00FFu << "A";
    QTest::newRow("R-GUI + Keypad HEX by low byte") << 0xE7DDu << 0x00FFu << "Keypad HEX";
    QTest::newRow("modifier + key, full mask") << 0xE104u << 0xFFFFu << "";
    QTest::newRow("empty cell") << 0xFFFFu << 0xFFFFu << "";
    QTest::newRow("gap 0x00A5") << 0x00A5u << 0xFFFFu << "";
    QTest::newRow("gap 0x00DE") << 0x00DEu << 0xFFFFu << "";
    QTest::newRow("reserved") << 0x00F8u << 0xFFFFu << "";
    QTest::newRow("key Pause") << 0x0048u << 0xFFFFu << "Pause";
    QTest::newRow("media Pause") << 0x0101u << 0xFFFFu << "Pause";
    QTest::newRow("media with display bit") << 0x0901u << 0xF7FFu << "Pause";
    QTest::newRow("mouse with display bit") << 0x0B17u << 0xF7FFu << "Mouse Btn 8";
    QTest::newRow("backlight with display bit") << 0x0C48u << 0xF7FFu << "PWM2\ntoggle";
    QTest::newRow("backlight first") << 0x0400u << 0xFFFFu << "DAC0\nOff";
    QTest::newRow("backlight gap") << 0x0409u << 0xFFFFu << "";
    QTest::newRow("past backlight") << 0x0449u << 0xFFFFu << "";
    QTest::newRow("mouse gap") << 0x0304u << 0xFFFFu << "";
    QTest::newRow("macro code") << 0x0200u << 0xFFFFu << "";
    QTest::newRow("backslash key") << 0x0031u << 0xFFFFu << BACKSLASH;
    QTest::newRow("non-US backslash key") << 0x0064u << 0xFFFFu << BACKSLASH;
    QTest::newRow("FN1") << 0x00FFu << 0xFFFFu << "FN1";
    QTest::newRow("mask 0 finds nothing") << 0x0004u << 0x0000u << "";
}

void TestKeyTable::getKeyName()
{
    QFETCH(uint, code);
    QFETCH(uint, mask);
    QFETCH(QString, name);

    CKeyTable keys;
    const wchar_t *result = keys.GetKeyName(code, mask);
    QVERIFY(result != nullptr);
    QCOMPARE(text(result), name);
}

void TestKeyTable::getMacroKeyName_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<uint>("mask");
    QTest::addColumn<QString>("name");

    QTest::newRow("key A") << 0x0004u << 0xFFFFu << "A";
    QTest::newRow("L-Alt + Esc by low byte") << 0xE229u << 0x00FFu << "Esc";
    QTest::newRow("last modifier") << 0x00E7u << 0xFFFFu << "R-Win";
    QTest::newRow("locking modifier") << 0x00E8u << 0xFFFFu << "";
    QTest::newRow("FN1") << 0x00FFu << 0xFFFFu << "";
    QTest::newRow("media") << 0x0100u << 0xFFFFu << "";
    QTest::newRow("backlight") << 0x0400u << 0xFFFFu << "";
    QTest::newRow("empty") << 0xFFFFu << 0xFFFFu << "";
    QTest::newRow("key Pause") << 0x0048u << 0xFFFFu << "Pause";
}

void TestKeyTable::getMacroKeyName()
{
    QFETCH(uint, code);
    QFETCH(uint, mask);
    QFETCH(QString, name);

    CKeyTable keys;
    const wchar_t *result = keys.GetMacroKeyName(code, mask);
    QVERIFY(result != nullptr);
    QCOMPARE(text(result), name);
}

void TestKeyTable::getKeyUsbCode_data()
{
    QTest::addColumn<QString>("shortName");
    QTest::addColumn<int>("code");

    QTest::newRow("Return, first of two") << "Return" << 0x0028;
    QTest::newRow("Pause, first of two") << "Pause" << 0x0048;
    QTest::newRow("empty is row 0") << "" << 0xFFFF;
    QTest::newRow("unknown") << "Enter" << -1;
    QTest::newRow("case-sensitive") << "return" << -1;
    QTest::newRow("no trimming") << "A " << -1;
    QTest::newRow("long name is not a short name") << "Keyboard a and A" << -1;
    QTest::newRow("A") << "A" << 0x0004;
    QTest::newRow("double quote") << "\"" << 0x0034;
    QTest::newRow("backtick") << "`" << 0x0035;
    QTest::newRow("Keypad ||") << "Keypad ||" << 0x00CA;
    QTest::newRow("Lock FN1") << "Lock FN1" << 0x00FD;
    QTest::newRow("Mouse Btn 8") << "Mouse Btn 8" << 0x0317;
    QTest::newRow("two-line backlight label") << "DAC0\nOff" << 0x0400;
    QTest::newRow("backlight long name") << "DAC0 Off" << -1;
    QTest::newRow("last row") << "PWM2\ntoggle" << 0x0448;
}

void TestKeyTable::getKeyUsbCode()
{
    QFETCH(QString, shortName);
    QFETCH(int, code);

    CKeyTable keys;
    QCOMPARE(keys.GetKeyUsbCode(shortName.toStdWString()), code);
}

void TestKeyTable::scanCodeLookups_data()
{
    QTest::addColumn<uint>("scanCode");
    QTest::addColumn<QString>("keyName");
    QTest::addColumn<QString>("macroName");

    QTest::newRow("0 is row 0") << 0x0000u << "" << "";
    QTest::newRow("A") << 0x001Eu << "A" << "A";
    QTest::newRow("Esc") << 0x0001u << "Esc" << "Esc";
    QTest::newRow("Ins") << 0x0152u << "Ins" << "Ins";
    QTest::newRow("R-Ctr") << 0x011Du << "R-Ctr" << "R-Ctr";
    QTest::newRow("Num/") << 0x0135u << "Num/" << "Num/";
    QTest::newRow("NumLock") << 0x0145u << "NumLock" << "NumLock";
    QTest::newRow("Pause") << 0x0045u << "Pause" << "Pause";
    QTest::newRow("PrtScr") << 0x0054u << "PrtScr" << "PrtScr";
    QTest::newRow("non-US backslash") << 0x0056u << BACKSLASH << BACKSLASH;
    QTest::newRow("slash, not Num/") << 0x0035u << "/" << "/";
    QTest::newRow("Num-Enter") << 0x011Cu << "Num-Enter" << "Num-Enter";
    QTest::newRow("R-Win") << 0x015Cu << "R-Win" << "R-Win";
    QTest::newRow("unknown") << 0x0099u << "" << "";
    QTest::newRow("E0 prefix of a plain key") << 0x011Eu << "" << "";
}

void TestKeyTable::scanCodeLookups()
{
    QFETCH(uint, scanCode);
    QFETCH(QString, keyName);
    QFETCH(QString, macroName);

    CKeyTable keys;
    QCOMPARE(text(keys.GetKeyNameByScancode(scanCode)), keyName);
    QCOMPARE(text(keys.GetMacroKeyNameByScancode(scanCode)), macroName);
}

void TestKeyTable::indexLookups_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<int>("keyIndex");
    QTest::addColumn<int>("macroIndex");

    QTest::newRow("empty") << 0xFFFFu << 0 << 0;
    QTest::newRow("A") << 0x0004u << 1 << 1;
    QTest::newRow("after the first gap") << 0x00B0u << 162 << 162;
    QTest::newRow("L-Ctr") << 0x00E0u << 208 << 208;
    QTest::newRow("R-Win") << 0x00E7u << 215 << 215;
    QTest::newRow("locking L-Ctrl") << 0x00E8u << 216 << 0;
    QTest::newRow("FN1") << 0x00FFu << 239 << 0;
    QTest::newRow("media") << 0x0100u << 240 << 0;
    QTest::newRow("mouse") << 0x0300u << 272 << 0;
    QTest::newRow("last mouse") << 0x0317u << 287 << 0;
    QTest::newRow("first backlight") << 0x0400u << 288 << 0;
    QTest::newRow("last backlight") << 0x0448u << 332 << 0;
    QTest::newRow("unknown media") << 0x0123u << 0 << 0;
    QTest::newRow("gap") << 0x00A5u << 0 << 0;
    QTest::newRow("macro") << 0x0205u << 0 << 0;
    QTest::newRow("modifier + key") << 0xE104u << 0 << 0;
}

void TestKeyTable::indexLookups()
{
    QFETCH(uint, code);
    QFETCH(int, keyIndex);
    QFETCH(int, macroIndex);

    CKeyTable keys;
    QCOMPARE(keys.GetIndexByUsbCode(code), keyIndex);
    QCOMPARE(keys.GetIndexByMacroUsbCode(code), macroIndex);
}

void TestKeyTable::indexOfEveryRowFindsThatRow()
{
    // The pickers preselect by this look-up, so it must lead back to every row.
    CKeyTable keys;
    for (int i = 0; i < CKeyTable::KEY_ROWS; ++i)
        QCOMPARE(keys.GetIndexByUsbCode(CKeyTable::m_KeyMapping.at(i).code), i);
    for (int i = 0; i < CKeyTable::MACRO_ROWS; ++i)
        QCOMPARE(keys.GetIndexByMacroUsbCode(CKeyTable::m_MacroMapping.at(i).code), i);
}

void TestKeyTable::modifierLookups_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<uint>("mask");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index"); // of code alone, without the mask

    QTest::newRow("none") << 0x0000u << 0xFFFFu << "None" << 0;
    QTest::newRow("L-CTRL") << 0x00E0u << 0x00FFu << "L-CTRL" << 1;
    QTest::newRow("L-Shift") << 0x00E1u << 0x00FFu << "L-Shift" << 2;
    QTest::newRow("L-ALT") << 0x00E2u << 0x00FFu << "L-ALT" << 3;
    QTest::newRow("R-ALT") << 0x00E6u << 0x00FFu << "R-ALT" << 7;
    QTest::newRow("R-GUI") << 0x00E7u << 0x00FFu << "R-GUI" << 8;
    QTest::newRow("locking modifier") << 0x00E8u << 0x00FFu << "" << 0;
    QTest::newRow("plain key") << 0x0004u << 0x00FFu << "" << 0;
    QTest::newRow("masked to the low byte") << 0x01E5u << 0x00FFu << "R-Shift" << 0;
    QTest::newRow("full mask keeps the high byte") << 0x01E5u << 0xFFFFu << "" << 0;
    QTest::newRow("empty cell") << 0xFFFFu << 0xFFFFu << "" << 0;
}

void TestKeyTable::modifierLookups()
{
    QFETCH(uint, code);
    QFETCH(uint, mask);
    QFETCH(QString, name);
    QFETCH(int, index);

    CKeyTable keys;
    QCOMPARE(text(keys.GetModifierKeyName(code, mask)), name);
    QCOMPARE(keys.GetModifierIndexByUsbCode(code), index);
}

void TestKeyTable::syskeyName_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<uint>("mask");
    QTest::addColumn<QString>("name");

    QTest::newRow("L-Ctr") << 0x00E0u << 0x00FFu << "L-Ctr Down";
    QTest::newRow("L-Win") << 0x00E3u << 0x00FFu << "L-Win Down";
    QTest::newRow("R-Shift") << 0x00E5u << 0x00FFu << "R-Shift Down";
    QTest::newRow("R-Win") << 0x00E7u << 0x00FFu << "R-Win Down";
    QTest::newRow("below the modifiers") << 0x00DFu << 0x00FFu << "";
    QTest::newRow("above the modifiers") << 0x00E8u << 0x00FFu << "";
    QTest::newRow("masked to the low byte") << 0x02E1u << 0x00FFu << "L-Shift Down";
    QTest::newRow("full mask keeps the high byte") << 0x02E1u << 0xFFFFu << "";
    QTest::newRow("empty cell") << 0xFFFFu << 0xFFFFu << "";
}

void TestKeyTable::syskeyName()
{
    QFETCH(uint, code);
    QFETCH(uint, mask);
    QFETCH(QString, name);

    CKeyTable keys;
    const wchar_t *result = keys.GetSyskeyName(code, mask);
    QVERIFY(result != nullptr);
    QCOMPARE(text(result), name);
}

void TestKeyTable::systemKeyTables()
{
    const QStringList downNames = {"L-CTRL Down", "L-Shift Down", "L-Alt Down", "L-GUI Down",
                                   "R-CTRL Down", "R-Shift Down", "R-Alt Down", "R-GUI Down"};
    const QStringList upNames = {"L-CTRL Up", "L-Shift Up", "L-Alt Up", "L-GUI Up",
                                 "R-CTRL Up", "R-Shift Up", "R-Alt Up", "R-GUI Up"};
    const QStringList downLabels = {"L-Ctr Down", "L-Shift Down", "L-Alt Down", "L-Win Down",
                                    "R-Ctr Down", "R-Shift Down", "R-Alt Down", "R-Win Down"};
    const QStringList upLabels = {"L-Ctr Up", "L-Shift Up", "L-Alt Up", "L-Win Up",
                                  "R-Ctr Up", "R-Shift Up", "R-Alt Up", "R-Win Up"};
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(uint(CKeyTable::m_SystemKeysDown.at(i).code), uint(0x00E0 + i));
        QCOMPARE(text(CKeyTable::m_SystemKeysDown.at(i).name), downNames[i]);
        QCOMPARE(uint(CKeyTable::m_SystemKeysUp.at(i).code), uint(0x00E8 + i));
        QCOMPARE(text(CKeyTable::m_SystemKeysUp.at(i).name), upNames[i]);

        // Both maps carry the plain modifier's long name and scan code, Left Control first.
        const KeyMapping &modifier = CKeyTable::m_KeyMapping.at(208 + i);
        const KeyMapping &down = CKeyTable::m_SystemKeysDownMap.at(i);
        const KeyMapping &up = CKeyTable::m_SystemKeysUpMap.at(i);
        QCOMPARE(uint(down.code), uint(0x00E0 + i));
        QCOMPARE(uint(up.code), uint(0x00E8 + i));
        QCOMPARE(text(down.shortName), downLabels[i]);
        QCOMPARE(text(up.shortName), upLabels[i]);
        for (const KeyMapping *row : {&down, &up}) {
            QCOMPARE(text(row->longName), text(modifier.longName));
            QCOMPARE(row->scanCode, modifier.scanCode);
        }
    }

    const QStringList modifierNames = {"None",   "L-CTRL", "L-Shift", "L-ALT", "L-GUI",
                                       "R-CTRL", "R-Shift", "R-ALT",  "R-GUI"};
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(uint(CKeyTable::m_ModifierKeys.at(i).code), i == 0 ? 0u : uint(0x00DF + i));
        QCOMPARE(text(CKeyTable::m_ModifierKeys.at(i).name), modifierNames[i]);
    }
}

void TestKeyTable::fnKeys()
{
    const QList<uint> fn1 = {0x00FB, 0x00FD, 0x00FF};
    const QList<uint> fn2 = {0x00FA, 0x00FC, 0x00FE};
    for (uint code = 0; code <= 0xFFFF; ++code) {
        const auto key = static_cast<unsigned short>(code);
        QCOMPARE(CKeyTable::IsFN1Key(key), fn1.contains(code));
        QCOMPARE(CKeyTable::IsFN2Key(key), fn2.contains(code));
    }

    // The FN tables name each code as the key table's long name does.
    CKeyTable keys;
    for (const auto *table : {&CKeyTable::m_FN1Keys, &CKeyTable::m_FN2Keys}) {
        for (const KeyName &row : *table) {
            const KeyMapping &entry = CKeyTable::m_KeyMapping.at(keys.GetIndexByUsbCode(row.code));
            QCOMPARE(entry.code, row.code);
            QCOMPARE(text(row.name), text(entry.longName));
        }
    }
    QList<uint> all;
    for (const KeyName &row : CKeyTable::m_FNKeys)
        all << row.code;
    QCOMPARE(all, QList<uint>({0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF}));
    QCOMPARE(text(CKeyTable::m_FNKeys.at(2).name), QString("Locking FN2"));
    QCOMPARE(text(CKeyTable::m_FN1Keys.at(0).name), QString("Sticky FN1"));
}

void TestKeyTable::namesPointIntoTheTables()
{
    CKeyTable keys;
    QCOMPARE(keys.GetKeyName(0x0004, 0xFFFF), CKeyTable::m_KeyMapping[1].shortName);
    QCOMPARE(keys.GetKeyName(0x0101, 0xFFFF), CKeyTable::m_KeyMapping[241].shortName);
    QCOMPARE(keys.GetMacroKeyName(0x00E7, 0xFFFF), CKeyTable::m_MacroMapping[215].shortName);
    // Scan code 0 finds row 0 itself, not a "not found" result.
    QCOMPARE(keys.GetKeyNameByScancode(0), CKeyTable::m_KeyMapping[0].shortName);
    QCOMPARE(keys.GetModifierKeyName(0x0000, 0xFFFF), CKeyTable::m_ModifierKeys[0].name);
    QCOMPARE(keys.GetSyskeyName(0x00E3, 0x00FF), CKeyTable::m_SystemKeysDownMap[3].shortName);

    // "Not found" is an empty string that callers may copy.
    for (const wchar_t *missing :
         {keys.GetKeyName(0x00A5, 0xFFFF), keys.GetMacroKeyName(0x0100, 0xFFFF),
          keys.GetKeyNameByScancode(0x0099), keys.GetMacroKeyNameByScancode(0x0099),
          keys.GetSyskeyName(0x00E8, 0x00FF), keys.GetModifierKeyName(0x00E8, 0x00FF)}) {
        QVERIFY(missing != nullptr);
        QCOMPARE(std::wstring(missing), std::wstring());
    }
}

QTEST_APPLESS_MAIN(TestKeyTable)
#include "tst_keytable.moc"
