// The settings file (the delay) and the switches file (the two command-line switches).
#pragma once

#include <optional>
#include <string>

#include "saver/saver_state.h"

namespace tavoria {

// The delays the settings window accepts, in whole seconds; the delay when none is set is the
// state's kDefaultDelay.
inline constexpr int kShortestDelay = 2;
inline constexpr int kLongestDelay = 30;
// "between 2 and 30", as the messages name the delays accepted.
std::string AcceptedDelays();

// The settings file in effect is the user's own, "tavoria_config.ini" in a folder of the product's
// own in the user's roaming application data, when that file exists; otherwise the one beside the
// program, where an administrator's delay serves every user who has saved none of their own.
// None when the system names no roaming folder.
std::optional<platform::SystemName> UserSettingsDirectory(SaverState& saver);
platform::SystemName SettingsFileInEffect(SaverState& saver);

// Sets delaySetting from the first field of the settings file in effect; "7" when it cannot be
// read.
bool ReadConfig(SaverState& saver);
// Replaces the settings file in effect by one line: the delay text and CR LF. When that is the
// file beside the program and it cannot be written, the user's own file is written instead (its
// folder made first). False only when no file could be written; a file that was not written stays
// as it was.
bool WriteConfig(SaverState& saver, const std::string& delay);
// Sets saverSwitch and setupSwitch from the switches file, as far as it can be read.
bool ReadSaverArgs(SaverState& saver);

}  // namespace tavoria
