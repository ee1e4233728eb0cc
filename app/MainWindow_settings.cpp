// MainWindow: the settings tabs (mouse, LEDs, backlight, lock keys, PIN, debounce) and their bytes.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "HexText.h"
#include "SettingsCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {

// Modifier check boxes of an LED row, in the order of their bits (Ctrl = bit 0 ... GUI = bit 3).
constexpr std::array<const char *, 4> LED_MODIFIER_NAMES = {"ctrl", "shift", "alt", "gui"};

// Option boxes of the mouse tab in the order of their bits in the option byte.
std::array<QCheckBox *, 8> mouseOptionBoxes(const Ui::MainWindow *ui)
{
    return {ui->mouse_chk_opt_analog,   ui->mouse_chk_opt_optical, ui->mouse_chk_opt_center,
            ui->mouse_chk_opt_range,    ui->mouse_chk_opt_reduce,  ui->mouse_chk_opt_invert_x,
            ui->mouse_chk_opt_invert_y, ui->mouse_chk_opt_invert_z};
}

// Ballistic flag boxes in the order of their bits; the upper four bits are unused.
std::array<QCheckBox *, 4> mouseBallisticBoxes(const Ui::MainWindow *ui)
{
    return {ui->mouse_chk_balistic_x, ui->mouse_chk_balistic_y, ui->mouse_chk_balistic_z,
            ui->mouse_chk_balistic_z_slow};
}

std::array<QSpinBox *, 4> mouseAxisSpins(const Ui::MainWindow *ui)
{
    return {ui->mouse_spin_min, ui->mouse_spin_max, ui->mouse_spin_dead_xy, ui->mouse_spin_dead_z};
}

unsigned char spinByte(const QSpinBox *spin)
{
    return spin != nullptr ? static_cast<unsigned char>(spin->value() & 0xFF) : 0x00;
}

void setSpin(QSpinBox *spin, int value)
{
    if (spin != nullptr)
        spin->setValue(value);
}

} // namespace

// --- LED outputs --------------------------------------------------------------------------------

void MainWindow::setLEDElements(unsigned char value, unsigned char index)
{
    const ProgrammaticChange programmatic(this);
    auto *combo = findChild<QComboBox *>(QStringLiteral("led_cmb_function_%1").arg(index));
    std::array<QCheckBox *, 4> boxes {};
    for (size_t bit = 0; bit < boxes.size(); ++bit) {
        boxes[bit] = findChild<QCheckBox *>(
            QStringLiteral("led_chk_%1_%2").arg(QLatin1String(LED_MODIFIER_NAMES[bit])).arg(index));
    }

    for (QCheckBox *box : boxes) {
        if (box != nullptr) {
            box->setEnabled(false);
            box->setChecked(false);
        }
    }
    if (combo != nullptr)
        combo->setCurrentIndex(SettingsCodec::LED_OFF_ITEM);

    const SettingsCodec::LedRow row = SettingsCodec::ledRow(value);
    if (combo != nullptr)
        combo->setCurrentIndex(row.item);
    if (!row.modifiersEnabled)
        return;
    for (size_t bit = 0; bit < boxes.size(); ++bit) {
        if (boxes[bit] != nullptr) {
            boxes[bit]->setEnabled(true);
            boxes[bit]->setChecked((row.modifiers & (1U << bit)) != 0);
        }
    }
}

int MainWindow::getLEDElements(int index)
{
    const auto *combo = findChild<QComboBox *>(QStringLiteral("led_cmb_function_%1").arg(index));
    if (combo == nullptr)
        return -1;
    unsigned modifiers = 0;
    for (size_t bit = 0; bit < LED_MODIFIER_NAMES.size(); ++bit) {
        const auto *box = findChild<QCheckBox *>(
            QStringLiteral("led_chk_%1_%2").arg(QLatin1String(LED_MODIFIER_NAMES[bit])).arg(index));
        if (box != nullptr && box->isChecked())
            modifiers |= 1U << bit;
    }
    return SettingsCodec::ledCode(combo->currentIndex(), modifiers);
}

void MainWindow::onLedCmbFunctionChanged(int index, int item)
{
    const bool takesModifiers = SettingsCodec::ledItemTakesModifiers(item);
    for (const char *name : LED_MODIFIER_NAMES) {
        auto *box = findChild<QCheckBox *>(
            QStringLiteral("led_chk_%1_%2").arg(QLatin1String(name)).arg(index));
        if (box == nullptr)
            continue;
        box->setEnabled(takesModifiers);
        if (!takesModifiers)
            box->setChecked(false);
    }
}

std::array<unsigned char, MV100_BLOCK::LED> MainWindow::ledBlock()
{
    std::array<unsigned char, MV100_BLOCK::LED> block {};
    for (int n = 0; n < MV100_BLOCK::LED_OUTPUTS; ++n) {
        // A row without a valid function is stored as "not used".
        block[n] = static_cast<unsigned char>(getLEDElements(n) & 0xFF);
    }
    return block;
}

void MainWindow::applyLedBlock(const unsigned char *block)
{
    const ProgrammaticChange programmatic(this);
    for (int n = 0; n < MV100_BLOCK::LED_OUTPUTS; ++n)
        setLEDElements(block[n], static_cast<unsigned char>(n));
}

// --- Mouse --------------------------------------------------------------------------------------

void MainWindow::LoadMouseDefaults()
{
    for (QCheckBox *box : mouseOptionBoxes(ui))
        box->setChecked(false);
    for (QCheckBox *box : mouseBallisticBoxes(ui))
        box->setChecked(false);
    ui->mouse_cmb_function->setCurrentIndex(SettingsCodec::MOUSE_FUNCTION_OFF_ITEM);
    ui->mouse_spin_min->setValue(SettingsCodec::MOUSE_DEFAULT_MIN);
    ui->mouse_spin_max->setValue(SettingsCodec::MOUSE_DEFAULT_MAX);
    ui->mouse_spin_dead_xy->setValue(SettingsCodec::MOUSE_DEFAULT_DEAD_XY);
    ui->mouse_spin_dead_z->setValue(SettingsCodec::MOUSE_DEFAULT_DEAD_Z);
    for (int i = 0; i < int(SettingsCodec::MOUSE_DEFAULT_BALLISTIC.size()); ++i) {
        setSpin(findChild<QSpinBox *>(QStringLiteral("mouse_spin_balistic_%1").arg(i)),
                SettingsCodec::MOUSE_DEFAULT_BALLISTIC[i]);
    }
}

void MainWindow::on_mouse_btn_default_clicked()
{
    // A user action: it counts as an edit wherever it changes a value.
    LoadMouseDefaults();
}

std::array<unsigned char, MV100_BLOCK::MOUSE> MainWindow::mouseBlock() const
{
    using namespace SettingsCodec;
    std::array<unsigned char, MV100_BLOCK::MOUSE> block {};
    block[MOUSE_BYTE::FUNCTION] = mouseFunctionCode(ui->mouse_cmb_function->currentIndex());

    const auto options = mouseOptionBoxes(ui);
    for (size_t bit = 0; bit < options.size(); ++bit) {
        if (options[bit]->isChecked())
            block[MOUSE_BYTE::OPTIONS] |= static_cast<unsigned char>(1U << bit);
    }
    const auto axes = mouseAxisSpins(ui);
    for (size_t i = 0; i < axes.size(); ++i)
        block[MOUSE_BYTE::MIN + i] = spinByte(axes[i]);

    const auto ballistic = mouseBallisticBoxes(ui);
    for (size_t bit = 0; bit < ballistic.size(); ++bit) {
        if (ballistic[bit]->isChecked())
            block[MOUSE_BYTE::BALLISTIC_FLAGS] |= static_cast<unsigned char>(1U << bit);
    }
    for (int i = 0; i < 8; ++i) {
        block[MOUSE_BYTE::BALLISTIC_TABLE + i]
            = spinByte(findChild<QSpinBox *>(QStringLiteral("mouse_spin_balistic_%1").arg(i)));
    }
    return block;
}

void MainWindow::applyMouseBlock(const unsigned char *block)
{
    using namespace SettingsCodec;
    const ProgrammaticChange programmatic(this);
    ui->mouse_cmb_function->setCurrentIndex(mouseFunctionItem(block[MOUSE_BYTE::FUNCTION]));

    // Clear bits leave their boxes as they are: loads start from the reset state.
    const auto options = mouseOptionBoxes(ui);
    for (size_t bit = 0; bit < options.size(); ++bit) {
        if ((block[MOUSE_BYTE::OPTIONS] & (1U << bit)) != 0)
            options[bit]->setChecked(true);
    }
    const auto axes = mouseAxisSpins(ui);
    for (size_t i = 0; i < axes.size(); ++i)
        axes[i]->setValue(block[MOUSE_BYTE::MIN + i]);

    const auto ballistic = mouseBallisticBoxes(ui);
    for (size_t bit = 0; bit < ballistic.size(); ++bit) {
        if ((block[MOUSE_BYTE::BALLISTIC_FLAGS] & (1U << bit)) != 0)
            ballistic[bit]->setChecked(true);
    }
    for (int i = 0; i < 8; ++i) {
        setSpin(findChild<QSpinBox *>(QStringLiteral("mouse_spin_balistic_%1").arg(i)),
                block[MOUSE_BYTE::BALLISTIC_TABLE + i]);
    }
}

// --- Backlight ----------------------------------------------------------------------------------

namespace {
// Rows DAC 0, DAC 1, PWM 0, PWM 1, PWM 2: Init values first, then Step, then Flags.
constexpr std::array<const char *, 3> BACKLIGHT_COLUMNS = {"init", "step", "flags"};
} // namespace

std::array<unsigned char, MV100_BLOCK::BACKLIGHT> MainWindow::backlightBlock() const
{
    std::array<unsigned char, MV100_BLOCK::BACKLIGHT> block {};
    for (size_t column = 0; column < BACKLIGHT_COLUMNS.size(); ++column) {
        for (int row = 0; row < MV100_BLOCK::BACKLIGHT_OUTPUTS; ++row) {
            const auto *spin
                = findChild<QSpinBox *>(QStringLiteral("backlight_spin_%1_%2")
                                            .arg(QLatin1String(BACKLIGHT_COLUMNS[column]))
                                            .arg(row));
            block[column * MV100_BLOCK::BACKLIGHT_OUTPUTS + row] = spinByte(spin);
        }
    }
    return block;
}

void MainWindow::applyBacklightBlock(const unsigned char *block)
{
    const ProgrammaticChange programmatic(this);
    for (size_t column = 0; column < BACKLIGHT_COLUMNS.size(); ++column) {
        for (int row = 0; row < MV100_BLOCK::BACKLIGHT_OUTPUTS; ++row) {
            auto *spin = findChild<QSpinBox *>(QStringLiteral("backlight_spin_%1_%2")
                                                   .arg(QLatin1String(BACKLIGHT_COLUMNS[column]))
                                                   .arg(row));
            setSpin(spin, block[column * MV100_BLOCK::BACKLIGHT_OUTPUTS + row]);
        }
    }
}

// --- Lock keys, lock mode, debounce -------------------------------------------------------------

unsigned char MainWindow::lockKeyByte() const
{
    return SettingsCodec::lockKeyByte(ui->lockkeys_cmb_fn1->currentIndex(),
                                      ui->lockkeys_cmb_fn2->currentIndex());
}

void MainWindow::applyLockKeyByte(unsigned char value)
{
    const ProgrammaticChange programmatic(this);
    ui->lockkeys_cmb_fn1->setCurrentIndex(SettingsCodec::lockKeyFn1Item(value));
    ui->lockkeys_cmb_fn2->setCurrentIndex(SettingsCodec::lockKeyFn2Item(value));
}

unsigned char MainWindow::lockModeByte() const
{
    return ui->main_cmb_lock->currentIndex() == 1 ? 0x01 : 0x00;
}

unsigned char MainWindow::debounceByte() const
{
    return spinByte(ui->spin_debounce);
}

// --- PIN ----------------------------------------------------------------------------------------

bool MainWindow::pinCheck(QString pin)
{
    return pin.size() == 2 * MV100::PIN_SIZE && isHex(pin);
}

void MainWindow::on_btn_pin_default_clicked()
{
    ui->main_edit_pin->setText(QString::fromLatin1(MV100_PIN::STRING));
}

void MainWindow::on_pin_btn_default_clicked()
{
    ui->pin_edit_pin->setText(QString::fromLatin1(MV100_PIN::STRING));
}

// --- Unsaved changes ----------------------------------------------------------------------------

void MainWindow::connectSettingEdits()
{
    // Every control that a configuration file stores; main_edit_pin (the PIN the device has
    // now) is not stored and stays out.
    connect(ui->pin_edit_pin, &QLineEdit::textChanged, this, &MainWindow::onSettingEdited);
    connect(ui->custom_edit, &QLineEdit::textChanged, this, &MainWindow::onSettingEdited);
    connect(ui->main_cmb_lock, &QComboBox::currentIndexChanged, this, &MainWindow::onSettingEdited);

    const QList<QWidget *> storedTabs
        = {ui->tab_mouse, ui->tab_lock_keys, ui->tab_backlight, ui->tab_outputs, ui->tab_debounce};
    for (QWidget *tab : storedTabs) {
        for (QComboBox *combo : tab->findChildren<QComboBox *>())
            connect(combo, &QComboBox::currentIndexChanged, this, &MainWindow::onSettingEdited);
        for (QSpinBox *spin : tab->findChildren<QSpinBox *>())
            connect(spin, &QSpinBox::valueChanged, this, &MainWindow::onSettingEdited);
        for (QCheckBox *box : tab->findChildren<QCheckBox *>())
            connect(box, &QCheckBox::toggled, this, &MainWindow::onSettingEdited);
    }
}

void MainWindow::onSettingEdited()
{
    if (m_programmatic == 0)
        m_changed = true;
}
