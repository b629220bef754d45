#include "platform/host_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

namespace fs = std::filesystem;

namespace {

class HostInputFile : public InputFile {
 public:
  explicit HostInputFile(std::FILE* file) : file_(file) {}
  ~HostInputFile() override { std::fclose(file_); }
  HostInputFile(const HostInputFile&) = delete;
  HostInputFile& operator=(const HostInputFile&) = delete;
  std::size_t Read(char* buffer, std::size_t size) override {
    std::size_t n = std::fread(buffer, 1, size, file_);
    if (n == 0 && std::ferror(file_))
      throw util::Failure(util::codes::kDeviceIoError, "Device I/O error");
    return n;
  }

 private:
  std::FILE* file_;
};

// The directory a path's file lies in; the current one for a bare name.
fs::path ParentOf(const std::string& hostPath) {
  const fs::path p(hostPath);
  return p.has_parent_path() ? p.parent_path() : fs::path(".");
}

[[noreturn]] void FailOpening(const std::string& path, const std::string& hostPath) {
  if (path.empty() || path.find_first_of("*?\"<>|") != std::string::npos)
    throw util::Failure(util::codes::kBadFileName, "Bad file name or number");
  const fs::path p(hostPath);
  std::error_code ec;
  if (!fs::is_directory(ParentOf(hostPath), ec))
    throw util::Failure(util::codes::kPathNotFound, "Path not found");
  if (!fs::exists(p, ec)) throw util::Failure(util::codes::kFileNotFound, "File not found");
  throw util::Failure(util::codes::kPathFileAccess, "Path/File access error");
}

}  // namespace

std::string HostFiles::HostPath(const std::string& path) {
  std::string host = path;
  std::replace(host.begin(), host.end(), '\\', '/');
  return host;
}

std::unique_ptr<InputFile> HostFiles::OpenForReading(const std::string& path) {
  const std::string host = HostPath(path);
  std::error_code ec;
  std::FILE* file = fs::is_regular_file(host, ec) ? std::fopen(host.c_str(), "rb") : nullptr;
  if (!file) FailOpening(path, host);
  return std::make_unique<HostInputFile>(file);
}

void HostFiles::WriteNew(const std::string& path, std::string_view bytes) {
  const std::string host = HostPath(path);
  std::error_code ec;
  if (!fs::is_directory(ParentOf(host), ec))
    throw util::Failure(util::codes::kPathNotFound, "Path not found");
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  if (!out) throw util::Failure(util::codes::kPathFileAccess, "Path/File access error");
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw util::Failure(util::codes::kDeviceIoError, "Device I/O error");
}

void HostFiles::MoveReplacing(const std::string& source, const std::string& target) {
  std::error_code ec;
  fs::rename(HostPath(source), HostPath(target), ec);
  if (ec) throw util::Failure(util::codes::kPathFileAccess, "Path/File access error");
}

void HostFiles::CopyReplacing(const std::string& source, const std::string& target) {
  std::string bytes;
  {
    auto in = OpenForReading(source);
    char buffer[4096];
    for (std::size_t n; (n = in->Read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
  }
  WriteNew(target, bytes);
}

void HostFiles::Remove(const std::string& path) noexcept {
  std::error_code ec;
  fs::remove(HostPath(path), ec);
}

void HostFiles::MakeDirectory(const std::string& path) {
  const std::string host = HostPath(path);
  std::error_code ec;
  if (fs::is_directory(host, ec)) return;
  if (!fs::is_directory(ParentOf(host), ec))
    throw util::Failure(util::codes::kPathNotFound, "Path not found");
  if (!fs::create_directory(host, ec))
    throw util::Failure(util::codes::kPathFileAccess, "Path/File access error");
}

std::string HostProgramDirectory() {
#ifdef _WIN32
  char path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return {};
  const std::string program(path, length);
  const std::size_t slash = program.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : program.substr(0, slash);
#else
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : program.parent_path().string();
#endif
}

}  // namespace platform
