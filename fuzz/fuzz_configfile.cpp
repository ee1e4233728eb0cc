// fuzz_configfile: any bytes as the content of a configuration file. Nothing may crash, and a file
// that is taken must come back unchanged through a save and a second open.
#include "ConfigFile.h"
#include "FuzzSamples.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t *data, std::size_t size, std::size_t maxSize);

namespace {
[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_configfile: %s\n", what);
    std::abort();
}

// The mutator is no part of the code under test: its loops would only slow the fuzzer and add
// features of their own.
#define MV100_NOT_COVERED __attribute__((no_sanitize("coverage")))

// The longest line a text mutation works on or makes; memory block lines have 64 digits.
constexpr std::size_t MAX_MUTATED_LINE = 96;
constexpr std::size_t SETTINGS_LINES = ConfigFile::LINE_FIRST_BLOCK + 1; // lines 1-7, debounce

// Mutates one line of UTF-16 text whose every high byte is 0, in place: most often one of the
// settings lines at the start and the end of a file, whose values the reader takes in any form;
// the other lines stay as they were. 0 when the input is no such text.
MV100_NOT_COVERED std::size_t mutateOneLine(std::uint8_t *data, std::size_t size,
                                            std::size_t maxSize, unsigned int seed)
{
    const std::size_t units = size / 2;
    static std::vector<std::size_t> starts; // line starts, in units
    starts.assign(1, 0);
    for (std::size_t i = 0; i < units; ++i) {
        if (data[2 * i + 1] != 0)
            return 0;
        if (data[2 * i] == '\n')
            starts.push_back(i + 1);
    }
    const std::size_t lineCount = starts.size();
    const std::size_t pick = seed / 8;
    std::size_t line = pick % lineCount;
    if (pick % 4 != 0 && lineCount > SETTINGS_LINES) {
        // The debounce line is the last but the empty rest after the final LF.
        const std::size_t settings = pick / 4 % SETTINGS_LINES;
        line = settings + 1 < SETTINGS_LINES ? settings : lineCount - 2;
    }
    const std::size_t begin = starts[line];
    const std::size_t end = line + 1 < lineCount ? starts[line + 1] - 1 : units;
    // libFuzzer's mutations need at least one byte to work on.
    if (end == begin || end - begin > MAX_MUTATED_LINE)
        return 0;
    std::uint8_t piece[MAX_MUTATED_LINE];
    for (std::size_t i = begin; i < end; ++i)
        piece[i - begin] = data[2 * i];
    const std::size_t length = LLVMFuzzerMutate(piece, end - begin, MAX_MUTATED_LINE);
    const std::size_t newSize = 2 * (units - (end - begin) + length);
    if (newSize > maxSize || newSize == 0)
        return 0;
    std::memmove(data + 2 * (begin + length), data + 2 * end, 2 * (units - end));
    for (std::size_t i = 0; i < length; ++i) {
        data[2 * (begin + i)] = piece[i];
        data[2 * (begin + i) + 1] = 0;
    }
    return newSize;
}

void checkRefusal(const ConfigFile::Refusal &why, int lineCount)
{
    if (why.isEmpty())
        fail("a refusal without a reason");
    if (why.line < 0 || why.line > lineCount)
        fail("a refusal names a line the file does not have");
}
} // namespace

// Byte mutations of UTF-16 text mostly break its byte pairs or a memory block line, and the
// reader refuses the file before the settings lines and the round trip. Seven mutations in eight
// therefore change one line of the text when it is plain 8-bit text (an odd last byte is
// dropped); the eighth, and those of other input, stay byte mutations.
extern "C" MV100_NOT_COVERED std::size_t LLVMFuzzerCustomMutator(std::uint8_t *data,
                                                                 std::size_t size,
                                                                 std::size_t maxSize,
                                                                 unsigned int seed)
{
    const std::size_t mutated = seed % 8 == 0 ? 0 : mutateOneLine(data, size, maxSize, seed);
    return mutated != 0 ? mutated : LLVMFuzzerMutate(data, size, maxSize);
}

// The round trip below encodes the lines itself; that encoding must be the writer's.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("rich.mv100"));
    const Mv100Config config = FuzzSamples::richConfig();
    QString error;
    if (!dir.isValid() || !ConfigFile::write(fileName, config, &error))
        fail("cannot write a configuration file to compare with");
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)
        || file.readAll() != FuzzSamples::fileBytes(ConfigFile::toLines(config)))
        fail("FuzzSamples::fileBytes differs from what ConfigFile::write writes");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > std::size_t(ConfigFile::MAX_FILE_SIZE))
        return -1; // readLines refuses these before looking at them
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<QString> lines;
    ConfigFile::Refusal why;
    if (!ConfigFile::linesOfBytes(bytes, &lines, &why)) {
        checkRefusal(why, 0);
        return 0;
    }

    static const Mv100Config untouched = FuzzSamples::richConfig();
    Mv100Config config = untouched;
    if (!ConfigFile::fromLines(lines, &config, &why)) {
        checkRefusal(why, int(lines.size()));
        if (config != untouched)
            fail("a refused file changed the configuration");
        if (ConfigFile::check(lines).isEmpty())
            fail("check takes lines that fromLines refuses");
        return 0;
    }
    if (!ConfigFile::check(lines).isEmpty())
        fail("fromLines takes lines that check refuses");
    if (config.settings() != config.settings().normalized())
        fail("a loaded configuration has settings that are not normalised");

    // Save, open again, save again.
    const QList<QString> saved = ConfigFile::toLines(config);
    if (saved.size() != ConfigFile::FULL_LINE_COUNT)
        fail("toLines does not give a full file");
    const QByteArray written = FuzzSamples::fileBytes(saved);
    QList<QString> reread;
    Mv100Config reopened;
    if (!ConfigFile::linesOfBytes(written, &reread, &why)
        || !ConfigFile::fromLines(reread, &reopened, &why))
        fail("a saved configuration is refused");
    if (reopened != config)
        fail("a saved configuration opens as another one");
    if (FuzzSamples::fileBytes(ConfigFile::toLines(reopened)) != written)
        fail("saving a reopened configuration writes other bytes");
    return 0;
}
