// The simulator's shared state: attached chips, open handles, faults and the log.
#include "Simulator.h"

#include "StateFile.h"

#include <algorithm>

namespace mv100sim {

Simulator &Simulator::instance()
{
    static Simulator *simulator = [] {
        auto *created = new Simulator;
        created->addDevice();
        return created;
    }();
    return *simulator;
}

SimDevice *Simulator::deviceWithId(unsigned id)
{
    for (auto &device : devices) {
        if (device->id == id)
            return device.get();
    }
    return nullptr;
}

SimInterface *Simulator::interfaceWithId(SimDevice *device, unsigned id)
{
    if (device == nullptr)
        return nullptr;
    for (auto &interface : device->interfaces) {
        if (interface.id == id)
            return &interface;
    }
    return nullptr;
}

SimInterface *Simulator::firstConfigInterface(int device)
{
    if (device < 0 || device >= static_cast<int>(devices.size()))
        return nullptr;
    for (auto &interface : devices[static_cast<std::size_t>(device)]->interfaces) {
        if (interface.description.isConfig)
            return &interface;
    }
    return nullptr;
}

int Simulator::indexOfDevice(const SimDevice *device) const
{
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].get() == device)
            return static_cast<int>(i);
    }
    return -1;
}

void Simulator::addDevice()
{
    auto device = std::make_unique<SimDevice>();
    device->id = nextId++;
    device->chip.serial += static_cast<std::uint32_t>(devices.size());
    for (const Interface &description : defaultInterfaces()) {
        SimInterface interface;
        interface.id = nextId++;
        interface.description = description;
        device->interfaces.push_back(std::move(interface));
    }
    devices.push_back(std::move(device));
}

void Simulator::unplugAll()
{
    if (unplugged)
        return;
    unplugged = true;
    ++plugEpoch;
    for (auto &device : devices) {
        for (auto &interface : device->interfaces) {
            interface.queue.clear();
            interface.openHandles = 0;
        }
    }
}

void Simulator::saveIfPersistent(const SimDevice &device)
{
    if (!stateFile.empty() && !devices.empty() && devices.front().get() == &device)
        WriteStateFile(stateFile, device.chip);
}

Answer Simulator::executeOn(SimDevice &device, const Report &report, bool &changed)
{
    ChipState &chip = device.chip;
    const int block = report[2];
    const bool blockWrite = report[1] == CHIP_WRITE_BLOCK && block < BLOCK_COUNT;
    const auto first = chip.memory.begin() + (blockWrite ? block * BLOCK_SIZE : 0);
    std::array<unsigned char, BLOCK_SIZE> before {};
    std::copy_n(first, BLOCK_SIZE, before.begin());

    const Answer answer = ExecuteReport(chip, report, eraseError, changed);
    // The faults act only where the chip accepted the write: its answer stays "done" either way.
    if (!blockWrite || answer[1] != 0)
        return answer;
    if (block == dropBlock) {
        std::copy(before.begin(), before.end(), first);
        changed = false;
    } else if (block == corruptBlock) {
        first[corruptByte] ^= corruptMask;
    }
    return answer;
}

} // namespace mv100sim
