// fuzz_memoryimage: any bytes, of any length, as the chip's memory image. Decoding must read
// nothing outside them, keep the settings, and building must give back exactly these bytes,
// cut or padded with 0xFF to the image size.
#include "FuzzSamples.h"
#include "MemoryImage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_memoryimage: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The decoder gets its own copy of exactly size bytes, so that ASan sees any read past it.
    const std::vector<std::uint8_t> input(data, data + size);
    static const Mv100Config before = FuzzSamples::richConfig();
    Mv100Config config = before;
    MemoryImage::decode(input.data(), input.size(), config);
    if (config.settings() != before.settings())
        fail("decoding changed the settings");

    const MemoryImage::Image image = MemoryImage::build(config);
    if (image.size() != std::size_t(MV100::MEMORY_SIZE))
        fail("the built image does not have the image size");
    const std::size_t kept = std::min(size, image.size());
    if (!std::equal(input.begin(), input.begin() + std::ptrdiff_t(kept), image.begin()))
        fail("the built image differs from the decoded bytes");
    if (std::any_of(image.begin() + std::ptrdiff_t(kept), image.end(),
                    [](std::uint8_t b) { return b != 0xFF; }))
        fail("bytes missing from a short image are not empty (0xFF)");

    Mv100Config again = before;
    MemoryImage::decode(image, again);
    if (again != config)
        fail("the built image decodes to another configuration");
    return 0;
}
