// Benchmark: drawing every cell of the three key layers and painting the visible layer.
#include "BenchSupport.h"
#include "KeyMatrixWidget.h"
#include "MainWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QTabWidget>

#include <cstdio>
#include <functional>

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

void print(const char *what, const BenchSupport::Timings &t)
{
    std::printf("%-52s runs %4d  min %7.3f ms  median %7.3f ms  mean %7.3f ms\n", what,
                int(t.ms.size()), t.min(), t.median(), t.mean());
}

// Times runs of work that cannot fail.
BenchSupport::Timings measure(int runs, const std::function<void()> &work)
{
    return BenchSupport::measure(runs, [&work](int) {
        work();
        return true;
    });
}
} // namespace

int main(int argc, char **argv)
{
    BenchSupport::offscreenUnlessChosen();
    QApplication app(argc, argv);

    MainWindow window;
    window.resize(1004, 742);
    BenchSupport::showAndPaint(window);

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
    const BenchSupport::Timings draw = measure(drawRuns, [&window]() { window.redrawAllCells(); });
    print("setButton on all 3 x 384 cells (redrawAllCells)", draw);
    std::printf("%-52s %7.3f us\n", "  per cell (median)", draw.median() * 1000.0 / cells);

    const int paintRuns = 50;
    const BenchSupport::Timings repaint = measure(paintRuns, [visible]() { visible->repaint(); });
    print("repaint() of the visible layer (viewport part)", repaint);

    const BenchSupport::Timings grab = measure(paintRuns, [visible]() {
        const QPixmap pixmap = visible->grab();
        Q_UNUSED(pixmap);
    });
    print("grab() of the whole visible layer (all 384 cells)", grab);

    const BenchSupport::Timings both = measure(paintRuns, [&window]() {
        window.redrawAllCells();
        QApplication::processEvents();
    });
    print("redrawAllCells + event processing (one paint)", both);

    const double frameMs = 1000.0 / 60.0;
    std::printf("60 Hz frame budget: %.3f ms; redraw + full grab (median) = %.3f ms (%.1f%%)\n",
                frameMs, draw.median() + grab.median(),
                100.0 * (draw.median() + grab.median()) / frameMs);

    // The drawing really happened: a cell shows the text of its code.
    const QString text = visible->buttonText(0, 5);
    std::printf("Check: cell (row 0, col 5) of the Default layer shows \"%s\"\n",
                qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1String("\\n"))));
    return 0;
}
