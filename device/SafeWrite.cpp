// SafeWrite: backup, Write and verify in one sequence.
#include "SafeWrite.h"

#include "BackupStore.h"
#include "ConfigFile.h"

#include <QCoreApplication>

bool SafeWriteOutcome::partlyWritten() const
{
    switch (result) {
    case MV100::RESULT_LED:
    case MV100::RESULT_MOUSE:
    case MV100::RESULT_CUSTOM_DATA:
    case MV100::RESULT_MEMORY:
    case MV100::RESULT_DEBOUNCE:
    case MV100::RESULT_NEW_PIN:
        return true;
    default:
        return false;
    }
}

bool SafeWriteOutcome::succeeded() const
{
    return !cancelled && result == MV100::RESULT_SUCCESS
        && verifyReadResult == MV100::RESULT_SUCCESS && verifyDifference.isEmpty();
}

int safeWriteSteps(const SafeWriteOptions &options)
{
    return Mv100Transfer::WRITE_STEPS + (options.backup ? Mv100Transfer::READ_STEPS : 0)
        + (options.verify && !options.lock ? Mv100Transfer::READ_STEPS : 0);
}

SafeWriteOutcome safeWrite(Mv100Transfer &transfer, const Mv100Config &config,
                           const QString &devicePin, const SafeWriteOptions &options,
                           const std::function<bool(const SafeWriteOutcome &)> &writeWithoutBackup)
{
    SafeWriteOutcome outcome;
    const Mv100Transfer::PinBytes pin = Mv100Transfer::pinBytes(devicePin);
    if (options.backup) {
        Mv100Config previous;
        Mv100DeviceInfo info;
        outcome.backupReadResult = transfer.Read(pin, previous, &info);
        if (outcome.backupReadResult == MV100::RESULT_SUCCESS && transfer.lastReadAllZero()) {
            // A chip answers a wrong PIN with zeros: such a "backup" would restore nothing.
            outcome.backupError = QCoreApplication::translate(
                "SafeWrite", "the chip answered with zeros only; the PIN may be wrong.");
        } else if (outcome.backupReadResult == MV100::RESULT_SUCCESS) {
            // Written back, the backup gives the chip the PIN it has now.
            previous.settings().newPin = devicePin;
            BackupStore store = options.backupFolder.isEmpty() ? BackupStore()
                                                               : BackupStore(options.backupFolder);
            outcome.backupMade
                = store.store(previous, info.serial, &outcome.backupFile, &outcome.backupError);
        }
        const bool locked = outcome.backupReadResult == MV100::RESULT_LOCKED;
        if (!outcome.backupMade && !locked
            && !(writeWithoutBackup && writeWithoutBackup(outcome))) {
            outcome.cancelled = true;
            return outcome;
        }
    }

    outcome.result = transfer.Write(config, pin, options.lock);
    outcome.answerLost = transfer.lastAnswerLost();
    if (outcome.result != MV100::RESULT_SUCCESS || !options.verify)
        return outcome;
    if (options.lock) {
        outcome.verifySkippedLocked = true;
        return outcome;
    }
    // Read back with the PIN the chip has now.
    const Mv100Transfer::PinBytes newPin = Mv100Transfer::newPinBytes(config.settings().newPin);
    outcome.verifyReadResult = transfer.Verify(config, newPin, &outcome.verifyDifference);
    outcome.verified
        = outcome.verifyReadResult == MV100::RESULT_SUCCESS && outcome.verifyDifference.isEmpty();
    return outcome;
}
