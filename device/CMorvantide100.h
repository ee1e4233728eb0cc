// CMorvantide100: the configuration model of the chip and the access to its configuration interface.
#pragma once

#include "Mv100Layout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct hid_device_;
typedef struct hid_device_ hid_device;

namespace MV100 {
constexpr unsigned short VENDOR_ID = 0x07C0;
constexpr unsigned short PRODUCT_ID = 0x0181;
constexpr int REPORT_OUT_SIZE = 65;   // report id 0x00 followed by 64 bytes
constexpr int REPORT_IN_SIZE = 64;
constexpr int CONFIG_INTERFACE = 2;   // interface number of an unnamed configuration interface
constexpr int MAX_OPEN_COUNT = 6;     // greatest count Open reports


// GetVersion/GetRevision when the device has no information (0xCCCC as 16 bits).
constexpr int NO_REVISION = -13108;
// Firmware versions above this one know the debounce commands.
constexpr int DEBOUNCE_MIN_VERSION_EXCLUSIVE = 0x102F;

// The longest wait for one answer of the chip unless CMorvantide100::SetReadTimeout says otherwise.
constexpr int READ_TIMEOUT_MS = 1000;

// Command codes of the configuration interface.
enum Command : unsigned char {
    CMD_READ_INFO = 0x00,
    CMD_READ_BLOCK = 0x01,
    CMD_WRITE_BLOCK = 0x02,
    CMD_ERASE = 0x03,
    CMD_WRITE_NEW_PIN = 0x04,
    CMD_WRITE_CUSTOM = 0x05,
    CMD_WRITE_LOCK = 0x06,
    CMD_READ_LED = 0x07,
    CMD_WRITE_LED = 0x08,
    CMD_READ_MOUSE = 0x09,
    CMD_WRITE_MOUSE = 0x0A,
    CMD_READ_DEBOUNCE = 0x0C,
    CMD_WRITE_DEBOUNCE = 0x0D,
};

// Command status of the command functions and the block transfers.
enum Status : int {
    STATUS_OK = 0,
    STATUS_READ_FAILED = 1,  // the handle was gone after the write, or no answer arrived
    STATUS_WRITE_FAILED = 2, // no handle, or the report could not be written
};

// Transfer result codes of the editor's device operations: one bit per failing step.
enum Result : unsigned short {
    RESULT_SUCCESS = 0,
    RESULT_ERASE = 1,
    RESULT_LED = 2,
    RESULT_MOUSE = 4,
    RESULT_MEMORY = 8,
    RESULT_LOCK = 16,
    RESULT_NEW_PIN = 32,
    RESULT_CUSTOM_DATA = 64,
    RESULT_DEBOUNCE = 128,
    RESULT_OPEN = 4096,
    RESULT_LOCKED = 8192,
};

// Byte offsets in the answer of the info command.
constexpr int INFO_CUSTOM_DATA = 4;  // 16 bytes
constexpr int INFO_LOCK_WORD = 20;   // 16 bits little-endian, 0xFFFF = unlocked
constexpr int INFO_ERASE_COUNT = 22; // 16 bits little-endian
constexpr int INFO_SERIAL = 24;      // 32 bits little-endian
// Offset of the payload in output reports and of the data in read answers.
constexpr int REPORT_PIN = 5;
constexpr int REPORT_PAYLOAD = 13;
constexpr int ANSWER_DATA = 4;
} // namespace MV100

// Product strings of the chip's HID interfaces.
namespace MV100_IFACE {
constexpr const wchar_t *KEYBOARD_NAME = L"Keyboard";
constexpr const wchar_t *MEDIA_NAME = L"MediaControls";
constexpr const wchar_t *CONFIG_NAME = L"ConfigInterface";
constexpr const wchar_t *MOUSE_NAME = L"Morvantide Mouse";
constexpr const wchar_t *GPIO_NAME = L"Morvantide GPIO";
constexpr const wchar_t *SPECIAL_NAME = L"Morvantide SpecialIO";
constexpr const wchar_t *IIC_NAME = L"Morvantide FastIIC";
} // namespace MV100_IFACE

class CMorvantide100
{
public:
    // The open configuration interface, if any.
    struct DeviceState
    {
        unsigned short vendorId = 0;
        unsigned short productId = 0;
        hid_device *handle = nullptr;
    };

    using Answer = unsigned char[MV100::REPORT_IN_SIZE];

    // What the enumeration shows of the chip's configuration interfaces.
    struct Census
    {
        int listed = 0;          // listed by the enumeration, by the same rule as Open
        int openable = 0;        // of those, the ones that could be opened
        std::wstring openError;  // hidapi's text for the first that could not; empty if none
    };

    CMorvantide100();
    ~CMorvantide100();
    // A copy would share the open handle; assignment copies the model only.
    CMorvantide100(const CMorvantide100 &) = delete;
    CMorvantide100 &operator=(const CMorvantide100 &other);

    // --- Configuration model -------------------------------------------------------------
    void SetKeyCode(unsigned char layer, unsigned char x, unsigned char y, unsigned short code);
    int GetKeyCode(unsigned char layer, unsigned char x, unsigned char y) const;

    void SetMacro(unsigned char slot, const unsigned char *data);  // 32 bytes
    void GetMacro(unsigned char slot, unsigned char *data) const;  // 32 bytes
    void SetMacroKey(unsigned char slot, unsigned char index, unsigned char value);
    unsigned char GetMacroKey(unsigned char slot, unsigned char index) const;
    void SetMacroMode(unsigned char slot, unsigned char mode);
    unsigned char GetMacroMode(unsigned char slot) const;
    void GetMacroData(unsigned char slot, unsigned char *data) const; // 31 bytes

    void ClearKeytableDefault();
    void ClearKeytableFN1();
    void ClearKeytableFN2();
    void ClearKeytableAll();
    void ClearMacro();
    void ClearMemory();
    void ClearAll();

    void SetPin(const unsigned char *data, std::uint64_t length);
    void SetPin(unsigned char b1, unsigned char b2, unsigned char b3, unsigned char b4,
                unsigned char b5, unsigned char b6, unsigned char b7, unsigned char b8);
    const std::array<unsigned char, MV100::PIN_SIZE> &GetPin() const { return m_Pin; }

    // --- Memory image --------------------------------------------------------------------
    void BuildMemory();
    void BuildKeytable();
    void BuildMacros();
    void SetMemory(std::vector<unsigned char> memory);
    std::vector<unsigned char> GetMemoryData() const;
    int WriteMemoryData();
    int ReadMemoryData();
    // Called with the block number after each block that WriteMemoryData or ReadMemoryData has
    // transferred, so that a window can show the progress; empty = none. Not copied by assignment.
    void SetProgressCallback(std::function<void(int block)> callback);

    // --- HID transport -------------------------------------------------------------------
    int Open();
    int Close();
    void Exit();
    void ClearDeviceStruct();
    int Write(hid_device *handle, const unsigned char *report);
    int Read(hid_device *handle, unsigned char *buffer, int *count);
    std::wstring GetProductName(hid_device *handle);
    std::wstring GetIndexString(hid_device *handle, int index);
    int GetRevision(hid_device *handle);
    int GetVersion();
    // Tells "no chip", "several chips" and "present but not to be opened" apart: opens each
    // configuration interface and closes it at once. Leaves any open object alone.
    static Census TakeCensus();
    // Longest wait for one answer of the chip, for every object of the process: READ_TIMEOUT_MS
    // until set; values below 1 ms count as 1 ms.
    static void SetReadTimeout(int ms);
    static int ReadTimeout();
    bool IsOpen() const { return m_Device.handle != nullptr; }
    const DeviceState &GetDeviceState() const { return m_Device; }

    // --- Commands ------------------------------------------------------------------------
    int ReadInfo(unsigned char *answer);
    int ReadBlock(unsigned char block, unsigned char *answer);
    int WriteBlock(unsigned char block, const unsigned char *data, unsigned char *answer);
    int Erase(unsigned char *answer);
    int WriteNewPin(const unsigned char *oldPin, const unsigned char *newPin, unsigned char *answer);
    int WriteCustomBytes(const unsigned char *data, unsigned char *answer);
    int WriteLock(unsigned char *answer);
    int ReadLed(unsigned char *answer);
    int WriteLed(unsigned char lockKeys, const unsigned char *led, const unsigned char *backlight,
                 unsigned char *answer);
    int ReadMouse(unsigned char *answer);
    int WriteMouse(const unsigned char *data, unsigned char *answer);
    int ReadDebounce(unsigned char *answer);
    int WriteDebounce(unsigned char value, unsigned char *answer);

    static const wchar_t *GetReturnErrorText(unsigned short result);

private:
    // One command: build the report, write it to the stored handle, read the answer.
    int Exchange(unsigned char command, unsigned char block, const unsigned char *pin,
                 const unsigned char *payload, std::size_t payloadLength, unsigned char *answer);
    // Reads one input report with a bounded wait; drains stale reports after a timeout.
    static int ReadReport(hid_device *handle, unsigned char *buffer);
    // Throws away every input report already waiting, so the next answer is the right one.
    static void DrainInput(hid_device *handle);
    // Image byte at offset; bytes beyond the end of a short image read as empty (0xFF).
    unsigned char MemoryByte(std::size_t offset) const;
    // Brings the image to exactly MEMORY_SIZE bytes, padding with 0xFF.
    void NormalizeMemory();

    DeviceState m_Device;
    std::array<unsigned char, MV100::PIN_SIZE> m_Pin;
    std::array<std::vector<unsigned short>, MV100::LAYERS> m_KeyTable;
    std::array<std::array<unsigned char, MV100::MACRO_SIZE>, MV100::MACRO_COUNT> m_Macro;
    std::vector<unsigned char> m_Memory;
    std::function<void(int block)> m_Progress;
};
