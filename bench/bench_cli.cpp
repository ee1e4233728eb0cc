// Benchmark of mv100ctl: check and diff of full files as processes of mv100ctl-sim (start-up
// included), and a write in process on the simulated chip with 1 ms per exchange. Prints the
// figures against their targets; never fails on a time.
#include "ConfigFile.h"
#include "CtlIo.h"
#include "Mv100Ctl.h"
#include "SimMorvantide100.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

constexpr int RUNS = 20;
constexpr double PROCESS_TARGET_MS = 50.0;
constexpr int LATENCY_US = 1000;

// Every cell, macro and setting set, varied by seed.
Mv100Config fullConfig(int seed)
{
    Mv100Config config;
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int cell = 0; cell < MV100::CELLS; ++cell) {
            config.setKeyCode(layer, cell % MV100::COLUMNS, cell / MV100::COLUMNS,
                              std::uint16_t(0x0004 + (cell + layer + seed) % 90));
        }
    }
    for (int number = 0; number < MV100::MACRO_COUNT; ++number) {
        Mv100Config::Macro macro = Mv100Config::emptyMacro();
        for (int i = 0; i < MV100::MACRO_SIZE; ++i)
            macro[std::size_t(i)] = std::uint8_t(number + i + seed);
        config.setMacro(number, macro);
    }
    config.settings().mouse[2] = std::uint8_t(0x40 + seed);
    return config;
}

struct Times
{
    double median = 0;
    double worst = 0;
    double cpu = 0; // median user + system time of the process
};

double cpuMs(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The wall times mean little on a machine that is busy with other work: said beside them.
std::string loadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one;
    file >> one;
    return one.empty() ? std::string("unknown") : one;
}

Times timeProcess(const QStringList &arguments, const QProcessEnvironment &environment)
{
    std::vector<double> ms;
    std::vector<double> cpu;
    for (int i = 0; i < RUNS; ++i) {
        QProcess process;
        process.setProcessEnvironment(environment);
        const double cpuBefore = cpuMs(RUSAGE_CHILDREN);
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral(MV100CTL_SIM), arguments);
        process.waitForFinished(30000);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs(RUSAGE_CHILDREN) - cpuBefore);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    return {ms[ms.size() / 2], ms.back(), cpu[cpu.size() / 2]};
}

void report(const char *what, const Times &times)
{
    std::printf("%-30s median %5.1f ms, worst %5.1f ms, CPU %4.1f ms (target < %.0f ms: %s)\n",
                what, times.median, times.worst, times.cpu, PROCESS_TARGET_MS,
                times.median < PROCESS_TARGET_MS ? "met" : "MISSED");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Mv100Ctl::setupApplication();
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.mv100"));
    const QString b = dir.filePath(QStringLiteral("b.mv100"));
    QString error;
    if (!ConfigFile::write(a, fullConfig(0), &error)
        || !ConfigFile::write(b, fullConfig(1), &error)) {
        std::fprintf(stderr, "cannot write the files: %s\n", qPrintable(error));
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MV100_SIM_STATE"),
                       dir.filePath(QStringLiteral("chip.state")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));

    std::printf("load average %s on %d cores\n", loadAverage().c_str(),
                QThread::idealThreadCount());
    std::printf("mv100ctl-sim as a process, %d runs each:\n", RUNS);
    report("--version (start-up alone)", timeProcess({QStringLiteral("--version")}, environment));
    report("check FILE", timeProcess({QStringLiteral("check"), a}, environment));
    report("diff A B (every cell differs)",
           timeProcess({QStringLiteral("diff"), a, b}, environment));
    report("diff --json A B",
           timeProcess({QStringLiteral("diff"), QStringLiteral("--json"), a, b}, environment));

    // In process, so that the simulated chip's latency can be set. The simulated chip sleeps
    // through most of its latency and spins the last stretch; a fine timer slack keeps that
    // stretch, which the CPU figure includes, short.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    std::printf("\nwrite in process, simulated chip at %d us per exchange:\n", LATENCY_US);
    const struct
    {
        const char *name;
        QStringList options;
    } cases[] = {{"write (backup, write, verify)", {}},
                 {"write --no-backup --no-verify",
                  {QStringLiteral("--no-backup"), QStringLiteral("--no-verify")}}};
    for (const auto &c : cases) {
        mv100sim::reset();
        mv100sim::setLatencyMicroseconds(LATENCY_US);
        Mv100Ctl::BufferIo io;
        const double cpuBefore = cpuMs(RUSAGE_SELF);
        QElapsedTimer timer;
        timer.start();
        const int code = Mv100Ctl::run(
            QStringList {QStringLiteral("mv100ctl"), QStringLiteral("write"), a} + c.options, io);
        const double elapsed = double(timer.nsecsElapsed()) / 1e6;
        const double cpu = cpuMs(RUSAGE_SELF) - cpuBefore;
        const int exchanges = mv100sim::exchangeCount();
        const double floor = exchanges * LATENCY_US / 1000.0;
        std::printf("%-30s exit %d, %d exchanges, %.1f ms = %.3f x %.0f ms (target <= 1.05 x: "
                    "%s); CPU with the simulator's spin %.1f ms = %.0f us per exchange\n",
                    c.name, code, exchanges, elapsed, elapsed / floor, floor,
                    elapsed <= 1.05 * floor ? "met" : "MISSED", cpu, cpu * 1000 / exchanges);
    }
    return 0;
}
