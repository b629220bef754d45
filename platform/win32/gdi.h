// GDI objects owned by RAII types that count the live ones, so a test can see that the window
// layer does not leak: every font, brush, bitmap and device context it makes goes through here.
#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32::gdi {

// The number of GDI objects and device contexts made here and not yet released.
inline long& LiveObjects() {
  static long live = 0;
  return live;
}

// A font, brush or bitmap, deleted with its owner.
template <typename Handle>
class Object {
 public:
  Object() = default;
  explicit Object(Handle handle) : handle_(handle) {
    if (handle_) ++LiveObjects();
  }
  Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Object& operator=(Object&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  ~Object() { Reset(); }

  void Reset() {
    if (handle_) {
      DeleteObject(handle_);
      --LiveObjects();
      handle_ = nullptr;
    }
  }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_ = nullptr;
};

using Font = Object<HFONT>;
using Brush = Object<HBRUSH>;
using Bitmap = Object<HBITMAP>;

// A window's device context (the screen's for none), released with its owner.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd = nullptr) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
    if (dc_) ++LiveObjects();
  }
  ~WindowDc() {
    if (dc_) {
      ReleaseDC(hwnd_, dc_);
      --LiveObjects();
    }
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A memory device context compatible with another.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {
    if (dc_) ++LiveObjects();
  }
  ~MemoryDc() {
    if (dc_) {
      DeleteDC(dc_);
      --LiveObjects();
    }
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// An object selected into a device context for the length of a scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace platform::win32::gdi
