// make_seeds: writes the generated seed corpora of the fuzz targets (the example file of docs/
// is copied beside them by hand): fuzz_make_seeds <corpus folder>.
#include "CMorvantide100.h"
#include "ConfigFile.h"
#include "FakeHidScript.h"
#include "FuzzSamples.h"
#include "MemoryImage.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <algorithm>
#include <cstdio>

namespace {
using Script = std::vector<std::uint8_t>;
using Answer = std::uint8_t[FakeHidScript::ANSWER_SIZE];

bool save(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(fileName));
        return false;
    }
    return true;
}

bool saveScript(const QString &fileName, const Script &script)
{
    return save(
        fileName,
        QByteArray(reinterpret_cast<const char *>(script.data()), qsizetype(script.size())));
}

// Operation byte and header of a script with one configuration interface.
Script header(std::uint8_t operation, unsigned release, std::uint8_t enumeration = 0x01)
{
    Script script(1 + FakeHidScript::HEADER_SIZE, 0);
    script[0] = operation;
    script[1 + FakeHidScript::ENUMERATION] = enumeration;
    script[1 + FakeHidScript::RELEASE_LOW] = std::uint8_t(release & 0xFF);
    script[1 + FakeHidScript::RELEASE_HIGH] = std::uint8_t(release >> 8);
    return script;
}

// An answer as the chip gives it: the command echoed, status 0, the data from byte 4.
void answer(Script &script, std::uint8_t command, const std::uint8_t *data = nullptr,
            std::size_t size = 0, std::uint8_t block = 0)
{
    Answer bytes = {};
    bytes[0] = command;
    bytes[3] = block;
    std::copy_n(data, std::min<std::size_t>(size, sizeof bytes - MV100::ANSWER_DATA),
                bytes + MV100::ANSWER_DATA);
    FakeHidScript::appendAnswer(script, bytes);
}

void infoAnswer(Script &script, bool locked)
{
    Answer bytes = {};
    std::fill_n(bytes + MV100::INFO_CUSTOM_DATA, MV100::CUSTOM_DATA_SIZE, 0x42);
    bytes[MV100::INFO_LOCK_WORD] = locked ? 0x5A : 0xFF;
    bytes[MV100::INFO_LOCK_WORD + 1] = locked ? 0xA5 : 0xFF;
    bytes[MV100::INFO_ERASE_COUNT] = 3;
    bytes[MV100::INFO_SERIAL] = 0x78;
    bytes[MV100::INFO_SERIAL + 3] = 0x12;
    FakeHidScript::appendAnswer(script, bytes);
}

void blockAnswers(Script &script, std::uint8_t command, const MemoryImage::Image &image)
{
    for (int block = 0; block < MV100::BLOCK_COUNT; ++block) {
        answer(script, command, image.data() + block * MV100::BLOCK_SIZE,
               command == MV100::CMD_READ_BLOCK ? MV100::BLOCK_SIZE : 0, std::uint8_t(block));
    }
}

bool writeTransferSeeds(const QDir &dir)
{
    const Mv100Config rich = FuzzSamples::richConfig();
    const MemoryImage::Image image = MemoryImage::build(rich);
    const Mv100Settings &s = rich.settings();
    constexpr unsigned NEW_FIRMWARE = 0x1100;
    constexpr unsigned OLD_FIRMWARE = 0x1020;

    Script read = header(0, NEW_FIRMWARE);
    infoAnswer(read, false);
    answer(read, MV100::CMD_READ_MOUSE, s.mouse.data(), s.mouse.size());
    std::uint8_t led[25] = {s.lockKeys, 0xFF};
    std::copy(s.led.begin(), s.led.end(), led + 2);
    std::copy(s.backlight.begin(), s.backlight.end(), led + 2 + s.led.size());
    answer(read, MV100::CMD_READ_LED, led, sizeof led);
    const std::uint8_t debounce = std::uint8_t(s.debounce - 1);
    answer(read, MV100::CMD_READ_DEBOUNCE, &debounce, 1);
    blockAnswers(read, MV100::CMD_READ_BLOCK, image);

    // Old firmware (no debounce), a stale report waiting when the chip is opened.
    Script readOld = header(0, OLD_FIRMWARE);
    readOld.push_back(FakeHidScript::CHUNK_QUEUED | 4);
    readOld.insert(readOld.end(), {0x01, 0x00, 0x00, 0x07});
    infoAnswer(readOld, false);
    answer(readOld, MV100::CMD_READ_MOUSE, s.mouse.data(), s.mouse.size());
    answer(readOld, MV100::CMD_READ_LED, led, sizeof led);
    blockAnswers(readOld, MV100::CMD_READ_BLOCK, image);

    Script readLocked = header(0, NEW_FIRMWARE);
    infoAnswer(readLocked, true);

    Script write = header(1 | 4, NEW_FIRMWARE);
    infoAnswer(write, false);
    for (const std::uint8_t command :
         {MV100::CMD_ERASE, MV100::CMD_WRITE_LED, MV100::CMD_WRITE_MOUSE, MV100::CMD_WRITE_CUSTOM})
        answer(write, command);
    blockAnswers(write, MV100::CMD_WRITE_BLOCK, image);
    for (const std::uint8_t command :
         {MV100::CMD_WRITE_DEBOUNCE, MV100::CMD_WRITE_NEW_PIN, MV100::CMD_WRITE_LOCK})
        answer(write, command);

    Script eraseRefused = header(2, NEW_FIRMWARE);
    eraseRefused.push_back(FakeHidScript::ANSWER_SIZE);
    eraseRefused.insert(eraseRefused.end(), {MV100::CMD_ERASE, 0x01, 0x03});
    eraseRefused.resize(eraseRefused.size() + FakeHidScript::ANSWER_SIZE - 3, 0);

    // An unnamed interface 2 behind a keyboard, as some hosts list the chip.
    Script info = header(3, NEW_FIRMWARE,
                         0x01 | FakeHidScript::ENUM_UNNAMED | FakeHidScript::ENUM_KEYBOARD_FIRST);
    infoAnswer(info, false);

    return saveScript(dir.filePath(QStringLiteral("read-ok")), read)
        && saveScript(dir.filePath(QStringLiteral("read-old-firmware")), readOld)
        && saveScript(dir.filePath(QStringLiteral("read-locked")), readLocked)
        && saveScript(dir.filePath(QStringLiteral("write-lock-ok")), write)
        && saveScript(dir.filePath(QStringLiteral("erase-refused")), eraseRefused)
        && saveScript(dir.filePath(QStringLiteral("info-unnamed")), info);
}

bool writeFileSeeds(const QDir &dir)
{
    QString error;
    const Mv100Config rich = FuzzSamples::richConfig();
    // A byte-order mark and CR LF line ends, both read as well; kept short to keep the corpus
    // small, so refused for its line count.
    QStringEncoder encoder(QStringConverter::Utf16LE);
    QByteArray crlf = QByteArray("\xFF\xFE", 2);
    const QList<QString> lines = ConfigFile::toLines(rich);
    for (int i = 0; i < ConfigFile::LINE_FIRST_BLOCK + 2; ++i)
        crlf += encoder(lines[i] + QStringLiteral("\r\n"));
    return ConfigFile::write(dir.filePath(QStringLiteral("default.mv100")), Mv100Config(), &error)
        && ConfigFile::write(dir.filePath(QStringLiteral("rich.mv100")), rich, &error)
        && save(dir.filePath(QStringLiteral("bom-crlf-short.mv100")), crlf)
        && save(dir.filePath(QStringLiteral("utf8.txt")), QByteArray("3C9A71E04B5D28F6\n00\n"));
}

bool writeImageSeeds(const QDir &dir)
{
    const MemoryImage::Image image = MemoryImage::build(FuzzSamples::richConfig());
    const QByteArray bytes(reinterpret_cast<const char *>(image.data()), qsizetype(image.size()));
    return save(dir.filePath(QStringLiteral("rich.bin")), bytes)
        && save(dir.filePath(QStringLiteral("short.bin")), bytes.left(100));
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder>\n");
        return 2;
    }
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    for (const char *target : {"fuzz_configfile", "fuzz_memoryimage", "fuzz_transfer"}) {
        if (!corpus.mkpath(QString::fromLatin1(target)))
            return 1;
    }
    const bool ok = writeFileSeeds(QDir(corpus.filePath(QStringLiteral("fuzz_configfile"))))
        && writeImageSeeds(QDir(corpus.filePath(QStringLiteral("fuzz_memoryimage"))))
        && writeTransferSeeds(QDir(corpus.filePath(QStringLiteral("fuzz_transfer"))));
    return ok ? 0 : 1;
}
