// Tests of the configuration value, its memory image, its settings' normal form, the file and its
// hex text.
#include "ConfigFile.h"
#include "HexText.h"
#include "MemoryImage.h"
#include "RichConfig.h"

#include <QtTest>

#include <sys/stat.h>

namespace {
using Lines = QList<QString>;

QStringList describe(const QList<ConfigDifference> &differences)
{
    QStringList out;
    for (const ConfigDifference &d : differences) {
        const QString where = d.kind == ConfigDifference::Cell
            ? QStringLiteral("cell %1/%2/%3").arg(d.layer).arg(d.row).arg(d.column)
            : d.kind == ConfigDifference::Macro ? QStringLiteral("macro %1").arg(d.macro)
                                                : QStringLiteral("setting %1").arg(int(d.setting));
        out << where
                + QStringLiteral(" @%1 %2>%3")
                      .arg(d.byteIndex)
                      .arg(d.before, 0, 16)
                      .arg(d.after, 0, 16);
    }
    return out;
}
#define VERIFY_SAME(a, b) \
    QVERIFY2((a) == (b), qPrintable(describe((a).differences(b, 3)).join("; ")))

QByteArray utf16le(const QString &text)
{
    QByteArray bytes;
    for (const QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class TestCore : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(".")); }

    void valueLinesAndFile()
    {
        const Mv100Config config = richConfig();
        const Lines lines = ConfigFile::toLines(config);
        QCOMPARE(lines.size(), 256);
        QCOMPARE(lines.mid(0, 7),
                 (Lines {"A1B2C3D4E5F60718", "00112233445566778899AABBCCDDEEFF", "25",
                         "03A5102030400B0102030405060708", "0102030405060708090A0100010001",
                         "00051011FF2A3F21", "01"}));
        QVERIFY(lines[7].startsWith("00070E151C")); // the image from byte 0
        QCOMPARE(lines[255], "14");

        QString error;
        QVERIFY2(ConfigFile::write(path("a.mv100"), config, &error), qPrintable(error));
        QCOMPARE(readAll(path("a.mv100")), utf16le(lines.join('\n') + '\n')); // no BOM, bare LF
        ConfigFile::Refusal why;
        Mv100Config loaded;
        QVERIFY2(ConfigFile::read(path("a.mv100"), &loaded, &why), qPrintable(why.reason));
        VERIFY_SAME(loaded, config);

        // CR LF, blank lines and a byte-order mark read alike; an old file has no debounce line.
        QVERIFY(writeAll(path("crlf"),
                         "\xFF\xFE" + utf16le('\n' + lines.mid(0, 255).join("\r\n\n\r\n") + '\r')));
        QVERIFY2(ConfigFile::read(path("crlf"), &loaded, &why), qPrintable(why.reason));
        Mv100Config old = config;
        old.settings().debounce = 3;
        VERIFY_SAME(loaded, old);

        // Empty texts are written as the defaults: an empty line would shift all later ones.
        Mv100Config blank;
        blank.settings().newPin.clear();
        blank.settings().customData.clear();
        QCOMPARE(ConfigFile::toLines(blank),
                 Lines({"3C9A71E04B5D28F6", QString(32, 'F'), "00",
                        "FF003CB91E0A000305080A0D0F1214", QString(30, '0'), QString(16, 'F'), "00"})
                     + Lines(MV100::BLOCK_COUNT, QString(64, 'F')) + Lines {"03"});
    }

    void refusedLines()
    {
        const QString count = "it has 254 lines, but a configuration has 256.";
        const QString pin = "the PIN (line 1) is not 1 to 16 hexadecimal digits.";
        const QString block = "line %1 is not a memory block of 64 hexadecimal digits.";
        // Lines kept, the 0-based line replaced by text, the line refused and why.
        const std::tuple<int, int, QString, int, QString> rows[]
            = {{254, -1, "", 0, count},
               {256, 0, "PIN?", 1, pin},
               {256, 0, QString(17, 'A'), 1, pin},
               {256, 0, "", 1, pin},
               {256, 0, "7", 0, ""},
               {256, 1, QString(33, 'F'), 2,
                "the custom data (line 2) is not 1 to 32 hexadecimal digits."},
               {256, 254, QString(65, 'F'), 255, block.arg(255)},
               {256, 99, "g" + QString(63, 'F'), 100, block.arg(100)},
               {256, 9, QString(63, 'F') + '\n', 10, block.arg(10)}};
        for (const auto &[kept, line, text, refusedLine, reason] : rows) {
            Lines lines = ConfigFile::toLines(richConfig()).mid(0, kept);
            if (line >= 0)
                lines[line] = text;
            QCOMPARE(ConfigFile::check(lines).line, refusedLine);
            Mv100Config config;
            ConfigFile::Refusal why;
            QCOMPARE(ConfigFile::fromLines(lines, &config, &why), reason.isEmpty());
            QCOMPARE(why.reason, reason);
            if (!reason.isEmpty())
                VERIFY_SAME(config, Mv100Config());
        }
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("logged"); // a file that cannot be opened is logged
        QVERIFY(QDir(m_dir.path()).mkdir("dir"));
        QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
        const QString text = ConfigFile::toLines(richConfig()).join('\n');
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char(i * 7));
        const QByteArray big = QStringEncoder(QStringConverter::Utf16BE)(text);
        const QList<std::tuple<const char *, QByteArray, QString, bool>> rows = {
            {"over 1 MiB", QByteArray(ConfigFile::MAX_FILE_SIZE + 2, 'A'),
             "it is too large for a configuration file.", true},
            {"1 MiB", utf16le(QString(ConfigFile::MAX_FILE_SIZE / 2, 'A')), "it has 1 lines",
             false},
            {"UTF-8", text.toUtf8(), "it is UTF-8 text", false},
            {"UTF-16 BE", big, "it is UTF-16 big-endian text", false},
            {"UTF-16 BE, BOM", "\xFE\xFF" + big, "it is UTF-16 big-endian text", false},
            {"binary", binary, "it is not a text file.", false},
            {"control character", utf16le(QString(text).replace(40, 1, QChar(1))),
             "it is not a text file.", false},
            {"empty", QByteArray(), "it has 0 lines", false},
        };
        for (const auto &[name, bytes, reason, logged] : rows) {
            QVERIFY(writeAll(path(name), bytes));
            QTest::newRow(name) << path(name) << reason << logged;
        }
        const QString notRegular = "it is not a regular file.";
        QTest::newRow("directory") << path("dir") << notRegular << true;
        QTest::newRow("FIFO") << path("fifo") << notRegular << true;
        QTest::newRow("/dev/zero") << "/dev/zero" << notRegular << true;
        QTest::newRow("missing") << path("missing") << "No such file or directory" << true;
    }
    void refusedFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        QFETCH(bool, logged);
        if (logged)
            QTest::ignoreMessage(QtWarningMsg, qPrintable("Error: File open: " + file));
        Mv100Config config = richConfig();
        ConfigFile::Refusal why;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!ConfigFile::read(file, &config, &why));
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
        QVERIFY2(why.reason.startsWith(reason) && why.line == 0, qPrintable(why.reason));
        if (reason.startsWith("it is UTF"))
            QVERIFY(
                why.reason.endsWith(", but a configuration file is UTF-16 little-endian text."));
        VERIFY_SAME(config, richConfig());
    }

    void normalisation()
    {
        using L = ConfigFile::Line;
        // Pairs raw>normal. Mouse flags hold 4 bits; what a line leaves out is 0; T is the
        // ballistic table.
        const QList<std::pair<int, QString>> rows
            = {{L::LINE_MOUSE, "07A510203040F5T>FFA51020304005T 03A510203040F0T>03A51020304000T"},
               {L::LINE_MOUSE, "02>02" + QString(28, '0')},
               {L::LINE_BACKLIGHT, "C8FF0304050607080910070100FF02>C8FF03040506070809100101000101"},
               {L::LINE_LED, "06124005112FFF35>FFFFFF05112FFF35"},
               {L::LINE_LOCK_KEYS, "76>00 56>50 A5>05 5A>50 25>25 125>05 x>00"},
               {L::LINE_LOCK_MODE, "02>00 FF>00 01>01"},
               {L::LINE_DEBOUNCE, "00>01 FF>FF"}};
        for (const auto &[line, pairs] : rows) {
            for (QString pair : pairs.split(' ')) {
                pair.replace("T", "0102030405060708");
                Lines lines = ConfigFile::toLines(richConfig());
                lines[line] = pair.section('>', 0, 0);
                Mv100Config loaded;
                QVERIFY2(ConfigFile::fromLines(lines, &loaded), qPrintable(pair));
                QVERIFY2(loaded.settings().normalized() == loaded.settings(), qPrintable(pair));
                lines[line] = pair.section('>', 1);
                QCOMPARE(ConfigFile::toLines(loaded), lines); // nothing else moved
            }
        }
    }

    void hexText()
    {
        QVERIFY(isHex("09afAF") && !isHex("12\n") && !isHex(""));
        unsigned char buffer[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        splitString("a1b2c3d4", buffer, 3); // fills 3 bytes at most
        splitString("0102X3", buffer, 3); // a non-hex character anywhere: nothing
        QVERIFY(std::equal(buffer, buffer + 4, std::begin({0xA1, 0xB2, 0xC3, 0xEE})));
        QCOMPARE(hexStringToBytes("ABC"), (std::vector<unsigned char> {0x0A, 0xBC}));
        QCOMPARE(hexStringToBytes("12zz34"), (std::vector<unsigned char> {0x12, 0x34}));
    }

    void differences()
    {
        const Mv100Config a;
        Mv100Config b = a;
        b.setKeyCode(2, 5, 7, 0x0004);
        b.setKeyCode(0, 15, 23, 0xE104);
        Mv100Config::Macro record = b.macro(9);
        record[3] = 0x42;
        record[20] = 0x01;
        b.setMacro(9, record);
        b.settings().mouse[6] = 0x05;
        b.settings().newPin = "00";
        b.settings().debounce = 9;
        const QStringList all
            = {"cell 0/23/15 @-1 ffff>e104", "cell 2/7/5 @-1 ffff>4", "macro 9 @3 ff>42",
               "setting 0 @-1 0>0",          "setting 3 @6 0>5",      "setting 7 @-1 3>9"};
        QCOMPARE(describe(a.differences(b)), all);
        QCOMPARE(describe(a.differences(b, 2)), all.mid(0, 2));
        QCOMPARE(describe(b.differences(a, 1)), QStringList {"cell 0/23/15 @-1 e104>ffff"});
        QVERIFY(a.differences(a).isEmpty() && b.differences(b).isEmpty());
    }

    void memoryImage()
    {
        Mv100Config config = richConfig();
        config.setKeyCode(1, 3, 10, 0xA1B2); // layer 1, column 3, row 10
        const MemoryImage::Image image = MemoryImage::build(config);
        QCOMPARE(int(image.size()), MV100::MEMORY_SIZE);
        const std::size_t at = ((1 * 384) + 10 * 16 + 3) * 2;
        QVERIFY(image[at] == 0xB2 && image[at + 1] == 0xA1);
        for (int number : {0, 5, 175}) {
            const auto first = image.begin() + 2304 + 32 * number;
            QVERIFY(std::equal(first, first + 32, config.macro(number).begin()));
        }
        Mv100Config decoded;
        decoded.settings() = config.settings();
        MemoryImage::decode(image, decoded);
        VERIFY_SAME(decoded, config);

        // A short image: what it leaves out reads as empty, byte by byte.
        MemoryImage::decode(image.data(), 101, decoded);
        QCOMPARE(decoded.keyCode(0, 1, 3), config.keyCode(0, 1, 3)); // cell 49
        QCOMPARE(decoded.keyCode(0, 2, 3), std::uint16_t(0xFF00 | image[100]));
        QCOMPARE(decoded.keyCode(0, 3, 3), Mv100Config::EMPTY_CELL);
        MemoryImage::decode(image.data(), 0, decoded);
        decoded.settings() = Mv100Settings();
        VERIFY_SAME(decoded, Mv100Config());
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
