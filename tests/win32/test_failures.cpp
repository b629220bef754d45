// Failures in the window layer: a handler that throws and a description the layer cannot show
// both reach the form's onFailure with the exception, once, and nothing escapes the window
// procedures; the window carries on.
#include <windows.h>

#include <stdexcept>

#include "support.h"

namespace {

using platform::win32::Win32Ui;
using ::testing::HasSubstr;
using win32_test::LayerTest;
using win32_test::Pump;

struct FailureTest : LayerTest {};

TEST_F(FailureTest, AHandlerThatThrowsReachesOnFailureAndNothingEscapes) {
  auto boom = [](const char* what) {
    return [what](auto&&...) { throw std::runtime_error(what); };
  };
  form.AddTimer("Tick", 1000, true, boom("timer"));
  form.Add({.name = "Press",
            .kind = ui::Kind::Button,
            .width = 1500,
            .height = 500,
            .caption = "Press",
            .onClick = boom("button")});
  form.Add({.name = "Label",
            .kind = ui::Kind::Label,
            .top = 600,
            .width = 1500,
            .height = 500,
            .caption = "Label",
            .onClick = boom("label")});
  form.onClick = boom("click");
  form.onKeyDown = boom("key down");
  form.onKeyPress = boom("key press");
  form.onMouseMove = boom("mouse");
  form.onClose = boom("close");
  Open();
  const struct {
    const char* event;
    std::function<void()> send;
  } events[] = {
      {"timer", [&] { SendMessageA(hwnd, WM_TIMER, Win32Ui::TimerId(0), 0); }},
      {"button", [&] { SendMessageA(Window("Press"), BM_CLICK, 0, 0); }},
      {"label",
       [&] {
         SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(0, STN_CLICKED),
                      reinterpret_cast<LPARAM>(Window("Label")));
       }},
      {"click", [&] { SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }},
      {"key down", [&] { SendMessageA(hwnd, WM_KEYDOWN, 'A', 0); }},
      {"key press", [&] { SendMessageA(hwnd, WM_CHAR, 'a', 0); }},
      {"mouse", [&] { SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(7, 9)); }},
  };
  for (const auto& e : events) {
    SCOPED_TRACE(e.event);
    failures.texts.clear();
    EXPECT_NO_THROW(e.send());
    EXPECT_EQ(failures.texts, std::vector<std::string>{e.event});
    EXPECT_TRUE(IsWindow(hwnd)) << "the window stays: the program decides what a failure means";
  }
  // Closing: the failure is reported and the window closes as asked.
  failures.texts.clear();
  EXPECT_NO_THROW(SendMessageA(hwnd, WM_CLOSE, 0, 0));
  EXPECT_EQ(failures.texts, std::vector<std::string>{"close"});
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(FailureTest, WhatAHandlerChangedIsShownEvenWhenItThrowsAfterwards) {
  const ui::ControlId text =
      form.Add({.name = "Text", .kind = ui::Kind::Label, .width = 3000, .height = 500});
  form.onKeyPress = [this, text](int) {
    form[text].caption = "changed";
    throw std::runtime_error("after the change");
  };
  Open();
  SendMessageA(hwnd, WM_CHAR, 'a', 0);
  char shown[32] = "";
  GetWindowTextA(Window("Text"), shown, sizeof shown);
  EXPECT_STREQ(shown, "changed");
  EXPECT_EQ(failures.texts, std::vector<std::string>{"after the change"});
}

// Refuses to make windows of one class while it lives, as a system out of resources would.
class RefusedClass {
 public:
  explicit RefusedClass(const char* name) {
    refused_ = name;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~RefusedClass() { UnhookWindowsHookEx(hook_); }
  bool Installed() const { return hook_ != nullptr; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
      if (!IS_INTRESOURCE(create->lpszClass) && lstrcmpiA(create->lpszClass, refused_) == 0)
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline const char* refused_ = "";
  HHOOK hook_;
};

TEST_F(FailureTest, ADescriptionTheLayerCannotShowReachesOnFailureOnce) {
  const ui::ControlId text =
      form.Add({.name = "Text", .kind = ui::Kind::Label, .width = 3000, .height = 500});
  const ui::ControlId missing = form.Add({.name = "Missing",
                                          .kind = ui::Kind::Picture,
                                          .top = 600,
                                          .width = 1500,
                                          .height = 1500,
                                          .image = "NO_SUCH_BITMAP",
                                          .visible = false});
  const ui::ControlId lost = form.Add(
      {.name = "Lost", .kind = ui::Kind::Label, .container = ui::ControlId{55}, .visible = false});
  const ui::ControlId box =
      form.Add({.name = "Box", .kind = ui::Kind::TextBox, .top = 2400, .visible = false});
  Open();
  ASSERT_TRUE(failures.texts.empty());
  RefusedClass refuseEdits("Edit");
  ASSERT_TRUE(refuseEdits.Installed());
  const struct {
    ui::ControlId control;
    const char* name;
    const char* reported;
  } cases[] = {
      {missing, "Missing", "NO_SUCH_BITMAP"},
      {lost, "Lost", "no control number 55"},
      {box, "Box", "Box cannot be made"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    failures.texts.clear();
    // Shown by an event's handler, alongside a change the layer can show.
    form.onKeyPress = [&](int) {
      form[c.control].visible = true;
      form[text].caption = c.name;
    };
    EXPECT_NO_THROW(SendMessageA(hwnd, WM_CHAR, 'a', 0));
    ASSERT_EQ(failures.texts.size(), 1u);
    EXPECT_THAT(failures.texts[0], HasSubstr(c.reported));
    char shown[32] = "";
    GetWindowTextA(Window("Text"), shown, sizeof shown);
    EXPECT_STREQ(shown, c.name);
    // Reported once: later events do not report it again.
    SendMessageA(hwnd, WM_CHAR, 'a', 0);
    ui.Refresh();
    EXPECT_EQ(failures.texts.size(), 1u);
  }
  EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(FailureTest, AControlWhoseContainerGoesAwayIsReportedOnceNotAtEveryPaint) {
  const ui::ControlId panel =
      form.Add({.name = "Panel", .kind = ui::Kind::Picture, .width = 3000, .height = 1500});
  const ui::ControlId text = form.Add({.name = "Text",
                                       .kind = ui::Kind::Label,
                                       .container = panel,
                                       .width = 1500,
                                       .height = 500,
                                       .caption = "Text",
                                       .transparent = true});
  Open();
  form[text].container = ui::ControlId{77};  // gone
  ui.Refresh();
  ASSERT_EQ(failures.texts.size(), 1u);
  EXPECT_THAT(failures.texts[0], HasSubstr("no control number 77"));
  // Its window is still there and paints on what it can find.
  for (int i = 0; i < 3; ++i)
    RedrawWindow(Window("Text"), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ui.Refresh();
  EXPECT_EQ(failures.texts.size(), 1u);
}

}  // namespace
