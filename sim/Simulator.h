// The simulator's shared state: attached chips, open handles, faults and the log.
#pragma once

#include "ChipModel.h"
#include "SimMorvantide100.h"

#include <hidapi.h>

#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace mv100sim {

using Clock = std::chrono::steady_clock;

// One answer waiting in an interface's input queue.
struct PendingAnswer
{
    std::vector<unsigned char> bytes;
    Clock::time_point readyAt;
};

struct SimInterface
{
    unsigned id = 0;
    Interface description;
    std::deque<PendingAnswer> queue;
    int openHandles = 0;
};

struct SimDevice
{
    unsigned id = 0;
    ChipState chip;
    std::vector<SimInterface> interfaces;
};

struct Simulator
{
    std::recursive_mutex mutex;

    std::vector<std::unique_ptr<SimDevice>> devices;
    std::set<hid_device *> handles;
    unsigned nextId = 1;
    unsigned resetEpoch = 1;
    unsigned plugEpoch = 1;
    bool unplugged = false;

    int stopAfter = -1;
    int failWrite = -1;
    int unplugAt = -1;
    bool emptyAnswers = false;
    unsigned char eraseError = 0;
    int latencyMicroseconds = 0;
    int blockingReadLimitMs = 2000;
    bool openDenied = false;
    int corruptBlock = -1;
    int corruptByte = 0;
    unsigned char corruptMask = 0;
    int dropBlock = -1;

    std::vector<LoggedReport> log;
    int exchanges = 0;
    int invalidUses = 0;

    std::string stateFile;
    std::wstring error; // the last error not tied to a handle

    // Never destroyed: handles may still be closed by objects that outlive every static.
    static Simulator &instance();

    SimDevice *deviceWithId(unsigned id);
    SimInterface *interfaceWithId(SimDevice *device, unsigned id);
    SimInterface *firstConfigInterface(int device);
    int indexOfDevice(const SimDevice *device) const;
    void addDevice();
    void unplugAll();
    void saveIfPersistent(const SimDevice &device);
    // Carries out one report on a chip with the injected write faults; see ExecuteReport.
    Answer executeOn(SimDevice &device, const Report &report, bool &changed);
};

} // namespace mv100sim

// The handle hid_open_path hands out: one per open, tied to one interface of one chip.
struct hid_device_
{
    unsigned resetEpoch = 0;
    unsigned plugEpoch = 0;
    unsigned deviceId = 0;
    unsigned interfaceId = 0;
    int deviceIndex = 0;
    int interfaceNumber = 0;
    bool isConfig = false;
    bool hasProduct = true;
    std::wstring product;
    std::wstring serial;
    bool nonblocking = false;
    std::wstring error;
    hid_device_info *info = nullptr;
};
