#include "platform/win32/library.h"

#include <windows.h>

#include "platform/win32/names.h"

namespace platform::win32 {

void LoadLibrariesFromTheSystemDirectoryOnly() {
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void* Library::Find(const char* function) {
  if (!tried_) {
    tried_ = true;
    module_ = LoadLibraryExW(WideOfText(name_).c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  if (!module_) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module_), function));
}

}  // namespace platform::win32
