// MainWindow: the device transfers Read, Write, Erase and Get Info, and the boxes that report them.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "HexText.h"
#include "TransferProgress.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>
#include <array>

namespace {
using Answer = std::array<unsigned char, MV100::REPORT_IN_SIZE>;
using PinBytes = std::array<unsigned char, MV100::PIN_SIZE>;

constexpr unsigned short UNLOCKED_WORD = 0xFFFF;
// Answer offsets of the LED answer: the lock-key byte, the LED block, the backlight block.
constexpr int LED_ANSWER_LOCK_KEYS = 4;
constexpr int LED_ANSWER_LED = 6;
constexpr int LED_ANSWER_BACKLIGHT = 14;
constexpr int ERASE_ANSWER_FLAG = 1;
constexpr int ERASE_ANSWER_DETAIL = 2;
constexpr int MOUSE_PAYLOAD_SIZE = 32;

// Steps the progress counts: every command, and every block of the memory image.
constexpr int READ_COMMANDS = 4; // info, mouse, LED, debounce
constexpr int WRITE_COMMANDS = 8; // info, erase, LED, mouse, custom data, debounce, new PIN, lock
constexpr int READ_STEPS = READ_COMMANDS + MV100::BLOCK_COUNT;
constexpr int WRITE_STEPS = WRITE_COMMANDS + MV100::BLOCK_COUNT;

// An answer buffer that reads as "locked" and "no erase error" when no answer arrives.
Answer prefilledAnswer()
{
    Answer answer {};
    answer[0] = 0xFF;
    return answer;
}

unsigned word(const Answer &answer, int offset)
{
    return unsigned(answer[offset]) | unsigned(answer[offset + 1]) << 8;
}

bool isLocked(const Answer &info)
{
    return word(info, MV100::INFO_LOCK_WORD) != UNLOCKED_WORD;
}

// A version without device information reads as 0xCCCC and is compared like any other.
bool knowsDebounce(int version)
{
    return (version & 0xFFFF) > MV100::DEBOUNCE_MIN_VERSION_EXCLUSIVE;
}

// The actions admit only 16 hex digits; a shorter text leaves zeros rather than reading past it.
PinBytes pinBytes(const QString &text)
{
    const std::vector<unsigned char> bytes = hexStringToBytes(text);
    PinBytes pin {};
    std::copy_n(bytes.begin(), std::min(bytes.size(), pin.size()), pin.begin());
    return pin;
}

// The digits of a field over a buffer of 0xFF: what the text leaves out stays 0xFF.
template<std::size_t N> std::array<unsigned char, N> hexFieldBytes(const QString &text)
{
    std::array<unsigned char, N> bytes;
    bytes.fill(0xFF);
    splitString(text, bytes.data(), int(N));
    return bytes;
}

QString fromWide(const wchar_t *text)
{
    return QString::fromWCharArray(text);
}

QString eraseErrorText(unsigned char detail)
{
    switch (detail) {
    case 1:
        return MainWindow::tr("Error: Block numer is out of range");
    case 2:
        return MainWindow::tr("Error: Erasecount could not written");
    case 3:
        return MainWindow::tr("Error: Erase/Write failed");
    case 4:
        return MainWindow::tr("Error: Device is locked");
    default:
        return MainWindow::tr("Error: ");
    }
}

// Fills the value labels of the info tab from an info answer.
void showDeviceInfo(Ui::MainWindow *ui, const Answer &info, int version)
{
    QString customData;
    for (int i = 0; i < MV100::CUSTOM_DATA_SIZE; ++i)
        customData += QString::asprintf("%02X ", info[MV100::INFO_CUSTOM_DATA + i]);
    ui->info_label_customdata->setText(customData);
    ui->info_label_lock->setText(isLocked(info) ? MainWindow::tr("Locked")
                                                : MainWindow::tr("Unlocked"));
    ui->info_label_erasecount->setText(
        QString::asprintf("%d", int(word(info, MV100::INFO_ERASE_COUNT))));
    const int sn = MV100::INFO_SERIAL;
    ui->info_label_sn->setText(
        QString::asprintf("%02x%02x%02x%02x", info[sn + 3], info[sn + 2], info[sn + 1], info[sn]));
    ui->info_label_ver->setText(QString::asprintf("%04X", unsigned(version) & 0xFFFF));
    ui->info_label_vid->setText(
        QString::asprintf("0x%04X (%d)", MV100::VENDOR_ID, int(MV100::VENDOR_ID)));
    ui->info_label_pid->setText(
        QString::asprintf("0x%04X (%d)", MV100::PRODUCT_ID, int(MV100::PRODUCT_ID)));
}

// One progress step per block of the memory image while it lives.
class BlockProgress
{
public:
    BlockProgress(CMorvantide100 &device, TransferProgress &progress)
        : m_device(device)
    {
        m_device.SetProgressCallback([&progress](int) { progress.step(); });
    }
    ~BlockProgress() { m_device.SetProgressCallback(nullptr); }
    BlockProgress(const BlockProgress &) = delete;
    BlockProgress &operator=(const BlockProgress &) = delete;

private:
    CMorvantide100 &m_device;
};

// Everything a Read takes from the device besides the memory image. It is held back until the
// whole read has succeeded, so that a failed read leaves the editor as it was.
struct DeviceSettings
{
    Answer info = prefilledAnswer();
    int version = 0;
    Answer mouse {};
    Answer led {};
    bool hasDebounce = false;
    unsigned char debounce = 0;
};

// The reads of one Read into settings and the device object's image, key tables and macros;
// stops at the first read that fails, with the result code of that read.
unsigned short readDevice(CMorvantide100 &device, const PinBytes &pin, TransferProgress &progress,
                          DeviceSettings &settings)
{
    // Without an answer the lock word would read as "locked": a silent device would be taken
    // for a locked one, whose only way out is an erase.
    if (device.ReadInfo(settings.info.data()) != MV100::STATUS_OK)
        return MV100::RESULT_OPEN;
    settings.version = device.GetVersion();
    progress.step();
    if (isLocked(settings.info))
        return MV100::RESULT_LOCKED;

    device.SetPin(pin[0], pin[1], pin[2], pin[3], pin[4], pin[5], pin[6], pin[7]);
    if (device.ReadMouse(settings.mouse.data()) != MV100::STATUS_OK)
        return MV100::RESULT_MOUSE;
    progress.step();
    if (device.ReadLed(settings.led.data()) != MV100::STATUS_OK)
        return MV100::RESULT_LED;
    progress.step();
    if (knowsDebounce(settings.version)) {
        Answer answer {};
        if (device.ReadDebounce(answer.data()) != MV100::STATUS_OK)
            return MV100::RESULT_DEBOUNCE;
        settings.hasDebounce = true;
        settings.debounce = answer[MV100::ANSWER_DATA];
    }
    progress.step();

    int status;
    {
        const BlockProgress blocks(device, progress);
        status = device.ReadMemoryData();
    }
    if (status != MV100::STATUS_OK)
        return MV100::RESULT_MEMORY;
    device.BuildKeytable();
    device.BuildMacros();
    return MV100::RESULT_SUCCESS;
}

// What a Write sends besides the memory image, taken from the widgets before the transfer.
struct WriteSettings
{
    PinBytes pin {};
    PinBytes newPin {};
    unsigned char lockKeys = 0;
    std::array<unsigned char, MV100_BLOCK::LED> led {};
    std::array<unsigned char, MV100_BLOCK::BACKLIGHT> backlight {};
    std::array<unsigned char, MOUSE_PAYLOAD_SIZE> mouse {};
    std::array<unsigned char, MV100::CUSTOM_DATA_SIZE> customData {};
    unsigned char debounce = 0;
    bool lock = false;
};

// The commands of one Write; stops at the first that fails, with the result code of that step.
unsigned short writeDevice(CMorvantide100 &device, const WriteSettings &settings,
                           TransferProgress &progress)
{
    Answer answer = prefilledAnswer();
    // A silent device must not pass for a locked one (see readDevice).
    if (device.ReadInfo(answer.data()) != MV100::STATUS_OK)
        return MV100::RESULT_OPEN;
    const int version = device.GetVersion();
    progress.step();
    if (isLocked(answer))
        return MV100::RESULT_LOCKED;

    const PinBytes &pin = settings.pin;
    device.SetPin(pin[0], pin[1], pin[2], pin[3], pin[4], pin[5], pin[6], pin[7]);
    // The chip refuses an erase with a wrong PIN through the error flag; everything sent after
    // it would then be refused as well, and the write would end as a false success.
    answer = prefilledAnswer();
    if (device.Erase(answer.data()) != MV100::STATUS_OK || answer[ERASE_ANSWER_FLAG] != 0)
        return MV100::RESULT_ERASE;
    progress.step();

    // After an erase the chip has the factory PIN.
    device.SetPin(MV100_PIN::BYTES.data(), MV100_PIN::BYTES.size());
    if (device.WriteLed(settings.lockKeys, settings.led.data(), settings.backlight.data(),
                        answer.data())
        != MV100::STATUS_OK)
        return MV100::RESULT_LED;
    progress.step();
    if (device.WriteMouse(settings.mouse.data(), answer.data()) != MV100::STATUS_OK)
        return MV100::RESULT_MOUSE;
    progress.step();
    if (device.WriteCustomBytes(settings.customData.data(), answer.data()) != MV100::STATUS_OK)
        return MV100::RESULT_CUSTOM_DATA;
    progress.step();

    device.BuildMemory();
    int status;
    {
        const BlockProgress blocks(device, progress);
        status = device.WriteMemoryData();
    }
    if (status != MV100::STATUS_OK)
        return MV100::RESULT_MEMORY;

    if (knowsDebounce(version)
        && device.WriteDebounce(settings.debounce, answer.data()) != MV100::STATUS_OK)
        return MV100::RESULT_DEBOUNCE;
    progress.step();
    if (device.WriteNewPin(MV100_PIN::BYTES.data(), settings.newPin.data(), answer.data())
        != MV100::STATUS_OK)
        return MV100::RESULT_NEW_PIN;
    progress.step();
    if (settings.lock) {
        // Locked with the PIN the chip has from now on.
        device.SetPin(settings.newPin.data(), settings.newPin.size());
        if (device.WriteLock(answer.data()) != MV100::STATUS_OK)
            return MV100::RESULT_LOCK;
    }
    progress.step();
    return MV100::RESULT_SUCCESS;
}
} // namespace

// --- Actions ------------------------------------------------------------------------------------

bool MainWindow::checkDevicePins(bool withNewPin)
{
    // The fields' validators admit hex digits only, but a text set by the program is not
    // validated: the whole text is checked before anything is sent.
    if (!pinCheck(ui->main_edit_pin->text())) {
        QMessageBox::warning(this, tr("PIN Error"), tr("The PIN must be 16 characters long."));
        return false;
    }
    if (withNewPin && !pinCheck(ui->pin_edit_pin->text())) {
        QMessageBox::warning(this, tr("PIN Error"), tr("The new PIN must be 16 characters long."));
        return false;
    }
    return true;
}

void MainWindow::showTransferResult(unsigned short result)
{
    if (result != MV100::RESULT_SUCCESS) {
        QMessageBox::warning(this, tr("Error"),
                             fromWide(CMorvantide100::GetReturnErrorText(result)));
        return;
    }
    QMessageBox::information(this, tr("Success"), tr("The data was successfully transferred."));
}

void MainWindow::on_actionRead_triggered()
{
    if (!checkDevicePins(false))
        return;
    // A read replaces the whole configuration.
    if (!confirmDiscardChanges(tr("Read")))
        return;
    const unsigned short result = ReadMv100();
    // ReadMv100 has said itself why it could not reach the device.
    if (result == MV100::RESULT_OPEN)
        return;
    showTransferResult(result);
}

void MainWindow::on_actionWrite_triggered()
{
    if (!checkDevicePins(true))
        return;
    if (ui->main_cmb_lock->currentIndex() == 1) {
        QMessageBox box(QMessageBox::Question, tr("Lock MV100"),
                        tr("Do you really want to lock the Morvantide100?\nYou can not read/write "
                           "any data until you erase the device."),
                        QMessageBox::NoButton, this);
        const QPushButton *lock = box.addButton(tr("Yes, lock"), QMessageBox::YesRole);
        box.addButton(tr("Cancel"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() != lock)
            return;
    }
    showTransferResult(WriteMv100());
}

void MainWindow::on_actionEmpty_triggered()
{
    if (!checkDevicePins(false))
        return;
    // Asked without a parent window, as a question of its own.
    QMessageBox box(QMessageBox::Question, tr("Erase MV100"),
                    tr("Do you really want to clear the Morvantide100?\nAll data will be lost and "
                       "the PIN will set to default."));
    const QPushButton *erase = box.addButton(tr("Erase"), QMessageBox::YesRole);
    box.addButton(tr("Cancel"), QMessageBox::NoRole);
    box.exec();
    if (box.clickedButton() != erase)
        return;
    EraseMv100();
}

void MainWindow::on_actionInfo_triggered()
{
    InfoMv100();
    ui->tabWidget->setCurrentWidget(ui->tab_info);
}

// --- Device operations --------------------------------------------------------------------------

unsigned short MainWindow::ReadMv100()
{
    CMorvantide100 device;
    if (device.Open() != 1) {
        device.Close();
        QMessageBox::critical(this, tr("Error"), tr("No Device or too many devices found"));
        return MV100::RESULT_OPEN;
    }

    DeviceSettings settings;
    unsigned short result;
    {
        TransferProgress progress(this, tr("Read"), tr("Reading from the Morvantide100 ..."),
                                  READ_STEPS);
        result = readDevice(device, pinBytes(ui->main_edit_pin->text()), progress, settings);
    }
    device.Close();
    if (result == MV100::RESULT_OPEN) {
        QMessageBox::warning(this, tr("Error"),
                             fromWide(CMorvantide100::GetReturnErrorText(result)));
        return result;
    }
    if (result != MV100::RESULT_SUCCESS)
        return result;

    // Only a complete read gets here: now the editor takes the device's content whole.
    const ProgrammaticChange guard(this);
    showDeviceInfo(ui, settings.info, settings.version);
    ui->custom_edit->setText(
        bytesToHex(settings.info.data() + MV100::INFO_CUSTOM_DATA, MV100::CUSTOM_DATA_SIZE));
    // The block sets only the boxes of set bits: start from the defaults so that the tab shows
    // the device's flags and not a mix with the ones shown before.
    LoadMouseDefaults();
    applyMouseBlock(settings.mouse.data() + MV100::ANSWER_DATA);
    applyLockKeyByte(settings.led[LED_ANSWER_LOCK_KEYS]);
    applyLedBlock(settings.led.data() + LED_ANSWER_LED);
    applyBacklightBlock(settings.led.data() + LED_ANSWER_BACKLIGHT);
    // The chip keeps the debounce time less one millisecond.
    if (settings.hasDebounce)
        ui->spin_debounce->setValue(int(settings.debounce) + 1);
    m_config = device;
    redrawAllCells();
    // The editor now shows the device: nothing is unsaved.
    m_changed = false;
    return MV100::RESULT_SUCCESS;
}

unsigned short MainWindow::WriteMv100()
{
    CMorvantide100 device;
    device = m_config;

    WriteSettings settings;
    settings.pin = pinBytes(ui->main_edit_pin->text());
    settings.newPin = hexFieldBytes<MV100::PIN_SIZE>(ui->pin_edit_pin->text());
    settings.lockKeys = lockKeyByte();
    settings.led = ledBlock();
    settings.backlight = backlightBlock();
    const auto mouse = mouseBlock();
    std::copy(mouse.begin(), mouse.end(), settings.mouse.begin());
    settings.customData = hexFieldBytes<MV100::CUSTOM_DATA_SIZE>(ui->custom_edit->text());
    settings.debounce = debounceByte();
    settings.lock = ui->main_cmb_lock->currentIndex() == 1;

    if (device.Open() != 1) {
        device.Close();
        return MV100::RESULT_OPEN;
    }
    unsigned short result;
    {
        TransferProgress progress(this, tr("Write"), tr("Writing to the Morvantide100 ..."),
                                  WRITE_STEPS);
        result = writeDevice(device, settings, progress);
    }
    device.Close();
    return result;
}

void MainWindow::EraseMv100()
{
    CMorvantide100 device;
    if (device.Open() != 1) {
        device.Close();
        QMessageBox::critical(this, tr("USB Error"), tr("Morvantide100 was not found."));
        return;
    }
    const PinBytes pin = pinBytes(ui->main_edit_pin->text());
    device.SetPin(pin[0], pin[1], pin[2], pin[3], pin[4], pin[5], pin[6], pin[7]);
    Answer answer = prefilledAnswer();
    int status;
    {
        const WaitCursor wait;
        status = device.Erase(answer.data());
    }
    device.Close();

    if (status != MV100::STATUS_OK) {
        QMessageBox::warning(this, tr("USB Error"),
                             tr("The device's storage could not be cleared."));
        return;
    }
    if (answer[ERASE_ANSWER_FLAG] != 0) {
        QMessageBox::critical(this, tr("Error"), eraseErrorText(answer[ERASE_ANSWER_DETAIL]));
        return;
    }
    QMessageBox::information(this, tr("Success"),
                             tr("Morvantide100 storage has been successfully cleared"));
}

void MainWindow::InfoMv100()
{
    CMorvantide100 device;
    if (device.Open() != 1) {
        device.Close();
        return;
    }
    Answer info {};
    int status;
    int version;
    {
        const WaitCursor wait;
        status = device.ReadInfo(info.data());
        version = device.GetVersion();
    }
    device.Close();

    if (status != MV100::STATUS_OK) {
        QMessageBox::information(this, tr("Device Error"), tr("No Morvantide100 present"));
        return;
    }
    showDeviceInfo(ui, info, version);
}
