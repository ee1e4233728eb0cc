// SafeWrite: a Write with a backup of the chip's configuration before the erase and a read-back
// that verifies it afterwards, as the editor and the command-line tool do it.
#pragma once

#include "Mv100Transfer.h"

#include <QString>

#include <functional>

struct SafeWriteOptions
{
    bool backup = true;
    bool verify = true;
    bool lock = false;
    // Where backups go; empty = the application's data folder's "backups" folder.
    QString backupFolder;
};

struct SafeWriteOutcome
{
    // The Write's result code (MV100::Result); RESULT_SUCCESS when written.
    unsigned short result = MV100::RESULT_SUCCESS;
    // The step that failed was sent but not answered (erase, new PIN, lock): the chip may have
    // carried it out.
    bool answerLost = false;
    // The user chose not to write when no backup could be made: nothing was sent after the
    // backup's reads.
    bool cancelled = false;

    bool backupMade = false;
    QString backupFile;
    // Why no backup was made when one was asked for: a read result, or a file error.
    unsigned short backupReadResult = MV100::RESULT_SUCCESS;
    QString backupError;

    bool verified = false;           // read back and found equal
    bool verifySkippedLocked = false; // the Write locked the chip: it cannot be read back
    unsigned short verifyReadResult = MV100::RESULT_SUCCESS;
    QString verifyDifference;        // the first thing that differs; empty = none

    // The chip was erased but not written whole: it holds part of the configuration and the
    // factory PIN.
    bool partlyWritten() const;
    // A write that succeeded and, where asked, was verified.
    bool succeeded() const;
};

// Steps of the progress callback for these options (backup and verify are each one Read).
int safeWriteSteps(const SafeWriteOptions &options);

// On an opened transfer. writeWithoutBackup is asked, with the reason, whether to write when the
// backup could not be made; a chip that is locked is not backed up and not asked about (the
// Write reports it).
SafeWriteOutcome safeWrite(Mv100Transfer &transfer, const Mv100Config &config,
                           const QString &devicePin, const SafeWriteOptions &options,
                           const std::function<bool(const SafeWriteOutcome &)> &writeWithoutBackup);
