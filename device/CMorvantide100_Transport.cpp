// CMorvantide100: finding and opening the configuration interface, raw report writes and reads.
#include "CMorvantide100.h"

#include <hidapi.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cwchar>

namespace {
// Interfaces that are never the configuration interface, whatever their number.
constexpr const wchar_t *OTHER_INTERFACE_NAMES[] = {
    MV100_IFACE::KEYBOARD_NAME, MV100_IFACE::MEDIA_NAME,   MV100_IFACE::MOUSE_NAME,
    MV100_IFACE::GPIO_NAME,     MV100_IFACE::SPECIAL_NAME, MV100_IFACE::IIC_NAME,
};

constexpr int STRING_BUFFER_SIZE = 255; // wide characters
// A device that keeps sending unasked reports must not hold the drain loop forever.
constexpr int MAX_DRAINED_REPORTS = 1024;

// Tests of silent chips shorten it; every object of the process shares it.
std::atomic<int> readTimeoutMs {MV100::READ_TIMEOUT_MS};

bool isConfigInterface(const hid_device_info *info)
{
    const wchar_t *product = info->product_string ? info->product_string : L"";
    if (std::wcscmp(product, MV100_IFACE::CONFIG_NAME) == 0)
        return true;
    for (const wchar_t *name : OTHER_INTERFACE_NAMES) {
        if (std::wcscmp(product, name) == 0)
            return false;
    }
    return info->interface_number == MV100::CONFIG_INTERFACE;
}

// An enumeration entry that Open tries to open.
bool isCandidate(const hid_device_info *info)
{
    return info->path && isConfigInterface(info);
}

std::wstring fromBuffer(const wchar_t *buffer)
{
    return std::wstring(buffer, wcsnlen(buffer, STRING_BUFFER_SIZE));
}
} // namespace

int CMorvantide100::Open()
{
    // An object opened twice would otherwise lose its first handle.
    Close();
    ClearDeviceStruct();
    int count = 0;

    hid_device_info *devices = hid_enumerate(MV100::VENDOR_ID, MV100::PRODUCT_ID);
    for (const hid_device_info *info = devices; info; info = info->next) {
        if (!isCandidate(info))
            continue;
        hid_device *handle = hid_open_path(info->path);
        if (!handle)
            continue;
        // Only the last handle is kept; an earlier one would leak if left open.
        if (m_Device.handle)
            hid_close(m_Device.handle);
        m_Device.handle = handle;
        m_Device.vendorId = MV100::VENDOR_ID;
        m_Device.productId = MV100::PRODUCT_ID;
        ++count;
    }
    hid_free_enumeration(devices);

    if (!m_Device.handle)
        return 0;
    // Answers left from an earlier session would be taken for ours.
    DrainInput(m_Device.handle);
    return std::min(count, MV100::MAX_OPEN_COUNT);
}

CMorvantide100::Census CMorvantide100::TakeCensus()
{
    Census census;
    hid_device_info *devices = hid_enumerate(MV100::VENDOR_ID, MV100::PRODUCT_ID);
    for (const hid_device_info *info = devices; info; info = info->next) {
        if (!isCandidate(info))
            continue;
        ++census.listed;
        if (hid_device *handle = hid_open_path(info->path)) {
            hid_close(handle);
            ++census.openable;
        } else if (census.listed - census.openable == 1) {
            // Older hidapi versions have no text without a handle.
            const wchar_t *text = hid_error(nullptr);
            census.openError = text ? text : L"";
        }
    }
    hid_free_enumeration(devices);
    return census;
}

void CMorvantide100::SetReadTimeout(int ms)
{
    readTimeoutMs = std::max(ms, 1);
}

int CMorvantide100::ReadTimeout()
{
    return readTimeoutMs;
}

int CMorvantide100::Close()
{
    if (m_Device.handle) {
        hid_close(m_Device.handle);
        m_Device.handle = nullptr;
    }
    return 1;
}

void CMorvantide100::Exit()
{
    hid_exit();
}

void CMorvantide100::ClearDeviceStruct()
{
    m_Device = DeviceState();
}

int CMorvantide100::Write(hid_device *handle, const unsigned char *report)
{
    if (!handle || !report)
        return 4;
    if (hid_write(handle, report, MV100::REPORT_OUT_SIZE) < 0)
        return 2;
    return 0;
}

int CMorvantide100::Read(hid_device *handle, unsigned char *buffer, int *count)
{
    if (!handle || !buffer || !count)
        return 4;
    unsigned char scratch[MV100::REPORT_IN_SIZE] = {};
    const int received = ReadReport(handle, scratch);
    if (received < 0) {
        *count = 0;
        return 1;
    }
    if (received == 0) {
        *count = 0;
        return 8;
    }
    std::memcpy(buffer, scratch, received);
    *count = received;
    return 0;
}

std::wstring CMorvantide100::GetProductName(hid_device *handle)
{
    if (!handle)
        return std::wstring();
    wchar_t buffer[STRING_BUFFER_SIZE] = {};
    if (hid_get_product_string(handle, buffer, STRING_BUFFER_SIZE) < 0)
        return std::wstring();
    return fromBuffer(buffer);
}

std::wstring CMorvantide100::GetIndexString(hid_device *handle, int index)
{
    if (!handle)
        return std::wstring();
    wchar_t buffer[STRING_BUFFER_SIZE] = {};
    if (hid_get_indexed_string(handle, index, buffer, STRING_BUFFER_SIZE) < 0)
        return std::wstring();
    return fromBuffer(buffer);
}

int CMorvantide100::GetRevision(hid_device *handle)
{
    if (!handle)
        return MV100::NO_REVISION;
    const hid_device_info *info = hid_get_device_info(handle);
    if (!info)
        return MV100::NO_REVISION;
    return info->release_number;
}

int CMorvantide100::GetVersion()
{
    return GetRevision(m_Device.handle);
}

// A timed-out read may leave the late answer in the queue; drain it so that the next command
// does not take it for its own.
int CMorvantide100::ReadReport(hid_device *handle, unsigned char *buffer)
{
    const int received = hid_read_timeout(handle, buffer, MV100::REPORT_IN_SIZE, ReadTimeout());
    if (received == 0)
        DrainInput(handle);
    return std::min(received, MV100::REPORT_IN_SIZE);
}

void CMorvantide100::DrainInput(hid_device *handle)
{
    unsigned char scratch[MV100::REPORT_IN_SIZE];
    for (int i = 0; i < MAX_DRAINED_REPORTS; ++i) {
        if (hid_read_timeout(handle, scratch, sizeof scratch, 0) <= 0)
            break;
    }
}
