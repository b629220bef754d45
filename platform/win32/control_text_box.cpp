// Text boxes: "Edit" controls. What the user types goes straight into the description's caption,
// and counts as applied, so the layer does not write it back.
#include "platform/win32/controls.h"
#include "platform/win32/names.h"

namespace platform::win32 {

namespace {

class TextBox : public ControlAdapter {
 public:
  const wchar_t* ClassName() const override { return L"Edit"; }
  DWORD Style(const ui::Control&) const override { return ES_AUTOHSCROLL | WS_TABSTOP; }
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  void Notify(FormWindow& w, std::size_t index, WORD code) const override {
    if (code != EN_CHANGE) return;
    HWND edit = w.controls[index].hwnd;
    const int length = GetWindowTextLengthW(edit);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(GetWindowTextW(edit, wide.data(), length + 1)));
    std::string text = TextOfWide(wide);
    w.form.controls[index].caption = text;
    w.controls[index].applied.caption = std::move(text);
  }
};

const TextBox kTextBox;

}  // namespace

const ControlAdapter& TextBoxAdapter() {
  return kTextBox;
}

}  // namespace platform::win32
