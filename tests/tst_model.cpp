// Tests of the configuration model of CMorvantide100: defaults, cells, macros, clears, PIN, copies.
#include "CMorvantide100.h"
#include "SimMorvantide100.h"

#include <QByteArray>
#include <QtTest>

namespace {
// Every cell of every layer as little-endian pairs, so a QCOMPARE shows what changed.
QByteArray allCells(const CMorvantide100 &model)
{
    QByteArray cells;
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int y = 0; y < MV100::ROWS; ++y) {
            for (int x = 0; x < MV100::COLUMNS; ++x) {
                const int code = model.GetKeyCode(layer, x, y);
                cells.append(char(code & 0xFF));
                cells.append(char((code >> 8) & 0xFF));
            }
        }
    }
    return cells;
}

QByteArray slot(const CMorvantide100 &model, int slot)
{
    QByteArray bytes(MV100::MACRO_SIZE, '\0');
    model.GetMacro(slot, reinterpret_cast<unsigned char *>(bytes.data()));
    return bytes;
}

QByteArray allSlots(const CMorvantide100 &model)
{
    QByteArray bytes;
    for (int k = 0; k < MV100::MACRO_COUNT; ++k)
        bytes += slot(model, k);
    return bytes;
}

QByteArray memory(const CMorvantide100 &model)
{
    const std::vector<unsigned char> image = model.GetMemoryData();
    return QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size()));
}

QByteArray pin(const CMorvantide100 &model)
{
    return QByteArray(reinterpret_cast<const char *>(model.GetPin().data()), MV100::PIN_SIZE);
}

const QByteArray EMPTY_CELLS(2 * MV100::LAYERS * MV100::CELLS, char(0xFF));
const QByteArray EMPTY_SLOTS(MV100::MEMORY_SIZE - MV100::MACRO_OFFSET, char(0xFF));
const QByteArray EMPTY_IMAGE(MV100::MEMORY_SIZE, char(0xFF));

// A model with something in every part, to see what a clear or a copy keeps.
void fill(CMorvantide100 &model)
{
    for (int layer = 0; layer < MV100::LAYERS; ++layer)
        for (int y = 0; y < MV100::ROWS; ++y)
            for (int x = 0; x < MV100::COLUMNS; ++x)
                model.SetKeyCode(layer, x, y, (layer << 12) | (y << 4) | x);
    for (int k = 0; k < MV100::MACRO_COUNT; ++k) {
        unsigned char bytes[MV100::MACRO_SIZE];
        for (int i = 0; i < MV100::MACRO_SIZE; ++i)
            bytes[i] = static_cast<unsigned char>(k + i);
        model.SetMacro(k, bytes);
    }
    model.SetMemory(std::vector<unsigned char>(MV100::MEMORY_SIZE, 0x5A));
    model.SetPin(1, 2, 3, 4, 5, 6, 7, 8);
}
} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void init() { mv100sim::reset(); }

    void defaults()
    {
        CMorvantide100 model;
        QCOMPARE(allCells(model), EMPTY_CELLS);
        QCOMPARE(allSlots(model), EMPTY_SLOTS);
        QCOMPARE(memory(model), EMPTY_IMAGE);
        QCOMPARE(pin(model), QByteArray::fromHex(MV100_PIN::STRING));
        QVERIFY(!model.IsOpen());
        QCOMPARE(int(model.GetDeviceState().vendorId), 0);
        QCOMPARE(int(model.GetDeviceState().productId), 0);
    }

    void keyCodeBounds_data()
    {
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("valid");
        QTest::newRow("first cell") << 0 << 0 << 0 << true;
        QTest::newRow("last cell of FN2") << 2 << 15 << 23 << true;
        QTest::newRow("layer 3") << 3 << 0 << 0 << false;
        QTest::newRow("x 16") << 0 << 16 << 0 << false;
        QTest::newRow("y 24") << 0 << 0 << 24 << false;
        QTest::newRow("all 255") << 255 << 255 << 255 << false;
        // x 16 of row 0 would be cell 16 of a plain index: it must not reach row 1.
        QTest::newRow("x 16 on FN1") << 1 << 16 << 0 << false;
    }

    void keyCodeBounds()
    {
        QFETCH(int, layer);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, valid);
        CMorvantide100 model;
        QCOMPARE(model.GetKeyCode(layer, x, y), valid ? 0xFFFF : -1);
        model.SetKeyCode(layer, x, y, 0x0004);
        if (valid) {
            QCOMPARE(model.GetKeyCode(layer, x, y), 4);
        } else {
            QCOMPARE(model.GetKeyCode(layer, x, y), -1);
            QCOMPARE(allCells(model), EMPTY_CELLS);
        }
    }

    void setKeyCodeChangesOneCell()
    {
        CMorvantide100 model;
        model.SetKeyCode(1, 15, 23, 0x0004);
        QByteArray expected = EMPTY_CELLS;
        const int entry = MV100::CELLS + 383; // entry 383 of FN1
        expected[2 * entry] = 0x04;
        expected[2 * entry + 1] = 0x00;
        QCOMPARE(allCells(model), expected);
        model.SetKeyCode(0, 1, 0, 0x0000);
        QCOMPARE(model.GetKeyCode(0, 1, 0), 0);
        QCOMPARE(model.GetKeyCode(0, 0, 1), 0xFFFF);
    }

    void assignmentCopiesModelOnly()
    {
        CMorvantide100 source;
        fill(source);
        CMorvantide100 target;
        target = source;
        QCOMPARE(allCells(target), allCells(source));
        QCOMPARE(allSlots(target), allSlots(source));
        QCOMPARE(memory(target), memory(source));
        QCOMPARE(pin(target), pin(source));

        const QByteArray sourceCells = allCells(source);
        const QByteArray sourceSlots = allSlots(source);
        target.SetKeyCode(0, 3, 4, 0x1111);
        target.SetMacroKey(7, 0, 0x22);
        target.SetPin(9, 9, 9, 9, 9, 9, 9, 9);
        target.ClearMemory();
        QCOMPARE(allCells(source), sourceCells);
        QCOMPARE(allSlots(source), sourceSlots);
        QCOMPARE(pin(source), QByteArray::fromHex("0102030405060708"));
        QCOMPARE(memory(source), QByteArray(MV100::MEMORY_SIZE, char(0x5A)));

        target = target; // self-assignment keeps everything
        QCOMPARE(target.GetKeyCode(0, 3, 4), 0x1111);
    }

    void assignmentKeepsDeviceState()
    {
        CMorvantide100 opened;
        QCOMPARE(opened.Open(), 1);
        hid_device *const handle = opened.GetDeviceState().handle;
        QVERIFY(handle);

        CMorvantide100 closed;
        fill(closed);
        opened = closed; // an open target keeps its own handle
        QCOMPARE(opened.GetDeviceState().handle, handle);
        QCOMPARE(opened.GetDeviceState().vendorId, MV100::VENDOR_ID);
        QCOMPARE(opened.GetKeyCode(2, 15, 23), 0x2000 | (23 << 4) | 15);
        QVERIFY(!closed.IsOpen());

        closed = opened; // a closed target never takes over the other's handle
        QVERIFY(!closed.IsOpen());
        QCOMPARE(int(closed.GetDeviceState().vendorId), 0);
        QCOMPARE(int(closed.GetDeviceState().productId), 0);
        QCOMPARE(mv100sim::openHandleCount(), 1);
    }

    void clears_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("clearedLayers"); // bit mask of layers
        QTest::addColumn<bool>("clearsSlots");
        QTest::addColumn<bool>("clearsImage");
        QTest::newRow("Default") << 0 << 0b001 << false << false;
        QTest::newRow("FN1") << 1 << 0b010 << false << false;
        QTest::newRow("FN2") << 2 << 0b100 << false << false;
        QTest::newRow("all tables") << 3 << 0b111 << false << false;
        QTest::newRow("macros") << 4 << 0 << true << false;
        QTest::newRow("image") << 5 << 0 << false << true;
        QTest::newRow("everything") << 6 << 0b111 << true << true;
    }

    void clears()
    {
        QFETCH(int, which);
        QFETCH(int, clearedLayers);
        QFETCH(bool, clearsSlots);
        QFETCH(bool, clearsImage);
        CMorvantide100 model;
        fill(model);
        CMorvantide100 before;
        before = model;
        using Clear = void (CMorvantide100::*)();
        const Clear clear[] = {&CMorvantide100::ClearKeytableDefault,
                               &CMorvantide100::ClearKeytableFN1,
                               &CMorvantide100::ClearKeytableFN2,
                               &CMorvantide100::ClearKeytableAll,
                               &CMorvantide100::ClearMacro,
                               &CMorvantide100::ClearMemory,
                               &CMorvantide100::ClearAll};
        (model.*clear[which])();
        const int layerBytes = MV100::CELLS * 2;
        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            const QByteArray cells = allCells(model).mid(layer * layerBytes, layerBytes);
            const QByteArray expected = (clearedLayers & (1 << layer))
                ? QByteArray(layerBytes, char(0xFF))
                : allCells(before).mid(layer * layerBytes, layerBytes);
            QCOMPARE(cells, expected);
        }
        QCOMPARE(allSlots(model), clearsSlots ? EMPTY_SLOTS : allSlots(before));
        QCOMPARE(memory(model), clearsImage ? EMPTY_IMAGE : memory(before));
        QCOMPARE(pin(model), QByteArray::fromHex("0102030405060708"));
    }

    void clearMemoryRestoresLength()
    {
        CMorvantide100 model;
        model.SetMemory(std::vector<unsigned char>(10, 0x00));
        model.ClearMemory();
        QCOMPARE(memory(model), EMPTY_IMAGE);
        model.SetMemory(std::vector<unsigned char>(MV100::MEMORY_SIZE + 5, 0x00));
        model.ClearAll();
        QCOMPARE(memory(model), EMPTY_IMAGE);
    }

    void setPinBuffer_data()
    {
        QTest::addColumn<QByteArray>("buffer");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray factory = QByteArray::fromHex(MV100_PIN::STRING);
        QTest::newRow("8 bytes") << QByteArray::fromHex("1122334455667788")
                                 << QByteArray::fromHex("1122334455667788");
        QTest::newRow("9 bytes: first 8")
            << QByteArray::fromHex("A1A2A3A4A5A6A7A8A9") << QByteArray::fromHex("A1A2A3A4A5A6A7A8");
        QTest::newRow("7 bytes: unchanged") << QByteArray::fromHex("11223344556677") << factory;
        QTest::newRow("0 bytes: unchanged") << QByteArray() << factory;
    }

    void setPinBuffer()
    {
        QFETCH(QByteArray, buffer);
        QFETCH(QByteArray, expected);
        CMorvantide100 model;
        model.SetPin(reinterpret_cast<const unsigned char *>(buffer.constData()),
                     std::uint64_t(buffer.size()));
        QCOMPARE(pin(model), expected);
    }

    void setPinBytes()
    {
        CMorvantide100 model;
        model.SetPin(0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8);
        QCOMPARE(pin(model), QByteArray::fromHex("B1B2B3B4B5B6B7B8"));
        model.ClearAll();
        QCOMPARE(pin(model), QByteArray::fromHex("B1B2B3B4B5B6B7B8"));
    }

    void macroByteOffsets()
    {
        CMorvantide100 model;
        model.SetMacroKey(5, 0, 0x12);
        model.SetMacroKey(5, 30, 0x34);
        QByteArray expected(MV100::MACRO_SIZE, char(0xFF));
        expected[1] = 0x12;
        expected[31] = 0x34;
        QCOMPARE(slot(model, 5), expected);
        QCOMPARE(int(model.GetMacroMode(5)), 0xFF);
        QCOMPARE(int(model.GetMacroKey(5, 0)), 0x12);
        QCOMPARE(int(model.GetMacroKey(5, 30)), 0x34);

        model.SetMacroMode(5, 2);
        expected[0] = 2;
        QCOMPARE(slot(model, 5), expected);
        QCOMPARE(int(model.GetMacroMode(5)), 2);

        QByteArray data(MV100::MACRO_SIZE, char(0xEE)); // one byte more than written
        model.GetMacroData(5, reinterpret_cast<unsigned char *>(data.data()));
        QCOMPARE(data.left(31), expected.mid(1));
        QCOMPARE(data.at(31), char(0xEE));

        // Neighbouring slots untouched.
        QCOMPARE(slot(model, 4), QByteArray(MV100::MACRO_SIZE, char(0xFF)));
        QCOMPARE(slot(model, 6), QByteArray(MV100::MACRO_SIZE, char(0xFF)));
    }

    void macroWholeSlot()
    {
        CMorvantide100 model;
        QByteArray bytes;
        for (int i = 0; i < MV100::MACRO_SIZE; ++i)
            bytes.append(char(0x40 + i));
        model.SetMacro(175, reinterpret_cast<const unsigned char *>(bytes.constData()));
        QCOMPARE(slot(model, 175), bytes);
        QCOMPARE(allSlots(model).left(175 * MV100::MACRO_SIZE),
                 EMPTY_SLOTS.left(175 * MV100::MACRO_SIZE));
    }

    void macroOutOfRangeIgnored_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("index");
        QTest::newRow("slot 176") << 176 << 0;
        QTest::newRow("slot 255") << 255 << 0;
        QTest::newRow("index 31") << 0 << 31;
        QTest::newRow("index 255") << 175 << 255;
    }

    void macroOutOfRangeIgnored()
    {
        QFETCH(int, slot);
        QFETCH(int, index);
        CMorvantide100 model;
        const unsigned char bytes[MV100::MACRO_SIZE] = {0x01, 0x02, 0x03};
        model.SetMacroKey(slot, index, 0x00);
        if (slot >= MV100::MACRO_COUNT) {
            model.SetMacro(slot, bytes);
            model.SetMacroMode(slot, 0x00);
        }
        QCOMPARE(allSlots(model), EMPTY_SLOTS);
        QCOMPARE(allCells(model), EMPTY_CELLS);
        QCOMPARE(memory(model), EMPTY_IMAGE);
        QCOMPARE(int(model.GetMacroKey(slot, index)), 0xFF);

        if (slot >= MV100::MACRO_COUNT) {
            QCOMPARE(int(model.GetMacroMode(slot)), 0xFF);
            unsigned char out[MV100::MACRO_SIZE] = {0x77};
            model.GetMacro(slot, out);
            model.GetMacroData(slot, out);
            QCOMPARE(int(out[0]), 0x77); // buffer left as it was
            QCOMPARE(int(out[1]), 0x00);
        }
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
