// tavdriver: the end-to-end tests' hands and eyes on the desktop, a console program run under Wine.
// It finds windows by title, reads message boxes and controls, types into text boxes and presses
// buttons, as an accessibility tool would. Texts are read as Unicode and printed in UTF-8 (and
// titles and texts given to it are taken as Unicode), whatever the system's code page, with \r,
// \n and \\ escaped, one item a line. Exit code 0 on success, 1 when the window or control is
// not found in time, 2 on bad usage.
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
//   tavdriver display                    the screen's width, height and DPI: w,h,dpi
//   tavdriver codepage                   the system's code page (GetACP)
//   tavdriver resolution W H             switches the primary display to W x H pixels, as the
//                                        display settings do (ChangeDisplaySettingsExW); exit
//                                        code 1 when the system refuses, with its answer
//   tavdriver layout TITLE               every child control with its container, rectangle and the
//                                        size its text needs in its own font, measured inside
//                                        the window's program (tavdriver_hook.cpp has the format)
//   tavdriver resources FILE             a built program's resources, read without running it:
//     stringN=      each string
//     icons=        the icon groups, in the file's order (Explorer shows the first); for each:
//     iconN=        the sizes it lists, iconN.bits= their colour depths, iconN.images= the sizes
//                   the system makes of its images, iconN.crc= the images' CRC-32s
//     manifests=    each manifest as name:language; from manifest 1: manifest.level=,
//                   .uiAccess=, .supportedOS= (Vista,7,8,8.1,10), .dpiAware=, .dpiAwareness=,
//                   .commonControls6= (yes|no)
//     version.file= and version.product= (the numbers), version.translation=, version.NAME=
//                   each string of the version block
#include <windows.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
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

std::string Utf8Of(std::wstring_view wide) {
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
  return text;
}

std::wstring WideOf(const std::string& utf8) {
  const int length = static_cast<int>(utf8.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
  return wide;
}

// A window's text as the window itself answers WM_GETTEXT in Unicode, so an edit box in another
// process gives what the user typed, and every character whole.
std::string TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
    return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR n = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &n);
  text.resize(static_cast<size_t>(n));
  return Utf8Of(text);
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

// ----- A built file's resources, read without running it ---------------------------------------

// A resource's name as the resource scripts write it: a number, or the name itself.
std::string NameOf(LPCSTR name) {
  return IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name;
}

LPCSTR AsName(const std::string& name) {
  if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos)
    return MAKEINTRESOURCEA(std::atoi(name.c_str()));
  return name.c_str();
}

// The names of every resource of a type, in the order of the file's resource directory (the
// order in which Explorer takes the first icon group as the file's icon).
std::vector<std::string> NamesOf(HMODULE module, LPCSTR type) {
  std::vector<std::string> names;
  EnumResourceNamesA(
      module, type,
      [](HMODULE, LPCSTR, LPSTR name, LONG_PTR found) -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(found)->push_back(NameOf(name));
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&names));
  return names;
}

std::vector<WORD> LanguagesOf(HMODULE module, LPCSTR type, const std::string& name) {
  std::vector<WORD> languages;
  EnumResourceLanguagesA(
      module, type, AsName(name),
      [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) -> BOOL {
        reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

// A resource's bytes; empty when there is none.
std::string_view DataOf(HMODULE module, LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const char*>(data), SizeofResource(module, found)};
}

// The CRC-32 of some bytes (as zlib computes it), to tell which image a file carries.
std::string Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  char text[9];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(~crc));
  return text;
}

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : ",") + item;
  return out;
}

// Every string of the string tables: block N holds strings 16 (N - 1) to 16 N - 1.
void PrintStrings(HMODULE module) {
  for (const std::string& block : NamesOf(module, RT_STRING)) {
    const int first = (std::atoi(block.c_str()) - 1) * 16;
    for (int id = first; id < first + 16; ++id) {
      char text[1024];
      const int length = LoadStringA(module, static_cast<UINT>(id), text, sizeof text);
      if (length > 0) std::printf("string%d=%s\n", id, Escape(std::string(text, length)).c_str());
    }
  }
}

// Each icon group: the sizes it lists (0 stands for 256), then the sizes of the images the system
// makes of them, so a damaged image shows as a missing size.
void PrintIcons(HMODULE module) {
  const auto groups = NamesOf(module, RT_GROUP_ICON);
  std::printf("icons=%s\n", Join(groups).c_str());
  for (const std::string& group : groups) {
    const std::string_view dir = DataOf(module, RT_GROUP_ICON, AsName(group));
    std::vector<std::string> listed, made, bits, crcs;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(dir[at]); };
    const std::size_t count = dir.size() >= 6 ? byte(4) | byte(5) << 8 : 0;
    for (std::size_t i = 0; i < count && 6 + 14 * (i + 1) <= dir.size(); ++i) {
      const std::size_t at = 6 + 14 * i;
      const int size = byte(at) ? byte(at) : 256;
      const int id = byte(at + 12) | byte(at + 13) << 8;
      listed.push_back(std::to_string(size));
      bits.push_back(std::to_string(byte(at + 6) | byte(at + 7) << 8));
      const std::string_view image = DataOf(module, RT_ICON, MAKEINTRESOURCEA(id));
      crcs.push_back(Crc32(image));
      HICON icon = image.empty() ? nullptr
                                 : CreateIconFromResourceEx(
                                       reinterpret_cast<PBYTE>(const_cast<char*>(image.data())),
                                       static_cast<DWORD>(image.size()), TRUE, 0x00030000, size,
                                       size, LR_DEFAULTCOLOR);
      ICONINFO info{};
      if (icon && GetIconInfo(icon, &info)) {
        BITMAP bm{};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        const int height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        if (bm.bmWidth == size && height == size) made.push_back(std::to_string(size));
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
      }
      if (icon) DestroyIcon(icon);
    }
    const char* n = group.c_str();
    std::printf("icon%s=%s\nicon%s.bits=%s\nicon%s.images=%s\nicon%s.crc=%s\n", n,
                Join(listed).c_str(), n, Join(bits).c_str(), n, Join(made).c_str(), n,
                Join(crcs).c_str());
  }
}

// The text of the first element with this name (no namespace prefix), or of one of its
// attributes; empty when absent.
std::string Tag(const std::string& xml, const std::string& element, std::size_t from = 0) {
  for (std::size_t at = xml.find("<" + element, from); at != std::string::npos;
       at = xml.find("<" + element, at + 1)) {
    const char next = at + 1 + element.size() < xml.size() ? xml[at + 1 + element.size()] : '>';
    if (next == ' ' || next == '>' || next == '/' || next == '\t' || next == '\r' || next == '\n')
      return xml.substr(at, xml.find('>', at) - at + 1);
  }
  return {};
}

std::string AttributeOf(const std::string& tag, const std::string& attribute) {
  for (std::size_t at = tag.find(attribute); at != std::string::npos;
       at = tag.find(attribute, at + 1)) {
    const std::size_t quote = at + attribute.size() + 1;
    if (at == 0 || !std::isspace(static_cast<unsigned char>(tag[at - 1])) ||
        tag.compare(at + attribute.size(), 1, "=") != 0 || quote >= tag.size())
      continue;
    const std::size_t end = tag.find(tag[quote], quote + 1);
    return tag.substr(quote + 1, end - quote - 1);
  }
  return {};
}

std::string ElementText(const std::string& xml, const std::string& element) {
  const std::string tag = Tag(xml, element);
  if (tag.empty() || tag.ends_with("/>")) return {};
  const std::size_t start = xml.find(tag) + tag.size();
  return xml.substr(start, xml.find("</", start) - start);
}

// The application manifests (name:language), and what the first one asks of Windows.
void PrintManifest(HMODULE module) {
  std::vector<std::string> manifests;
  for (const std::string& name : NamesOf(module, RT_MANIFEST))
    for (WORD language : LanguagesOf(module, RT_MANIFEST, name))
      manifests.push_back(name + ":" + std::to_string(language));
  std::printf("manifests=%s\n", Join(manifests).c_str());
  std::string xml(DataOf(module, RT_MANIFEST, MAKEINTRESOURCEA(1)));
  if (xml.empty()) return;
  for (std::size_t at; (at = xml.find("<!--")) != std::string::npos;)
    xml.erase(at, xml.find("-->", at) + 3 - at);
  struct Os {
    const char* id;
    const char* name;
  };
  const Os known[] = {{"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "Vista"},
                      {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "7"},
                      {"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "8"},
                      {"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "8.1"},
                      {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "10"}};
  std::vector<std::string> systems;
  for (std::size_t at = xml.find("<supportedOS"); at != std::string::npos;
       at = xml.find("<supportedOS", at + 1)) {
    std::string id = AttributeOf(Tag(xml, "supportedOS", at), "Id");
    for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string name = id;
    for (const Os& os : known)
      if (id == os.id) name = os.name;
    systems.push_back(name);
  }
  const std::string level = Tag(xml, "requestedExecutionLevel");
  std::printf("manifest.level=%s\nmanifest.uiAccess=%s\n", AttributeOf(level, "level").c_str(),
              AttributeOf(level, "uiAccess").c_str());
  std::printf("manifest.supportedOS=%s\n", Join(systems).c_str());
  std::printf("manifest.dpiAware=%s\nmanifest.dpiAwareness=%s\n",
              ElementText(xml, "dpiAware").c_str(), ElementText(xml, "dpiAwareness").c_str());
  std::printf("manifest.commonControls6=%s\n",
              xml.find("Microsoft.Windows.Common-Controls") != std::string::npos ? "yes" : "no");
}

void PrintVersion(const std::string& file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  std::vector<char> block(size);
  if (!size || !GetFileVersionInfoA(file.c_str(), 0, size, block.data())) {
    std::printf("version=none\n");
    return;
  }
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    std::printf("version.file=%lu.%lu.%lu.%lu\nversion.product=%lu.%lu.%lu.%lu\n",
                fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
                fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF,
                fixed->dwProductVersionMS >> 16, fixed->dwProductVersionMS & 0xFFFF,
                fixed->dwProductVersionLS >> 16, fixed->dwProductVersionLS & 0xFFFF);
  }
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) || length < 4)
    return;
  const auto* translation = static_cast<const WORD*>(value);
  char table[16];
  std::snprintf(table, sizeof table, "%04x%04x", translation[0], translation[1]);
  std::printf("version.translation=%s\n", table);
  for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                           "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"}) {
    const std::string path = std::string("\\StringFileInfo\\") + table + "\\" + name;
    if (VerQueryValueA(block.data(), path.c_str(), &value, &length) && length > 0)
      std::printf("version.%s=%s\n", name, Escape(static_cast<const char*>(value)).c_str());
  }
}

int PrintResources(const std::string& file) {
  HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) {
    std::fprintf(stderr, "tavdriver: cannot read %s (error %lu)\n", file.c_str(), GetLastError());
    return 1;
  }
  PrintStrings(module);
  PrintIcons(module);
  PrintManifest(module);
  FreeLibrary(module);
  PrintVersion(file);
  return 0;
}

// ----- A window's layout, measured inside its program ------------------------------------------

// Asks tavdriver_hook.dll, hooked into the window's thread, to describe the window's controls
// (the line format is at the top of tavdriver_hook.cpp) and prints what it wrote.
int PrintLayout(HWND window) {
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &process);
  char name[64];
  std::snprintf(name, sizeof name, "Local\\tavdriver.layout.%lu", process);
  constexpr DWORD kBytes = 1 << 18;
  HANDLE mapping =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBytes, name);
  auto* view =
      mapping ? static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
  std::strcat(name, ".done");
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, name);
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (char* slash = std::strrchr(path, '\\')) std::strcpy(slash + 1, "tavdriver_hook.dll");
  HMODULE library = LoadLibraryA(path);
  auto proc = library ? reinterpret_cast<HOOKPROC>(
                            reinterpret_cast<void*>(GetProcAddress(library, "LayoutHook")))
                      : nullptr;
  HHOOK hook = proc ? SetWindowsHookExA(WH_GETMESSAGE, proc, library, thread) : nullptr;
  int result = 1;
  if (!view || !done || !hook) {
    std::fprintf(stderr, "tavdriver: cannot hook the window's thread (%s)\n", path);
  } else {
    view[0] = '\0';
    PostMessageA(window, RegisterWindowMessageA("tavdriver.layout"), 0, 0);
    if (WaitForSingleObject(done, 5000) == WAIT_OBJECT_0) {
      std::fputs(view, stdout);
      result = 0;
    } else {
      std::fprintf(stderr, "tavdriver: the window's program did not answer\n");
    }
  }
  if (hook) UnhookWindowsHookEx(hook);
  if (view) UnmapViewOfFile(view);
  if (mapping) CloseHandle(mapping);
  if (done) CloseHandle(done);
  return result;
}

// Switches the primary display to a size, keeping the rest of its mode, as the display settings
// do; the system then tells every top-level window (WM_DISPLAYCHANGE).
int ChangeResolution(int width, int height) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  const LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
  if (result == DISP_CHANGE_SUCCESSFUL) return 0;
  std::fprintf(stderr, "tavdriver: the system refuses %dx%d (ChangeDisplaySettingsExW: %ld)\n",
               width, height, result);
  return 1;
}

int Usage() {
  std::fprintf(stderr, "tavdriver: see the comment at the top of tavdriver.cpp for its usage\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** wideArgv) {
  if (argc < 2) return Usage();
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(Utf8Of(wideArgv[i]));
  std::vector<const char*> argvUtf8;
  for (const std::string& a : args) argvUtf8.push_back(a.c_str());
  const char* const* argv = argvUtf8.data();
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
    while (FindWindowW(nullptr, WideOf(argv[2]).c_str())) {
      if (GetTickCount64() >= end) return 1;
      Sleep(50);
    }
    return 0;
  }
  if (command == "resources") {
    if (argc < 3) return Usage();
    return PrintResources(arg(2));
  }
  if (command == "display") {
    HDC screen = GetDC(nullptr);
    std::printf("%d,%d,%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return 0;
  }
  if (command == "resolution") {
    if (argc < 4) return Usage();
    return ChangeResolution(std::atoi(argv[2]), std::atoi(argv[3]));
  }
  if (command == "codepage") {
    std::printf("%u\n", GetACP());
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
  if (command == "layout") return PrintLayout(window);
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
        SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideOf(argv[5]).c_str()));
        return 0;
      }
    }
    std::fprintf(stderr, "tavdriver: no control of class %s\n", argv[3]);
    return 1;
  }
  return Usage();
}
