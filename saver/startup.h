// Start-up: the program's entry procedure, which picks the mode from the command line.
#pragma once

#include <optional>
#include <string>

#include "saver/generalcode.h"

namespace tavoria {

// Reads the command line and starts the mode it asks for; returns with the mode's window shown,
// or after answering with a message box; ends the program at once on a preview request.
void Main(GeneralCode& g);

// True when no top-level window has this title.
bool NoWindowTitled(GeneralCode& g, const std::string& title);
void HideMousePointer(GeneralCode& g);
void ShowMousePointer(GeneralCode& g);

// The display interval for a delay text: the seconds times 1000, to the nearest whole millisecond
// (halfway to even); nothing when the text is no number or the timer cannot take the interval.
std::optional<int> DelayInterval(const std::string& delay);

// The messages start-up answers with.
platform::MessageBoxRequest PasswordMessage();
platform::MessageBoxRequest InvalidCommandLineMessage(const std::string& commandLine);
platform::MessageBoxRequest BadDelayMessage(const std::string& delay);

}  // namespace tavoria
