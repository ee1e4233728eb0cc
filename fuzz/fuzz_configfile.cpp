// fuzz_configfile: any bytes as the content of a configuration file. Nothing may crash, and a file
// that is taken must come back unchanged through a save and a second open.
#include "ConfigFile.h"
#include "FuzzSamples.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_configfile: %s\n", what);
    std::abort();
}

void checkRefusal(const ConfigFile::Refusal &why, int lineCount)
{
    if (why.isEmpty())
        fail("a refusal without a reason");
    if (why.line < 0 || why.line > lineCount)
        fail("a refusal names a line the file does not have");
}
} // namespace

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
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     qsizetype(size));
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
