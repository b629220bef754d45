// Files in the program's directory and the user's folders, with the system's errors mapped to
// the error numbers the programs tell apart. Names go to the system in UTF-16.
#include <windows.h>
// windows.h first: the other system headers build on it.
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/names.h"
#include "platform/win32/win32_parts.h"

namespace platform::win32 {

util::Failure FailureFromSystemError(unsigned long error) {
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
      code = util::codes::kFileNotFound;
      break;
    case ERROR_PATH_NOT_FOUND:
      code = util::codes::kPathNotFound;
      break;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      code = util::codes::kBadFileName;
      break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      code = util::codes::kPermissionDenied;
      break;
    default:
      break;
  }
  return util::Failure(code, description, "Windows");
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
  std::uint64_t Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_, &size)) throw FailureFromSystemError(GetLastError());
    return static_cast<std::uint64_t>(size.QuadPart);
  }

 private:
  HANDLE file_;
};

// Opened without sharing and with the right to rename or remove it: renamed through its handle,
// it stays the program's until the handle closes.
class Win32HeldFile : public HeldFile {
 public:
  Win32HeldFile(HANDLE file, SystemName path) : file_(file), path_(std::move(path)) {}
  ~Win32HeldFile() override {
    FILE_DISPOSITION_INFO remove{TRUE};
    if (!placed_ &&
        !SetFileInformationByHandle(file_, FileDispositionInfo, &remove, sizeof remove)) {
      CloseHandle(file_);
      DeleteFileW(WideFileName(path_).c_str());
      return;
    }
    CloseHandle(file_);
  }
  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
      if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0)
        throw FailureFromSystemError(written == 0 ? ERROR_WRITE_FAULT : GetLastError());
      bytes.remove_prefix(written);
    }
    if (!FlushFileBuffers(file_)) throw FailureFromSystemError(GetLastError());
  }
  void PutInPlace(const SystemName& target) override {
    const std::wstring to = WideFileName(target);
    const std::size_t nameBytes = to.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(rename->FileName, to.data(), nameBytes);
    if (!SetFileInformationByHandle(file_, FileRenameInfo, rename,
                                    static_cast<DWORD>(buffer.size())))
      throw FailureFromSystemError(GetLastError());
    path_ = target;
    placed_ = true;
    FlushFileBuffers(file_);  // the new name on the disk as well
  }
  const SystemName& Path() const override { return path_; }

 private:
  HANDLE file_;
  SystemName path_;
  bool placed_ = false;
};

}  // namespace

std::unique_ptr<InputFile> Win32Files::OpenForReading(const SystemName& path) {
  HANDLE file = CreateFileW(WideFileName(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw FailureFromSystemError(GetLastError());
  return std::make_unique<Win32InputFile>(file);
}

void Win32Files::WriteNew(const SystemName& path, std::string_view bytes) {
  HANDLE file = CreateFileW(WideFileName(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

void Win32Files::MoveReplacing(const SystemName& source, const SystemName& target) {
  if (!MoveFileExW(WideFileName(source).c_str(), WideFileName(target).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw FailureFromSystemError(GetLastError());
}

// The name's middle part is the process's number and a count of this process's calls, so no
// other running program picks it; one left by an ended program is passed over.
std::unique_ptr<HeldFile> Win32Files::CreateHeld(const SystemName& directory,
                                                 const std::string& prefix,
                                                 const std::string& suffix) {
  static unsigned long calls = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const SystemName path = directory / SystemName(prefix + std::to_string(GetCurrentProcessId()) +
                                                   "-" + std::to_string(calls++) + suffix);
    HANDLE file = CreateFileW(WideFileName(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return std::make_unique<Win32HeldFile>(file, path);
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
      throw FailureFromSystemError(error);
  }
  throw FailureFromSystemError(ERROR_FILE_EXISTS);
}

void Win32Files::Remove(const SystemName& path) noexcept {
  if (const auto wide = WideOf(path)) DeleteFileW(wide->c_str());
}

void Win32Files::MakeDirectory(const SystemName& path) {
  const std::wstring wide = WideFileName(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return;
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return;
  throw FailureFromSystemError(error);
}

std::optional<SystemName> Win32Files::RoamingAppData() {
  using KnownFolderFunction = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
  using FreeFunction = void(WINAPI*)(void*);
  auto knownFolder = shell_.Get<KnownFolderFunction>("SHGetKnownFolderPath");
  if (!knownFolder) return std::nullopt;
  PWSTR path = nullptr;
  const HRESULT result = knownFolder(FOLDERID_RoamingAppData, 0, nullptr, &path);
  std::optional<SystemName> folder;
  if (result == S_OK && path && *path) folder = NameOf(path);
  // The system's own memory, given back even when the call failed.
  if (auto free = ole_.Get<FreeFunction>("CoTaskMemFree")) free(path);
  return folder;
}

}  // namespace platform::win32
