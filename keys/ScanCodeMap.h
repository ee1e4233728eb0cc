// ScanCodeMap: the USB HID usage of a physical key from the scan codes the platforms report.
#pragma once

namespace ScanCodeMap {

// Linux input event code (KEY_A = 30, ...); -1 for a key without a keyboard-page usage here.
int usageFromEvdev(unsigned code);

// PC scan code set 1 as Windows reports it: the make code, +0x100 for E0-prefixed keys (the
// key table's scan-code column uses the same form); -1 when unknown.
int usageFromSet1(unsigned code);

// The native scan code of a key event on this platform: set 1 on Windows, elsewhere the XKB
// key code of X11 and Wayland, which is the evdev code + 8.
int usageFromNativeScanCode(unsigned code);

} // namespace ScanCodeMap
