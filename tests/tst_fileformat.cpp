// Tests of the configuration lines: GetItems, SetItems and the check that refuses damaged lists.
#include "FileTestFixture.h"
#include "HexText.h"
#include "TestSupport.h"

#include <QtTest>

using namespace FileTest;

namespace {
// The lines of the reset editor, written out by hand.
QList<QString> resetLines()
{
    QList<QString> lines;
    lines << QStringLiteral("3C9A71E04B5D28F6") << QString(32, QLatin1Char('F'))
          << QStringLiteral("00") << QStringLiteral("FF003CB91E0A000305080A0D0F1214")
          << QString(30, QLatin1Char('0')) << QStringLiteral("FF").repeated(8)
          << QStringLiteral("00");
    for (int block = 0; block < MV100::BLOCK_COUNT; ++block)
        lines << QStringLiteral("FF").repeated(32);
    lines << QStringLiteral("03");
    return lines;
}

QString cellPair(unsigned short code)
{
    const unsigned char bytes[2]
        = {static_cast<unsigned char>(code & 0xFF), static_cast<unsigned char>(code >> 8)};
    return bytesToHex(bytes, 2);
}

// The value a snapshot line of this name holds.
QString valueOf(const QStringList &lines, const QString &name)
{
    for (const QString &line : lines) {
        if (line.startsWith(name + QLatin1Char('=')))
            return line.mid(name.size() + 1);
    }
    return QStringLiteral("<missing %1>").arg(name);
}
} // namespace

class TestFileFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
    }
    void cleanup() { TestSupport::closeAllModals(); }

    void linesOfTheResetEditor()
    {
        MainWindow window;
        const QList<QString> lines = window.GetItems();
        QCOMPARE(lines.size(), 256);
        QCOMPARE(lines, resetLines());
    }

    void linesCarryEverySetting()
    {
        MainWindow window;
        fillSome(window);
        const QList<QString> lines = window.GetItems();
        QCOMPARE(lines.size(), 256);
        QCOMPARE(lines[0], QStringLiteral("0123456789ABCDEF"));
        QCOMPARE(lines[1], QStringLiteral("00112233445566778899AABBCCDDEEFF"));
        QCOMPARE(lines[2], QStringLiteral("52"));
        // Slow mode 03; options analog, center, invert Y, invert Z; axes; ballistic X and Z slow.
        QCOMPARE(lines[3], QStringLiteral("03C501FE0709096465666768696A6B"));
        QCOMPARE(lines[4], QStringLiteral("0A0B0C0D0EC8C9CACBCC0001000100"));
        QCOMPARE(lines[5], QStringLiteral("293201101100FF05"));
        QCOMPARE(lines[6], QStringLiteral("01"));
        QCOMPARE(lines[255], QStringLiteral("2A"));
    }

    void linesCarryCellsAndMacros()
    {
        MainWindow window;
        fillSome(window);
        const QList<QString> lines = window.GetItems();
        QCOMPARE(lines.size(), 256);
        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            for (int y = 0; y < MV100::ROWS; ++y) {
                const QString &row = lines[7 + layer * MV100::ROWS + y];
                QCOMPARE(row.size(), 64);
                for (int x = 0; x < MV100::COLUMNS; ++x) {
                    const auto code = static_cast<unsigned short>(window.config().GetKeyCode(
                        static_cast<unsigned char>(layer), static_cast<unsigned char>(x),
                        static_cast<unsigned char>(y)));
                    QCOMPARE(row.mid(4 * x, 4), cellPair(code));
                }
            }
        }
        // One of the assigned cells, spelled out: CELL_CODES[1] 0xE104 on FN1 at x 8, y 8.
        QCOMPARE(lines[7 + 24 + 8].mid(4 * 8, 4), QStringLiteral("04E1"));
        for (int slot = 0; slot < MV100::MACRO_COUNT; ++slot) {
            unsigned char record[MV100::MACRO_SIZE];
            window.config().GetMacro(static_cast<unsigned char>(slot), record);
            QCOMPARE(lines[79 + slot], bytesToHex(record, MV100::MACRO_SIZE));
        }
        QCOMPARE(lines[79 + 3].left(2), QStringLiteral("03"));
    }

    // A line read back after an empty field must not vanish and move the lines after it.
    void emptyFieldsAreWrittenAsTheirDefaults()
    {
        MainWindow window;
        fillSome(window);
        widget<QLineEdit>(window, "pin_edit_pin")->clear();
        widget<QLineEdit>(window, "custom_edit")->clear();
        const QList<QString> lines = window.GetItems();
        QCOMPARE(lines[0], QStringLiteral("3C9A71E04B5D28F6"));
        QCOMPARE(lines[1], QString(32, QLatin1Char('F')));
        for (const QString &line : lines)
            QVERIFY(!line.isEmpty());
    }

    void linesRoundTrip()
    {
        MainWindow source;
        fillSome(source);
        const QList<QString> lines = source.GetItems();

        MainWindow target;
        target.SetItems(lines);
        QCOMPARE(snapshot(target), snapshot(source));
        QCOMPARE(target.GetItems(), lines);
    }

    void loadingIsNoEdit()
    {
        MainWindow window;
        QVERIFY(!window.hasUnsavedChanges());
        MainWindow source;
        fillSome(source);
        window.SetItems(source.GetItems());
        QVERIFY(!window.hasUnsavedChanges());

        window.setUnsavedChanges(true);
        window.SetItems(resetLines());
        QVERIFY(window.hasUnsavedChanges());
    }

    // Each row changes one line of the reset lines and checks controls of the loaded editor,
    // which starts from edited values so that a value of 0 or the default shows.
    void settingsLinesDecode_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const auto row
            = [](const char *name, int line, const char *text, const QStringList &expected) {
                  QTest::newRow(name) << line << QString::fromLatin1(text) << expected;
              };
        row("PIN in both fields", 0, "ABC", {"main_edit_pin=ABC", "pin_edit_pin=ABC"});
        row("custom data", 1, "0011", {"custom_edit=0011"});
        row("lock keys 52", 2, "52", {"lockkeys_cmb_fn1=2", "lockkeys_cmb_fn2=5"});
        row("lock keys lower case", 2, "3a", {"lockkeys_cmb_fn1=0", "lockkeys_cmb_fn2=3"});
        row("lock keys unparsable", 2, "zz", {"lockkeys_cmb_fn1=0", "lockkeys_cmb_fn2=0"});
        row("lock keys wider than a byte", 2, "152", {"lockkeys_cmb_fn1=2", "lockkeys_cmb_fn2=0"});
        row("mouse block", 3, "0012FF80",
            {"mouse_cmb_function=0", "mouse_chk_opt_optical=checked",
             "mouse_chk_opt_reduce=checked", "mouse_spin_min=255", "mouse_spin_max=128",
             "mouse_spin_dead_xy=0", "mouse_spin_balistic_7=0"});
        row("mouse function 07 is Off", 3, "07", {"mouse_cmb_function=3"});
        row("mouse block unparsable", 3, "FF003CB91E0A000305080A0D0F12X4",
            {"mouse_cmb_function=0", "mouse_spin_min=0", "mouse_spin_max=0", "mouse_spin_dead_z=0",
             "mouse_spin_balistic_0=0"});
        row("backlight block", 4, "0102030405060708090A0001000100",
            {"backlight_spin_init_0=1", "backlight_spin_init_4=5", "backlight_spin_step_0=6",
             "backlight_spin_step_4=10", "backlight_spin_flags_0=0", "backlight_spin_flags_1=1"});
        row("backlight flags clamp to 1", 4, "0000000000000000000007FF000000",
            {"backlight_spin_flags_0=1", "backlight_spin_flags_1=1", "backlight_spin_flags_2=0"});
        row("backlight block unparsable", 4, "0A0B0C0D0EC8C9CACBCC000100010G",
            {"backlight_spin_init_0=0", "backlight_spin_step_0=0", "backlight_spin_flags_1=0"});
        row("LED block", 5, "2030FF1100000000",
            {"led_cmb_function_0=8", "led_chk_ctrl_0=unchecked", "led_chk_gui_0=unchecked",
             "led_cmb_function_1=9", "led_chk_shift_1=unchecked", "led_cmb_function_2=10",
             "led_chk_ctrl_2=unchecked,disabled", "led_cmb_function_3=7", "led_cmb_function_4=0",
             "led_cmb_function_7=0"});
        row("LED modifiers", 5, "2F3AFFFFFFFFFFFF",
            {"led_cmb_function_0=8", "led_chk_ctrl_0=checked", "led_chk_gui_0=checked",
             "led_cmb_function_1=9", "led_chk_ctrl_1=unchecked", "led_chk_shift_1=checked",
             "led_chk_gui_1=checked"});
        row("LED block unparsable", 5, "2030FF11000000-0",
            {"led_cmb_function_0=0", "led_cmb_function_2=0", "led_cmb_function_7=0",
             "led_chk_ctrl_0=unchecked,disabled"});
        row("lock mode 01", 6, "01", {"main_cmb_lock=1"});
        row("lock mode 1", 6, "1", {"main_cmb_lock=1"});
        row("lock mode unparsable", 6, "x1", {"main_cmb_lock=0"});
        row("lock mode without an item", 6, "07", {"main_cmb_lock=0"});
        row("debounce 0A", 255, "0A", {"spin_debounce=10"});
        row("debounce 00 clamps to 1", 255, "00", {"spin_debounce=1"});
        row("debounce FF", 255, "ff", {"spin_debounce=255"});
        row("debounce unparsable", 255, "3 ms", {"spin_debounce=1"});
    }
    void settingsLinesDecode()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        MainWindow window;
        editAllSettings(window);
        QList<QString> lines = resetLines();
        lines[line] = text;
        window.SetItems(lines);
        const QStringList state = snapshot(window);
        for (const QString &pair : expected) {
            const QString name = pair.section(QLatin1Char('='), 0, 0);
            QCOMPARE(name + QLatin1Char('=') + valueOf(state, name), pair);
        }
    }

    void debounceNeedsExactly256Lines_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("debounce");
        QTest::newRow("256 lines") << 256 << 10;
        QTest::newRow("255 lines") << 255 << 3;
        QTest::newRow("257 lines") << 257 << 3;
    }
    void debounceNeedsExactly256Lines()
    {
        QFETCH(int, count);
        QFETCH(int, debounce);
        MainWindow window;
        editAllSettings(window);
        QList<QString> lines = resetLines();
        lines[255] = QStringLiteral("0A");
        while (lines.size() > count)
            lines.removeLast();
        while (lines.size() < count)
            lines << QStringLiteral("0B");
        QCOMPARE(MainWindow::checkItems(lines), QString());
        window.SetItems(lines);
        QCOMPARE(widget<QSpinBox>(window, "spin_debounce")->value(), debounce);
    }

    void imageLinesFillCellsAndMacros()
    {
        MainWindow window;
        fillSome(window);
        QList<QString> lines = resetLines();
        // Default row 2: x 0 "A", x 1 "L-Shift A"; FN1 row 0 x 15 media; FN2 row 23 x 3 macro 5.
        lines[7 + 2]
            = QStringLiteral("0400") + QStringLiteral("04e1") + QStringLiteral("FF").repeated(28);
        lines[31] = QStringLiteral("FF").repeated(30) + QStringLiteral("0C01");
        lines[78] = QStringLiteral("FF").repeated(6) + QStringLiteral("0502")
            + QStringLiteral("FF").repeated(24);
        lines[79 + 175] = QStringLiteral("03") + QStringLiteral("A5").repeated(31);
        window.SetItems(lines);

        QCOMPARE(window.config().GetKeyCode(0, 0, 2), 0x0004);
        QCOMPARE(window.config().GetKeyCode(0, 1, 2), 0xE104);
        QCOMPARE(window.config().GetKeyCode(1, 15, 0), 0x010C);
        QCOMPARE(window.config().GetKeyCode(2, 3, 23), 0x0205);
        QCOMPARE(window.matrix(0)->buttonText(2, 0), QStringLiteral("A"));
        QCOMPARE(window.matrix(0)->buttonText(2, 1), QStringLiteral("L-Shift\nA"));
        QCOMPARE(window.matrix(1)->buttonText(0, 15), QStringLiteral("Media\nMute"));
        QCOMPARE(window.matrix(2)->buttonText(23, 3), QStringLiteral("Macro\n#05"));
        // Every other cell is empty, whatever the editor held before.
        int assigned = 0;
        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            for (int y = 0; y < MV100::ROWS; ++y) {
                for (int x = 0; x < MV100::COLUMNS; ++x) {
                    const bool empty = window.matrix(layer)->buttonText(y, x).isEmpty();
                    QCOMPARE(empty, window.config().GetKeyCode(layer, x, y) == 0xFFFF);
                    assigned += empty ? 0 : 1;
                }
            }
        }
        QCOMPARE(assigned, 4);
        unsigned char record[MV100::MACRO_SIZE];
        window.config().GetMacro(175, record);
        QCOMPARE(int(record[0]), 0x03);
        QCOMPARE(int(record[31]), 0xA5);
        window.config().GetMacro(0, record);
        QCOMPARE(int(record[0]), 0xFF);
        QCOMPARE(
            window.GetItems().mid(7, 248),
            lines.mid(7, 248).replaceInStrings(QStringLiteral("04e1"), QStringLiteral("04E1")));
    }

    // Lists that would load only in part, or shift image bytes, are refused whole.
    void damagedListsAreRefused_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        const QString block = QStringLiteral("00").repeated(32);
        QTest::newRow("empty list")
            << 0 << -1 << QString() << "it has 0 lines, but a configuration has 256.";
        QTest::newRow("254 lines")
            << 254 << -1 << QString() << "it has 254 lines, but a configuration has 256.";
        QTest::newRow("short image line")
            << 256 << 7 << block.left(62)
            << "line 8 is not a memory block of 64 hexadecimal digits.";
        QTest::newRow("odd image line")
            << 256 << 100 << block.left(63)
            << "line 101 is not a memory block of 64 hexadecimal digits.";
        QTest::newRow("long image line")
            << 256 << 254 << block + "00"
            << "line 255 is not a memory block of 64 hexadecimal digits.";
        QTest::newRow("bad image pair")
            << 256 << 30 << "zz" + block.mid(2)
            << "line 31 is not a memory block of 64 hexadecimal digits.";
        QTest::newRow("blank in image line")
            << 256 << 50 << " " + block.mid(1)
            << "line 51 is not a memory block of 64 hexadecimal digits.";
        QTest::newRow("PIN too long") << 256 << 0 << "3C9A71E04B5D28F60"
                                      << "the PIN (line 1) is not 1 to 16 hexadecimal digits.";
        QTest::newRow("PIN not hex") << 256 << 0 << "3C9A71E04B5D28FG"
                                     << "the PIN (line 1) is not 1 to 16 hexadecimal digits.";
        QTest::newRow("custom data too long")
            << 256 << 1 << QString(33, QLatin1Char('F'))
            << "the custom data (line 2) is not 1 to 32 hexadecimal digits.";
        QTest::newRow("custom data not hex")
            << 256 << 1 << "FFFF FFFF"
            << "the custom data (line 2) is not 1 to 32 hexadecimal digits.";
    }
    void damagedListsAreRefused()
    {
        QFETCH(int, count);
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        QList<QString> lines = resetLines().mid(0, count);
        if (line >= 0)
            lines[line] = text;
        QCOMPARE(MainWindow::checkItems(lines), problem);

        MainWindow window;
        fillSome(window);
        const QStringList before = snapshot(window);
        window.SetItems(lines);
        QCOMPARE(snapshot(window), before);
    }

    void tolerableListsAreAccepted_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("short PIN") << 0 << QStringLiteral("7");
        QTest::newRow("short custom data") << 1 << QStringLiteral("ab");
        QTest::newRow("lower-case image line") << 8 << QStringLiteral("0a").repeated(32);
        QTest::newRow("unparsable lock keys") << 2 << QStringLiteral("??");
        QTest::newRow("unparsable mouse block") << 3 << QStringLiteral("mouse");
        QTest::newRow("long LED block") << 5 << QStringLiteral("00").repeated(40);
        QTest::newRow("unparsable lock mode") << 6 << QStringLiteral("-");
        QTest::newRow("unparsable debounce") << 255 << QStringLiteral("--");
    }
    void tolerableListsAreAccepted()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QList<QString> lines = resetLines();
        lines[line] = text;
        QCOMPARE(MainWindow::checkItems(lines), QString());
    }
};

QTEST_MAIN(TestFileFormat)
#include "tst_fileformat.moc"
