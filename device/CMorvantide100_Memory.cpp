// CMorvantide100: the memory image, its translation to and from the model, and its block transfer.
#include "CMorvantide100.h"

#include <algorithm>
#include <cstring>

// An image of another length than MEMORY_SIZE can only come from a damaged file; the file code
// refuses those, but nothing here relies on it. SetMemory keeps the bytes as given; every reader
// takes a missing byte as 0xFF (the empty value) and never indexes past the end, and the two
// operations that fill the image (BuildMemory, ReadMemoryData) first make it exactly
// MEMORY_SIZE bytes, padding with 0xFF or dropping the excess.

namespace {
constexpr unsigned char EMPTY_BYTE = 0xFF;
constexpr int LAYER_BYTES = MV100::CELLS * 2;
} // namespace

unsigned char CMorvantide100::MemoryByte(std::size_t offset) const
{
    return offset < m_Memory.size() ? m_Memory[offset] : EMPTY_BYTE;
}

void CMorvantide100::NormalizeMemory()
{
    m_Memory.resize(MV100::MEMORY_SIZE, EMPTY_BYTE);
}

void CMorvantide100::BuildMemory()
{
    NormalizeMemory();
    auto out = m_Memory.begin();
    for (const auto &table : m_KeyTable) {
        for (int i = 0; i < MV100::CELLS; ++i) {
            const unsigned short code = i < int(table.size()) ? table[i] : 0xFFFF;
            *out++ = static_cast<unsigned char>(code & 0xFF);
            *out++ = static_cast<unsigned char>(code >> 8);
        }
    }
    for (const auto &slot : m_Macro)
        out = std::copy(slot.begin(), slot.end(), out);
}

void CMorvantide100::BuildKeytable()
{
    ClearKeytableAll();
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        const std::size_t base = std::size_t(layer) * LAYER_BYTES;
        for (int i = 0; i < MV100::CELLS; ++i) {
            const std::size_t offset = base + 2 * i;
            m_KeyTable[layer][i]
                = static_cast<unsigned short>(MemoryByte(offset + 1) << 8 | MemoryByte(offset));
        }
    }
}

void CMorvantide100::BuildMacros()
{
    for (int k = 0; k < MV100::MACRO_COUNT; ++k) {
        const std::size_t base = MV100::MACRO_OFFSET + std::size_t(k) * MV100::MACRO_SIZE;
        for (int i = 0; i < MV100::MACRO_SIZE; ++i)
            m_Macro[k][i] = MemoryByte(base + i);
    }
}

void CMorvantide100::SetMemory(std::vector<unsigned char> memory)
{
    m_Memory = std::move(memory);
}

void CMorvantide100::SetProgressCallback(std::function<void(int block)> callback)
{
    m_Progress = std::move(callback);
}

std::vector<unsigned char> CMorvantide100::GetMemoryData() const
{
    return m_Memory;
}

int CMorvantide100::WriteMemoryData()
{
    unsigned char block[MV100::BLOCK_SIZE];
    for (int b = 0; b < MV100::BLOCK_COUNT; ++b) {
        for (int i = 0; i < MV100::BLOCK_SIZE; ++i)
            block[i] = MemoryByte(std::size_t(b) * MV100::BLOCK_SIZE + i);
        unsigned char answer[MV100::REPORT_IN_SIZE] = {};
        const int status = WriteBlock(static_cast<unsigned char>(b), block, answer);
        if (status != MV100::STATUS_OK)
            return status;
        if (m_Progress)
            m_Progress(b);
    }
    return MV100::STATUS_OK;
}

int CMorvantide100::ReadMemoryData()
{
    NormalizeMemory();
    for (int b = 0; b < MV100::BLOCK_COUNT; ++b) {
        unsigned char answer[MV100::REPORT_IN_SIZE] = {};
        const int status = ReadBlock(static_cast<unsigned char>(b), answer);
        if (status != MV100::STATUS_OK)
            return status;
        std::memcpy(m_Memory.data() + std::size_t(b) * MV100::BLOCK_SIZE,
                    answer + MV100::ANSWER_DATA, MV100::BLOCK_SIZE);
        if (m_Progress)
            m_Progress(b);
    }
    return MV100::STATUS_OK;
}
