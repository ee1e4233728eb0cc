// Tests of CMorvantide100 on the simulated chip: finding and opening it, and its commands.
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
    void init() { mv100sim::reset(); }

    void census_data()
    {
        QTest::addColumn<int>("chips");
        QTest::addColumn<Interfaces>("interfaces"); // on each chip; empty: a real chip's
        QTest::addColumn<bool>("denied");
        QTest::addColumn<QString>("expected"); // listed, openable, error text; then what Open gives
        const auto row = [](const char *name, int chips, const Interfaces &interfaces,
                            const char *expected, bool denied = false) {
            QTest::newRow(name) << chips << interfaces << denied << QString(expected);
        };
        row("no chip", 0, {}, "0 0 '' 0");
        row("one chip", 1, {}, "1 1 '' 1");
        row("two chips", 2, {}, "2 2 '' 2");
        row("two, denied", 2, {}, "2 0 'Permission denied' 0", true);
        row("named, on 0", 2, {{L"ConfigInterface", true, 0, true}}, "2 2 '' 2");
        row("no product string on 2", 2, {{L"", false, 2, true}}, "2 2 '' 2");
        row("known name on 2", 2, {{L"Morvantide GPIO", true, 2, true}}, "0 0 '' 0");
        row("no configuration interface", 1,
            {{L"Keyboard", true, 0, false}, {L"Vendor", true, 1, true}}, "0 0 '' 0");
        row("fourteen", 2, Interfaces(7, {L"ConfigInterface", true, 2, true}), "14 14 '' 6");
    }

    // Open and the census count the same interfaces; Open keeps only the last handle it opened,
    // the census none; a second Close does nothing.
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
        QCOMPARE(device.GetVersion(), opened ? 0x1030 : MV100::NO_REVISION);
        unsigned char answer[MV100::REPORT_IN_SIZE] = {};
        QCOMPARE(device.ReadInfo(answer), opened ? 0 : 2);
        QCOMPARE(device.Close() + device.Close(), 2);
        QCOMPARE(device.GetVersion(), MV100::NO_REVISION);
        QCOMPARE(mv100sim::openHandleCount() + mv100sim::invalidHandleUses(), 0);
    }

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
