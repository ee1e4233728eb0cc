// The controls of the simulated chip that tests and the demo build use.
#include "SimMorvantide100.h"
#include "Simulator.h"
#include "StateFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace mv100sim {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

Simulator &sim()
{
    return Simulator::instance();
}

} // namespace

void reset()
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.devices.clear();
    s.addDevice();
    ++s.resetEpoch;
    ++s.plugEpoch;
    s.unplugged = false;
    s.stopAfter = -1;
    s.failWrite = -1;
    s.unplugAt = -1;
    s.emptyAnswers = false;
    s.eraseError = 0;
    s.latencyMicroseconds = 0;
    s.blockingReadLimitMs = 2000;
    s.openDenied = false;
    s.corruptBlock = -1;
    s.dropBlock = -1;
    s.log.clear();
    s.exchanges = 0;
    s.invalidUses = 0;
    s.stateFile.clear();
    s.error.clear();
}

void setDeviceCount(int count)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    while (s.devices.size() > wanted)
        s.devices.pop_back();
    while (s.devices.size() < wanted)
        s.addDevice();
}

int deviceCount()
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    return static_cast<int>(s.devices.size());
}

void setInterfaces(int device, const std::vector<Interface> &interfaces)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (device < 0 || device >= static_cast<int>(s.devices.size()))
        return;
    std::vector<SimInterface> replaced;
    for (const Interface &description : interfaces) {
        SimInterface interface;
        interface.id = s.nextId++;
        interface.description = description;
        replaced.push_back(std::move(interface));
    }
    s.devices[static_cast<std::size_t>(device)]->interfaces = std::move(replaced);
}

ChipState &chip(int device)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (device < 0 || device >= static_cast<int>(s.devices.size())) {
        std::fprintf(stderr, "mv100sim::chip(%d): only %d chips are attached\n", device,
                     static_cast<int>(s.devices.size()));
        std::abort();
    }
    return s.devices[static_cast<std::size_t>(device)]->chip;
}

void stopAnsweringAfter(int exchanges)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.stopAfter = exchanges < 0 ? -1 : exchanges;
}

void failWriteOfExchange(int n)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.failWrite = n < 0 ? -1 : n;
}

void answerEmpty(bool on)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.emptyAnswers = on;
}

void unplugAfter(int exchanges)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.unplugAt = exchanges < 0 ? -1 : exchanges;
    if (s.unplugAt >= 0 && s.exchanges >= s.unplugAt)
        s.unplugAll();
    else
        s.unplugged = false;
}

void queueStaleAnswer(int device, const std::vector<unsigned char> &answer)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    SimInterface *interface = s.firstConfigInterface(device);
    if (interface == nullptr || s.unplugged)
        return;
    PendingAnswer pending;
    pending.bytes.assign(answer.begin(),
                         answer.begin() + std::min<std::size_t>(answer.size(), ANSWER_SIZE));
    pending.readyAt = Clock::now();
    interface->queue.push_back(std::move(pending));
}

void setEraseError(unsigned char detail)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.eraseError = detail;
}

void setLatencyMicroseconds(int us)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.latencyMicroseconds = us > 0 ? us : 0;
}

void setBlockingReadLimitMilliseconds(int ms)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.blockingReadLimitMs = ms > 0 ? ms : 0;
}

void setOpenDenied(bool denied)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.openDenied = denied;
}

void corruptBlockWrite(int block, int byteIndex, unsigned char xorMask)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    const bool on = block >= 0 && byteIndex >= 0 && byteIndex < BLOCK_SIZE;
    s.corruptBlock = on ? block : -1;
    s.corruptByte = on ? byteIndex : 0;
    s.corruptMask = xorMask;
}

void dropBlockWrite(int block)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.dropBlock = block < 0 ? -1 : block;
}

const std::vector<LoggedReport> &writtenReports()
{
    return sim().log;
}

void clearLog()
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.log.clear();
}

int exchangeCount()
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    return s.exchanges;
}

int openHandleCount()
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    int count = 0;
    for (const hid_device *handle : s.handles) {
        if (handle->resetEpoch == s.resetEpoch)
            ++count;
    }
    return count;
}

int queuedAnswers(int device)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    const SimInterface *interface = s.firstConfigInterface(device);
    return interface == nullptr ? 0 : static_cast<int>(interface->queue.size());
}

int invalidHandleUses()
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    return s.invalidUses;
}

bool setStateFile(const std::string &path)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    s.stateFile = path;
    if (path.empty() || s.devices.empty())
        return true;
    ChipState &first = s.devices.front()->chip;
    switch (ReadStateFile(path, first)) {
    case FileResult::Loaded:
    case FileResult::Missing:
        return true;
    case FileResult::Damaged:
        first = erasedChip();
        return false;
    }
    return false;
}

bool saveState(const std::string &path)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (s.devices.empty())
        return false;
    return WriteStateFile(path, s.devices.front()->chip);
}

bool loadState(const std::string &path)
{
    Simulator &s = sim();
    Lock lock(s.mutex);
    if (s.devices.empty())
        return false;
    return ReadStateFile(path, s.devices.front()->chip) == FileResult::Loaded;
}

} // namespace mv100sim
