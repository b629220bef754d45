// The platform's parts on the real Win32 API, all but the window layer (win32_ui.h). Kelvane takes
// only these; the saver takes them all through Win32Platform (win32_platform.h).
#pragma once

#include "platform/platform.h"
#include "platform/win32/library.h"

namespace platform::win32 {

class Win32Process : public Process {
 public:
  std::string ArgumentText() override;
  std::string ProgramDirectory() override;
  [[noreturn]] void End(int exitCode) override;
};

class Win32Files : public Files {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  void WriteNew(const std::string& path, std::string_view bytes) override;
  void MoveReplacing(const std::string& source, const std::string& target) override;
  void CopyReplacing(const std::string& source, const std::string& target) override;
  void Remove(const std::string& path) noexcept override;
  void MakeDirectory(const std::string& path) override;
  std::string RoamingAppData() override;

 private:
  Library shell_{"shell32.dll"};  // for the user's folders, loaded when first asked for
};

class Win32Clock : public Clock {
 public:
  calendar::Moment Now() override;
  double SecondsSinceMidnight() override;
  calendar::RegionalSettings Regional() override;
};

class Win32Desktop : public Desktop {
 public:
  Answer ShowMessage(const MessageBoxRequest& box) override;
  bool TopLevelWindowExists(const std::string& title) override;
  int ShowCursor(bool show) override;
  unsigned WindowsDirectory(char* buffer, unsigned size) override;
};

class Win32Shell : public Shell {
 public:
  std::intptr_t Execute(ui::WindowHandle owner, const std::string& operation,
                        const std::string& file, const std::string& parameters,
                        const std::string& directory, int showCommand) override;
  bool StartProgram(const std::string& path) override;

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
