#include "platform/win32/win32_platform.h"

#include <windows.h>
// windows.h first: the other system headers build on it.
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace platform::win32 {

// ----- process -------------------------------------------------------------------------------

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

// ----- files ---------------------------------------------------------------------------------

Failure FailureFromSystemError(unsigned long error) {
  char* text = nullptr;
  FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string description = text ? text : "Unknown error " + std::to_string(error);
  if (text) LocalFree(text);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r'))
    description.pop_back();
  int code = static_cast<int>(error);
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      code = codes::kFileNotFound;
      break;
    case ERROR_PATH_NOT_FOUND:
      code = codes::kPathNotFound;
      break;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      code = codes::kBadFileName;
      break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      code = codes::kPermissionDenied;
      break;
    default:
      break;
  }
  return Failure(code, description, "Windows");
}

namespace {

class Win32InputFile : public InputFile {
 public:
  explicit Win32InputFile(HANDLE file) : file_(file) {}
  ~Win32InputFile() override { CloseHandle(file_); }
  std::size_t Read(char* buffer, std::size_t size) override {
    DWORD n = 0;
    if (!ReadFile(file_, buffer, static_cast<DWORD>(size), &n, nullptr))
      throw FailureFromSystemError(GetLastError());
    return n;
  }

 private:
  HANDLE file_;
};

}  // namespace

std::unique_ptr<InputFile> Win32Files::OpenForReading(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw FailureFromSystemError(GetLastError());
  return std::make_unique<Win32InputFile>(file);
}

void Win32Files::WriteNew(const std::string& path, std::string_view bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw FailureFromSystemError(GetLastError());
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size() && FlushFileBuffers(file);
  DWORD error = ok ? 0 : GetLastError();
  if (!CloseHandle(file) && ok) {
    ok = false;
    error = GetLastError();
  }
  if (!ok) throw FailureFromSystemError(error ? error : ERROR_WRITE_FAULT);
}

void Win32Files::MoveReplacing(const std::string& source, const std::string& target) {
  if (!MoveFileExA(source.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw FailureFromSystemError(GetLastError());
}

void Win32Files::CopyReplacing(const std::string& source, const std::string& target) {
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
    throw FailureFromSystemError(GetLastError());
  // The copy is ours to replace or remove later, even when the source was read-only.
  DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

void Win32Files::Remove(const std::string& path) noexcept {
  DeleteFileA(path.c_str());
}

void Win32Files::MakeDirectory(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return;
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return;
  throw FailureFromSystemError(error);
}

std::string Win32Files::RoamingAppData() {
  // The shell library is loaded only when the folder is first asked for.
  using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  HMODULE shell = LoadLibraryA("shell32.dll");
  auto folderPath = shell ? reinterpret_cast<FolderPathFunction>(
                                reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFolderPathA")))
                          : nullptr;
  char path[MAX_PATH] = "";
  if (!folderPath || folderPath(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
    return {};
  return path;
}

// ----- clock ---------------------------------------------------------------------------------

Date Win32Clock::Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay};
}

int Win32Clock::SecondsOfDay() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
}

double Win32Clock::SecondsSinceMidnight() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wHour * 3600 + t.wMinute * 60 + t.wSecond + t.wMilliseconds / 1000.0;
}

DateOrder Win32Clock::RegionalDateOrder() {
  char order[4] = "1";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDATE, order, sizeof order);
  switch (order[0]) {
    case '0':
      return DateOrder::MonthDayYear;
    case '2':
      return DateOrder::YearMonthDay;
    default:
      return DateOrder::DayMonthYear;
  }
}

int Win32Clock::TwoDigitYearMax() {
  DWORD year = 0;
  if (GetCalendarInfoA(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER,
                       nullptr, 0, &year) &&
      year >= 99 && year <= 9999)
    return static_cast<int>(year);
  return 2049;
}

// ----- desktop -------------------------------------------------------------------------------

Answer Win32Desktop::ShowMessage(const MessageBoxRequest& box) {
  UINT flags = box.buttons == Buttons::YesNo ? MB_YESNO : MB_OK;
  switch (box.icon) {
    case Icon::Information:
      flags |= MB_ICONINFORMATION;
      break;
    case Icon::Exclamation:
      flags |= MB_ICONEXCLAMATION;
      break;
    case Icon::Question:
      flags |= MB_ICONQUESTION;
      break;
    case Icon::Stop:
      flags |= MB_ICONSTOP;
      break;
    case Icon::None:
      break;
  }
  if (box.foreground) flags |= MB_SETFOREGROUND;
  HWND owner = GetActiveWindow();
  // Over a topmost window (the full-screen saver) the box must come on top to be seen.
  if (owner && (GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) flags |= MB_TOPMOST;
  switch (MessageBoxA(owner, box.text.c_str(), box.title.c_str(), flags)) {
    case IDYES:
      return Answer::Yes;
    case IDNO:
      return Answer::No;
    default:
      return Answer::Ok;
  }
}

bool Win32Desktop::TopLevelWindowExists(const std::string& title) {
  return FindWindowA(nullptr, title.c_str()) != nullptr;
}

int Win32Desktop::ShowCursor(bool show) {
  return ::ShowCursor(show ? TRUE : FALSE);
}

unsigned Win32Desktop::WindowsDirectory(char* buffer, unsigned size) {
  return GetWindowsDirectoryA(buffer, size);
}

// ----- shell ---------------------------------------------------------------------------------

std::intptr_t Win32Shell::Execute(ui::WindowHandle owner, const std::string& operation,
                                  const std::string& file, const std::string& parameters,
                                  const std::string& directory, int showCommand) {
  // The shell library is loaded on first use: the saver itself never opens an address.
  using ExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static HMODULE shell = LoadLibraryA("shell32.dll");
  static auto execute = shell ? reinterpret_cast<ExecuteFunction>(
                                    reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteA")))
                              : nullptr;
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
