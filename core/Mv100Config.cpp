// Mv100Config: the configuration value, its settings' normal form and its comparison.
#include "Mv100Config.h"

#include "SettingsCodec.h"

#include <algorithm>

namespace {
constexpr int BACKLIGHT_FLAGS_FIRST = 2 * MV100_BLOCK::BACKLIGHT_OUTPUTS; // flags column
constexpr std::uint8_t BALLISTIC_FLAG_BITS = 0x0F;
constexpr int LOCK_MODE_ITEMS = 2;
constexpr int DEBOUNCE_MIN = 1;

// The first differing byte of two blocks, or -1.
template<std::size_t N>
int firstDifference(const std::array<std::uint8_t, N> &a, const std::array<std::uint8_t, N> &b)
{
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin());
    return mismatch.first == a.end() ? -1 : int(mismatch.first - a.begin());
}
} // namespace

Mv100Settings::MouseBlock Mv100Settings::defaultMouse()
{
    using namespace SettingsCodec;
    MouseBlock block {};
    block[MOUSE_BYTE::FUNCTION] = MOUSE_FUNCTION_CODES[MOUSE_FUNCTION_OFF_ITEM];
    block[MOUSE_BYTE::MIN] = MOUSE_DEFAULT_MIN;
    block[MOUSE_BYTE::MAX] = MOUSE_DEFAULT_MAX;
    block[MOUSE_BYTE::DEAD_XY] = MOUSE_DEFAULT_DEAD_XY;
    block[MOUSE_BYTE::DEAD_Z] = MOUSE_DEFAULT_DEAD_Z;
    for (std::size_t i = 0; i < MOUSE_DEFAULT_BALLISTIC.size(); ++i)
        block[MOUSE_BYTE::BALLISTIC_TABLE + i] = std::uint8_t(MOUSE_DEFAULT_BALLISTIC[i]);
    return block;
}

Mv100Settings::LedBlock Mv100Settings::defaultLed()
{
    LedBlock block;
    block.fill(SettingsCodec::LED_OFF);
    return block;
}

Mv100Settings Mv100Settings::normalized() const
{
    using namespace SettingsCodec;
    Mv100Settings result = *this;
    result.lockKeys = SettingsCodec::lockKeyByte(lockKeyFn1Item(lockKeys), lockKeyFn2Item(lockKeys));
    result.mouse[MOUSE_BYTE::FUNCTION]
        = mouseFunctionCode(mouseFunctionItem(mouse[MOUSE_BYTE::FUNCTION]));
    result.mouse[MOUSE_BYTE::BALLISTIC_FLAGS] &= BALLISTIC_FLAG_BITS;
    for (int i = BACKLIGHT_FLAGS_FIRST; i < MV100_BLOCK::BACKLIGHT; ++i)
        result.backlight[i] = std::min<std::uint8_t>(backlight[i], 1);
    for (std::uint8_t &code : result.led) {
        const LedRow row = ledRow(code);
        code = std::uint8_t(ledCode(row.item, row.modifiers));
    }
    if (lockMode >= LOCK_MODE_ITEMS)
        result.lockMode = 0;
    result.debounce = std::max<std::uint8_t>(debounce, DEBOUNCE_MIN);
    return result;
}

bool Mv100Settings::operator==(const Mv100Settings &other) const
{
    return newPin == other.newPin && customData == other.customData && lockKeys == other.lockKeys
        && mouse == other.mouse && backlight == other.backlight && led == other.led
        && lockMode == other.lockMode && debounce == other.debounce;
}

bool ConfigDifference::operator==(const ConfigDifference &other) const
{
    return kind == other.kind && layer == other.layer && row == other.row
        && column == other.column && macro == other.macro && setting == other.setting
        && byteIndex == other.byteIndex && before == other.before && after == other.after;
}

Mv100Config::Mv100Config()
{
    for (Layer &cells : m_layers)
        cells.fill(EMPTY_CELL);
    m_macros.fill(emptyMacro());
}

Mv100Config::Macro Mv100Config::emptyMacro()
{
    Macro record;
    record.fill(0xFF);
    return record;
}

bool Mv100Config::isCell(int layer, int column, int row)
{
    return layer >= 0 && layer < MV100::LAYERS && column >= 0 && column < MV100::COLUMNS
        && row >= 0 && row < MV100::ROWS;
}

std::uint16_t Mv100Config::keyCode(int layer, int column, int row) const
{
    return isCell(layer, column, row) ? m_layers[layer][row * MV100::COLUMNS + column]
                                      : EMPTY_CELL;
}

void Mv100Config::setKeyCode(int layer, int column, int row, std::uint16_t code)
{
    if (isCell(layer, column, row))
        m_layers[layer][row * MV100::COLUMNS + column] = code;
}

void Mv100Config::clearLayer(int layer)
{
    m_layers.at(std::size_t(layer)).fill(EMPTY_CELL);
}

bool Mv100Config::isLayerEmpty(int layer) const
{
    const Layer &cells = m_layers.at(std::size_t(layer));
    return std::all_of(cells.begin(), cells.end(), [](std::uint16_t c) { return c == EMPTY_CELL; });
}

bool Mv100Config::operator==(const Mv100Config &other) const
{
    return m_layers == other.m_layers && m_macros == other.m_macros
        && m_settings == other.m_settings;
}

QList<ConfigDifference> Mv100Config::differences(const Mv100Config &other, int limit) const
{
    QList<ConfigDifference> result;
    const auto full = [&]() { return limit > 0 && result.size() >= limit; };

    for (int layer = 0; layer < MV100::LAYERS && !full(); ++layer) {
        for (int cell = 0; cell < MV100::CELLS && !full(); ++cell) {
            if (m_layers[layer][cell] == other.m_layers[layer][cell])
                continue;
            ConfigDifference d;
            d.kind = ConfigDifference::Cell;
            d.layer = layer;
            d.row = cell / MV100::COLUMNS;
            d.column = cell % MV100::COLUMNS;
            d.before = m_layers[layer][cell];
            d.after = other.m_layers[layer][cell];
            result.append(d);
        }
    }
    for (int number = 0; number < MV100::MACRO_COUNT && !full(); ++number) {
        const int byte = firstDifference(m_macros[number], other.m_macros[number]);
        if (byte < 0)
            continue;
        ConfigDifference d;
        d.kind = ConfigDifference::Macro;
        d.macro = number;
        d.byteIndex = byte;
        d.before = m_macros[number][byte];
        d.after = other.m_macros[number][byte];
        result.append(d);
    }

    const Mv100Settings &a = m_settings;
    const Mv100Settings &b = other.m_settings;
    const auto addSetting = [&](SettingGroup group, int byte, unsigned before, unsigned after) {
        if (full())
            return;
        ConfigDifference d;
        d.kind = ConfigDifference::Setting;
        d.setting = group;
        d.byteIndex = byte;
        d.before = before;
        d.after = after;
        result.append(d);
    };
    if (a.newPin != b.newPin)
        addSetting(SettingGroup::NewPin, -1, 0, 0);
    if (a.customData != b.customData)
        addSetting(SettingGroup::CustomData, -1, 0, 0);
    if (a.lockKeys != b.lockKeys)
        addSetting(SettingGroup::LockKeys, -1, a.lockKeys, b.lockKeys);
    if (const int i = firstDifference(a.mouse, b.mouse); i >= 0)
        addSetting(SettingGroup::Mouse, i, a.mouse[i], b.mouse[i]);
    if (const int i = firstDifference(a.backlight, b.backlight); i >= 0)
        addSetting(SettingGroup::Backlight, i, a.backlight[i], b.backlight[i]);
    if (const int i = firstDifference(a.led, b.led); i >= 0)
        addSetting(SettingGroup::Led, i, a.led[i], b.led[i]);
    if (a.lockMode != b.lockMode)
        addSetting(SettingGroup::LockMode, -1, a.lockMode, b.lockMode);
    if (a.debounce != b.debounce)
        addSetting(SettingGroup::Debounce, -1, a.debounce, b.debounce);
    return result;
}

QString Mv100Config::settingName(SettingGroup group)
{
    switch (group) {
    case SettingGroup::NewPin:
        return QStringLiteral("PIN");
    case SettingGroup::CustomData:
        return QStringLiteral("custom data");
    case SettingGroup::LockKeys:
        return QStringLiteral("lock keys");
    case SettingGroup::Mouse:
        return QStringLiteral("mouse");
    case SettingGroup::Backlight:
        return QStringLiteral("backlight");
    case SettingGroup::Led:
        return QStringLiteral("LED outputs");
    case SettingGroup::LockMode:
        return QStringLiteral("lock mode");
    case SettingGroup::Debounce:
        return QStringLiteral("debounce");
    }
    return {};
}
