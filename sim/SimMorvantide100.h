// Controls of the simulated Morvantide100: what is attached, the chip's state, and faults to inject.
// The chip itself is reached only through the hidapi C functions that this library defines.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mv100sim {

constexpr int MEMORY_SIZE = 7936;
constexpr int REPORT_SIZE = 65; // as written by hid_write, report id first
constexpr int ANSWER_SIZE = 64;

// One HID interface of the composite device as the enumeration shows it.
struct Interface
{
    std::wstring product;      // product string
    bool hasProduct = true;    // false: the enumeration entry carries no product string (null)
    int interfaceNumber = 0;
    bool isConfig = false;     // answers the configuration protocol
};

// The interfaces of a real chip: keyboard, media, config ("ConfigInterface" on 2), mouse, ...
std::vector<Interface> defaultInterfaces();

// The state of one chip.
struct ChipState
{
    std::array<unsigned char, MEMORY_SIZE> memory; // 0xFF after an erase
    std::array<unsigned char, 8> pin;              // factory PIN after an erase
    std::array<unsigned char, 16> customData;
    unsigned char lockKeys = 0x00;
    std::array<unsigned char, 8> led;
    std::array<unsigned char, 15> backlight;
    std::array<unsigned char, 15> mouse;
    unsigned char debounce = 2;                    // as reported by ReadDebounce
    unsigned short lockWord = 0xFFFF;              // 0xFFFF = unlocked
    unsigned short eraseCount = 0;
    std::uint32_t serial = 0x1A2B3C4D;
    unsigned short firmwareVersion = 0x1030;       // release number of the device
};

// The state of a freshly erased chip (memory 0xFF, factory PIN, unlocked).
ChipState erasedChip();

// One report written to a configuration interface, as hid_write received it (65 bytes).
struct LoggedReport
{
    int device = 0;
    std::vector<unsigned char> bytes;
};

// --- Setup ---------------------------------------------------------------------------------
// Back to one attached chip in the erased state with the default interfaces, no faults, an
// empty log, no state file.
void reset();
// Number of attached chips (0..n); new chips start erased with the default interfaces.
void setDeviceCount(int count);
int deviceCount();
void setInterfaces(int device, const std::vector<Interface> &interfaces);
ChipState &chip(int device = 0);

// --- Faults --------------------------------------------------------------------------------
// Stop answering after this many exchanges (reports written to a config interface) in total;
// -1 = never. Writes keep succeeding; reads then time out.
void stopAnsweringAfter(int exchanges);
// hid_write fails (returns -1) for exchange number n (0-based count of config writes); -1 = off.
void failWriteOfExchange(int n);
// Every answer from now on has 0 bytes (hid_read returns 0).
void answerEmpty(bool on);
// The device is unplugged after this many exchanges: writes and reads then fail with -1;
// -1 = never.
void unplugAfter(int exchanges);
// Put an extra, stale answer into the input queue of the config interface of a device.
void queueStaleAnswer(int device, const std::vector<unsigned char> &answer);
// The next erase answers with error flag 1 and this detail code (1..4 or any other); 0 = off.
void setEraseError(unsigned char detail);
// Time every exchange takes, in microseconds (simulated by sleeping in hid_read).
void setLatencyMicroseconds(int us);

// --- Observation ---------------------------------------------------------------------------
const std::vector<LoggedReport> &writtenReports();
void clearLog();
int exchangeCount();
// Handles opened and not yet closed (any interface).
int openHandleCount();

// --- Persistence (the demo build) ----------------------------------------------------------
// Load the first chip's state from this file if it exists, and save it there after every
// change from now on. An empty path switches persistence off.
bool setStateFile(const std::string &path);
bool saveState(const std::string &path);
bool loadState(const std::string &path);

} // namespace mv100sim
