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
} // namespace

class TestDeviceTransfer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { CMorvantide100::SetReadTimeout(20); } // silent chips answer at once
    void init() { mv100sim::reset(); }

    // Nothing is sent unopened; a PIN text too short is taken as padded with zeros.
    void unopenedAndShortPin()
    {
        Mv100Transfer closed;
        QCOMPARE(closed.Write(richConfig(), FACTORY_PIN, false), MV100::RESULT_OPEN);
        QCOMPARE(mv100sim::exchangeCount(), 0);
        QVERIFY(Mv100Transfer::pinBytes("ABC") == (PinBytes {0x0A, 0xBC}));
    }

    void writeThenRead()
    {
        const Mv100Config config = richConfig();
        Mv100Transfer transfer;
        QVERIFY(transfer.Open());
        QCOMPARE(transfer.Write(config, FACTORY_PIN, false), MV100::RESULT_SUCCESS);
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
        QCOMPARE(transfer.Read(NEW_PIN, target, &info), MV100::RESULT_SUCCESS);
        Mv100Config expected = config;
        expected.settings().newPin = "CAFE";
        expected.settings().lockMode = 0;
        expected.settings().led[1] = 0xFF;
        QVERIFY(target == expected);
        QCOMPARE(hex(info.customData), "00112233445566778899AABBCCDDEEFF");
        QVERIFY(!info.locked && info.eraseCount == 1 && info.serial == 0x1A2B3C4D);
        QCOMPARE(info.version, 0x1030);
    }

    // The debounce commands, unknown to firmware before 0x1030, are neither sent nor taken.
    void oldFirmwareHasNoDebounce()
    {
        mv100sim::chip().firmwareVersion = 0x102F;
        Mv100Transfer transfer;
        QVERIFY(transfer.Open());
        QCOMPARE(transfer.Write(richConfig(), FACTORY_PIN, false), MV100::RESULT_SUCCESS);
        Mv100Config config;
        config.settings().debounce = 77;
        QCOMPARE(transfer.Read(NEW_PIN, config), MV100::RESULT_SUCCESS);
        QCOMPARE(int(config.settings().debounce), 77);
        QVERIFY(!commands().contains(char(MV100::CMD_WRITE_DEBOUNCE))
                && !commands().contains(char(MV100::CMD_READ_DEBOUNCE)));
    }

    // Any lock word but the erased one reads as locked; a failed Info leaves info as it was.
    void info()
    {
        mv100sim::chip().eraseCount = 0x1234;
        mv100sim::chip().lockWord = 0x0000;
        Mv100Transfer transfer;
        QVERIFY(transfer.Open());
        Mv100DeviceInfo info;
        QVERIFY(transfer.Info(info) && info.locked && info.eraseCount == 0x1234);
        mv100sim::answerEmpty(true);
        info.serial = 7;
        QVERIFY(!transfer.Info(info) && info.serial == 7);
    }
};

QTEST_GUILESS_MAIN(TestDeviceTransfer)
#include "tst_devicetransfer.moc"
