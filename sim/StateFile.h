// The text file that keeps a simulated chip's state between runs of the demo build.
#pragma once

#include "SimMorvantide100.h"

#include <string>

namespace mv100sim {

std::string FormatState(const ChipState &chip);
// Fills chip only when the whole text is valid.
bool ParseState(const std::string &text, ChipState &chip);

enum class FileResult { Loaded, Missing, Damaged };
FileResult ReadStateFile(const std::string &path, ChipState &chip);
bool WriteStateFile(const std::string &path, const ChipState &chip);

} // namespace mv100sim
