// Benchmark: a full Write through the window with backup before and verify after, on the
// simulated chip with 1 ms and 2 ms per exchange: the wall time against the bus time.
#include "BenchSupport.h"
#include "MainWindow.h"
#include "SafeWrite.h"
#include "SimMorvantide100.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/prctl.h>

namespace {
void setOptions(bool backup, bool verify)
{
    QSettings settings(QStringLiteral("tarnwicks"), QStringLiteral("mv100-editor"));
    settings.setValue(QStringLiteral("backupBeforeWrite"), backup);
    settings.setValue(QStringLiteral("verifyAfterWrite"), verify);
}
} // namespace

int main(int argc, char **argv)
{
    BenchSupport::offscreenUnlessChosen();
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    BenchSupport::keepUserFoldersIn(dir);
    QApplication app(argc, argv);

    std::printf("Exchanges of one Write (zero latency):\n");
    const struct
    {
        const char *name;
        bool backup, verify;
    } kinds[] = {{"write alone", false, false},
                 {"write + verify", false, true},
                 {"backup + write + verify", true, true}};
    for (const auto &kind : kinds) {
        mv100sim::reset();
        setOptions(kind.backup, kind.verify);
        MainWindow window;
        const int before = mv100sim::exchangeCount();
        QElapsedTimer timer;
        timer.start();
        const unsigned short result = window.WriteMv100();
        // With no bus time, what is left is the editor's and the simulator's own work.
        std::printf("  %-26s %4d exchanges, %.1f ms at zero latency (result %u)\n", kind.name,
                    mv100sim::exchangeCount() - before, double(timer.nsecsElapsed()) / 1e6, result);
    }

    setOptions(true, true);
    // The simulated chip sleeps through most of its latency and spins the rest; a fine timer
    // slack makes the sleep's wake-up punctual, so the spin stays short.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    std::printf("Backup + write + verify with simulated bus latency:\n");
    for (const int latencyUs : {1000, 2000}) {
        mv100sim::reset();
        mv100sim::setLatencyMicroseconds(latencyUs);
        MainWindow window;
        BenchSupport::showAndPaint(window);
        QElapsedTimer timer;
        timer.start();
        const int before = mv100sim::exchangeCount();
        const unsigned short result = window.WriteMv100();
        const double wallMs = double(timer.nsecsElapsed()) / 1e6;
        const int exchanges = mv100sim::exchangeCount() - before;
        const double busMs = exchanges * latencyUs / 1000.0;
        // The same sequence without the window: what the bus and the simulator take.
        mv100sim::reset();
        mv100sim::setLatencyMicroseconds(latencyUs);
        Mv100Transfer transfer;
        timer.start();
        transfer.Open();
        const SafeWriteOutcome bare
            = safeWrite(transfer, window.configuration(), QString::fromLatin1(MV100_PIN::STRING),
                        SafeWriteOptions(), nullptr);
        transfer.Close();
        const double bareMs = double(timer.nsecsElapsed()) / 1e6;
        std::printf("  latency %d ms: %d exchanges, bus %.1f ms; window %.1f ms (ratio %.4f), "
                    "without window %.1f ms (ratio %.4f); results %u/%u\n",
                    latencyUs / 1000, exchanges, busMs, wallMs, wallMs / busMs, bareMs,
                    bareMs / busMs, result, bare.result);
    }
    return 0;
}
