// A stand-in for the dial-up service's installer in the end-to-end tests: when started it leaves
// "installer_started.txt" beside itself, holding its own path, and ends.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  char marker[MAX_PATH + 32] = "";
  std::memcpy(marker, path, length + 1);
  char* slash = std::strrchr(marker, '\\');
  if (!slash) return 1;
  std::strcpy(slash + 1, "installer_started.txt");
  HANDLE file =
      CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, path, length, &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
  return 0;
}
