// tavdriver_hook: the part of tavdriver that works inside the program under test, as an
// accessibility tool's in-process helper does. `tavdriver layout` hooks the window's thread with
// it; on tavdriver's message the hook describes every child control of that window, measuring each
// text with the control's own font (a font cannot be read from another process), and hands the
// lines back through shared memory named after the process.
//
// One line a control: id|parent|kind|shown|x,y,w,h|cw,ch|tw,th|text
//   parent  the id of the control it lies in, 0 for the window itself
//   kind    label (one line), label-wrap (breaks lines at words), button, frame, edit or picture
//   shown   whether the control itself is set visible (its container may be hidden)
//   x,y,w,h the control's rectangle on screen; cw,ch its client area's size
//   tw,th   the size its text needs as the control draws it (label-wrap: within its width)
// The first line describes the window: 0|0|window|shown|client x,y,w,h|cw,ch|0,0|title.
// Texts are read and measured as Unicode and written in UTF-8.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

struct Output {
  char* at;
  char* end;
  HWND window;
};

void Append(Output& out, const char* format, ...) {
  if (out.at >= out.end) return;
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(out.at, static_cast<size_t>(out.end - out.at), format, args);
  va_end(args);
  if (n > 0) out.at += n < out.end - out.at ? n : out.end - out.at - 1;
}

// A text on one line in UTF-8: \r, \n and \\ escaped, as tavdriver prints texts.
void AppendText(Output& out, const wchar_t* wide) {
  char utf8[4 * 4096] = "";
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
  for (const char* text = utf8; *text; ++text) {
    if (*text == '\r')
      Append(out, "\\r");
    else if (*text == '\n')
      Append(out, "\\n");
    else if (*text == '\\')
      Append(out, "\\\\");
    else
      Append(out, "%c", *text);
  }
  Append(out, "\n");
}

BOOL CALLBACK Describe(HWND control, LPARAM lParam) {
  Output& out = *reinterpret_cast<Output*>(lParam);
  char name[64] = "";
  GetClassNameA(control, name, sizeof name);
  wchar_t text[4096] = L"";
  const int length = GetWindowTextW(control, text, 4096);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  RECT r, client;
  GetWindowRect(control, &r);
  GetClientRect(control, &client);
  HWND parent = GetParent(control);

  const char* kind = "picture";
  UINT format = DT_CALCRECT | DT_EXPANDTABS;
  if (_stricmp(name, "Static") == 0) {
    const LONG type = style & SS_TYPEMASK;
    const bool wrap = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
    kind = wrap ? "label-wrap" : "label";
    if (wrap) format |= DT_WORDBREAK;
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  } else if (_stricmp(name, "Button") == 0) {
    kind = (style & BS_TYPEMASK) == BS_GROUPBOX ? "frame" : "button";
    format |= DT_SINGLELINE;
  } else if (_stricmp(name, "Edit") == 0) {
    kind = "edit";
    format |= DT_SINGLELINE | DT_NOPREFIX;
  }
  int needW = 0, needH = 0;
  if (std::strcmp(kind, "picture") != 0) {
    HDC dc = GetDC(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    RECT need{0, 0, client.right, 0};
    DrawTextW(dc, length ? text : L" ", length ? length : 1, &need, format);
    needW = length ? need.right : 0;
    needH = need.bottom;
    SelectObject(dc, old);
    ReleaseDC(control, dc);
  }
  Append(out, "%d|%d|%s|%d|%ld,%ld,%ld,%ld|%ld,%ld|%d,%d|", GetDlgCtrlID(control),
         parent == out.window ? 0 : GetDlgCtrlID(parent), kind, (style & WS_VISIBLE) ? 1 : 0,
         r.left, r.top, r.right - r.left, r.bottom - r.top, client.right, client.bottom, needW,
         needH);
  AppendText(out, text);
  return TRUE;
}

void DescribeWindow(HWND window) {
  char name[64];
  std::snprintf(name, sizeof name, "Local\\tavdriver.layout.%lu", GetCurrentProcessId());
  HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
  std::strcat(name, ".done");
  HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
  char* view =
      mapping ? static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
  if (view) {
    MEMORY_BASIC_INFORMATION info{};
    VirtualQuery(view, &info, sizeof info);
    Output out{view, view + info.RegionSize, window};
    RECT client;
    GetClientRect(window, &client);
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    wchar_t title[512] = L"";
    GetWindowTextW(window, title, 512);
    Append(out, "0|0|window|%d|%ld,%ld,%ld,%ld|%ld,%ld|0,0|", IsWindowVisible(window) ? 1 : 0,
           corner.x, corner.y, client.right, client.bottom, client.right, client.bottom);
    AppendText(out, title);
    EnumChildWindows(window, Describe, reinterpret_cast<LPARAM>(&out));
    UnmapViewOfFile(view);
  }
  if (done) SetEvent(done);
  if (done) CloseHandle(done);
  if (mapping) CloseHandle(mapping);
}

}  // namespace

// A WH_GETMESSAGE hook: answers tavdriver's message as it is taken from the queue, and leaves
// every other message alone.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    LayoutHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT request = RegisterWindowMessageA("tavdriver.layout");
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == request) {
    DescribeWindow(msg->hwnd);
    msg->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
