// What the benchmarks of the window share: the platform, folders kept apart from the user's, a
// window on screen before any clock starts, and wall-clock timings of repeated work.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

namespace BenchSupport {

// Offscreen unless the caller chose a platform, so that a benchmark runs without a display.
inline void offscreenUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Settings, recent files and backups go below dir, never into the user's own folders.
inline void keepUserFoldersIn(const QTemporaryDir &dir)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
}

// A user acts in a window that is already on screen: its first paint is no part of what is
// measured.
inline void showAndPaint(QWidget &window)
{
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed())
           && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Milliseconds of each counted run, sorted; empty when a run failed.
struct Timings
{
    std::vector<double> ms;

    bool failed() const { return ms.empty(); }
    double min() const { return ms.front(); }
    double median() const { return ms[ms.size() / 2]; }
    double max() const { return ms.back(); }
    double mean() const { return std::accumulate(ms.begin(), ms.end(), 0.0) / double(ms.size()); }
};

// Runs work(i) warmUp times uncounted, then runs times counted. work returns false on failure.
inline Timings measure(int runs, const std::function<bool(int)> &work, int warmUp = 0)
{
    for (int i = 0; i < warmUp; ++i) {
        if (!work(i))
            return {};
    }
    Timings timings;
    timings.ms.reserve(std::size_t(runs));
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        if (!work(i))
            return {};
        timings.ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(timings.ms.begin(), timings.ms.end());
    return timings;
}

} // namespace BenchSupport
