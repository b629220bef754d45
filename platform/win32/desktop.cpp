// Message boxes, top-level windows by title, the pointer, the Windows directory, and text of the
// system's code page.
#include <windows.h>

#include "platform/win32/names.h"
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
  switch (MessageBoxW(owner, WideOfText(box.text).c_str(), WideOfText(box.title).c_str(), flags)) {
    case IDYES:
      return Answer::Yes;
    case IDNO:
      return Answer::No;
    default:
      return Answer::Ok;
  }
}

bool Win32Desktop::TopLevelWindowExists(const std::string& title) {
  return FindWindowW(nullptr, WideOfText(title).c_str()) != nullptr;
}

int Win32Desktop::ShowCursor(bool show) {
  return ::ShowCursor(show ? TRUE : FALSE);
}

std::optional<SystemName> Win32Desktop::WindowsDirectory() {
  std::wstring buffer(MAX_PATH, L'\0');
  // An answer of the buffer's size or more is the size the path needs, its terminating zero
  // included: ask once more with that size (and again should the directory change meanwhile).
  for (int attempt = 0; attempt < 3; ++attempt) {
    const auto size = static_cast<UINT>(buffer.size());
    const UINT n = GetWindowsDirectoryW(buffer.data(), size);
    if (n == 0 || n > 32767) break;  // no answer, or none of a path Windows can handle
    if (n < size) return NameOf(std::wstring_view(buffer.data(), n));
    buffer.resize(n);
  }
  return std::nullopt;
}

std::string Win32Desktop::TextOfSystemCodePage(std::string_view bytes) {
  return TextOfCodePage(bytes);
}

}  // namespace platform::win32
