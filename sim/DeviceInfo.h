// The enumeration records of the simulated chips' interfaces and the paths that name them.
#pragma once

#include "Simulator.h"

#include <hidapi.h>

#include <cstdint>
#include <string>

namespace mv100sim {

inline constexpr wchar_t MANUFACTURER[] = L"Morvantide";

// "sim:<device>:<interface index>", the path hid_enumerate lists and hid_open_path takes.
std::string PathOf(int device, int interfaceIndex);
// False for anything that is not such a path; the numbers need not name an attached chip.
bool ParsePath(const char *path, int &device, int &interfaceIndex);
// The serial number string: eight upper-case hexadecimal digits.
std::wstring SerialText(std::uint32_t serial);
// A record allocated with malloc, as hid_free_enumeration expects; null when out of memory.
hid_device_info *MakeInfo(const SimDevice &device, int deviceIndex, int interfaceIndex);
// Frees one record (not the ones linked after it).
void FreeInfo(hid_device_info *info);

} // namespace mv100sim
