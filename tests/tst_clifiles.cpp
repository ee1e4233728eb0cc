// Tests of mv100ctl's command line, check and diff, run in process.
#include "CliRun.h"
#include "DiffText.h"

#include <QJsonArray>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray utf16(const QList<QString> &lines)
{
    return QStringEncoder(QStringConverter::Utf16LE)(lines.join('\n') + '\n');
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_valid = m_dir.filePath("valid.mv100");
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(saveConfig(m_valid, Mv100Config()));
        qunsetenv("MV100_PIN");
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("pinVariable");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const QStringList &arguments, const QString &message,
                            const QByteArray &pinVariable = {}) {
            QTest::newRow(name) << arguments << pinVariable << message;
        };
        const QString file = "x.mv100";
        row("no command", {}, "no command given.");
        row("unknown command", {"fetch"}, "unknown command 'fetch'.");
        row("unknown option", {"info", "--fast"}, "Unknown option 'fast'.");
        row("option of another command", {"check", file, "--force"},
            "check does not take --force.");
        row("missing file", {"read"}, "usage: mv100ctl read FILE");
        row("diff with one file", {"diff", file}, "usage: mv100ctl diff A B | diff A --device");
        row("diff --device with two", {"diff", file, file, "--device"}, "usage: mv100ctl diff");
        row("--pin on a file diff", {"diff", file, file, "--pin", "00"},
            "--pin is for diff --device only.");
        row("short --pin", {"read", file, "--pin", "3C9A71E04B5D28F"},
            "--pin gives '3C9A71E04B5D28F'");
        row("non-hex --pin", {"erase", "--yes", "--pin", "3C9A71E04B5D28FX"},
            "not 16 hexadecimal digits");
        row("bad MV100_PIN", {"verify", file}, "MV100_PIN gives '12345'", "12345");
        row("erase without terminal", {"erase"}, "give --yes when there is no terminal");
    }
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, pinVariable);
        QFETCH(QString, message);
        if (!pinVariable.isEmpty())
            qputenv("MV100_PIN", pinVariable);
        const CliRun run = runCli(arguments);
        qunsetenv("MV100_PIN");
        QCOMPARE(run.code, int(Mv100Ctl::EXIT_USAGE));
        QVERIFY2(run.err.startsWith("mv100ctl: ") && run.err.contains(message),
                 qPrintable(run.err));
        QVERIFY(run.err.contains("Try 'mv100ctl --help'.") || arguments.contains("erase"));
        QVERIFY(run.out.isEmpty());
    }

    void helpAndVersion()
    {
        const CliRun version = runCli({"--version"});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, "mv100ctl 1.0.4\n");
        const CliRun help = runCli({"--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.startsWith("Usage: mv100ctl [options] COMMAND [ARGUMENTS]\n"));
        for (const char *command : {"info", "list", "read FILE", "write FILE", "verify FILE",
                                    "erase", "check FILE", "diff A B", "MV100_PIN", "Exit status:"})
            QVERIFY2(help.out.contains(command), command);
        for (const QString &line : help.out.split('\n'))
            QVERIFY2(line.size() <= 80, qPrintable(line));
    }

    void deviceOnlyWhenNeeded()
    {
        const QList<std::pair<QStringList, int>> runs = {
            {{"check", m_valid}, 0}, {{"diff", m_valid, m_valid}, 0},    {{"--version"}, 0},
            {{"info", "extra"}, 0},  {{"diff", m_valid, "--device"}, 1}, {{"info"}, 1},
            {{"list"}, 1},
        };
        for (const auto &[arguments, device] : runs) {
            int calls = 0;
            Mv100Ctl::BufferIo io;
            Mv100Ctl::run(QStringList {"mv100ctl"} + arguments, io, [&calls] { ++calls; });
            QVERIFY2(calls == device, qPrintable(arguments.join(' ')));
        }
    }

    // The reasons themselves are ConfigFile's; each command passes them on alike.
    void refusedFiles()
    {
        QList<QString> lines = ConfigFile::toLines(Mv100Config());
        const auto write = [this](const char *name, const QList<QString> &content) {
            QFile file(path(name));
            return file.open(QIODevice::WriteOnly) && file.write(utf16(content)) > 0;
        };
        QVERIFY(write("short.mv100", lines.mid(0, 10)));
        lines[12] = "00FF";
        QVERIFY(write("block.mv100", lines));
        const std::tuple<QString, int, QString> rows[]
            = {{path("short.mv100"), 0, "it has 10 lines, but a configuration has 256."},
               {path("block.mv100"), 13, "line 13 is not a memory block of 64 hexadecimal digits."},
               {path("missing.mv100"), 0, "No such file or directory"}};
        for (const auto &[name, line, reason] : rows) {
            const CliRun text = runCli({"check", name});
            QCOMPARE(text.code, int(Mv100Ctl::EXIT_FILE));
            QVERIFY(text.out.isEmpty());
            QCOMPARE(text.err,
                     "mv100ctl: The file " + name + " cannot be opened: " + reason + '\n');

            const CliRun json = runCli({"check", "--json", name});
            QCOMPARE(json.code, int(Mv100Ctl::EXIT_FILE));
            QCOMPARE(json.json(),
                     QJsonObject(
                         {{"file", name}, {"valid", false}, {"line", line}, {"reason", reason}}));

            for (const QStringList &arguments :
                 {QStringList {"write", name, "--yes"}, QStringList {"verify", name},
                  QStringList {"diff", m_valid, name}}) {
                const CliRun other = runCli(arguments);
                QCOMPARE(other.code, int(Mv100Ctl::EXIT_FILE));
                QCOMPARE(other.err, text.err);
            }
        }
    }

    // A valid file checks; equal files diff empty.
    void validAndEqualFiles()
    {
        const CliRun text = runCli({"check", m_valid});
        QCOMPARE(text.code, 0);
        QCOMPARE(text.out, m_valid + ": a valid configuration.\n");
        QVERIFY(text.err.isEmpty());
        const CliRun json = runCli({"check", m_valid, "--json"});
        QCOMPARE(json.code, 0);
        QCOMPARE(json.json(), QJsonObject({{"file", m_valid}, {"valid", true}}));

        const QString copy = path("copy.mv100");
        QVERIFY(saveConfig(copy, Mv100Config()));
        const CliRun equal = runCli({"diff", m_valid, copy});
        QVERIFY(equal.code == 0 && equal.out.isEmpty());
        const CliRun equalJson = runCli({"diff", m_valid, copy, "--json"});
        QCOMPARE(equalJson.code, 0);
        QCOMPARE(
            equalJson.json(),
            QJsonObject(
                {{"a", m_valid}, {"b", copy}, {"equal", true}, {"differences", QJsonArray()}}));
    }

    void keyNames()
    {
        const QList<std::pair<int, QString>> names = {
            {0xFFFF, "Empty"},     {0x0004, "A"},          {0xE104, "L-Shift + A"},
            {0xE61E, "R-ALT + 1"}, {0x0205, "Macro #05"},  {0x02AF, "Macro #175"},
            {0x0104, "Rewind"},    {0x0301, "Mouse Left"}, {0x00FF, "FN1"},
            {0x0704, "0x0704"},    {0xE904, "0xE904"}, // an unknown family or modifier
            {0x0401, "DAC0 Max"}, // a two-line matrix label, on one line
        };
        for (const auto &[code, name] : names)
            QCOMPARE(Mv100Ctl::DiffText::keyName(std::uint16_t(code)), name);
    }

    void diffLines()
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
        b.settings().newPin = "0102030405060708";
        b.settings().debounce = 5;
        const QString fileA = path("a.mv100"), fileB = path("b.mv100");
        QVERIFY(saveConfig(fileA, a) && saveConfig(fileB, b));

        const CliRun run = runCli({"diff", fileA, fileB});
        QCOMPARE(run.code, int(Mv100Ctl::EXIT_DIFFERENT));
        QCOMPARE(run.out,
                 "FN1 X3/Y10: A \u2192 L-Shift + A\n"
                 "Macro 12: byte 3 04 \u2192 05\n"
                 "PIN: 3C9A71E04B5D28F6 \u2192 0102030405060708\n"
                 "mouse: byte 2 3C \u2192 40\n"
                 "debounce: 3 ms \u2192 5 ms\n");
        QVERIFY(run.err.isEmpty());

        const CliRun json = runCli({"diff", "--json", fileA, fileB});
        QCOMPARE(json.code, int(Mv100Ctl::EXIT_DIFFERENT));
        QCOMPARE(json.json().value("equal"), false);
        // The text of each is the line above; the rest as the values are.
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QStringList objects;
        for (const QJsonValue &value : json.json().value("differences").toArray()) {
            QJsonObject difference = value.toObject();
            QCOMPARE(difference.take("text"), lines.value(objects.size()));
            objects << QJsonDocument(difference).toJson(QJsonDocument::Compact);
        }
        QCOMPARE(objects.join('\n'),
                 QString("{'after':57604,'afterName':'L-Shift + A','before':4,'beforeName':'A',"
                         "'column':3,'kind':'cell','layer':'FN1','row':10}\n"
                         "{'after':5,'before':4,'byte':3,'kind':'macro','macro':12}\n"
                         "{'after':'0102030405060708','before':'3C9A71E04B5D28F6','kind':'setting',"
                         "'setting':'PIN'}\n"
                         "{'after':64,'before':60,'byte':2,'kind':'setting','setting':'mouse'}\n"
                         "{'after':'5 ms','before':'3 ms','kind':'setting','setting':'debounce'}")
                     .replace('\'', '"'));
        // The other way round, before and after swap.
        const CliRun back = runCli({"diff", fileB, fileA});
        QVERIFY(back.out.startsWith("FN1 X3/Y10: L-Shift + A \u2192 A\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_clifiles.moc"
