// Tests of the HID transport of CMorvantide100 against the simulated chip: finding and opening the
// configuration interface, closing, raw writes and reads, strings, versions, stale answers.
#include "CMorvantide100.h"
#include "SimMorvantide100.h"

#include <hidapi.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

using Interfaces = std::vector<mv100sim::Interface>;
Q_DECLARE_METATYPE(Interfaces)

namespace {
mv100sim::Interface named(const wchar_t *product, int number, bool isConfig = false)
{
    mv100sim::Interface iface;
    iface.product = product;
    iface.interfaceNumber = number;
    iface.isConfig = isConfig;
    return iface;
}

mv100sim::Interface unnamed(int number, bool isConfig = false)
{
    mv100sim::Interface iface;
    iface.hasProduct = false;
    iface.interfaceNumber = number;
    iface.isConfig = isConfig;
    return iface;
}

QByteArray marked(char marker)
{
    return QByteArray(MV100::REPORT_IN_SIZE, marker);
}

std::vector<unsigned char> toVector(const QByteArray &bytes)
{
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

QByteArray answerBytes(const unsigned char *answer)
{
    return QByteArray(reinterpret_cast<const char *>(answer), MV100::REPORT_IN_SIZE);
}
} // namespace

class TestTransport : public QObject
{
    Q_OBJECT

private slots:
    void init() { mv100sim::reset(); }

    void openRules_data()
    {
        QTest::addColumn<int>("devices");
        QTest::addColumn<Interfaces>("interfaces");
        QTest::addColumn<int>("expected");

        using namespace MV100_IFACE;
        QTest::newRow("real chip") << 1 << mv100sim::defaultInterfaces() << 1;
        QTest::newRow("no device") << 0 << mv100sim::defaultInterfaces() << 0;
        QTest::newRow("two chips") << 2 << mv100sim::defaultInterfaces() << 2;
        QTest::newRow("ConfigInterface on 0")
            << 1 << Interfaces {named(KEYBOARD_NAME, 0), named(CONFIG_NAME, 0, true)} << 1;
        QTest::newRow("ConfigInterface on 5") << 1 << Interfaces {named(CONFIG_NAME, 5, true)} << 1;
        QTest::newRow("unknown name on 2")
            << 1 << Interfaces {named(L"Vendor Collection", 2, true)} << 1;
        QTest::newRow("unknown name on 1")
            << 1 << Interfaces {named(L"Vendor Collection", 1, true)} << 0;
        QTest::newRow("no product string on 2") << 1 << Interfaces {unnamed(2, true)} << 1;
        QTest::newRow("no product string on 3") << 1 << Interfaces {unnamed(3, true)} << 0;
        QTest::newRow("empty product string on 2") << 1 << Interfaces {named(L"", 2, true)} << 1;
        QTest::newRow("names differing in case are unknown")
            << 1 << Interfaces {named(L"configinterface", 4, true)} << 0;
        Interfaces known;
        for (const wchar_t *name :
             {KEYBOARD_NAME, MEDIA_NAME, MOUSE_NAME, GPIO_NAME, SPECIAL_NAME, IIC_NAME})
            known.push_back(named(name, 2));
        QTest::newRow("known names on 2 are skipped") << 1 << known << 0;
        QTest::newRow("six qualifying") << 1 << Interfaces(6, named(CONFIG_NAME, 2, true)) << 6;
        QTest::newRow("seven qualifying") << 1 << Interfaces(7, named(CONFIG_NAME, 2, true)) << 6;
    }

    void openRules()
    {
        QFETCH(int, devices);
        QFETCH(Interfaces, interfaces);
        QFETCH(int, expected);
        mv100sim::setDeviceCount(devices);
        for (int d = 0; d < devices; ++d)
            mv100sim::setInterfaces(d, interfaces);

        CMorvantide100 device;
        QCOMPARE(device.Open(), expected);
        QCOMPARE(device.IsOpen(), expected > 0);
        QCOMPARE(int(device.GetDeviceState().vendorId), expected > 0 ? 0x07C0 : 0);
        QCOMPARE(int(device.GetDeviceState().productId), expected > 0 ? 0x0181 : 0);
        // Only the handle kept is left open, however many were opened.
        QCOMPARE(mv100sim::openHandleCount(), expected > 0 ? 1 : 0);
        QCOMPARE(device.Close(), 1);
        QCOMPARE(mv100sim::openHandleCount(), 0);
        QVERIFY(!device.IsOpen());
    }

    // With several chips the handle of the last one enumerated is the one used.
    void openKeepsLastHandle()
    {
        mv100sim::setDeviceCount(2);
        CMorvantide100 device;
        QCOMPARE(device.Open(), 2);
        unsigned char answer[MV100::REPORT_IN_SIZE];
        QCOMPARE(device.ReadInfo(answer), 0);
        QCOMPARE(int(mv100sim::writtenReports().size()), 1);
        QCOMPARE(mv100sim::writtenReports().at(0).device, 1);
    }

    void openTwiceKeepsOneHandle()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        QCOMPARE(device.Open(), 1);
        QCOMPARE(mv100sim::openHandleCount(), 1);
    }

    void openWithoutDeviceKeepsModel()
    {
        mv100sim::setDeviceCount(0);
        CMorvantide100 device;
        device.SetKeyCode(0, 1, 1, 0x0004);
        device.SetPin(1, 2, 3, 4, 5, 6, 7, 8);
        QCOMPARE(device.Open(), 0);
        QCOMPARE(device.GetKeyCode(0, 1, 1), 4);
        QCOMPARE(int(device.GetPin()[7]), 8);
    }

    void closeAndDestroy()
    {
        CMorvantide100 other;
        QCOMPARE(other.Open(), 1);
        {
            CMorvantide100 closed;
            QCOMPARE(closed.Close(), 1); // nothing to close
            QCOMPARE(mv100sim::openHandleCount(), 1);
            CMorvantide100 opened;
            QCOMPARE(opened.Open(), 1);
            QCOMPARE(mv100sim::openHandleCount(), 2);
        } // destruction closes
        QCOMPARE(mv100sim::openHandleCount(), 1);
        QVERIFY(other.IsOpen());
    }

    void clearDeviceStructForgetsWithoutClosing()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        hid_device *handle = device.GetDeviceState().handle;
        device.ClearDeviceStruct();
        QVERIFY(!device.IsOpen());
        QCOMPARE(int(device.GetDeviceState().vendorId), 0);
        QCOMPARE(int(device.GetDeviceState().productId), 0);
        QCOMPARE(mv100sim::openHandleCount(), 1);
        QCOMPARE(device.Close(), 1);
        QCOMPARE(mv100sim::openHandleCount(), 1);
        hid_close(handle);
        QCOMPARE(mv100sim::openHandleCount(), 0);
    }

    void writeAndRead()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        hid_device *handle = device.GetDeviceState().handle;
        unsigned char report[MV100::REPORT_OUT_SIZE] = {};
        report[1] = MV100::CMD_READ_DEBOUNCE;
        std::copy(MV100_PIN::BYTES.begin(), MV100_PIN::BYTES.end(), report + MV100::REPORT_PIN);
        mv100sim::chip().debounce = 9;
        QCOMPARE(device.Write(handle, report), 0);
        QCOMPARE(int(mv100sim::writtenReports().size()), 1);
        QCOMPARE(int(mv100sim::writtenReports().at(0).bytes.size()), MV100::REPORT_OUT_SIZE);

        unsigned char buffer[MV100::REPORT_IN_SIZE] = {};
        int count = -1;
        QCOMPARE(device.Read(handle, buffer, &count), 0);
        QCOMPARE(count, MV100::REPORT_IN_SIZE);
        QCOMPARE(int(buffer[MV100::ANSWER_DATA]), 9);
    }

    void missingArguments()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        hid_device *handle = device.GetDeviceState().handle;
        unsigned char report[MV100::REPORT_OUT_SIZE] = {};
        unsigned char buffer[MV100::REPORT_IN_SIZE] = {};
        int count = 0;
        QCOMPARE(device.Write(nullptr, report), 4);
        QCOMPARE(device.Write(handle, nullptr), 4);
        QCOMPARE(device.Read(nullptr, buffer, &count), 4);
        QCOMPARE(device.Read(handle, nullptr, &count), 4);
        QCOMPARE(device.Read(handle, buffer, nullptr), 4);
        QVERIFY(mv100sim::writtenReports().empty());
    }

    void writeFails()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        mv100sim::failWriteOfExchange(0);
        unsigned char report[MV100::REPORT_OUT_SIZE] = {};
        QCOMPARE(device.Write(device.GetDeviceState().handle, report), 2);
    }

    void readNothingReceived()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        hid_device *handle = device.GetDeviceState().handle;
        mv100sim::answerEmpty(true);
        unsigned char report[MV100::REPORT_OUT_SIZE] = {};
        QCOMPARE(device.Write(handle, report), 0);
        unsigned char buffer[MV100::REPORT_IN_SIZE];
        std::memset(buffer, 0xC5, sizeof buffer);
        int count = -1;
        QCOMPARE(device.Read(handle, buffer, &count), 8);
        QCOMPARE(count, 0);
        QCOMPARE(answerBytes(buffer), marked(char(0xC5)));
    }

    void readFails()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        hid_device *handle = device.GetDeviceState().handle;
        mv100sim::unplugAfter(0);
        unsigned char report[MV100::REPORT_OUT_SIZE] = {};
        QCOMPARE(device.Write(handle, report), 2);
        unsigned char buffer[MV100::REPORT_IN_SIZE] = {};
        int count = -1;
        QCOMPARE(device.Read(handle, buffer, &count), 1);
        QCOMPARE(count, 0);
    }

    // A read never blocks for ever: with no answer it gives up after the bound.
    void readTimesOut()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        hid_device *handle = device.GetDeviceState().handle;
        mv100sim::stopAnsweringAfter(0);
        unsigned char report[MV100::REPORT_OUT_SIZE] = {};
        QCOMPARE(device.Write(handle, report), 0);
        unsigned char buffer[MV100::REPORT_IN_SIZE] = {};
        int count = -1;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(device.Read(handle, buffer, &count), 8);
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(count, 0);
        QVERIFY2(elapsed >= MV100::READ_TIMEOUT_MS - 50 && elapsed < 2 * MV100::READ_TIMEOUT_MS,
                 qPrintable(QString::number(elapsed)));
    }

    // Answers queued before the object opened the interface are not taken for its own.
    void staleAnswerDrainedOnOpen()
    {
        mv100sim::queueStaleAnswer(0, toVector(marked(char(0xEE))));
        mv100sim::queueStaleAnswer(0, toVector(marked(char(0xED))));
        mv100sim::chip().debounce = 9;
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        // Raw write and read: only the drain of Open stands between them and the stale answers.
        hid_device *handle = device.GetDeviceState().handle;
        unsigned char report[MV100::REPORT_OUT_SIZE] = {};
        report[1] = MV100::CMD_READ_DEBOUNCE;
        std::copy(MV100_PIN::BYTES.begin(), MV100_PIN::BYTES.end(), report + MV100::REPORT_PIN);
        QCOMPARE(device.Write(handle, report), 0);
        unsigned char answer[MV100::REPORT_IN_SIZE] = {};
        int count = 0;
        QCOMPARE(device.Read(handle, answer, &count), 0);
        QCOMPARE(int(answer[MV100::ANSWER_DATA]), 9);
    }

    // An answer that arrives after its command gave up waiting does not shift the answers of the
    // commands that follow.
    void lateAnswerDoesNotShift()
    {
        for (int i = 0; i < 32; ++i)
            mv100sim::chip().memory[32 + i] = 0x11;
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        unsigned char answer[MV100::REPORT_IN_SIZE] = {};
        mv100sim::setLatencyMicroseconds((MV100::READ_TIMEOUT_MS + 300) * 1000);
        QCOMPARE(device.ReadBlock(0, answer), 1); // its answer comes late
        mv100sim::setLatencyMicroseconds(0);
        QThread::msleep(500);
        QCOMPARE(device.ReadBlock(1, answer), 0);
        QCOMPARE(answerBytes(answer).mid(MV100::ANSWER_DATA, 32), QByteArray(32, char(0x11)));
    }

    // A stale answer already waiting when a command is sent is dropped, not read as its answer.
    void staleAnswerDrainedBeforeCommand()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        mv100sim::queueStaleAnswer(0, toVector(marked(char(0xEE))));
        unsigned char answer[MV100::REPORT_IN_SIZE] = {};
        QCOMPARE(device.ReadDebounce(answer), 0);
        QCOMPARE(int(answer[MV100::ANSWER_DATA]), int(mv100sim::chip().debounce));
    }

    void strings()
    {
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        hid_device *handle = device.GetDeviceState().handle;
        QCOMPARE(QString::fromStdWString(device.GetProductName(handle)),
                 QString("ConfigInterface"));
        QVERIFY(device.GetProductName(nullptr).empty());
        QCOMPARE(QString::fromStdWString(device.GetIndexString(handle, 2)),
                 QString("ConfigInterface"));
        QVERIFY(device.GetIndexString(handle, 99).empty()); // no such descriptor
        QVERIFY(device.GetIndexString(nullptr, 2).empty());
    }

    void productNameMissing()
    {
        mv100sim::setInterfaces(0, {unnamed(2, true)});
        CMorvantide100 device;
        QCOMPARE(device.Open(), 1);
        QVERIFY(device.GetProductName(device.GetDeviceState().handle).empty());
    }

    void versions()
    {
        mv100sim::chip().firmwareVersion = 0x1030;
        CMorvantide100 device;
        QCOMPARE(device.GetVersion(), -13108);
        QCOMPARE(device.GetRevision(nullptr), -13108);
        QCOMPARE(device.Open(), 1);
        QCOMPARE(device.GetVersion(), 0x1030);
        QCOMPARE(device.GetRevision(device.GetDeviceState().handle), 0x1030);
        device.Close();
        QCOMPARE(device.GetVersion(), -13108);
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
