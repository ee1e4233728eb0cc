// Tests of the command functions of CMorvantide100 against the simulated chip: report bytes,
// answers, command statuses and the texts of the result codes.
#include "CMorvantide100.h"
#include "SimMorvantide100.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QtTest>

#include <functional>

namespace {
using Answer = unsigned char[MV100::REPORT_IN_SIZE];
using Call = std::function<int(CMorvantide100 &, unsigned char *answer)>;

const QByteArray PIN = QByteArray::fromHex("A1A2A3A4A5A6A7A8");

QByteArray sequence(int first, int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(first + i));
    return bytes;
}

const unsigned char *bytes(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

// The 65-byte report: all 0 but the command, the block, the PIN and the payload.
QByteArray report(int command, int block, const QByteArray &pin, const QByteArray &payload)
{
    QByteArray out(MV100::REPORT_OUT_SIZE, '\0');
    out[1] = char(command);
    out[2] = char(block);
    out.replace(MV100::REPORT_PIN, pin.size(), pin);
    out.replace(MV100::REPORT_PAYLOAD, payload.size(), payload);
    return out;
}

struct Case
{
    const char *name;
    Call call;
    QByteArray expected;
};

std::vector<Case> cases()
{
    const QByteArray oldPin = QByteArray::fromHex("0102030405060708");
    const QByteArray newPin = QByteArray::fromHex("1112131415161718");
    const QByteArray block = sequence(0x10, 32);
    const QByteArray custom = sequence(0x20, 16);
    const QByteArray led = sequence(0x30, 8);
    const QByteArray backlight = sequence(0x40, 15);
    const QByteArray mouse = sequence(0x50, 32);
    return {
        {"ReadInfo", [](CMorvantide100 &d, unsigned char *a) { return d.ReadInfo(a); },
         QByteArray(MV100::REPORT_OUT_SIZE, '\0')},
        {"ReadBlock 247", [](CMorvantide100 &d, unsigned char *a) { return d.ReadBlock(247, a); },
         report(0x01, 247, PIN, {})},
        {"WriteBlock 3",
         [block](CMorvantide100 &d, unsigned char *a) { return d.WriteBlock(3, bytes(block), a); },
         report(0x02, 3, PIN, block)},
        {"Erase", [](CMorvantide100 &d, unsigned char *a) { return d.Erase(a); },
         report(0x03, 0, PIN, {})},
        // The old PIN goes out as given, not the object's PIN.
        {"WriteNewPin",
         [oldPin, newPin](CMorvantide100 &d, unsigned char *a) {
             return d.WriteNewPin(bytes(oldPin), bytes(newPin), a);
         },
         report(0x04, 0, oldPin, newPin)},
        {"WriteCustomBytes",
         [custom](CMorvantide100 &d, unsigned char *a) {
             return d.WriteCustomBytes(bytes(custom), a);
         },
         report(0x05, 0, PIN, custom)},
        {"WriteLock", [](CMorvantide100 &d, unsigned char *a) { return d.WriteLock(a); },
         report(0x06, 0, PIN, {})},
        {"ReadLed", [](CMorvantide100 &d, unsigned char *a) { return d.ReadLed(a); },
         report(0x07, 0, PIN, {})},
        {"WriteLed",
         [led, backlight](CMorvantide100 &d, unsigned char *a) {
             return d.WriteLed(0x21, bytes(led), bytes(backlight), a);
         },
         report(0x08, 0, PIN, QByteArray("\x21\xFF", 2) + led + backlight)},
        {"ReadMouse", [](CMorvantide100 &d, unsigned char *a) { return d.ReadMouse(a); },
         report(0x09, 0, PIN, {})},
        {"WriteMouse",
         [mouse](CMorvantide100 &d, unsigned char *a) { return d.WriteMouse(bytes(mouse), a); },
         report(0x0A, 0, PIN, mouse)},
        {"ReadDebounce", [](CMorvantide100 &d, unsigned char *a) { return d.ReadDebounce(a); },
         report(0x0C, 0, PIN, {})},
        {"WriteDebounce", [](CMorvantide100 &d, unsigned char *a) { return d.WriteDebounce(7, a); },
         report(0x0D, 0, PIN, QByteArray(1, 7))},
    };
}

QByteArray logged(int index)
{
    const auto &log = mv100sim::writtenReports();
    const auto &bytes = log.at(index).bytes;
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

QByteArray answerBytes(const Answer &answer)
{
    return QByteArray(reinterpret_cast<const char *>(answer), MV100::REPORT_IN_SIZE);
}

// An answer buffer pre-filled with a pattern that no answer contains.
void prefill(Answer &answer)
{
    std::memset(answer, 0xC5, sizeof answer);
}

const QByteArray PREFILLED(MV100::REPORT_IN_SIZE, char(0xC5));
} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

private:
    void addCaseRows()
    {
        QTest::addColumn<int>("index");
        const auto all = cases();
        for (int i = 0; i < int(all.size()); ++i)
            QTest::newRow(all[i].name) << i;
    }

    static void openDevice(CMorvantide100 &device)
    {
        QCOMPARE(device.Open(), 1);
        device.SetPin(bytes(PIN), PIN.size());
        mv100sim::clearLog();
    }

private slots:
    void init() { mv100sim::reset(); }

    void reportBytes_data() { addCaseRows(); }

    void reportBytes()
    {
        QFETCH(int, index);
        const Case c = cases().at(index);
        CMorvantide100 device;
        openDevice(device);
        Answer answer;
        prefill(answer);
        QCOMPARE(c.call(device, answer), int(MV100::STATUS_OK));
        QCOMPARE(int(mv100sim::writtenReports().size()), 1);
        QCOMPARE(logged(0), c.expected);
        QVERIFY(answerBytes(answer) != PREFILLED);
    }

    void noHandle_data() { addCaseRows(); }

    void noHandle()
    {
        QFETCH(int, index);
        CMorvantide100 device;
        Answer answer;
        prefill(answer);
        QCOMPARE(cases().at(index).call(device, answer), int(MV100::STATUS_WRITE_FAILED));
        QCOMPARE(answerBytes(answer), PREFILLED);
        QVERIFY(mv100sim::writtenReports().empty());
    }

    void writeFails_data() { addCaseRows(); }

    void writeFails()
    {
        QFETCH(int, index);
        CMorvantide100 device;
        openDevice(device);
        mv100sim::failWriteOfExchange(mv100sim::exchangeCount());
        Answer answer;
        prefill(answer);
        QCOMPARE(cases().at(index).call(device, answer), int(MV100::STATUS_WRITE_FAILED));
        QCOMPARE(answerBytes(answer), PREFILLED);
    }

    void emptyAnswer_data() { addCaseRows(); }

    void emptyAnswer()
    {
        QFETCH(int, index);
        CMorvantide100 device;
        openDevice(device);
        mv100sim::answerEmpty(true);
        Answer answer;
        prefill(answer);
        QCOMPARE(cases().at(index).call(device, answer), int(MV100::STATUS_READ_FAILED));
        QCOMPARE(answerBytes(answer), PREFILLED);
    }

    void unplugged()
    {
        CMorvantide100 device;
        openDevice(device);
        mv100sim::unplugAfter(mv100sim::exchangeCount());
        Answer answer;
        prefill(answer);
        QCOMPARE(device.ReadInfo(answer), int(MV100::STATUS_WRITE_FAILED));
        QCOMPARE(answerBytes(answer), PREFILLED);
    }

    // A chip that never answers costs one bounded wait, and the command fails.
    void noAnswerTimesOut()
    {
        CMorvantide100 device;
        openDevice(device);
        mv100sim::stopAnsweringAfter(mv100sim::exchangeCount());
        Answer answer;
        prefill(answer);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(device.ReadInfo(answer), int(MV100::STATUS_READ_FAILED));
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed >= MV100::READ_TIMEOUT_MS - 50 && elapsed < 2 * MV100::READ_TIMEOUT_MS,
                 qPrintable(QString::number(elapsed)));
        QCOMPARE(answerBytes(answer), PREFILLED);
    }

    void readInfoAnswer()
    {
        auto &chip = mv100sim::chip();
        for (int i = 0; i < 16; ++i)
            chip.customData[i] = static_cast<unsigned char>(0x80 + i);
        chip.lockWord = 0x1234;
        chip.eraseCount = 0x0507;
        chip.serial = 0xCAFEBABE;
        CMorvantide100 device;
        openDevice(device);
        Answer answer;
        QCOMPARE(device.ReadInfo(answer), int(MV100::STATUS_OK));
        const QByteArray got = answerBytes(answer);
        QCOMPARE(got.mid(MV100::INFO_CUSTOM_DATA, 16), sequence(0x80, 16));
        QCOMPARE(got.mid(MV100::INFO_LOCK_WORD, 2), QByteArray::fromHex("3412"));
        QCOMPARE(got.mid(MV100::INFO_ERASE_COUNT, 2), QByteArray::fromHex("0705"));
        QCOMPARE(got.mid(MV100::INFO_SERIAL, 4), QByteArray::fromHex("BEBAFECA"));
    }

    void readBlockAnswer()
    {
        auto &chip = mv100sim::chip();
        for (int i = 0; i < 32; ++i)
            chip.memory[247 * 32 + i] = static_cast<unsigned char>(0x60 + i);
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1); // with the chip's PIN
        Answer answer;
        QCOMPARE(device.ReadBlock(247, answer), int(MV100::STATUS_OK));
        QCOMPARE(answerBytes(answer).mid(MV100::ANSWER_DATA, 32), sequence(0x60, 32));
    }

    // The object's PIN at the time of the call is the one sent.
    void pinFollowsSetPin()
    {
        CMorvantide100 device;
        openDevice(device);
        Answer answer;
        device.SetPin(0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8);
        QCOMPARE(device.WriteLock(answer), int(MV100::STATUS_OK));
        QCOMPARE(logged(0), report(0x06, 0, QByteArray::fromHex("B1B2B3B4B5B6B7B8"), {}));
    }

    void returnErrorText_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        const QString prefix = "An error occurred during data transmission (";
        QTest::newRow("0") << 0 << "The data was successfully transferred.";
        QTest::newRow("1") << 1 << prefix + "erase data).";
        QTest::newRow("2") << 2 << prefix + "led data).";
        QTest::newRow("4") << 4 << prefix + "mouse data).";
        QTest::newRow("8") << 8 << prefix + "keytable/macro data).";
        QTest::newRow("16") << 16 << prefix + "lock).";
        QTest::newRow("32") << 32 << prefix + "new PIN).";
        QTest::newRow("64") << 64 << prefix + "custom data).";
        QTest::newRow("128") << 128 << prefix + "debounce data).";
        QTest::newRow("4096") << 4096
                              << "Can not open/connect Morvantide100. Please check the connection.";
        QTest::newRow("8192")
            << 8192 << "The Morvantide is protected/locked and can be neither read nor written to.";
        QTest::newRow("3 (combination)") << 3 << "An unknown error occurred.";
        QTest::newRow("256") << 256 << "An unknown error occurred.";
        QTest::newRow("65535") << 65535 << "An unknown error occurred.";
    }

    void returnErrorText()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        const wchar_t *got = CMorvantide100::GetReturnErrorText(static_cast<unsigned short>(code));
        QVERIFY(got);
        QCOMPARE(QString::fromWCharArray(got), text);
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
