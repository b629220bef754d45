// Message boxes, top-level windows by title, the pointer and the Windows directory.
#include <windows.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

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

}  // namespace platform::win32
