// CtlMessages: explanations of device outcomes for mv100ctl, worded as the editor words them.
#include "CtlMessages.h"

#include "CMorvantide100.h"
#include "DeviceMessages.h"
#include "SafeWrite.h"

#include <QDir>

namespace Mv100Ctl::Messages {

QString resultText(unsigned short result)
{
    return QString::fromWCharArray(CMorvantide100::GetReturnErrorText(result));
}

QString pinRefused()
{
    return QStringLiteral("The chip did not accept the PIN (--pin, else MV100_PIN, else the "
                          "factory PIN). If an earlier Write stored a new PIN (the first line of "
                          "the file written), that PIN is the one to give.");
}

QString writeFailure(const SafeWriteOutcome &outcome)
{
    // A command the chip carried out may go unanswered: then its outcome is not known.
    if (outcome.result == MV100::RESULT_ERASE && outcome.answerLost)
        return DeviceMessages::writeFailure(outcome);
    if (outcome.result == MV100::RESULT_NEW_PIN && outcome.answerLost) {
        return QStringLiteral("The configuration was written, but the chip did not answer the new "
                              "PIN: its PIN is either the factory PIN (%1) or the new PIN from the "
                              "file.")
            .arg(QLatin1String(MV100_PIN::STRING));
    }
    if (outcome.result == MV100::RESULT_LOCK && outcome.answerLost) {
        return QStringLiteral("The configuration was written and the chip has the new PIN from "
                              "the file, but it did not answer the lock: it may be locked.");
    }
    if (outcome.result == MV100::RESULT_ERASE)
        return pinRefused() + QStringLiteral(" Nothing on the chip was changed.");
    if (outcome.result == MV100::RESULT_OPEN)
        return DeviceMessages::noDeviceExplanation();
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
