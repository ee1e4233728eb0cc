// DeviceMessages: the texts that explain the outcome of a device command: what state the chip is
// in and the way out. The editor shows them translated; mv100ctl prints the English.
#pragma once

#include "CMorvantide100.h"

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
    // The same for a census already taken.
    static QString noDeviceExplanation(const CMorvantide100::Census &census);
    // The udev rule and the commands that load it.
    static QString udevHint();
    // The chip did not take the PIN of the PIN field.
    static QString pinRefused();
    // The state the chip is left in by a Write that failed, or empty when nothing needs saying.
    static QString writeFailure(const SafeWriteOutcome &outcome);
    // What a Read of zeros only means.
    static QString allZeroRead();
};
