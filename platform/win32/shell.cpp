// Opening documents and addresses through the shell, and starting programs.
#include <windows.h>
// windows.h first: the other system headers build on it.
#include <shellapi.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

std::intptr_t Win32Shell::Execute(ui::WindowHandle owner, const std::string& operation,
                                  const std::string& file, const std::string& parameters,
                                  const std::string& directory, int showCommand) {
  using ExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  auto execute = shell_.Get<ExecuteFunction>("ShellExecuteA");
  if (!execute) return SE_ERR_DLLNOTFOUND;
  HINSTANCE result = execute(reinterpret_cast<HWND>(owner), operation.c_str(), file.c_str(),
                             parameters.c_str(), directory.c_str(), showCommand);
  return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::StartProgram(const std::string& path) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + path + "\"";
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace platform::win32
