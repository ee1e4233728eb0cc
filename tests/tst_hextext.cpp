// Tests of the hexadecimal text functions: isHex, splitString, hexStringToBytes, bytesToHex.
#include "HexText.h"

#include <QtTest>

#include <vector>

using Bytes = std::vector<unsigned char>;
Q_DECLARE_METATYPE(Bytes)

namespace {
QByteArray toArray(const Bytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}
} // namespace

class TestHexText : public QObject
{
    Q_OBJECT

private slots:
    void isHexText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hex");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("digits and both cases") << QStringLiteral("0123456789abcdefABCDEF") << true;
        QTest::newRow("one digit") << QStringLiteral("7") << true;
        QTest::newRow("letter g") << QStringLiteral("12g4") << false;
        QTest::newRow("leading blank") << QStringLiteral(" 12") << false;
        QTest::newRow("trailing blank") << QStringLiteral("12 ") << false;
        QTest::newRow("trailing line feed") << QStringLiteral("12\n") << false;
        QTest::newRow("0x prefix") << QStringLiteral("0x12") << false;
        QTest::newRow("sign") << QStringLiteral("+12") << false;
        QTest::newRow("full-width digit") << QString::fromUtf8("1\xEF\xBC\x92") << false;
    }
    void isHexText()
    {
        QFETCH(QString, text);
        QFETCH(bool, hex);
        QCOMPARE(isHex(text), hex);
    }

    // The buffer starts as 0xEE everywhere, so untouched bytes show.
    void splitStringDecodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QByteArray>("buffer");
        QTest::newRow("pairs") << QStringLiteral("0102A0ff") << 6
                               << QByteArray::fromHex("0102a0ffeeee");
        QTest::newRow("odd last digit is its own byte")
            << QStringLiteral("ABC") << 4 << QByteArray::fromHex("ab0ceeee");
        QTest::newRow("any bad character stores nothing")
            << QStringLiteral("0102X3") << 4 << QByteArray::fromHex("eeeeeeee");
        QTest::newRow("bad character at the end")
            << QStringLiteral("0102 ") << 4 << QByteArray::fromHex("eeeeeeee");
        QTest::newRow("empty") << QString() << 2 << QByteArray::fromHex("eeee");
        QTest::newRow("capacity bounds the decode")
            << QStringLiteral("112233445566") << 3 << QByteArray::fromHex("112233");
        QTest::newRow("zero capacity") << QStringLiteral("1122") << 0 << QByteArray::fromHex("");
    }
    void splitStringDecodes()
    {
        QFETCH(QString, text);
        QFETCH(int, capacity);
        QFETCH(QByteArray, buffer);
        // One guard byte past the capacity catches a write beyond it.
        Bytes memory(std::size_t(capacity) + 1, 0xEE);
        splitString(text, memory.data(), capacity);
        QCOMPARE(int(memory.back()), 0xEE);
        memory.pop_back();
        QCOMPARE(toArray(memory), buffer);
    }

    void hexStringToBytesDecodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("pairs, either case")
            << QStringLiteral("00fFa5") << QByteArray::fromHex("00ffa5");
        QTest::newRow("odd length gets a leading 0")
            << QStringLiteral("ABC") << QByteArray::fromHex("0abc");
        QTest::newRow("bad pair skipped")
            << QStringLiteral("12zz34") << QByteArray::fromHex("1234");
        QTest::newRow("pair with a bad digit skipped")
            << QStringLiteral("0102X3") << QByteArray::fromHex("0102");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("one digit") << QStringLiteral("7") << QByteArray::fromHex("07");
        QTest::newRow("full PIN") << QStringLiteral("3C9A71E04B5D28F6")
                                  << QByteArray::fromHex("3c9a71e04b5d28f6");
    }
    void hexStringToBytesDecodes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toArray(hexStringToBytes(text)), bytes);
    }

    void bytesToHexRoundTrips()
    {
        Bytes all(256);
        for (int i = 0; i < 256; ++i)
            all[std::size_t(i)] = static_cast<unsigned char>(i);
        const QString text = bytesToHex(all.data(), int(all.size()));
        QCOMPARE(text.size(), 512);
        QCOMPARE(text.left(8), QStringLiteral("00010203"));
        QCOMPARE(text.right(6), QStringLiteral("FDFEFF"));
        QCOMPARE(text, text.toUpper());
        QCOMPARE(hexStringToBytes(text), all);
        QCOMPARE(bytesToHex(all.data(), 0), QString());
    }
};

QTEST_APPLESS_MAIN(TestHexText)
#include "tst_hextext.moc"
