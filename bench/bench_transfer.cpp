// Benchmark: CPU time per exchange of a full memory image write and read on the simulated chip.
//
// The process CPU time of a transfer includes the simulated chip's share (it runs in this
// process). To separate the editor's own share, the same hidapi calls that one command makes
// (the drain read, the write, the answer read) are timed alone on raw reports and subtracted.
#include "CMorvantide100.h"
#include "SimMorvantide100.h"

#include <hidapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
constexpr int ROUNDS = 40;
constexpr int EXCHANGES_PER_ROUND = 2 * MV100::BLOCK_COUNT; // 496

double processCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double wallSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct Figures
{
    double cpu = 0;
    double wall = 0;
};

template<typename Work> Figures measure(Work work)
{
    const double cpu = processCpuSeconds();
    const double wall = wallSeconds();
    for (int round = 0; round < ROUNDS; ++round) {
        work();
        mv100sim::clearLog(); // the simulator's log would otherwise grow without bound
    }
    return {processCpuSeconds() - cpu, wallSeconds() - wall};
}

double perExchangeMicroseconds(double seconds)
{
    return seconds * 1e6 / (double(ROUNDS) * EXCHANGES_PER_ROUND);
}
} // namespace

int main()
{
    mv100sim::reset();
    mv100sim::setLatencyMicroseconds(0);

    CMorvantide100 device;
    if (device.Open() != 1) {
        std::fprintf(stderr, "bench_transfer: the simulated chip could not be opened\n");
        return 1;
    }
    std::vector<unsigned char> image(MV100::MEMORY_SIZE);
    for (int i = 0; i < MV100::MEMORY_SIZE; ++i)
        image[i] = static_cast<unsigned char>(i * 7);
    device.SetMemory(image);

    int failures = 0;
    const Figures editor = measure([&] {
        failures += device.WriteMemoryData() != 0;
        failures += device.ReadMemoryData() != 0;
    });

    // The figures count only if the transfers really carried the image.
    const auto &chipMemory = mv100sim::chip().memory;
    failures += !std::equal(image.begin(), image.end(), chipMemory.begin());
    failures += device.GetMemoryData() != image;

    // The simulator alone: the same hidapi calls per exchange on prepared reports.
    hid_device *handle = device.GetDeviceState().handle;
    std::vector<std::vector<unsigned char>> reports;
    for (int b = 0; b < MV100::BLOCK_COUNT; ++b) {
        for (unsigned char command : {MV100::CMD_WRITE_BLOCK, MV100::CMD_READ_BLOCK}) {
            std::vector<unsigned char> report(MV100::REPORT_OUT_SIZE, 0);
            report[1] = command;
            report[2] = static_cast<unsigned char>(b);
            std::copy(MV100_PIN::BYTES.begin(), MV100_PIN::BYTES.end(),
                      report.begin() + MV100::REPORT_PIN);
            reports.push_back(report);
        }
    }
    const Figures simulator = measure([&] {
        unsigned char answer[MV100::REPORT_IN_SIZE];
        for (const auto &report : reports) {
            hid_read_timeout(handle, answer, sizeof answer, 0);
            failures += hid_write(handle, report.data(), report.size()) < 0;
            failures
                += hid_read_timeout(handle, answer, sizeof answer, MV100::READ_TIMEOUT_MS) <= 0;
        }
    });

    const double total = perExchangeMicroseconds(editor.cpu);
    const double simulatorShare = perExchangeMicroseconds(simulator.cpu);
    std::printf("bench_transfer: %d x (WriteMemoryData + ReadMemoryData), %d exchanges each, "
                "zero latency\n",
                ROUNDS, EXCHANGES_PER_ROUND);
    std::printf("  failed calls:                          %d\n", failures);
    std::printf("  process CPU per exchange (editor+sim): %8.3f us (wall %8.3f us)\n", total,
                perExchangeMicroseconds(editor.wall));
    std::printf("  simulator alone per exchange:          %8.3f us (wall %8.3f us)\n",
                simulatorShare, perExchangeMicroseconds(simulator.wall));
    std::printf("  editor's own CPU per exchange:         %8.3f us (target < 20 us)\n",
                total - simulatorShare);
    return failures == 0 ? 0 : 1;
}
