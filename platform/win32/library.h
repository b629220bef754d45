// A system library loaded the first time one of its functions is asked for, so a program that
// never needs it never pays for it. It comes from the system directory only: never from the
// program's folder, the working folder or the PATH, where anyone who can write there could put a
// library of that name. Its owner keeps the handle; the library stays loaded until the
// process ends, as the system may still run code of it (shell threads, common control classes)
// after its owner is gone.
#pragma once

namespace platform::win32 {

// Every library the program, or a system library on its behalf, later loads by a bare name comes
// from the system directory only. Called first thing by each program. (The libraries the programs
// import, kernel32, user32, gdi32, advapi32 and msvcrt, are known to Windows and always mapped
// from there.)
void LoadLibrariesFromTheSystemDirectoryOnly();

class Library {
 public:
  explicit Library(const char* name) : name_(name) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // The function of that name, or null when the library or the function is missing.
  template <typename Function>
  Function Get(const char* function) {
    return reinterpret_cast<Function>(Find(function));
  }
  // Whether the library has been loaded (a first Get has found it).
  bool Loaded() const { return module_ != nullptr; }

 private:
  void* Find(const char* function);

  const char* name_;
  bool tried_ = false;
  void* module_ = nullptr;
};

}  // namespace platform::win32
