// The enumeration records of the simulated chips' interfaces and the paths that name them.
#include "DeviceInfo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace mv100sim {

namespace {

char *copyString(const std::string &text)
{
    auto *copy = static_cast<char *>(std::malloc(text.size() + 1));
    if (copy != nullptr)
        std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

wchar_t *copyWide(const std::wstring &text)
{
    auto *copy = static_cast<wchar_t *>(std::malloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy != nullptr)
        std::wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

} // namespace

void FreeInfo(hid_device_info *info)
{
    if (info == nullptr)
        return;
    std::free(info->path);
    std::free(info->serial_number);
    std::free(info->manufacturer_string);
    std::free(info->product_string);
    std::free(info);
}

std::string PathOf(int device, int interfaceIndex)
{
    return "sim:" + std::to_string(device) + ":" + std::to_string(interfaceIndex);
}

std::wstring SerialText(std::uint32_t serial)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%08X", static_cast<unsigned>(serial));
    return text;
}

hid_device_info *MakeInfo(const SimDevice &device, int deviceIndex, int interfaceIndex)
{
    const SimInterface &interface = device.interfaces[static_cast<std::size_t>(interfaceIndex)];
    auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    if (info == nullptr)
        return nullptr;
    info->path = copyString(PathOf(deviceIndex, interfaceIndex));
    info->vendor_id = VENDOR_ID;
    info->product_id = PRODUCT_ID;
    info->serial_number = copyWide(SerialText(device.chip.serial));
    info->release_number = device.chip.firmwareVersion;
    info->manufacturer_string = copyWide(MANUFACTURER);
    info->product_string
        = interface.description.hasProduct ? copyWide(interface.description.product) : nullptr;
    // The configuration interface is a vendor-defined collection; the others are not modelled.
    info->usage_page = interface.description.isConfig ? 0xFF00 : 0;
    info->usage = interface.description.isConfig ? 0x0001 : 0;
    info->interface_number = interface.description.interfaceNumber;
    info->next = nullptr;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

bool ParsePath(const char *path, int &device, int &interfaceIndex)
{
    if (path == nullptr || std::strncmp(path, "sim:", 4) != 0)
        return false;
    char *end = nullptr;
    const long first = std::strtol(path + 4, &end, 10);
    if (end == path + 4 || *end != ':')
        return false;
    const char *second = end + 1;
    const long secondValue = std::strtol(second, &end, 10);
    if (end == second || *end != '\0' || first < 0 || secondValue < 0 || first > 0xFFFF
        || secondValue > 0xFFFF)
        return false;
    device = static_cast<int>(first);
    interfaceIndex = static_cast<int>(secondValue);
    return true;
}

} // namespace mv100sim
