// Hexadecimal text of the configuration file and the PIN fields: bytes to text and back.
#pragma once

#include <QString>
#include <vector>

// True when the whole text is hexadecimal digits (an empty text is not hex).
bool isHex(const QString &text);

// Decodes pairs of hex digits from the left into buffer (at most capacity bytes). A text with
// any non-hex character stores nothing; an odd last digit becomes a byte of its own. Bytes past
// the decoded ones keep their contents.
void splitString(const QString &text, unsigned char *buffer, int capacity);

// Decodes pairs of hex digits into a new vector; an odd-length text gets a leading "0"; a pair
// that is not a number is skipped.
std::vector<unsigned char> hexStringToBytes(const QString &text);

// Upper-case hex digits of the bytes, two per byte, without separators.
QString bytesToHex(const unsigned char *data, int size);

// True for a PIN text the chip takes: exactly 16 hexadecimal digits.
bool isPinText(const QString &text);
