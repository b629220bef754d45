// Dots per inch: which DPI a window is drawn at, and twips (1440 an inch) in pixels and back.
#pragma once

#include <windows.h>

namespace platform::win32 {

// Twips to pixels at a DPI, to the nearest pixel.
int TwipsToPixels(float twips, int dpi);
float PixelsToTwips(int pixels, int dpi);

class Dpi {
 public:
  // The system DPI: the screen's as the program started. Everything not drawn in a window of its
  // own is measured at it: where top-level windows go, the monitors, the size of a text.
  int System();
  // A window's own DPI: GetDpiForWindow where user32 has it (newer Windows; a program that
  // declares per-monitor awareness gets its monitor's), else the system DPI.
  int Of(HWND window);

 private:
  using ForWindowFunction = UINT(WINAPI*)(HWND);
  int system_ = 0;
  bool looked_ = false;
  ForWindowFunction forWindow_ = nullptr;
};

}  // namespace platform::win32
