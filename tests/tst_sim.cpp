// Tests of the simulated Morvantide100 through the raw hidapi calls and its control functions.
#include "SimMorvantide100.h"

#include <hidapi.h>

#include <QtTest>

using namespace mv100sim;
using Bytes = std::vector<unsigned char>;
using Handle = std::unique_ptr<hid_device, void (*)(hid_device *)>;
using Setup = void (*)();
using Result = std::array<int, 4>; // hid_write result, hid_read result, least wait, carried out

namespace {

const Bytes PIN(FACTORY_PIN.begin(), FACTORY_PIN.end());
const Bytes OTHER_PIN = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};

Bytes report(int command, int block = 0, const Bytes &pin = PIN, const Bytes &payload = {})
{
    Bytes bytes(REPORT_SIZE, 0);
    bytes[1] = static_cast<unsigned char>(command);
    bytes[2] = static_cast<unsigned char>(block);
    std::copy(pin.begin(), pin.end(), bytes.begin() + 5);
    std::copy(payload.begin(), payload.end(), bytes.begin() + 13);
    return bytes;
}

template<typename Container> QByteArray hex(const Container &bytes, int from = 0, int count = -1)
{
    const QByteArray all(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
    return all.mid(from, count).toHex(' ');
}

// A chip whose every part but the PIN, the lock and the debounce differs from the erased state.
ChipState setUpChip()
{
    ChipState state;
    for (int i = 0; i < MEMORY_SIZE; ++i)
        state.memory[std::size_t(i)] = static_cast<unsigned char>(i * 7 + i / 256);
    state.customData.fill(0xA5);
    state.led.fill(0x21);
    state.backlight.fill(0x43);
    state.mouse.fill(0x65);
    state.lockKeys = 0x31;
    state.eraseCount = 0xFFFF;
    state.serial = 0xA1B2C3D4;
    state.firmwareVersion = 0x1040;
    return state;
}

} // namespace

class TstSim : public QObject
{
    Q_OBJECT

    Handle open(const char *path = "sim:0:2") { return {hid_open_path(path), hid_close}; }
    int send(const Handle &h, const Bytes &b) { return hid_write(h.get(), b.data(), b.size()); }
    Bytes exchange(const Handle &h, const Bytes &report)
    {
        Bytes answer(ANSWER_SIZE, 0xCC); // kept when nothing answers: no check takes it
        if (send(h, report) == REPORT_SIZE)
            hid_read_timeout(h.get(), answer.data(), ANSWER_SIZE, 200);
        return answer;
    }

private slots:
    void init() { reset(); }
    void cleanup() { QCOMPARE(openHandleCount(), 0); }

    // A real chip's interfaces in their order, on each of two chips.
    void enumeration()
    {
        setDeviceCount(2);
        QStringList seen; // product@device:interface
        hid_device_info *all = hid_enumerate(VENDOR_ID, PRODUCT_ID);
        for (hid_device_info *info = all; info != nullptr; info = info->next)
            seen << QString::fromWCharArray(info->product_string) + "@" + info->path[4] + ":"
                    + QString::number(info->interface_number);
        hid_free_enumeration(all);
        const QString one = "Keyboard@0:0|MediaControls@0:1|ConfigInterface@0:2|"
                            "Morvantide Mouse@0:3|Morvantide GPIO@0:4|Morvantide SpecialIO@0:5|"
                            "Morvantide FastIIC@0:6";
        QCOMPARE(seen.join('|'), one + "|" + QString(one).replace("@0:", "@1:"));
    }

    // The answer's command on a chip locked etc. as the row's name says: answer bytes 0..2, no data
    // after a refusal, and only accepted writes change the chip.
    void commandRules_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("WriteBlock 248") << "02 01 01";
        QTest::newRow("ReadBlock, wrong PIN") << "01 01 05";
        QTest::newRow("WriteBlock, wrong PIN, locked") << "02 01 04";
        QTest::newRow("Erase") << "03 00 00";
        QTest::newRow("WriteDebounce on 0x102F") << "0d 01 06";
    }
    void commandRules()
    {
        QFETCH(QString, answer);
        const QString row = QTest::currentDataTag();
        const int command = answer.left(2).toInt(nullptr, 16);
        chip() = setUpChip();
        chip().lockWord = row.contains("locked") ? LOCKED_WORD : UNLOCKED_WORD;
        chip().firmwareVersion = row.contains("0x102F") ? 0x102F : 0x1030;
        const ChipState before = chip();
        const Bytes &pin = row.contains("wrong PIN") ? OTHER_PIN : PIN;
        const Bytes got = exchange(
            open(), report(command, row.contains("248") ? 248 : 247, pin, Bytes(32, 0x12)));
        QCOMPARE(hex(got, 0, 3), answer.toLatin1());
        if (got[1] != 0)
            QCOMPARE(hex(got, 4), hex(Bytes(ANSWER_SIZE - 4, 0)));
        QCOMPARE(chip() != before, got[1] == 0 && command != 0x00 && command != 0x01);
    }

    // New PIN (the old one is refused from then on), custom data in the info answer, lock; then
    // an erase with the PIN leaves only serial, firmware and the (wrapping) erase count.
    void chipSession()
    {
        const ChipState start = chip() = setUpChip();
        const Bytes custom(start.memory.rbegin(), start.memory.rbegin() + 16);
        Handle dev = open();
        QCOMPARE(exchange(dev, report(0x04, 0, PIN, OTHER_PIN))[1], 0);
        QCOMPARE(hex(exchange(dev, report(0x05, 0, PIN, custom)), 1, 2), "01 05");
        QCOMPARE(exchange(dev, report(0x05, 0, OTHER_PIN, custom))[1], 0);
        QCOMPARE(exchange(dev, report(0x06, 0, OTHER_PIN))[1], 0);
        QCOMPARE(hex(exchange(dev, report(0x00)), 4, 24), hex(custom) + " 5a a5 ff ff d4 c3 b2 a1");
        QCOMPARE(exchange(dev, report(0x03, 0, OTHER_PIN))[1], 0);
        ChipState erased = erasedChip();
        erased.serial = start.serial;
        erased.firmwareVersion = start.firmwareVersion;
        QVERIFY(chip() == erased);
    }

    // A logged WriteBlock as exchange 1 under each fault, then a 300 ms read.
    void faults_data()
    {
        QTest::addColumn<Result>("expected");
        QTest::addColumn<Setup>("setup");
        // clang-format off
        QTest::newRow("stop answering") << Result{65, 0, 300, 0} << +[] { stopAnsweringAfter(1); };
        QTest::newRow("fail write") << Result{-1, 0, 300, 0} << +[] { failWriteOfExchange(1); };
        QTest::newRow("empty answer") << Result{65, 0, 0, 1} << +[] { answerEmpty(true); };
        QTest::newRow("unplug") << Result{-1, -1, 0, 0} << +[] { unplugAfter(1); };
        QTest::newRow("stale answer") << Result{65, 1, 0, 1} << +[] { queueStaleAnswer(0, {1}); };
        QTest::newRow("latency") << Result{65, 64, 60, 1} << +[] { setLatencyMicroseconds(60000); };
        // clang-format on
    }
    void faults()
    {
        QFETCH(Result, expected);
        const auto [written, read, waitsMs, carriedOut] = expected;
        QFETCH(Setup, setup);
        setDeviceCount(2);
        Handle config = open();
        setup();
        QCOMPARE(send(open("sim:1:2"), report(0x00)), REPORT_SIZE); // exchange 0, on the other chip
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(send(config, report(0x02, 1, PIN, Bytes(32, 0x34))), written);
        QCOMPARE(hid_read_timeout(config.get(), Bytes(ANSWER_SIZE).data(), ANSWER_SIZE, 300), read);
        QVERIFY(timer.elapsed() >= waitsMs && timer.elapsed() < waitsMs + 250);
        QCOMPARE(chip().memory[32] == 0x34, bool(carriedOut));
        QCOMPARE(writtenReports().back().delivered, written > 0);
    }

    // A corrupted block write is answered as done and logged as sent, but stored (and read back)
    // with the byte flipped; other blocks are stored as sent, and reset ends the fault.
    void corruptedBlockWrite()
    {
        mv100sim::corruptBlockWrite(5, 3, 0x0F);
        Handle dev = open();
        for (const int block : {5, 6}) {
            const Bytes sent = report(0x02, block, PIN, Bytes(BLOCK_SIZE, 0x12));
            QCOMPARE(hex(exchange(dev, sent), 0, 4), "02 00 00 0" + QByteArray::number(block));
            QCOMPARE(writtenReports().back().bytes, sent);
        }
        const QByteArray sent = hex(Bytes(BLOCK_SIZE, 0x12));
        const QByteArray stored = hex(QByteArray(BLOCK_SIZE, 0x12).replace(3, 1, "\x1D"));
        QCOMPARE(hex(chip().memory, 5 * BLOCK_SIZE, BLOCK_SIZE), stored);
        QCOMPARE(hex(exchange(dev, report(0x01, 5)), 4, BLOCK_SIZE), stored);
        QCOMPARE(hex(chip().memory, 6 * BLOCK_SIZE, BLOCK_SIZE), sent);
        dev.reset();
        reset();
        QCOMPARE(exchange(open(), report(0x02, 5, PIN, Bytes(BLOCK_SIZE, 0x12)))[1], 0);
        QCOMPARE(hex(chip().memory, 5 * BLOCK_SIZE, BLOCK_SIZE), sent);
    }

    // A damaged state file gives an erased chip; the file keeps every change for the next run.
    void stateFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTemporaryDir folder;
        QFile file(folder.filePath("chip.state"));
        chip() = setUpChip();
        QVERIFY(saveState(file.fileName().toStdString()) && file.open(QIODevice::ReadOnly));
        const QByteArray good = file.readAll();
        QTest::newRow("undamaged") << good;
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("wrong header") << QByteArray(good).replace("MV100SIM 1", "MV100SIM 2");
        QTest::newRow("last block missing") << good.left(good.lastIndexOf("block 247"));
        QTest::newRow("bad digit") << QByteArray(good).replace("\npin 3C", "\npin GC");
    }
    void stateFile()
    {
        QFETCH(QByteArray, text);
        const bool loads = QTest::currentDataTag() == QString("undamaged");
        QTemporaryDir folder;
        QFile file(folder.filePath("chip.state"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush());
        chip().debounce = 1;
        QCOMPARE(setStateFile(file.fileName().toStdString()), loads);
        QVERIFY(chip() == (loads ? setUpChip() : erasedChip()));
        QCOMPARE(exchange(open(), report(0x06))[1], 0);
        reset();
        QVERIFY(setStateFile(file.fileName().toStdString()) && chip().lockWord == LOCKED_WORD);
    }
};

QTEST_GUILESS_MAIN(TstSim)
#include "tst_sim.moc"
