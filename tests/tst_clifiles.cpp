// Tests of mv100ctl's command line, check and diff, run in process.
#include "CliRun.h"
#include "DiffText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray utf16(const QList<QString> &lines)
{
    QStringEncoder encoder(QStringConverter::Utf16LE);
    return encoder(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

QJsonObject jsonOf(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        qWarning("not a JSON object: %s", qPrintable(text));
    return document.object();
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void usageErrors_data();
    void usageErrors();
    void helpAndVersion();
    void deviceOnlyWhenNeeded_data();
    void deviceOnlyWhenNeeded();
    void checkRefusedFiles_data();
    void checkRefusedFiles();
    void checkValidFile();
    void keyNames_data();
    void keyNames();
    void diffLines();
    void diffEqualFiles();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    QString m_valid;
};

void TestCliFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_valid = path(QStringLiteral("valid.mv100"));
    QVERIFY(saveConfig(m_valid, Mv100Config()));
    qunsetenv("MV100_PIN");
}

void TestCliFiles::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("pinVariable");
    QTest::addColumn<QString>("message");
    const QString file = QStringLiteral("x.mv100");
    QTest::newRow("no command") << QStringList {} << QByteArray() << "no command given.";
    QTest::newRow("unknown command")
        << QStringList {"fetch"} << QByteArray() << "unknown command 'fetch'.";
    QTest::newRow("unknown option")
        << QStringList {"info", "--fast"} << QByteArray() << "Unknown option 'fast'.";
    QTest::newRow("option of another command")
        << QStringList {"check", file, "--force"} << QByteArray() << "check does not take --force.";
    QTest::newRow("missing file") << QStringList {"read"} << QByteArray()
                                  << "usage: mv100ctl read FILE";
    QTest::newRow("extra argument")
        << QStringList {"info", file} << QByteArray() << "usage: mv100ctl info";
    QTest::newRow("diff with one file") << QStringList {"diff", file} << QByteArray()
                                        << "usage: mv100ctl diff A B | diff A --device";
    QTest::newRow("diff --device with two")
        << QStringList {"diff", file, file, "--device"} << QByteArray() << "usage: mv100ctl diff";
    QTest::newRow("--pin on a file diff") << QStringList {"diff", file, file, "--pin", "00"}
                                          << QByteArray() << "--pin is for diff --device only.";
    QTest::newRow("short --pin") << QStringList {"read", file, "--pin", "3C9A71E04B5D28F"}
                                 << QByteArray() << "--pin gives '3C9A71E04B5D28F'";
    QTest::newRow("non-hex --pin") << QStringList {"erase", "--yes", "--pin", "3C9A71E04B5D28FX"}
                                   << QByteArray() << "not 16 hexadecimal digits";
    QTest::newRow("bad MV100_PIN")
        << QStringList {"verify", file} << QByteArray("12345") << "MV100_PIN gives '12345'";
    QTest::newRow("erase without terminal")
        << QStringList {"erase"} << QByteArray() << "give --yes when there is no terminal";
}

void TestCliFiles::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, pinVariable);
    QFETCH(QString, message);
    if (!pinVariable.isEmpty())
        qputenv("MV100_PIN", pinVariable);
    const CliRun run = runCli(arguments);
    qunsetenv("MV100_PIN");
    QCOMPARE(run.code, int(Mv100Ctl::EXIT_USAGE));
    QVERIFY2(run.err.startsWith(QLatin1String("mv100ctl: ")), qPrintable(run.err));
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.err.contains(QLatin1String("Try 'mv100ctl --help'."))
            || arguments.contains("erase"));
    QVERIFY(run.out.isEmpty());
}

void TestCliFiles::helpAndVersion()
{
    const CliRun version = runCli({QStringLiteral("--version")});
    QCOMPARE(version.code, 0);
    QCOMPARE(version.out, QStringLiteral("mv100ctl 1.0.4\n"));
    const CliRun help = runCli({QStringLiteral("--help")});
    QCOMPARE(help.code, 0);
    QVERIFY(help.out.startsWith(QLatin1String("Usage: mv100ctl [options] COMMAND [ARGUMENTS]\n")));
    for (const char *command : {"info", "list", "read FILE", "write FILE", "verify FILE", "erase",
                                "check FILE", "diff A B", "MV100_PIN", "Exit status:"})
        QVERIFY2(help.out.contains(QLatin1String(command)), command);
    for (const QString &line : help.out.split(QLatin1Char('\n')))
        QVERIFY2(line.size() <= 80, qPrintable(line));
}

void TestCliFiles::deviceOnlyWhenNeeded_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("device");
    QTest::newRow("check") << QStringList {"check", "VALID"} << false;
    QTest::newRow("diff of files") << QStringList {"diff", "VALID", "VALID"} << false;
    QTest::newRow("version") << QStringList {"--version"} << false;
    QTest::newRow("usage error") << QStringList {"info", "extra"} << false;
    QTest::newRow("diff --device") << QStringList {"diff", "VALID", "--device"} << true;
    QTest::newRow("info") << QStringList {"info"} << true;
    QTest::newRow("list") << QStringList {"list"} << true;
}

void TestCliFiles::deviceOnlyWhenNeeded()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, device);
    arguments.replaceInStrings(QStringLiteral("VALID"), m_valid);
    int calls = 0;
    Mv100Ctl::BufferIo io;
    Mv100Ctl::run(QStringList {QStringLiteral("mv100ctl")} + arguments, io,
                  [&calls]() { ++calls; });
    QCOMPARE(calls, device ? 1 : 0);
}

void TestCliFiles::checkRefusedFiles_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: the name is not a regular file
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");
    const QList<QString> lines = ConfigFile::toLines(Mv100Config());
    const auto changed = [&lines](int line, const QString &text) {
        QList<QString> copy = lines;
        copy[line] = text;
        return utf16(copy);
    };
    QTest::newRow("too few lines") << utf16(lines.mid(0, 10)) << "short.mv100" << 0
                                   << "it has 10 lines, but a configuration has 256.";
    QTest::newRow("PIN") << changed(0, QStringLiteral("3C9A71E04B5D28F6AA")) << "pin.mv100" << 1
                         << "the PIN (line 1) is not 1 to 16 hexadecimal digits.";
    QTest::newRow("custom data") << changed(1, QStringLiteral("XY")) << "custom.mv100" << 2
                                 << "the custom data (line 2) is not 1 to 32 hexadecimal digits.";
    QTest::newRow("memory block") << changed(12, QStringLiteral("00FF")) << "block.mv100" << 13
                                  << "line 13 is not a memory block of 64 hexadecimal digits.";
    QTest::newRow("UTF-8") << lines.join(QLatin1Char('\n')).toUtf8() << "utf8.mv100" << 0
                           << "it is UTF-8 text, but a configuration file is UTF-16 little-endian "
                              "text.";
    QStringEncoder bigEndian(QStringConverter::Utf16BE);
    QTest::newRow("UTF-16 BE") << QByteArray(bigEndian(lines.join(QLatin1Char('\n')))) << "be.mv100"
                               << 0 << "it is UTF-16 big-endian text";
    QTest::newRow("binary") << QByteArray("\x01\x02\x03\x04\xff\xfe\x00\x07", 8) << "bin.mv100" << 0
                            << "it is not a text file.";
    QTest::newRow("too large") << QByteArray(ConfigFile::MAX_FILE_SIZE + 2, 'A') << "big.mv100" << 0
                               << "it is too large for a configuration file.";
    QTest::newRow("directory") << QByteArray() << "folder.mv100" << 0
                               << "it is not a regular file.";
    QTest::newRow("missing") << QByteArray() << "missing.mv100" << 0 << "No such file";
}

void TestCliFiles::checkRefusedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(int, line);
    QFETCH(QString, reason);
    const QString fileName = path(name);
    if (!content.isEmpty()) {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    } else if (name.startsWith(QLatin1String("folder"))) {
        QVERIFY(QDir().mkpath(fileName));
    }

    const CliRun text = runCli({QStringLiteral("check"), fileName});
    QCOMPARE(text.code, int(Mv100Ctl::EXIT_FILE));
    QVERIFY(text.out.isEmpty());
    QVERIFY2(text.err.startsWith(
                 QStringLiteral("mv100ctl: The file %1 cannot be opened: ").arg(fileName)),
             qPrintable(text.err));
    QVERIFY2(text.err.contains(reason), qPrintable(text.err));

    const CliRun json = runCli({QStringLiteral("check"), QStringLiteral("--json"), fileName});
    QCOMPARE(json.code, int(Mv100Ctl::EXIT_FILE));
    const QJsonObject object = jsonOf(json.out);
    QCOMPARE(object.value(QLatin1String("valid")).toBool(true), false);
    QCOMPARE(object.value(QLatin1String("line")).toInt(-1), line);
    QVERIFY(object.value(QLatin1String("reason")).toString().contains(reason));
    QCOMPARE(object.value(QLatin1String("file")).toString(), fileName);

    // Every command that reads a file refuses it alike.
    for (const QStringList &arguments :
         {QStringList {"write", fileName, "--yes"}, QStringList {"verify", fileName},
          QStringList {"diff", m_valid, fileName}}) {
        const CliRun other = runCli(arguments);
        QCOMPARE(other.code, int(Mv100Ctl::EXIT_FILE));
        QVERIFY2(other.err.contains(reason), qPrintable(other.err));
    }
}

void TestCliFiles::checkValidFile()
{
    const CliRun text = runCli({QStringLiteral("check"), m_valid});
    QCOMPARE(text.code, 0);
    QCOMPARE(text.out, m_valid + QStringLiteral(": a valid configuration.\n"));
    QVERIFY(text.err.isEmpty());
    const CliRun json = runCli({QStringLiteral("check"), m_valid, QStringLiteral("--json")});
    QCOMPARE(json.code, 0);
    QCOMPARE(jsonOf(json.out).value(QLatin1String("valid")).toBool(false), true);
    QVERIFY(!jsonOf(json.out).contains(QLatin1String("reason")));
}

void TestCliFiles::keyNames_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << 0xFFFF << "Empty";
    QTest::newRow("key") << 0x0004 << "A";
    QTest::newRow("modifier + key") << 0xE104 << "L-Shift + A";
    QTest::newRow("right modifier") << 0xE61E << "R-ALT + 1";
    QTest::newRow("macro") << 0x0205 << "Macro #05";
    QTest::newRow("macro 175") << 0x02AF << "Macro #175";
    QTest::newRow("media") << 0x0104 << "Rewind";
    QTest::newRow("mouse") << 0x0301 << "Mouse Left";
    QTest::newRow("FN key") << 0x00FF << "FN1";
    QTest::newRow("unknown family") << 0x0704 << "0x0704";
    QTest::newRow("unknown modifier") << 0xE904 << "0xE904";
}

void TestCliFiles::keyNames()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(Mv100Ctl::DiffText::keyName(std::uint16_t(code)), name);
}

void TestCliFiles::diffLines()
{
    Mv100Config a;
    a.setKeyCode(1, 3, 10, 0x0004);
    Mv100Config::Macro macro = Mv100Config::emptyMacro();
    macro[3] = 0x04;
    a.setMacro(12, macro);
    Mv100Config b = a;
    b.setKeyCode(1, 3, 10, 0xE104);
    macro[3] = 0x05;
    macro[7] = 0x09; // only the first differing byte of a macro is named
    b.setMacro(12, macro);
    b.settings().mouse[2] = 0x40;
    b.settings().newPin = QStringLiteral("0102030405060708");
    b.settings().debounce = 5;
    const QString fileA = path(QStringLiteral("a.mv100"));
    const QString fileB = path(QStringLiteral("b.mv100"));
    QVERIFY(saveConfig(fileA, a));
    QVERIFY(saveConfig(fileB, b));

    const CliRun run = runCli({QStringLiteral("diff"), fileA, fileB});
    QCOMPARE(run.code, int(Mv100Ctl::EXIT_DIFFERENT));
    QCOMPARE(run.out,
             QStringLiteral("FN1 X3/Y10: A \u2192 L-Shift + A\n"
                            "Macro 12: byte 3 04 \u2192 05\n"
                            "PIN: 3C9A71E04B5D28F6 \u2192 0102030405060708\n"
                            "mouse: byte 2 3C \u2192 40\n"
                            "debounce: 3 ms \u2192 5 ms\n"));
    QVERIFY(run.err.isEmpty());

    const CliRun json = runCli({QStringLiteral("diff"), QStringLiteral("--json"), fileA, fileB});
    QCOMPARE(json.code, int(Mv100Ctl::EXIT_DIFFERENT));
    const QJsonObject object = jsonOf(json.out);
    QCOMPARE(object.value(QLatin1String("equal")).toBool(true), false);
    const QJsonArray differences = object.value(QLatin1String("differences")).toArray();
    QCOMPARE(differences.size(), 5);
    const QJsonObject cell = differences.at(0).toObject();
    QCOMPARE(cell.value(QLatin1String("kind")).toString(), QStringLiteral("cell"));
    QCOMPARE(cell.value(QLatin1String("layer")).toString(), QStringLiteral("FN1"));
    QCOMPARE(cell.value(QLatin1String("column")).toInt(), 3);
    QCOMPARE(cell.value(QLatin1String("row")).toInt(), 10);
    QCOMPARE(cell.value(QLatin1String("before")).toInt(), 0x0004);
    QCOMPARE(cell.value(QLatin1String("after")).toInt(), 0xE104);
    QCOMPARE(cell.value(QLatin1String("afterName")).toString(), QStringLiteral("L-Shift + A"));
    const QJsonObject macroDiff = differences.at(1).toObject();
    QCOMPARE(macroDiff.value(QLatin1String("macro")).toInt(), 12);
    QCOMPARE(macroDiff.value(QLatin1String("byte")).toInt(), 3);
    QCOMPARE(macroDiff.value(QLatin1String("after")).toInt(), 5);
    const QJsonObject pin = differences.at(2).toObject();
    QCOMPARE(pin.value(QLatin1String("setting")).toString(), QStringLiteral("PIN"));
    QCOMPARE(pin.value(QLatin1String("after")).toString(), QStringLiteral("0102030405060708"));
    const QJsonObject mouse = differences.at(3).toObject();
    QCOMPARE(mouse.value(QLatin1String("setting")).toString(), QStringLiteral("mouse"));
    QCOMPARE(mouse.value(QLatin1String("byte")).toInt(), 2);
    QCOMPARE(mouse.value(QLatin1String("before")).toInt(), 0x3C);
    QCOMPARE(mouse.value(QLatin1String("text")).toString(),
             QStringLiteral("mouse: byte 2 3C \u2192 40"));

    // The other way round, before and after swap.
    const CliRun back = runCli({QStringLiteral("diff"), fileB, fileA});
    QVERIFY(back.out.startsWith(QStringLiteral("FN1 X3/Y10: L-Shift + A \u2192 A\n")));
}

void TestCliFiles::diffEqualFiles()
{
    const QString copy = path(QStringLiteral("copy.mv100"));
    QVERIFY(saveConfig(copy, Mv100Config()));
    const CliRun equal = runCli({QStringLiteral("diff"), m_valid, copy});
    QCOMPARE(equal.code, 0);
    QVERIFY(equal.out.isEmpty());
    const CliRun json = runCli({QStringLiteral("diff"), m_valid, copy, QStringLiteral("--json")});
    QCOMPARE(json.code, 0);
    QCOMPARE(jsonOf(json.out).value(QLatin1String("equal")).toBool(false), true);
    QVERIFY(jsonOf(json.out).value(QLatin1String("differences")).toArray().isEmpty());
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_clifiles.moc"
