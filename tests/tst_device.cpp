// Tests of CMorvantide100: model, memory image, opening, commands and block transfer on the sim.
#include "CMorvantide100.h"
#include "SimMorvantide100.h"

#include <QtTest>

#include <functional>

using Bytes = std::vector<unsigned char>;
using Interfaces = std::vector<mv100sim::Interface>;
using Call = std::function<int(CMorvantide100 &, unsigned char *)>;
Q_DECLARE_METATYPE(Interfaces)
Q_DECLARE_METATYPE(Call)
#define CALL(...) Call([=](CMorvantide100 &d, unsigned char *a) { return d.__VA_ARGS__; })

namespace {
const QByteArray EMPTY(MV100::MEMORY_SIZE, char(0xFF));
const QByteArray PIN = QByteArray::fromHex("A1A2A3A4A5A6A7A8");
// Long enough for an answer that is there, short enough that silent chips cost little.
constexpr int SHORT_TIMEOUT_MS = 20;

template<typename Container> QByteArray toBytes(const Container &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(std::data(bytes)), int(std::size(bytes)));
}

Bytes randomBytes(int count, quint32 seed)
{
    QRandomGenerator generator(seed);
    Bytes out(count);
    std::generate(out.begin(), out.end(), [&] { return generator.bounded(256); });
    return out;
}

// The cells and slots of a model in image order, built on a copy so that the model stays as is.
QByteArray content(const CMorvantide100 &model)
{
    CMorvantide100 copy;
    copy = model;
    copy.BuildMemory();
    return toBytes(copy.GetMemoryData());
}

// Every cell, slot and image byte away from its default; image and content are equal.
void fill(CMorvantide100 &model, const Bytes &image = randomBytes(MV100::MEMORY_SIZE, 7))
{
    model.SetMemory(image);
    model.BuildKeytable();
    model.BuildMacros();
}

QByteArray report(int command, int block, const QByteArray &pin, const QByteArray &payload)
{
    return (QByteArray(1, '\0') + char(command) + char(block) + QByteArray(2, '\0') + pin + payload)
        .leftJustified(MV100::REPORT_OUT_SIZE, '\0');
}
} // namespace

class TestDevice : public QObject
{
    Q_OBJECT

    QString text(int c) { return QString::fromWCharArray(CMorvantide100::GetReturnErrorText(c)); }

private slots:
    void initTestCase()
    {
        QCOMPARE(CMorvantide100::ReadTimeout(), MV100::READ_TIMEOUT_MS);
        CMorvantide100::SetReadTimeout(SHORT_TIMEOUT_MS);
    }
    void init()
    {
        mv100sim::reset();
        CMorvantide100::SetReadTimeout(SHORT_TIMEOUT_MS);
    }

    // Cell (x, y) of layer L at 768L + 32y + 2x, low byte first; macro slot k at 2304 + 32k.
    // A short PIN is ignored; clears empty their part, never the PIN; assignment keeps the handle.
    void modelRules()
    {
        CMorvantide100 model, target;
        const int outside[][3] = {{3, 0, 0}, {0, 16, 0}, {0, 0, 24}}; // x 16 is not row 1
        for (const auto &cell : outside) {
            model.SetKeyCode(cell[0], cell[1], cell[2], 4);
            QCOMPARE(model.GetKeyCode(cell[0], cell[1], cell[2]), -1);
        }
        const Bytes last = randomBytes(32, 2);
        model.SetMacro(176, last.data());
        model.SetMacroKey(176, 0, 0);
        model.SetMacroKey(175, 31, 0);
        model.SetKeyCode(1, 15, 23, 4); // entry 383 of FN1
        model.SetKeyCode(1, 1, 2, 0x1234); // block 26
        model.SetMacroKey(5, 0, 0x12);
        model.SetMacroKey(5, 30, 0x34);
        model.SetMacroMode(5, 2);
        model.SetMacro(175, last.data());
        const QByteArray slot = "\x02\x12" + QByteArray(29, char(0xFF)) + "\x34";
        QByteArray expected = EMPTY;
        expected.replace(834, 2, "\x34\x12").replace(1534, 2, QByteArray(1, 4) + '\0');
        QCOMPARE(content(model), expected.replace(2464, 32, slot).replace(7904, 32, toBytes(last)));
        QCOMPARE(model.GetKeyCode(1, 15, 23), 4);
        QCOMPARE(int(model.GetMacroKey(175, 31)), 0xFF);

        const unsigned char nine[] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9};
        model.SetPin(nine, 7);
        QCOMPARE(toBytes(model.GetPin()), QByteArray::fromHex(MV100_PIN::STRING));
        model.SetPin(nine, 9); // PIN is the first eight
        using M = CMorvantide100;
        // clang-format off
        const std::tuple<void (M::*)(), int, int, bool> clears[] = { // bytes emptied; image too?
            {&M::ClearMemory, 0, 0, true}, {&M::ClearAll, 0, 7936, true},
            {&M::ClearKeytableDefault, 0, 768, false}, {&M::ClearKeytableFN2, 1536, 768, false},
            {&M::ClearKeytableAll, 0, 2304, false}, {&M::ClearMacro, 2304, 5632, false},
            {&M::ClearKeytableFN1, 768, 768, false}};
        // clang-format on
        for (const auto &[clear, from, n, emptiesImage] : clears) {
            fill(model);
            const QByteArray old = toBytes(model.GetMemoryData());
            (model.*clear)();
            QCOMPARE(content(model), QByteArray(old).replace(from, n, EMPTY.left(n)));
            QCOMPARE(toBytes(model.GetMemoryData()), emptiesImage ? EMPTY : old);
            QCOMPARE(toBytes(model.GetPin()), PIN);
        }

        QCOMPARE(target.Open(), 1);
        target = model;
        QCOMPARE(content(target), content(model));
        QVERIFY(target.IsOpen());
    }

    void imageRoundTrip_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("7936") << MV100::MEMORY_SIZE;
        QTest::newRow("ends inside cell 50") << 101;
        QTest::newRow("long") << MV100::MEMORY_SIZE + 64;
    }

    // Byte for byte through model and chip; a short image reads as padded with 0xFF, a long as cut.
    void imageRoundTrip()
    {
        QFETCH(int, length);
        const Bytes image = randomBytes(length, 99);
        const QByteArray expected = (toBytes(image) + EMPTY).left(MV100::MEMORY_SIZE);
        CMorvantide100 model;
        fill(model);
        fill(model, image);
        QCOMPARE(content(model), expected);

        mv100sim::chip().memory.fill(0x00);
        QCOMPARE(model.Open(), 1);
        QCOMPARE(model.WriteMemoryData(), 0);
        QCOMPARE(toBytes(mv100sim::chip().memory), expected);
        model.SetMemory(Bytes(length, 0x00));
        QCOMPARE(model.ReadMemoryData(), 0);
        QCOMPARE(toBytes(model.GetMemoryData()), expected);

        // Silent from block 100 on: one bounded wait, no later block sent, unread blocks kept.
        for (const bool read : {false, true}) {
            mv100sim::clearLog();
            mv100sim::stopAnsweringAfter(mv100sim::exchangeCount() + 100);
            model.SetMemory(Bytes(MV100::MEMORY_SIZE, read ? 0x33 : 0x22));
            const QDeadlineTimer bound(2 * MV100::READ_TIMEOUT_MS);
            QCOMPARE(read ? model.ReadMemoryData() : model.WriteMemoryData(), 1);
            QVERIFY(!bound.hasExpired());
            QCOMPARE(int(mv100sim::writtenReports().size()), 101);
        }
        QCOMPARE(toBytes(model.GetMemoryData()), QByteArray(3200, 0x22) + QByteArray(4736, 0x33));
    }

    void openRules_data()
    {
        QTest::addColumn<Interfaces>("interfaces"); // on each of two chips; empty: a real chip's
        QTest::addColumn<int>("expected");
        QTest::newRow("real chips") << Interfaces() << 2;
        QTest::newRow("named, on 0") << Interfaces {{L"ConfigInterface", true, 0, true}} << 2;
        QTest::newRow("unknown name on 1") << Interfaces {{L"Vendor", true, 1, true}} << 0;
        QTest::newRow("no product string on 2") << Interfaces {{L"", false, 2, true}} << 2;
        QTest::newRow("known name on 2") << Interfaces {{L"Morvantide GPIO", true, 2, true}} << 0;
        QTest::newRow("fourteen") << Interfaces(7, {L"ConfigInterface", true, 2, true}) << 6;
    }

    // Only the handle of the last interface opened stays open; a second Close does nothing.
    void openRules()
    {
        QFETCH(Interfaces, interfaces);
        QFETCH(int, expected);
        mv100sim::setDeviceCount(2);
        for (int d = 0; d < 2 && !interfaces.empty(); ++d)
            mv100sim::setInterfaces(d, interfaces);
        CMorvantide100 device;
        QCOMPARE(device.Open(), expected);
        QCOMPARE(mv100sim::openHandleCount(), expected ? 1 : 0);
        QCOMPARE(device.GetVersion(), expected ? 0x1030 : MV100::NO_REVISION);
        QCOMPARE(device.Close() + device.Close(), 2);
        QCOMPARE(device.GetVersion(), MV100::NO_REVISION);
        QCOMPARE(mv100sim::openHandleCount() + mv100sim::invalidHandleUses(), 0);
    }

    // A read gives up at its bound; its late answer and other stale ones are not taken as answers.
    void lateAndStaleAnswers()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        unsigned char answer[MV100::REPORT_IN_SIZE] = {};
        mv100sim::setLatencyMicroseconds((SHORT_TIMEOUT_MS + 100) * 1000);
        QCOMPARE(device.ReadBlock(0, answer), 1);
        mv100sim::setLatencyMicroseconds(0);
        QThread::msleep(200); // the late answer arrives
        mv100sim::queueStaleAnswer(0, Bytes(64, 0xEE));
        QCOMPARE(device.ReadBlock(1, answer), 0);
        QCOMPARE(int(answer[3]), 1); // the chip's echo of the block number
    }

    void readTimeout_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("expected");
        QTest::newRow("60") << 60 << 60;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("-5") << -5 << 1;
    }

    // A silent chip's answer is given up after the set time, not the default one.
    void readTimeout()
    {
        QFETCH(int, set);
        QFETCH(int, expected);
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        CMorvantide100::SetReadTimeout(set);
        QCOMPARE(CMorvantide100::ReadTimeout(), expected);
        mv100sim::stopAnsweringAfter(0);
        unsigned char answer[MV100::REPORT_IN_SIZE] = {};
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(device.ReadBlock(0, answer), 1);
        const qint64 waited = timer.elapsed();
        QVERIFY2(waited >= expected && waited < MV100::READ_TIMEOUT_MS / 2,
                 qPrintable(QString::number(waited)));
    }

    void census_data()
    {
        QTest::addColumn<int>("chips");
        QTest::addColumn<Interfaces>("interfaces"); // on each chip; empty: a real chip's
        QTest::addColumn<bool>("denied");
        QTest::addColumn<QString>("expected"); // listed, openable, error text; then what Open gives
        QTest::newRow("no chip") << 0 << Interfaces() << false << "0 0 '' 0";
        QTest::newRow("one chip") << 1 << Interfaces() << false << "1 1 '' 1";
        QTest::newRow("two chips") << 2 << Interfaces() << false << "2 2 '' 2";
        QTest::newRow("one, denied") << 1 << Interfaces() << true << "1 0 'Permission denied' 0";
        QTest::newRow("two, denied") << 2 << Interfaces() << true << "2 0 'Permission denied' 0";
        QTest::newRow("no configuration interface")
            << 1 << Interfaces {{L"Keyboard", true, 0, false}, {L"Vendor", true, 1, true}} << false
            << "0 0 '' 0";
        QTest::newRow("three on one chip")
            << 1 << Interfaces(3, {L"ConfigInterface", true, 2, true}) << false << "3 3 '' 3";
    }

    // Counts the same interfaces as Open, leaves none open and an opened object working.
    void census()
    {
        QFETCH(int, chips);
        QFETCH(Interfaces, interfaces);
        QFETCH(bool, denied);
        QFETCH(QString, expected);
        mv100sim::setDeviceCount(chips);
        for (int d = 0; d < chips && !interfaces.empty(); ++d)
            mv100sim::setInterfaces(d, interfaces);
        mv100sim::setOpenDenied(denied);
        CMorvantide100 device;
        const int opened = device.Open();
        const CMorvantide100::Census census = CMorvantide100::TakeCensus();
        QCOMPARE(QString("%1 %2 '%3' %4")
                     .arg(census.listed)
                     .arg(census.openable)
                     .arg(QString::fromStdWString(census.openError))
                     .arg(opened),
                 expected);
        QCOMPARE(mv100sim::openHandleCount(), opened ? 1 : 0);
        unsigned char answer[MV100::REPORT_IN_SIZE] = {};
        QCOMPARE(device.ReadInfo(answer), opened ? 0 : 2);
    }

    void commands_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QByteArray>("report");
        const Bytes x = randomBytes(32, 3);
        const QByteArray p = toBytes(x);
        QTest::newRow("ReadInfo: 65 zeros") << CALL(ReadInfo(a)) << QByteArray(65, '\0');
        QTest::newRow("ReadBlock 247") << CALL(ReadBlock(247, a)) << report(1, 247, PIN, {});
        QTest::newRow("WriteBlock") << CALL(WriteBlock(3, x.data(), a)) << report(2, 3, PIN, p);
        QTest::newRow("Erase") << CALL(Erase(a)) << report(3, 0, PIN, {});
        QTest::newRow("WriteNewPin, old PIN")
            << CALL(WriteNewPin(x.data(), &x[8], a)) << report(4, 0, p.left(8), p.mid(8, 8));
        QTest::newRow("WriteCustomBytes")
            << CALL(WriteCustomBytes(x.data(), a)) << report(5, 0, PIN, p.left(16));
        QTest::newRow("WriteLock") << CALL(WriteLock(a)) << report(6, 0, PIN, {});
        QTest::newRow("WriteLed, byte 14 0xFF") << CALL(WriteLed(0x21, x.data(), &x[8], a))
                                                << report(8, 0, PIN, "\x21\xFF" + p.left(23));
        QTest::newRow("WriteMouse") << CALL(WriteMouse(x.data(), a)) << report(10, 0, PIN, p);
        QTest::newRow("WriteDebounce") << CALL(WriteDebounce(7, a)) << report(13, 0, PIN, "\x07");
    }

    // Report bytes; no handle, a failed write and an empty answer fail and leave the answer as is.
    void commands()
    {
        QFETCH(Call, call);
        QFETCH(QByteArray, report);
        CMorvantide100 device;
        unsigned char answer[MV100::REPORT_IN_SIZE];
        std::memset(answer, 0xC5, sizeof answer);
        QCOMPARE(call(device, answer), 2);
        QCOMPARE(device.Open(), 1);
        device.SetPin(0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8);
        mv100sim::failWriteOfExchange(0);
        QCOMPARE(call(device, answer), 2);
        mv100sim::answerEmpty(true);
        QCOMPARE(call(device, answer), 1);
        QCOMPARE(toBytes(answer), QByteArray(MV100::REPORT_IN_SIZE, char(0xC5)));
        mv100sim::answerEmpty(false);
        QCOMPARE(call(device, answer), 0);
        QCOMPARE(toBytes(mv100sim::writtenReports().back().bytes), report);
    }

    void returnErrorText()
    {
        const char *steps[] = {"erase data", "led data", "mouse data",  "keytable/macro data",
                               "lock",       "new PIN",  "custom data", "debounce data"};
        for (int bit = 0; bit < 8; ++bit)
            QCOMPARE(text(1 << bit),
                     QString("An error occurred during data transmission (%1).").arg(steps[bit]));
        QCOMPARE(text(0), "The data was successfully transferred.");
        QCOMPARE(text(4096), "Can not open/connect Morvantide100. Please check the connection.");
        QCOMPARE(text(8192),
                 "The Morvantide is protected/locked and can be neither read nor written to.");
        QCOMPARE(text(3) + text(256), QString("An unknown error occurred.").repeated(2));
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
