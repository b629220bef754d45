// The window classes of our own: the form's top-level window, with the program's icon, and the
// picture box. Registered when the first window opens, unregistered with their owner.
#pragma once

#include <windows.h>

namespace platform::win32 {

inline constexpr const wchar_t* kFormClass = L"TavoriaForm";
inline constexpr const wchar_t* kPictureClass = L"TavoriaPicture";

// The program's own icon (icon resource 1 of the module) at a size in pixels, else the system's
// application icon. Shared icons: never destroyed.
HICON ProgramIcon(HINSTANCE module, int size);

class WindowClasses {
 public:
  WindowClasses() = default;
  WindowClasses(const WindowClasses&) = delete;
  WindowClasses& operator=(const WindowClasses&) = delete;
  ~WindowClasses();

  // Registers the classes unless they are registered already. Throws Failure.
  void Register();

 private:
  bool registered_ = false;
  bool ownForm_ = false, ownPicture_ = false;  // registered here, so unregistered here
};

}  // namespace platform::win32
