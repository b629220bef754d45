// Frames: group boxes ("Button" controls of the group box style). A frame only groups: the
// controls in it are its siblings, moved by its position and hidden with it. It draws only its
// border and caption, on its container's colour, and is transparent, so the window under it is
// painted inside it rather than clipped away and left unpainted.
#include "platform/win32/controls.h"

namespace platform::win32 {

namespace {

class Frame : public OnItsContainer {
 public:
  const wchar_t* ClassName() const override { return L"Button"; }
  DWORD Style(const ui::Control&) const override { return BS_GROUPBOX; }
  DWORD ExStyle() const override { return WS_EX_TRANSPARENT; }
};

const Frame kFrame;

}  // namespace

const ControlAdapter& FrameAdapter() {
  return kFrame;
}

}  // namespace platform::win32
