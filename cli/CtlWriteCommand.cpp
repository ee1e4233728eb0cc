// CtlWriteCommand: mv100ctl write: the file checked, the chip backed up, written and verified.
#include "CtlIo.h"
#include "CtlMessages.h"
#include "CtlShared.h"
#include "HexText.h"
#include "Mv100Ctl.h"
#include "SafeWrite.h"

#include <QDir>

namespace Mv100Ctl {

namespace {

// Says how the write went, as the editor's boxes do; returns the exit status.
int reportOutcome(Io &io, const SafeWriteOutcome &w)
{
    const QString backupNote = w.backupMade
        ? QStringLiteral("A backup of the chip's previous content was saved as %1.\n")
              .arg(QDir::toNativeSeparators(w.backupFile))
        : QString();
    if (w.result != MV100::RESULT_SUCCESS) {
        error(io, Messages::resultText(w.result));
        const QString failure = Messages::writeFailure(w);
        if (!failure.isEmpty())
            io.err(failure + QLatin1Char('\n'));
        if (!w.partlyWritten())
            io.err(backupNote);
        return exitOfResult(w.result);
    }
    if (w.verifyReadResult != MV100::RESULT_SUCCESS) {
        error(io,
              QStringLiteral("The data was written, but it could not be read back to verify "
                             "it: %1")
                  .arg(Messages::resultText(w.verifyReadResult)));
        io.err(backupNote);
        return EXIT_DEVICE_FAILED;
    }
    if (!w.verifyDifference.isEmpty()) {
        error(io,
              QStringLiteral("The data was written, but the chip holds something else: the "
                             "first difference is in the %1.")
                  .arg(w.verifyDifference));
        io.err(QStringLiteral("Write again; if the difference stays, the chip does not keep what "
                              "is written.\n")
               + backupNote);
        return EXIT_DIFFERENT;
    }
    if (w.verified) {
        io.out(QStringLiteral("The data was successfully transferred and verified.\n")
               + backupNote);
        return EXIT_OK;
    }
    io.out(QStringLiteral("The data was successfully transferred.\n"));
    if (w.verifySkippedLocked) {
        io.out(QStringLiteral("The chip was locked by this Write, so it could not be read back to "
                              "verify it.\n"));
    }
    io.out(backupNote);
    return EXIT_OK;
}

} // namespace

int commandWrite(const Request &request, Io &io)
{
    const QString fileName = request.arguments.at(0);
    Mv100Config config;
    if (!loadFile(io, fileName, &config))
        return EXIT_FILE;
    if (!isPinText(config.settings().newPin)) {
        error(io,
              QStringLiteral("The new PIN must be 16 characters long (the first line of %1).")
                  .arg(QDir::toNativeSeparators(fileName)));
        return EXIT_FILE;
    }

    SafeWriteOptions options;
    options.backup = !request.noBackup;
    options.verify = !request.noVerify;
    options.lock = request.lock || config.settings().lockMode == 1;
    // --lock is the consent to lock; a file that asks for it on its own is asked about.
    if (options.lock && !request.lock && !request.yes) {
        if (!io.interactive()) {
            error(io,
                  QStringLiteral("%1 locks the chip after writing: give --lock (or --yes) to "
                                 "confirm.")
                      .arg(QDir::toNativeSeparators(fileName)));
            return EXIT_USAGE;
        }
        if (!io.confirm(QStringLiteral("Do you really want to lock the Morvantide100? You can not "
                                       "read/write any data until you erase the device."))) {
            io.err(QStringLiteral("Nothing was written.\n"));
            return EXIT_OK;
        }
    }

    Mv100Transfer transfer;
    if (!openChip(io, transfer, QStringLiteral("No Device or too many devices found")))
        return EXIT_NO_DEVICE;
    bool refusedWithoutBackup = false;
    const SafeWriteOutcome outcome = safeWrite(
        transfer, config, request.pin, options, [&](const SafeWriteOutcome &backup) {
            const QString reason = backup.backupReadResult != MV100::RESULT_SUCCESS
                ? Messages::resultText(backup.backupReadResult)
                : backup.backupError;
            const QString text
                = QStringLiteral("The chip's configuration could not be backed up: %1").arg(reason);
            if (request.yes) {
                error(io, text + QStringLiteral(" Writing anyway (--yes)."));
                return true;
            }
            if (io.interactive())
                return io.confirm(text + QStringLiteral("\nWrite anyway?"));
            error(io, text);
            refusedWithoutBackup = true;
            return false;
        });
    transfer.Close();
    if (outcome.cancelled) {
        if (refusedWithoutBackup) {
            io.err(QStringLiteral("Nothing was written: give --yes to write without a backup, "
                                  "or --no-backup.\n"));
            return EXIT_DEVICE_FAILED;
        }
        io.err(QStringLiteral("Nothing was written.\n"));
        return EXIT_OK;
    }
    return reportOutcome(io, outcome);
}

} // namespace Mv100Ctl
