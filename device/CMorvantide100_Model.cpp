// CMorvantide100: construction, assignment and the configuration model (cells, macros, PIN).
#include "CMorvantide100.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr unsigned short EMPTY_CELL = 0xFFFF;
constexpr unsigned char EMPTY_BYTE = 0xFF;
constexpr unsigned char NO_MACRO_VALUE = 0xFF; // what an unknown slot or index reads as

bool validCell(unsigned char layer, unsigned char x, unsigned char y)
{
    return layer < MV100::LAYERS && x < MV100::COLUMNS && y < MV100::ROWS;
}

bool validSlot(unsigned char slot)
{
    return slot < MV100::MACRO_COUNT;
}

// Content index 0..30 is slot byte 1..31.
bool validContentIndex(unsigned char index)
{
    return index < MV100::MACRO_SIZE - 1;
}

int cellIndex(unsigned char x, unsigned char y)
{
    return y * MV100::COLUMNS + x;
}
} // namespace

CMorvantide100::CMorvantide100()
    : m_Pin(MV100_PIN::BYTES)
{
    ClearAll();
}

CMorvantide100::~CMorvantide100()
{
    Close();
}

// The device state stays with its object: two objects never share one open handle.
CMorvantide100 &CMorvantide100::operator=(const CMorvantide100 &other)
{
    if (this != &other) {
        m_Pin = other.m_Pin;
        m_KeyTable = other.m_KeyTable;
        m_Macro = other.m_Macro;
        m_Memory = other.m_Memory;
    }
    return *this;
}

void CMorvantide100::SetKeyCode(unsigned char layer, unsigned char x, unsigned char y,
                                unsigned short code)
{
    if (validCell(layer, x, y))
        m_KeyTable[layer][cellIndex(x, y)] = code;
}

int CMorvantide100::GetKeyCode(unsigned char layer, unsigned char x, unsigned char y) const
{
    if (!validCell(layer, x, y))
        return -1;
    return m_KeyTable[layer][cellIndex(x, y)];
}

// Unknown slots and content indexes are ignored so that no call reaches outside the slots.
void CMorvantide100::SetMacro(unsigned char slot, const unsigned char *data)
{
    if (validSlot(slot) && data)
        std::memcpy(m_Macro[slot].data(), data, MV100::MACRO_SIZE);
}

void CMorvantide100::GetMacro(unsigned char slot, unsigned char *data) const
{
    if (validSlot(slot) && data)
        std::memcpy(data, m_Macro[slot].data(), MV100::MACRO_SIZE);
}

void CMorvantide100::SetMacroKey(unsigned char slot, unsigned char index, unsigned char value)
{
    if (validSlot(slot) && validContentIndex(index))
        m_Macro[slot][index + 1] = value;
}

unsigned char CMorvantide100::GetMacroKey(unsigned char slot, unsigned char index) const
{
    if (!validSlot(slot) || !validContentIndex(index))
        return NO_MACRO_VALUE;
    return m_Macro[slot][index + 1];
}

void CMorvantide100::SetMacroMode(unsigned char slot, unsigned char mode)
{
    if (validSlot(slot))
        m_Macro[slot][0] = mode;
}

unsigned char CMorvantide100::GetMacroMode(unsigned char slot) const
{
    if (!validSlot(slot))
        return NO_MACRO_VALUE;
    return m_Macro[slot][0];
}

void CMorvantide100::GetMacroData(unsigned char slot, unsigned char *data) const
{
    if (validSlot(slot) && data)
        std::memcpy(data, m_Macro[slot].data() + 1, MV100::MACRO_SIZE - 1);
}

void CMorvantide100::ClearKeytableDefault()
{
    m_KeyTable[0].assign(MV100::CELLS, EMPTY_CELL);
}

void CMorvantide100::ClearKeytableFN1()
{
    m_KeyTable[1].assign(MV100::CELLS, EMPTY_CELL);
}

void CMorvantide100::ClearKeytableFN2()
{
    m_KeyTable[2].assign(MV100::CELLS, EMPTY_CELL);
}

void CMorvantide100::ClearKeytableAll()
{
    ClearKeytableDefault();
    ClearKeytableFN1();
    ClearKeytableFN2();
}

void CMorvantide100::ClearMacro()
{
    for (auto &slot : m_Macro)
        slot.fill(EMPTY_BYTE);
}

void CMorvantide100::ClearMemory()
{
    m_Memory.assign(MV100::MEMORY_SIZE, EMPTY_BYTE);
}

// The PIN and the device state survive: only the configuration content is cleared.
void CMorvantide100::ClearAll()
{
    ClearMemory();
    ClearKeytableAll();
    ClearMacro();
}

void CMorvantide100::SetPin(const unsigned char *data, std::uint64_t length)
{
    if (data && length >= static_cast<std::uint64_t>(MV100::PIN_SIZE))
        std::copy(data, data + MV100::PIN_SIZE, m_Pin.begin());
}

void CMorvantide100::SetPin(unsigned char b1, unsigned char b2, unsigned char b3, unsigned char b4,
                            unsigned char b5, unsigned char b6, unsigned char b7, unsigned char b8)
{
    m_Pin = {b1, b2, b3, b4, b5, b6, b7, b8};
}
