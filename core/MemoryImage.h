// MemoryImage: the chip's 7936-byte memory image (three key layers, then the macro records) built
// from and decoded into a configuration value.
#pragma once

#include "Mv100Config.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace MemoryImage {
using Image = std::vector<std::uint8_t>;

// Cells are stored low byte first, layer by layer, row by row; the macros follow.
constexpr std::size_t cellOffset(int layer, int cell)
{
    return (std::size_t(layer) * MV100::CELLS + std::size_t(cell)) * 2;
}
constexpr std::size_t macroOffset(int number)
{
    return MV100::MACRO_OFFSET + std::size_t(number) * MV100::MACRO_SIZE;
}

// Exactly MV100::MEMORY_SIZE bytes.
Image build(const Mv100Config &config);
// Replaces the key layers and macros of config by the image; bytes beyond a short image read
// as empty (0xFF), so nothing outside the data is ever read.
void decode(const std::uint8_t *data, std::size_t size, Mv100Config &config);
inline void decode(const Image &image, Mv100Config &config)
{
    decode(image.data(), image.size(), config);
}
} // namespace MemoryImage
