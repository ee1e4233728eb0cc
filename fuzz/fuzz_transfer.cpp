// fuzz_transfer: Read, Write, Erase and Get Info of the device transfers against a fake chip whose
// every answer comes from the fuzzer (FakeHidScript.h). Nothing may crash, every handle must be
// closed, a failed Read must leave the configuration as it was, and the progress must stay
// within the operation's steps.
#include "FakeHid.h"
#include "FakeHidScript.h"
#include "FuzzSamples.h"
#include "Mv100Transfer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
// The first input byte: the operation in the low bits, Write's lock flag above them.
enum Operation { READ, WRITE, ERASE, INFO };
constexpr std::uint8_t OPERATION_MASK = 0x03;
constexpr std::uint8_t LOCK_FLAG = 0x04;
// Short timeouts: the fake never waits, but the device layer must pass a bounded one.
constexpr int READ_TIMEOUT_MS = 20;
constexpr std::uint8_t SENTINEL_DETAIL = 0xA5;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_transfer: %s\n", what);
    std::abort();
}

bool sameInfo(const Mv100DeviceInfo &a, const Mv100DeviceInfo &b)
{
    return a.customData == b.customData && a.locked == b.locked && a.eraseCount == b.eraseCount
        && a.serial == b.serial && a.version == b.version;
}

Mv100DeviceInfo sentinelInfo()
{
    Mv100DeviceInfo info;
    info.customData.fill(0x5A);
    info.locked = true;
    info.eraseCount = 0x1234;
    info.serial = 0xDEADBEEF;
    info.version = -1;
    return info;
}

void checkRead(Mv100Transfer &transfer, const int &steps)
{
    static const Mv100Config original = FuzzSamples::richConfig();
    const Mv100Transfer::PinBytes pin = Mv100Transfer::pinBytes(QStringLiteral("3C9A71E04B5D28F6"));
    Mv100Config config = original;
    const Mv100DeviceInfo sentinel = sentinelInfo();
    Mv100DeviceInfo info = sentinel;
    const unsigned short result = transfer.Read(pin, config, &info);
    if (steps > Mv100Transfer::READ_STEPS)
        fail("Read reported more progress steps than READ_STEPS");
    if (result != MV100::RESULT_SUCCESS) {
        if (config != original)
            fail("a failed Read changed the configuration");
        if (!sameInfo(info, sentinel))
            fail("a failed Read changed the device info");
        return;
    }
    if (steps != Mv100Transfer::READ_STEPS)
        fail("a successful Read did not report every step");
    // Info, mouse, LED, the blocks, and debounce where the firmware knows it.
    if (FakeHid::counters().answers < 3 + MV100::BLOCK_COUNT)
        fail("Read succeeded with fewer answers than commands");
    if (config.settings().newPin != original.settings().newPin
        || config.settings().lockMode != original.settings().lockMode)
        fail("Read changed the new PIN or the lock mode");
    if (config.settings() != config.settings().normalized())
        fail("Read gave settings that are not normalised");
    if (info.locked)
        fail("Read succeeded on a locked chip");
}

void checkWrite(Mv100Transfer &transfer, const int &steps, bool lock)
{
    static const Mv100Config config = FuzzSamples::richConfig();
    const Mv100Transfer::PinBytes pin = Mv100Transfer::pinBytes(QStringLiteral("0123456789ABCDEF"));
    const unsigned short result = transfer.Write(config, pin, lock);
    if (steps > Mv100Transfer::WRITE_STEPS)
        fail("Write reported more progress steps than WRITE_STEPS");
    if (result != MV100::RESULT_SUCCESS)
        return;
    if (steps != Mv100Transfer::WRITE_STEPS)
        fail("a successful Write did not report every step");
    // Info, erase, LED, mouse, custom data, the blocks, new PIN, and lock and debounce where due.
    if (FakeHid::counters().answers < 6 + MV100::BLOCK_COUNT + (lock ? 1 : 0))
        fail("Write succeeded with fewer answers than commands");
}

void checkErase(Mv100Transfer &transfer)
{
    std::uint8_t detail = SENTINEL_DETAIL;
    const Mv100Transfer::EraseOutcome outcome
        = transfer.Erase(Mv100Transfer::pinBytes(QStringLiteral("3C9A71E04B5D28F6")), &detail);
    if (outcome != Mv100Transfer::EraseOutcome::Refused && detail != SENTINEL_DETAIL)
        fail("Erase set a refusal detail without a refusal");
    if (outcome != Mv100Transfer::EraseOutcome::NoAnswer && FakeHid::counters().answers < 1)
        fail("Erase reported an answer that never came");
}

void checkInfo(Mv100Transfer &transfer)
{
    const Mv100DeviceInfo sentinel = sentinelInfo();
    Mv100DeviceInfo info = sentinel;
    if (transfer.Info(info)) {
        if (FakeHid::counters().answers < 1)
            fail("Info succeeded without an answer");
    } else if (!sameInfo(info, sentinel)) {
        fail("a failed Info changed the device info");
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    CMorvantide100::SetReadTimeout(READ_TIMEOUT_MS);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t control = data[0];
    FakeHid::load(data + 1, size - 1);
    {
        int steps = 0;
        Mv100Transfer transfer([&steps] { ++steps; });
        // Whether or not exactly one chip opened, the operations must cope.
        const bool opened = transfer.Open();
        if (opened != (FakeHid::counters().openHandles == 1))
            fail("Open's result does not match the handles it holds");
        if (FakeHid::counters().openHandles > 1)
            fail("Open holds more than one handle");
        switch (control & OPERATION_MASK) {
        case READ:
            checkRead(transfer, steps);
            break;
        case WRITE:
            checkWrite(transfer, steps, control & LOCK_FLAG);
            break;
        case ERASE:
            checkErase(transfer);
            break;
        default:
            checkInfo(transfer);
            break;
        }
    }
    if (FakeHid::counters().openHandles != 0)
        fail("a handle was left open");
    if (FakeHid::counters().openEnumerations != 0)
        fail("an enumeration was not freed");
    return 0;
}
