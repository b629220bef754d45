// The platform's parts on the real Win32 API, all but the window layer (win32_ui.h). Kelvane takes
// only these; the saver takes them all through Win32Platform (win32_platform.h).
#pragma once

#include "platform/platform.h"
#include "platform/win32/library.h"

namespace platform::win32 {

class Win32Process : public Process {
 public:
  SystemName ArgumentText() override;
  SystemName ProgramDirectory() override;
  [[noreturn]] void End(int exitCode) override;
  // A mutex in the global namespace, seen from every session.
  std::unique_ptr<Lock> HoldLock(const std::string& name, int milliseconds) override;
};

class Win32Files : public Files {
 public:
  std::unique_ptr<InputFile> OpenForReading(const SystemName& path) override;
  void WriteNew(const SystemName& path, std::string_view bytes) override;
  void MoveReplacing(const SystemName& source, const SystemName& target) override;
  std::unique_ptr<HeldFile> CreateHeld(const SystemName& directory, const std::string& prefix,
                                       const std::string& suffix) override;
  void Remove(const SystemName& path) noexcept override;
  void MakeDirectory(const SystemName& path) override;
  std::optional<SystemName> RoamingAppData() override;

 private:
  // For the user's folders, loaded when first asked for: the shell names them, in memory that
  // COM's allocator gives back.
  Library shell_{"shell32.dll"};
  Library ole_{"ole32.dll"};
};

class Win32Clock : public Clock {
 public:
  calendar::Moment Now() override;
  double SecondsSinceMidnight() override;
  calendar::RegionalSettings Regional() override;
  std::optional<calendar::Moment> LocalMomentOf(std::chrono::sys_seconds instant) override;
  std::optional<calendar::RegionalSettings> DesktopUserRegional() override;

 private:
  Library sessions_{"wtsapi32.dll"};  // the user of the session, when there is no shell
};

class Win32Desktop : public Desktop {
 public:
  Answer ShowMessage(const MessageBoxRequest& box) override;
  bool TopLevelWindowExists(const std::string& title) override;
  int ShowCursor(bool show) override;
  std::optional<SystemName> WindowsDirectory() override;
  std::string TextOfName(const SystemName& name) override;
  SystemName NameOfText(std::string_view text) override;
};

class Win32Shell : public Shell {
 public:
  std::intptr_t Execute(ui::WindowHandle owner, const std::string& operation,
                        const SystemName& file, const SystemName& parameters,
                        const SystemName& directory, int showCommand) override;
  bool StartProgram(const SystemName& path) override;

 private:
  Library shell_{"shell32.dll"};  // loaded on first use: the saver itself never opens an address
};

// The argument text of a command line: without the program's name (quoted or not) and the
// blanks after it, nothing else trimmed.
std::string ArgumentTextOf(const char* commandLine);

// The failure for a Win32 error number: the error numbers the programs tell apart where they
// apply, otherwise the system's own number; the system's own description always.
util::Failure FailureFromSystemError(unsigned long error);

}  // namespace platform::win32
