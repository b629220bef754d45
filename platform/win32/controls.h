// One adapter per kind of control: what sets that kind apart on Win32. Its window class and
// styles, how it takes its colours (WM_CTLCOLORSTATIC, WM_CTLCOLORBTN), what its notifications
// mean (clicks, edits) and the pointer over it. The layer asks the adapter of a control's kind.
#pragma once

#include <windows.h>

#include "platform/form.h"
#include "platform/win32/window.h"

namespace platform::win32 {

class ControlAdapter {
 public:
  virtual ~ControlAdapter() = default;
  virtual const wchar_t* ClassName() const = 0;
  // The style the description asks for; the layer adds WS_CHILD, WS_CLIPSIBLINGS and WS_VISIBLE.
  virtual DWORD Style(const ui::Control& control) const = 0;
  virtual DWORD ExStyle() const { return 0; }
  // Prepares the device context for painting the control and returns its background brush:
  // opaque in its own back colour, or its container's brush when transparent.
  virtual HBRUSH Colours(FormWindow& w, std::size_t index, HDC dc) const;
  // A notification (WM_COMMAND) from the control's window.
  virtual void Notify(FormWindow&, std::size_t, WORD) const {}
  // The pointer over the control, or null for its class's own: the hand over links.
  virtual const char* Cursor(const ui::Control& control) const;
};

// The kinds drawn on their container's colour whatever their own (buttons, frames).
class OnItsContainer : public ControlAdapter {
 public:
  HBRUSH Colours(FormWindow& w, std::size_t index, HDC dc) const override;
};

const ControlAdapter& AdapterFor(ui::Kind kind);

// Runs a control's click handler, taken from the description when the click comes (a handler may
// have changed it).
void DeliverClick(FormWindow& w, std::size_t index);

// The picture box's window procedure (our own class).
LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::win32
