// Windows described by ui::Form, made real with the Win32 API.
#pragma once

#include <map>

#include "platform/platform.h"

namespace platform::win32 {

class Win32Ui : public Ui {
 public:
  ui::Size ScreenSize() override;
  ui::Size MeasureText(const ui::Font& font, const std::string& text) override;
  void Open(ui::Form& form) override;
  void Close(ui::Form& form) override;
  ui::WindowHandle Handle(const ui::Form& form) override;
  int RunEventLoop() override;

 private:
  std::map<const ui::Form*, void*> windows_;
};

}  // namespace platform::win32
