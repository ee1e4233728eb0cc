// SettingsTabs: the settings controls as a view of the configuration document.
#include "SettingsTabs.h"
#include "ui_mainwindow.h"

#include "ConfigDocument.h"
#include "SettingsCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {
// Modifier check boxes of an LED row, in the order of their bits (Ctrl = bit 0 ... GUI = bit 3).
constexpr std::array<const char *, 4> LED_MODIFIER_NAMES = {"ctrl", "shift", "alt", "gui"};
// Backlight rows DAC 0, DAC 1, PWM 0, PWM 1, PWM 2: Init values first, then Step, then Flags.
constexpr std::array<const char *, 3> BACKLIGHT_COLUMNS = {"init", "step", "flags"};

template<typename T> T *child(QWidget *window, const QString &name)
{
    return window->findChild<T *>(name);
}

// Sets a control's value without its change signal.
template<typename Control, typename Setter> void quietly(Control *control, Setter set)
{
    if (control == nullptr)
        return;
    const QSignalBlocker blocker(control);
    set(control);
}

void setBit(std::uint8_t &byte, int bit, bool on)
{
    if (on)
        byte = std::uint8_t(byte | (1U << bit));
    else
        byte = std::uint8_t(byte & ~(1U << bit));
}
} // namespace

SettingsTabs::SettingsTabs(Ui::MainWindow *ui, ConfigDocument *document, QObject *parent)
    : QObject(parent)
    , ui(ui)
    , m_document(document)
{
    findControls();
    connectEdits();
    connect(document, &ConfigDocument::settingChanged, this, &SettingsTabs::refresh);
    connect(document, &ConfigDocument::configReplaced, this, &SettingsTabs::refreshAll);
    connect(document, &ConfigDocument::devicePinChanged, this, [this](const QString &pin) {
        if (this->ui->main_edit_pin->text() != pin)
            quietly(this->ui->main_edit_pin, [&pin](QLineEdit *e) { e->setText(pin); });
    });
    refreshAll();
}

void SettingsTabs::findControls()
{
    QWidget *window = ui->centralwidget->window();
    m_mouse.function = ui->mouse_cmb_function;
    m_mouse.options
        = {ui->mouse_chk_opt_analog,   ui->mouse_chk_opt_optical, ui->mouse_chk_opt_center,
           ui->mouse_chk_opt_range,    ui->mouse_chk_opt_reduce,  ui->mouse_chk_opt_invert_x,
           ui->mouse_chk_opt_invert_y, ui->mouse_chk_opt_invert_z};
    m_mouse.axes
        = {ui->mouse_spin_min, ui->mouse_spin_max, ui->mouse_spin_dead_xy, ui->mouse_spin_dead_z};
    m_mouse.ballisticFlags = {ui->mouse_chk_balistic_x, ui->mouse_chk_balistic_y,
                              ui->mouse_chk_balistic_z, ui->mouse_chk_balistic_z_slow};
    for (int i = 0; i < 8; ++i)
        m_mouse.ballisticTable[i]
            = child<QSpinBox>(window, QStringLiteral("mouse_spin_balistic_%1").arg(i));
    for (int n = 0; n < MV100_BLOCK::LED_OUTPUTS; ++n) {
        m_led[n].function = child<QComboBox>(window, QStringLiteral("led_cmb_function_%1").arg(n));
        for (std::size_t bit = 0; bit < LED_MODIFIER_NAMES.size(); ++bit) {
            m_led[n].modifiers[bit] = child<QCheckBox>(
                window,
                QStringLiteral("led_chk_%1_%2").arg(QLatin1String(LED_MODIFIER_NAMES[bit])).arg(n));
        }
    }
    for (std::size_t column = 0; column < BACKLIGHT_COLUMNS.size(); ++column) {
        for (int row = 0; row < MV100_BLOCK::BACKLIGHT_OUTPUTS; ++row) {
            m_backlight[column * MV100_BLOCK::BACKLIGHT_OUTPUTS + row]
                = child<QSpinBox>(window,
                                  QStringLiteral("backlight_spin_%1_%2")
                                      .arg(QLatin1String(BACKLIGHT_COLUMNS[column]))
                                      .arg(row));
        }
    }
}

Mv100Settings SettingsTabs::current() const
{
    return m_document->config().settings();
}

int SettingsTabs::mergeKeyOf(const QObject *control) const
{
    return int(m_mergeable.indexOf(control));
}

void SettingsTabs::edit(SettingGroup group, const Mv100Settings &settings, int mergeKey)
{
    if (m_showing)
        return;
    static const char *const texts[] = {
        QT_TR_NOOP("Change PIN"),       QT_TR_NOOP("Change Custom Data"),
        QT_TR_NOOP("Change Lock Keys"), QT_TR_NOOP("Change Mouse Settings"),
        QT_TR_NOOP("Change Backlight"), QT_TR_NOOP("Change LED Outputs"),
        QT_TR_NOOP("Change Lock Mode"), QT_TR_NOOP("Change Debounce"),
    };
    if (settings == current()) {
        // Nothing the document keeps has changed; the control may show more (an unused bit).
        refresh(group);
        return;
    }
    m_document->changeSettings(group, settings, tr(texts[int(group)]), mergeKey);
}

void SettingsTabs::connectEdits()
{
    // Text fields: one step per run of typing.
    for (QLineEdit *field : {ui->pin_edit_pin, ui->custom_edit})
        m_mergeable.append(field);
    connect(ui->pin_edit_pin, &QLineEdit::textChanged, this, [this](const QString &text) {
        Mv100Settings s = current();
        s.newPin = text;
        edit(SettingGroup::NewPin, s, mergeKeyOf(ui->pin_edit_pin));
    });
    connect(ui->custom_edit, &QLineEdit::textChanged, this, [this](const QString &text) {
        Mv100Settings s = current();
        s.customData = text;
        edit(SettingGroup::CustomData, s, mergeKeyOf(ui->custom_edit));
    });
    // The PIN the chip has now is no part of the configuration: no history.
    connect(ui->main_edit_pin, &QLineEdit::textChanged, m_document, &ConfigDocument::setDevicePin);

    connect(ui->main_cmb_lock, &QComboBox::currentIndexChanged, this, [this](int item) {
        Mv100Settings s = current();
        s.lockMode = item == 1 ? 0x01 : 0x00;
        edit(SettingGroup::LockMode, s);
    });
    for (QComboBox *combo : {ui->lockkeys_cmb_fn1, ui->lockkeys_cmb_fn2}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this]() {
            Mv100Settings s = current();
            s.lockKeys = SettingsCodec::lockKeyByte(ui->lockkeys_cmb_fn1->currentIndex(),
                                                    ui->lockkeys_cmb_fn2->currentIndex());
            edit(SettingGroup::LockKeys, s);
        });
    }
    m_mergeable.append(ui->spin_debounce);
    connect(ui->spin_debounce, &QSpinBox::valueChanged, this, [this](int value) {
        Mv100Settings s = current();
        s.debounce = std::uint8_t(value & 0xFF);
        edit(SettingGroup::Debounce, s, mergeKeyOf(ui->spin_debounce));
    });

    // Mouse.
    using namespace SettingsCodec;
    connect(m_mouse.function, &QComboBox::currentIndexChanged, this, [this](int item) {
        Mv100Settings s = current();
        s.mouse[MOUSE_BYTE::FUNCTION] = mouseFunctionCode(item);
        edit(SettingGroup::Mouse, s);
    });
    const auto bindBox = [this](QCheckBox *box, int byte, int bit) {
        connect(box, &QCheckBox::toggled, this, [this, byte, bit](bool on) {
            Mv100Settings s = current();
            setBit(s.mouse[byte], bit, on);
            edit(SettingGroup::Mouse, s);
        });
    };
    for (int bit = 0; bit < int(m_mouse.options.size()); ++bit)
        bindBox(m_mouse.options[bit], MOUSE_BYTE::OPTIONS, bit);
    for (int bit = 0; bit < int(m_mouse.ballisticFlags.size()); ++bit)
        bindBox(m_mouse.ballisticFlags[bit], MOUSE_BYTE::BALLISTIC_FLAGS, bit);
    const auto bindSpin = [this](QSpinBox *spin, SettingGroup group, int byte) {
        if (spin == nullptr)
            return;
        m_mergeable.append(spin);
        connect(spin, &QSpinBox::valueChanged, this, [this, spin, group, byte](int value) {
            Mv100Settings s = current();
            auto &block = group == SettingGroup::Mouse ? s.mouse : s.backlight;
            block[byte] = std::uint8_t(value & 0xFF);
            edit(group, s, mergeKeyOf(spin));
        });
    };
    for (int i = 0; i < int(m_mouse.axes.size()); ++i)
        bindSpin(m_mouse.axes[i], SettingGroup::Mouse, MOUSE_BYTE::MIN + i);
    for (int i = 0; i < int(m_mouse.ballisticTable.size()); ++i)
        bindSpin(m_mouse.ballisticTable[i], SettingGroup::Mouse, MOUSE_BYTE::BALLISTIC_TABLE + i);
    for (int i = 0; i < int(m_backlight.size()); ++i)
        bindSpin(m_backlight[i], SettingGroup::Backlight, i);

    // LED outputs: a row's code from its function and, for the two items that take them, its
    // modifier boxes.
    for (int n = 0; n < MV100_BLOCK::LED_OUTPUTS; ++n) {
        const auto rowCode = [this, n](int item) {
            unsigned modifiers = 0;
            for (std::size_t bit = 0; bit < m_led[n].modifiers.size(); ++bit) {
                if (m_led[n].modifiers[bit] != nullptr && m_led[n].modifiers[bit]->isChecked())
                    modifiers |= 1U << bit;
            }
            return std::uint8_t(ledCode(item, modifiers) & 0xFF);
        };
        if (m_led[n].function != nullptr) {
            connect(m_led[n].function, &QComboBox::currentIndexChanged, this,
                    [this, n, rowCode](int item) { setLedCode(n, rowCode(item)); });
        }
        for (QCheckBox *box : m_led[n].modifiers) {
            if (box == nullptr)
                continue;
            connect(box, &QCheckBox::toggled, this, [this, n, rowCode]() {
                setLedCode(n, rowCode(m_led[n].function ? m_led[n].function->currentIndex() : -1));
            });
        }
    }
}

void SettingsTabs::setLedCode(int index, std::uint8_t code)
{
    if (index < 0 || index >= MV100_BLOCK::LED_OUTPUTS)
        return;
    Mv100Settings s = current();
    s.led[index] = code;
    edit(SettingGroup::Led, s.normalized());
}

void SettingsTabs::loadMouseDefaults()
{
    Mv100Settings s = current();
    s.mouse = Mv100Settings::defaultMouse();
    if (s != current())
        edit(SettingGroup::Mouse, s);
}

void SettingsTabs::refreshAll()
{
    for (SettingGroup group : {SettingGroup::NewPin, SettingGroup::CustomData,
                               SettingGroup::LockKeys, SettingGroup::Mouse, SettingGroup::Backlight,
                               SettingGroup::Led, SettingGroup::LockMode, SettingGroup::Debounce})
        refresh(group);
    quietly(ui->main_edit_pin, [this](QLineEdit *e) { e->setText(m_document->devicePin()); });
}

void SettingsTabs::refresh(SettingGroup group)
{
    const Mv100Settings s = current();
    const bool wasShowing = m_showing;
    m_showing = true;
    switch (group) {
    case SettingGroup::NewPin:
        if (ui->pin_edit_pin->text() != s.newPin)
            quietly(ui->pin_edit_pin, [&s](QLineEdit *e) { e->setText(s.newPin); });
        break;
    case SettingGroup::CustomData:
        if (ui->custom_edit->text() != s.customData)
            quietly(ui->custom_edit, [&s](QLineEdit *e) { e->setText(s.customData); });
        break;
    case SettingGroup::LockKeys:
        quietly(ui->lockkeys_cmb_fn1, [&s](QComboBox *c) {
            c->setCurrentIndex(SettingsCodec::lockKeyFn1Item(s.lockKeys));
        });
        quietly(ui->lockkeys_cmb_fn2, [&s](QComboBox *c) {
            c->setCurrentIndex(SettingsCodec::lockKeyFn2Item(s.lockKeys));
        });
        break;
    case SettingGroup::Mouse:
        showMouse(s.mouse);
        break;
    case SettingGroup::Backlight:
        showBacklight(s.backlight);
        break;
    case SettingGroup::Led:
        for (int n = 0; n < MV100_BLOCK::LED_OUTPUTS; ++n)
            showLedRow(n, s.led[n]);
        break;
    case SettingGroup::LockMode:
        quietly(ui->main_cmb_lock,
                [&s](QComboBox *c) { c->setCurrentIndex(s.lockMode == 1 ? 1 : 0); });
        break;
    case SettingGroup::Debounce:
        quietly(ui->spin_debounce, [&s](QSpinBox *spin) { spin->setValue(s.debounce); });
        break;
    }
    m_showing = wasShowing;
}

void SettingsTabs::showMouse(const Mv100Settings::MouseBlock &block)
{
    using namespace SettingsCodec;
    quietly(m_mouse.function, [&block](QComboBox *c) {
        c->setCurrentIndex(mouseFunctionItem(block[MOUSE_BYTE::FUNCTION]));
    });
    for (std::size_t bit = 0; bit < m_mouse.options.size(); ++bit) {
        quietly(m_mouse.options[bit], [&block, bit](QCheckBox *box) {
            box->setChecked((block[MOUSE_BYTE::OPTIONS] & (1U << bit)) != 0);
        });
    }
    for (std::size_t i = 0; i < m_mouse.axes.size(); ++i)
        quietly(m_mouse.axes[i],
                [&block, i](QSpinBox *spin) { spin->setValue(block[MOUSE_BYTE::MIN + i]); });
    for (std::size_t bit = 0; bit < m_mouse.ballisticFlags.size(); ++bit) {
        quietly(m_mouse.ballisticFlags[bit], [&block, bit](QCheckBox *box) {
            box->setChecked((block[MOUSE_BYTE::BALLISTIC_FLAGS] & (1U << bit)) != 0);
        });
    }
    for (std::size_t i = 0; i < m_mouse.ballisticTable.size(); ++i) {
        quietly(m_mouse.ballisticTable[i], [&block, i](QSpinBox *spin) {
            spin->setValue(block[MOUSE_BYTE::BALLISTIC_TABLE + i]);
        });
    }
}

void SettingsTabs::showLedRow(int index, std::uint8_t code)
{
    const SettingsCodec::LedRow row = SettingsCodec::ledRow(code);
    quietly(m_led[index].function, [&row](QComboBox *c) { c->setCurrentIndex(row.item); });
    for (std::size_t bit = 0; bit < m_led[index].modifiers.size(); ++bit) {
        quietly(m_led[index].modifiers[bit], [&row, bit](QCheckBox *box) {
            box->setEnabled(row.modifiersEnabled);
            box->setChecked(row.modifiersEnabled && (row.modifiers & (1U << bit)) != 0);
        });
    }
}

void SettingsTabs::showBacklight(const Mv100Settings::BacklightBlock &block)
{
    for (std::size_t i = 0; i < m_backlight.size(); ++i)
        quietly(m_backlight[i], [&block, i](QSpinBox *spin) { spin->setValue(block[i]); });
}
