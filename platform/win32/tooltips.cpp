#include "platform/win32/tooltips.h"

// windows.h (through tooltips.h) first: the other system headers build on it.
#include <commctrl.h>

#include "platform/platform.h"
#include "platform/win32/names.h"

namespace platform::win32 {

bool Tooltips::Ready() {
  if (!ready_) {
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = commonControls_.Get<InitFunction>("InitCommonControlsEx");
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    ready_ = init && init(&classes);
  }
  return *ready_;
}

void Tooltips::Set(HWND window, HWND& tooltipWindow, HWND control, const std::string& text) {
  if (!tooltipWindow && text.empty()) return;
  if (!tooltipWindow) {
    if (!Ready()) throw util::Failure(ERROR_MOD_NOT_FOUND, "The common controls cannot be loaded");
    tooltipWindow = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    if (!tooltipWindow)
      throw util::Failure(static_cast<int>(GetLastError()), "The tooltips cannot be made");
  }
  std::wstring wide = WideOfText(text);
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = wide.data();
  SendMessageW(tooltipWindow, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!text.empty()) SendMessageW(tooltipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace platform::win32
