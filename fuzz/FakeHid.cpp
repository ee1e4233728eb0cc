// FakeHid: the hidapi C functions that the device layer calls, answered from the fuzzer's script.
#include "FakeHid.h"

#include "CMorvantide100.h"
#include "FakeHidScript.h"

#include <hidapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <set>

// The opaque hidapi handle type; only its address matters here.
struct hid_device_
{
    int path = 0;
};

namespace {
using namespace FakeHidScript;

// A stuck loop would otherwise only show as a timeout of the fuzzer.
constexpr long MAX_CALLS_PER_RUN = 1000000;
constexpr int LISTED_PATHS = 4;
const char *const PATHS[LISTED_PATHS] = {"fake-0", "fake-1", "fake-2", "fake-3"};
const char KEYBOARD_PATH[] = "fake-keyboard";

struct Run
{
    const std::uint8_t *data = nullptr;
    std::size_t size = 0;
    std::size_t next = HEADER_SIZE; // the next chunk
    FakeHid::Counters counters;
    std::set<const hid_device *> handles;
    long calls = 0;
    hid_device_info deviceInfo {};
};

Run run;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "FakeHid: %s\n", what);
    std::abort();
}

void countCall()
{
    if (++run.calls > MAX_CALLS_PER_RUN)
        fail("more than a million hidapi calls in one run: a loop does not end");
}

std::uint8_t headerByte(std::size_t index)
{
    return index < run.size ? run.data[index] : 0;
}

void checkOpen(const hid_device *device)
{
    if (run.handles.count(device) == 0)
        fail("a handle that is not open was used");
}

int pathIndex(const char *path)
{
    for (int i = 0; i < LISTED_PATHS; ++i) {
        if (std::strcmp(path, PATHS[i]) == 0)
            return i;
    }
    return -1;
}

hid_device_info *newEntry(const char *path, const wchar_t *product, int interfaceNumber)
{
    auto *entry = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    entry->path = path ? strdup(path) : nullptr;
    entry->vendor_id = MV100::VENDOR_ID;
    entry->product_id = MV100::PRODUCT_ID;
    entry->product_string = product ? wcsdup(product) : nullptr;
    entry->interface_number = interfaceNumber;
    return entry;
}
} // namespace

namespace FakeHid {
void load(const std::uint8_t *script, std::size_t size)
{
    run = Run();
    run.data = script;
    run.size = size;
    run.deviceInfo.vendor_id = MV100::VENDOR_ID;
    run.deviceInfo.product_id = MV100::PRODUCT_ID;
    run.deviceInfo.release_number
        = static_cast<unsigned short>(headerByte(RELEASE_LOW) | headerByte(RELEASE_HIGH) << 8);
    run.deviceInfo.interface_number = MV100::CONFIG_INTERFACE;
}

const Counters &counters()
{
    return run.counters;
}
} // namespace FakeHid

extern "C" {

int hid_init(void)
{
    return 0;
}

int hid_exit(void)
{
    return 0;
}

hid_device_info *hid_enumerate(unsigned short vendorId, unsigned short productId)
{
    countCall();
    if (vendorId != MV100::VENDOR_ID || productId != MV100::PRODUCT_ID)
        return nullptr;
    const std::uint8_t bits = headerByte(ENUMERATION);
    const int count = bits & ENUM_COUNT_MASK;
    hid_device_info *first = nullptr;
    hid_device_info **tail = &first;
    if (bits & ENUM_KEYBOARD_FIRST) {
        *tail = newEntry(KEYBOARD_PATH, MV100_IFACE::KEYBOARD_NAME, 0);
        tail = &(*tail)->next;
    }
    for (int i = 0; i < count; ++i) {
        const bool unnamed = bits & ENUM_UNNAMED;
        const bool noPath = (bits & ENUM_NO_PATH) && i == count - 1;
        *tail = newEntry(noPath ? nullptr : PATHS[i], unnamed ? nullptr : MV100_IFACE::CONFIG_NAME,
                         MV100::CONFIG_INTERFACE);
        tail = &(*tail)->next;
    }
    if (first)
        ++run.counters.openEnumerations;
    return first;
}

void hid_free_enumeration(hid_device_info *devices)
{
    if (devices)
        --run.counters.openEnumerations;
    while (devices) {
        hid_device_info *next = devices->next;
        std::free(devices->path);
        std::free(devices->product_string);
        std::free(devices);
        devices = next;
    }
}

hid_device *hid_open_path(const char *path)
{
    countCall();
    if (!path)
        fail("hid_open_path without a path");
    const int index = pathIndex(path);
    if (index < 0)
        fail("an interface that is not the configuration interface was opened");
    if (index == 0 && (headerByte(ENUMERATION) & ENUM_FIRST_UNOPENABLE))
        return nullptr;
    auto device = std::make_unique<hid_device>();
    device->path = index;
    run.handles.insert(device.get());
    ++run.counters.openHandles;
    return device.release();
}

hid_device *hid_open(unsigned short, unsigned short, const wchar_t *)
{
    fail("hid_open is not expected: the device layer opens by path");
}

void hid_close(hid_device *device)
{
    countCall();
    if (!device)
        return;
    checkOpen(device);
    run.handles.erase(device);
    --run.counters.openHandles;
    delete device;
}

int hid_write(hid_device *device, const unsigned char *data, size_t length)
{
    countCall();
    checkOpen(device);
    if (!data || length != std::size_t(MV100::REPORT_OUT_SIZE))
        fail("a report of the wrong size was written");
    // The whole report is looked at, so that a short buffer shows.
    volatile unsigned char sum = 0;
    for (std::size_t i = 0; i < length; ++i)
        sum = sum + data[i];
    ++run.counters.writes;
    const std::uint8_t failing = headerByte(FAILING_WRITE);
    return failing != 0 && run.counters.writes == failing ? -1 : int(length);
}

int hid_read_timeout(hid_device *device, unsigned char *data, size_t length, int milliseconds)
{
    countCall();
    checkOpen(device);
    if (milliseconds < 0 || milliseconds > CMorvantide100::ReadTimeout())
        fail("a read without a bounded wait");
    if (!data || length == 0)
        fail("a read into no buffer");
    ++run.counters.reads;
    if (run.next >= run.size)
        return 0;
    const std::uint8_t head = run.data[run.next];
    if (milliseconds == 0 && !(head & CHUNK_QUEUED))
        return 0;
    const int reported = head & CHUNK_LENGTH_MASK;
    const std::size_t bytesAt = run.next + 1;
    if (reported == CHUNK_ERROR) {
        run.next = bytesAt;
        return -1;
    }
    run.next = bytesAt + std::size_t(reported);
    const std::size_t available = bytesAt < run.size ? run.size - bytesAt : 0;
    const std::size_t copied = std::min({std::size_t(reported), length, available});
    std::memcpy(data, run.data + bytesAt, copied);
    std::memset(data + copied, 0, std::min(std::size_t(reported), length) - copied);
    if (reported > 0 && milliseconds > 0)
        ++run.counters.answers;
    return reported;
}

int hid_read(hid_device *, unsigned char *, size_t)
{
    fail("hid_read waits without a bound");
}

int hid_set_nonblocking(hid_device *device, int)
{
    checkOpen(device);
    return 0;
}

int hid_get_product_string(hid_device *device, wchar_t *string, size_t maxlen)
{
    checkOpen(device);
    if (!string || maxlen == 0)
        return -1;
    std::wcsncpy(string, MV100_IFACE::CONFIG_NAME, maxlen);
    string[maxlen - 1] = L'\0';
    return 0;
}

int hid_get_indexed_string(hid_device *device, int, wchar_t *string, size_t maxlen)
{
    return hid_get_product_string(device, string, maxlen);
}

hid_device_info *hid_get_device_info(hid_device *device)
{
    checkOpen(device);
    if (headerByte(ENUMERATION) & ENUM_NO_DEVICE_INFO)
        return nullptr;
    return &run.deviceInfo;
}

const wchar_t *hid_error(hid_device *)
{
    return L"fake hidapi: refused by the script";
}

} // extern "C"
