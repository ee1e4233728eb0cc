// CtlMessages: the editor's texts for device outcomes, as mv100ctl says them on a terminal.
#pragma once

#include <QString>

struct SafeWriteOutcome;

namespace Mv100Ctl::Messages {

// The text of a result code of the device layer (the editor's wording).
QString resultText(unsigned short result);
// The erase answer's detail code, as the editor's Erase box says it.
QString eraseErrorText(unsigned char detail);
// Why no chip could be used: none connected, several, one that may not be opened (with the udev
// rule and its commands on Linux), or one that does not answer. Looks at the USB bus now.
QString noDeviceExplanation();
// The udev rule and the commands that load it.
QString udevHint();
// The chip did not take the PIN.
QString pinRefused();
// The state the chip is left in by a write that failed, or empty when nothing needs saying.
QString writeFailure(const SafeWriteOutcome &outcome);
// What a read of zeros only means.
QString allZeroRead();

} // namespace Mv100Ctl::Messages
