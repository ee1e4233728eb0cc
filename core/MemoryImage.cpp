// MemoryImage: the memory image built from and decoded into a configuration value.
#include "MemoryImage.h"

#include <algorithm>

namespace MemoryImage {

Image build(const Mv100Config &config)
{
    Image image(MV100::MEMORY_SIZE, 0xFF);
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        const Mv100Config::Layer &cells = config.layer(layer);
        for (int cell = 0; cell < MV100::CELLS; ++cell) {
            const std::size_t at = cellOffset(layer, cell);
            image[at] = std::uint8_t(cells[cell] & 0xFF);
            image[at + 1] = std::uint8_t(cells[cell] >> 8);
        }
    }
    for (int number = 0; number < MV100::MACRO_COUNT; ++number) {
        const Mv100Config::Macro &record = config.macro(number);
        std::copy(record.begin(), record.end(), image.begin() + std::ptrdiff_t(macroOffset(number)));
    }
    return image;
}

void decode(const std::uint8_t *data, std::size_t size, Mv100Config &config)
{
    const auto byteAt = [data, size](std::size_t offset) -> std::uint8_t {
        return offset < size ? data[offset] : 0xFF;
    };
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        Mv100Config::Layer cells;
        for (int cell = 0; cell < MV100::CELLS; ++cell) {
            const std::size_t at = cellOffset(layer, cell);
            cells[cell] = std::uint16_t(byteAt(at + 1) << 8 | byteAt(at));
        }
        config.setLayer(layer, cells);
    }
    for (int number = 0; number < MV100::MACRO_COUNT; ++number) {
        Mv100Config::Macro record;
        for (int i = 0; i < MV100::MACRO_SIZE; ++i)
            record[i] = byteAt(macroOffset(number) + std::size_t(i));
        config.setMacro(number, record);
    }
}

} // namespace MemoryImage
