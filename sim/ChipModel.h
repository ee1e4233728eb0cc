// The command interpreter of the simulated chip: one report in, one answer out, on a ChipState.
#pragma once

#include "SimMorvantide100.h"

#include <array>

namespace mv100sim {

using Report = std::array<unsigned char, REPORT_SIZE>;
using Answer = std::array<unsigned char, ANSWER_SIZE>;

// Command codes of the configuration interface.
enum ChipCommand : unsigned char {
    CHIP_READ_INFO = 0x00,
    CHIP_READ_BLOCK = 0x01,
    CHIP_WRITE_BLOCK = 0x02,
    CHIP_ERASE = 0x03,
    CHIP_WRITE_NEW_PIN = 0x04,
    CHIP_WRITE_CUSTOM = 0x05,
    CHIP_WRITE_LOCK = 0x06,
    CHIP_READ_LED = 0x07,
    CHIP_WRITE_LED = 0x08,
    CHIP_READ_MOUSE = 0x09,
    CHIP_WRITE_MOUSE = 0x0A,
    CHIP_READ_DEBOUNCE = 0x0C,
    CHIP_WRITE_DEBOUNCE = 0x0D,
};

// Carries out one report (report id first) on the chip and returns its answer. eraseError is
// the injected erase fault (0 = none); it is cleared when an erase consumed it. changed tells
// whether the chip's state was altered.
Answer ExecuteReport(ChipState &chip, const Report &report, unsigned char &eraseError,
                     bool &changed);

} // namespace mv100sim
