// MainWindow: the 256 lines of a configuration file, taken from and spread over the editor.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "HexText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {
// Line numbers of the items of a configuration file.
namespace LINE {
constexpr int PIN = 0;
constexpr int CUSTOM_DATA = 1;
constexpr int LOCK_KEYS = 2;
constexpr int MOUSE = 3;
constexpr int BACKLIGHT = 4;
constexpr int LED = 5;
constexpr int LOCK_MODE = 6;
constexpr int FIRST_BLOCK = 7;
constexpr int LAST_BLOCK = FIRST_BLOCK + MV100::BLOCK_COUNT - 1; // 254
constexpr int DEBOUNCE = LAST_BLOCK + 1; // 255
} // namespace LINE

constexpr int FULL_LINE_COUNT = LINE::DEBOUNCE + 1; // 256
// Older files end with the image; their debounce time is the default.
constexpr int MIN_LINE_COUNT = LINE::LAST_BLOCK + 1; // 255
constexpr int DEFAULT_DEBOUNCE = 3;
constexpr int PIN_DIGITS = 2 * MV100::PIN_SIZE;
constexpr int CUSTOM_DATA_DIGITS = 2 * MV100::CUSTOM_DATA_SIZE;
constexpr int BLOCK_DIGITS = 2 * MV100::BLOCK_SIZE;
// Settings lines are decoded into a buffer larger than any block; what a line leaves out is 0.
constexpr int DECODE_BUFFER_SIZE = 32;

using DecodeBuffer = std::array<unsigned char, DECODE_BUFFER_SIZE>;

QString byteText(unsigned char value)
{
    return bytesToHex(&value, 1);
}

template<std::size_t N> QString blockText(const std::array<unsigned char, N> &block)
{
    return bytesToHex(block.data(), int(N));
}

// A number line (lock keys, lock mode, debounce): one that does not parse counts as 0.
unsigned numberOf(const QString &line)
{
    bool ok = false;
    const uint value = line.toUInt(&ok, 16);
    return ok ? value : 0;
}

DecodeBuffer decodeBlock(const QString &line)
{
    DecodeBuffer buffer {};
    splitString(line, buffer.data(), DECODE_BUFFER_SIZE);
    return buffer;
}

bool isHexUpTo(const QString &text, int maxDigits)
{
    return text.size() <= maxDigits && isHex(text);
}
} // namespace

QList<QString> MainWindow::GetItems()
{
    QList<QString> items;
    items.reserve(FULL_LINE_COUNT);

    // An empty field would give an empty line, which reading skips, and every later line would
    // move up by one: an empty field is stored as its default instead.
    const QString pin = ui->pin_edit_pin->text();
    items.append(pin.isEmpty() ? QString::fromLatin1(MV100_PIN::STRING) : pin);
    const QString customData = ui->custom_edit->text();
    items.append(customData.isEmpty() ? QString::fromLatin1(MV100_CUSTOMDATA::STRING) : customData);

    items.append(byteText(lockKeyByte()));
    items.append(blockText(mouseBlock()));
    items.append(blockText(backlightBlock()));
    items.append(blockText(ledBlock()));
    items.append(byteText(lockModeByte()));

    m_config.BuildMemory();
    const std::vector<unsigned char> image = m_config.GetMemoryData();
    for (int block = 0; block < MV100::BLOCK_COUNT; ++block)
        items.append(bytesToHex(image.data() + block * MV100::BLOCK_SIZE, MV100::BLOCK_SIZE));

    items.append(byteText(debounceByte()));
    return items;
}

QString MainWindow::checkItems(const QList<QString> &items)
{
    if (items.size() < MIN_LINE_COUNT) {
        return tr("it has %1 lines, but a configuration has %2.")
            .arg(items.size())
            .arg(FULL_LINE_COUNT);
    }
    if (!isHexUpTo(items[LINE::PIN], PIN_DIGITS))
        return tr("the PIN (line 1) is not 1 to 16 hexadecimal digits.");
    if (!isHexUpTo(items[LINE::CUSTOM_DATA], CUSTOM_DATA_DIGITS))
        return tr("the custom data (line 2) is not 1 to 32 hexadecimal digits.");
    // A short or damaged image line would shift every later byte of the key tables and macros.
    for (int line = LINE::FIRST_BLOCK; line <= LINE::LAST_BLOCK; ++line) {
        const QString &block = items[line];
        if (block.size() != BLOCK_DIGITS || !isHex(block))
            return tr("line %1 is not a memory block of 64 hexadecimal digits.").arg(line + 1);
    }
    return {};
}

void MainWindow::SetItems(QList<QString> items)
{
    if (!checkItems(items).isEmpty())
        return;
    // Loading is not an edit: the widgets change, the unsaved-changes flag does not.
    ProgrammaticChange guard(this);

    // The saved PIN becomes the device's PIN too: after a Write the device has it.
    ui->main_edit_pin->setText(items[LINE::PIN]);
    ui->pin_edit_pin->setText(items[LINE::PIN]);
    ui->custom_edit->setText(items[LINE::CUSTOM_DATA]);

    // FN1 in the low nibble, FN2 above it; a value wider than a byte names no FN2 item.
    const unsigned lockKeys = numberOf(items[LINE::LOCK_KEYS]);
    applyLockKeyByte(static_cast<unsigned char>(lockKeys <= 0xFF ? lockKeys : lockKeys & 0x0F));

    applyMouseBlock(decodeBlock(items[LINE::MOUSE]).data());
    applyBacklightBlock(decodeBlock(items[LINE::BACKLIGHT]).data());
    applyLedBlock(decodeBlock(items[LINE::LED]).data());

    // Only "Unlock" and "Lock" exist; another value would leave the list without a choice.
    const int lockMode = int(numberOf(items[LINE::LOCK_MODE]) & 0xFF);
    ui->main_cmb_lock->setCurrentIndex(lockMode < ui->main_cmb_lock->count() ? lockMode : 0);

    // The spin box clamps a value outside its range (00 shows 1).
    ui->spin_debounce->setValue(items.size() == FULL_LINE_COUNT
                                    ? int(numberOf(items[LINE::DEBOUNCE]) & 0xFF)
                                    : DEFAULT_DEBOUNCE);

    std::vector<unsigned char> image;
    image.reserve(MV100::MEMORY_SIZE);
    for (int line = LINE::FIRST_BLOCK; line <= LINE::LAST_BLOCK; ++line) {
        const std::vector<unsigned char> bytes = hexStringToBytes(items[line]);
        image.insert(image.end(), bytes.begin(), bytes.end());
    }
    CMorvantide100 loaded;
    loaded.SetMemory(std::move(image));
    loaded.BuildKeytable();
    loaded.BuildMacros();

    for (int y = 0; y < MV100::ROWS; ++y) {
        for (int x = 0; x < MV100::COLUMNS; ++x) {
            for (int layer = 0; layer < MV100::LAYERS; ++layer) {
                setButton(layer, x, y,
                          static_cast<unsigned short>(loaded.GetKeyCode(
                              static_cast<unsigned char>(layer), static_cast<unsigned char>(x),
                              static_cast<unsigned char>(y))));
            }
        }
    }
    m_config.ClearAll();
    m_config = loaded;
}
