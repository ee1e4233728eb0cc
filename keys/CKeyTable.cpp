// CKeyTable look-ups: linear scans over the constant tables, first match wins.
#include "CKeyTable.h"

#include <cstddef>

namespace {

// Returned when nothing matches, so that callers can always copy the result. An object of its
// own rather than a literal, which the linker could merge with a table's empty name.
const wchar_t NOT_FOUND[1] = {L'\0'};

constexpr unsigned short FIRST_MODIFIER = 0x00E0;
constexpr unsigned short LAST_MODIFIER = 0x00E7;

template<typename Table> int indexOfCode(const Table &table, unsigned short code)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].code == code)
            return static_cast<int>(i);
    }
    return -1;
}

template<std::size_t N>
const wchar_t *shortNameByCode(const std::array<KeyMapping, N> &table, unsigned short code)
{
    const int index = indexOfCode(table, code);
    return index < 0 ? NOT_FOUND : table[index].shortName;
}

template<std::size_t N>
const wchar_t *shortNameByScanCode(const std::array<KeyMapping, N> &table, unsigned short scanCode)
{
    for (const KeyMapping &row : table) {
        if (row.scanCode == scanCode)
            return row.shortName;
    }
    return NOT_FOUND;
}

} // namespace

int CKeyTable::GetKeyUsbCode(const std::wstring &shortName) const
{
    for (const KeyMapping &row : m_KeyMapping) {
        if (shortName == row.shortName)
            return row.code;
    }
    return -1;
}

const wchar_t *CKeyTable::GetKeyName(unsigned short code, unsigned short mask) const
{
    return shortNameByCode(m_KeyMapping, code & mask);
}

const wchar_t *CKeyTable::GetKeyNameByScancode(unsigned short scanCode) const
{
    return shortNameByScanCode(m_KeyMapping, scanCode);
}

const wchar_t *CKeyTable::GetMacroKeyName(unsigned short code, unsigned short mask) const
{
    return shortNameByCode(m_MacroMapping, code & mask);
}

const wchar_t *CKeyTable::GetMacroKeyNameByScancode(unsigned short scanCode) const
{
    return shortNameByScanCode(m_MacroMapping, scanCode);
}

const wchar_t *CKeyTable::GetSyskeyName(unsigned short code, unsigned short mask) const
{
    const unsigned short value = code & mask;
    if (value < FIRST_MODIFIER || value > LAST_MODIFIER)
        return NOT_FOUND;
    return m_SystemKeysDownMap[value - FIRST_MODIFIER].shortName;
}

int CKeyTable::GetIndexByUsbCode(unsigned short code) const
{
    const int index = indexOfCode(m_KeyMapping, code);
    return index < 0 ? 0 : index;
}

int CKeyTable::GetIndexByMacroUsbCode(unsigned short code) const
{
    const int index = indexOfCode(m_MacroMapping, code);
    return index < 0 ? 0 : index;
}

const wchar_t *CKeyTable::GetModifierKeyName(unsigned short code, unsigned short mask) const
{
    const int index = indexOfCode(m_ModifierKeys, code & mask);
    return index < 0 ? NOT_FOUND : m_ModifierKeys[index].name;
}

int CKeyTable::GetModifierIndexByUsbCode(unsigned short code) const
{
    const int index = indexOfCode(m_ModifierKeys, code);
    return index < 0 ? 0 : index;
}

bool CKeyTable::IsFN1Key(unsigned short code)
{
    return indexOfCode(m_FN1Keys, code) >= 0;
}

bool CKeyTable::IsFN2Key(unsigned short code)
{
    return indexOfCode(m_FN2Keys, code) >= 0;
}
