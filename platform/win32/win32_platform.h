// The platform on the real Win32 API.
#pragma once

#include "platform/platform.h"

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
};

class Win32Clock : public Clock {
 public:
  Date Today() override;
  int SecondsOfDay() override;
  double SecondsSinceMidnight() override;
  DateOrder RegionalDateOrder() override;
  int TwoDigitYearMax() override;
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
};

// The argument text of a command line: without the program's name (quoted or not) and the
// blanks after it, nothing else trimmed.
std::string ArgumentTextOf(const char* commandLine);

// The failure for a Win32 error number: the error numbers the programs tell apart where they
// apply, otherwise the system's own number; the system's own description always.
Failure FailureFromSystemError(unsigned long error);

}  // namespace platform::win32
