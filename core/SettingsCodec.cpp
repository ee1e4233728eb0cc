// SettingsCodec: the byte encodings of the settings tabs, shared by the file and the device code.
#include "SettingsCodec.h"

namespace SettingsCodec {

unsigned char mouseFunctionCode(int item)
{
    if (item < 0 || item >= int(MOUSE_FUNCTION_CODES.size()))
        return MOUSE_FUNCTION_CODES[MOUSE_FUNCTION_OFF_ITEM];
    return MOUSE_FUNCTION_CODES[item];
}

int mouseFunctionItem(unsigned char code)
{
    for (int item = 0; item < int(MOUSE_FUNCTION_CODES.size()); ++item) {
        if (MOUSE_FUNCTION_CODES[item] == code)
            return item;
    }
    return MOUSE_FUNCTION_OFF_ITEM;
}

bool ledItemTakesModifiers(int item)
{
    return item == LED_LOCKING_ITEM || item == LED_STICKY_ITEM;
}

int ledCode(int item, unsigned modifiers)
{
    if (item < 0 || item >= LED_ITEM_COUNT)
        return -1;
    int code = LED_FUNCTION_CODES[item];
    if (ledItemTakesModifiers(item))
        code |= int(modifiers & 0x0F);
    return code;
}

LedRow ledRow(unsigned char code)
{
    LedRow row;
    if (code == LED_OFF)
        return row;
    for (int item = 0; item < LED_LOCKING_ITEM; ++item) {
        if (LED_FUNCTION_CODES[item] == code) {
            row.item = item;
            return row;
        }
    }
    const int family = code & 0xF0;
    if (family == LED_FUNCTION_CODES[LED_LOCKING_ITEM])
        row.item = LED_LOCKING_ITEM;
    else if (family == LED_FUNCTION_CODES[LED_STICKY_ITEM])
        row.item = LED_STICKY_ITEM;
    else
        return row;
    row.modifiersEnabled = true;
    row.modifiers = code & 0x0F;
    return row;
}

namespace {
int lockKeyItem(int nibble)
{
    return nibble < LOCK_KEY_ITEM_COUNT ? nibble : 0;
}

unsigned lockKeyNibble(int item)
{
    return (item >= 0 && item < LOCK_KEY_ITEM_COUNT) ? unsigned(item) : 0U;
}
} // namespace

unsigned char lockKeyByte(int fn1Item, int fn2Item)
{
    return static_cast<unsigned char>((lockKeyNibble(fn2Item) << 4) | lockKeyNibble(fn1Item));
}

int lockKeyFn1Item(unsigned char value)
{
    return lockKeyItem(value & 0x0F);
}

int lockKeyFn2Item(unsigned char value)
{
    return lockKeyItem((value >> 4) & 0x0F);
}

} // namespace SettingsCodec
