// Benchmark: a full Write and a full Read through the window against the simulated chip.
//
// The window's WriteMv100/ReadMv100 are timed against the same exchanges made on a bare
// CMorvantide100 (transport, commands and the simulated chip, which runs in this process). The
// difference is the editor's own cost: reading and filling the widgets, the progress indication,
// the model copy and the redraw of the 1152 cells.
#include "BenchSupport.h"
#include "CMorvantide100.h"
#include "MainWindow.h"
#include "MemoryImage.h"
#include "SimMorvantide100.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <random>

namespace {
constexpr int ROUNDS = 25;
// Info, erase, LED, mouse, custom data, 248 blocks, debounce, new PIN (no lock).
constexpr int WRITE_EXCHANGES = 5 + MV100::BLOCK_COUNT + 2;
// Info, mouse, LED, debounce, 248 blocks.
constexpr int READ_EXCHANGES = 4 + MV100::BLOCK_COUNT;

BenchSupport::Timings measure(const std::function<void()> &work)
{
    return BenchSupport::measure(ROUNDS, [&work](int) {
        work();
        mv100sim::clearLog(); // the simulator's log would otherwise grow without bound
        return true;
    });
}

// A configuration with every cell and macro byte set.
void fillWindow(MainWindow &window)
{
    std::mt19937 random(42);
    Mv100Config config;
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int y = 0; y < MV100::ROWS; ++y) {
            for (int x = 0; x < MV100::COLUMNS; ++x)
                config.setKeyCode(layer, x, y, static_cast<unsigned short>(random() & 0x03FF));
        }
    }
    for (int slot = 0; slot < MV100::MACRO_COUNT; ++slot) {
        Mv100Config::Macro macro;
        for (unsigned char &byte : macro)
            byte = static_cast<unsigned char>(random());
        config.setMacro(slot, macro);
    }
    window.document().reset(config);
}

// The window's configuration in the device object's model, for the bare write.
void modelOf(const MainWindow &window, CMorvantide100 &model)
{
    model.SetMemory(MemoryImage::build(window.configuration()));
    model.BuildKeytable();
    model.BuildMacros();
}

// The exchanges of a write without the window: what WriteMv100 cannot do faster.
void bareWrite(const CMorvantide100 &source)
{
    CMorvantide100 device;
    device = source;
    if (device.Open() != 1)
        return;
    unsigned char answer[MV100::REPORT_IN_SIZE] = {};
    const unsigned char led[8] = {}, backlight[15] = {}, mouse[32] = {}, custom[16] = {};
    device.ReadInfo(answer);
    device.GetVersion();
    device.Erase(answer);
    device.WriteLed(0, led, backlight, answer);
    device.WriteMouse(mouse, answer);
    device.WriteCustomBytes(custom, answer);
    device.BuildMemory();
    device.WriteMemoryData();
    device.WriteDebounce(3, answer);
    device.WriteNewPin(MV100_PIN::BYTES.data(), MV100_PIN::BYTES.data(), answer);
    device.Close();
}

// The exchanges of a read without the window.
void bareRead()
{
    CMorvantide100 device;
    if (device.Open() != 1)
        return;
    unsigned char answer[MV100::REPORT_IN_SIZE] = {};
    device.ReadInfo(answer);
    device.GetVersion();
    device.ReadMouse(answer);
    device.ReadLed(answer);
    device.ReadDebounce(answer);
    device.ReadMemoryData();
    device.BuildKeytable();
    device.BuildMacros();
    device.Close();
}
} // namespace

int main(int argc, char *argv[])
{
    BenchSupport::offscreenUnlessChosen();
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    BenchSupport::keepUserFoldersIn(home);
    QApplication app(argc, argv);
    { // the Write alone, as before backup and verify existed (bench_safewrite measures those)
        QSettings settings(QStringLiteral("tarnwicks"), QStringLiteral("mv100-editor"));
        settings.setValue(QStringLiteral("backupBeforeWrite"), false);
        settings.setValue(QStringLiteral("verifyAfterWrite"), false);
    }
    mv100sim::reset();
    mv100sim::setLatencyMicroseconds(0);

    MainWindow window;
    BenchSupport::showAndPaint(window);
    fillWindow(window);
    CMorvantide100 model;
    modelOf(window, model);

    unsigned short result = 0;
    // Each kind of run once, to make sure the figures below are of complete transfers.
    const struct
    {
        const char *name;
        std::function<void()> work;
        int exchanges;
    } checks[] = {
        {"window write", [&]() { result |= window.WriteMv100(); }, WRITE_EXCHANGES},
        {"bare write", [&]() { bareWrite(model); }, WRITE_EXCHANGES},
        {"window read", [&]() { result |= window.ReadMv100(); }, READ_EXCHANGES},
        {"bare read", []() { bareRead(); }, READ_EXCHANGES},
    };
    for (const auto &check : checks) {
        const int before = mv100sim::exchangeCount();
        check.work();
        if (mv100sim::exchangeCount() - before != check.exchanges || result != 0) {
            std::printf("%s: %d exchanges (expected %d), result 0x%04X: figures not valid\n",
                        check.name, mv100sim::exchangeCount() - before, check.exchanges, result);
            return 1;
        }
    }

    const BenchSupport::Timings windowWrite = measure([&]() { result |= window.WriteMv100(); });
    const BenchSupport::Timings bareWriteFigures = measure([&]() { bareWrite(model); });
    const BenchSupport::Timings windowRead = measure([&]() { result |= window.ReadMv100(); });
    const BenchSupport::Timings bareReadFigures = measure([]() { bareRead(); });
    if (result != MV100::RESULT_SUCCESS) {
        std::printf("a transfer failed (result bits 0x%04X): figures not valid\n", result);
        return 1;
    }

    std::printf("Full transfer through the window, simulated chip without latency, %d rounds\n",
                ROUNDS);
    std::printf("%-6s %14s %14s %14s\n", "", "window [ms]", "bare [ms]", "editor [ms]");
    std::printf("%-6s %14s %14s %14s\n", "", "median/best", "median/best", "median");
    std::printf("%-6s %6.2f/%6.2f %6.2f/%6.2f %14.2f\n", "Write", windowWrite.median(),
                windowWrite.min(), bareWriteFigures.median(), bareWriteFigures.min(),
                windowWrite.median() - bareWriteFigures.median());
    std::printf("%-6s %6.2f/%6.2f %6.2f/%6.2f %14.2f\n", "Read", windowRead.median(),
                windowRead.min(), bareReadFigures.median(), bareReadFigures.min(),
                windowRead.median() - bareReadFigures.median());
    std::printf("Editor's own cost: the window's time less the bare exchanges (target < 50 ms).\n");
    return 0;
}
