// FakeHidScript: the byte format in which the transfer fuzz target scripts the fake hidapi: what
// the enumeration lists, which write fails, the firmware version and every answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace FakeHidScript {

// The script starts with this header.
enum HeaderByte : std::size_t {
    ENUMERATION = 0, // ENUM_* bits
    FAILING_WRITE = 1, // the number (1-based) of the hid_write that fails; 0 = none
    RELEASE_LOW = 2, // the firmware release that hid_get_device_info reports
    RELEASE_HIGH = 3,
    HEADER_SIZE = 4,
};

// Bits of the ENUMERATION byte.
constexpr std::uint8_t ENUM_COUNT_MASK = 0x03; // configuration interfaces listed, 0 to 3
constexpr std::uint8_t ENUM_FIRST_UNOPENABLE = 0x04; // the first of them cannot be opened
constexpr std::uint8_t ENUM_UNNAMED = 0x08; // listed by interface number, no product name
constexpr std::uint8_t ENUM_KEYBOARD_FIRST = 0x10; // a keyboard interface is listed before them
constexpr std::uint8_t ENUM_NO_DEVICE_INFO = 0x20; // hid_get_device_info gives nothing
constexpr std::uint8_t ENUM_NO_PATH = 0x40; // the last of them has no path

// Then one chunk per report: a head byte, then the report's bytes. The low seven bits of the head
// are the length hid_read_timeout reports (0 = no answer within the timeout, lengths above 64 test
// the caller's bounds), or CHUNK_ERROR for a failed read. A QUEUED chunk was already waiting when
// the read began: a read that does not wait (timeout 0) takes only those; a waiting read takes
// the next chunk of either kind. Missing bytes at the end of the input read as 0; once the
// chunks are used up, every read times out.
constexpr std::uint8_t CHUNK_QUEUED = 0x80;
constexpr std::uint8_t CHUNK_LENGTH_MASK = 0x7F;
constexpr std::uint8_t CHUNK_ERROR = 0x7F;
constexpr int ANSWER_SIZE = 64;

// Appends an answer of its full size to a script.
inline void appendAnswer(std::vector<std::uint8_t> &script,
                         const std::uint8_t (&answer)[ANSWER_SIZE])
{
    script.push_back(ANSWER_SIZE);
    script.insert(script.end(), answer, answer + ANSWER_SIZE);
}

} // namespace FakeHidScript
