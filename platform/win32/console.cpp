#include "platform/win32/console.h"

#include <windows.h>

#include <streambuf>

#include "platform/win32/library.h"
#include "platform/win32/names.h"

namespace platform::win32 {

namespace {

// A standard handle taking UTF-8 text, passed on a line at a time and when flushed.
class StandardBuffer : public std::streambuf {
 public:
  explicit StandardBuffer(DWORD which) : handle_(GetStdHandle(which)) {
    DWORD mode = 0;
    console_ = GetConsoleMode(handle_, &mode) != 0;
  }
  ~StandardBuffer() override { Flush(); }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_ += traits_type::to_char_type(c);
    if (pending_.back() == '\n') Flush();
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize n) override {
    pending_.append(text, static_cast<std::size_t>(n));
    if (pending_.find('\n') != std::string::npos) Flush();
    return n;
  }
  int sync() override { return Flush() ? 0 : -1; }

 private:
  bool Flush() {
    if (pending_.empty()) return true;
    bool written = false;
    if (console_) {
      const std::wstring wide = WideOfText(pending_);
      DWORD n = 0;
      written = WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &n, nullptr);
    } else {
      // Lines end in CR LF in a file, as a console program's text output does on Windows.
      std::string bytes;
      for (const char c : pending_) bytes += c == '\n' ? "\r\n" : std::string(1, c);
      DWORD n = 0;
      written = WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) &&
                n == bytes.size();
    }
    pending_.clear();
    return written;
  }

  HANDLE handle_;
  bool console_ = false;
  std::string pending_;
};

}  // namespace

int RunConsoleProgram(int argc, wchar_t** argv, const ConsoleMain& main) {
  LoadLibrariesFromTheSystemDirectoryOnly();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(NameOf(argv[i]).utf8());
  StandardBuffer outBuffer(STD_OUTPUT_HANDLE), errBuffer(STD_ERROR_HANDLE);
  std::ostream out(&outBuffer), err(&errBuffer);
  return main(args, out, err);
}

}  // namespace platform::win32
