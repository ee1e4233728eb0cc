// Benchmark: drawing every cell of the three key layers and painting the visible layer.
#include "KeyMatrixWidget.h"
#include "MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
// A configuration as users build it: mostly plain keys, some modifier + key codes, macros,
// media, mouse and LED functions, FN keys and empty cells.
unsigned short mixedCode(int layer, int x, int y)
{
    static const unsigned short codes[] = {
        0x0004, 0x0005, 0x001E, 0x0028, 0x002C, 0xE104, 0xE01D, 0x0207, 0x02AF, 0x010C,
        0x010D, 0x0310, 0x0300, 0x0401, 0x0448, 0x00FF, 0x00FE, 0xFFFF, 0x0052, 0x0059,
    };
    const int index = (layer * 7 + y * 16 + x) % int(std::size(codes));
    return codes[index];
}

struct Figures
{
    double minMs;
    double medianMs;
    double meanMs;
};

Figures measure(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    times.reserve(runs);
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    return {times.front(), times[times.size() / 2], sum / times.size()};
}

void print(const char *what, int runs, const Figures &f)
{
    std::printf("%-52s runs %4d  min %7.3f ms  median %7.3f ms  mean %7.3f ms\n", what, runs,
                f.minMs, f.medianMs, f.meanMs);
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    MainWindow window;
    window.resize(1004, 742);
    window.show();
    QApplication::processEvents();

    Mv100Config config;
    for (int layer = 0; layer < MV100::LAYERS; ++layer)
        for (int y = 0; y < MV100::ROWS; ++y)
            for (int x = 0; x < MV100::COLUMNS; ++x)
                config.setKeyCode(layer, x, y, mixedCode(layer, x, y));
    window.document().reset(config);

    KeyMatrixWidget *visible = window.matrix(0);
    window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(0);
    QApplication::processEvents();

    const int cells = MV100::LAYERS * MV100::CELLS;
    std::printf("Cells per redraw: %d (3 layers x %d); visible matrix %dx%d px\n", cells,
                MV100::CELLS, visible->width(), visible->height());

    const int drawRuns = 200;
    const Figures draw = measure(drawRuns, [&window]() { window.redrawAllCells(); });
    print("setButton on all 3 x 384 cells (redrawAllCells)", drawRuns, draw);
    std::printf("%-52s %7.3f us\n", "  per cell (median)", draw.medianMs * 1000.0 / cells);

    const int paintRuns = 50;
    const Figures repaint = measure(paintRuns, [visible]() { visible->repaint(); });
    print("repaint() of the visible layer (viewport part)", paintRuns, repaint);

    const Figures grab = measure(paintRuns, [visible]() {
        const QPixmap pixmap = visible->grab();
        Q_UNUSED(pixmap);
    });
    print("grab() of the whole visible layer (all 384 cells)", paintRuns, grab);

    const Figures both = measure(paintRuns, [&window]() {
        window.redrawAllCells();
        QApplication::processEvents();
    });
    print("redrawAllCells + event processing (one paint)", paintRuns, both);

    const double frameMs = 1000.0 / 60.0;
    std::printf("60 Hz frame budget: %.3f ms; redraw + full grab (median) = %.3f ms (%.1f%%)\n",
                frameMs, draw.medianMs + grab.medianMs,
                100.0 * (draw.medianMs + grab.medianMs) / frameMs);

    // The drawing really happened: a cell shows the text of its code.
    const QString text = visible->buttonText(0, 5);
    std::printf("Check: cell (row 0, col 5) of the Default layer shows \"%s\"\n",
                qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1String("\\n"))));
    return 0;
}
