// Start-up: the program's entry procedure, which picks the mode from the command line.
#pragma once

#include <optional>
#include <string>

#include "saver/saver_state.h"

namespace tavoria {

// Reads the command line and starts the mode it asks for; returns with the mode's window shown,
// or after answering with a message box; ends the program at once on a preview request.
void Main(SaverState& saver);

// The full-screen saver once its lists are loaded and its delay read: hides the pointer, adds the
// built-in adverts, loads the saver window, sets its display interval and shows it. A failure on
// the way shows the pointer again, then the report, then ends the program.
void StartScreenSaver(SaverState& saver);

// True when no top-level window has this title.
bool NoWindowTitled(SaverState& saver, const std::string& title);
void HideMousePointer(SaverState& saver);
void ShowMousePointer(SaverState& saver);
// ShowMousePointer, when the pointer is hidden: every way out shows it again exactly once.
void RestoreMousePointer(SaverState& saver);

// The display interval for a delay text: the seconds times 1000, to the nearest whole millisecond
// (halfway to even); nothing when the text is no number or the timer cannot take the interval.
std::optional<int> DelayInterval(const std::string& delay);

// The messages start-up answers with.
platform::MessageBoxRequest PasswordMessage();
platform::MessageBoxRequest InvalidCommandLineMessage(const std::string& commandLine);
platform::MessageBoxRequest BadDelayMessage(const std::string& delay);

}  // namespace tavoria
