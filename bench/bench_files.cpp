// Benchmark: Save and Open of a full configuration (every cell and every macro in use).
#include "BenchSupport.h"
#include "KeyMatrixWidget.h"
#include "MainWindow.h"

#include <QApplication>
#include <QSpinBox>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <functional>

namespace {
constexpr int WARM_UP = 3;
constexpr int RUNS = 50;

void fillEverything(MainWindow &window)
{
    constexpr std::array<unsigned short, 8> codes
        = {0x0004, 0xE104, 0x010C, 0x0205, 0x0310, 0x0401, 0x00FF, 0x02AF};
    Mv100Config config;
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int y = 0; y < MV100::ROWS; ++y) {
            for (int x = 0; x < MV100::COLUMNS; ++x) {
                config.setKeyCode(layer, x, y, codes[std::size_t(x + y + layer) % codes.size()]);
            }
        }
    }
    for (int slot = 0; slot < MV100::MACRO_COUNT; ++slot) {
        Mv100Config::Macro record {};
        record[0] = static_cast<unsigned char>(slot % 4);
        for (int i = 1; i < MV100::MACRO_SIZE; ++i)
            record[std::size_t(i)] = static_cast<unsigned char>(slot + i);
        config.setMacro(slot, record);
    }
    window.document().reset(config);
    window.findChild<QSpinBox *>(QStringLiteral("spin_debounce"))->setValue(12);
    window.findChild<QSpinBox *>(QStringLiteral("mouse_spin_min"))->setValue(1);
}

// A few runs first that are not counted, then RUNS counted ones.
BenchSupport::Timings measure(const std::function<bool()> &work)
{
    return BenchSupport::measure(
        RUNS, [&work](int) { return work(); }, WARM_UP);
}

void report(const char *name, const BenchSupport::Timings &t)
{
    if (t.failed()) {
        std::printf("%-6s failed\n", name);
        return;
    }
    std::printf("%-6s min %7.3f ms   median %7.3f ms   max %7.3f ms   (%d runs)\n", name, t.min(),
                t.median(), t.max(), int(t.ms.size()));
}
} // namespace

int main(int argc, char **argv)
{
    BenchSupport::offscreenUnlessChosen();
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    // Opening a file stores the recent list.
    BenchSupport::keepUserFoldersIn(dir);

    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);

    MainWindow window;
    fillEverything(window);
    const QString file = dir.filePath(QStringLiteral("full.mv100"));

    // Save: what the Save action does once a name has been chosen.
    const BenchSupport::Timings save
        = measure([&]() { return window.SaveFile(file, window.GetItems()); });
    // Open: read, check, reset, apply, recent list (as a recent entry does without a question).
    const BenchSupport::Timings open = measure([&]() {
        window.document().markSaved(QString());
        window.openRecentFile(file);
        return window.configuration().keyCode(2, 15, 23) != 0xFFFF;
    });
    std::printf("Save and Open of a full configuration (%lld bytes)\n",
                static_cast<long long>(QFileInfo(file).size()));
    report("Save", save);
    report("Open", open);
    return save.failed() || open.failed() ? 1 : 0;
}
