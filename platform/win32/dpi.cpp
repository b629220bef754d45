#include "platform/win32/dpi.h"

#include <cmath>

#include "platform/win32/gdi.h"

namespace platform::win32 {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultDpi = 96;

}  // namespace

int TwipsToPixels(float twips, int dpi) {
  return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

float PixelsToTwips(int pixels, int dpi) {
  return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

int Dpi::System() {
  if (!system_) {
    const int screen = GetDeviceCaps(gdi::WindowDc().get(), LOGPIXELSX);
    system_ = screen > 0 ? screen : kDefaultDpi;
  }
  return system_;
}

int Dpi::Of(HWND window) {
  if (!looked_) {
    looked_ = true;
    // user32 is loaded already: it only has to be asked.
    if (HMODULE user = GetModuleHandleW(L"user32.dll"))
      forWindow_ = reinterpret_cast<ForWindowFunction>(
          reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
  }
  const int own = forWindow_ && window ? static_cast<int>(forWindow_(window)) : 0;
  return own > 0 ? own : System();
}

}  // namespace platform::win32
