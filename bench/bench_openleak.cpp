// bench_openleak: whether opening a configuration file again and again makes the process grow:
// reads one full file in a loop and prints the resident size and the heap in use every 100 reads.
// bench_openleak [reads] (default 1000)
#include "ConfigFile.h"

#include <QTemporaryDir>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {
constexpr int REPORT_EVERY = 100;

// Resident set size in KiB, from /proc/self/statm (its second field, in pages).
long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Bytes the allocator has handed out and not taken back: a leak shows here first.
long heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return long(info.uordblks + info.hblkhd);
}

// Every line of the file carries data: cells on each layer, macros and settings.
Mv100Config fullConfig()
{
    Mv100Config config;
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int row = 0; row < MV100::ROWS; ++row) {
            for (int column = 0; column < MV100::COLUMNS; ++column)
                config.setKeyCode(layer, column, row, std::uint16_t(0x04 + row + column + layer));
        }
    }
    for (int number = 0; number < MV100::MACRO_COUNT; ++number) {
        Mv100Config::Macro record = Mv100Config::emptyMacro();
        record[0] = std::uint8_t(number % 3);
        record[1] = std::uint8_t(0x04 + number % 20);
        config.setMacro(number, record);
    }
    config.settings().customData = QStringLiteral("00112233445566778899AABBCCDDEEFF");
    config.settings().debounce = 7;
    return config;
}
} // namespace

int main(int argc, char **argv)
{
    const int reads = argc > 1 ? std::max(REPORT_EVERY, std::atoi(argv[1])) : 1000;
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("full.mv100"));
    const Mv100Config written = fullConfig();
    QString error;
    if (!dir.isValid() || !ConfigFile::write(fileName, written, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(fileName), qPrintable(error));
        return 1;
    }

    std::printf("%8s %12s %14s\n", "reads", "RSS KiB", "heap in use B");
    std::printf("%8d %12ld %14ld\n", 0, residentKiB(), heapInUse());
    long rssAtFirstReport = 0;
    long heapAtFirstReport = 0;
    for (int i = 1; i <= reads; ++i) {
        Mv100Config config;
        ConfigFile::Refusal why;
        if (!ConfigFile::read(fileName, &config, &why) || config != written) {
            std::fprintf(stderr, "read %d gave another configuration: %s\n", i,
                         qPrintable(why.reason));
            return 1;
        }
        if (i % REPORT_EVERY == 0) {
            const long rss = residentKiB();
            const long heap = heapInUse();
            std::printf("%8d %12ld %14ld\n", i, rss, heap);
            if (i == REPORT_EVERY) {
                rssAtFirstReport = rss;
                heapAtFirstReport = heap;
            }
        }
    }
    // The first hundred reads are warm-up (Qt's codecs, the regular expression, the allocator's
    // pools); what grows after them is kept per read.
    const int counted = (reads / REPORT_EVERY - 1) * REPORT_EVERY;
    const long rssGrowth = residentKiB() - rssAtFirstReport;
    const long heapGrowth = heapInUse() - heapAtFirstReport;
    std::printf(
        "after warm-up: %+ld KiB RSS and %+ld B heap over %d reads (%.1f B heap per read)\n",
        rssGrowth, heapGrowth, counted, counted > 0 ? double(heapGrowth) / counted : 0.0);
    return 0;
}
