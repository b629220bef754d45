// Opening documents and addresses through the shell, and starting programs.
#include <windows.h>
// windows.h first: the other system headers build on it.
#include <shellapi.h>

#include "platform/win32/names.h"
#include "platform/win32/win32_parts.h"

namespace platform::win32 {

std::intptr_t Win32Shell::Execute(ui::WindowHandle owner, const std::string& operation,
                                  const SystemName& file, const SystemName& parameters,
                                  const SystemName& directory, int showCommand) {
  using ExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  const auto verb = WideOf(SystemName(operation));
  const auto wideFile = WideOf(file), wideParameters = WideOf(parameters),
             wideDirectory = WideOf(directory);
  if (!verb || !wideFile || !wideParameters || !wideDirectory) return SE_ERR_FNF;
  auto execute = shell_.Get<ExecuteFunction>("ShellExecuteW");
  if (!execute) return SE_ERR_DLLNOTFOUND;
  HINSTANCE result = execute(reinterpret_cast<HWND>(owner), verb->c_str(), wideFile->c_str(),
                             wideParameters->c_str(), wideDirectory->c_str(), showCommand);
  return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::StartProgram(const SystemName& path) {
  const auto program = WideOf(path);
  if (!program) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + *program + L"\"";
  if (!CreateProcessW(program->c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace platform::win32
