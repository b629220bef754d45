// A deterministic platform in memory for tests: files in a temporary directory with injected
// faults, message boxes recorded and answered by the test, a virtual clock that drives the
// windows' timers, and text measured by a fixed metric.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/host_files.h"
#include "platform/platform.h"
#include "tz/time_zone.h"

namespace platform::memory {

// What a user or the system would observe, in the order it happened: the pointer hidden and shown,
// message boxes shown and answered, windows opened and closed, the program's end, addresses and
// programs started through the shell, files replaced. Tests compare whole sequences of it.
struct EventLog {
  std::vector<std::string> events;
  void Add(std::string event) { events.push_back(std::move(event)); }
};

// A test asked the in-memory platform for something the real window layer cannot do (a click on a
// hidden control, input to a closed window): the test is wrong, not the program.
struct TestError : std::logic_error {
  using std::logic_error::logic_error;
};

// Names are UTF-8 here, as inside the programs.
class MemoryProcess : public Process {
 public:
  explicit MemoryProcess(EventLog& log) : log_(log) {}
  std::string argumentText;
  std::string programDirectory;
  std::vector<int> ends;  // every End call's exit code

  // Locks another program holds, as long as the test wants: HoldLock waits in vain for them.
  std::set<std::string> heldElsewhere;
  // The locks this program holds now.
  std::set<std::string> held;

  SystemName ArgumentText() override { return SystemName(argumentText); }
  SystemName ProgramDirectory() override { return SystemName(programDirectory); }
  [[noreturn]] void End(int exitCode) override;
  std::unique_ptr<Lock> HoldLock(const std::string& name, int milliseconds) override;

 private:
  EventLog& log_;
};

// Real files under a temporary directory (backslashes in paths are taken as separators), with
// injected faults, directories a standard user may not write, and replacements logged.
class MemoryFiles : public HostFiles {
 public:
  explicit MemoryFiles(EventLog& log) : log_(log) {}
  // The next WriteNew, or write to a held file, writes this many bytes, then fails as a full
  // disk does.
  std::optional<std::size_t> failWriteAfter;
  // The next MoveReplacing, or held file put in place, fails and leaves both files as they were.
  bool failMove = false;
  // Every file the program created or wrote, as it names it, in order.
  std::vector<std::string> written;
  // The held files, as the program names them now: they cannot be opened.
  std::set<std::string> held;
  // Files (as the program names them) that exist but cannot be opened for reading.
  std::set<std::string> unreadable;
  // Directories (as the program names them) where nothing may be created or replaced, as for a
  // standard user in the Windows directory: such writes fail with "Permission denied".
  std::set<std::string> readOnlyDirectories;

  std::unique_ptr<InputFile> OpenForReading(const SystemName& path) override;
  void WriteNew(const SystemName& path, std::string_view bytes) override;
  void MoveReplacing(const SystemName& source, const SystemName& target) override;
  std::unique_ptr<HeldFile> CreateHeld(const SystemName& directory, const std::string& prefix,
                                       const std::string& suffix) override;
  void MakeDirectory(const SystemName& path) override;
  std::optional<SystemName> RoamingAppData() override;

  // The user's roaming application data directory; empty: the system names none.
  std::string roamingAppData;

 private:
  // Throws Failure 70 when the path lies in a read-only directory.
  void Writable(const SystemName& path) const;
  EventLog& log_;
};

// A clock that runs with virtual time: the date turns over at midnight as the time of day passes
// it.
class VirtualClock : public Clock {
 public:
  double fraction = 0;  // added to SecondsSinceMidnight
  calendar::RegionalSettings regional;
  // The desktop user's; none: the system cannot tell.
  std::optional<calendar::RegionalSettings> desktopUserRegional = calendar::RegionalSettings{};
  std::int64_t now = 0;  // virtual milliseconds, advanced by MemoryUi::Advance
  // The computer's time zone; none: its clock is UTC's.
  std::optional<tz::TimeZone> zone;

  calendar::Moment Now() override;
  double SecondsSinceMidnight() override;
  calendar::RegionalSettings Regional() override { return regional; }
  std::optional<calendar::RegionalSettings> DesktopUserRegional() override {
    return desktopUserRegional;
  }
  std::optional<calendar::Moment> LocalMomentOf(std::chrono::sys_seconds instant) override;
  // Sets today's date and the time of day now, on the computer's clock (in its zone). A time the
  // clocks skip there is a TestError; one they show twice is taken at the first.
  void Set(calendar::Date date, int hours, int minutes, int seconds);

 private:
  // The instant virtual time 0 stands for, in milliseconds since 1970 (UTC): Tuesday 8 December
  // 2026 at noon on the computer's clock unless set.
  std::int64_t startMilliseconds_ = (20795LL * 86400 + 12 * 3600) * 1000;
  calendar::Moment LocalAt(std::int64_t milliseconds) const;
};

class MemoryUi;

class MemoryDesktop : public Desktop {
 public:
  MemoryDesktop(MemoryUi& ui, EventLog& log) : ui_(ui), log_(log) {}
  std::vector<MessageBoxRequest> messages;  // every box shown, in order
  std::deque<Answer> answers;               // answers for the next boxes; default OK or No
  std::set<std::string> otherWindows;       // titles of other programs' top-level windows
  std::vector<bool> cursorCalls;            // every ShowCursor argument, in order
  int cursorCount = 0;
  std::string windowsDirectory = "C:\\windows";  // empty: the system gives none

  Answer ShowMessage(const MessageBoxRequest& box) override;
  bool TopLevelWindowExists(const std::string& title) override;
  int ShowCursor(bool show) override;
  std::optional<SystemName> WindowsDirectory() override;
  // The code page here is ISO 8859-1: each byte is the character of its value, and every other
  // character is shown as "?".
  std::string TextOfName(const SystemName& name) override;
  SystemName NameOfText(std::string_view text) override;

 private:
  MemoryUi& ui_;
  EventLog& log_;
};

class MemoryShell : public Shell {
 public:
  explicit MemoryShell(EventLog& log) : log_(log) {}
  struct Execution {
    ui::WindowHandle owner;
    std::string operation, file, parameters, directory;
    int showCommand;
    bool operator==(const Execution&) const = default;
  };
  std::vector<Execution> executions;
  std::vector<std::string> started;  // programs started (only those that exist)
  std::vector<std::string> startAttempts;

  std::intptr_t Execute(ui::WindowHandle owner, const std::string& operation,
                        const SystemName& file, const SystemName& parameters,
                        const SystemName& directory, int showCommand) override;
  bool StartProgram(const SystemName& path) override;

 private:
  EventLog& log_;
};

class MemoryUi : public Ui {
 public:
  MemoryUi(VirtualClock& clock, EventLog& log) : clock_(clock), log_(log) {}
  ui::Size screen{15360, 11520};  // 1024 x 768 pixels at 15 twips a pixel
  bool failOpen = false;          // the next Open fails as when the system has no room left

  // Further monitors beside the primary one (whose size is `screen`).
  std::vector<ui::Rect> otherMonitors;
  // The system DPI, at which `screen` and the monitors are measured, and the DPI windows open at
  // (their monitors'), when it is another: as after a change of the scale without signing out,
  // or on a monitor of another scale than the one the user signed in on.
  int systemDpi = 96;
  std::optional<int> openingDpi;

  ui::Size ScreenSize() override { return screen; }
  std::vector<ui::Rect> Monitors() override;
  // The monitor that holds the form's top-left corner (the primary for a maximised form), at the
  // window's DPI.
  ui::Size ScreenSizeOf(const ui::Form& form) override;
  // Fixed metric: each character is 0.6 of the point size wide (0.65 bold), a line 1.25 high.
  ui::Size MeasureText(const ui::Font& font, const std::string& text) override;
  void Open(ui::Form& form) override;
  void Close(ui::Form& form) override;
  ui::WindowHandle Handle(const ui::Form& form) override;
  int RunEventLoop() override { return exitCode; }

  // Moves virtual time on, firing every timer that falls due, in time order.
  void Advance(std::int64_t milliseconds);
  std::int64_t Now() const { return clock_.now; }
  // User input, delivered to the form's handlers as the real window would. Input to a window that
  // is not open, or to a control that is not shown (hidden, or inside a hidden container), is a
  // TestError: a user cannot reach it.
  void Click(ui::Form& form);
  void ClickControl(ui::Form& form, ui::ControlId control);
  // Types into a text box, replacing its text.
  void Type(ui::Form& form, ui::ControlId control, const std::string& text);
  // The shift state: 1 shift, 2 control, 4 alt, added together.
  void KeyDown(ui::Form& form, int keyCode, int shift);
  void KeyPress(ui::Form& form, int character);
  void MouseMove(ui::Form& form, float x, float y);
  void UserCloses(ui::Form& form);
  // An open window's DPI changes, as when its monitor's scale is changed or it goes to a monitor
  // of another scale; the form hears of it.
  void ChangeDpi(ui::Form& form, int dpi);
  // An open window's DPI: the system's unless it opened at or changed to another.
  int DpiOf(const ui::Form& form) const;
  // The display changes, as when a monitor comes or goes or a resolution changes: the primary's
  // size and the further monitors become these, and every form open then hears of it (a test
  // that changes `screen` and `otherMonitors` itself makes a change the system does not
  // announce).
  void ChangeDisplay(ui::Size primary, std::vector<ui::Rect> others);
  // Runs a piece of the program (Main, a handler) as the event loop would: an End stops it.
  template <typename F>
  void Run(F&& f) {
    if (ended) return;
    try {
      f();
    } catch (const ProgramEnded& e) {
      ended = true;
      exitCode = e.exitCode;
    }
    SyncTimers();
  }

  // Delivers an event to a form's handler as the event loop would: an End stops the program, and
  // any other failure goes to the form's onFailure, the one place the program decides about it.
  template <typename F>
  void Deliver(ui::Form& form, F&& handler) {
    Run([&] {
      try {
        handler();
      } catch (const ProgramEnded&) {
        throw;
      } catch (...) {
        if (!form.onFailure) throw;
        form.onFailure(std::current_exception());
      }
    });
  }

  bool IsOpen(const ui::Form& form) const;
  std::vector<ui::Form*> openForms;
  bool ended = false;
  int exitCode = 0;

 private:
  struct Scheduled {
    ui::Form* form;
    std::size_t timer;
    unsigned starts;
    int interval;
    std::int64_t due;
  };
  void SyncTimers();
  // Throws TestError unless the form is open (and the control shown).
  void Reachable(const ui::Form& form, const std::string& what) const;
  ui::Control& ShownControl(ui::Form& form, ui::ControlId id) const;
  // Tells a form of a change of its display: a failure goes to its onFailure.
  void DisplayChanged(ui::Form& form);
  VirtualClock& clock_;
  EventLog& log_;
  std::vector<Scheduled> scheduled_;
  std::map<const ui::Form*, int> dpis_;  // the open windows not at the system DPI
};

// The whole in-memory platform, with a fresh temporary program directory.
class MemoryPlatform {
 public:
  MemoryPlatform();
  ~MemoryPlatform();
  MemoryPlatform(const MemoryPlatform&) = delete;
  MemoryPlatform& operator=(const MemoryPlatform&) = delete;

  // A file in the program directory, read or written directly (bytes as they are on disk).
  std::string PathOf(const std::string& name) const;
  // The same as the host's file functions take it (the name in UTF-8 on every system).
  std::filesystem::path HostPathOf(const std::string& name) const;
  void WriteFile(const std::string& name, std::string_view bytes) const;
  std::optional<std::string> ReadFile(const std::string& name) const;
  // The file names in the program directory.
  std::vector<std::string> Listing() const;
  // The events so far, with the program directory written as <program> and the user's roaming
  // application data directory as <appdata>.
  std::vector<std::string> Events() const;

  EventLog log;
  MemoryProcess process{log};
  MemoryFiles files{log};
  VirtualClock clock;
  MemoryUi ui{clock, log};
  MemoryDesktop desktop{ui, log};
  MemoryShell shell{log};
  Platform platform{process, files, clock, desktop, shell, ui};
};

}  // namespace platform::memory
