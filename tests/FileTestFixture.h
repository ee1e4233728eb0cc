// Shared by the file tests: filling every part of the editor, and a picture of its whole state.
#pragma once

#include "CMorvantide100.h"
#include "KeyMatrixWidget.h"
#include "MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace FileTest {

// A widget the tests need; a missing one means the form changed and every later check is moot.
template<class T> T *widget(const MainWindow &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (found == nullptr) {
        std::fprintf(stderr, "missing widget %s\n", qPrintable(name));
        std::abort();
    }
    return found;
}

template<class T> T *widget(const MainWindow &window, const char *name)
{
    return widget<T>(window, QString::fromLatin1(name));
}

// Codes of every kind a cell can hold: plain key, modifier + key, media, macro, mouse, LED,
// FN keys, and a code of no known kind.
constexpr std::array<unsigned short, 10> CELL_CODES
    = {0x0004, 0xE104, 0x010C, 0x0205, 0x0310, 0x0401, 0x00FF, 0x00FA, 0x0529, 0x02AF};

// Puts a code into one cell of the model and of its matrix, as a key assignment does.
inline void assign(MainWindow &window, int layer, int x, int y, unsigned short code)
{
    window.config().SetKeyCode(static_cast<unsigned char>(layer), static_cast<unsigned char>(x),
                               static_cast<unsigned char>(y), code);
    window.setButton(layer, x, y, code);
}

// A macro of the given type (0 "Stable" .. 3 "Cell 16Bit") whose content depends on the slot.
inline void setMacro(MainWindow &window, int slot, unsigned char type)
{
    std::array<unsigned char, MV100::MACRO_SIZE> record {};
    record[0] = type;
    for (int i = 1; i < MV100::MACRO_SIZE; ++i)
        record[std::size_t(i)] = static_cast<unsigned char>((slot * 7 + i * 3) & 0xFF);
    window.config().SetMacro(static_cast<unsigned char>(slot), record.data());
}

// Moves every settings control away from its reset value.
inline void editAllSettings(MainWindow &window)
{
    widget<QLineEdit>(window, "main_edit_pin")->setText(QStringLiteral("0123456789ABCDEF"));
    widget<QLineEdit>(window, "pin_edit_pin")->setText(QStringLiteral("0123456789ABCDEF"));
    widget<QLineEdit>(window, "custom_edit")
        ->setText(QStringLiteral("00112233445566778899AABBCCDDEEFF"));
    widget<QComboBox>(window, "main_cmb_lock")->setCurrentIndex(1);
    widget<QComboBox>(window, "lockkeys_cmb_fn1")->setCurrentIndex(2);
    widget<QComboBox>(window, "lockkeys_cmb_fn2")->setCurrentIndex(5);

    widget<QComboBox>(window, "mouse_cmb_function")->setCurrentIndex(4);
    for (const char *name :
         {"mouse_chk_opt_analog", "mouse_chk_opt_center", "mouse_chk_opt_invert_y",
          "mouse_chk_opt_invert_z", "mouse_chk_balistic_x", "mouse_chk_balistic_z_slow"}) {
        widget<QCheckBox>(window, name)->setChecked(true);
    }
    widget<QSpinBox>(window, "mouse_spin_min")->setValue(1);
    widget<QSpinBox>(window, "mouse_spin_max")->setValue(254);
    widget<QSpinBox>(window, "mouse_spin_dead_xy")->setValue(7);
    widget<QSpinBox>(window, "mouse_spin_dead_z")->setValue(9);
    for (int i = 0; i < 8; ++i)
        widget<QSpinBox>(window, QStringLiteral("mouse_spin_balistic_%1").arg(i))
            ->setValue(100 + i);

    for (int i = 0; i < MV100_BLOCK::BACKLIGHT_OUTPUTS; ++i) {
        widget<QSpinBox>(window, QStringLiteral("backlight_spin_init_%1").arg(i))->setValue(10 + i);
        widget<QSpinBox>(window, QStringLiteral("backlight_spin_step_%1").arg(i))
            ->setValue(200 + i);
        widget<QSpinBox>(window, QStringLiteral("backlight_spin_flags_%1").arg(i))->setValue(i % 2);
    }

    // LED rows: Locking + Ctrl + GUI, Sticky + Shift, NUM Lock, FN1, FN2, Constant On, Off, Kana.
    const std::array<int, 8> items = {8, 9, 1, 6, 7, 0, 10, 5};
    for (int n = 0; n < 8; ++n)
        widget<QComboBox>(window, QStringLiteral("led_cmb_function_%1").arg(n))
            ->setCurrentIndex(items[std::size_t(n)]);
    widget<QCheckBox>(window, "led_chk_ctrl_0")->setChecked(true);
    widget<QCheckBox>(window, "led_chk_gui_0")->setChecked(true);
    widget<QCheckBox>(window, "led_chk_shift_1")->setChecked(true);

    widget<QSpinBox>(window, "spin_debounce")->setValue(42);
}

// Edits in every settings tab, cells of every kind on all three layers, macros of all types.
inline void fillSome(MainWindow &window)
{
    editAllSettings(window);
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int i = 0; i < int(CELL_CODES.size()); ++i)
            assign(window, layer, (i * 5 + layer * 3) % 16, (i * 7 + layer) % 24,
                   CELL_CODES[std::size_t(i)]);
    }
    for (int slot : {0, 1, 2, 3, 100, 175})
        setMacro(window, slot, static_cast<unsigned char>(slot % 4));
}

// Every cell of every layer and every macro slot in use.
inline void fillEverything(MainWindow &window)
{
    editAllSettings(window);
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int y = 0; y < MV100::ROWS; ++y) {
            for (int x = 0; x < MV100::COLUMNS; ++x)
                assign(window, layer, x, y,
                       CELL_CODES[std::size_t(x + y + layer) % CELL_CODES.size()]);
        }
    }
    for (int slot = 0; slot < MV100::MACRO_COUNT; ++slot)
        setMacro(window, slot, static_cast<unsigned char>(slot % 4));
}

// Every settings control, every cell text and code and every macro as "name=value" lines.
inline QStringList snapshot(const MainWindow &window)
{
    QStringList lines;
    const auto named = [](const QObject *object) {
        return !object->objectName().isEmpty()
            && !object->objectName().startsWith(QLatin1String("qt_"));
    };
    for (const QLineEdit *edit : window.findChildren<QLineEdit *>()) {
        if (named(edit))
            lines << edit->objectName() + QLatin1Char('=') + edit->text();
    }
    for (const QComboBox *combo : window.findChildren<QComboBox *>()) {
        if (named(combo))
            lines << combo->objectName() + QLatin1Char('=')
                    + QString::number(combo->currentIndex());
    }
    for (const QSpinBox *spin : window.findChildren<QSpinBox *>()) {
        if (named(spin))
            lines << spin->objectName() + QLatin1Char('=') + QString::number(spin->value());
    }
    for (const QCheckBox *box : window.findChildren<QCheckBox *>()) {
        if (named(box)) {
            lines << box->objectName() + QLatin1Char('=')
                    + (box->isChecked() ? "checked" : "unchecked")
                    + (box->isEnabled() ? "" : ",disabled");
        }
    }
    std::sort(lines.begin(), lines.end());

    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int y = 0; y < MV100::ROWS; ++y) {
            for (int x = 0; x < MV100::COLUMNS; ++x) {
                lines << QStringLiteral("cell %1/%2/%3=%4 %5")
                             .arg(layer)
                             .arg(x)
                             .arg(y)
                             .arg(window.config().GetKeyCode(static_cast<unsigned char>(layer),
                                                             static_cast<unsigned char>(x),
                                                             static_cast<unsigned char>(y)),
                                  4, 16, QLatin1Char('0'))
                             .arg(window.matrix(layer)->buttonText(y, x));
            }
        }
    }
    for (int slot = 0; slot < MV100::MACRO_COUNT; ++slot) {
        std::array<unsigned char, MV100::MACRO_SIZE> record {};
        window.config().GetMacro(static_cast<unsigned char>(slot), record.data());
        lines << QStringLiteral("macro %1=").arg(slot)
                + QString::fromLatin1(
                     QByteArray(reinterpret_cast<const char *>(record.data()), int(record.size()))
                         .toHex());
    }
    return lines;
}

} // namespace FileTest
