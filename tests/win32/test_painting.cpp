// What the window layer paints and in which order, seen through real windows: a transparent label
// shows its picture's colour, and a control made late still takes its place in the drawing order.
#include <windows.h>

#include "support.h"

namespace {

using win32_test::LayerTest;
using win32_test::Pump;

constexpr ui::Colour kPanelColour{0, 128, 255};
constexpr ui::Colour kLabelColour{255, 0, 0};

// The colour of a pixel of a window as it is painted, drawn into a bitmap of our own.
COLORREF PaintedPixel(HWND window, int x, int y) {
  RECT r;
  GetClientRect(window, &r);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  PrintWindow(window, memory, PW_CLIENTONLY);
  const COLORREF pixel = GetPixel(memory, x, y);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixel;
}

COLORREF BrushColour(HBRUSH brush) {
  LOGBRUSH lb{};
  GetObjectA(brush, sizeof lb, &lb);
  return lb.lbColor;
}

struct PaintingTest : LayerTest {
  void AddPanelWithLabels() {
    const ui::ControlId panel = form.Add({.name = "Panel",
                                          .kind = ui::Kind::Picture,
                                          .left = 600,
                                          .top = 600,
                                          .width = 4500,
                                          .height = 1500,
                                          .back = kPanelColour});
    for (bool transparent : {true, false})
      form.Add({.name = transparent ? "Clear" : "Opaque",
                .kind = ui::Kind::Label,
                .container = panel,
                .left = transparent ? 150.0f : 2250.0f,
                .top = 150,
                .width = 1800,
                .height = 900,
                .caption = ".",
                .back = kLabelColour,
                .transparent = transparent});
  }
};

TEST_F(PaintingTest, ATransparentLabelOverAPictureIsPaintedOnThePicturesColour) {
  AddPanelWithLabels();
  Open();
  HWND panel = Window("Panel");
  for (const char* name : {"Clear", "Opaque"}) {
    SCOPED_TRACE(name);
    const COLORREF expected = name[0] == 'C' ? RGB(0, 128, 255) : RGB(255, 0, 0);
    HWND label = Window(name);
    ASSERT_NE(label, nullptr);
    // The label asks its picture for its colours, as it does when it paints.
    HDC dc = GetDC(label);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
    ReleaseDC(label, dc);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(BrushColour(brush), expected);
    // And it is painted so: a corner away from its one-dot caption.
    RECT r;
    GetClientRect(label, &r);
    EXPECT_EQ(PaintedPixel(label, r.right - 3, r.bottom - 3), expected);
  }
}

TEST_F(PaintingTest, ATransparentLabelOnTheFormIsPaintedOnTheFormsColour) {
  form.back = {0, 96, 0};
  form.Add({.name = "Clear",
            .kind = ui::Kind::Label,
            .width = 1500,
            .height = 600,
            .caption = ".",
            .back = kLabelColour,
            .transparent = true});
  Open();
  HWND label = Window("Clear");
  RECT r;
  GetClientRect(label, &r);
  EXPECT_EQ(PaintedPixel(label, r.right - 3, r.bottom - 3), RGB(0, 96, 0));
  // A new colour of the form reaches the label too.
  form.back = {96, 0, 96};
  ui.Refresh();
  InvalidateRect(label, nullptr, TRUE);
  EXPECT_EQ(PaintedPixel(label, r.right - 3, r.bottom - 3), RGB(96, 0, 96));
}

// The windows above one another in a host, from the top: GetWindow's order.
std::vector<HWND> FromTheTop(HWND host) {
  std::vector<HWND> order;
  for (HWND w = GetWindow(host, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) order.push_back(w);
  return order;
}

TEST_F(PaintingTest, AControlMadeLaterLiesBetweenTheControlsBeforeAndAfterIt) {
  // Five overlapping controls; the second and fourth are hidden, so made only when first shown.
  const ui::Kind kinds[] = {ui::Kind::Picture, ui::Kind::Label, ui::Kind::Picture,
                            ui::Kind::Picture, ui::Kind::Label};
  const char* names[] = {"First", "Second", "Third", "Fourth", "Fifth"};
  std::vector<ui::ControlId> ids;
  for (int i = 0; i < 5; ++i)
    ids.push_back(form.Add({.name = names[i],
                            .kind = kinds[i],
                            .left = 300.0f * static_cast<float>(i),
                            .width = 3000,
                            .height = 3000,
                            .visible = i != 1 && i != 3}));
  Open();
  EXPECT_EQ(FromTheTop(hwnd), (std::vector{Window("Fifth"), Window("Third"), Window("First")}));
  // Shown in the other order than they come: the fourth first, then the second.
  form[ids[3]].visible = true;
  ui.Refresh();
  form[ids[1]].visible = true;
  ui.Refresh();
  EXPECT_EQ(FromTheTop(hwnd), (std::vector{Window("Fifth"), Window("Fourth"), Window("Third"),
                                           Window("Second"), Window("First")}));
}

TEST_F(PaintingTest, TheDrawingOrderHoldsInsideAPictureToo) {
  const ui::ControlId panel =
      form.Add({.name = "Panel", .kind = ui::Kind::Picture, .width = 4500, .height = 3000});
  std::vector<ui::ControlId> ids;
  for (const char* name : {"Under", "Middle", "Over"})
    ids.push_back(form.Add({.name = name,
                            .kind = ui::Kind::Label,
                            .container = panel,
                            .width = 1500,
                            .height = 600,
                            .caption = name,
                            .visible = name[0] != 'M'}));
  Open();
  form[ids[1]].visible = true;
  ui.Refresh();
  EXPECT_EQ(FromTheTop(Window("Panel")),
            (std::vector{Window("Over"), Window("Middle"), Window("Under")}));
}

}  // namespace
