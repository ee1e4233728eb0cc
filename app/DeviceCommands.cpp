// DeviceCommands: the device commands Read, Write, Erase and Get Info of the window, their
// questions, progress and boxes, over the transfers of the device layer.
#include "DeviceCommands.h"
#include "ui_mainwindow.h"

#include "ConfigDocument.h"
#include "HexText.h"
#include "MainWindow.h"
#include "Mv100Transfer.h"
#include "TransferProgress.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>

#include <memory>

DeviceCommands::DeviceCommands(QWidget *window, Ui::MainWindow *ui, ConfigDocument *document,
                               std::function<bool(const QString &)> confirmDiscard)
    : QObject(window)
    , m_window(window)
    , ui(ui)
    , m_document(document)
    , m_confirmDiscard(std::move(confirmDiscard))
{
}

namespace {
QString fromWide(const wchar_t *text)
{
    return QString::fromWCharArray(text);
}

QString eraseErrorText(unsigned char detail)
{
    switch (detail) {
    case 1:
        return DeviceCommands::tr("Error: Block numer is out of range");
    case 2:
        return DeviceCommands::tr("Error: Erasecount could not written");
    case 3:
        return DeviceCommands::tr("Error: Erase/Write failed");
    case 4:
        return DeviceCommands::tr("Error: Device is locked");
    default:
        return DeviceCommands::tr("Error: ");
    }
}

} // namespace

// --- Actions ------------------------------------------------------------------------------------

bool DeviceCommands::checkPins(bool withNewPin)
{
    // The fields' validators admit hex digits only, but a text set by the program is not
    // validated: the whole text is checked before anything is sent.
    if (!isPinText(m_document->devicePin())) {
        QMessageBox::warning(m_window, tr("PIN Error"), tr("The PIN must be 16 characters long."));
        return false;
    }
    if (withNewPin && !isPinText(m_document->config().settings().newPin)) {
        QMessageBox::warning(m_window, tr("PIN Error"), tr("The new PIN must be 16 characters long."));
        return false;
    }
    return true;
}

void DeviceCommands::showTransferResult(unsigned short result)
{
    if (result != MV100::RESULT_SUCCESS) {
        QMessageBox::warning(m_window, tr("Error"),
                             fromWide(CMorvantide100::GetReturnErrorText(result)));
        return;
    }
    QMessageBox::information(m_window, tr("Success"), tr("The data was successfully transferred."));
}

void DeviceCommands::read()
{
    if (!checkPins(false))
        return;
    // A read replaces the whole configuration.
    if (!m_confirmDiscard(tr("Read")))
        return;
    const unsigned short result = readDevice();
    // ReadMv100 has said itself why it could not reach the device.
    if (result == MV100::RESULT_OPEN)
        return;
    showTransferResult(result);
}

void DeviceCommands::write()
{
    if (!checkPins(true))
        return;
    if (m_document->config().settings().lockMode == 1) {
        QMessageBox box(QMessageBox::Question, tr("Lock MV100"),
                        tr("Do you really want to lock the Morvantide100?\nYou can not read/write "
                           "any data until you erase the device."),
                        QMessageBox::NoButton, m_window);
        const QPushButton *lock = box.addButton(tr("Yes, lock"), QMessageBox::YesRole);
        box.addButton(tr("Cancel"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() != lock)
            return;
    }
    showTransferResult(writeDevice());
}

void DeviceCommands::erase()
{
    if (!checkPins(false))
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
    eraseDevice();
}

void DeviceCommands::info()
{
    infoDevice();
    ui->tabWidget->setCurrentWidget(ui->tab_info);
}

// --- Device operations --------------------------------------------------------------------------

void DeviceCommands::showDeviceInfo(const Mv100DeviceInfo &info)
{
    QString customData;
    for (const std::uint8_t byte : info.customData)
        customData += QString::asprintf("%02X ", byte);
    ui->info_label_customdata->setText(customData);
    ui->info_label_lock->setText(info.locked ? tr("Locked") : tr("Unlocked"));
    ui->info_label_erasecount->setText(QString::asprintf("%d", int(info.eraseCount)));
    ui->info_label_sn->setText(QString::asprintf("%08x", unsigned(info.serial)));
    ui->info_label_ver->setText(QString::asprintf("%04X", unsigned(info.version) & 0xFFFF));
    ui->info_label_vid->setText(
        QString::asprintf("0x%04X (%d)", MV100::VENDOR_ID, int(MV100::VENDOR_ID)));
    ui->info_label_pid->setText(
        QString::asprintf("0x%04X (%d)", MV100::PRODUCT_ID, int(MV100::PRODUCT_ID)));
}

unsigned short DeviceCommands::readDevice()
{
    std::unique_ptr<TransferProgress> progress;
    Mv100Transfer transfer([&progress]() { progress->step(); });
    if (!transfer.Open()) {
        QMessageBox::critical(m_window, tr("Error"), tr("No Device or too many devices found"));
        return MV100::RESULT_OPEN;
    }

    Mv100Config config = m_document->config();
    Mv100DeviceInfo info;
    unsigned short result;
    progress = std::make_unique<TransferProgress>(m_window, tr("Read"),
                                                  tr("Reading from the Morvantide100 ..."),
                                                  Mv100Transfer::READ_STEPS);
    result = transfer.Read(Mv100Transfer::pinBytes(m_document->devicePin()), config, &info);
    progress.reset();
    transfer.Close();
    if (result == MV100::RESULT_OPEN) {
        QMessageBox::warning(m_window, tr("Error"),
                             fromWide(CMorvantide100::GetReturnErrorText(result)));
        return result;
    }
    if (result != MV100::RESULT_SUCCESS)
        return result;

    // Only a complete read gets here: the editor takes the device's content whole, as one step
    // that Undo takes back, and then shows the device: nothing is unsaved.
    showDeviceInfo(info);
    m_document->replaceConfig(config, tr("Read from Device"));
    m_document->undoStack()->setClean();
    return MV100::RESULT_SUCCESS;
}

unsigned short DeviceCommands::writeDevice()
{
    const Mv100Config config = m_document->config();
    const bool lock = config.settings().lockMode == 1;
    std::unique_ptr<TransferProgress> progress;
    Mv100Transfer transfer([&progress]() { progress->step(); });
    if (!transfer.Open())
        return MV100::RESULT_OPEN;
    progress = std::make_unique<TransferProgress>(m_window, tr("Write"),
                                                  tr("Writing to the Morvantide100 ..."),
                                                  Mv100Transfer::WRITE_STEPS);
    const unsigned short result
        = transfer.Write(config, Mv100Transfer::pinBytes(m_document->devicePin()), lock);
    progress.reset();
    transfer.Close();
    return result;
}

void DeviceCommands::eraseDevice()
{
    Mv100Transfer transfer;
    if (!transfer.Open()) {
        QMessageBox::critical(m_window, tr("USB Error"), tr("Morvantide100 was not found."));
        return;
    }
    std::uint8_t detail = 0;
    Mv100Transfer::EraseOutcome outcome;
    {
        const WaitCursor wait;
        outcome = transfer.Erase(Mv100Transfer::pinBytes(m_document->devicePin()), &detail);
    }
    transfer.Close();

    if (outcome == Mv100Transfer::EraseOutcome::NoAnswer) {
        QMessageBox::warning(m_window, tr("USB Error"),
                             tr("The device's storage could not be cleared."));
        return;
    }
    if (outcome == Mv100Transfer::EraseOutcome::Refused) {
        QMessageBox::critical(m_window, tr("Error"), eraseErrorText(detail));
        return;
    }
    QMessageBox::information(m_window, tr("Success"),
                             tr("Morvantide100 storage has been successfully cleared"));
}

void DeviceCommands::infoDevice()
{
    Mv100Transfer transfer;
    if (!transfer.Open())
        return;
    Mv100DeviceInfo info;
    bool answered;
    {
        const WaitCursor wait;
        answered = transfer.Info(info);
    }
    transfer.Close();

    if (!answered) {
        QMessageBox::information(m_window, tr("Device Error"), tr("No Morvantide100 present"));
        return;
    }
    showDeviceInfo(info);
}
