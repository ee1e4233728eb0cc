// Tests of Read, Write, Erase and Get Info on configuration values against the simulated chip.
#include "MemoryImage.h"
#include "Mv100Transfer.h"
#include "RichConfig.h"
#include "SimMorvantide100.h"

#include <QtTest>

namespace {
using PinBytes = Mv100Transfer::PinBytes;
const PinBytes FACTORY_PIN = MV100_PIN::BYTES;
const PinBytes NEW_PIN = {0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6, 0x07, 0x18};

template<typename Bytes> QString hex(const Bytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(std::data(bytes)), int(std::size(bytes)))
        .toHex()
        .toUpper();
}

// The chip-held part of a chip's state, as text.
QString chipSettings(const mv100sim::ChipState &chip)
{
    return QStringList {
        hex(chip.pin),       hex(chip.customData), hex(std::array {chip.lockKeys}), hex(chip.mouse),
        hex(chip.backlight), hex(chip.led),        hex(std::array {chip.debounce})}
        .join(' ');
}

// The command byte of every report written since the simulator's reset.
QByteArray commands()
{
    QByteArray out;
    for (const mv100sim::LoggedReport &report : mv100sim::writtenReports())
        out.append(char(report.bytes.at(1)));
    return out;
}

enum Fault { Silent, FailWrite, Locked, WrongPin };
} // namespace

class TestDeviceTransfer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { CMorvantide100::SetReadTimeout(20); } // silent chips answer at once
    void init() { mv100sim::reset(); }

    void openNeedsExactlyOneChip()
    {
        for (const int count : {0, 2, 1}) {
            mv100sim::setDeviceCount(count);
            Mv100Transfer transfer;
            QCOMPARE(transfer.Open(), count == 1);
            QCOMPARE(mv100sim::openHandleCount(), count == 1 ? 1 : 0);
        }
        Mv100Transfer closed;
        QCOMPARE(closed.Write(richConfig(), FACTORY_PIN, false), MV100::RESULT_OPEN);
        QVERIFY(Mv100Transfer::pinBytes("ABC") == (PinBytes {0x0A, 0xBC}));
    }

    void writeThenRead()
    {
        const Mv100Config config = richConfig();
        int steps = 0;
        Mv100Transfer transfer([&steps] { ++steps; });
        QVERIFY(transfer.Open());
        QCOMPARE(transfer.Write(config, FACTORY_PIN, false), MV100::RESULT_SUCCESS);
        QCOMPARE(steps, Mv100Transfer::WRITE_STEPS);
        const mv100sim::ChipState &chip = mv100sim::chip();
        QCOMPARE(chipSettings(chip),
                 "A1B2C3D4E5F60718 00112233445566778899AABBCCDDEEFF 25 "
                 "03A5102030400B0102030405060708 0102030405060708090A0100010001 "
                 "00051011FF2A3F21 13");
        QVERIFY(chip.lockWord == mv100sim::UNLOCKED_WORD && chip.eraseCount == 1);
        QCOMPARE(hex(chip.memory), hex(MemoryImage::build(config)));

        // The chip's bytes are normalised like a file's; newPin and lockMode are no chip content.
        mv100sim::chip().led[1] = 0x06;
        Mv100Config target;
        target.settings().newPin = "CAFE";
        Mv100DeviceInfo info;
        steps = 0;
        QCOMPARE(transfer.Read(NEW_PIN, target, &info), MV100::RESULT_SUCCESS);
        QCOMPARE(steps, Mv100Transfer::READ_STEPS);
        Mv100Config expected = config;
        expected.settings().newPin = "CAFE";
        expected.settings().lockMode = 0;
        expected.settings().led[1] = 0xFF;
        QVERIFY(target == expected);
        QCOMPARE(hex(info.customData), "00112233445566778899AABBCCDDEEFF");
        QVERIFY(!info.locked && info.eraseCount == 1 && info.serial == 0x1A2B3C4D);
        QCOMPARE(info.version, 0x1030);
    }

    void failures_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("exchange"); // the one that fails; none follows it
        QTest::addColumn<int>("result");
        using namespace MV100;
        const bool R = false, W = true;
        // Each silent case waits for one read timeout.
        QTest::newRow("Read: silent") << R << Silent << 0 << int(RESULT_OPEN);
        QTest::newRow("Read: silent after info") << R << Silent << 1 << int(RESULT_MOUSE);
        QTest::newRow("Read: silent at block 100") << R << Silent << 104 << int(RESULT_MEMORY);
        QTest::newRow("Read: locked") << R << Locked << 0 << int(RESULT_LOCKED);
        QTest::newRow("Read: info") << R << FailWrite << 0 << int(RESULT_OPEN);
        QTest::newRow("Read: mouse") << R << FailWrite << 1 << int(RESULT_MOUSE);
        QTest::newRow("Read: LED") << R << FailWrite << 2 << int(RESULT_LED);
        QTest::newRow("Read: debounce") << R << FailWrite << 3 << int(RESULT_DEBOUNCE);
        QTest::newRow("Read: block 0") << R << FailWrite << 4 << int(RESULT_MEMORY);
        QTest::newRow("Read: block 247") << R << FailWrite << 251 << int(RESULT_MEMORY);
        QTest::newRow("Write: locked") << W << Locked << 0 << int(RESULT_LOCKED);
        QTest::newRow("Write: wrong PIN") << W << WrongPin << 1 << int(RESULT_ERASE);
        QTest::newRow("Write: info") << W << FailWrite << 0 << int(RESULT_OPEN);
        QTest::newRow("Write: erase") << W << FailWrite << 1 << int(RESULT_ERASE);
        QTest::newRow("Write: LED") << W << FailWrite << 2 << int(RESULT_LED);
        QTest::newRow("Write: mouse") << W << FailWrite << 3 << int(RESULT_MOUSE);
        QTest::newRow("Write: custom data") << W << FailWrite << 4 << int(RESULT_CUSTOM_DATA);
        QTest::newRow("Write: block 0") << W << FailWrite << 5 << int(RESULT_MEMORY);
        QTest::newRow("Write: block 247") << W << FailWrite << 252 << int(RESULT_MEMORY);
        QTest::newRow("Write: debounce") << W << FailWrite << 253 << int(RESULT_DEBOUNCE);
        QTest::newRow("Write: new PIN") << W << FailWrite << 254 << int(RESULT_NEW_PIN);
        QTest::newRow("Write: lock") << W << FailWrite << 255 << int(RESULT_LOCK);
    }
    void failures()
    {
        QFETCH(bool, write);
        QFETCH(Fault, fault);
        QFETCH(int, exchange);
        QFETCH(int, result);
        mv100sim::ChipState &chip = mv100sim::chip();
        const Mv100Config content = richConfig();
        const MemoryImage::Image image = MemoryImage::build(content);
        std::copy(image.begin(), image.end(), chip.memory.begin());
        chip.mouse = content.settings().mouse;
        if (fault == Silent)
            mv100sim::stopAnsweringAfter(exchange);
        if (fault == FailWrite)
            mv100sim::failWriteOfExchange(exchange);
        if (fault == Locked)
            chip.lockWord = mv100sim::LOCKED_WORD;
        if (fault == WrongPin)
            chip.pin = NEW_PIN;
        const mv100sim::ChipState before = chip;

        int steps = 0;
        Mv100Transfer transfer([&steps] { ++steps; });
        QVERIFY(transfer.Open());
        Mv100Config config;
        config.settings().debounce = 42;
        const Mv100Config untouched = config;
        Mv100DeviceInfo info;
        info.serial = 7;
        info.version = 9;
        QCOMPARE(int(write ? transfer.Write(content, FACTORY_PIN, true)
                           : transfer.Read(FACTORY_PIN, config, &info)),
                 result);
        QCOMPARE(mv100sim::exchangeCount(), exchange + 1);
        QCOMPARE(steps, fault == Locked ? 1 : exchange);
        // A read changes nothing unless all of it succeeded; a refused erase neither.
        QVERIFY(config == untouched);
        QVERIFY(info.serial == 7 && info.version == 9 && info.eraseCount == 0 && !info.locked);
        if (fault == WrongPin || fault == Locked)
            QVERIFY(mv100sim::chip() == before);
    }

    void writeAndLock()
    {
        Mv100Transfer transfer;
        QVERIFY(transfer.Open());
        QCOMPARE(transfer.Write(richConfig(), FACTORY_PIN, true), MV100::RESULT_SUCCESS);
        QCOMPARE(mv100sim::chip().lockWord, mv100sim::LOCKED_WORD);
        const std::vector<unsigned char> &last = mv100sim::writtenReports().back().bytes;
        QCOMPARE(int(last.at(1)), int(MV100::CMD_WRITE_LOCK));
        QCOMPARE(hex(std::vector<unsigned char>(last.begin() + 5, last.begin() + 13)),
                 "A1B2C3D4E5F60718"); // locked with the new PIN
        QCOMPARE(hex(mv100sim::chip().pin), "A1B2C3D4E5F60718");
        Mv100Config config;
        QCOMPARE(transfer.Read(NEW_PIN, config), MV100::RESULT_LOCKED);
    }

    void oldFirmwareHasNoDebounce()
    {
        mv100sim::chip().firmwareVersion = 0x102F;
        int steps = 0;
        Mv100Transfer transfer([&steps] { ++steps; });
        QVERIFY(transfer.Open());
        QCOMPARE(transfer.Write(richConfig(), FACTORY_PIN, false), MV100::RESULT_SUCCESS);
        QCOMPARE(steps, Mv100Transfer::WRITE_STEPS);
        QCOMPARE(int(mv100sim::chip().debounce), 2);
        Mv100Config config;
        config.settings().debounce = 77;
        steps = 0;
        QCOMPARE(transfer.Read(NEW_PIN, config), MV100::RESULT_SUCCESS);
        QCOMPARE(steps, Mv100Transfer::READ_STEPS);
        QCOMPARE(int(config.settings().debounce), 77);
        QVERIFY(!commands().contains(char(MV100::CMD_WRITE_DEBOUNCE))
                && !commands().contains(char(MV100::CMD_READ_DEBOUNCE)));
    }

    void erase_data()
    {
        QTest::addColumn<QString>("setup"); // locked, chip error or silent
        QTest::addColumn<bool>("rightPin");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("detail");
        using Outcome = Mv100Transfer::EraseOutcome;
        QTest::newRow("right PIN") << "" << true << int(Outcome::Done) << 0xEE;
        QTest::newRow("right PIN, locked") << "locked" << true << int(Outcome::Done) << 0xEE;
        QTest::newRow("wrong PIN") << "" << false << int(Outcome::Refused) << 3;
        QTest::newRow("wrong PIN, locked") << "locked" << false << int(Outcome::Refused) << 4;
        QTest::newRow("chip error") << "error" << true << int(Outcome::Refused) << 1;
        QTest::newRow("no answer") << "silent" << true << int(Outcome::NoAnswer) << 0xEE;
    }
    void erase()
    {
        QFETCH(QString, setup);
        QFETCH(bool, rightPin);
        QFETCH(int, outcome);
        QFETCH(int, detail);
        mv100sim::ChipState &chip = mv100sim::chip();
        chip.pin = NEW_PIN;
        chip.memory.fill(0x12);
        chip.lockWord = setup == "locked" ? mv100sim::LOCKED_WORD : mv100sim::UNLOCKED_WORD;
        mv100sim::setEraseError(setup == "error" ? 1 : 0);
        mv100sim::answerEmpty(setup == "silent"); // the chip still erases
        const mv100sim::ChipState before = chip;
        Mv100Transfer transfer;
        QVERIFY(transfer.Open());
        std::uint8_t reason = 0xEE;
        QCOMPARE(int(transfer.Erase(rightPin ? NEW_PIN : FACTORY_PIN, &reason)), outcome);
        QCOMPARE(int(reason), detail);
        mv100sim::ChipState erased;
        erased.eraseCount = 1;
        QVERIFY(mv100sim::chip() == (rightPin && setup != "error" ? erased : before));
    }

    void info()
    {
        mv100sim::ChipState &chip = mv100sim::chip();
        chip.serial = 0x89ABCDEF;
        chip.eraseCount = 0x1234;
        chip.lockWord = 0x0000;
        chip.firmwareVersion = 0x1031;
        for (int i = 0; i < 16; ++i)
            chip.customData[i] = std::uint8_t(0x10 * i + 1);
        Mv100Transfer transfer;
        QVERIFY(transfer.Open());
        Mv100DeviceInfo info;
        QVERIFY(transfer.Info(info));
        QVERIFY(info.serial == 0x89ABCDEF && info.eraseCount == 0x1234 && info.locked);
        QCOMPARE(info.version, 0x1031);
        QCOMPARE(hex(info.customData), "01112131415161718191A1B1C1D1E1F1");
        chip.lockWord = mv100sim::UNLOCKED_WORD;
        QVERIFY(transfer.Info(info) && !info.locked);
        mv100sim::answerEmpty(true);
        info.serial = 7;
        QVERIFY(!transfer.Info(info) && info.serial == 7);
    }
};

QTEST_GUILESS_MAIN(TestDeviceTransfer)
#include "tst_devicetransfer.moc"
