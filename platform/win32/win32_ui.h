// Windows described by ui::Form, made real with the Win32 API: a top-level window per form and a
// real child window per control, so screen readers and test drivers find them by class and text.
// After every event the layer compares each description with what it last applied and changes
// on screen what the handlers changed. Each window is drawn at its own DPI.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace platform::win32 {

class FormWindow;
struct UiResources;

class Win32Ui : public Ui {
 public:
  // Makes nothing yet: classes, fonts and libraries come with the first window that needs them.
  Win32Ui();
  ~Win32Ui() override;
  Win32Ui(const Win32Ui&) = delete;
  Win32Ui& operator=(const Win32Ui&) = delete;

  ui::Size ScreenSize() override;
  std::vector<ui::Rect> Monitors() override;
  ui::Size ScreenSizeOf(const ui::Form& form) override;
  ui::Size MeasureText(const ui::Font& font, const std::string& text) override;
  void Open(ui::Form& form) override;
  void Close(ui::Form& form) override;
  ui::WindowHandle Handle(const ui::Form& form) override;
  int RunEventLoop() override;

  // Applies every change of the open forms' descriptions now (the layer does this itself after
  // each event it delivers). What cannot be applied goes to the form's onFailure.
  void Refresh();
  // Tests only: the monitors the layer reports (Monitors, ScreenSize, ScreenSizeOf) in place of
  // the system's,
  // as they come and go; windows are still made on the real screen.
  std::optional<std::vector<ui::Rect>> monitorsForTests;
  // The Win32 timer id of a form's timer: its position in the form's list, plus one.
  static unsigned TimerId(std::size_t index) { return static_cast<unsigned>(index + 1); }

 private:
  FormWindow* Find(const ui::Form& form);
  void Destroy(FormWindow& window);
  void RemoveClosed();

  std::unique_ptr<UiResources> resources_;
  std::vector<std::unique_ptr<FormWindow>> windows_;  // destroyed before the resources they use
};

}  // namespace platform::win32
