// Mv100Config: the whole configuration of a Morvantide100 as one value, as a .mv100 file holds it.
#pragma once

#include "Mv100Layout.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// Everything a configuration file stores besides the key layers and the macros, in the byte
// encodings that the file and the chip carry.
struct Mv100Settings
{
    using MouseBlock = std::array<std::uint8_t, MV100_BLOCK::MOUSE>;
    using BacklightBlock = std::array<std::uint8_t, MV100_BLOCK::BACKLIGHT>;
    using LedBlock = std::array<std::uint8_t, MV100_BLOCK::LED>;

    // The PIN the chip gets with the next Write (the PIN tab); the file's first line.
    QString newPin = QString::fromLatin1(MV100_PIN::STRING);
    QString customData = QString::fromLatin1(MV100_CUSTOMDATA::STRING);
    std::uint8_t lockKeys = 0x00;
    MouseBlock mouse = defaultMouse();
    BacklightBlock backlight {};
    LedBlock led = defaultLed();
    std::uint8_t lockMode = 0x00; // 0 unlock, 1 lock the chip after writing
    std::uint8_t debounce = 3;    // milliseconds

    static MouseBlock defaultMouse();
    static LedBlock defaultLed();

    // What the settings tabs can show of these bytes: unknown list codes become their "None" or
    // "Off" items, unused flag bits are dropped and numbers are clamped to their controls'
    // ranges. Loads normalise, so that the value equals what a later save writes.
    Mv100Settings normalized() const;

    bool operator==(const Mv100Settings &other) const;
    bool operator!=(const Mv100Settings &other) const { return !(*this == other); }
};

// The groups of settings, one per tab or control family; a view redraws only the group that
// changed.
enum class SettingGroup {
    NewPin,
    CustomData,
    LockKeys,
    Mouse,
    Backlight,
    Led,
    LockMode,
    Debounce,
};

// One place where two configurations differ.
struct ConfigDifference
{
    enum Kind { Cell, Macro, Setting };
    Kind kind = Cell;
    int layer = -1;  // Cell
    int row = -1;    // Cell
    int column = -1; // Cell
    int macro = -1;  // Macro
    SettingGroup setting = SettingGroup::NewPin; // Setting
    int byteIndex = -1; // Setting blocks and Macro: the first differing byte, else -1
    unsigned before = 0; // Cell: the codes; Macro/Setting: the first differing byte
    unsigned after = 0;

    bool operator==(const ConfigDifference &other) const;
};

class Mv100Config
{
public:
    using Layer = std::array<std::uint16_t, MV100::CELLS>;
    using Macro = std::array<std::uint8_t, MV100::MACRO_SIZE>;
    static constexpr std::uint16_t EMPTY_CELL = 0xFFFF;

    // An empty configuration: every cell empty, every macro unset, the settings' defaults.
    Mv100Config();

    static bool isCell(int layer, int column, int row);

    std::uint16_t keyCode(int layer, int column, int row) const;
    void setKeyCode(int layer, int column, int row, std::uint16_t code);
    const Layer &layer(int layer) const { return m_layers.at(std::size_t(layer)); }
    void setLayer(int layer, const Layer &cells) { m_layers.at(std::size_t(layer)) = cells; }
    void clearLayer(int layer);
    bool isLayerEmpty(int layer) const;

    const Macro &macro(int number) const { return m_macros.at(std::size_t(number)); }
    void setMacro(int number, const Macro &record) { m_macros.at(std::size_t(number)) = record; }
    static Macro emptyMacro();

    Mv100Settings &settings() { return m_settings; }
    const Mv100Settings &settings() const { return m_settings; }

    bool operator==(const Mv100Config &other) const;
    bool operator!=(const Mv100Config &other) const { return !(*this == other); }

    // Where this configuration and other differ, cells by layer, row and column first, then
    // macros, then settings; at most `limit` entries (0 = all).
    QList<ConfigDifference> differences(const Mv100Config &other, int limit = 0) const;

    // The English name of a setting group, as the command-line tool and messages name it.
    static QString settingName(SettingGroup group);

private:
    std::array<Layer, MV100::LAYERS> m_layers;
    std::array<Macro, MV100::MACRO_COUNT> m_macros;
    Mv100Settings m_settings;
};
