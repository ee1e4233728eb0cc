// Hexadecimal text of the configuration file and the PIN fields: bytes to text and back.
#include "HexText.h"

#include <QRegularExpression>

bool isHex(const QString &text)
{
    static const QRegularExpression hex_re(QStringLiteral("^[0-9a-fA-F]+$"));
    // "$" also matches before a final line feed, which is not a hex digit.
    const QRegularExpressionMatch match = hex_re.match(text);
    return match.hasMatch() && match.capturedEnd() == text.size();
}

void splitString(const QString &text, unsigned char *buffer, int capacity)
{
    if (text.isEmpty() || buffer == nullptr)
        return;
    // Once the text is all hex, every remainder is too, so this check decides once for all.
    if (!isHex(text))
        return;
    int written = 0;
    for (int pos = 0; pos < text.size() && written < capacity; pos += 2) {
        bool ok = false;
        const uint value = text.mid(pos, 2).toUInt(&ok, 16);
        if (!ok)
            return;
        buffer[written++] = static_cast<unsigned char>(value);
    }
}

std::vector<unsigned char> hexStringToBytes(const QString &text)
{
    const QString even = (text.size() % 2 != 0) ? QLatin1Char('0') + text : text;
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<size_t>(even.size() / 2));
    for (int pos = 0; pos + 1 < even.size(); pos += 2) {
        bool ok = false;
        const uint value = QStringView(even).mid(pos, 2).toUInt(&ok, 16);
        if (ok)
            bytes.push_back(static_cast<unsigned char>(value));
    }
    return bytes;
}

QString bytesToHex(const unsigned char *data, int size)
{
    static const char digits[] = "0123456789ABCDEF";
    QString text;
    text.reserve(size * 2);
    for (int i = 0; i < size; ++i) {
        text.append(QLatin1Char(digits[data[i] >> 4]));
        text.append(QLatin1Char(digits[data[i] & 0x0F]));
    }
    return text;
}

bool isPinText(const QString &text)
{
    return text.size() == 16 && isHex(text);
}
