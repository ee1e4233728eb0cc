// Controls of the simulated Morvantide100: what is attached, the chip's state, and faults to inject.
// The chip itself is reached only through the hidapi C functions that this library defines.
//
// How the simulated chip answers (choices the editor leaves open):
// - Every report written to a configuration interface gets exactly one 64-byte answer, queued on
//   that interface and read with hid_read/hid_read_timeout. Answer byte 0 echoes the command,
//   byte 1 is the status (0 done, 1 refused), byte 2 the reason (the ANSWER_* codes below),
//   byte 3 echoes report byte 2 (the block number); the data follow from byte 4. A refused
//   command changes nothing and its data bytes are 0.
// - Reasons are checked in this order: unknown command, device locked, wrong PIN, block out of
//   range. ReadInfo needs no PIN and also answers on a locked chip.
// - Erase: the injected error (setEraseError) wins, then a wrong PIN answers detail 4 on a locked
//   chip and 3 ("erase failed") on an unlocked one: the editor has texts for those two only.
//   With the right PIN the chip is erased even when locked (the only way out of the lock):
//   memory 0xFF, factory PIN, custom data and settings to their erased values, lock word
//   0xFFFF, erase count + 1 (wrapping at 0xFFFF); serial and firmware stay.
// - WriteLock with the right PIN sets the lock word to LOCKED_WORD.
// - Debounce: the chip keeps "milliseconds - 1": WriteDebounce with v stores v - 1 (0 is taken as
//   1 ms) and ReadDebounce reports that byte, so the editor's "answer + 1" gives back v.
//   Firmware 0x102F and older do not know the debounce commands: they are refused as unknown.
// - Custom data can be written at any time with the right PIN (the editor only does so right
//   after an erase).
// - Interfaces that do not answer the configuration protocol accept every write and never
//   answer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mv100sim {

constexpr int MEMORY_SIZE = 7936;
constexpr int REPORT_SIZE = 65; // as written by hid_write, report id first
constexpr int ANSWER_SIZE = 64;
constexpr int BLOCK_SIZE = 32;
constexpr int BLOCK_COUNT = MEMORY_SIZE / BLOCK_SIZE; // 248

constexpr unsigned short VENDOR_ID = 0x07C0;
constexpr unsigned short PRODUCT_ID = 0x0181;

// The PIN after an erase: "3C9A71E04B5D28F6".
constexpr std::array<unsigned char, 8> FACTORY_PIN = {0x3C, 0x9A, 0x71, 0xE0,
                                                      0x4B, 0x5D, 0x28, 0xF6};
// The lock word after WriteLock (anything but 0xFFFF reads as locked).
constexpr unsigned short LOCKED_WORD = 0xA55A;
constexpr unsigned short UNLOCKED_WORD = 0xFFFF;
// Firmware versions above this one know the debounce commands.
constexpr unsigned short LAST_FIRMWARE_WITHOUT_DEBOUNCE = 0x102F;

// Answer byte 2 (the erase detail, and the reason of a refusal for the other commands).
constexpr unsigned char ANSWER_OK = 0;
constexpr unsigned char ANSWER_BLOCK_OUT_OF_RANGE = 1;
constexpr unsigned char ANSWER_ERASE_COUNT_FAILED = 2;
constexpr unsigned char ANSWER_ERASE_FAILED = 3;
constexpr unsigned char ANSWER_LOCKED = 4;
constexpr unsigned char ANSWER_WRONG_PIN = 5;
constexpr unsigned char ANSWER_UNKNOWN_COMMAND = 6;

// One HID interface of the composite device as the enumeration shows it.
struct Interface
{
    std::wstring product;      // product string
    bool hasProduct = true;    // false: the enumeration entry carries no product string (null)
    int interfaceNumber = 0;
    bool isConfig = false;     // answers the configuration protocol
};

// The interfaces of a real chip, numbered 0..6 in this order: "Keyboard", "MediaControls",
// "ConfigInterface" (the configuration interface, number 2), "Morvantide Mouse",
// "Morvantide GPIO", "Morvantide SpecialIO", "Morvantide FastIIC".
std::vector<Interface> defaultInterfaces();

// Helper for the erased values below.
template<typename T, std::size_t N>
constexpr std::array<T, N> filledArray(T value)
{
    std::array<T, N> result{};
    for (std::size_t i = 0; i < N; ++i)
        result[i] = value;
    return result;
}

// The state of one chip. A default-constructed ChipState is a freshly erased chip.
struct ChipState
{
    std::array<unsigned char, MEMORY_SIZE> memory =
        filledArray<unsigned char, MEMORY_SIZE>(0xFF);                 // 0xFF after an erase
    std::array<unsigned char, 8> pin = FACTORY_PIN;                    // factory PIN after an erase
    std::array<unsigned char, 16> customData = filledArray<unsigned char, 16>(0xFF);
    unsigned char lockKeys = 0x00;
    std::array<unsigned char, 8> led = filledArray<unsigned char, 8>(0xFF); // every LED off
    std::array<unsigned char, 15> backlight = filledArray<unsigned char, 15>(0x00);
    // Mouse off with the editor's default axis and ballistic values.
    std::array<unsigned char, 15> mouse = {0xFF, 0x00, 0x3C, 0xB9, 0x1E, 0x0A, 0x00, 0x03,
                                           0x05, 0x08, 0x0A, 0x0D, 0x0F, 0x12, 0x14};
    unsigned char debounce = 2;                    // as reported by ReadDebounce (3 ms)
    unsigned short lockWord = 0xFFFF;              // 0xFFFF = unlocked
    unsigned short eraseCount = 0;
    std::uint32_t serial = 0x1A2B3C4D;
    unsigned short firmwareVersion = 0x1030;       // release number of the device

    bool operator==(const ChipState &other) const;
    bool operator!=(const ChipState &other) const { return !(*this == other); }
};

// The state of a freshly erased chip (memory 0xFF, factory PIN, unlocked).
ChipState erasedChip();

// One report written through hid_write, as it was passed (normally 65 bytes).
struct LoggedReport
{
    int device = 0;
    std::vector<unsigned char> bytes;
    int interfaceNumber = 0;   // interface number of the handle written to
    bool isConfig = true;      // written to a configuration interface (an exchange)
    bool delivered = true;     // false: hid_write returned -1 (injected failure, unplugged, ...)
};

// --- Setup ---------------------------------------------------------------------------------
// Back to one attached chip in the erased state with the default interfaces, no faults, an
// empty log, exchange count 0, no state file. Handles still open from before stay valid for
// hid_close (which frees them) but fail every other call and are not counted as open.
void reset();
// Number of attached chips (0..n); new chips start erased with the default interfaces, chip d
// with the serial number 0x1A2B3C4D + d. Removed chips are gone for good: their open handles
// fail from then on.
void setDeviceCount(int count);
int deviceCount();
// Replaces the interfaces of an attached chip (ignored for a chip that is not attached).
void setInterfaces(int device, const std::vector<Interface> &interfaces);
// The state of an attached chip, to set up or inspect directly. Aborts the program for a chip
// that is not attached (a mistake in the test). Changes made here are saved to the state file
// only with the next command that changes the chip, or by saveState.
ChipState &chip(int device = 0);

// --- Faults --------------------------------------------------------------------------------
// Exchanges are counted over all chips since reset(), from 0; exchange = one report written to a
// configuration interface of an attached chip (also the one whose write is failed on purpose).

// Stop answering after this many exchanges in total; -1 = never. Writes keep succeeding but the
// chip no longer carries out the commands (it hangs); reads then time out.
void stopAnsweringAfter(int exchanges);
// hid_write fails (returns -1) for exchange number n (0-based count of config writes); -1 = off.
// The chip does not see that report, so nothing is carried out and nothing is answered.
void failWriteOfExchange(int n);
// Every answer from now on has 0 bytes (hid_read returns 0 at once). The chip still carries out
// the commands.
void answerEmpty(bool on);
// The chips are unplugged once this many exchanges have been made: the next write fails with
// -1, every read and write on handles opened before fails with -1, queued answers are lost,
// enumeration lists nothing and opening fails. With a count already reached the chips are
// unplugged at once; -1 plugs them in again (old handles stay dead).
void unplugAfter(int exchanges);
// Put an extra, stale answer (at most 64 bytes; may be empty) into the input queue of the first
// config interface of a device. It is read before the answer to the next report. The queue of an
// interface empties when its last open handle is closed.
void queueStaleAnswer(int device, const std::vector<unsigned char> &answer);
// The next erase answers with error flag 1 and this detail code (1..4 or any other) and changes
// nothing, whatever PIN it carries; then the fault is off again. 0 = off.
void setEraseError(unsigned char detail);
// Time every exchange takes, in microseconds: its answer becomes readable this long after the
// write (simulated by waiting in hid_read). A timed read that gives up first leaves the answer
// queued, where it turns into a stale answer.
void setLatencyMicroseconds(int us);
// A blocking hid_read with nothing to come would wait forever on a real device; here it gives up
// after this many milliseconds and returns -1 (default 2000).
void setBlockingReadLimitMilliseconds(int ms);
// Present but not permitted, as a hidraw node the user may not open: the enumeration still lists
// every interface, but hid_open_path and hid_open return null for them and hid_error(nullptr)
// says "Permission denied". Handles opened before stay usable.
void setOpenDenied(bool denied);
// Every accepted WriteBlock of this block from now on (until -1 or reset) is answered as done but
// stores byte byteIndex (0..31) XORed with xorMask. -1, or a byteIndex outside 0..31, = off.
void corruptBlockWrite(int block, int byteIndex, unsigned char xorMask);
// Every accepted WriteBlock of this block from now on (until -1 or reset) is answered as done but
// not stored: the block keeps its previous content. -1 = off. Wins over corruptBlockWrite.
void dropBlockWrite(int block);

// --- Observation ---------------------------------------------------------------------------
// Every report written through hid_write since reset() or clearLog(), on any interface.
const std::vector<LoggedReport> &writtenReports();
void clearLog();
int exchangeCount();
// Handles opened and not yet closed (any interface), not counting those from before reset().
int openHandleCount();
// Answers waiting in the queue of the first config interface of a device.
int queuedAnswers(int device = 0);
// Calls that passed a handle that was never opened or is already closed (double close, use after
// close), since reset().
int invalidHandleUses();

// --- Persistence (the demo build) ----------------------------------------------------------
// Load the first chip's state from this file if it exists, and save it there after every
// change from now on. An empty path switches persistence off. Returns false when the file
// exists but cannot be read or is damaged; the first chip is then erased (the file is rewritten
// with the next change).
bool setStateFile(const std::string &path);
// Write the first chip's state to a file (a temporary file renamed over the target). The format
// is text: the line "MV100SIM 1", then lines "key value" with upper-case hexadecimal values
// (numbers most significant digit first, byte arrays first byte first): firmware, serial,
// erasecount, lockword, pin, customdata, lockkeys, led, backlight, mouse, debounce, and
// "block NNN <32 bytes>" for the blocks 0..247 (NNN decimal).
bool saveState(const std::string &path);
// Read the first chip's state from a file written by saveState. A missing, unreadable or damaged
// file returns false and leaves the chip as it was.
bool loadState(const std::string &path);

} // namespace mv100sim
