// The small name tables: the modifiers, the FN layer keys and the modifier down/up system keys.
#include "CKeyTable.h"

// clang-format off
const std::array<KeyName, 9> CKeyTable::m_ModifierKeys = {{
    {0x0000, L"None"},
    {0x00E0, L"L-CTRL"},
    {0x00E1, L"L-Shift"},
    {0x00E2, L"L-ALT"},
    {0x00E3, L"L-GUI"},
    {0x00E4, L"R-CTRL"},
    {0x00E5, L"R-Shift"},
    {0x00E6, L"R-ALT"},
    {0x00E7, L"R-GUI"},
}};

const std::array<KeyName, 6> CKeyTable::m_FNKeys = {{
    {0x00FA, L"Sticky FN2"},
    {0x00FB, L"Sticky FN1"},
    {0x00FC, L"Locking FN2"},
    {0x00FD, L"Locking FN1"},
    {0x00FE, L"FN2"},
    {0x00FF, L"FN1"},
}};

const std::array<KeyName, 3> CKeyTable::m_FN1Keys = {{
    {0x00FB, L"Sticky FN1"},
    {0x00FD, L"Locking FN1"},
    {0x00FF, L"FN1"},
}};

const std::array<KeyName, 3> CKeyTable::m_FN2Keys = {{
    {0x00FA, L"Sticky FN2"},
    {0x00FC, L"Locking FN2"},
    {0x00FE, L"FN2"},
}};

const std::array<KeyName, 8> CKeyTable::m_SystemKeysDown = {{
    {0x00E0, L"L-CTRL Down"},
    {0x00E1, L"L-Shift Down"},
    {0x00E2, L"L-Alt Down"},
    {0x00E3, L"L-GUI Down"},
    {0x00E4, L"R-CTRL Down"},
    {0x00E5, L"R-Shift Down"},
    {0x00E6, L"R-Alt Down"},
    {0x00E7, L"R-GUI Down"},
}};

const std::array<KeyName, 8> CKeyTable::m_SystemKeysUp = {{
    {0x00E8, L"L-CTRL Up"},
    {0x00E9, L"L-Shift Up"},
    {0x00EA, L"L-Alt Up"},
    {0x00EB, L"L-GUI Up"},
    {0x00EC, L"R-CTRL Up"},
    {0x00ED, L"R-Shift Up"},
    {0x00EE, L"R-Alt Up"},
    {0x00EF, L"R-GUI Up"},
}};
// clang-format on
