// ScanCodeMap: evdev and set-1 scan codes of a full-size keyboard mapped to keyboard-page usages.
#include "ScanCodeMap.h"

#include <cstddef>

namespace {

struct ScanUsage
{
    unsigned short scan;
    unsigned char usage;
};

// Linux input event codes (linux/input-event-codes.h). Media and system keys are left out:
// the key table has no usage for most of them.
// clang-format off
constexpr ScanUsage EVDEV[] = {
    //  code, usage         key
    {      1, 0x29},     // Esc
    {      2, 0x1E},     // 1
    {      3, 0x1F},     // 2
    {      4, 0x20},     // 3
    {      5, 0x21},     // 4
    {      6, 0x22},     // 5
    {      7, 0x23},     // 6
    {      8, 0x24},     // 7
    {      9, 0x25},     // 8
    {     10, 0x26},     // 9
    {     11, 0x27},     // 0
    {     12, 0x2D},     // -
    {     13, 0x2E},     // =
    {     14, 0x2A},     // Backspace
    {     15, 0x2B},     // Tab
    {     16, 0x14},     // Q
    {     17, 0x1A},     // W
    {     18, 0x08},     // E
    {     19, 0x15},     // R
    {     20, 0x17},     // T
    {     21, 0x1C},     // Y
    {     22, 0x18},     // U
    {     23, 0x0C},     // I
    {     24, 0x12},     // O
    {     25, 0x13},     // P
    {     26, 0x2F},     // [
    {     27, 0x30},     // ]
    {     28, 0x28},     // Enter
    {     29, 0xE0},     // Left Ctrl
    {     30, 0x04},     // A
    {     31, 0x16},     // S
    {     32, 0x07},     // D
    {     33, 0x09},     // F
    {     34, 0x0A},     // G
    {     35, 0x0B},     // H
    {     36, 0x0D},     // J
    {     37, 0x0E},     // K
    {     38, 0x0F},     // L
    {     39, 0x33},     // ;
    {     40, 0x34},     // '
    {     41, 0x35},     // `
    {     42, 0xE1},     // Left Shift
    {     43, 0x31},     // backslash
    {     44, 0x1D},     // Z
    {     45, 0x1B},     // X
    {     46, 0x06},     // C
    {     47, 0x19},     // V
    {     48, 0x05},     // B
    {     49, 0x11},     // N
    {     50, 0x10},     // M
    {     51, 0x36},     // ,
    {     52, 0x37},     // .
    {     53, 0x38},     // /
    {     54, 0xE5},     // Right Shift
    {     55, 0x55},     // Keypad *
    {     56, 0xE2},     // Left Alt
    {     57, 0x2C},     // Space
    {     58, 0x39},     // Caps Lock
    {     59, 0x3A},     // F1
    {     60, 0x3B},     // F2
    {     61, 0x3C},     // F3
    {     62, 0x3D},     // F4
    {     63, 0x3E},     // F5
    {     64, 0x3F},     // F6
    {     65, 0x40},     // F7
    {     66, 0x41},     // F8
    {     67, 0x42},     // F9
    {     68, 0x43},     // F10
    {     69, 0x53},     // Num Lock
    {     70, 0x47},     // Scroll Lock
    {     71, 0x5F},     // Keypad 7
    {     72, 0x60},     // Keypad 8
    {     73, 0x61},     // Keypad 9
    {     74, 0x56},     // Keypad -
    {     75, 0x5C},     // Keypad 4
    {     76, 0x5D},     // Keypad 5
    {     77, 0x5E},     // Keypad 6
    {     78, 0x57},     // Keypad +
    {     79, 0x59},     // Keypad 1
    {     80, 0x5A},     // Keypad 2
    {     81, 0x5B},     // Keypad 3
    {     82, 0x62},     // Keypad 0
    {     83, 0x63},     // Keypad .
    {     85, 0x94},     // Zenkaku/Hankaku (LANG5)
    {     86, 0x64},     // non-US backslash
    {     87, 0x44},     // F11
    {     88, 0x45},     // F12
    {     89, 0x87},     // Ro (International1)
    {     90, 0x92},     // Katakana (LANG3)
    {     91, 0x93},     // Hiragana (LANG4)
    {     92, 0x8A},     // Henkan (International4)
    {     93, 0x88},     // Katakana/Hiragana (International2)
    {     94, 0x8B},     // Muhenkan (International5)
    {     95, 0x8C},     // Keypad JP comma (International6)
    {     96, 0x58},     // Keypad Enter
    {     97, 0xE4},     // Right Ctrl
    {     98, 0x54},     // Keypad /
    {     99, 0x46},     // Print Screen / SysRq
    {    100, 0xE6},     // Right Alt
    {    102, 0x4A},     // Home
    {    103, 0x52},     // Up
    {    104, 0x4B},     // Page Up
    {    105, 0x50},     // Left
    {    106, 0x4F},     // Right
    {    107, 0x4D},     // End
    {    108, 0x51},     // Down
    {    109, 0x4E},     // Page Down
    {    110, 0x49},     // Insert
    {    111, 0x4C},     // Delete
    {    117, 0x67},     // Keypad =
    {    118, 0xD7},     // Keypad +/-
    {    119, 0x48},     // Pause
    {    121, 0x85},     // Keypad ,
    {    122, 0x90},     // Hangeul (LANG1)
    {    123, 0x91},     // Hanja (LANG2)
    {    124, 0x89},     // Yen (International3)
    {    125, 0xE3},     // Left Meta
    {    126, 0xE7},     // Right Meta
    {    127, 0x65},     // Compose (Application)
    {    183, 0x68},     // F13
    {    184, 0x69},     // F14
    {    185, 0x6A},     // F15
    {    186, 0x6B},     // F16
    {    187, 0x6C},     // F17
    {    188, 0x6D},     // F18
    {    189, 0x6E},     // F19
    {    190, 0x6F},     // F20
    {    191, 0x70},     // F21
    {    192, 0x71},     // F22
    {    193, 0x72},     // F23
    {    194, 0x73},     // F24
};

// Scan code set 1 in the form Windows reports: E0-prefixed keys + 0x100. Windows gives Num Lock
// the E0 flag and Pause none (its E1 1D 45 sequence arrives as 0x45); Ctrl+Pause arrives as
// E0 46 (Break) and Alt+Print Screen as 0x54 (SysRq).
constexpr ScanUsage SET1[] = {
    //  code, usage         key
    { 0x0001, 0x29},     // Esc
    { 0x0002, 0x1E},     // 1
    { 0x0003, 0x1F},     // 2
    { 0x0004, 0x20},     // 3
    { 0x0005, 0x21},     // 4
    { 0x0006, 0x22},     // 5
    { 0x0007, 0x23},     // 6
    { 0x0008, 0x24},     // 7
    { 0x0009, 0x25},     // 8
    { 0x000A, 0x26},     // 9
    { 0x000B, 0x27},     // 0
    { 0x000C, 0x2D},     // -
    { 0x000D, 0x2E},     // =
    { 0x000E, 0x2A},     // Backspace
    { 0x000F, 0x2B},     // Tab
    { 0x0010, 0x14},     // Q
    { 0x0011, 0x1A},     // W
    { 0x0012, 0x08},     // E
    { 0x0013, 0x15},     // R
    { 0x0014, 0x17},     // T
    { 0x0015, 0x1C},     // Y
    { 0x0016, 0x18},     // U
    { 0x0017, 0x0C},     // I
    { 0x0018, 0x12},     // O
    { 0x0019, 0x13},     // P
    { 0x001A, 0x2F},     // [
    { 0x001B, 0x30},     // ]
    { 0x001C, 0x28},     // Enter
    { 0x001D, 0xE0},     // Left Ctrl
    { 0x001E, 0x04},     // A
    { 0x001F, 0x16},     // S
    { 0x0020, 0x07},     // D
    { 0x0021, 0x09},     // F
    { 0x0022, 0x0A},     // G
    { 0x0023, 0x0B},     // H
    { 0x0024, 0x0D},     // J
    { 0x0025, 0x0E},     // K
    { 0x0026, 0x0F},     // L
    { 0x0027, 0x33},     // ;
    { 0x0028, 0x34},     // '
    { 0x0029, 0x35},     // `
    { 0x002A, 0xE1},     // Left Shift
    { 0x002B, 0x31},     // backslash
    { 0x002C, 0x1D},     // Z
    { 0x002D, 0x1B},     // X
    { 0x002E, 0x06},     // C
    { 0x002F, 0x19},     // V
    { 0x0030, 0x05},     // B
    { 0x0031, 0x11},     // N
    { 0x0032, 0x10},     // M
    { 0x0033, 0x36},     // ,
    { 0x0034, 0x37},     // .
    { 0x0035, 0x38},     // /
    { 0x0036, 0xE5},     // Right Shift
    { 0x0037, 0x55},     // Keypad *
    { 0x0038, 0xE2},     // Left Alt
    { 0x0039, 0x2C},     // Space
    { 0x003A, 0x39},     // Caps Lock
    { 0x003B, 0x3A},     // F1
    { 0x003C, 0x3B},     // F2
    { 0x003D, 0x3C},     // F3
    { 0x003E, 0x3D},     // F4
    { 0x003F, 0x3E},     // F5
    { 0x0040, 0x3F},     // F6
    { 0x0041, 0x40},     // F7
    { 0x0042, 0x41},     // F8
    { 0x0043, 0x42},     // F9
    { 0x0044, 0x43},     // F10
    { 0x0045, 0x48},     // Pause
    { 0x0046, 0x47},     // Scroll Lock
    { 0x0047, 0x5F},     // Keypad 7
    { 0x0048, 0x60},     // Keypad 8
    { 0x0049, 0x61},     // Keypad 9
    { 0x004A, 0x56},     // Keypad -
    { 0x004B, 0x5C},     // Keypad 4
    { 0x004C, 0x5D},     // Keypad 5
    { 0x004D, 0x5E},     // Keypad 6
    { 0x004E, 0x57},     // Keypad +
    { 0x004F, 0x59},     // Keypad 1
    { 0x0050, 0x5A},     // Keypad 2
    { 0x0051, 0x5B},     // Keypad 3
    { 0x0052, 0x62},     // Keypad 0
    { 0x0053, 0x63},     // Keypad .
    { 0x0054, 0x46},     // SysRq (Alt + Print Screen)
    { 0x0056, 0x64},     // non-US backslash
    { 0x0057, 0x44},     // F11
    { 0x0058, 0x45},     // F12
    { 0x0059, 0x67},     // Keypad =
    { 0x0064, 0x68},     // F13
    { 0x0065, 0x69},     // F14
    { 0x0066, 0x6A},     // F15
    { 0x0067, 0x6B},     // F16
    { 0x0068, 0x6C},     // F17
    { 0x0069, 0x6D},     // F18
    { 0x006A, 0x6E},     // F19
    { 0x006B, 0x6F},     // F20
    { 0x006C, 0x70},     // F21
    { 0x006D, 0x71},     // F22
    { 0x006E, 0x72},     // F23
    { 0x0070, 0x88},     // Katakana/Hiragana (International2)
    { 0x0073, 0x87},     // Ro (International1)
    { 0x0076, 0x73},     // F24
    { 0x0079, 0x8A},     // Henkan (International4)
    { 0x007B, 0x8B},     // Muhenkan (International5)
    { 0x007D, 0x89},     // Yen (International3)
    { 0x007E, 0x85},     // Keypad , (Brazilian)
    { 0x00F1, 0x91},     // Hanja (LANG2)
    { 0x00F2, 0x90},     // Hangeul (LANG1)
    { 0x011C, 0x58},     // Keypad Enter
    { 0x011D, 0xE4},     // Right Ctrl
    { 0x0135, 0x54},     // Keypad /
    { 0x0137, 0x46},     // Print Screen
    { 0x0138, 0xE6},     // Right Alt
    { 0x0145, 0x53},     // Num Lock
    { 0x0146, 0x48},     // Break (Ctrl + Pause)
    { 0x0147, 0x4A},     // Home
    { 0x0148, 0x52},     // Up
    { 0x0149, 0x4B},     // Page Up
    { 0x014B, 0x50},     // Left
    { 0x014D, 0x4F},     // Right
    { 0x014F, 0x4D},     // End
    { 0x0150, 0x51},     // Down
    { 0x0151, 0x4E},     // Page Down
    { 0x0152, 0x49},     // Insert
    { 0x0153, 0x4C},     // Delete
    { 0x015B, 0xE3},     // Left Windows
    { 0x015C, 0xE7},     // Right Windows
    { 0x015D, 0x65},     // Application
};
// clang-format on

template<std::size_t N> int lookUp(const ScanUsage (&table)[N], unsigned code)
{
    for (const ScanUsage &row : table) {
        if (row.scan == code)
            return row.usage;
    }
    return -1;
}

// X11 and Wayland number their key codes from 8 upwards: XKB key code = evdev code + 8.
constexpr unsigned XKB_OFFSET = 8;

} // namespace

int ScanCodeMap::usageFromEvdev(unsigned code)
{
    return lookUp(EVDEV, code);
}

int ScanCodeMap::usageFromSet1(unsigned code)
{
    return lookUp(SET1, code);
}

int ScanCodeMap::usageFromNativeScanCode(unsigned code)
{
#ifdef _WIN32
    return usageFromSet1(code);
#else
    return code >= XKB_OFFSET ? usageFromEvdev(code - XKB_OFFSET) : -1;
#endif
}
