// What the adapters of all kinds share: colours on their own back or their container's, the hand
// pointer over links, clicks delivered to the control clicked.
#include "platform/win32/controls.h"

namespace platform::win32 {

const ControlAdapter& LabelAdapter();
const ControlAdapter& PictureAdapter();
const ControlAdapter& FrameAdapter();
const ControlAdapter& ButtonAdapter();
const ControlAdapter& TextBoxAdapter();

const ControlAdapter& AdapterFor(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::Picture:
      return PictureAdapter();
    case ui::Kind::Frame:
      return FrameAdapter();
    case ui::Kind::Button:
      return ButtonAdapter();
    case ui::Kind::TextBox:
      return TextBoxAdapter();
    case ui::Kind::Label:
      break;
  }
  return LabelAdapter();
}

HBRUSH ControlAdapter::Colours(FormWindow& w, std::size_t index, HDC dc) const {
  const ui::Control& c = w.form.controls[index];
  const ControlWindow& cw = w.controls[index];
  SetTextColor(dc, Rgb(cw.applied.fore.value_or(c.fore)));
  if (c.transparent) {
    SetBkMode(dc, TRANSPARENT);
    return w.ContainerBrush(c);
  }
  SetBkColor(dc, Rgb(cw.applied.back.value_or(c.back)));
  return cw.back.get();
}

HBRUSH OnItsContainer::Colours(FormWindow& w, std::size_t index, HDC dc) const {
  const ui::Control& c = w.form.controls[index];
  SetTextColor(dc, Rgb(w.controls[index].applied.fore.value_or(c.fore)));
  SetBkMode(dc, TRANSPARENT);
  return w.ContainerBrush(c);
}

const char* ControlAdapter::Cursor(const ui::Control& control) const {
  return control.link ? IDC_HAND : nullptr;
}

void DeliverClick(FormWindow& w, std::size_t index) {
  w.Deliver([&] {
    // A copy: the handler may change the description it lives in.
    auto handler = w.form[ui::ControlId{index}].onClick;
    if (handler) handler();
  });
}

}  // namespace platform::win32
