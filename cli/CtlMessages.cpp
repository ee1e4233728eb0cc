// CtlMessages: explanations of device outcomes for mv100ctl, worded as the editor words them.
#include "CtlMessages.h"

#include "CMorvantide100.h"
#include "SafeWrite.h"

#include <QDir>

namespace Mv100Ctl::Messages {

QString resultText(unsigned short result)
{
    return QString::fromWCharArray(CMorvantide100::GetReturnErrorText(result));
}

QString eraseErrorText(unsigned char detail)
{
    switch (detail) {
    case 1:
        return QStringLiteral("Error: Block numer is out of range");
    case 2:
        return QStringLiteral("Error: Erasecount could not written");
    case 3:
        return QStringLiteral("Error: Erase/Write failed");
    case 4:
        return QStringLiteral("Error: Device is locked");
    default:
        return QStringLiteral("Error: ");
    }
}

QString udevHint()
{
    return QStringLiteral(
        "On Linux a normal user may open it only once the udev rule "
        "70-morvantide100.rules is loaded:\n"
        "sudo install -m 644 packaging/70-morvantide100.rules /etc/udev/rules.d/\n"
        "sudo udevadm control --reload-rules && sudo udevadm trigger\n"
        "Then unplug the chip and plug it in again.");
}

QString noDeviceExplanation()
{
    const CMorvantide100::Census census = CMorvantide100::TakeCensus();
    if (census.listed == 0)
        return QStringLiteral("No Morvantide100 is connected. Check the USB cable.");
    if (census.listed > 1) {
        return QStringLiteral("%1 Morvantide100 chips are connected. Connect only the one to "
                              "configure.")
            .arg(census.listed);
    }
    if (census.openable == 0) {
        QString text
            = QStringLiteral("A Morvantide100 is connected, but it cannot be opened (%1).")
                  .arg(census.openError.empty() ? QStringLiteral("no reason given")
                                                : QString::fromStdWString(census.openError));
#ifdef Q_OS_LINUX
        text += QLatin1Char(' ') + udevHint();
#endif
        return text;
    }
    return QStringLiteral("A Morvantide100 is connected but does not answer. Unplug it and plug "
                          "it in again.");
}

QString pinRefused()
{
    return QStringLiteral("The chip did not accept the PIN (--pin, else MV100_PIN, else the "
                          "factory PIN). If an earlier Write stored a new PIN (the first line of "
                          "the file written), that PIN is the one to give.");
}

QString writeFailure(const SafeWriteOutcome &outcome)
{
    if (outcome.result == MV100::RESULT_ERASE)
        return pinRefused() + QStringLiteral(" Nothing on the chip was changed.");
    if (outcome.result == MV100::RESULT_OPEN)
        return noDeviceExplanation();
    if (outcome.result == MV100::RESULT_LOCK) {
        return QStringLiteral("The configuration was written and the chip has the new PIN from "
                              "the file, but it could not be locked.");
    }
    if (!outcome.partlyWritten())
        return {};
    QString text = QStringLiteral("The chip was erased and holds only part of the configuration; "
                                  "its PIN is now the factory PIN (%1).")
                       .arg(QLatin1String(MV100_PIN::STRING));
    if (outcome.backupMade) {
        text += QStringLiteral(" The backup of its previous content, %1, can be written back: "
                               "mv100ctl write %1")
                    .arg(QDir::toNativeSeparators(outcome.backupFile));
    } else {
        text += QStringLiteral(" No backup was made before this Write.");
    }
    return text;
}

QString allZeroRead()
{
    return QStringLiteral("The chip's memory image and settings came back all zero. The PIN may "
                          "be wrong: the chip answers a wrong PIN with zeros.");
}

} // namespace Mv100Ctl::Messages
