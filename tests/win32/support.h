// What the Win32 layer tests share: running the message queue, waiting with a deadline, and a
// recorder for the failures a form reports.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <exception>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/form.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/window.h"

namespace win32_test {

// Dispatches every message waiting for this thread.
inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Pumps messages until the condition holds or five seconds have passed; returns the condition.
inline bool PumpUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    Pump();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// The failures a form reports, as their texts; the test fails on no modal box.
struct Failures {
  std::vector<std::string> texts;

  void Attach(ui::Form& form) {
    form.onFailure = [this](std::exception_ptr failure) {
      try {
        std::rethrow_exception(failure);
      } catch (const std::exception& e) {
        texts.push_back(e.what());
      } catch (...) {
        texts.push_back("(not a std::exception)");
      }
    };
  }
};

// A form of the test's own on the real window layer: a topmost popup at the screen's top-left
// corner, 400 by 300 pixels at 96 DPI, on black.
struct LayerTest : ::testing::Test {
  platform::win32::Win32Ui ui;
  ui::Form form;
  Failures failures;
  HWND hwnd = nullptr;

  LayerTest() {
    form.caption = "Win32 layer test";
    form.popup = form.topmost = true;
    form.width = 6000;
    form.height = 4500;
  }
  void Open() {
    failures.Attach(form);
    ui.Open(form);
    hwnd = reinterpret_cast<HWND>(ui.Handle(form));
    ASSERT_NE(hwnd, nullptr);
    Pump();
  }
  void TearDown() override {
    if (ui.Handle(form)) ui.Close(form);
    Pump();
  }
  // The child window of a control, found by its id wherever it lies; null while not made.
  HWND Window(const std::string& name) const {
    std::size_t index = 0;
    while (index < form.controls.size() && form.controls[index].name != name) ++index;
    struct Search {
      int id;
      HWND found;
    } search{static_cast<int>(index) + platform::win32::kFirstControlId, nullptr};
    EnumChildWindows(
        hwnd,
        [](HWND child, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          if (GetDlgCtrlID(child) != s->id) return TRUE;
          s->found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  // A window's rectangle on the screen.
  static RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
};

}  // namespace win32_test
