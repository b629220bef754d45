#include "platform/win32/window_classes.h"

#include "platform/platform.h"
#include "platform/win32/controls.h"
#include "platform/win32/names.h"
#include "platform/win32/window.h"

namespace platform::win32 {

namespace {

// Registers a class; false when a class of that name was there already (another owner's).
bool RegisterOwn(const WNDCLASSEXW& wc) {
  if (RegisterClassExW(&wc)) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_CLASS_ALREADY_EXISTS) return false;
  throw util::Failure(static_cast<int>(error),
                      "The window class " + TextOfWide(wc.lpszClassName) + " cannot be registered");
}

}  // namespace

HICON ProgramIcon(HINSTANCE module, int size) {
  if (auto own = static_cast<HICON>(
          LoadImageA(module, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_SHARED)))
    return own;
  return static_cast<HICON>(
      LoadImageA(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED));
}

void WindowClasses::Register() {
  if (registered_) return;
  HINSTANCE module = GetModuleHandleA(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FormProc;
  wc.hInstance = module;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = ProgramIcon(module, GetSystemMetrics(SM_CXICON));
  wc.hIconSm = ProgramIcon(module, GetSystemMetrics(SM_CXSMICON));
  wc.lpszClassName = kFormClass;
  ownForm_ = RegisterOwn(wc);
  wc.lpfnWndProc = PictureProc;
  wc.hIcon = wc.hIconSm = nullptr;
  wc.lpszClassName = kPictureClass;
  ownPicture_ = RegisterOwn(wc);
  registered_ = true;
}

WindowClasses::~WindowClasses() {
  HINSTANCE module = GetModuleHandleA(nullptr);
  if (ownPicture_) UnregisterClassW(kPictureClass, module);
  if (ownForm_) UnregisterClassW(kFormClass, module);
}

}  // namespace platform::win32
