// Where the pointer and its clicks go, seen through real windows: a picture without a click
// handler lets clicks through to the window, one with a handler takes them, and links show the
// hand pointer.
#include <windows.h>

#include "support.h"

namespace {

using win32_test::LayerTest;
using win32_test::Pump;
using win32_test::PumpUntil;

// A real click of the left button at a point of the screen, through the input queue.
void ClickAt(POINT p) {
  SetCursorPos(p.x, p.y);
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

struct InputTest : LayerTest {
  int formClicks = 0, pictureClicks = 0;

  void AddPictures() {
    form.onClick = [this] { ++formClicks; };
    form.Add({.name = "Plain",
              .kind = ui::Kind::Picture,
              .left = 300,
              .top = 300,
              .width = 1500,
              .height = 1500,
              .back = {0, 128, 0}});
    form.Add({.name = "Clickable",
              .kind = ui::Kind::Picture,
              .left = 3000,
              .top = 300,
              .width = 1500,
              .height = 1500,
              .back = {128, 0, 0},
              .onClick = [this] { ++pictureClicks; }});
  }
};

TEST_F(InputTest, AClickOnAPictureWithoutAHandlerReachesTheWindow) {
  AddPictures();
  Open();
  ClickAt(CentreOf(Window("Plain")));
  EXPECT_TRUE(PumpUntil([&] { return formClicks == 1; })) << "form clicks: " << formClicks;
  EXPECT_EQ(pictureClicks, 0);
}

TEST_F(InputTest, AClickOnAPictureWithAHandlerReachesThePicturesHandler) {
  AddPictures();
  Open();
  ClickAt(CentreOf(Window("Clickable")));
  EXPECT_TRUE(PumpUntil([&] { return pictureClicks == 1; })) << "picture clicks: " << pictureClicks;
  EXPECT_EQ(formClicks, 0);
}

// The pointer the layer sets when the system asks over a control's window, as it does when the
// pointer moves over it.
HCURSOR PointerOver(HWND window) {
  SetCursor(nullptr);
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

TEST_F(InputTest, TheHandPointerShowsOverLinksAndTheArrowElsewhere) {
  const ui::ControlId panel =
      form.Add({.name = "Panel", .kind = ui::Kind::Picture, .width = 6000, .height = 2000});
  const struct {
    const char* name;
    bool inPanel;
    bool link;
  } controls[] = {
      {"LinkOnTheForm", false, true},
      {"LinkInAPicture", true, true},
      {"TextOnTheForm", false, false},
      {"TextInAPicture", true, false},
  };
  std::vector<ui::ControlId> ids;
  for (std::size_t i = 0; i < std::size(controls); ++i)
    ids.push_back(
        form.Add({.name = controls[i].name,
                  .kind = ui::Kind::Label,
                  .container = controls[i].inPanel ? std::optional(panel) : std::nullopt,
                  .top = (controls[i].inPanel ? 0.0f : 2400.0f) + 450.0f * static_cast<float>(i),
                  .width = 2000,
                  .height = 400,
                  .caption = controls[i].name,
                  .tooltip = "a tooltip lets a label take the pointer",
                  .link = controls[i].link}));
  Open();
  const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(hand, arrow);
  for (const auto& c : controls) {
    SCOPED_TRACE(c.name);
    HWND window = Window(c.name);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(PointerOver(window), c.link ? hand : arrow);
  }
  EXPECT_EQ(PointerOver(Window("Panel")), arrow);
  // A label that stops being a link stops showing the hand.
  form[ids[0]].link = false;
  ui.Refresh();
  EXPECT_EQ(PointerOver(Window("LinkOnTheForm")), arrow);
}

TEST_F(InputTest, TheEventLoopEndsWithTheProgramsExitCode) {
  Open();
  PostQuitMessage(3);
  EXPECT_EQ(ui.RunEventLoop(), 3) << "the code a request to quit carries";
  form.onKeyPress = [this](int) { ui.Close(form); };
  PostMessageA(hwnd, WM_CHAR, 'a', 0);
  EXPECT_EQ(ui.RunEventLoop(), 0) << "the last window closed";
}

}  // namespace
