// Benchmark: the cost of an edit through the configuration document (command push and view
// update of the window) for a cell, Clear Table and undoing a Read.
#include "BenchSupport.h"
#include "CellEditing.h"
#include "KeyMatrixWidget.h"
#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTabWidget>

#include <cstdio>
#include <functional>

namespace {
// Each run includes the repaint the edit asked for.
BenchSupport::Timings measure(int runs, const std::function<void(int)> &work)
{
    return BenchSupport::measure(runs, [&work](int i) {
        work(i);
        QApplication::processEvents();
        return true;
    });
}

void print(const char *name, const BenchSupport::Timings &t, double targetMs)
{
    std::printf("%-40s median %7.3f ms  worst %7.3f ms  (target < %.0f ms)\n", name, t.median(),
                t.max(), targetMs);
}
} // namespace

int main(int argc, char **argv)
{
    BenchSupport::offscreenUnlessChosen();
    QApplication app(argc, argv);
    MainWindow window;
    window.resize(1004, 742);
    BenchSupport::showAndPaint(window);
    ConfigDocument &document = window.document();

    const BenchSupport::Timings cell = measure(500, [&](int i) {
        document.assignKey(0, i % MV100::COLUMNS, (i / MV100::COLUMNS) % MV100::ROWS,
                           std::uint16_t(0x0004 + i % 60));
    });
    print("assign one cell (push + redraw)", cell, 1);

    const BenchSupport::Timings undoCell = measure(200, [&](int) { document.undoStack()->undo(); });
    print("undo one cell assignment", undoCell, 1);

    const BenchSupport::Timings clear = measure(50, [&](int i) {
        if (i % 2 == 0)
            document.clearLayer(0);
        else
            document.undoStack()->undo();
    });
    print("Clear Table of a full layer / its undo", clear, 16);

    // Edit > Paste of a whole copied layer at X0/Y0, through the window's action.
    Mv100Config full;
    for (int cell = 0; cell < MV100::CELLS; ++cell)
        full.setKeyCode(0, cell % MV100::COLUMNS, cell / MV100::COLUMNS,
                        std::uint16_t(4 + cell % 90));
    QApplication::clipboard()->setMimeData(
        CellEditing::mimeData(full, 0, QRect(0, 0, MV100::COLUMNS, MV100::ROWS)));
    window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(0);
    window.matrix(0)->setCurrentCell(0, 0);
    QAction *paste = window.findChild<QAction *>(QStringLiteral("actionPaste"));
    const BenchSupport::Timings pasted = measure(50, [&](int i) {
        if (i % 2 == 0)
            paste->trigger();
        else
            document.undoStack()->undo();
    });
    print("paste of a full 24 x 16 layer / its undo", pasted, 16);

    Mv100Config read;
    for (int layer = 0; layer < MV100::LAYERS; ++layer)
        for (int cell = 0; cell < MV100::CELLS; ++cell)
            read.setKeyCode(layer, cell % MV100::COLUMNS, cell / MV100::COLUMNS,
                            std::uint16_t(0x0100 + cell % 200));
    const BenchSupport::Timings replace = measure(50, [&](int i) {
        if (i % 2 == 0)
            document.replaceConfig(read, QStringLiteral("Read from Device"));
        else
            document.undoStack()->undo();
    });
    print("Read's replacement / undoing a Read", replace, 16);

    const BenchSupport::Timings spin = measure(500, [&](int i) {
        Mv100Settings s = document.config().settings();
        s.debounce = std::uint8_t(1 + i % 200);
        document.changeSettings(SettingGroup::Debounce, s, QStringLiteral("Change Debounce"), 7);
    });
    print("settings step (merged spin box steps)", spin, 1);
    std::printf("History: %d steps\n", document.undoStack()->count());
    return 0;
}
