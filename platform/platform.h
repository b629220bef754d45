// The few operations the programs need from the system. The logic above this folder speaks only
// to these interfaces; win32/ implements them on the Win32 API and memory/ in memory for tests.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form.h"
#include "platform/system_name.h"
#include "util/calendar.h"
#include "util/failure.h"

namespace platform {

// Thrown by Process::End in the in-memory platform so a test sees the program end "at once".
struct ProgramEnded {
  int exitCode;
};

// ----- process -------------------------------------------------------------------------------

// Held while it lives (see Process::HoldLock).
class Lock {
 public:
  virtual ~Lock() = default;
};

class Process {
 public:
  virtual ~Process() = default;
  // The command line without the program's own name and the blanks after it; nothing else trimmed.
  virtual SystemName ArgumentText() = 0;
  // The directory that holds the running program, without a trailing backslash.
  virtual SystemName ProgramDirectory() = 0;
  // Ends the program at once: no further code of the program runs.
  [[noreturn]] virtual void End(int exitCode) = 0;
  // The lock of this name, which one program of the whole machine holds at a time, every user's
  // session included. Waits at most `milliseconds` for another holder to let go; null when it
  // did not. Throws Failure when the system has none to give.
  virtual std::unique_ptr<Lock> HoldLock(const std::string& name, int milliseconds) = 0;
};

// ----- files ---------------------------------------------------------------------------------
// Paths use backslashes, as on Windows; every file is opened and closed within one call.

class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to size bytes; returns 0 only at the end of the file. Throws Failure.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  // The file's size in bytes as it is now. Throws Failure.
  virtual std::uint64_t Size() = 0;
};

// A new file of the program's own that no other program can open, change, rename or remove
// while the program holds it.
class HeldFile {
 public:
  // Lets go of the file; one never put in place is removed.
  virtual ~HeldFile() = default;
  // Appends the bytes and flushes them to the disk. Throws Failure.
  virtual void Write(std::string_view bytes) = 0;
  // Renames the file over `target` in one step, replacing a file there, while still holding it
  // (it is then the program's until let go). Throws Failure, keeping its own name and content.
  virtual void PutInPlace(const SystemName& target) = 0;
  // Its name now.
  virtual const SystemName& Path() const = 0;
};

class Files {
 public:
  virtual ~Files() = default;
  // Throws Failure: 53 missing file, 76 missing directory, 52 bad name, else the system's own.
  virtual std::unique_ptr<InputFile> OpenForReading(const SystemName& path) = 0;
  // Creates or empties the file and writes all the bytes, flushed to the disk. Throws Failure; may
  // leave a partial file.
  virtual void WriteNew(const SystemName& path, std::string_view bytes) = 0;
  // Replaces `target` by `source` in one step (the source name is gone afterwards). Throws Failure.
  virtual void MoveReplacing(const SystemName& source, const SystemName& target) = 0;
  // Creates an empty file in `directory` under a name no file there has, and no other call of any
  // program gives: `prefix`, a part the system picks, `suffix`. Throws Failure.
  virtual std::unique_ptr<HeldFile> CreateHeld(const SystemName& directory,
                                               const std::string& prefix,
                                               const std::string& suffix) = 0;
  // Removes the file if it is there; never fails.
  virtual void Remove(const SystemName& path) noexcept = 0;
  // Creates the directory unless it is there already (its parent must exist). Throws Failure.
  virtual void MakeDirectory(const SystemName& path) = 0;
  // The user's roaming application data directory as the system names it (never built from
  // environment strings); none when the system has none for this user.
  virtual std::optional<SystemName> RoamingAppData() = 0;
};

// ----- clock and calendar --------------------------------------------------------------------

class Clock {
 public:
  virtual ~Clock() = default;
  // The local date and time of day now, read in one go: the two always belong together.
  virtual calendar::Moment Now() = 0;
  // Seconds since midnight with the fraction the system gives, for seeding the random generator.
  virtual double SecondsSinceMidnight() = 0;
  // How the user's regional settings read dates.
  virtual calendar::RegionalSettings Regional() = 0;
  // How the regional settings of the user at the desktop read dates, when the program runs as
  // another account (an administrator who approved its elevation): that user is the owner of
  // the desktop's shell, else the user of the program's session. None when the system cannot
  // tell who that is, or their settings cannot be read.
  virtual std::optional<calendar::RegionalSettings> DesktopUserRegional() = 0;
  // The local date and time of day of an instant (UTC) on this computer, by its time zone's rules
  // for that date; none when the system cannot tell.
  virtual std::optional<calendar::Moment> LocalMomentOf(std::chrono::sys_seconds instant) = 0;
};

// ----- desktop -------------------------------------------------------------------------------

enum class Icon { None, Information, Exclamation, Question, Stop };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

struct MessageBoxRequest {
  std::string title;
  std::string text;
  Icon icon = Icon::None;
  Buttons buttons = Buttons::Ok;
  bool foreground = false;  // brought to the foreground above other programs
  bool operator==(const MessageBoxRequest&) const = default;
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // A modal message box; waits for the user's answer.
  virtual Answer ShowMessage(const MessageBoxRequest& box) = 0;
  // True when a top-level window has exactly this title (FindWindowA with no class name).
  virtual bool TopLevelWindowExists(const std::string& title) = 0;
  // ShowCursor: returns the new display count.
  virtual int ShowCursor(bool show) = 0;
  // The Windows directory, however long; none when the system gives no usable answer.
  virtual std::optional<SystemName> WindowsDirectory() = 0;
  // A name as text of the code page that message boxes and labels draw: a best fit, or "?", for
  // each character the code page cannot show.
  virtual std::string TextOfName(const SystemName& name) = 0;
  // Text of the code page (a line of a file) as a name.
  virtual SystemName NameOfText(std::string_view text) = 0;
};

// ----- shell ---------------------------------------------------------------------------------

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecute; the result is the shell's own (above 32 on success).
  virtual std::intptr_t Execute(ui::WindowHandle owner, const std::string& operation,
                                const SystemName& file, const SystemName& parameters,
                                const SystemName& directory, int showCommand) = 0;
  // Starts a program in a normal window that takes the focus, without waiting for it.
  virtual bool StartProgram(const SystemName& path) = 0;
};

// ----- windows -------------------------------------------------------------------------------

class Ui {
 public:
  virtual ~Ui() = default;
  // The screen's size in twips: the primary monitor's.
  virtual ui::Size ScreenSize() = 0;
  // Every monitor's rectangle in twips, measured from the primary monitor's top-left corner, the
  // primary monitor first. A form placed on one of these rectangles covers that monitor exactly.
  virtual std::vector<ui::Rect> Monitors() = 0;
  // The size of the monitor that holds a form's window, in twips at the window's own DPI: the
  // measure its controls are placed in. ScreenSize and Monitors measure at the system DPI, which
  // differs when the monitor's scale changed since the user signed in, or the window is on a
  // monitor of another scale. For a form that is not open: ScreenSize.
  virtual ui::Size ScreenSizeOf(const ui::Form& form) = 0;
  // The size a text takes in a font, in twips: the widest line by the number of lines.
  virtual ui::Size MeasureText(const ui::Font& font, const std::string& text) = 0;
  // Creates the real window for a description and shows it. The description must outlive it.
  virtual void Open(ui::Form& form) = 0;
  // Closes (unloads) the window; the event loop ends when no window is open.
  virtual void Close(ui::Form& form) = 0;
  virtual ui::WindowHandle Handle(const ui::Form& form) = 0;
  // Runs events until no window is open or the program ends, and returns the program's exit code:
  // 0 when the last window has closed, or the code a request to quit carries.
  virtual int RunEventLoop() = 0;
};

// All of the above, as the programs receive them.
struct Platform {
  Process& process;
  Files& files;
  Clock& clock;
  Desktop& desktop;
  Shell& shell;
  Ui& ui;
};

}  // namespace platform
