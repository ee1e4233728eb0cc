#include "RichConfig.h"

#include "MemoryImage.h"

Mv100Config richConfig()
{
    MemoryImage::Image image(MV100::MEMORY_SIZE);
    for (int i = 0; i < MV100::MEMORY_SIZE; ++i) {
        const bool macroType = i >= MV100::MACRO_OFFSET && i % MV100::MACRO_SIZE == 0;
        image[i] = std::uint8_t(macroType ? i / MV100::MACRO_SIZE % 4 : i * 7 + i / 251);
    }
    Mv100Config config;
    MemoryImage::decode(image, config);
    Mv100Settings &s = config.settings();
    s.newPin = QStringLiteral("A1B2C3D4E5F60718");
    s.customData = QStringLiteral("00112233445566778899AABBCCDDEEFF");
    s.lockKeys = 0x25;
    s.mouse = {0x03, 0xA5, 0x10, 0x20, 0x30, 0x40, 0x0B, 1, 2, 3, 4, 5, 6, 7, 8};
    s.backlight = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 0, 1, 0, 1};
    s.led = {0x00, 0x05, 0x10, 0x11, 0xFF, 0x2A, 0x3F, 0x21};
    s.lockMode = 1;
    s.debounce = 20;
    return config;
}
