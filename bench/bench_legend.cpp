// Benchmark: the key legend of all three layers, every cell in use, as PDF and as PNG files.
// "bench_legend --example CONFIG.mv100 OUT.png" instead writes the Default layer's page of a
// configuration file, trimmed, as the documentation's example.
#include "ConfigFile.h"
#include "LegendRenderer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {
constexpr int WARM_UP = 1;
constexpr int RUNS = 7;

Mv100Config everyCellInUse()
{
    // Every kind, long names among them.
    constexpr std::array<quint16, 10> codes
        = {0xE704, 0x00E7, 0x0113, 0x010C, 0x0205, 0x0309, 0x0310, 0x0448, 0xE034, 0x0004};
    Mv100Config config;
    for (int layer = 0; layer < MV100::LAYERS; ++layer)
        for (int y = 0; y < MV100::ROWS; ++y)
            for (int x = 0; x < MV100::COLUMNS; ++x)
                config.setKeyCode(layer, x, y,
                                  codes[std::size_t(x * 3 + y + layer) % codes.size()]);
    return config;
}

// Medians of the wall-clock and the processor time of the runs; the processor time tells more on
// a busy machine.
struct Figures
{
    double wallMs = -1;
    double cpuMs = -1;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Figures measure(const std::function<bool()> &work)
{
    for (int i = 0; i < WARM_UP; ++i)
        work();
    std::vector<double> wall;
    std::vector<double> cpu;
    QElapsedTimer timer;
    for (int i = 0; i < RUNS; ++i) {
        const std::clock_t cpuStart = std::clock();
        timer.start();
        if (!work())
            return {};
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC);
    }
    return {median(wall), median(cpu)};
}

void report(const char *what, const Figures &figures, double target)
{
    if (figures.wallMs < 0) {
        std::printf("%-34s failed\n", what);
        return;
    }
    std::printf("%-34s %7.1f ms wall, %7.1f ms processor (target < %.0f ms)%s\n", what,
                figures.wallMs, figures.cpuMs, target,
                figures.wallMs < target ? "" : "  slower than the target");
}

int writeExample(const QString &configFile, const QString &out)
{
    Mv100Config config;
    ConfigFile::Refusal refusal;
    if (!ConfigFile::read(configFile, &config, &refusal)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(configFile), qPrintable(refusal.reason));
        return 1;
    }
    LegendOptions options;
    options.trimEmpty = true;
    options.fileName = configFile;
    QString error;
    if (!LegendRenderer::exportPng(out, config, options, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(out), qPrintable(error));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(out));
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--example"))
        return writeExample(args.at(2), args.at(3));

    QTemporaryDir dir;
    const Mv100Config config = everyCellInUse();
    LegendOptions options;
    options.layers = LegendOptions::Layers::All;

    const Figures pdf = measure(
        [&] { return LegendRenderer::exportPdf(dir.filePath("legend.pdf"), config, options); });
    const Figures png = measure(
        [&] { return LegendRenderer::exportPng(dir.filePath("legend.png"), config, options); });
    const Figures render = measure([&] {
        for (int layer = 0; layer < MV100::LAYERS; ++layer)
            LegendRenderer::renderPng(config, layer, options);
        return true;
    });
    std::printf("Legend of 3 layers x 384 cells, median of %d runs\n", RUNS);
    report("PDF, 3 pages", pdf, 300);
    report("PNG, 3 files", png, 200);
    report("  of which painting the 3 images", render, 200);
    std::printf("PDF size %lld bytes, PNG size %lld bytes (Default)\n",
                QFileInfo(dir.filePath("legend.pdf")).size(),
                QFileInfo(dir.filePath("legend-Default.png")).size());
    return 0;
}
