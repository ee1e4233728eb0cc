// FuzzSamples: a rich configuration and the file bytes of lines.
#include "FuzzSamples.h"

#include <QStringEncoder>

namespace FuzzSamples {

Mv100Config richConfig()
{
    Mv100Config config;
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int row = 0; row < MV100::ROWS; row += 1 + layer) {
            for (int column = 0; column < MV100::COLUMNS; ++column)
                config.setKeyCode(layer, column, row,
                                  std::uint16_t(0x0004 + row + column + 0x100 * layer));
        }
    }
    for (int number = 0; number < MV100::MACRO_COUNT; number += 7) {
        Mv100Config::Macro record = Mv100Config::emptyMacro();
        record[0] = std::uint8_t(number % 3);
        for (int i = 1; i < 1 + number % 20; ++i)
            record[i] = std::uint8_t(0x04 + i);
        config.setMacro(number, record);
    }
    Mv100Settings &s = config.settings();
    s.newPin = QStringLiteral("0123456789abcdef");
    s.customData = QStringLiteral("00112233445566778899AABBCCDDEEFF");
    s.lockKeys = 0x21;
    s.mouse = {0x00, 0x09, 0x3C, 0xB9, 0x1E, 0x0A, 0x0F, 0x03,
               0x05, 0x08, 0x0A, 0x0D, 0x0F, 0x12, 0x14};
    s.backlight = {0x80, 0x80, 0xFF, 0x40, 0x40, 0x0A, 0x0A, 0x05,
                   0x05, 0x05, 0x01, 0x01, 0x00, 0x00, 0x00};
    s.led = {0x01, 0x02, 0x03, 0x10, 0x11, 0x20, 0x2A, 0xFF};
    s.lockMode = 1;
    s.debounce = 7;
    return config;
}

QByteArray fileBytes(const QList<QString> &lines)
{
    QStringEncoder encoder(QStringConverter::Utf16LE);
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += encoder(line);
        bytes += encoder(QStringLiteral("\n"));
    }
    return bytes;
}

} // namespace FuzzSamples
