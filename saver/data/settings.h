// The settings file (the delay) and the switches file (the two command-line switches).
#pragma once

#include <string>

#include "saver/generalcode.h"

namespace tavoria {

// The delays the settings window accepts, in seconds, and the delay when none is set.
inline constexpr double kShortestDelay = 2;
inline constexpr double kLongestDelay = 30;
inline constexpr const char* kDefaultDelay = "7";

// Sets delaySetting from the first field of the settings file; "7" when it cannot be read.
bool ReadConfig(GeneralCode& g);
// Replaces the settings file by one line: the delay text and CR LF. The old file stays as it was
// when the write fails.
bool WriteConfig(GeneralCode& g, const std::string& delay);
// Sets saverSwitch and setupSwitch from the switches file, as far as it can be read.
bool ReadSaverArgs(GeneralCode& g);

}  // namespace tavoria
