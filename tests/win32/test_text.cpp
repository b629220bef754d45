// The advert panels on the real window layer, on the code page the test runs with: the internet
// panel's bullets read back as U+F0FC, each with its glyph in the Wingdings font it is drawn in.
#include "saver/display/saver_window.h"
#include "support.h"

TEST(SaverText, TheInternetPanelsBulletsAreTicksWhateverTheCodePage) {
  platform::win32::Win32Ui ui;
  ui::Form form;
  const ui::ControlId internet = tavoria::AddAdvertPanels(form).internet;
  form[internet].visible = true;
  ui.Open(form);
  HWND panel = GetDlgItem(reinterpret_cast<HWND>(ui.Handle(form)),
                          platform::win32::kFirstControlId + static_cast<int>(internet.index));
  int ticks = 0;
  for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t text[8] = L"";
    WORD glyph = 0xFFFF;
    if (GetWindowTextW(child, text, 8) != 1 || text[0] != L'\xF0FC') continue;
    platform::win32::gdi::WindowDc dc(child);
    platform::win32::gdi::Selection font(
        dc.get(), reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    GetGlyphIndicesW(dc.get(), text, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    ticks += glyph != 0xFFFF;
  }
  EXPECT_EQ(ticks, 5) << "code page " << GetACP();
}
