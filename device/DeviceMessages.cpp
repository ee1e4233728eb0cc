// DeviceMessages: explanations of device outcomes, and the translatable result texts.
#include "DeviceMessages.h"

#include "CMorvantide100.h"
#include "SafeWrite.h"

#include <QDir>

namespace {
// CMorvantide100::GetReturnErrorText's texts, word for word and in its order, here where they can
// be translated; the last one stands for every other code.
struct ResultText
{
    unsigned short result;
    const char *text;
};
constexpr ResultText RESULT_TEXTS[] = {
    {MV100::RESULT_SUCCESS,
     QT_TRANSLATE_NOOP("DeviceMessages", "The data was successfully transferred.")},
    {MV100::RESULT_ERASE,
     QT_TRANSLATE_NOOP("DeviceMessages",
                       "An error occurred during data transmission (erase data).")},
    {MV100::RESULT_LED,
     QT_TRANSLATE_NOOP("DeviceMessages", "An error occurred during data transmission (led data).")},
    {MV100::RESULT_MOUSE,
     QT_TRANSLATE_NOOP("DeviceMessages",
                       "An error occurred during data transmission (mouse data).")},
    {MV100::RESULT_MEMORY,
     QT_TRANSLATE_NOOP("DeviceMessages",
                       "An error occurred during data transmission (keytable/macro data).")},
    {MV100::RESULT_LOCK,
     QT_TRANSLATE_NOOP("DeviceMessages", "An error occurred during data transmission (lock).")},
    {MV100::RESULT_NEW_PIN,
     QT_TRANSLATE_NOOP("DeviceMessages", "An error occurred during data transmission (new PIN).")},
    {MV100::RESULT_CUSTOM_DATA,
     QT_TRANSLATE_NOOP("DeviceMessages",
                       "An error occurred during data transmission (custom data).")},
    {MV100::RESULT_DEBOUNCE,
     QT_TRANSLATE_NOOP("DeviceMessages",
                       "An error occurred during data transmission (debounce data).")},
    {MV100::RESULT_OPEN,
     QT_TRANSLATE_NOOP("DeviceMessages",
                       "Can not open/connect Morvantide100. Please check the connection.")},
    {MV100::RESULT_LOCKED,
     QT_TRANSLATE_NOOP(
         "DeviceMessages",
         "The Morvantide is protected/locked and can be neither read nor written to.")},
};
const char *const UNKNOWN_RESULT_TEXT
    = QT_TRANSLATE_NOOP("DeviceMessages", "An unknown error occurred.");
} // namespace

QString DeviceMessages::resultText(unsigned short result)
{
    for (const ResultText &entry : RESULT_TEXTS) {
        if (entry.result == result)
            return tr(entry.text);
    }
    return tr(UNKNOWN_RESULT_TEXT);
}

QString DeviceMessages::eraseErrorText(unsigned char detail)
{
    switch (detail) {
    case 1:
        return tr("Error: Block numer is out of range");
    case 2:
        return tr("Error: Erasecount could not written");
    case 3:
        return tr("Error: Erase/Write failed");
    case 4:
        return tr("Error: Device is locked");
    default:
        return tr("Error: ");
    }
}

QString DeviceMessages::noDeviceExplanation()
{
    return noDeviceExplanation(CMorvantide100::TakeCensus());
}

QString DeviceMessages::noDeviceExplanation(const CMorvantide100::Census &census)
{
    if (census.listed == 0)
        return tr("No Morvantide100 is connected. Check the USB cable.");
    if (census.listed > 1) {
        return tr("%1 Morvantide100 chips are connected. Connect only the one to configure.")
            .arg(census.listed);
    }
    if (census.openable == 0) {
        QString text
            = tr("A Morvantide100 is connected, but it cannot be opened (%1).")
                  .arg(census.openError.empty() ? tr("no reason given")
                                                : QString::fromStdWString(census.openError));
#ifdef Q_OS_LINUX
        text += QLatin1Char(' ') + udevHint();
#endif
        return text;
    }
    return tr("A Morvantide100 is connected but does not answer. Unplug it and plug it in again.");
}

QString DeviceMessages::udevHint()
{
    return tr("On Linux a normal user may open it only once the udev rule "
              "70-morvantide100.rules is loaded:\n"
              "sudo install -m 644 packaging/70-morvantide100.rules /etc/udev/rules.d/\n"
              "sudo udevadm control --reload-rules && sudo udevadm trigger\n"
              "Then unplug the chip and plug it in again.");
}

QString DeviceMessages::pinRefused()
{
    return tr("The chip did not accept the PIN in the PIN field. If an earlier Write stored a new "
              "PIN (the PIN tab), that PIN is the one to enter in the PIN field.");
}

QString DeviceMessages::writeFailure(const SafeWriteOutcome &outcome)
{
    const QString factoryPin = QString::fromLatin1(MV100_PIN::STRING);
    if (outcome.result == MV100::RESULT_ERASE && outcome.answerLost) {
        return tr("The chip did not answer the erase, so it may have carried it out: it may now be "
                  "empty, with the factory PIN (%1).")
            .arg(factoryPin);
    }
    if (outcome.result == MV100::RESULT_NEW_PIN && outcome.answerLost) {
        return tr("The configuration was written, but the chip did not answer the new PIN: its PIN "
                  "is either the factory PIN (%1) or the new PIN from the PIN tab.")
            .arg(factoryPin);
    }
    if (outcome.result == MV100::RESULT_LOCK && outcome.answerLost) {
        return tr("The configuration was written and the chip has the new PIN from the PIN tab, "
                  "but it did not answer the lock: it may be locked.");
    }
    if (outcome.result == MV100::RESULT_ERASE)
        return pinRefused() + QLatin1Char(' ') + tr("Nothing on the chip was changed.");
    if (outcome.result == MV100::RESULT_OPEN)
        return noDeviceExplanation();
    if (outcome.result == MV100::RESULT_LOCK) {
        return tr("The configuration was written and the chip has the new PIN from the PIN tab, "
                  "but it could not be locked.");
    }
    if (!outcome.partlyWritten())
        return {};
    QString text = tr("The chip was erased and holds only part of the configuration; its PIN is "
                      "now the factory PIN (%1).")
                       .arg(QString::fromLatin1(MV100_PIN::STRING));
    if (outcome.backupMade) {
        text += QLatin1Char(' ')
            + tr("The backup of its previous content, %1, can be written back: open it with "
                 "File > Restore Backup… and write it.")
                  .arg(QDir::toNativeSeparators(outcome.backupFile));
    } else {
        text += QLatin1Char(' ') + tr("No backup was made before this Write.");
    }
    return text;
}

QString DeviceMessages::allZeroRead()
{
    return tr("The PIN in the PIN field may be wrong: the chip answers a wrong PIN with zeros. The "
              "configuration was loaded all the same; Edit > Undo takes it back.");
}
