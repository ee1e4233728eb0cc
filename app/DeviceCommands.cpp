// DeviceCommands: the device commands of the window, their questions, progress, boxes and status
// line, over the transfers of the device layer.
#include "DeviceCommands.h"

#include "BackupStore.h"
#include "ConfigDocument.h"
#include "DeviceMessages.h"
#include "HexText.h"
#include "Startup.h"
#include "TransferProgress.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTime>
#include <QUrl>

#include <memory>

DeviceCommands::DeviceCommands(QMainWindow *window, ConfigDocument *document,
                               std::function<bool(const QString &)> confirmDiscard,
                               std::function<void(const QString &)> openFile)
    : QObject(window)
    , m_window(window)
    , m_document(document)
    , m_confirmDiscard(std::move(confirmDiscard))
    , m_openFile(std::move(openFile))
{
    m_status = new QLabel(window);
    m_status->setObjectName(QStringLiteral("label_device_status"));
    window->statusBar()->addWidget(m_status);
}

void DeviceCommands::createActions(QMenu *fileMenu, QAction *beforeExit, QMenu *optionsMenu)
{
    const auto option = [this, optionsMenu](const char *name, const QString &text,
                                            const char *key) {
        auto *action = new QAction(text, m_window);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setChecked(Startup::settingsStore().value(QLatin1String(key), true).toBool());
        connect(action, &QAction::toggled, this,
                [key](bool on) { Startup::settingsStore().setValue(QLatin1String(key), on); });
        optionsMenu->addAction(action);
        return action;
    };
    optionsMenu->addSeparator();
    m_backupAction = option("actionBackupBeforeWrite", tr("Back Up Before Writing"), KEY_BACKUP);
    m_verifyAction = option("actionVerifyAfterWrite", tr("Verify After Writing"), KEY_VERIFY);

    auto *restore = new QAction(tr("Restore Backup…"), m_window);
    restore->setObjectName(QStringLiteral("actionRestoreBackup"));
    connect(restore, &QAction::triggered, this, [this]() {
        if (!m_confirmDiscard(tr("Restore Backup")))
            return;
        const QString folder = BackupStore().folder();
        QDir().mkpath(folder);
        const QString file = QFileDialog::getOpenFileName(
            m_window, tr("Restore Backup"), folder, tr("MV100 Files (*.mv100);;All Files (*)"));
        if (!file.isEmpty())
            m_openFile(file);
    });
    auto *folder = new QAction(tr("Open Backups Folder"), m_window);
    folder->setObjectName(QStringLiteral("actionOpenBackupsFolder"));
    connect(folder, &QAction::triggered, this, []() {
        const QString path = BackupStore().folder();
        QDir().mkpath(path);
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    });
    fileMenu->insertActions(beforeExit, {restore, folder});
    fileMenu->insertSeparator(beforeExit);
}

SafeWriteOptions DeviceCommands::writeOptions() const
{
    SafeWriteOptions options;
    options.backup = m_backupAction->isChecked();
    options.verify = m_verifyAction->isChecked();
    options.lock = m_document->config().settings().lockMode == 1;
    return options;
}

QString DeviceCommands::status() const
{
    return m_status->text();
}

void DeviceCommands::setStatus(const QString &outcome)
{
    m_status->setText(
        tr("%1 %2").arg(outcome, QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
}

void DeviceCommands::box(int icon, const QString &title, const QString &text,
                         const QString &informative)
{
    QMessageBox message(QMessageBox::Icon(icon), title, text, QMessageBox::Ok, m_window);
    if (!informative.isEmpty())
        message.setInformativeText(informative);
    message.exec();
}

bool DeviceCommands::checkPins(bool withNewPin)
{
    // The fields' validators admit hex digits only, but a text set by the program is not
    // validated: the whole text is checked before anything is sent.
    if (!isPinText(m_document->devicePin())) {
        QMessageBox::warning(m_window, tr("PIN Error"), tr("The PIN must be 16 characters long."));
        return false;
    }
    if (withNewPin && !isPinText(m_document->config().settings().newPin)) {
        QMessageBox::warning(m_window, tr("PIN Error"),
                             tr("The new PIN must be 16 characters long."));
        return false;
    }
    return true;
}

// --- Read ---------------------------------------------------------------------------------------

void DeviceCommands::read()
{
    if (!checkPins(false))
        return;
    // A read replaces the whole configuration.
    if (!m_confirmDiscard(tr("Read")))
        return;
    const unsigned short result = readDevice();
    // readDevice has said itself why it could not reach the device or what its zeros mean.
    if (result == MV100::RESULT_OPEN || (result == MV100::RESULT_SUCCESS && m_lastReadAllZero))
        return;
    if (result != MV100::RESULT_SUCCESS) {
        box(QMessageBox::Warning, tr("Error"), DeviceMessages::resultText(result), QString());
        return;
    }
    QMessageBox::information(m_window, tr("Success"), tr("The data was successfully transferred."));
}

unsigned short DeviceCommands::readDevice()
{
    m_lastReadAllZero = false;
    std::unique_ptr<TransferProgress> progress;
    Mv100Transfer transfer([&progress]() { progress->step(); });
    if (!transfer.Open()) {
        box(QMessageBox::Critical, tr("Error"), tr("No Device or too many devices found"),
            DeviceMessages::noDeviceExplanation());
        setStatus(tr("Read failed: %1").arg(DeviceMessages::resultText(MV100::RESULT_OPEN)));
        return MV100::RESULT_OPEN;
    }
    Mv100Config config = m_document->config();
    Mv100DeviceInfo info;
    progress = std::make_unique<TransferProgress>(
        m_window, tr("Read"), tr("Reading from the Morvantide100 ..."), Mv100Transfer::READ_STEPS);
    const unsigned short result
        = transfer.Read(Mv100Transfer::pinBytes(m_document->devicePin()), config, &info);
    progress.reset();
    transfer.Close();
    if (result != MV100::RESULT_SUCCESS) {
        setStatus(tr("Read failed: %1").arg(DeviceMessages::resultText(result)));
        if (result == MV100::RESULT_OPEN) {
            box(QMessageBox::Warning, tr("Error"), DeviceMessages::resultText(result),
                DeviceMessages::noDeviceExplanation());
        }
        return result;
    }

    // Only a complete read gets here: the editor takes the device's content whole, as one step
    // that Undo takes back, and then shows the device: nothing is unsaved, and Save asks for a
    // name.
    emit deviceInfoRead(info);
    m_document->replaceConfig(config, tr("Read from Device"));
    // The editor now holds the chip's configuration, which no file holds yet.
    m_document->markSaved(QString());
    m_lastReadAllZero = transfer.lastReadAllZero();
    if (m_lastReadAllZero) {
        box(QMessageBox::Warning, tr("Read"),
            tr("The chip's memory image and settings came back all zero."),
            DeviceMessages::allZeroRead());
        setStatus(tr("Read (all zero)"));
        return MV100::RESULT_SUCCESS;
    }
    setStatus(tr("Read"));
    return MV100::RESULT_SUCCESS;
}

// --- Write --------------------------------------------------------------------------------------

void DeviceCommands::write()
{
    if (!checkPins(true))
        return;
    if (m_document->config().settings().lockMode == 1) {
        QMessageBox question(QMessageBox::Question, tr("Lock MV100"),
                             tr("Do you really want to lock the Morvantide100?\nYou can not "
                                "read/write any data until you erase the device."),
                             QMessageBox::NoButton, m_window);
        const QPushButton *lock = question.addButton(tr("Yes, lock"), QMessageBox::YesRole);
        question.addButton(tr("Cancel"), QMessageBox::RejectRole);
        question.exec();
        if (question.clickedButton() != lock)
            return;
    }
    writeDevice();
    showWriteOutcome();
}

bool DeviceCommands::confirmWriteWithoutBackup(const SafeWriteOutcome &outcome)
{
    const QString reason = outcome.backupReadResult != MV100::RESULT_SUCCESS
        ? DeviceMessages::resultText(outcome.backupReadResult)
        : outcome.backupError;
    QMessageBox question(
        QMessageBox::Warning, tr("Back Up Before Writing"),
        tr("The chip's configuration could not be backed up: %1\nWrite anyway?").arg(reason),
        QMessageBox::NoButton, m_window);
    const QPushButton *write = question.addButton(tr("Write Anyway"), QMessageBox::AcceptRole);
    question.addButton(tr("Cancel"), QMessageBox::RejectRole);
    question.exec();
    return question.clickedButton() == write;
}

unsigned short DeviceCommands::writeDevice()
{
    const SafeWriteOptions options = writeOptions();
    m_lastWrite = SafeWriteOutcome();
    std::unique_ptr<TransferProgress> progress;
    Mv100Transfer transfer([&progress]() {
        if (progress)
            progress->step();
    });
    if (!transfer.Open()) {
        m_lastWrite.result = MV100::RESULT_OPEN;
        return m_lastWrite.result;
    }
    progress = std::make_unique<TransferProgress>(
        m_window, tr("Write"), tr("Writing to the Morvantide100 ..."), safeWriteSteps(options));
    m_lastWrite = safeWrite(transfer, m_document->config(), m_document->devicePin(), options,
                            [this, &progress](const SafeWriteOutcome &outcome) {
                                // The question is not asked over the progress dialog.
                                progress.reset();
                                return confirmWriteWithoutBackup(outcome);
                            });
    progress.reset();
    transfer.Close();
    return m_lastWrite.result;
}

void DeviceCommands::showWriteOutcome()
{
    const SafeWriteOutcome &w = m_lastWrite;
    if (w.cancelled) {
        setStatus(tr("Write cancelled"));
        return;
    }
    const QString backupNote = w.backupMade
        ? tr("A backup of the chip's previous content was saved as %1.")
              .arg(QDir::toNativeSeparators(w.backupFile))
        : QString();
    if (w.result != MV100::RESULT_SUCCESS) {
        setStatus(tr("Write failed: %1").arg(DeviceMessages::resultText(w.result)));
        const QString failure = DeviceMessages::writeFailure(w);
        box(QMessageBox::Warning, tr("Error"), DeviceMessages::resultText(w.result),
            w.partlyWritten() ? failure : (failure + QLatin1Char(' ') + backupNote).trimmed());
        return;
    }
    if (w.verifyReadResult != MV100::RESULT_SUCCESS) {
        const QString text = tr("The data was written, but it could not be read back to verify "
                                "it: %1")
                                 .arg(DeviceMessages::resultText(w.verifyReadResult));
        setStatus(tr("Write failed: %1").arg(text));
        box(QMessageBox::Warning, tr("Error"), text, backupNote);
        return;
    }
    if (!w.verifyDifference.isEmpty()) {
        const QString text = tr("The data was written, but the chip holds something else: the "
                                "first difference is in the %1.")
                                 .arg(w.verifyDifference);
        setStatus(tr("Write failed: %1").arg(text));
        box(QMessageBox::Warning, tr("Error"), text,
            (tr("Write again; if the difference stays, the chip does not keep what is written.")
             + QLatin1Char(' ') + backupNote)
                .trimmed());
        return;
    }
    if (w.verified) {
        setStatus(tr("Written and verified"));
        box(QMessageBox::Information, tr("Success"),
            tr("The data was successfully transferred and verified."), backupNote);
        return;
    }
    setStatus(tr("Written"));
    const QString lockNote = w.verifySkippedLocked
        ? tr("The chip was locked by this Write, so it could not be read back to verify it.")
        : QString();
    box(QMessageBox::Information, tr("Success"), tr("The data was successfully transferred."),
        (lockNote + QLatin1Char(' ') + backupNote).trimmed());
}

// --- Erase and Get Info -------------------------------------------------------------------------

void DeviceCommands::erase()
{
    if (!checkPins(false))
        return;
    // Asked without a parent window, as a question of its own.
    QMessageBox question(QMessageBox::Question, tr("Erase MV100"),
                         tr("Do you really want to clear the Morvantide100?\nAll data will be "
                            "lost and the PIN will set to default."));
    const QPushButton *erase = question.addButton(tr("Erase"), QMessageBox::YesRole);
    question.addButton(tr("Cancel"), QMessageBox::NoRole);
    question.exec();
    if (question.clickedButton() != erase)
        return;
    eraseDevice();
}

void DeviceCommands::eraseDevice()
{
    Mv100Transfer transfer;
    if (!transfer.Open()) {
        setStatus(tr("Erase failed: %1").arg(tr("Morvantide100 was not found.")));
        box(QMessageBox::Critical, tr("USB Error"), tr("Morvantide100 was not found."),
            DeviceMessages::noDeviceExplanation());
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
        setStatus(tr("Erase failed: %1").arg(tr("The device's storage could not be cleared.")));
        QMessageBox::warning(m_window, tr("USB Error"),
                             tr("The device's storage could not be cleared."));
        return;
    }
    if (outcome == Mv100Transfer::EraseOutcome::Refused) {
        setStatus(tr("Erase failed: %1").arg(DeviceMessages::eraseErrorText(detail)));
        // Details 3 and 4 are what the chip answers a PIN it does not take.
        box(QMessageBox::Critical, tr("Error"), DeviceMessages::eraseErrorText(detail),
            detail == 3 || detail == 4 ? DeviceMessages::pinRefused() : QString());
        return;
    }
    setStatus(tr("Erased"));
    QMessageBox::information(m_window, tr("Success"),
                             tr("Morvantide100 storage has been successfully cleared"));
}

void DeviceCommands::infoDevice()
{
    Mv100Transfer transfer;
    if (!transfer.Open()) {
        // Get Info shows no box for a missing chip: the status line says why.
        setStatus(tr("Get Info failed: %1").arg(DeviceMessages::noDeviceExplanation()));
        return;
    }
    Mv100DeviceInfo info;
    bool answered;
    {
        const WaitCursor wait;
        answered = transfer.Info(info);
    }
    transfer.Close();

    if (!answered) {
        setStatus(tr("Get Info failed: %1").arg(tr("No Morvantide100 present")));
        QMessageBox::information(m_window, tr("Device Error"), tr("No Morvantide100 present"));
        return;
    }
    setStatus(tr("Info read"));
    emit deviceInfoRead(info);
}
