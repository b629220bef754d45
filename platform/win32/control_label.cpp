// Labels: "Static" controls. A label with a click handler, a tooltip or a link notifies its
// clicks (and so takes the pointer); the others let clicks through to what lies below.
#include "platform/win32/controls.h"

namespace platform::win32 {

namespace {

class Label : public ControlAdapter {
 public:
  const wchar_t* ClassName() const override { return L"Static"; }
  DWORD Style(const ui::Control& c) const override {
    DWORD style = SS_NOPREFIX;
    if (c.align == ui::Align::Centre)
      style |= SS_CENTER;
    else if (c.align == ui::Align::Right)
      style |= SS_RIGHT;
    else
      style |= c.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
    if (c.link || c.onClick || !c.tooltip.empty()) style |= SS_NOTIFY;
    return style;
  }
  void Notify(FormWindow& w, std::size_t index, WORD code) const override {
    if (code == STN_CLICKED) DeliverClick(w, index);
  }
};

const Label kLabel;

}  // namespace

const ControlAdapter& LabelAdapter() {
  return kLabel;
}

}  // namespace platform::win32
