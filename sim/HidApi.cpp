// The hidapi C functions, answered by the simulated chips instead of the system's HID devices.
// Nothing here opens a file or a device node: a program linked against this library cannot
// reach real hardware.
#include "ChipModel.h"
#include "DeviceInfo.h"
#include "SimMorvantide100.h"
#include "Simulator.h"

#include <hidapi.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <thread>

using namespace mv100sim;

namespace {

using Lock = std::unique_lock<std::recursive_mutex>;

const wchar_t NO_ERROR_TEXT[] = L"Success";
const wchar_t INVALID_HANDLE_TEXT[] = L"Invalid device handle";

Simulator &sim()
{
    return Simulator::instance();
}

// Waits until the answer is due, on time. A plain sleep wakes tens of microseconds late (more
// on a busy machine), which at 1 ms per exchange would add several percent that belong neither
// to the chip nor to the program under test. So it sleeps until shortly before the time, by the
// lateness it has seen so far, and spins only that last stretch.
void waitUntil(Clock::time_point due)
{
    using std::chrono::microseconds;
    static thread_local microseconds lateness(50);
    const microseconds MAX_LATENESS(1000);
    const Clock::time_point wakeAt = due - lateness;
    if (Clock::now() < wakeAt) {
        std::this_thread::sleep_until(wakeAt);
        const auto late = std::chrono::duration_cast<microseconds>(Clock::now() - wakeAt);
        // Mostly the recent lateness with a margin: an early wake costs a short spin, a late one
        // the accuracy.
        lateness = std::min(MAX_LATENESS, (lateness * 7 + late * 3 / 2) / 8 + microseconds(5));
    }
    while (Clock::now() < due) { }
}

// A handle that hid_open_path handed out and that is not closed yet; counts misuse otherwise.
bool isKnown(Simulator &s, hid_device *dev)
{
    if (dev != nullptr && s.handles.count(dev) != 0)
        return true;
    ++s.invalidUses;
    s.error = INVALID_HANDLE_TEXT;
    return false;
}

// The interface behind a known handle, or null (with the handle's error set) when the chip was
// unplugged or removed, or the handle dates from before reset().
SimInterface *liveInterface(Simulator &s, hid_device *dev, SimDevice **device = nullptr)
{
    if (dev->resetEpoch != s.resetEpoch) {
        dev->error = L"Handle opened before the simulator was reset";
        return nullptr;
    }
    if (s.unplugged || dev->plugEpoch != s.plugEpoch) {
        dev->error = L"Device unplugged";
        return nullptr;
    }
    SimDevice *owner = s.deviceWithId(dev->deviceId);
    SimInterface *interface = s.interfaceWithId(owner, dev->interfaceId);
    if (interface == nullptr) {
        dev->error = L"Device removed";
        return nullptr;
    }
    if (device != nullptr)
        *device = owner;
    return interface;
}

int copyAnswer(SimInterface &interface, unsigned char *data, size_t length)
{
    PendingAnswer answer = std::move(interface.queue.front());
    interface.queue.pop_front();
    const size_t count = std::min(length, answer.bytes.size());
    std::copy_n(answer.bytes.begin(), count, data);
    return static_cast<int>(count);
}

// Carries out one exchange on a configuration interface; returns what hid_write returns.
int exchange(Simulator &s, SimDevice &device, SimInterface &interface, hid_device *dev,
             const unsigned char *data, size_t length, LoggedReport &entry)
{
    if (s.unplugAt >= 0 && s.exchanges >= s.unplugAt) {
        s.unplugAll();
        dev->error = L"Device unplugged";
        return -1;
    }
    const int number = s.exchanges++;
    if (number == s.failWrite) {
        dev->error = L"Write failed";
        return -1;
    }
    entry.delivered = true;
    if (s.stopAfter >= 0 && number >= s.stopAfter)
        return static_cast<int>(length);

    Report report {};
    std::copy_n(data, length, report.begin());
    bool changed = false;
    const Answer answer = s.executeOn(device, report, changed);
    PendingAnswer pending;
    if (!s.emptyAnswers)
        pending.bytes.assign(answer.begin(), answer.end());
    pending.readyAt = Clock::now() + std::chrono::microseconds(s.latencyMicroseconds);
    interface.queue.push_back(std::move(pending));
    if (changed)
        s.saveIfPersistent(device);
    return static_cast<int>(length);
}

// hid_read_timeout with milliseconds < 0 meaning "block".
int readAnswer(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return -1;
    if (data == nullptr) {
        dev->error = L"No buffer";
        return -1;
    }
    SimInterface *interface = liveInterface(s, dev);
    if (interface == nullptr)
        return -1;

    const Clock::time_point now = Clock::now();
    Clock::time_point due = now;
    bool arrives = false;
    if (!interface->queue.empty()) {
        due = std::max(interface->queue.front().readyAt, now);
        arrives = milliseconds < 0 || due - now <= std::chrono::milliseconds(milliseconds);
    }
    if (!arrives) {
        // Nothing comes within the time: a real blocking read would wait forever, so that one
        // gives up after a bound and reports an error.
        due = now
            + std::chrono::milliseconds(milliseconds < 0 ? s.blockingReadLimitMs : milliseconds);
    }
    if (due > now) {
        lock.unlock();
        if (arrives)
            waitUntil(due);
        else
            std::this_thread::sleep_until(due);
        lock.lock();
        if (s.handles.count(dev) == 0)
            return -1;
        interface = liveInterface(s, dev);
        if (interface == nullptr)
            return -1;
    }
    if (arrives && !interface->queue.empty()) {
        dev->error.clear();
        return copyAnswer(*interface, data, length);
    }
    if (milliseconds < 0) {
        dev->error = L"No answer within the blocking read limit";
        return -1;
    }
    dev->error.clear();
    return 0;
}

int copyOut(const std::wstring &text, wchar_t *string, size_t maxlen)
{
    if (string == nullptr || maxlen == 0)
        return -1;
    const size_t count = std::min(text.size(), maxlen - 1);
    std::wmemcpy(string, text.c_str(), count);
    string[count] = L'\0';
    return 0;
}

} // namespace

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    // Like hidapi on Linux: open handles stay usable and are still the caller's to close.
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.error.clear();
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    const bool vendorMatches = vendor_id == 0 || vendor_id == VENDOR_ID;
    const bool productMatches = product_id == 0 || product_id == PRODUCT_ID;
    hid_device_info *first = nullptr;
    hid_device_info **link = &first;
    if (vendorMatches && productMatches && !s.unplugged) {
        for (std::size_t d = 0; d < s.devices.size(); ++d) {
            const SimDevice &device = *s.devices[d];
            for (std::size_t i = 0; i < device.interfaces.size(); ++i) {
                hid_device_info *info = MakeInfo(device, static_cast<int>(d), static_cast<int>(i));
                if (info == nullptr)
                    continue;
                *link = info;
                link = &info->next;
            }
        }
    }
    if (first == nullptr)
        s.error = L"No HID devices with requested VID/PID found in the system.";
    else
        s.error.clear();
    return first;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devs)
{
    while (devs != nullptr) {
        hid_device_info *next = devs->next;
        FreeInfo(devs);
        devs = next;
    }
}

hid_device *HID_API_EXPORT HID_API_CALL hid_open_path(const char *path)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    int deviceIndex = 0;
    int interfaceIndex = 0;
    if (!ParsePath(path, deviceIndex, interfaceIndex)
        || deviceIndex >= static_cast<int>(s.devices.size()) || s.unplugged) {
        s.error = L"Device not found";
        return nullptr;
    }
    SimDevice &device = *s.devices[static_cast<std::size_t>(deviceIndex)];
    if (interfaceIndex >= static_cast<int>(device.interfaces.size())) {
        s.error = L"Device not found";
        return nullptr;
    }
    if (s.openDenied) {
        s.error = L"Permission denied";
        return nullptr;
    }
    SimInterface &interface = device.interfaces[static_cast<std::size_t>(interfaceIndex)];
    auto *dev = new hid_device;
    dev->resetEpoch = s.resetEpoch;
    dev->plugEpoch = s.plugEpoch;
    dev->deviceId = device.id;
    dev->interfaceId = interface.id;
    dev->deviceIndex = deviceIndex;
    dev->interfaceNumber = interface.description.interfaceNumber;
    dev->isConfig = interface.description.isConfig;
    dev->hasProduct = interface.description.hasProduct;
    dev->product = interface.description.product;
    dev->serial = SerialText(device.chip.serial);
    dev->info = MakeInfo(device, deviceIndex, interfaceIndex);
    ++interface.openHandles;
    s.handles.insert(dev);
    s.error.clear();
    return dev;
}

hid_device *HID_API_EXPORT HID_API_CALL hid_open(unsigned short vendor_id,
                                                 unsigned short product_id,
                                                 const wchar_t *serial_number)
{
    hid_device_info *all = hid_enumerate(vendor_id, product_id);
    std::string path;
    for (hid_device_info *info = all; info != nullptr; info = info->next) {
        if (serial_number == nullptr || std::wcscmp(serial_number, info->serial_number) == 0) {
            path = info->path;
            break;
        }
    }
    hid_free_enumeration(all);
    if (path.empty()) {
        Simulator &s = sim();
        Lock lock(s.mutex);
        s.error = L"Device not found";
        return nullptr;
    }
    return hid_open_path(path.c_str());
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return -1;
    if (dev->resetEpoch != s.resetEpoch) {
        dev->error = L"Handle opened before the simulator was reset";
        return -1;
    }
    if (data == nullptr || length == 0) {
        dev->error = L"Nothing to write";
        return -1;
    }

    LoggedReport logged;
    logged.device = dev->deviceIndex;
    logged.bytes.assign(data, data + length);
    logged.interfaceNumber = dev->interfaceNumber;
    logged.isConfig = dev->isConfig;
    logged.delivered = false;
    s.log.push_back(std::move(logged));
    LoggedReport &entry = s.log.back();

    SimDevice *device = nullptr;
    SimInterface *interface = liveInterface(s, dev, &device);
    if (interface == nullptr)
        return -1;
    if (length > static_cast<size_t>(REPORT_SIZE)) {
        dev->error = L"Report longer than the output report";
        return -1;
    }
    if (data[0] != 0) {
        dev->error = L"The device has no report with this id";
        return -1;
    }
    if (!dev->isConfig) {
        entry.delivered = true;
        dev->error.clear();
        return static_cast<int>(length);
    }
    const int result = exchange(s, *device, *interface, dev, data, length, entry);
    if (result >= 0)
        dev->error.clear();
    return result;
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device *dev, unsigned char *data,
                                                 size_t length, int milliseconds)
{
    return readAnswer(dev, data, length, milliseconds < 0 ? -1 : milliseconds);
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    int milliseconds = -1;
    {
        Simulator &s = sim();
        Lock lock(s.mutex);
        if (dev != nullptr && s.handles.count(dev) != 0 && dev->nonblocking)
            milliseconds = 0;
    }
    return readAnswer(dev, data, length, milliseconds);
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device *dev, int nonblock)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return -1;
    dev->nonblocking = nonblock != 0;
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *dev, const unsigned char *,
                                                        size_t)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return -1;
    dev->error = L"The device has no feature reports";
    return -1;
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device *dev, unsigned char *, size_t)
{
    return hid_send_feature_report(dev, nullptr, 0);
}

int HID_API_EXPORT HID_API_CALL hid_get_input_report(hid_device *dev, unsigned char *, size_t)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return -1;
    dev->error = L"Input reports are only sent as answers";
    return -1;
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev)
{
    if (dev == nullptr)
        return;
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return;
    s.handles.erase(dev);
    if (dev->resetEpoch == s.resetEpoch && dev->plugEpoch == s.plugEpoch) {
        SimInterface *interface = s.interfaceWithId(s.deviceWithId(dev->deviceId),
                                                    dev->interfaceId);
        // Input reports belong to open handles: with the last one closed they are dropped.
        if (interface != nullptr && --interface->openHandles <= 0) {
            interface->openHandles = 0;
            interface->queue.clear();
        }
    }
    FreeInfo(dev->info);
    delete dev;
}

int HID_API_EXPORT_CALL hid_get_manufacturer_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return -1;
    return copyOut(MANUFACTURER, string, maxlen);
}

int HID_API_EXPORT_CALL hid_get_product_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return -1;
    if (!dev->hasProduct) {
        dev->error = L"The interface has no product string";
        return -1;
    }
    return copyOut(dev->product, string, maxlen);
}

int HID_API_EXPORT_CALL hid_get_serial_number_string(hid_device *dev, wchar_t *string,
                                                     size_t maxlen)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return -1;
    return copyOut(dev->serial, string, maxlen);
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_get_device_info(hid_device *dev)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return nullptr;
    if (dev->resetEpoch != s.resetEpoch) {
        dev->error = L"Handle opened before the simulator was reset";
        return nullptr;
    }
    return dev->info;
}

int HID_API_EXPORT_CALL hid_get_indexed_string(hid_device *dev, int string_index, wchar_t *string,
                                               size_t maxlen)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (!isKnown(s, dev))
        return -1;
    // String descriptors: 1 manufacturer, 2 product (the interface's), 3 serial number.
    switch (string_index) {
    case 1:
        return copyOut(MANUFACTURER, string, maxlen);
    case 2:
        if (dev->hasProduct)
            return copyOut(dev->product, string, maxlen);
        break;
    case 3:
        return copyOut(dev->serial, string, maxlen);
    default:
        break;
    }
    dev->error = L"No string descriptor with this index";
    return -1;
}

HID_API_EXPORT const wchar_t *HID_API_CALL hid_error(hid_device *dev)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (dev == nullptr)
        return s.error.empty() ? NO_ERROR_TEXT : s.error.c_str();
    if (s.handles.count(dev) == 0)
        return INVALID_HANDLE_TEXT;
    return dev->error.empty() ? NO_ERROR_TEXT : dev->error.c_str();
}

HID_API_EXPORT const struct hid_api_version *HID_API_CALL hid_version(void)
{
    static const hid_api_version version
        = {HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR, HID_API_VERSION_PATCH};
    return &version;
}

HID_API_EXPORT const char *HID_API_CALL hid_version_str(void)
{
    return HID_API_VERSION_STR;
}

} // extern "C"
