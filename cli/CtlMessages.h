// CtlMessages: the device outcomes as mv100ctl says them on a terminal, where they differ from
// the editor's DeviceMessages (which it uses for the rest).
#pragma once

#include <QString>

struct SafeWriteOutcome;

namespace Mv100Ctl::Messages {

// The text of a result code of the device layer (the editor's wording).
QString resultText(unsigned short result);
// The chip did not take the PIN.
QString pinRefused();
// The state the chip is left in by a write that failed, or empty when nothing needs saying.
QString writeFailure(const SafeWriteOutcome &outcome);
// What a read of zeros only means.
QString allZeroRead();

} // namespace Mv100Ctl::Messages
