// KeyDescription: names a cell code by its kind (high byte) and the rows of the key tables.
#include "KeyDescription.h"

#include "CKeyTable.h"

#include <cstdio>

namespace {

constexpr unsigned short CODE_NONE = 0xFFFF;
// Media, mouse and LED codes are looked up without bit 11, as the cells do.
constexpr unsigned short FUNCTION_MASK = 0xF7FF;
constexpr unsigned short LOW_BYTE_MASK = 0x00FF;

const wchar_t *const EMPTY = L"Empty";
const wchar_t *const UNKNOWN = L"Unknown";

const KeyMapping *findKey(unsigned short code)
{
    for (const KeyMapping &row : CKeyTable::m_KeyMapping) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

const wchar_t *modifierName(unsigned short modifier)
{
    for (const KeyName &row : CKeyTable::m_ModifierKeys) {
        if (row.code != 0 && row.code == modifier)
            return row.name;
    }
    return nullptr;
}

// Some long names carry a trailing blank and backlight labels a line break; neither belongs in
// a one-line name.
std::wstring oneLine(const wchar_t *text)
{
    std::wstring line(text);
    for (wchar_t &c : line) {
        if (c == L'\n')
            c = L' ';
    }
    while (!line.empty() && line.back() == L' ')
        line.pop_back();
    return line;
}

// The row's label; a row without one (only "Reserved") is named by its long name.
std::wstring keyShortName(const KeyMapping &row)
{
    return oneLine(*row.shortName ? row.shortName : row.longName);
}

std::wstring keyLongName(const KeyMapping &row)
{
    return oneLine(row.longName);
}

std::wstring macroName(unsigned short code)
{
    wchar_t text[16];
    std::swprintf(text, sizeof text / sizeof text[0], L"Macro #%02u",
                  unsigned(code & LOW_BYTE_MASK));
    return text;
}

using RowName = std::wstring (*)(const KeyMapping &);

// The kinds follow the high byte: 0x00 key, 0x01 media, 0x02 macro, 0x03 mouse, 0x04 LED,
// 0xE0..0xE7 modifier + key. Any other high byte is no assignment the chip knows.
std::wstring describe(unsigned short code, RowName name)
{
    if (code == CODE_NONE)
        return EMPTY;
    const unsigned short high = code >> 8;
    if (high == 0x02)
        return macroName(code);
    if (high == 0x00) {
        const KeyMapping *key = findKey(code);
        return key != nullptr && key->code != CODE_NONE ? name(*key) : UNKNOWN;
    }
    if (high == 0x01 || high == 0x03 || high == 0x04) {
        const KeyMapping *function = findKey(code & FUNCTION_MASK);
        return function != nullptr ? name(*function) : UNKNOWN;
    }
    const wchar_t *modifier = modifierName(high);
    const KeyMapping *key = findKey(code & LOW_BYTE_MASK);
    if (modifier == nullptr || key == nullptr)
        return UNKNOWN;
    return std::wstring(modifier) + L" + " + name(*key);
}

} // namespace

std::wstring KeyDescription::shortName(unsigned short code)
{
    return describe(code, keyShortName);
}

std::wstring KeyDescription::longName(unsigned short code)
{
    return describe(code, keyLongName);
}

std::wstring KeyDescription::toolTip(unsigned short code)
{
    if (code == CODE_NONE)
        return EMPTY;
    wchar_t hex[16];
    std::swprintf(hex, sizeof hex / sizeof hex[0], L" (0x%04X)", unsigned(code));
    return longName(code) + hex;
}
