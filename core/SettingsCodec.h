// SettingsCodec: the byte encodings of the settings tabs, shared by the file and the device code.
#pragma once

#include <array>

// Pure mappings between list items / check states and the bytes that the configuration file and
// the chip carry. No widgets here: MainWindow_settings.cpp applies them to the controls.
namespace SettingsCodec {

// --- Mouse ----------------------------------------------------------------------------------
// Function code of each item of the mouse function list. Items 3 ("Off") and 4 (slow mode)
// are swapped between list and code.
constexpr std::array<unsigned char, 5> MOUSE_FUNCTION_CODES = {0x00, 0x01, 0x02, 0xFF, 0x03};
constexpr int MOUSE_FUNCTION_OFF_ITEM = 3;

// Code of a mouse function item; no or an unknown item is "Off" (0xFF).
unsigned char mouseFunctionCode(int item);
// Item of a mouse function code; codes without an item of their own show "Off".
int mouseFunctionItem(unsigned char code);

// Mouse defaults: function "Off", no option or ballistic flags, these axis values and table.
constexpr int MOUSE_DEFAULT_MIN = 60;
constexpr int MOUSE_DEFAULT_MAX = 185;
constexpr int MOUSE_DEFAULT_DEAD_XY = 30;
constexpr int MOUSE_DEFAULT_DEAD_Z = 10;
constexpr std::array<int, 8> MOUSE_DEFAULT_BALLISTIC = {3, 5, 8, 10, 13, 15, 18, 20};

// Byte positions in the 15-byte mouse block.
namespace MOUSE_BYTE {
constexpr int FUNCTION = 0;
constexpr int OPTIONS = 1;
constexpr int MIN = 2;
constexpr int MAX = 3;
constexpr int DEAD_XY = 4;
constexpr int DEAD_Z = 5;
constexpr int BALLISTIC_FLAGS = 6;
constexpr int BALLISTIC_TABLE = 7;
} // namespace MOUSE_BYTE

// --- LED outputs ----------------------------------------------------------------------------
constexpr int LED_ITEM_COUNT = 11;
// LED function code of each item of an LED output's function list.
constexpr std::array<unsigned char, LED_ITEM_COUNT> LED_FUNCTION_CODES = {
    0x00, // Constant On
    0x01, // NUM Lock
    0x02, // CAPS Lock
    0x03, // SCROLL Lock
    0x04, // Compose
    0x05, // Kana
    0x10, // FN1
    0x11, // FN2
    0x20, // Locking + X, modifier bits in the low nibble
    0x30, // Sticky + X, modifier bits in the low nibble
    0xFF, // Off, LED not used
};
constexpr int LED_LOCKING_ITEM = 8;
constexpr int LED_STICKY_ITEM = 9;
constexpr int LED_OFF_ITEM = 10;
constexpr unsigned char LED_OFF = 0xFF;

// Modifier bits of the "Locking + X" and "Sticky + X" codes.
namespace LED_MODIFIER {
constexpr unsigned CTRL = 0x01;
constexpr unsigned SHIFT = 0x02;
constexpr unsigned ALT = 0x04;
constexpr unsigned GUI = 0x08;
} // namespace LED_MODIFIER

// True for the items whose row takes modifier check boxes.
bool ledItemTakesModifiers(int item);
// LED code of an item with the modifier bits of its row; -1 for an item outside the list.
int ledCode(int item, unsigned modifiers);

// What an LED output row shows for a code.
struct LedRow
{
    int item = LED_OFF_ITEM;
    bool modifiersEnabled = false;
    unsigned modifiers = 0;
};
// Codes that no item stands for show "Off, LED not used".
LedRow ledRow(unsigned char code);

// --- Lock keys ------------------------------------------------------------------------------
constexpr int LOCK_KEY_ITEM_COUNT = 6;
// FN1 item in the low nibble, FN2 item in the high nibble; no or an unknown item is "None".
unsigned char lockKeyByte(int fn1Item, int fn2Item);
// The items of a lock-key byte; a nibble that names no item shows "None".
int lockKeyFn1Item(unsigned char value);
int lockKeyFn2Item(unsigned char value);

} // namespace SettingsCodec
