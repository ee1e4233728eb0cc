// CKeyTable: the constant key-code vocabulary (long names, cell labels, scan codes) and its look-ups.
#pragma once

#include <array>
#include <string>

// A row of the key and macro tables.
struct KeyMapping
{
    unsigned short code;
    const wchar_t *longName;  // shown in pickers
    unsigned short scanCode;  // PC keyboard scan code, +0x100 for E0-prefixed keys; 0 = none
    const wchar_t *shortName; // painted into a matrix cell
};

// A row of the modifier, FN and system-key tables.
struct KeyName
{
    unsigned short code;
    const wchar_t *name;
};

class CKeyTable
{
public:
    static constexpr int KEY_ROWS = 333;
    static constexpr int MACRO_ROWS = 216;

    static const std::array<KeyMapping, KEY_ROWS> m_KeyMapping;
    static const std::array<KeyMapping, MACRO_ROWS> m_MacroMapping;
    static const std::array<KeyName, 9> m_ModifierKeys;
    static const std::array<KeyName, 6> m_FNKeys;
    static const std::array<KeyName, 3> m_FN1Keys;
    static const std::array<KeyName, 3> m_FN2Keys;
    static const std::array<KeyName, 8> m_SystemKeysDown;
    static const std::array<KeyName, 8> m_SystemKeysUp;
    static const std::array<KeyMapping, 8> m_SystemKeysDownMap;
    static const std::array<KeyMapping, 8> m_SystemKeysUpMap;

    // Name results point into the constant tables; "not found" is an empty string, never null.
    int GetKeyUsbCode(const std::wstring &shortName) const;
    const wchar_t *GetKeyName(unsigned short code, unsigned short mask) const;
    const wchar_t *GetKeyNameByScancode(unsigned short scanCode) const;
    const wchar_t *GetMacroKeyName(unsigned short code, unsigned short mask) const;
    const wchar_t *GetMacroKeyNameByScancode(unsigned short scanCode) const;
    const wchar_t *GetSyskeyName(unsigned short code, unsigned short mask) const;
    int GetIndexByUsbCode(unsigned short code) const;
    int GetIndexByMacroUsbCode(unsigned short code) const;
    const wchar_t *GetModifierKeyName(unsigned short code, unsigned short mask) const;
    int GetModifierIndexByUsbCode(unsigned short code) const;

    static bool IsFN1Key(unsigned short code);
    static bool IsFN2Key(unsigned short code);
};
