// The text file that keeps a simulated chip's state between runs of the demo build.
#include "StateFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace mv100sim {

namespace {

const char HEADER[] = "MV100SIM 1";
const char DIGITS[] = "0123456789ABCDEF";

std::string hexBytes(const unsigned char *bytes, std::size_t count)
{
    std::string text;
    text.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        text += DIGITS[bytes[i] >> 4];
        text += DIGITS[bytes[i] & 0x0F];
    }
    return text;
}

std::string hexNumber(std::uint32_t value, int digits)
{
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = DIGITS[value & 0x0F];
    return text;
}

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool parseBytes(const std::string &text, unsigned char *bytes, std::size_t count)
{
    if (text.size() != count * 2)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const int high = digitValue(text[2 * i]);
        const int low = digitValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<unsigned char>(high << 4 | low);
    }
    return true;
}

template<typename T> bool parseNumber(const std::string &text, T &value, int digits)
{
    if (text.size() != static_cast<std::size_t>(digits))
        return false;
    std::uint32_t result = 0;
    for (char c : text) {
        const int digit = digitValue(c);
        if (digit < 0)
            return false;
        result = result << 4 | static_cast<std::uint32_t>(digit);
    }
    value = static_cast<T>(result);
    return true;
}

bool parseBlockIndex(const std::string &text, int &block)
{
    if (text.empty() || text.size() > 3)
        return false;
    block = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        block = block * 10 + (c - '0');
    }
    return block < BLOCK_COUNT;
}

} // namespace

std::string FormatState(const ChipState &chip)
{
    std::ostringstream out;
    out << HEADER << '\n';
    out << "firmware " << hexNumber(chip.firmwareVersion, 4) << '\n';
    out << "serial " << hexNumber(chip.serial, 8) << '\n';
    out << "erasecount " << hexNumber(chip.eraseCount, 4) << '\n';
    out << "lockword " << hexNumber(chip.lockWord, 4) << '\n';
    out << "pin " << hexBytes(chip.pin.data(), chip.pin.size()) << '\n';
    out << "customdata " << hexBytes(chip.customData.data(), chip.customData.size()) << '\n';
    out << "lockkeys " << hexNumber(chip.lockKeys, 2) << '\n';
    out << "led " << hexBytes(chip.led.data(), chip.led.size()) << '\n';
    out << "backlight " << hexBytes(chip.backlight.data(), chip.backlight.size()) << '\n';
    out << "mouse " << hexBytes(chip.mouse.data(), chip.mouse.size()) << '\n';
    out << "debounce " << hexNumber(chip.debounce, 2) << '\n';
    for (int block = 0; block < BLOCK_COUNT; ++block) {
        char index[16];
        std::snprintf(index, sizeof index, "%03d", block);
        out << "block " << index << ' '
            << hexBytes(chip.memory.data() + block * BLOCK_SIZE, BLOCK_SIZE) << '\n';
    }
    return out.str();
}

bool ParseState(const std::string &text, ChipState &chip)
{
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line != HEADER)
        return false;

    ChipState parsed;
    std::map<std::string, int> seen;
    std::vector<bool> blockSeen(BLOCK_COUNT, false);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::size_t space = line.find(' ');
        if (space == std::string::npos)
            return false;
        const std::string key = line.substr(0, space);
        std::string value = line.substr(space + 1);
        bool ok = false;
        if (key == "block") {
            const std::size_t second = value.find(' ');
            int block = 0;
            ok = second != std::string::npos && parseBlockIndex(value.substr(0, second), block)
                && !blockSeen[static_cast<std::size_t>(block)]
                && parseBytes(value.substr(second + 1), parsed.memory.data() + block * BLOCK_SIZE,
                              BLOCK_SIZE);
            if (ok)
                blockSeen[static_cast<std::size_t>(block)] = true;
        } else if (seen[key]++ > 0) {
            return false;
        } else if (key == "firmware") {
            ok = parseNumber(value, parsed.firmwareVersion, 4);
        } else if (key == "serial") {
            ok = parseNumber(value, parsed.serial, 8);
        } else if (key == "erasecount") {
            ok = parseNumber(value, parsed.eraseCount, 4);
        } else if (key == "lockword") {
            ok = parseNumber(value, parsed.lockWord, 4);
        } else if (key == "pin") {
            ok = parseBytes(value, parsed.pin.data(), parsed.pin.size());
        } else if (key == "customdata") {
            ok = parseBytes(value, parsed.customData.data(), parsed.customData.size());
        } else if (key == "lockkeys") {
            ok = parseNumber(value, parsed.lockKeys, 2);
        } else if (key == "led") {
            ok = parseBytes(value, parsed.led.data(), parsed.led.size());
        } else if (key == "backlight") {
            ok = parseBytes(value, parsed.backlight.data(), parsed.backlight.size());
        } else if (key == "mouse") {
            ok = parseBytes(value, parsed.mouse.data(), parsed.mouse.size());
        } else if (key == "debounce") {
            ok = parseNumber(value, parsed.debounce, 2);
        }
        if (!ok)
            return false;
    }

    static const char *const required[]
        = {"firmware", "serial", "erasecount", "lockword", "pin",     "customdata",
           "lockkeys", "led",    "backlight",  "mouse",    "debounce"};
    for (const char *key : required) {
        if (seen[key] != 1)
            return false;
    }
    for (bool present : blockSeen) {
        if (!present)
            return false;
    }
    chip = parsed;
    return true;
}

FileResult ReadStateFile(const std::string &path, ChipState &chip)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return error ? FileResult::Damaged : FileResult::Missing;
    // A file that exists but cannot be read counts as damaged, not as missing.
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return FileResult::Damaged;
    // The state is about 17 kB; anything much larger is not one of ours.
    constexpr std::streamoff LIMIT = 1 << 20;
    std::string text;
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
        if (static_cast<std::streamoff>(text.size()) > LIMIT)
            return FileResult::Damaged;
    }
    return ParseState(text, chip) ? FileResult::Loaded : FileResult::Damaged;
}

bool WriteStateFile(const std::string &path, const ChipState &chip)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        file << FormatState(chip);
        file.flush();
        if (!file) {
            file.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace mv100sim
