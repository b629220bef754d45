// The running program: its argument text, its directory, its end.
#include <windows.h>

#include <string>

#include "platform/win32/names.h"
#include "platform/win32/win32_parts.h"

namespace platform::win32 {

std::string ArgumentTextOf(const char* commandLine) {
  const char* p = commandLine ? commandLine : "";
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

// The command line in UTF-8: the program's name ends at the same quote or blank as in UTF-16.
SystemName Win32Process::ArgumentText() {
  return SystemName(ArgumentTextOf(NameOf(GetCommandLineW()).utf8().c_str()));
}

SystemName Win32Process::ProgramDirectory() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) {
      buffer.resize(n);
      return NameOf(buffer.substr(0, buffer.find_last_of(L"\\/")));
    }
    buffer.resize(buffer.size() * 2);
  }
}

void Win32Process::End(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

namespace {

class Win32Lock : public Lock {
 public:
  explicit Win32Lock(HANDLE mutex) : mutex_(mutex) {}
  ~Win32Lock() override {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

}  // namespace

std::unique_ptr<Lock> Win32Process::HoldLock(const std::string& name, int milliseconds) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Global\\" + WideOfText(name)).c_str());
  if (!mutex) throw FailureFromSystemError(GetLastError());
  // Abandoned: its holder ended without letting go, and left nothing half done.
  const DWORD waited = WaitForSingleObject(mutex, static_cast<DWORD>(milliseconds));
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
    return std::make_unique<Win32Lock>(mutex);
  const DWORD error = GetLastError();
  CloseHandle(mutex);
  if (waited == WAIT_TIMEOUT) return nullptr;
  throw FailureFromSystemError(error);
}

}  // namespace platform::win32
