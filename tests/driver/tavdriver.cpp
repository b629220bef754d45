// tavdriver: the end-to-end tests' hands and eyes on the desktop, a console program run under Wine.
// It finds windows by title, reads message boxes and controls, types into text boxes and presses
// buttons, as an accessibility tool would. Texts are printed with \r, \n and \\ escaped, one
// item a line. Exit code 0 on success, 1 when the window or control is not found in time, 2 on
// bad usage.
//
//   tavdriver wait TITLE [MS]            wait until a visible top-level window has this title
//   tavdriver gone TITLE [MS]            wait until no top-level window has this title
//   tavdriver box TITLE                  a message box: title=, text=, icon=, buttons=
//   tavdriver controls TITLE             every child control: class|id|visible|x,y,w,h|text
//   tavdriver press TITLE BUTTON         press the button with this caption (BM_CLICK)
//   tavdriver clickon TITLE TEXT         click the (static) control with this text
//   tavdriver settext TITLE CLASS N TEXT set the text of the Nth (from 0) control of a class
//   tavdriver close TITLE                ask the window to close
//   tavdriver cursor                     "shown" or "hidden"
//   tavdriver rect TITLE                 the window's rectangle on screen: x,y,w,h
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\\')
      out += "\\\\";
    else
      out += c;
  }
  return out;
}

// A window's text as the window itself answers WM_GETTEXT, so an edit box in another process
// gives what the user typed.
std::string TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
    return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  DWORD_PTR n = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &n);
  text.resize(static_cast<size_t>(n));
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

struct FindTitle {
  const std::string* title;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM lParam) {
  auto* find = reinterpret_cast<FindTitle*>(lParam);
  if (IsWindowVisible(hwnd) && TextOf(hwnd) == *find->title) {
    find->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindVisible(const std::string& title) {
  FindTitle find{&title, nullptr};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

HWND WaitFor(const std::string& title, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    if (HWND hwnd = FindVisible(title)) return hwnd;
    if (GetTickCount64() >= end) return nullptr;
    Sleep(50);
  }
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND Require(const std::string& title) {
  HWND hwnd = WaitFor(title, 5000);
  if (!hwnd) {
    std::fprintf(stderr, "tavdriver: no window titled \"%s\"\n", title.c_str());
    std::exit(1);
  }
  return hwnd;
}

// 32 x 32 pixels of a device context, as 0x00RRGGBB values.
std::vector<COLORREF> Grab(HDC dc, int x, int y) {
  std::vector<COLORREF> pixels;
  for (int j = 0; j < 32; ++j)
    for (int i = 0; i < 32; ++i) pixels.push_back(GetPixel(dc, x + i, y + j));
  return pixels;
}

// Which system icon a message box shows. Icon handles cannot be read across processes, so the icon
// on screen is compared with each system icon drawn on the same background.
std::string IconOf(HWND box) {
  struct Known {
    LPCSTR id;
    const char* name;
  };
  const Known known[] = {{IDI_ASTERISK, "information"},
                         {IDI_EXCLAMATION, "exclamation"},
                         {IDI_QUESTION, "question"},
                         {IDI_HAND, "stop"}};
  for (HWND child : Children(box)) {
    if (ClassOf(child) != "Static") continue;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    RECT r;
    GetWindowRect(child, &r);
    HDC screen = GetDC(nullptr);
    const auto shown = Grab(screen, r.left, r.top);
    const COLORREF background = GetPixel(screen, r.left, r.top);
    ReleaseDC(nullptr, screen);

    std::string best = "unknown";
    size_t bestDifferences = 32 * 32 / 20;  // at most 5 % of the pixels may differ
    HDC memory = CreateCompatibleDC(nullptr);
    HDC screenForBitmap = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screenForBitmap, 32, 32);
    ReleaseDC(nullptr, screenForBitmap);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    for (const auto& k : known) {
      RECT all{0, 0, 32, 32};
      FillRect(memory, &all, brush);
      DrawIconEx(memory, 0, 0, LoadIconA(nullptr, k.id), 32, 32, 0, nullptr, DI_NORMAL);
      const auto drawn = Grab(memory, 0, 0);
      size_t differences = 0;
      for (size_t i = 0; i < drawn.size(); ++i) differences += drawn[i] != shown[i];
      if (differences < bestDifferences) {
        bestDifferences = differences;
        best = k.name;
      }
    }
    DeleteObject(brush);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return best;
  }
  return "none";
}

int Usage() {
  std::fprintf(stderr, "tavdriver: see the comment at the top of tavdriver.cpp for its usage\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  auto arg = [&](int i) { return i < argc ? std::string(argv[i]) : std::string(); };
  const DWORD timeout = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 10000;

  if (command == "wait") {
    if (argc < 3) return Usage();
    return WaitFor(arg(2), timeout) ? 0 : 1;
  }
  if (command == "gone") {
    if (argc < 3) return Usage();
    const ULONGLONG end = GetTickCount64() + timeout;
    while (FindWindowA(nullptr, argv[2])) {
      if (GetTickCount64() >= end) return 1;
      Sleep(50);
    }
    return 0;
  }
  if (command == "cursor") {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info)) return 1;
    std::printf("%s\n", (info.flags & CURSOR_SHOWING) ? "shown" : "hidden");
    return 0;
  }
  if (argc < 3) return Usage();
  HWND window = Require(arg(2));

  if (command == "box") {
    std::string text, buttons;
    for (HWND child : Children(window)) {
      if (GetDlgCtrlID(child) == 0xFFFF) text = TextOf(child);
      if (ClassOf(child) != "Button") continue;
      if (!buttons.empty()) buttons += ',';
      buttons += TextOf(child);
    }
    std::printf("title=%s\ntext=%s\nicon=%s\nbuttons=%s\n", Escape(TextOf(window)).c_str(),
                Escape(text).c_str(), IconOf(window).c_str(), Escape(buttons).c_str());
    return 0;
  }
  if (command == "controls") {
    for (HWND child : Children(window)) {
      RECT r;
      GetWindowRect(child, &r);
      std::printf("%s|%d|%d|%ld,%ld,%ld,%ld|%s\n", ClassOf(child).c_str(), GetDlgCtrlID(child),
                  IsWindowVisible(child) ? 1 : 0, r.left, r.top, r.right - r.left, r.bottom - r.top,
                  Escape(TextOf(child)).c_str());
    }
    return 0;
  }
  if (command == "rect") {
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%ld,%ld,%ld,%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (command == "close") {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == "press" || command == "clickon") {
    if (argc < 4) return Usage();
    // A visible control with that text first; else a hidden one, as a window may hide a control
    // (a turning panel) between the test's look and its press.
    HWND target = nullptr;
    for (HWND child : Children(window)) {
      if (TextOf(child) != argv[3]) continue;
      if (!target || (IsWindowVisible(child) && !IsWindowVisible(target))) target = child;
    }
    if (!target) {
      std::fprintf(stderr, "tavdriver: no control \"%s\" in \"%s\"\n", argv[3], argv[2]);
      return 1;
    }
    if (command == "press") {
      PostMessageA(target, BM_CLICK, 0, 0);
    } else {
      PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    return 0;
  }
  if (command == "settext") {
    if (argc < 6) return Usage();
    int wanted = std::atoi(argv[4]);
    for (HWND child : Children(window)) {
      if (_stricmp(ClassOf(child).c_str(), argv[3]) != 0) continue;
      if (wanted-- == 0) {
        SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5]));
        return 0;
      }
    }
    std::fprintf(stderr, "tavdriver: no control of class %s\n", argv[3]);
    return 1;
  }
  return Usage();
}
