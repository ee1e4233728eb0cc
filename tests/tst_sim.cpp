// Tests of the simulated Morvantide100 through the raw hidapi calls and its control functions.
#include "SimMorvantide100.h"

#include <hidapi.h>

#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <fstream>
#include <sstream>
#include <vector>

using namespace mv100sim;

namespace {

using Bytes = std::vector<unsigned char>;
using Pin = std::array<unsigned char, 8>;

const Pin OTHER_PIN = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};

// Opens and closes a handle.
class Handle
{
public:
    explicit Handle(const std::string &path)
        : m_dev(hid_open_path(path.c_str()))
    { }
    ~Handle() { close(); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    hid_device *get() const { return m_dev; }
    void close()
    {
        if (m_dev != nullptr)
            hid_close(m_dev);
        m_dev = nullptr;
    }

private:
    hid_device *m_dev;
};

std::string configPath(int device = 0)
{
    return "sim:" + std::to_string(device) + ":2";
}

Bytes report(unsigned char command, unsigned char block = 0, const Pin &pin = FACTORY_PIN,
             const Bytes &payload = {})
{
    Bytes bytes(REPORT_SIZE, 0);
    bytes[1] = command;
    bytes[2] = block;
    if (command != 0x00)
        std::copy(pin.begin(), pin.end(), bytes.begin() + 5);
    std::copy(payload.begin(), payload.end(), bytes.begin() + 13);
    return bytes;
}

// Writes the report and reads its answer. No answer gives 65 bytes of 0xCC: no check accepts
// that, and every answer index can still be read.
Bytes exchange(hid_device *dev, const Bytes &bytes)
{
    const Bytes missing(ANSWER_SIZE + 1, 0xCC);
    if (hid_write(dev, bytes.data(), bytes.size()) != static_cast<int>(bytes.size()))
        return missing;
    Bytes answer(ANSWER_SIZE, 0xCC);
    const int count = hid_read_timeout(dev, answer.data(), answer.size(), 200);
    if (count <= 0)
        return missing;
    answer.resize(static_cast<std::size_t>(count));
    return answer;
}

Bytes slice(const Bytes &bytes, int from, int count)
{
    return Bytes(bytes.begin() + from, bytes.begin() + from + count);
}

template<std::size_t N> Bytes toBytes(const std::array<unsigned char, N> &array)
{
    return Bytes(array.begin(), array.end());
}

Bytes sequence(int count, int start, int step = 1)
{
    Bytes bytes;
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<unsigned char>(start + i * step));
    return bytes;
}

bool allZero(const Bytes &bytes, int from)
{
    return std::all_of(bytes.begin() + from, bytes.end(), [](unsigned char b) { return b == 0; });
}

// A chip whose every setting differs from the erased state, so that reads carry data.
ChipState setUpChip()
{
    ChipState state;
    for (int i = 0; i < MEMORY_SIZE; ++i)
        state.memory[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i * 7 + 1);
    for (std::size_t i = 0; i < state.customData.size(); ++i)
        state.customData[i] = static_cast<unsigned char>(0xA0 + i);
    state.lockKeys = 0x31;
    for (std::size_t i = 0; i < state.led.size(); ++i)
        state.led[i] = static_cast<unsigned char>(0x20 + i);
    for (std::size_t i = 0; i < state.backlight.size(); ++i)
        state.backlight[i] = static_cast<unsigned char>(0x40 + i);
    for (std::size_t i = 0; i < state.mouse.size(); ++i)
        state.mouse[i] = static_cast<unsigned char>(0x60 + i);
    state.debounce = 7;
    state.eraseCount = 5;
    return state;
}

QByteArray hex(const Bytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<int>(bytes.size()))
        .toHex(' ');
}

std::string readFile(const QString &path)
{
    std::ifstream file(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeFile(const QString &path, const std::string &text)
{
    std::ofstream file(path.toStdString(), std::ios::binary | std::ios::trunc);
    file << text;
}

} // namespace

class TstSim : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void enumeration_data();
    void enumeration();
    void openedHandle();
    void exitKeepsHandles();
    void handlesOfRemovedChips();

    void infoAnswer();
    void protectedCommand_data();
    void protectedCommand();
    void erase_data();
    void erase();
    void newPinReplacesOldPin();
    void lockIsLeftOnlyByErase();

    void blocksRoundTrip();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void unknownCommands_data();
    void unknownCommands();

    void stopAnswering();
    void failedWrite();
    void emptyAnswers();
    void unplug();
    void staleAnswer();
    void eraseError();
    void latency();
    void blockingAndNonblockingReads();

    void log();

    void stateFileRoundTrip();
    void stateFileKeepsCommands();
    void damagedStateFile_data();
    void damagedStateFile();
};

void TstSim::init()
{
    reset();
}

void TstSim::cleanup()
{
    QCOMPARE(openHandleCount(), 0);
    reset();
}

// --- Enumeration and handles ------------------------------------------------------------------

void TstSim::enumeration_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<int>("vendor");
    QTest::addColumn<int>("product");
    // One entry per interface: "device:interface number:product", "-" for a missing product.
    QTest::addColumn<QStringList>("expected");

    const QStringList oneChip
        = {"0:0:Keyboard",          "0:1:MediaControls",   "0:2:ConfigInterface",
           "0:3:Morvantide Mouse",  "0:4:Morvantide GPIO", "0:5:Morvantide SpecialIO",
           "0:6:Morvantide FastIIC"};
    QStringList twoChips = oneChip;
    for (const QString &entry : oneChip)
        twoChips << QString(entry).replace(0, 1, "1");

    QTest::newRow("one chip") << 0 << 0x07C0 << 0x0181 << oneChip;
    QTest::newRow("any ids") << 0 << 0 << 0 << oneChip;
    QTest::newRow("other vendor") << 0 << 0x07C1 << 0x0181 << QStringList();
    QTest::newRow("other product") << 0 << 0x07C0 << 0x0180 << QStringList();
    QTest::newRow("two chips") << 1 << 0x07C0 << 0x0181 << twoChips;
    QTest::newRow("no chip") << 2 << 0x07C0 << 0x0181 << QStringList();
    QTest::newRow("missing products")
        << 3 << 0x07C0 << 0x0181 << QStringList {"0:0:Keyboard", "0:2:-", "0:5:-"};
    QTest::newRow("other numbers")
        << 4 << 0x07C0 << 0x0181 << QStringList {"0:7:ConfigInterface", "0:2:Vendor"};
}

void TstSim::enumeration()
{
    QFETCH(int, setup);
    QFETCH(int, vendor);
    QFETCH(int, product);
    QFETCH(QStringList, expected);

    switch (setup) {
    case 1:
        setDeviceCount(2);
        chip(1).firmwareVersion = 0x1031;
        break;
    case 2:
        setDeviceCount(0);
        break;
    case 3:
        setInterfaces(
            0,
            {{L"Keyboard", true, 0, false}, {L"", false, 2, true}, {L"ignored", false, 5, false}});
        break;
    case 4:
        setInterfaces(0, {{L"ConfigInterface", true, 7, true}, {L"Vendor", true, 2, false}});
        break;
    default:
        break;
    }

    hid_device_info *all
        = hid_enumerate(static_cast<unsigned short>(vendor), static_cast<unsigned short>(product));
    QStringList seen;
    QSet<QString> paths;
    for (hid_device_info *info = all; info != nullptr; info = info->next) {
        const QString path = QString::fromUtf8(info->path);
        const int device = path.section(':', 1, 1).toInt();
        seen << QString("%1:%2:%3")
                    .arg(device)
                    .arg(info->interface_number)
                    .arg(info->product_string ? QString::fromWCharArray(info->product_string)
                                              : QString("-"));
        paths.insert(path);
        QCOMPARE(info->vendor_id, VENDOR_ID);
        QCOMPARE(info->product_id, PRODUCT_ID);
        QCOMPARE(info->release_number, chip(device).firmwareVersion);
    }
    hid_free_enumeration(all);
    QCOMPARE(seen, expected);
    QCOMPARE(paths.size(), expected.size());
}

void TstSim::openedHandle()
{
    QVERIFY(hid_open_path("sim:1:2") == nullptr);
    QVERIFY(hid_open_path("sim:0:7") == nullptr);
    QVERIFY(hid_open_path("/dev/hidraw0") == nullptr);
    QVERIFY(QString::fromWCharArray(hid_error(nullptr)) != "Success");

    chip().firmwareVersion = 0x102F;
    Handle config(configPath());
    QVERIFY(config.get() != nullptr);
    QCOMPARE(QString::fromWCharArray(hid_error(config.get())), QString("Success"));
    QCOMPARE(openHandleCount(), 1);
    {
        Handle second(configPath());
        QCOMPARE(openHandleCount(), 2);
    }
    QCOMPARE(openHandleCount(), 1);

    hid_device_info *info = hid_get_device_info(config.get());
    QVERIFY(info != nullptr);
    QCOMPARE(info->release_number, 0x102F);
    QCOMPARE(info->interface_number, 2);
    QCOMPARE(QString::fromUtf8(info->path), QString("sim:0:2"));

    wchar_t text[255];
    QCOMPARE(hid_get_product_string(config.get(), text, 255), 0);
    QCOMPARE(QString::fromWCharArray(text), QString("ConfigInterface"));
    QCOMPARE(hid_get_product_string(config.get(), text, 7), 0);
    QCOMPARE(QString::fromWCharArray(text), QString("Config"));
    QCOMPARE(hid_get_indexed_string(config.get(), 2, text, 255), 0);
    QCOMPARE(QString::fromWCharArray(text), QString("ConfigInterface"));
    QCOMPARE(hid_get_indexed_string(config.get(), 3, text, 255), 0);
    QCOMPARE(QString::fromWCharArray(text), QString("1A2B3C4D"));
    QCOMPARE(hid_get_indexed_string(config.get(), 99, text, 255), -1);
    QVERIFY(QString::fromWCharArray(hid_error(config.get())) != "Success");

    // A missing product string is an error, not an empty string.
    setInterfaces(0, {{L"", false, 2, true}});
    Handle unnamed("sim:0:0");
    QVERIFY(unnamed.get() != nullptr);
    QCOMPARE(hid_get_product_string(unnamed.get(), text, 255), -1);

    // Closing twice is caught, not a crash.
    hid_device *raw = hid_open_path("sim:0:0");
    QVERIFY(raw != nullptr);
    hid_close(raw);
    QCOMPARE(invalidHandleUses(), 0);
    hid_close(raw);
    QCOMPARE(invalidHandleUses(), 1);
    unsigned char buffer[ANSWER_SIZE];
    QCOMPARE(hid_read_timeout(raw, buffer, sizeof buffer, 0), -1);
    QCOMPARE(invalidHandleUses(), 2);
}

void TstSim::exitKeepsHandles()
{
    Handle config(configPath());
    QCOMPARE(hid_init(), 0);
    QCOMPARE(hid_exit(), 0);
    QCOMPARE(openHandleCount(), 1);
    const Bytes answer = exchange(config.get(), report(0x00));
    QCOMPARE(int(answer.size()), ANSWER_SIZE);
}

// A handle outlives its chip and even a reset: it fails every call but can still be closed.
void TstSim::handlesOfRemovedChips()
{
    const Bytes info = report(0x00);
    setDeviceCount(2);
    Handle second(configPath(1));
    hid_device *first = hid_open_path(configPath(0).c_str());
    QVERIFY(first != nullptr);
    QCOMPARE(hid_write(second.get(), info.data(), info.size()), REPORT_SIZE);

    setDeviceCount(1);
    QCOMPARE(hid_write(second.get(), info.data(), info.size()), -1);
    setDeviceCount(2); // a new chip in the same place is not the old one
    QCOMPARE(hid_write(second.get(), info.data(), info.size()), -1);
    QCOMPARE(hid_write(first, info.data(), info.size()), REPORT_SIZE);
    QCOMPARE(openHandleCount(), 2);

    reset();
    QCOMPARE(openHandleCount(), 0);
    QCOMPARE(hid_write(first, info.data(), info.size()), -1);
    QVERIFY(hid_get_device_info(first) == nullptr);
    QVERIFY(writtenReports().empty());
    hid_close(first);
    second.close();
    QCOMPARE(invalidHandleUses(), 0);
}

// --- Commands ---------------------------------------------------------------------------------

void TstSim::infoAnswer()
{
    chip().customData = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                         0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
    chip().eraseCount = 0x1234;
    chip().serial = 0xA1B2C3D4;
    chip().lockWord = 0x0102;
    chip().pin = OTHER_PIN;
    Handle config(configPath());
    // The info command carries no PIN and answers a locked chip too.
    const Bytes answer = exchange(config.get(), report(0x00));
    QCOMPARE(int(answer.size()), ANSWER_SIZE);
    QCOMPARE(answer[0], 0x00);
    QCOMPARE(answer[1], 0x00);
    QCOMPARE(hex(slice(answer, 4, 16)), hex(toBytes(chip().customData)));
    QCOMPARE(hex(slice(answer, 20, 8)),
             hex((Bytes {0x02, 0x01, 0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1})));
}

void TstSim::protectedCommand_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("block");
    QTest::addColumn<Bytes>("payload");

    QTest::newRow("ReadBlock") << 0x01 << 5 << Bytes();
    QTest::newRow("WriteBlock") << 0x02 << 247 << sequence(32, 1);
    QTest::newRow("WriteNewPin") << 0x04 << 0 << toBytes(OTHER_PIN);
    QTest::newRow("WriteCustomBytes") << 0x05 << 0 << sequence(16, 0x10);
    QTest::newRow("WriteLock") << 0x06 << 0 << Bytes();
    QTest::newRow("ReadLed") << 0x07 << 0 << Bytes();
    QTest::newRow("WriteLed") << 0x08 << 0 << sequence(25, 3);
    QTest::newRow("ReadMouse") << 0x09 << 0 << Bytes();
    QTest::newRow("WriteMouse") << 0x0A << 0 << sequence(15, 0x90);
    QTest::newRow("ReadDebounce") << 0x0C << 0 << Bytes();
    QTest::newRow("WriteDebounce") << 0x0D << 0 << Bytes {0x21};
}

// Every command but info and erase: refused with a wrong PIN and on a locked chip, carried out
// with the right PIN. A refusal changes nothing and answers no data.
void TstSim::protectedCommand()
{
    QFETCH(int, command);
    QFETCH(int, block);
    QFETCH(Bytes, payload);
    const bool reads = command == 0x01 || command == 0x07 || command == 0x09 || command == 0x0C;
    const ChipState before = setUpChip();
    Handle config(configPath());

    chip() = before;
    Bytes answer = exchange(config.get(), report(command, block, OTHER_PIN, payload));
    QCOMPARE(int(answer.size()), ANSWER_SIZE);
    QCOMPARE(answer[0], command);
    QCOMPARE(answer[1], 1);
    QCOMPARE(answer[2], ANSWER_WRONG_PIN);
    QVERIFY2(allZero(answer, 4), hex(answer));
    QVERIFY(chip() == before);

    chip().lockWord = 0x0000;
    ChipState locked = chip();
    answer = exchange(config.get(), report(command, block, FACTORY_PIN, payload));
    QCOMPARE(answer[1], 1);
    QCOMPARE(answer[2], ANSWER_LOCKED);
    QVERIFY2(allZero(answer, 4), hex(answer));
    QVERIFY(chip() == locked);

    chip() = before;
    answer = exchange(config.get(), report(command, block, FACTORY_PIN, payload));
    QCOMPARE(answer[1], 0);
    QCOMPARE(answer[2], ANSWER_OK);
    if (reads)
        QVERIFY2(!allZero(answer, 4), hex(answer));
    else
        QVERIFY(chip() != before);
}

void TstSim::erase_data()
{
    QTest::addColumn<bool>("rightPin");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("detail"); // 0: erased

    QTest::newRow("right PIN") << true << false << 0;
    QTest::newRow("right PIN, locked") << true << true << 0;
    QTest::newRow("wrong PIN") << false << false << int(ANSWER_ERASE_FAILED);
    QTest::newRow("wrong PIN, locked") << false << true << int(ANSWER_LOCKED);
}

void TstSim::erase()
{
    QFETCH(bool, rightPin);
    QFETCH(bool, locked);
    QFETCH(int, detail);

    ChipState before = setUpChip();
    before.pin = OTHER_PIN;
    before.serial = 0x01020304;
    before.firmwareVersion = 0x1040;
    if (locked)
        before.lockWord = LOCKED_WORD;
    chip() = before;

    Handle config(configPath());
    const Bytes answer
        = exchange(config.get(), report(0x03, 0, rightPin ? OTHER_PIN : FACTORY_PIN));
    QCOMPARE(answer[0], 0x03);
    QCOMPARE(answer[1], detail == 0 ? 0 : 1);
    QCOMPARE(int(answer[2]), detail);
    if (detail != 0) {
        QVERIFY(chip() == before);
        return;
    }
    ChipState expected = erasedChip();
    expected.serial = before.serial;
    expected.firmwareVersion = before.firmwareVersion;
    expected.eraseCount = before.eraseCount + 1;
    QVERIFY(chip() == expected);
    QCOMPARE(hex(toBytes(chip().pin)), hex(toBytes(FACTORY_PIN)));
    QCOMPARE(chip().lockWord, 0xFFFF);
    QVERIFY(std::all_of(chip().memory.begin(), chip().memory.end(),
                        [](unsigned char b) { return b == 0xFF; }));
}

void TstSim::newPinReplacesOldPin()
{
    Handle config(configPath());
    Bytes payload = toBytes(OTHER_PIN);
    payload.resize(20, 0x5A); // bytes after the new PIN are not part of it
    Bytes answer = exchange(config.get(), report(0x04, 0, FACTORY_PIN, payload));
    QCOMPARE(answer[1], 0);
    QCOMPARE(hex(toBytes(chip().pin)), hex(toBytes(OTHER_PIN)));

    answer = exchange(config.get(), report(0x01, 0, FACTORY_PIN));
    QCOMPARE(answer[2], ANSWER_WRONG_PIN);
    answer = exchange(config.get(), report(0x01, 0, OTHER_PIN));
    QCOMPARE(answer[1], 0);
    QCOMPARE(hex(slice(answer, 4, 32)), hex(Bytes(32, 0xFF)));
}

void TstSim::lockIsLeftOnlyByErase()
{
    Handle config(configPath());
    Bytes answer = exchange(config.get(), report(0x06));
    QCOMPARE(answer[1], 0);
    answer = exchange(config.get(), report(0x00));
    const int lockWord = answer[20] | answer[21] << 8;
    QVERIFY(lockWord != 0xFFFF);
    QCOMPARE(lockWord, int(LOCKED_WORD));

    // Neither a new PIN nor a second lock gets through; an erase with the PIN does.
    answer = exchange(config.get(), report(0x04, 0, FACTORY_PIN, toBytes(OTHER_PIN)));
    QCOMPARE(answer[2], ANSWER_LOCKED);
    QCOMPARE(hex(toBytes(chip().pin)), hex(toBytes(FACTORY_PIN)));
    answer = exchange(config.get(), report(0x03));
    QCOMPARE(answer[1], 0);
    answer = exchange(config.get(), report(0x00));
    QCOMPARE(answer[20], 0xFF);
    QCOMPARE(answer[21], 0xFF);
    QCOMPARE(answer[22], 1);
    answer = exchange(config.get(), report(0x01, 0));
    QCOMPARE(answer[1], 0);
}

void TstSim::blocksRoundTrip()
{
    Handle config(configPath());
    std::vector<Bytes> written;
    for (int block = 0; block < BLOCK_COUNT; ++block) {
        written.push_back(sequence(32, block * 31 + 5, 7));
        const Bytes answer
            = exchange(config.get(), report(0x02, block, FACTORY_PIN, written.back()));
        QCOMPARE(answer[1], 0);
    }
    for (int block = 0; block < BLOCK_COUNT; ++block) {
        const Bytes answer = exchange(config.get(), report(0x01, block));
        QCOMPARE(answer[3], block);
        QCOMPARE(hex(slice(answer, 4, 32)), hex(written[static_cast<std::size_t>(block)]));
        QVERIFY(allZero(answer, 36));
        QVERIFY(std::equal(written[static_cast<std::size_t>(block)].begin(),
                           written[static_cast<std::size_t>(block)].end(),
                           chip().memory.begin() + block * BLOCK_SIZE));
    }

    const ChipState before = chip();
    for (int block : {248, 255}) {
        Bytes answer = exchange(config.get(), report(0x02, block, FACTORY_PIN, Bytes(32, 0)));
        QCOMPARE(answer[2], ANSWER_BLOCK_OUT_OF_RANGE);
        answer = exchange(config.get(), report(0x01, block));
        QCOMPARE(answer[2], ANSWER_BLOCK_OUT_OF_RANGE);
        QVERIFY(allZero(answer, 4));
    }
    QVERIFY(chip() == before);
}

void TstSim::settingsRoundTrip_data()
{
    QTest::addColumn<int>("writeCommand");
    QTest::addColumn<Bytes>("payload");
    QTest::addColumn<int>("readCommand");
    QTest::addColumn<Bytes>("expected"); // answer bytes from 4 on; the rest must be 0

    Bytes led = {0x52, 0x00}; // lock keys, then the separator (not kept)
    Bytes ledBlock = {0x00, 0x01, 0x05, 0x10, 0x11, 0x2A, 0x3F, 0xFF};
    Bytes backlight = sequence(15, 200, 3);
    led.insert(led.end(), ledBlock.begin(), ledBlock.end());
    led.insert(led.end(), backlight.begin(), backlight.end());
    Bytes ledAnswer = {0x52, 0xFF};
    ledAnswer.insert(ledAnswer.end(), ledBlock.begin(), ledBlock.end());
    ledAnswer.insert(ledAnswer.end(), backlight.begin(), backlight.end());
    QTest::newRow("LED") << 0x08 << led << 0x07 << ledAnswer;

    const Bytes mouse = {0x03, 0xFF, 0x00, 0xFF, 0x1E, 0x0A, 0x0F, 1, 2, 3, 4, 5, 6, 7, 8};
    Bytes mousePayload = mouse;
    mousePayload.resize(32, 0x77); // the chip keeps only the 15-byte block
    QTest::newRow("mouse") << 0x0A << mousePayload << 0x09 << mouse;

    // The chip answers the debounce time minus one, which the editor adds back.
    QTest::newRow("debounce 10") << 0x0D << Bytes {10} << 0x0C << Bytes {9};
    QTest::newRow("debounce 1") << 0x0D << Bytes {1} << 0x0C << Bytes {0};
    QTest::newRow("debounce 255") << 0x0D << Bytes {255} << 0x0C << Bytes {254};
    QTest::newRow("debounce 0 is 1 ms") << 0x0D << Bytes {0} << 0x0C << Bytes {0};
}

void TstSim::settingsRoundTrip()
{
    QFETCH(int, writeCommand);
    QFETCH(Bytes, payload);
    QFETCH(int, readCommand);
    QFETCH(Bytes, expected);

    Handle config(configPath());
    Bytes answer = exchange(config.get(), report(writeCommand, 0, FACTORY_PIN, payload));
    QCOMPARE(answer[0], writeCommand);
    QCOMPARE(answer[1], 0);
    answer = exchange(config.get(), report(readCommand));
    QCOMPARE(answer[1], 0);
    QCOMPARE(hex(slice(answer, 4, int(expected.size()))), hex(expected));
    QVERIFY2(allZero(answer, 4 + int(expected.size())), hex(answer));

    // The settings survive a reading of everything else.
    exchange(config.get(), report(0x00));
    exchange(config.get(), report(0x01, 3));
    answer = exchange(config.get(), report(readCommand));
    QCOMPARE(hex(slice(answer, 4, int(expected.size()))), hex(expected));
}

void TstSim::unknownCommands_data()
{
    QTest::addColumn<int>("firmware");
    QTest::addColumn<int>("command");

    QTest::newRow("ReadDebounce on 0x102F") << 0x102F << 0x0C;
    QTest::newRow("WriteDebounce on 0x102F") << 0x102F << 0x0D;
    QTest::newRow("WriteDebounce on 0x1000") << 0x1000 << 0x0D;
    QTest::newRow("0x0B") << 0x1030 << 0x0B;
    QTest::newRow("0x0E") << 0x1030 << 0x0E;
    QTest::newRow("0xFF") << 0x1030 << 0xFF;
}

void TstSim::unknownCommands()
{
    QFETCH(int, firmware);
    QFETCH(int, command);
    chip().firmwareVersion = static_cast<unsigned short>(firmware);
    chip().debounce = 4;
    const ChipState before = chip();

    Handle config(configPath());
    const Bytes answer = exchange(config.get(), report(command, 0, FACTORY_PIN, Bytes {0x40}));
    QCOMPARE(answer[1], 1);
    QCOMPARE(answer[2], ANSWER_UNKNOWN_COMMAND);
    QVERIFY(allZero(answer, 4));
    QVERIFY(chip() == before);
}

// --- Faults -----------------------------------------------------------------------------------

void TstSim::stopAnswering()
{
    stopAnsweringAfter(2);
    Handle config(configPath());
    QCOMPARE(exchange(config.get(), report(0x00)).size(), std::size_t(ANSWER_SIZE));
    QCOMPARE(exchange(config.get(), report(0x00)).size(), std::size_t(ANSWER_SIZE));

    const Bytes write = report(0x02, 0, FACTORY_PIN, Bytes(32, 0x12));
    QCOMPARE(hid_write(config.get(), write.data(), write.size()), REPORT_SIZE);
    unsigned char buffer[ANSWER_SIZE];
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 40), 0);
    QVERIFY(timer.elapsed() >= 35);
    QCOMPARE(exchangeCount(), 3);
    QCOMPARE(chip().memory[0], 0xFF); // the hung chip did not carry the command out
}

void TstSim::failedWrite()
{
    failWriteOfExchange(1);
    Handle config(configPath());
    QCOMPARE(exchange(config.get(), report(0x00)).size(), std::size_t(ANSWER_SIZE));
    const Bytes write = report(0x02, 0, FACTORY_PIN, Bytes(32, 0x12));
    QCOMPARE(hid_write(config.get(), write.data(), write.size()), -1);
    QVERIFY(QString::fromWCharArray(hid_error(config.get())) != "Success");
    QCOMPARE(queuedAnswers(), 0);
    QCOMPARE(chip().memory[0], 0xFF);
    // Only that one exchange fails.
    QCOMPARE(exchange(config.get(), write).size(), std::size_t(ANSWER_SIZE));
    QCOMPARE(chip().memory[0], 0x12);
    QCOMPARE(exchangeCount(), 3);
    QCOMPARE(int(writtenReports().size()), 3);
    QVERIFY(writtenReports()[0].delivered);
    QVERIFY(!writtenReports()[1].delivered);
    QVERIFY(writtenReports()[2].delivered);
}

void TstSim::emptyAnswers()
{
    Handle config(configPath());
    answerEmpty(true);
    setBlockingReadLimitMilliseconds(20);
    const Bytes write = report(0x02, 1, FACTORY_PIN, Bytes(32, 0x34));
    QCOMPARE(hid_write(config.get(), write.data(), write.size()), REPORT_SIZE);
    unsigned char buffer[ANSWER_SIZE];
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 1000), 0);
    QVERIFY(timer.elapsed() < 500); // at once, not after the timeout
    QCOMPARE(queuedAnswers(), 0);
    QCOMPARE(chip().memory[32], 0x34); // carried out all the same

    answerEmpty(false);
    QCOMPARE(exchange(config.get(), report(0x00)).size(), std::size_t(ANSWER_SIZE));
}

void TstSim::unplug()
{
    unplugAfter(1);
    Handle config(configPath());
    QCOMPARE(exchange(config.get(), report(0x00)).size(), std::size_t(ANSWER_SIZE));
    const Bytes info = report(0x00);
    QCOMPARE(hid_write(config.get(), info.data(), info.size()), -1);
    unsigned char buffer[ANSWER_SIZE];
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 0), -1);
    QCOMPARE(hid_read(config.get(), buffer, sizeof buffer), -1);
    QCOMPARE(exchangeCount(), 1);

    QVERIFY(hid_enumerate(VENDOR_ID, PRODUCT_ID) == nullptr);
    QVERIFY(hid_open_path(configPath().c_str()) == nullptr);
    QCOMPARE(openHandleCount(), 1); // still the caller's to close

    // Plugged in again: a new handle works, the old one stays dead.
    unplugAfter(-1);
    hid_device_info *all = hid_enumerate(VENDOR_ID, PRODUCT_ID);
    QVERIFY(all != nullptr);
    hid_free_enumeration(all);
    Handle fresh(configPath());
    QCOMPARE(exchange(fresh.get(), report(0x00)).size(), std::size_t(ANSWER_SIZE));
    QCOMPARE(hid_write(config.get(), info.data(), info.size()), -1);

    // A limit that is already reached unplugs at once.
    unplugAfter(0);
    QCOMPARE(hid_write(fresh.get(), info.data(), info.size()), -1);
}

void TstSim::staleAnswer()
{
    queueStaleAnswer(0, {0xEE, 0x01, 0x02});
    QCOMPARE(queuedAnswers(), 1);
    Handle config(configPath());
    const Bytes info = report(0x00);
    QCOMPARE(hid_write(config.get(), info.data(), info.size()), REPORT_SIZE);
    QCOMPARE(queuedAnswers(), 2);

    unsigned char buffer[ANSWER_SIZE] = {};
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 100), 3);
    QCOMPARE(hex(Bytes(buffer, buffer + 3)), hex((Bytes {0xEE, 0x01, 0x02})));
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 100), ANSWER_SIZE);
    QCOMPARE(buffer[20], 0xFF); // the info answer: unlocked
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 0), 0);

    // Answers belong to open handles: closing the last one drops what is left.
    queueStaleAnswer(0, Bytes(80, 0x11));
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 0), ANSWER_SIZE);
    queueStaleAnswer(0, {0x22});
    config.close();
    QCOMPARE(queuedAnswers(), 0);
}

void TstSim::eraseError()
{
    chip().memory[0] = 0x00;
    chip().eraseCount = 9;
    const ChipState before = chip();
    setEraseError(2);

    Handle config(configPath());
    Bytes answer = exchange(config.get(), report(0x03));
    QCOMPARE(answer[1], 1);
    QCOMPARE(answer[2], 2);
    QVERIFY(chip() == before);

    // The fault hits one erase only.
    answer = exchange(config.get(), report(0x03));
    QCOMPARE(answer[1], 0);
    QCOMPARE(chip().memory[0], 0xFF);
    QCOMPARE(chip().eraseCount, 10);

    setEraseError(7); // a detail the chip does not define passes unchanged
    answer = exchange(config.get(), report(0x03, 0, OTHER_PIN));
    QCOMPARE(answer[2], 7);
}

void TstSim::latency()
{
    setLatencyMicroseconds(60000);
    Handle config(configPath());
    const Bytes info = report(0x00);
    unsigned char buffer[ANSWER_SIZE];

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(hid_write(config.get(), info.data(), info.size()), REPORT_SIZE);
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 0), 0);
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 10), 0);
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, 1000), ANSWER_SIZE);
    QVERIFY(timer.elapsed() >= 55);
    QVERIFY(timer.elapsed() < 900);

    timer.restart();
    QCOMPARE(hid_write(config.get(), info.data(), info.size()), REPORT_SIZE);
    QCOMPARE(hid_read(config.get(), buffer, sizeof buffer), ANSWER_SIZE);
    QVERIFY(timer.elapsed() >= 55);
}

void TstSim::blockingAndNonblockingReads()
{
    setBlockingReadLimitMilliseconds(50);
    Handle config(configPath());
    unsigned char buffer[ANSWER_SIZE];
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(hid_read(config.get(), buffer, sizeof buffer), -1);
    QVERIFY(timer.elapsed() >= 45);
    QCOMPARE(hid_read_timeout(config.get(), buffer, sizeof buffer, -1), -1);

    QCOMPARE(hid_set_nonblocking(config.get(), 1), 0);
    timer.restart();
    QCOMPARE(hid_read(config.get(), buffer, sizeof buffer), 0);
    QVERIFY(timer.elapsed() < 40);
    const Bytes info = report(0x00);
    QCOMPARE(hid_write(config.get(), info.data(), info.size()), REPORT_SIZE);
    QCOMPARE(hid_read(config.get(), buffer, sizeof buffer), ANSWER_SIZE);

    // Interfaces other than the configuration interface take reports and never answer.
    Handle keyboard("sim:0:0");
    QCOMPARE(hid_write(keyboard.get(), info.data(), info.size()), REPORT_SIZE);
    QCOMPARE(hid_read_timeout(keyboard.get(), buffer, sizeof buffer, 10), 0);
    QCOMPARE(exchangeCount(), 1);
}

// --- Log --------------------------------------------------------------------------------------

void TstSim::log()
{
    setDeviceCount(2);
    Handle first(configPath(0));
    Handle second(configPath(1));
    Handle media("sim:1:1");

    const Bytes readBlock = report(0x01, 247, OTHER_PIN);
    const Bytes write = report(0x02, 3, FACTORY_PIN, sequence(32, 9));
    const Bytes short_ = {0x00, 0x00};
    const Bytes badId = {0x05, 0x00, 0x00};
    QCOMPARE(hid_write(first.get(), readBlock.data(), readBlock.size()), REPORT_SIZE);
    QCOMPARE(hid_write(second.get(), write.data(), write.size()), REPORT_SIZE);
    QCOMPARE(hid_write(media.get(), short_.data(), short_.size()), 2);
    QCOMPARE(hid_write(first.get(), badId.data(), badId.size()), -1);

    const std::vector<LoggedReport> &reports = writtenReports();
    QCOMPARE(int(reports.size()), 4);
    QCOMPARE(reports[0].device, 0);
    QCOMPARE(hex(reports[0].bytes), hex(readBlock));
    QCOMPARE(hex(Bytes(reports[0].bytes.begin(), reports[0].bytes.begin() + 13)),
             QByteArray("00 01 f7 00 00 11 22 33 44 55 66 77 88"));
    QCOMPARE(reports[1].device, 1);
    QCOMPARE(hex(reports[1].bytes), hex(write));
    QVERIFY(reports[1].isConfig);
    QCOMPARE(reports[2].device, 1);
    QCOMPARE(reports[2].interfaceNumber, 1);
    QVERIFY(!reports[2].isConfig);
    QCOMPARE(hex(reports[2].bytes), hex(short_));
    QVERIFY(!reports[3].delivered);
    QCOMPARE(exchangeCount(), 2);

    // The write went to the second chip only.
    QCOMPARE(chip(1).memory[96], 9);
    QCOMPARE(chip(0).memory[96], 0xFF);

    clearLog();
    QVERIFY(writtenReports().empty());
    QCOMPARE(exchangeCount(), 2);
}

// --- State file -------------------------------------------------------------------------------

void TstSim::stateFileRoundTrip()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("chip.state");
    ChipState state = setUpChip();
    state.pin = OTHER_PIN;
    state.lockWord = LOCKED_WORD;
    state.eraseCount = 0xBEEF;
    state.serial = 0xFEDCBA98;
    state.firmwareVersion = 0x102F;
    chip() = state;
    QVERIFY(saveState(path.toStdString()));
    QVERIFY(!QFile::exists(path + ".tmp"));

    reset();
    QVERIFY(chip() != state);
    QVERIFY(loadState(path.toStdString()));
    QVERIFY(chip() == state);
    QVERIFY(!loadState(folder.filePath("missing").toStdString()));
    QVERIFY(chip() == state);
}

void TstSim::stateFileKeepsCommands()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("chip.state");
    QVERIFY(setStateFile(path.toStdString())); // missing: the chip stays erased
    QVERIFY(chip() == erasedChip());
    {
        Handle config(configPath());
        exchange(config.get(), report(0x02, 200, FACTORY_PIN, Bytes(32, 0x5C)));
        exchange(config.get(), report(0x0D, 0, FACTORY_PIN, Bytes {20}));
        exchange(config.get(), report(0x04, 0, FACTORY_PIN, toBytes(OTHER_PIN)));
    }
    const ChipState written = chip();
    QVERIFY(written != erasedChip());

    // A new run of the demo build starts from what the last one left.
    reset();
    QVERIFY(setStateFile(path.toStdString()));
    QVERIFY(chip() == written);
    QCOMPARE(chip().debounce, 19);

    // Persistence off: changes no longer reach the file.
    QVERIFY(setStateFile(""));
    const std::string saved = readFile(path);
    {
        Handle config(configPath());
        exchange(config.get(), report(0x03, 0, OTHER_PIN));
    }
    QCOMPARE(readFile(path), saved);
}

void TstSim::damagedStateFile_data()
{
    QTest::addColumn<int>("damage");

    QTest::newRow("empty") << 0;
    QTest::newRow("garbage") << 1;
    QTest::newRow("wrong header") << 2;
    QTest::newRow("last block missing") << 3;
    QTest::newRow("bad digit") << 4;
    QTest::newRow("short value") << 5;
    QTest::newRow("key twice") << 6;
    QTest::newRow("block out of range") << 7;
    QTest::newRow("a folder") << 8;
}

void TstSim::damagedStateFile()
{
    QFETCH(int, damage);
    QTemporaryDir folder;
    const QString path = folder.filePath("chip.state");
    chip() = setUpChip();
    QVERIFY(saveState(path.toStdString()));
    std::string text = readFile(path);
    QVERIFY(text.size() > 17000);
    QVERIFY(setStateFile(path.toStdString())); // the undamaged file loads

    switch (damage) {
    case 0:
        text.clear();
        break;
    case 1:
        text = std::string("\x01\xFF\x00garbage\n", 11) + std::string(5000, 'x');
        break;
    case 2:
        text.replace(0, 10, "MV100SIM 2");
        break;
    case 3:
        text.erase(text.rfind("block 247"));
        break;
    case 4:
        text.replace(text.find("pin ") + 4, 1, "G");
        break;
    case 5:
        text.replace(text.find("serial ") + 7, 8, "1234");
        break;
    case 6:
        text += "debounce 03\n";
        break;
    case 7:
        text += "block 248 " + std::string(64, '0') + "\n";
        break;
    default:
        break;
    }
    if (damage == 8) {
        QFile::remove(path);
        QVERIFY(QDir(folder.path()).mkdir("chip.state"));
    } else {
        writeFile(path, text);
    }

    chip() = setUpChip();
    const ChipState before = chip();
    QVERIFY(!loadState(path.toStdString()));
    QVERIFY(chip() == before);

    reset();
    chip() = setUpChip();
    QVERIFY(!setStateFile(path.toStdString()));
    QVERIFY(chip() == erasedChip());
}

QTEST_GUILESS_MAIN(TstSim)
#include "tst_sim.moc"
