// Buttons: "Button" push buttons, in the dialog tab order, drawn on their container's colour.
#include "platform/win32/controls.h"

namespace platform::win32 {

namespace {

class Button : public OnItsContainer {
 public:
  const wchar_t* ClassName() const override { return L"Button"; }
  DWORD Style(const ui::Control&) const override { return BS_PUSHBUTTON | WS_TABSTOP; }
  void Notify(FormWindow& w, std::size_t index, WORD code) const override {
    if (code == BN_CLICKED) DeliverClick(w, index);
  }
};

const Button kButton;

}  // namespace

const ControlAdapter& ButtonAdapter() {
  return kButton;
}

}  // namespace platform::win32
