// Mv100Layout: the sizes and places of the chip's configuration, shared by the core, the device
// layer and the editor.
#pragma once

#include <array>

namespace MV100 {
constexpr int LAYERS = 3;
constexpr int COLUMNS = 16;
constexpr int ROWS = 24;
constexpr int CELLS = COLUMNS * ROWS; // 384 cells per layer
constexpr int MACRO_COUNT = 176;
constexpr int MACRO_SIZE = 32;
constexpr int PIN_SIZE = 8;
constexpr int CUSTOM_DATA_SIZE = 16;
constexpr int BLOCK_SIZE = 32;
constexpr int BLOCK_COUNT = 248;
constexpr int MEMORY_SIZE = BLOCK_SIZE * BLOCK_COUNT; // 7936
constexpr int MACRO_OFFSET = LAYERS * CELLS * 2;      // 2304: macro slot 0 in the image
constexpr int FIRST_MACRO_BLOCK = MACRO_OFFSET / BLOCK_SIZE; // 72
} // namespace MV100

// Sizes of the settings blocks as the file and the device carry them.
namespace MV100_BLOCK {
constexpr int MOUSE = 15;
constexpr int BACKLIGHT = 15;
constexpr int LED = 8;
constexpr int LED_OUTPUTS = 8;
constexpr int BACKLIGHT_OUTPUTS = 5;
} // namespace MV100_BLOCK

// The factory-default PIN, which the chip has after an erase.
namespace MV100_PIN {
constexpr const char *STRING = "3C9A71E04B5D28F6";
constexpr std::array<unsigned char, MV100::PIN_SIZE> BYTES = {0x3C, 0x9A, 0x71, 0xE0,
                                                              0x4B, 0x5D, 0x28, 0xF6};
} // namespace MV100_PIN

// The default custom data: sixteen 0xFF bytes.
namespace MV100_CUSTOMDATA {
constexpr const char *STRING = "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF";
} // namespace MV100_CUSTOMDATA
