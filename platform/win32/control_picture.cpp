// Picture boxes: a window class of our own that paints its bitmap, stretched to its size, or its
// back colour, and holds the controls inside it as child windows. A picture with a click handler
// takes its clicks; one without lets the pointer and clicks through to the window below.
#include "platform/win32/controls.h"
#include "platform/win32/window_classes.h"

namespace platform::win32 {

namespace {

class Picture : public ControlAdapter {
 public:
  const wchar_t* ClassName() const override { return kPictureClass; }
  DWORD Style(const ui::Control&) const override { return WS_CLIPCHILDREN; }
};

const Picture kPicture;

void Paint(HWND hwnd, const ControlWindow* picture) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  if (picture && picture->image) {
    gdi::MemoryDc memory(dc);
    gdi::Selection selected(memory.get(), picture->image.get());
    BITMAP bm{};
    GetObjectA(picture->image.get(), sizeof bm, &bm);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, r.right, r.bottom, memory.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  } else if (picture && picture->back) {
    FillRect(dc, &r, picture->back.get());
  }
  EndPaint(hwnd, &ps);
}

bool PictureMessage(FormWindow& w, HWND hwnd, UINT message, LRESULT& result) {
  std::size_t i = 0;
  const ui::Control* c = w.ControlOf(hwnd, &i);
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT:
      Paint(hwnd, c ? &w.controls[i] : nullptr);
      return true;
    case WM_NCHITTEST:
      if (c && c->onClick) return false;
      result = HTTRANSPARENT;
      return true;
    case WM_LBUTTONUP:
      if (c && c->onClick) DeliverClick(w, i);
      return true;
    default:
      return false;
  }
}

}  // namespace

const ControlAdapter& PictureAdapter() {
  return kPicture;
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchMessageOf(hwnd, message, wParam, lParam, [&](FormWindow& w, LRESULT& result) {
    return PictureMessage(w, hwnd, message, result);
  });
}

}  // namespace platform::win32
