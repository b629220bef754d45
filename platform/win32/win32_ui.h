// Windows described by ui::Form, made real with the Win32 API: a top-level window per form and a
// real child window per control, so screen readers and test drivers find them by class and text.
// After every event the layer compares each description with what it last applied and changes
// on screen what the handlers changed.
#pragma once

#include <memory>
#include <vector>

#include "platform/platform.h"

namespace platform::win32 {

class Win32Ui : public Ui {
 public:
  Win32Ui();
  ~Win32Ui() override;
  Win32Ui(const Win32Ui&) = delete;
  Win32Ui& operator=(const Win32Ui&) = delete;

  ui::Size ScreenSize() override;
  std::vector<ui::Rect> Monitors() override;
  ui::Size MeasureText(const ui::Font& font, const std::string& text) override;
  void Open(ui::Form& form) override;
  void Close(ui::Form& form) override;
  ui::WindowHandle Handle(const ui::Form& form) override;
  int RunEventLoop() override;

  // Applies every change of the open forms' descriptions now (the layer does this itself after
  // each event it delivers).
  void Refresh();
  // The Win32 timer id of a form's timer: its position in the form's list, plus one.
  static unsigned TimerId(std::size_t index) { return static_cast<unsigned>(index + 1); }

  struct Window;

 private:
  void Sync(Window& window);
  void RemoveClosed();
  int Dpi();

  std::vector<std::unique_ptr<Window>> windows_;
  int dpi_ = 0;
};

}  // namespace platform::win32
