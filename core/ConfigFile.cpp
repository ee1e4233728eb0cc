// ConfigFile: the .mv100 lines to and from a configuration value, and the file itself.
#include "ConfigFile.h"

#include "HexText.h"
#include "MemoryImage.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextStream>

#include <algorithm>

#ifdef Q_OS_UNIX
#    include <fcntl.h>
#    include <sys/stat.h>
#    include <unistd.h>
#endif

namespace {
constexpr int PIN_DIGITS = 2 * MV100::PIN_SIZE;
constexpr int CUSTOM_DATA_DIGITS = 2 * MV100::CUSTOM_DATA_SIZE;
constexpr int BLOCK_DIGITS = 2 * MV100::BLOCK_SIZE;
constexpr int DEFAULT_DEBOUNCE = 3;
// Settings lines are decoded into a buffer larger than any block; what a line leaves out is 0.
constexpr int DECODE_BUFFER_SIZE = 32;
// How much of a file the encoding is guessed from.
constexpr int SNIFF_BYTES = 4096;

using DecodeBuffer = std::array<std::uint8_t, DECODE_BUFFER_SIZE>;

QString byteText(std::uint8_t value)
{
    return bytesToHex(&value, 1);
}

template<std::size_t N> QString blockText(const std::array<std::uint8_t, N> &block)
{
    return bytesToHex(block.data(), int(N));
}

// A number line (lock keys, lock mode, debounce): one that does not parse counts as 0.
unsigned numberOf(const QString &line)
{
    bool ok = false;
    const uint value = line.toUInt(&ok, 16);
    return ok ? value : 0;
}

template<std::size_t N> std::array<std::uint8_t, N> decodeBlock(const QString &line)
{
    DecodeBuffer buffer {};
    splitString(line, buffer.data(), DECODE_BUFFER_SIZE);
    std::array<std::uint8_t, N> block;
    std::copy_n(buffer.begin(), N, block.begin());
    return block;
}

bool isHexUpTo(const QString &text, int maxDigits)
{
    return text.size() <= maxDigits && isHex(text);
}

ConfigFile::Refusal refusal(int line, const QString &reason)
{
    return ConfigFile::Refusal {line, reason};
}

// Text that a configuration file cannot hold: NUL and the other control characters but the
// line ends and tabs.
bool hasControlCharacters(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\r')
            && c != QLatin1Char('\t'))
            return true;
    }
    return false;
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString text = decoder(bytes);
    return !decoder.hasError() && !hasControlCharacters(text);
}
} // namespace

QList<QString> ConfigFile::toLines(const Mv100Config &config)
{
    const Mv100Settings &s = config.settings();
    QList<QString> lines;
    lines.reserve(FULL_LINE_COUNT);
    lines.append(s.newPin.isEmpty() ? QString::fromLatin1(MV100_PIN::STRING) : s.newPin);
    lines.append(s.customData.isEmpty() ? QString::fromLatin1(MV100_CUSTOMDATA::STRING)
                                        : s.customData);
    lines.append(byteText(s.lockKeys));
    lines.append(blockText(s.mouse));
    lines.append(blockText(s.backlight));
    lines.append(blockText(s.led));
    lines.append(byteText(s.lockMode));
    const MemoryImage::Image image = MemoryImage::build(config);
    for (int block = 0; block < MV100::BLOCK_COUNT; ++block)
        lines.append(bytesToHex(image.data() + block * MV100::BLOCK_SIZE, MV100::BLOCK_SIZE));
    lines.append(byteText(s.debounce));
    return lines;
}

ConfigFile::Refusal ConfigFile::check(const QList<QString> &lines)
{
    if (lines.size() < MIN_LINE_COUNT) {
        return refusal(0, tr("it has %1 lines, but a configuration has %2.")
                              .arg(lines.size())
                              .arg(FULL_LINE_COUNT));
    }
    if (!isHexUpTo(lines[LINE_PIN], PIN_DIGITS))
        return refusal(LINE_PIN + 1, tr("the PIN (line 1) is not 1 to 16 hexadecimal digits."));
    if (!isHexUpTo(lines[LINE_CUSTOM_DATA], CUSTOM_DATA_DIGITS)) {
        return refusal(LINE_CUSTOM_DATA + 1,
                       tr("the custom data (line 2) is not 1 to 32 hexadecimal digits."));
    }
    // A short or damaged image line would shift every later byte of the key tables and macros.
    for (int line = LINE_FIRST_BLOCK; line <= LINE_LAST_BLOCK; ++line) {
        const QString &block = lines[line];
        if (block.size() != BLOCK_DIGITS || !isHex(block)) {
            return refusal(line + 1, tr("line %1 is not a memory block of 64 hexadecimal digits.")
                                         .arg(line + 1));
        }
    }
    return {};
}

bool ConfigFile::fromLines(const QList<QString> &lines, Mv100Config *config, Refusal *why)
{
    const Refusal problem = check(lines);
    if (!problem.isEmpty()) {
        if (why != nullptr)
            *why = problem;
        return false;
    }
    Mv100Config loaded;
    Mv100Settings &s = loaded.settings();
    s.newPin = lines[LINE_PIN];
    s.customData = lines[LINE_CUSTOM_DATA];
    // FN1 in the low nibble, FN2 above it; a value wider than a byte names no FN2 item.
    const unsigned lockKeys = numberOf(lines[LINE_LOCK_KEYS]);
    s.lockKeys = std::uint8_t(lockKeys <= 0xFF ? lockKeys : lockKeys & 0x0F);
    s.mouse = decodeBlock<MV100_BLOCK::MOUSE>(lines[LINE_MOUSE]);
    s.backlight = decodeBlock<MV100_BLOCK::BACKLIGHT>(lines[LINE_BACKLIGHT]);
    s.led = decodeBlock<MV100_BLOCK::LED>(lines[LINE_LED]);
    s.lockMode = std::uint8_t(numberOf(lines[LINE_LOCK_MODE]) & 0xFF);
    s.debounce = lines.size() >= FULL_LINE_COUNT
        ? std::uint8_t(numberOf(lines[LINE_DEBOUNCE]) & 0xFF)
        : std::uint8_t(DEFAULT_DEBOUNCE);
    s = s.normalized();

    MemoryImage::Image image;
    image.reserve(MV100::MEMORY_SIZE);
    for (int line = LINE_FIRST_BLOCK; line <= LINE_LAST_BLOCK; ++line) {
        const std::vector<unsigned char> bytes = hexStringToBytes(lines[line]);
        image.insert(image.end(), bytes.begin(), bytes.end());
    }
    MemoryImage::decode(image, loaded);
    *config = loaded;
    return true;
}

bool ConfigFile::linesOfBytes(const QByteArray &bytes, QList<QString> *lines, Refusal *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why != nullptr)
            *why = refusal(0, reason);
        return false;
    };
    // Saved files are UTF-16 LE: every second byte of their ASCII text is 0. Other encodings
    // are named, so that the user learns what is wrong with the file rather than a line count.
    const QByteArray head = bytes.left(SNIFF_BYTES);
    int evenZeros = 0;
    int oddZeros = 0;
    for (int i = 0; i < head.size(); ++i) {
        if (head[i] == '\0')
            ++(i % 2 == 0 ? evenZeros : oddZeros);
    }
    const int pairs = head.size() / 2;
    const bool bigEndianBom = head.startsWith("\xFE\xFF");
    const bool littleEndianBom = head.startsWith("\xFF\xFE");
    if (bigEndianBom || (!littleEndianBom && evenZeros > oddZeros && 2 * evenZeros >= pairs)) {
        return refuse(tr("it is UTF-16 big-endian text, but a configuration file is UTF-16 "
                         "little-endian text."));
    }
    const bool looksLittleEndian = littleEndianBom || (oddZeros > evenZeros && 2 * oddZeros >= pairs);
    if (!bytes.isEmpty() && !looksLittleEndian) {
        if (evenZeros + oddZeros == 0 && isUtf8(bytes)) {
            return refuse(tr("it is UTF-8 text, but a configuration file is UTF-16 "
                             "little-endian text."));
        }
        return refuse(tr("it is not a text file."));
    }

    QStringDecoder decoder(QStringConverter::Utf16LE);
    QString text = decoder(bytes);
    if (decoder.hasError() || hasControlCharacters(text))
        return refuse(tr("it is not a text file."));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // LF and CR LF line ends alike; empty lines are skipped.
    const QStringList split = text.split(QLatin1Char('\n'));
    for (QString line : split) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty())
            lines->append(line);
    }
    return true;
}

bool ConfigFile::readLines(const QString &fileName, QList<QString> *lines, Refusal *why)
{
    const auto refuse = [why, &fileName](const QString &reason) {
        qWarning("%s", qPrintable(QStringLiteral("Error: File open: ") + fileName));
        if (why != nullptr)
            *why = refusal(0, reason);
        return false;
    };
    QByteArray bytes;
#ifdef Q_OS_UNIX
    // Opened without blocking and examined through the open descriptor, so that a FIFO or a
    // device put in the file's place between a check and the open cannot hang the caller.
    const QByteArray path = QFile::encodeName(fileName);
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        QFile file(fileName);
        file.open(QIODevice::ReadOnly);
        return refuse(file.errorString());
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return refuse(tr("it is not a regular file."));
    }
    if (status.st_size > MAX_FILE_SIZE) {
        ::close(fd);
        return refuse(tr("it is too large for a configuration file."));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return refuse(file.errorString());
    const qint64 declaredSize = status.st_size;
#else
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    if (file.isSequential())
        return refuse(tr("it is not a regular file."));
    if (file.size() > MAX_FILE_SIZE)
        return refuse(tr("it is too large for a configuration file."));
    const qint64 declaredSize = file.size();
#endif
    // As much as the file held when it was opened (so no buffer of the limit's size for a small
    // file), and never more than the limit.
    bytes = file.read(std::min<qint64>(declaredSize, MAX_FILE_SIZE) + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(file.errorString());
    if (bytes.size() > MAX_FILE_SIZE)
        return refuse(tr("it is too large for a configuration file."));
    return linesOfBytes(bytes, lines, why);
}

bool ConfigFile::read(const QString &fileName, Mv100Config *config, Refusal *why)
{
    QList<QString> lines;
    return readLines(fileName, &lines, why) && fromLines(lines, config, why);
}

bool ConfigFile::writeLines(const QString &fileName, const QList<QString> &lines, QString *error)
{
    QSaveFile file(fileName);
    QString reason;
    if (file.open(QIODevice::WriteOnly)) {
        QTextStream stream(&file);
        stream.setEncoding(QStringConverter::Utf16LE);
        stream.setGenerateByteOrderMark(false);
        for (const QString &line : lines)
            stream << line << '\n';
        stream.flush();
        // Flushed here, the reason of a failure is still known; commit would only say that it
        // failed.
        if (stream.status() == QTextStream::Ok && file.flush()) {
            if (file.commit())
                return true;
            reason = file.errorString();
        } else {
            // A short write (full disk, size limit) leaves the file without an error of its own.
            reason = file.error() != QFileDevice::NoError
                ? file.errorString()
                : tr("not all of the data could be written.");
            file.cancelWriting();
        }
    } else {
        reason = file.errorString();
    }
    qWarning("%s", qPrintable(QStringLiteral("Error: Write :") + fileName));
    if (error != nullptr)
        *error = reason;
    return false;
}

bool ConfigFile::write(const QString &fileName, const Mv100Config &config, QString *error)
{
    return writeLines(fileName, toLines(config), error);
}
