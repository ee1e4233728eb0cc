// Tests of mv100ctl's device commands in process, on the simulated chip and its faults.
#include "CMorvantide100.h"
#include "CliRun.h"
#include "SimMorvantide100.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

enum Fault { NoFault, NoDevice, TwoDevices, Denied, Locked, Silent, FailBlock, Silent1, Silent254 };

// How each fault is brought about.
const std::function<void()> INJECT[] = {
    [] {},
    [] { mv100sim::setDeviceCount(0); },
    [] { mv100sim::setDeviceCount(2); },
    [] { mv100sim::setOpenDenied(true); },
    [] { mv100sim::chip().lockWord = mv100sim::LOCKED_WORD; },
    [] { mv100sim::stopAnsweringAfter(0); },
    [] { mv100sim::failWriteOfExchange(10); },
    [] { mv100sim::stopAnsweringAfter(1); }, // a plain write's erase goes unanswered
    [] { mv100sim::stopAnsweringAfter(254); }, // its new PIN
};

const QString OTHER_PIN = "0011223344556677";

} // namespace

class TestCliDevice : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
    QString path(const QString &name) const { return m_dir->filePath(name); }

    // A configuration that differs from an erased chip in a cell, a macro and the settings.
    static Mv100Config sample()
    {
        Mv100Config config;
        config.setKeyCode(0, 0, 0, 0x0004);
        config.setKeyCode(2, 15, 23, 0xE104);
        config.setMacro(175, Mv100Config::Macro {0x01, 0x04});
        config.settings().customData = "00112233445566778899AABBCCDDEEFF";
        config.settings().debounce = 7;
        return config;
    }

private slots:
    void initTestCase() { Mv100Ctl::setupApplication(); }

    void init()
    {
        mv100sim::reset();
        mv100sim::setBlockingReadLimitMilliseconds(50);
        CMorvantide100::SetReadTimeout(20);
        qunsetenv("MV100_PIN");
        // Backups land in a data folder of each test's own.
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_DATA_HOME", path("data").toLocal8Bit());
        m_file = path("sample.mv100");
        QVERIFY(saveConfig(m_file, sample()));
    }

    void failures_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString none = "No Morvantide100 is connected. Check the USB cable.";
        const QString two = "2 Morvantide100 chips are connected.";
        const QString locked
            = "The Morvantide is protected/locked and can be neither read nor written to.";
        const QString block = "An error occurred during data transmission (keytable/macro data).";
        const auto row = [](const char *name, Fault fault, const QStringList &arguments, int code,
                            const QString &message) {
            QTest::newRow(name) << int(fault) << arguments << code << message;
        };
        row("info, no chip", NoDevice, {"info"}, 5, none);
        row("list, no chip", NoDevice, {"list"}, 5, none);
        row("read, no chip", NoDevice, {"read", "OUT"}, 5, "No Device or too many devices found");
        row("erase, no chip", NoDevice, {"erase", "--yes"}, 5, "Morvantide100 was not found.");
        row("write, two chips", TwoDevices, {"write", "IN"}, 5, two);
        row("list, two chips", TwoDevices, {"list"}, 5, two);
        row("info, not permitted", Denied, {"info"}, 5,
            "cannot be opened (Permission denied). On Linux");
        row("list, not permitted", Denied, {"list"}, 5,
            "70-morvantide100.rules is loaded:\n"
            "sudo install -m 644 packaging/70-morvantide100.rules /etc/udev/rules.d/\n"
            "sudo udevadm control --reload-rules && sudo udevadm trigger\n");
        row("write, locked", Locked, {"write", "IN"}, 1, locked);
        row("diff --device, locked", Locked, {"diff", "IN", "--device"}, 1, locked);
        row("info, silent", Silent, {"info"}, 1, "No Morvantide100 present");
        row("erase, silent", Silent, {"erase", "-y"}, 1,
            "The device's storage could not be cleared.");
        row("read, a block fails", FailBlock, {"read", "OUT"}, 1, block);
        row("write, a block fails", FailBlock, {"write", "IN", "--no-backup"}, 1,
            block
                + "\nThe chip was erased and holds only part of the configuration; its PIN is now "
                  "the factory PIN (3C9A71E04B5D28F6). No backup was made before this Write.");
        // Unanswered, a command may have been carried out: the tool must not say it was not.
        row("write, erase unanswered", Silent1, {"write", "IN", "--no-backup", "--no-verify"}, 1,
            "(erase data).\nThe chip did not answer the erase, so it may have carried it out: it "
            "may now be empty, with the factory PIN (3C9A71E04B5D28F6).");
        row("write, new PIN unanswered", Silent254, {"write", "IN", "--no-backup", "--no-verify"},
            1,
            "(new PIN).\nThe configuration was written, but the chip did not answer the new PIN: "
            "its PIN is either the factory PIN (3C9A71E04B5D28F6) or the new PIN from the file.");
        row("erase, wrong PIN", NoFault, {"erase", "--yes", "--pin", OTHER_PIN}, 1,
            "Error: Erase/Write failed\nThe chip did not accept the PIN");
        row("write, wrong PIN", NoFault, {"write", "IN", "--pin", OTHER_PIN, "--yes"}, 1,
            "(erase data).\nThe chip did not accept the PIN");
    }
    void failures()
    {
        QFETCH(int, fault);
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        arguments.replaceInStrings("IN", m_file).replaceInStrings("OUT", path("out.mv100"));
        INJECT[fault]();
        const mv100sim::ChipState before
            = mv100sim::deviceCount() > 0 ? mv100sim::chip() : mv100sim::ChipState();

        const CliRun run = runCli(arguments);
        QCOMPARE(run.code, code);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(path("out.mv100")));
        if (fault == Locked || fault == NoDevice || fault == TwoDevices || fault == Denied
            || arguments.contains(OTHER_PIN))
            QVERIFY(mv100sim::deviceCount() == 0 || mv100sim::chip() == before);
    }

    void listAndInfo()
    {
        mv100sim::chip().eraseCount = 7;
        mv100sim::chip().customData[0] = 0xAB;
        const CliRun info = runCli({"info"});
        QCOMPARE(info.code, 0);
        QCOMPARE(info.out,
                 "Vendor ID:         0x07C0 (1984)\n"
                 "Product ID:        0x0181 (385)\n"
                 "Serial number:     1a2b3c4d\n"
                 "Firmware version:  1030\n"
                 "Custom data:       AB FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF\n"
                 "Lock status:       Unlocked\n"
                 "Erase count:       7\n");

        mv100sim::chip().lockWord = mv100sim::LOCKED_WORD;
        const CliRun json = runCli({"info", "--json"});
        QCOMPARE(json.code, 0);
        QCOMPARE(json.jsonText(),
                 "{'customData':'AB" + QString(30, 'F')
                     + "','eraseCount':7,'firmware':'1030','locked':true,'productId':385,"
                       "'serial':'1a2b3c4d','vendorId':1984}");

        const CliRun list = runCli({"list"});
        QCOMPARE(list.code, 0);
        QCOMPARE(list.out,
                 "1 Morvantide100 connected (vendor 07c0, product 0181), 1 of them can be "
                 "opened.\n");
        mv100sim::setOpenDenied(true);
        const CliRun denied = runCli({"list", "--json"});
        QCOMPARE(denied.code, 5);
        const QString census = denied.jsonText();
        QVERIFY2(census.startsWith("{'connected':1,'hint':'") && census.contains("udevadm")
                     && census.endsWith("','openError':'Permission denied','openable':0,"
                                        "'usable':false}"),
                 qPrintable(census));
    }

    void readFile()
    {
        const QString out = path("read.mv100");
        // The sample with a PIN of its own: after the write the chip has that PIN.
        Mv100Config expected = sample();
        expected.settings().newPin = OTHER_PIN;
        QVERIFY(saveConfig(m_file, expected));
        QCOMPARE(runCli({"write", m_file}).code, 0);
        qputenv("MV100_PIN", OTHER_PIN.toLower().toLatin1());
        const CliRun read = runCli({"read", out});
        QCOMPARE(read.code, 0);
        QCOMPARE(read.out, "The data was successfully transferred.\n");
        QVERIFY(read.err.isEmpty());
        // The file's PIN line is the PIN used, as in the editor's backups.
        Mv100Config config;
        QVERIFY(ConfigFile::read(out, &config));
        QCOMPARE(config, expected);

        // An existing file is replaced only with --force.
        QVERIFY(saveConfig(out, Mv100Config()));
        const CliRun refused = runCli({"read", out});
        QCOMPARE(refused.code, 3);
        QVERIFY(refused.err.contains("exists; --force replaces it."));
        QVERIFY(ConfigFile::read(out, &config));
        QCOMPARE(config, Mv100Config());
        // --pin wins over the environment; the chip answers the factory PIN with zeros.
        const CliRun option = runCli({"read", out, "--force", "--pin", MV100_PIN::STRING});
        QCOMPARE(option.code, 0);
        QVERIFY2(option.err.contains("came back all zero"), qPrintable(option.err));
        QVERIFY(ConfigFile::read(out, &config));
        QCOMPARE(config.settings().newPin, MV100_PIN::STRING);
        qunsetenv("MV100_PIN");
    }

    void verifyDifferences()
    {
        QCOMPARE(runCli({"write", m_file}).code, 0);
        const CliRun same = runCli({"verify", m_file});
        QCOMPARE(same.code, 0);
        QCOMPARE(same.out, "The chip holds the configuration of " + m_file + ".\n");
        QCOMPARE(runCli({"diff", m_file, "--device"}).code, 0);

        Mv100Config changed = sample();
        changed.setKeyCode(1, 3, 10, 0x0205);
        changed.settings().mouse[2] = 0x40;
        const QString other = path("other.mv100");
        QVERIFY(saveConfig(other, changed));
        const CliRun verify = runCli({"verify", other});
        QCOMPARE(verify.code, 4);
        QCOMPARE(verify.out,
                 "The chip differs from " + other
                     + " in 2 places (file \u2192 chip):\n"
                       "FN1 X3/Y10: Macro #05 \u2192 Empty\n"
                       "mouse: byte 2 40 \u2192 3C\n");
        const CliRun diff = runCli({"diff", other, "--device"});
        QCOMPARE(diff.code, 4);
        QCOMPARE(diff.out, verify.out.mid(verify.out.indexOf('\n') + 1));
    }

    void writeWithoutBackup()
    {
        // Options, what is typed at the terminal, exit code, whether the chip was written.
        const std::tuple<QStringList, QStringList, int, bool> rows[]
            = {{{}, {}, 1, false}, // no terminal
               {{"--yes"}, {}, 0, true},
               {{"--no-backup"}, {}, 0, true},
               {{}, {"y"}, 0, true},
               {{}, {"n"}, 0, false}};
        for (const auto &[options, answers, code, written] : rows) {
            init(); // a fresh chip and data folder
            // A file where the backups folder belongs: no backup can be made.
            const QString folder = path("data/Morvantide100 Editor");
            QVERIFY(QDir().mkpath(folder));
            QFile blocker(folder + "/backups");
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();

            const CliRun run = runCli(QStringList {"write", m_file} + options, answers);
            const QString said = run.err + run.questions.join(QString());
            QVERIFY2(run.code == code, qPrintable(options.join(' ') + answers.join(' ') + said));
            QCOMPARE(mv100sim::chip().memory[0] == 0x04, written);
            if (options.contains("--no-backup"))
                continue;
            // Asked at a terminal, said on the error output otherwise.
            QVERIFY2(said.contains("The chip's configuration could not be backed up: the folder"),
                     qPrintable(said));
            if (!answers.isEmpty())
                QVERIFY(run.questions.value(0).endsWith("\nWrite anyway? [y/N] "));
            if (!written)
                QVERIFY(run.err.contains("Nothing was written"));
        }
    }

    void writeLock()
    {
        Mv100Config locking = sample();
        locking.settings().lockMode = 1;
        const QString file = path("lock.mv100");
        QVERIFY(saveConfig(file, locking));
        // The file asks to lock: without a terminal that needs --lock; at a terminal, a question.
        QCOMPARE(runCli({"write", file}).code, 2);
        const CliRun declined = runCli({"write", file}, {"no"});
        QCOMPARE(declined.code, 0);
        QVERIFY(declined.questions.value(0).startsWith(
            "Do you really want to lock the Morvantide100?"));
        QCOMPARE(mv100sim::chip().lockWord, mv100sim::UNLOCKED_WORD);
        QCOMPARE(mv100sim::chip().memory[0], 0xFF);

        const CliRun locked = runCli({"write", m_file, "--lock"});
        QCOMPARE(locked.code, 0);
        QVERIFY(locked.out.contains("The chip was locked by this Write"));
        QVERIFY(mv100sim::chip().lockWord != mv100sim::UNLOCKED_WORD);
        QCOMPARE(runCli({"verify", m_file}).code, 1);
    }

    void writeNotKept()
    {
        mv100sim::corruptBlockWrite(10, 3, 0x01);
        const CliRun run = runCli({"write", m_file});
        QCOMPARE(run.code, 4);
        QVERIFY2(run.err.contains("the first difference is in the memory block 10."),
                 qPrintable(run.err));
        QVERIFY(run.err.contains("A backup of the chip's previous content was saved"));
    }

    void eraseQuestion()
    {
        QCOMPARE(runCli({"write", m_file}).code, 0);
        const CliRun declined = runCli({"erase"}, {"N"});
        QCOMPARE(declined.code, 0);
        QCOMPARE(declined.questions,
                 QStringList {"Erase the Morvantide100? All data will be lost and the PIN will be "
                              "set to default. [y/N] "});
        // End of input is a No as well.
        QCOMPARE(runCli({"erase"}, {}, true).code, 0);
        QCOMPARE(mv100sim::chip().memory[0], 0x04);

        const unsigned short count = mv100sim::chip().eraseCount;
        const CliRun erased = runCli({"erase"}, {"yes"});
        QCOMPARE(erased.code, 0);
        QCOMPARE(erased.out, "Morvantide100 storage has been successfully cleared\n");
        QCOMPARE(mv100sim::chip().memory[0], 0xFF);
        QCOMPARE(mv100sim::chip().eraseCount, count + 1);
    }
};

QTEST_GUILESS_MAIN(TestCliDevice)
#include "tst_clidevice.moc"
