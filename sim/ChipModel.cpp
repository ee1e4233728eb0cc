// The command interpreter of the simulated chip and the chip's erased state.
#include "ChipModel.h"

#include <algorithm>

namespace mv100sim {

namespace {

constexpr int PIN_OFFSET = 5; // report bytes 5..12
constexpr int PAYLOAD_OFFSET = 13; // report bytes 13..64
constexpr int DATA_OFFSET = 4; // answer bytes 4..63

bool isKnown(unsigned char command, unsigned short firmware)
{
    switch (command) {
    case CHIP_READ_INFO:
    case CHIP_READ_BLOCK:
    case CHIP_WRITE_BLOCK:
    case CHIP_ERASE:
    case CHIP_WRITE_NEW_PIN:
    case CHIP_WRITE_CUSTOM:
    case CHIP_WRITE_LOCK:
    case CHIP_READ_LED:
    case CHIP_WRITE_LED:
    case CHIP_READ_MOUSE:
    case CHIP_WRITE_MOUSE:
        return true;
    case CHIP_READ_DEBOUNCE:
    case CHIP_WRITE_DEBOUNCE:
        return firmware > LAST_FIRMWARE_WITHOUT_DEBOUNCE;
    default:
        return false;
    }
}

bool pinMatches(const ChipState &chip, const Report &report)
{
    return std::equal(chip.pin.begin(), chip.pin.end(), report.begin() + PIN_OFFSET);
}

bool isLocked(const ChipState &chip)
{
    return chip.lockWord != UNLOCKED_WORD;
}

void putLittleEndian(Answer &answer, int offset, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        answer[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

template<std::size_t N>
void copyFromPayload(std::array<unsigned char, N> &target, const Report &report, int payloadByte)
{
    std::copy_n(report.begin() + PAYLOAD_OFFSET + payloadByte, N, target.begin());
}

template<std::size_t N>
void copyToAnswer(Answer &answer, int answerByte, const std::array<unsigned char, N> &source)
{
    std::copy(source.begin(), source.end(), answer.begin() + answerByte);
}

// Erases the chip: only the identity (serial, firmware) and the erase counter survive.
void eraseChip(ChipState &chip)
{
    ChipState erased;
    erased.serial = chip.serial;
    erased.firmwareVersion = chip.firmwareVersion;
    erased.eraseCount = static_cast<unsigned short>(chip.eraseCount + 1);
    chip = erased;
}

void answerErase(ChipState &chip, const Report &report, unsigned char &eraseError, Answer &answer,
                 bool &changed)
{
    if (eraseError != 0) {
        answer[1] = 1;
        answer[2] = eraseError;
        eraseError = 0;
        return;
    }
    if (!pinMatches(chip, report)) {
        answer[1] = 1;
        answer[2] = isLocked(chip) ? ANSWER_LOCKED : ANSWER_ERASE_FAILED;
        return;
    }
    eraseChip(chip);
    changed = true;
}

// Carries out a command other than ReadInfo and Erase that the chip knows and allows.
void carryOut(ChipState &chip, const Report &report, Answer &answer, bool &changed)
{
    const unsigned char command = report[1];
    const int block = report[2];
    switch (command) {
    case CHIP_READ_BLOCK:
        std::copy_n(chip.memory.begin() + block * BLOCK_SIZE, BLOCK_SIZE,
                    answer.begin() + DATA_OFFSET);
        break;
    case CHIP_WRITE_BLOCK:
        std::copy_n(report.begin() + PAYLOAD_OFFSET, BLOCK_SIZE,
                    chip.memory.begin() + block * BLOCK_SIZE);
        changed = true;
        break;
    case CHIP_WRITE_NEW_PIN:
        copyFromPayload(chip.pin, report, 0);
        changed = true;
        break;
    case CHIP_WRITE_CUSTOM:
        copyFromPayload(chip.customData, report, 0);
        changed = true;
        break;
    case CHIP_WRITE_LOCK:
        chip.lockWord = LOCKED_WORD;
        changed = true;
        break;
    case CHIP_READ_LED:
        answer[4] = chip.lockKeys;
        answer[5] = 0xFF;
        copyToAnswer(answer, 6, chip.led);
        copyToAnswer(answer, 14, chip.backlight);
        break;
    case CHIP_WRITE_LED:
        // Payload byte 1 is a fixed 0xFF separator that the chip does not keep.
        chip.lockKeys = report[PAYLOAD_OFFSET];
        copyFromPayload(chip.led, report, 2);
        copyFromPayload(chip.backlight, report, 10);
        changed = true;
        break;
    case CHIP_READ_MOUSE:
        copyToAnswer(answer, DATA_OFFSET, chip.mouse);
        break;
    case CHIP_WRITE_MOUSE:
        copyFromPayload(chip.mouse, report, 0);
        changed = true;
        break;
    case CHIP_READ_DEBOUNCE:
        answer[4] = chip.debounce;
        break;
    case CHIP_WRITE_DEBOUNCE: {
        // The chip counts the debounce time from 1 ms, so it keeps the value minus one.
        const unsigned char value = report[PAYLOAD_OFFSET];
        chip.debounce = static_cast<unsigned char>(std::max<int>(value, 1) - 1);
        changed = true;
        break;
    }
    default:
        break;
    }
}

} // namespace

std::vector<Interface> defaultInterfaces()
{
    // clang-format off
    return {
        {L"Keyboard", true, 0, false},
        {L"MediaControls", true, 1, false},
        {L"ConfigInterface", true, 2, true},
        {L"Morvantide Mouse", true, 3, false},
        {L"Morvantide GPIO", true, 4, false},
        {L"Morvantide SpecialIO", true, 5, false},
        {L"Morvantide FastIIC", true, 6, false},
    };
    // clang-format on
}

ChipState erasedChip()
{
    return ChipState();
}

bool ChipState::operator==(const ChipState &other) const
{
    return memory == other.memory && pin == other.pin && customData == other.customData
        && lockKeys == other.lockKeys && led == other.led && backlight == other.backlight
        && mouse == other.mouse && debounce == other.debounce && lockWord == other.lockWord
        && eraseCount == other.eraseCount && serial == other.serial
        && firmwareVersion == other.firmwareVersion;
}

Answer ExecuteReport(ChipState &chip, const Report &report, unsigned char &eraseError,
                     bool &changed)
{
    changed = false;
    Answer answer {};
    const unsigned char command = report[1];
    answer[0] = command;
    answer[3] = report[2];

    if (!isKnown(command, chip.firmwareVersion)) {
        answer[1] = 1;
        answer[2] = ANSWER_UNKNOWN_COMMAND;
        return answer;
    }
    if (command == CHIP_READ_INFO) {
        copyToAnswer(answer, 4, chip.customData);
        putLittleEndian(answer, 20, chip.lockWord, 2);
        putLittleEndian(answer, 22, chip.eraseCount, 2);
        putLittleEndian(answer, 24, chip.serial, 4);
        return answer;
    }
    if (command == CHIP_ERASE) {
        answerErase(chip, report, eraseError, answer, changed);
        return answer;
    }

    unsigned char reason = ANSWER_OK;
    if (isLocked(chip))
        reason = ANSWER_LOCKED;
    else if (!pinMatches(chip, report))
        reason = ANSWER_WRONG_PIN;
    else if ((command == CHIP_READ_BLOCK || command == CHIP_WRITE_BLOCK)
             && report[2] >= BLOCK_COUNT)
        reason = ANSWER_BLOCK_OUT_OF_RANGE;
    if (reason != ANSWER_OK) {
        answer[1] = 1;
        answer[2] = reason;
        return answer;
    }
    carryOut(chip, report, answer, changed);
    return answer;
}

} // namespace mv100sim
