// The running program: its argument text, its directory, its end.
#include <windows.h>

#include <vector>

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

std::string Win32Process::ArgumentText() {
  return ArgumentTextOf(GetCommandLineA());
}

std::string Win32Process::ProgramDirectory() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) {
      std::string path(buffer.data(), n);
      return path.substr(0, path.find_last_of("\\/"));
    }
    buffer.resize(buffer.size() * 2);
  }
}

void Win32Process::End(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace platform::win32
