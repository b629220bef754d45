#include "platform/host_files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

namespace fs = std::filesystem;

namespace {

class HostInputFile : public InputFile {
 public:
  HostInputFile(std::ifstream file, std::uint64_t size) : file_(std::move(file)), size_(size) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    file_.read(buffer, static_cast<std::streamsize>(size));
    if (file_.bad()) throw util::Failure(util::codes::kDeviceIoError, "Device I/O error");
    return static_cast<std::size_t>(file_.gcount());
  }
  std::uint64_t Size() override { return size_; }

 private:
  std::ifstream file_;
  std::uint64_t size_;
};

// Written by name, each write opening and closing the file, so that it can be renamed on every
// system.
class HostHeldFile : public HeldFile {
 public:
  HostHeldFile(Files& files, SystemName path) : files_(files), path_(std::move(path)) {}
  ~HostHeldFile() override {
    if (!placed_) files_.Remove(path_);
  }
  void Write(std::string_view bytes) override {
    std::ofstream out(HostFiles::HostPath(path_), std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw util::Failure(util::codes::kDeviceIoError, "Device I/O error");
  }
  void PutInPlace(const SystemName& target) override {
    files_.MoveReplacing(path_, target);
    path_ = target;
    placed_ = true;
  }
  const SystemName& Path() const override { return path_; }

 private:
  Files& files_;
  SystemName path_;
  bool placed_ = false;
};

[[noreturn]] void FailBadName() {
  throw util::Failure(util::codes::kBadFileName, "Bad file name or number");
}

// The directory a path's file lies in; the current one for a bare name.
fs::path ParentOf(const fs::path& p) {
  return p.has_parent_path() ? p.parent_path() : fs::path(".");
}

[[noreturn]] void FailOpening(bool badName, const fs::path& host) {
  if (badName) FailBadName();
  std::error_code ec;
  if (!fs::is_directory(ParentOf(host), ec))
    throw util::Failure(util::codes::kPathNotFound, "Path not found");
  if (!fs::exists(host, ec)) throw util::Failure(util::codes::kFileNotFound, "File not found");
  throw util::Failure(util::codes::kPathFileAccess, "Path/File access error");
}

}  // namespace

fs::path HostFiles::HostPath(const SystemName& path) {
  std::u8string host(path.utf8().begin(), path.utf8().end());
  std::replace(host.begin(), host.end(), u8'\\', u8'/');
  try {
    return fs::path(host);
  } catch (const std::exception&) {  // on Windows, bytes that are not UTF-8
    FailBadName();
  }
}

fs::path HostFiles::PathOnHost(const SystemName& path) const {
#ifndef _WIN32
  if (backslashes_ == Backslashes::Characters) {
    const std::string& name = path.utf8();
    return fs::path(std::u8string(name.begin(), name.end()));
  }
#endif
  return HostPath(path);
}

bool HostFiles::BadName(const SystemName& path) const {
#ifndef _WIN32
  if (backslashes_ == Backslashes::Characters) return path.empty();
#endif
  return path.empty() || path.utf8().find_first_of("*?\"<>|") != std::string::npos;
}

std::unique_ptr<InputFile> HostFiles::OpenForReading(const SystemName& path) {
  const fs::path host = PathOnHost(path);
  std::error_code ec;
  std::ifstream file;
  if (fs::is_regular_file(host, ec)) file.open(host, std::ios::binary);
  if (!file.is_open()) FailOpening(BadName(path), host);
  const std::uintmax_t size = fs::file_size(host, ec);
  return std::make_unique<HostInputFile>(std::move(file), ec ? 0 : size);
}

void HostFiles::WriteNew(const SystemName& path, std::string_view bytes) {
  const fs::path host = PathOnHost(path);
  std::error_code ec;
  if (!fs::is_directory(ParentOf(host), ec))
    throw util::Failure(util::codes::kPathNotFound, "Path not found");
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  if (!out) throw util::Failure(util::codes::kPathFileAccess, "Path/File access error");
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw util::Failure(util::codes::kDeviceIoError, "Device I/O error");
}

void HostFiles::MoveReplacing(const SystemName& source, const SystemName& target) {
  std::error_code ec;
  fs::rename(PathOnHost(source), PathOnHost(target), ec);
  if (ec) throw util::Failure(util::codes::kPathFileAccess, "Path/File access error");
}

std::unique_ptr<HeldFile> HostFiles::CreateHeld(const SystemName& directory,
                                                const std::string& prefix,
                                                const std::string& suffix) {
  std::error_code ec;
  if (!fs::is_directory(HostPath(directory), ec))
    throw util::Failure(util::codes::kPathNotFound, "Path not found");
  static std::mt19937_64 numbers{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char middle[17];
    std::snprintf(middle, sizeof middle, "%016llx", static_cast<unsigned long long>(numbers()));
    const SystemName path = directory / SystemName(prefix + middle + suffix);
    if (fs::exists(HostPath(path), ec)) continue;
    HostFiles::WriteNew(path, "");
    return std::make_unique<HostHeldFile>(*this, path);
  }
  throw util::Failure(util::codes::kPathFileAccess, "Path/File access error");
}

void HostFiles::Remove(const SystemName& path) noexcept {
  try {
    std::error_code ec;
    fs::remove(PathOnHost(path), ec);
  } catch (const std::exception&) {  // a name no file can have, or no memory left
  }
}

void HostFiles::MakeDirectory(const SystemName& path) {
  const fs::path host = PathOnHost(path);
  std::error_code ec;
  if (fs::is_directory(host, ec)) return;
  if (!fs::is_directory(ParentOf(host), ec))
    throw util::Failure(util::codes::kPathNotFound, "Path not found");
  if (!fs::create_directory(host, ec))
    throw util::Failure(util::codes::kPathFileAccess, "Path/File access error");
}

std::string HostProgramDirectory() {
#ifdef _WIN32
  // As the system names it, whatever the code page: wide, then UTF-8.
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);
  const fs::path program(path);
#else
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
#endif
  const std::u8string folder = program.parent_path().u8string();
  return std::string(folder.begin(), folder.end());
}

}  // namespace platform
