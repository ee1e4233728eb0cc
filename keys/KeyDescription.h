// KeyDescription: one-line names and tool tips of cell codes, built from the key tables.
#pragma once

#include <string>

namespace KeyDescription {

// The cell's vocabulary on one line: "A", "L-Shift + A", "Macro #05", "Mouse L-Btn",
// "DAC0 Max"; "Empty" for 0xFFFF and "Unknown" for a code no table knows.
std::wstring shortName(unsigned short code);

// The full name of the assignment: "Keyboard a and A", "L-Shift + Keyboard a and A",
// "Mouse Left Button", "Macro #05"; "Empty" and "Unknown" as above.
std::wstring longName(unsigned short code);

// The long name followed by the code, "Mouse Left (0x0301)"; only "Empty" for 0xFFFF.
std::wstring toolTip(unsigned short code);

} // namespace KeyDescription
