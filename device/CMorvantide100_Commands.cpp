// CMorvantide100: the commands of the configuration interface and the texts of the result codes.
#include "CMorvantide100.h"

#include <hidapi.h>

#include <algorithm>
#include <cstring>

namespace {
// Payload sizes of the commands that carry one.
constexpr std::size_t NEW_PIN_PAYLOAD = MV100::PIN_SIZE;
constexpr std::size_t LED_BLOCK_SIZE = 8;
constexpr std::size_t BACKLIGHT_BLOCK_SIZE = 15;
constexpr std::size_t LED_PAYLOAD = 2 + LED_BLOCK_SIZE + BACKLIGHT_BLOCK_SIZE; // 25
constexpr std::size_t MOUSE_PAYLOAD = 32;
constexpr std::size_t MAX_PAYLOAD = MV100::REPORT_OUT_SIZE - MV100::REPORT_PAYLOAD; // 52

// Copies length bytes from source, or leaves the zeros there when there is no source.
void put(unsigned char *target, const unsigned char *source, std::size_t length)
{
    if (source)
        std::memcpy(target, source, length);
}
} // namespace

int CMorvantide100::Exchange(unsigned char command, unsigned char block, const unsigned char *pin,
                             const unsigned char *payload, std::size_t payloadLength,
                             unsigned char *answer)
{
    unsigned char report[MV100::REPORT_OUT_SIZE] = {};
    report[1] = command;
    report[2] = block;
    put(report + MV100::REPORT_PIN, pin, MV100::PIN_SIZE);
    put(report + MV100::REPORT_PAYLOAD, payload, std::min(payloadLength, MAX_PAYLOAD));

    if (!m_Device.handle)
        return MV100::STATUS_WRITE_FAILED;
    // A late answer to an earlier command that gave up waiting must not pass for this one.
    DrainInput(m_Device.handle);
    if (hid_write(m_Device.handle, report, MV100::REPORT_OUT_SIZE) < 0)
        return MV100::STATUS_WRITE_FAILED;
    if (!m_Device.handle)
        return MV100::STATUS_READ_FAILED;

    unsigned char scratch[MV100::REPORT_IN_SIZE] = {};
    const int received = ReadReport(m_Device.handle, scratch);
    if (received <= 0)
        return MV100::STATUS_READ_FAILED;
    // Callers pre-fill the answer where they inspect it: it changes only on success.
    if (answer)
        std::memcpy(answer, scratch, received);
    return MV100::STATUS_OK;
}

int CMorvantide100::ReadInfo(unsigned char *answer)
{
    return Exchange(MV100::CMD_READ_INFO, 0, nullptr, nullptr, 0, answer);
}

int CMorvantide100::ReadBlock(unsigned char block, unsigned char *answer)
{
    return Exchange(MV100::CMD_READ_BLOCK, block, m_Pin.data(), nullptr, 0, answer);
}

int CMorvantide100::WriteBlock(unsigned char block, const unsigned char *data,
                               unsigned char *answer)
{
    return Exchange(MV100::CMD_WRITE_BLOCK, block, m_Pin.data(), data, MV100::BLOCK_SIZE, answer);
}

int CMorvantide100::Erase(unsigned char *answer)
{
    return Exchange(MV100::CMD_ERASE, 0, m_Pin.data(), nullptr, 0, answer);
}

// The chip checks the old PIN, which need not be the one this object holds.
int CMorvantide100::WriteNewPin(const unsigned char *oldPin, const unsigned char *newPin,
                                unsigned char *answer)
{
    return Exchange(MV100::CMD_WRITE_NEW_PIN, 0, oldPin, newPin, NEW_PIN_PAYLOAD, answer);
}

int CMorvantide100::WriteCustomBytes(const unsigned char *data, unsigned char *answer)
{
    return Exchange(MV100::CMD_WRITE_CUSTOM, 0, m_Pin.data(), data, MV100::CUSTOM_DATA_SIZE,
                    answer);
}

int CMorvantide100::WriteLock(unsigned char *answer)
{
    return Exchange(MV100::CMD_WRITE_LOCK, 0, m_Pin.data(), nullptr, 0, answer);
}

int CMorvantide100::ReadLed(unsigned char *answer)
{
    return Exchange(MV100::CMD_READ_LED, 0, m_Pin.data(), nullptr, 0, answer);
}

// Payload: lock-key byte, a fixed 0xFF, the LED block, the backlight block.
int CMorvantide100::WriteLed(unsigned char lockKeys, const unsigned char *led,
                             const unsigned char *backlight, unsigned char *answer)
{
    unsigned char payload[LED_PAYLOAD] = {};
    payload[0] = lockKeys;
    payload[1] = 0xFF;
    put(payload + 2, led, LED_BLOCK_SIZE);
    put(payload + 2 + LED_BLOCK_SIZE, backlight, BACKLIGHT_BLOCK_SIZE);
    return Exchange(MV100::CMD_WRITE_LED, 0, m_Pin.data(), payload, LED_PAYLOAD, answer);
}

int CMorvantide100::ReadMouse(unsigned char *answer)
{
    return Exchange(MV100::CMD_READ_MOUSE, 0, m_Pin.data(), nullptr, 0, answer);
}

int CMorvantide100::WriteMouse(const unsigned char *data, unsigned char *answer)
{
    return Exchange(MV100::CMD_WRITE_MOUSE, 0, m_Pin.data(), data, MOUSE_PAYLOAD, answer);
}

int CMorvantide100::ReadDebounce(unsigned char *answer)
{
    return Exchange(MV100::CMD_READ_DEBOUNCE, 0, m_Pin.data(), nullptr, 0, answer);
}

int CMorvantide100::WriteDebounce(unsigned char value, unsigned char *answer)
{
    return Exchange(MV100::CMD_WRITE_DEBOUNCE, 0, m_Pin.data(), &value, 1, answer);
}

const wchar_t *CMorvantide100::GetReturnErrorText(unsigned short result)
{
    switch (result) {
    case MV100::RESULT_SUCCESS:
        return L"The data was successfully transferred.";
    case MV100::RESULT_ERASE:
        return L"An error occurred during data transmission (erase data).";
    case MV100::RESULT_LED:
        return L"An error occurred during data transmission (led data).";
    case MV100::RESULT_MOUSE:
        return L"An error occurred during data transmission (mouse data).";
    case MV100::RESULT_MEMORY:
        return L"An error occurred during data transmission (keytable/macro data).";
    case MV100::RESULT_LOCK:
        return L"An error occurred during data transmission (lock).";
    case MV100::RESULT_NEW_PIN:
        return L"An error occurred during data transmission (new PIN).";
    case MV100::RESULT_CUSTOM_DATA:
        return L"An error occurred during data transmission (custom data).";
    case MV100::RESULT_DEBOUNCE:
        return L"An error occurred during data transmission (debounce data).";
    case MV100::RESULT_OPEN:
        return L"Can not open/connect Morvantide100. Please check the connection.";
    case MV100::RESULT_LOCKED:
        return L"The Morvantide is protected/locked and can be neither read nor written to.";
    default:
        return L"An unknown error occurred.";
    }
}
