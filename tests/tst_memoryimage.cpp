// Tests of the memory image of CMorvantide100: its layout, the translation to and from the model,
// images of the wrong length, and the block transfer to and from the simulated chip.
#include "CMorvantide100.h"
#include "SimMorvantide100.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QtTest>

namespace {
QByteArray toBytes(const std::vector<unsigned char> &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

std::vector<unsigned char> toVector(const QByteArray &bytes)
{
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

QByteArray image(const CMorvantide100 &model)
{
    return toBytes(model.GetMemoryData());
}

QByteArray chipMemory()
{
    const auto &memory = mv100sim::chip().memory;
    return QByteArray(reinterpret_cast<const char *>(memory.data()), int(memory.size()));
}

QByteArray randomBytes(int count, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(count, '\0');
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// Every cell and every slot read out of the model, in image order.
QByteArray modelContent(const CMorvantide100 &model)
{
    QByteArray bytes;
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int y = 0; y < MV100::ROWS; ++y) {
            for (int x = 0; x < MV100::COLUMNS; ++x) {
                const int code = model.GetKeyCode(layer, x, y);
                bytes.append(char(code & 0xFF));
                bytes.append(char(code >> 8));
            }
        }
    }
    for (int k = 0; k < MV100::MACRO_COUNT; ++k) {
        QByteArray slot(MV100::MACRO_SIZE, '\0');
        model.GetMacro(k, reinterpret_cast<unsigned char *>(slot.data()));
        bytes += slot;
    }
    return bytes;
}

void fillRandomly(CMorvantide100 &model, quint32 seed)
{
    QRandomGenerator generator(seed);
    for (int layer = 0; layer < MV100::LAYERS; ++layer)
        for (int y = 0; y < MV100::ROWS; ++y)
            for (int x = 0; x < MV100::COLUMNS; ++x)
                model.SetKeyCode(layer, x, y, generator.bounded(0x10000));
    for (int k = 0; k < MV100::MACRO_COUNT; ++k) {
        const QByteArray slot = randomBytes(MV100::MACRO_SIZE, seed + k);
        model.SetMacro(k, reinterpret_cast<const unsigned char *>(slot.constData()));
    }
}

QByteArray writeBlockReport(int block, const QByteArray &pin, const QByteArray &data)
{
    QByteArray report(MV100::REPORT_OUT_SIZE, '\0');
    report[1] = 0x02;
    report[2] = char(block);
    report.replace(MV100::REPORT_PIN, MV100::PIN_SIZE, pin);
    report.replace(MV100::REPORT_PAYLOAD, MV100::BLOCK_SIZE, data);
    return report;
}

QByteArray readBlockReport(int block, const QByteArray &pin)
{
    QByteArray report(MV100::REPORT_OUT_SIZE, '\0');
    report[1] = 0x01;
    report[2] = char(block);
    report.replace(MV100::REPORT_PIN, MV100::PIN_SIZE, pin);
    return report;
}

QByteArray logged(int index)
{
    return toBytes(mv100sim::writtenReports().at(index).bytes);
}

const QByteArray EMPTY_IMAGE(MV100::MEMORY_SIZE, char(0xFF));
const QByteArray FACTORY_PIN = QByteArray::fromHex(MV100_PIN::STRING);
} // namespace

class TestMemoryImage : public QObject
{
    Q_OBJECT

private slots:
    void init() { mv100sim::reset(); }

    void emptyModelBuildsEmptyImage()
    {
        CMorvantide100 model;
        model.SetMemory(std::vector<unsigned char>(MV100::MEMORY_SIZE, 0x00));
        model.BuildMemory();
        QCOMPARE(image(model), EMPTY_IMAGE);
    }

    void cellLayout_data()
    {
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("offset");
        QTest::newRow("Default x0 y0") << 0 << 0 << 0 << 0;
        QTest::newRow("Default x15 y23") << 0 << 15 << 23 << 766;
        QTest::newRow("FN1 x1 y2 (block 26)") << 1 << 1 << 2 << 834;
        QTest::newRow("FN1 x0 y0") << 1 << 0 << 0 << 768;
        QTest::newRow("FN2 x15 y23") << 2 << 15 << 23 << 2302;
    }

    void cellLayout()
    {
        QFETCH(int, layer);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, offset);
        CMorvantide100 model;
        model.SetKeyCode(layer, x, y, 0x1234);
        model.BuildMemory();
        QByteArray expected = EMPTY_IMAGE;
        expected[offset] = 0x34; // low byte first
        expected[offset + 1] = 0x12;
        QCOMPARE(image(model), expected);

        CMorvantide100 back;
        back.SetMemory(toVector(expected));
        back.BuildKeytable();
        QCOMPARE(back.GetKeyCode(layer, x, y), 0x1234);
        QCOMPARE(modelContent(back), modelContent(model));
    }

    void slotLayout_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("offset");
        QTest::newRow("slot 0 (block 72)") << 0 << 2304;
        QTest::newRow("slot 1") << 1 << 2336;
        QTest::newRow("slot 175 (block 247)") << 175 << 7904;
    }

    void slotLayout()
    {
        QFETCH(int, slot);
        QFETCH(int, offset);
        const QByteArray bytes = randomBytes(MV100::MACRO_SIZE, slot);
        CMorvantide100 model;
        model.SetMacro(slot, reinterpret_cast<const unsigned char *>(bytes.constData()));
        model.BuildMemory();
        QByteArray expected = EMPTY_IMAGE;
        expected.replace(offset, MV100::MACRO_SIZE, bytes);
        QCOMPARE(image(model), expected);

        CMorvantide100 back;
        back.SetMemory(toVector(expected));
        back.BuildMacros();
        QCOMPARE(modelContent(back), modelContent(model));
    }

    // Model -> image -> model -> image gives back the same bytes, and any image read into a
    // model and built again is reproduced exactly.
    void roundTrip()
    {
        CMorvantide100 model;
        fillRandomly(model, 7);
        model.BuildMemory();
        const QByteArray built = image(model);
        QCOMPARE(built, modelContent(model));

        CMorvantide100 back;
        back.SetMemory(toVector(built));
        back.BuildKeytable();
        back.BuildMacros();
        QCOMPARE(modelContent(back), modelContent(model));
        back.ClearMemory();
        back.BuildMemory();
        QCOMPARE(image(back), built);

        const QByteArray arbitrary = randomBytes(MV100::MEMORY_SIZE, 99);
        CMorvantide100 any;
        any.SetMemory(toVector(arbitrary));
        any.BuildKeytable();
        any.BuildMacros();
        any.ClearMemory();
        any.BuildMemory();
        QCOMPARE(image(any), arbitrary);
    }

    // A short image reads as if padded with 0xFF; SetMemory keeps it as given.
    void shortImage()
    {
        CMorvantide100 model;
        fillRandomly(model, 3);
        model.SetMemory(std::vector<unsigned char>(101, 0x00));
        QCOMPARE(image(model).size(), 101);
        model.BuildKeytable();
        model.BuildMacros();
        QByteArray expected = EMPTY_IMAGE;
        expected.replace(0, 101, QByteArray(101, '\0'));
        QCOMPARE(modelContent(model), expected);
        // Cell 50: its low byte lies inside the image, its high byte past the end.
        QCOMPARE(model.GetKeyCode(0, 2, 3), 0xFF00);
        model.BuildMemory();
        QCOMPARE(image(model), expected);
    }

    void longImage()
    {
        const QByteArray bytes = randomBytes(MV100::MEMORY_SIZE + 64, 5);
        CMorvantide100 model;
        model.SetMemory(toVector(bytes));
        QCOMPARE(image(model), bytes);
        model.BuildKeytable();
        model.BuildMacros();
        QCOMPARE(modelContent(model), bytes.left(MV100::MEMORY_SIZE));
        model.BuildMemory();
        QCOMPARE(image(model), bytes.left(MV100::MEMORY_SIZE));
    }

    void emptyImage()
    {
        CMorvantide100 model;
        fillRandomly(model, 4);
        model.SetMemory({});
        model.BuildKeytable();
        model.BuildMacros();
        QCOMPARE(modelContent(model), EMPTY_IMAGE);
    }

    void writeAllBlocks()
    {
        const QByteArray bytes = randomBytes(MV100::MEMORY_SIZE, 11);
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        device.SetMemory(toVector(bytes));
        QCOMPARE(device.WriteMemoryData(), 0);
        QCOMPARE(int(mv100sim::writtenReports().size()), MV100::BLOCK_COUNT);
        for (int b = 0; b < MV100::BLOCK_COUNT; ++b)
            QCOMPARE(logged(b), writeBlockReport(b, FACTORY_PIN, bytes.mid(b * 32, 32)));
        QCOMPARE(chipMemory(), bytes);
    }

    void writeShortAndLongImages_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("short") << 1000;
        QTest::newRow("one byte into a block") << 33;
        QTest::newRow("long") << MV100::MEMORY_SIZE + 100;
    }

    void writeShortAndLongImages()
    {
        QFETCH(int, length);
        const QByteArray bytes = randomBytes(length, 12);
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        mv100sim::chip().memory.fill(0x00);
        device.SetMemory(toVector(bytes));
        QCOMPARE(device.WriteMemoryData(), 0);
        QCOMPARE(int(mv100sim::writtenReports().size()), MV100::BLOCK_COUNT);
        QByteArray expected = bytes.left(MV100::MEMORY_SIZE);
        expected.append(QByteArray(MV100::MEMORY_SIZE - expected.size(), char(0xFF)));
        QCOMPARE(chipMemory(), expected);
        QCOMPARE(image(device), bytes); // writing does not change the image
    }

    void readShortImage()
    {
        const QByteArray bytes = randomBytes(MV100::MEMORY_SIZE, 13);
        std::copy(bytes.begin(), bytes.end(), mv100sim::chip().memory.begin());
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        device.SetMemory(std::vector<unsigned char>(10, 0x00));
        QCOMPARE(device.ReadMemoryData(), 0);
        QCOMPARE(image(device), bytes);
    }

    void readAllBlocks()
    {
        const QByteArray bytes = randomBytes(MV100::MEMORY_SIZE, 14);
        std::copy(bytes.begin(), bytes.end(), mv100sim::chip().memory.begin());
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        QCOMPARE(device.ReadMemoryData(), 0);
        QCOMPARE(image(device), bytes);
        QCOMPARE(int(mv100sim::writtenReports().size()), MV100::BLOCK_COUNT);
        for (int b = 0; b < MV100::BLOCK_COUNT; ++b)
            QCOMPARE(logged(b), readBlockReport(b, FACTORY_PIN));
    }

    // A chip that stops answering at block 100: blocks 101.. are never sent.
    void writeStopsAtSilentBlock()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        mv100sim::stopAnsweringAfter(mv100sim::exchangeCount() + 100);
        QCOMPARE(device.WriteMemoryData(), 1);
        const auto &log = mv100sim::writtenReports();
        QCOMPARE(int(log.size()), 101);
        QCOMPARE(int(log.back().bytes.at(2)), 100);
    }

    void writeStopsAtFailedWrite()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        mv100sim::failWriteOfExchange(mv100sim::exchangeCount() + 5);
        QCOMPARE(device.WriteMemoryData(), 2);
        const auto &log = mv100sim::writtenReports();
        QVERIFY(!log.empty());
        QCOMPARE(int(log.back().bytes.at(2)), 5);
        QVERIFY(!log.back().delivered);
    }

    void transfersWithoutHandle()
    {
        CMorvantide100 device;
        QCOMPARE(device.WriteMemoryData(), 2);
        device.SetMemory(std::vector<unsigned char>(MV100::MEMORY_SIZE, 0x22));
        QCOMPARE(device.ReadMemoryData(), 2);
        QCOMPARE(image(device), QByteArray(MV100::MEMORY_SIZE, char(0x22)));
        QVERIFY(mv100sim::writtenReports().empty());
    }

    // Blocks not read keep what the image held before.
    void readStopsAtSilentBlock()
    {
        const QByteArray bytes = randomBytes(MV100::MEMORY_SIZE, 15);
        std::copy(bytes.begin(), bytes.end(), mv100sim::chip().memory.begin());
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        device.SetMemory(std::vector<unsigned char>(MV100::MEMORY_SIZE, 0x22));
        mv100sim::stopAnsweringAfter(mv100sim::exchangeCount() + 100);
        QCOMPARE(device.ReadMemoryData(), 1);
        QByteArray expected = bytes.left(100 * 32);
        expected.append(QByteArray(MV100::MEMORY_SIZE - expected.size(), char(0x22)));
        QCOMPARE(image(device), expected);
    }

    void readStopsAtEmptyAnswer()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        device.SetMemory(std::vector<unsigned char>(MV100::MEMORY_SIZE, 0x22));
        mv100sim::answerEmpty(true);
        QCOMPARE(device.ReadMemoryData(), 1);
        QCOMPARE(image(device), QByteArray(MV100::MEMORY_SIZE, char(0x22)));
        QCOMPARE(int(mv100sim::writtenReports().size()), 1);
    }

    // The whole road: model -> image -> chip -> image -> model, through the command functions.
    void deviceRoundTrip()
    {
        CMorvantide100 source;
        fillRandomly(source, 21);
        CMorvantide100 writer;
        writer = source;
        QCOMPARE(writer.Open(), 1);
        writer.BuildMemory();
        QCOMPARE(writer.WriteMemoryData(), 0);
        writer.Close();

        CMorvantide100 reader;
        QCOMPARE(reader.Open(), 1);
        QCOMPARE(reader.ReadMemoryData(), 0);
        reader.BuildKeytable();
        reader.BuildMacros();
        QCOMPARE(modelContent(reader), modelContent(source));
        QCOMPARE(image(reader), image(writer));
        QCOMPARE(chipMemory(), image(writer));
    }
};

QTEST_GUILESS_MAIN(TestMemoryImage)
#include "tst_memoryimage.moc"
