// Tests of mv100ctl's device commands in process, on the simulated chip and its faults.
#include "CMorvantide100.h"
#include "CliRun.h"
#include "SimMorvantide100.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

enum Fault { NoFault, NoDevice, TwoDevices, Denied, Locked, Silent, FailExchange10 };

void inject(Fault fault)
{
    switch (fault) {
    case NoFault:
        break;
    case NoDevice:
        mv100sim::setDeviceCount(0);
        break;
    case TwoDevices:
        mv100sim::setDeviceCount(2);
        break;
    case Denied:
        mv100sim::setOpenDenied(true);
        break;
    case Locked:
        mv100sim::chip().lockWord = mv100sim::LOCKED_WORD;
        break;
    case Silent:
        mv100sim::stopAnsweringAfter(0);
        break;
    case FailExchange10:
        mv100sim::failWriteOfExchange(10);
        break;
    }
}

const QString OTHER_PIN = QStringLiteral("0011223344556677");

} // namespace

class TestCliDevice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void failures_data();
    void failures();
    void listAndInfo();
    void readFile();
    void pinFromEnvironment();
    void verifyDifferences();
    void writeWithoutBackup_data();
    void writeWithoutBackup();
    void writeLock();
    void writeNotKept();
    void eraseQuestion();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // A configuration that differs from an erased chip in a cell, a macro and the settings.
    Mv100Config sample() const;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

void TestCliDevice::initTestCase()
{
    Mv100Ctl::setupApplication();
}

void TestCliDevice::init()
{
    mv100sim::reset();
    mv100sim::setBlockingReadLimitMilliseconds(50);
    CMorvantide100::SetReadTimeout(20);
    qunsetenv("MV100_PIN");
    // Backups land in a data folder of each test's own.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toLocal8Bit());
    m_file = path(QStringLiteral("sample.mv100"));
    QVERIFY(saveConfig(m_file, sample()));
}

Mv100Config TestCliDevice::sample() const
{
    Mv100Config config;
    config.setKeyCode(0, 0, 0, 0x0004);
    config.setKeyCode(2, 15, 23, 0xE104);
    Mv100Config::Macro macro = Mv100Config::emptyMacro();
    macro[0] = 0x01;
    macro[1] = 0x04;
    config.setMacro(175, macro);
    config.settings().customData = QStringLiteral("00112233445566778899AABBCCDDEEFF");
    config.settings().debounce = 7;
    return config;
}

void TestCliDevice::failures_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    const QString none = QStringLiteral("No Morvantide100 is connected. Check the USB cable.");
    const QString two = QStringLiteral("2 Morvantide100 chips are connected.");
    const QString locked = QStringLiteral(
        "The Morvantide is protected/locked and can be neither read nor written to.");
    const QString out = QStringLiteral("out.mv100");
    const QString in = QStringLiteral("IN");
    QTest::newRow("info, no chip") << int(NoDevice) << QStringList {"info"} << 5 << none;
    QTest::newRow("list, no chip") << int(NoDevice) << QStringList {"list"} << 5 << none;
    QTest::newRow("read, no chip")
        << int(NoDevice) << QStringList {"read", out} << 5 << "No Device or too many devices found";
    QTest::newRow("erase, no chip")
        << int(NoDevice) << QStringList {"erase", "--yes"} << 5 << "Morvantide100 was not found.";
    QTest::newRow("write, two chips") << int(TwoDevices) << QStringList {"write", in} << 5 << two;
    QTest::newRow("verify, two chips") << int(TwoDevices) << QStringList {"verify", in} << 5 << two;
    QTest::newRow("list, two chips") << int(TwoDevices) << QStringList {"list"} << 5 << two;
    QTest::newRow("info, not permitted") << int(Denied) << QStringList {"info"} << 5
                                         << "cannot be opened (Permission denied). On Linux";
    QTest::newRow("list, not permitted")
        << int(Denied) << QStringList {"list"} << 5
        << "70-morvantide100.rules is loaded:\n"
           "sudo install -m 644 packaging/70-morvantide100.rules /etc/udev/rules.d/\n"
           "sudo udevadm control --reload-rules && sudo udevadm trigger\n";
    QTest::newRow("read, locked") << int(Locked) << QStringList {"read", out} << 1 << locked;
    QTest::newRow("write, locked") << int(Locked) << QStringList {"write", in} << 1 << locked;
    QTest::newRow("diff --device, locked")
        << int(Locked) << QStringList {"diff", in, "--device"} << 1 << locked;
    QTest::newRow("info, silent") << int(Silent) << QStringList {"info"} << 1
                                  << "No Morvantide100 present";
    QTest::newRow("erase, silent") << int(Silent) << QStringList {"erase", "-y"} << 1
                                   << "The device's storage could not be cleared.";
    QTest::newRow("read, a block fails")
        << int(FailExchange10) << QStringList {"read", out} << 1
        << "An error occurred during data transmission (keytable/macro data).";
    QTest::newRow("write, a block fails")
        << int(FailExchange10) << QStringList {"write", in, "--no-backup"} << 1
        << "An error occurred during data transmission (keytable/macro data).\nThe chip was "
           "erased and holds only part of the configuration; its PIN is now the factory PIN "
           "(3C9A71E04B5D28F6). No backup was made before this Write.";
    QTest::newRow("erase, wrong PIN")
        << int(NoFault) << QStringList {"erase", "--yes", "--pin", OTHER_PIN} << 1
        << "Error: Erase/Write failed\nThe chip did not accept the PIN";
    QTest::newRow("write, wrong PIN")
        << int(NoFault) << QStringList {"write", in, "--pin", OTHER_PIN, "--yes"} << 1
        << "(erase data).\nThe chip did not accept the PIN";
}

void TestCliDevice::failures()
{
    QFETCH(int, fault);
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, message);
    arguments.replaceInStrings(QStringLiteral("IN"), m_file);
    arguments.replaceInStrings(QStringLiteral("out.mv100"), path(QStringLiteral("out.mv100")));
    inject(Fault(fault));
    const mv100sim::ChipState before
        = mv100sim::deviceCount() > 0 ? mv100sim::chip() : mv100sim::ChipState();

    const CliRun run = runCli(arguments);
    QCOMPARE(run.code, code);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("out.mv100"))));
    if (fault == Locked || fault == NoDevice || fault == TwoDevices || fault == Denied
        || arguments.contains(OTHER_PIN))
        QVERIFY(mv100sim::deviceCount() == 0 || mv100sim::chip() == before);
}

void TestCliDevice::listAndInfo()
{
    mv100sim::chip().eraseCount = 7;
    mv100sim::chip().customData[0] = 0xAB;
    const CliRun info = runCli({QStringLiteral("info")});
    QCOMPARE(info.code, 0);
    QCOMPARE(info.out,
             QStringLiteral("Vendor ID:         0x07C0 (1984)\n"
                            "Product ID:        0x0181 (385)\n"
                            "Serial number:     1a2b3c4d\n"
                            "Firmware version:  1030\n"
                            "Custom data:       AB FF FF FF FF FF FF FF FF FF FF FF FF "
                            "FF FF FF\n"
                            "Lock status:       Unlocked\n"
                            "Erase count:       7\n"));

    mv100sim::chip().lockWord = mv100sim::LOCKED_WORD;
    const CliRun json = runCli({QStringLiteral("info"), QStringLiteral("--json")});
    QCOMPARE(json.code, 0);
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(object.value(QLatin1String("vendorId")).toInt(), 0x07C0);
    QCOMPARE(object.value(QLatin1String("productId")).toInt(), 0x0181);
    QCOMPARE(object.value(QLatin1String("serial")).toString(), QStringLiteral("1a2b3c4d"));
    QCOMPARE(object.value(QLatin1String("firmware")).toString(), QStringLiteral("1030"));
    QCOMPARE(object.value(QLatin1String("customData")).toString(),
             QStringLiteral("AB") + QString(30, QLatin1Char('F')));
    QCOMPARE(object.value(QLatin1String("locked")).toBool(), true);
    QCOMPARE(object.value(QLatin1String("eraseCount")).toInt(), 7);

    const CliRun list = runCli({QStringLiteral("list")});
    QCOMPARE(list.code, 0);
    QCOMPARE(list.out,
             QStringLiteral("1 Morvantide100 connected (vendor 07c0, product 0181), 1 "
                            "of them can be opened.\n"));
    mv100sim::setOpenDenied(true);
    const CliRun denied = runCli({QStringLiteral("list"), QStringLiteral("--json")});
    QCOMPARE(denied.code, 5);
    const QJsonObject census = QJsonDocument::fromJson(denied.out.toUtf8()).object();
    QCOMPARE(census.value(QLatin1String("connected")).toInt(), 1);
    QCOMPARE(census.value(QLatin1String("openable")).toInt(), 0);
    QCOMPARE(census.value(QLatin1String("usable")).toBool(true), false);
    QCOMPARE(census.value(QLatin1String("openError")).toString(),
             QStringLiteral("Permission denied"));
    QVERIFY(census.value(QLatin1String("hint")).toString().contains(QLatin1String("udevadm")));
}

void TestCliDevice::readFile()
{
    const QString out = path(QStringLiteral("read.mv100"));
    // The sample with a PIN of its own: after the write the chip has that PIN.
    Mv100Config expected = sample();
    expected.settings().newPin = OTHER_PIN;
    QVERIFY(saveConfig(m_file, expected));
    QCOMPARE(runCli({QStringLiteral("write"), m_file}).code, 0);
    const CliRun read = runCli({QStringLiteral("read"), out, QStringLiteral("--pin"), OTHER_PIN});
    QCOMPARE(read.code, 0);
    QCOMPARE(read.out, QStringLiteral("The data was successfully transferred.\n"));
    QVERIFY(read.err.isEmpty());
    // The file's PIN line is the PIN used, as in the editor's backups.
    Mv100Config config;
    QVERIFY(ConfigFile::read(out, &config));
    QCOMPARE(config.settings().newPin, OTHER_PIN);
    QCOMPARE(config, expected);

    // An existing file is replaced only with --force.
    QVERIFY(saveConfig(out, Mv100Config()));
    const CliRun refused = runCli({QStringLiteral("read"), out});
    QCOMPARE(refused.code, 3);
    QVERIFY(refused.err.contains(QLatin1String("exists; --force replaces it.")));
    QVERIFY(ConfigFile::read(out, &config));
    QCOMPARE(config, Mv100Config());
    QCOMPARE(runCli({QStringLiteral("read"), out, QStringLiteral("--force"),
                     QStringLiteral("--pin"), OTHER_PIN})
                 .code,
             0);
    QVERIFY(ConfigFile::read(out, &config));
    QCOMPARE(config, expected);
}

void TestCliDevice::pinFromEnvironment()
{
    mv100sim::chip().pin = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
    const QString out = path(QStringLiteral("env.mv100"));
    qputenv("MV100_PIN", OTHER_PIN.toLower().toLatin1());
    const CliRun env = runCli({QStringLiteral("read"), out});
    QCOMPARE(env.code, 0);
    Mv100Config config;
    QVERIFY(ConfigFile::read(out, &config));
    QCOMPARE(config.settings().newPin, OTHER_PIN);
    // --pin wins over the environment; the chip answers the factory PIN with zeros.
    const CliRun option = runCli({QStringLiteral("read"), out, QStringLiteral("--force"),
                                  QStringLiteral("--pin"), QLatin1String(MV100_PIN::STRING)});
    QCOMPARE(option.code, 0);
    QVERIFY2(option.err.contains(QLatin1String("came back all zero")), qPrintable(option.err));
    qunsetenv("MV100_PIN");
}

void TestCliDevice::verifyDifferences()
{
    QCOMPARE(runCli({QStringLiteral("write"), m_file}).code, 0);
    const CliRun same = runCli({QStringLiteral("verify"), m_file});
    QCOMPARE(same.code, 0);
    QCOMPARE(same.out, QStringLiteral("The chip holds the configuration of %1.\n").arg(m_file));
    QCOMPARE(runCli({QStringLiteral("diff"), m_file, QStringLiteral("--device")}).code, 0);

    Mv100Config changed = sample();
    changed.setKeyCode(1, 3, 10, 0x0205);
    changed.settings().mouse[2] = 0x40;
    const QString other = path(QStringLiteral("other.mv100"));
    QVERIFY(saveConfig(other, changed));
    const CliRun verify = runCli({QStringLiteral("verify"), other});
    QCOMPARE(verify.code, 4);
    QCOMPARE(verify.out,
             QStringLiteral("The chip differs from %1 in 2 places (file \u2192 chip):\n"
                            "FN1 X3/Y10: Macro #05 \u2192 Empty\n"
                            "mouse: byte 2 40 \u2192 3C\n")
                 .arg(other));
    const CliRun diff = runCli({QStringLiteral("diff"), other, QStringLiteral("--device")});
    QCOMPARE(diff.code, 4);
    QCOMPARE(diff.out, verify.out.mid(verify.out.indexOf(QLatin1Char('\n')) + 1));
}

void TestCliDevice::writeWithoutBackup_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("written");
    QTest::newRow("no terminal") << QStringList {} << QStringList {} << 1 << false;
    QTest::newRow("--yes") << QStringList {"--yes"} << QStringList {} << 0 << true;
    QTest::newRow("--no-backup") << QStringList {"--no-backup"} << QStringList {} << 0 << true;
    QTest::newRow("answered yes") << QStringList {} << QStringList {"y"} << 0 << true;
    QTest::newRow("answered no") << QStringList {} << QStringList {"n"} << 0 << false;
}

void TestCliDevice::writeWithoutBackup()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, answers);
    QFETCH(int, code);
    QFETCH(bool, written);
    // A file where the backups folder belongs: no backup can be made.
    const QString folder = path(QStringLiteral("data/Morvantide100 Editor"));
    QVERIFY(QDir().mkpath(folder));
    QFile blocker(folder + QStringLiteral("/backups"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const CliRun run = runCli(QStringList {QStringLiteral("write"), m_file} + options, answers);
    QCOMPARE(run.code, code);
    QCOMPARE(mv100sim::chip().memory[0] == 0x04, written);
    if (options.contains(QLatin1String("--no-backup")))
        return;
    // Asked at a terminal, said on the error output otherwise.
    const QString said = run.err + run.questions.join(QString());
    QVERIFY2(said.contains(QLatin1String("The chip's configuration could not be backed up: the "
                                         "folder")),
             qPrintable(said));
    if (!answers.isEmpty())
        QVERIFY(run.questions.value(0).endsWith(QLatin1String("\nWrite anyway? [y/N] ")));
    if (!written)
        QVERIFY(run.err.contains(QLatin1String("Nothing was written")));
}

void TestCliDevice::writeLock()
{
    Mv100Config locking = sample();
    locking.settings().lockMode = 1;
    const QString file = path(QStringLiteral("lock.mv100"));
    QVERIFY(saveConfig(file, locking));
    // The file asks to lock: without a terminal that needs --lock; at a terminal, a question.
    const CliRun refused = runCli({QStringLiteral("write"), file});
    QCOMPARE(refused.code, 2);
    const CliRun declined = runCli({QStringLiteral("write"), file}, {QStringLiteral("no")});
    QCOMPARE(declined.code, 0);
    QVERIFY(declined.questions.value(0).startsWith(
        QLatin1String("Do you really want to lock the Morvantide100?")));
    QCOMPARE(mv100sim::chip().lockWord, mv100sim::UNLOCKED_WORD);
    QCOMPARE(mv100sim::chip().memory[0], 0xFF);

    const CliRun locked = runCli({QStringLiteral("write"), m_file, QStringLiteral("--lock")});
    QCOMPARE(locked.code, 0);
    QVERIFY(locked.out.contains(QLatin1String("The chip was locked by this Write")));
    QVERIFY(mv100sim::chip().lockWord != mv100sim::UNLOCKED_WORD);
    QCOMPARE(runCli({QStringLiteral("verify"), m_file}).code, 1);
}

void TestCliDevice::writeNotKept()
{
    mv100sim::corruptBlockWrite(10, 3, 0x01);
    const CliRun run = runCli({QStringLiteral("write"), m_file});
    QCOMPARE(run.code, 4);
    QVERIFY2(run.err.contains(QLatin1String("the first difference is in the memory block 10.")),
             qPrintable(run.err));
    QVERIFY(run.err.contains(QLatin1String("A backup of the chip's previous content was saved")));
}

void TestCliDevice::eraseQuestion()
{
    QCOMPARE(runCli({QStringLiteral("write"), m_file}).code, 0);
    const CliRun declined = runCli({QStringLiteral("erase")}, {QStringLiteral("N")});
    QCOMPARE(declined.code, 0);
    QCOMPARE(declined.questions,
             QStringList {QStringLiteral("Erase the Morvantide100? All data will be lost and the "
                                         "PIN will be set to default. [y/N] ")});
    QCOMPARE(mv100sim::chip().memory[0], 0x04);
    // End of input is a No as well.
    QCOMPARE(runCli({QStringLiteral("erase")}, {}, true).code, 0);
    QCOMPARE(mv100sim::chip().memory[0], 0x04);

    const unsigned short count = mv100sim::chip().eraseCount;
    const CliRun erased = runCli({QStringLiteral("erase")}, {QStringLiteral("yes")});
    QCOMPARE(erased.code, 0);
    QCOMPARE(erased.out, QStringLiteral("Morvantide100 storage has been successfully cleared\n"));
    QCOMPARE(mv100sim::chip().memory[0], 0xFF);
    QCOMPARE(mv100sim::chip().eraseCount, count + 1);
}

QTEST_GUILESS_MAIN(TestCliDevice)
#include "tst_clidevice.moc"
