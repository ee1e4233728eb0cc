// DeviceMessages: the texts that explain the outcome of a device command: what state the chip is
// in and the way out.
#pragma once

#include <QCoreApplication>
#include <QString>

struct SafeWriteOutcome;

class DeviceMessages
{
    Q_DECLARE_TR_FUNCTIONS(DeviceMessages)

public:
    // The text of a result code of the device layer, translated.
    static QString resultText(unsigned short result);
    // The erase answer's detail code as the Erase box says it.
    static QString eraseErrorText(unsigned char detail);
    // Why no chip could be used: none connected, several, one that may not be opened (with the
    // udev rule on Linux), or one that does not answer. Looks at the USB bus now.
    static QString noDeviceExplanation();
    // The chip did not take the PIN of the PIN field.
    static QString pinRefused();
    // The state the chip is left in by a Write that failed, or empty when nothing needs saying.
    static QString writeFailure(const SafeWriteOutcome &outcome);
    // What a Read of zeros only means.
    static QString allZeroRead();
};
