// TavoriaDatabase.dll, the setup program's plugin for the team database: the saver's own reader
// of its number and Kelvane's own way of replacing it, so that the setup never reads the format
// differently from the saver. Called from tavoria.nsi as
//
//   TavoriaDatabase::InstallUnlessNewer SHIPPED INSTALLED
//   Pop $0  ; "installed", "kept" or "failed"
//   Pop $1  ; kept: the installed database's number; failed: why
//
// SHIPPED is the setup's own database (unpacked into its plugins folder), INSTALLED the path of
// the installed one, which the shipped one replaces in one step unless it has a higher number.
#include <windows.h>

#include <exception>
#include <string>

#include "database/loader.h"
#include "platform/whole_file.h"
#include "platform/win32/names.h"
#include "platform/win32/win32_parts.h"
#include "upgrader/kelvane.h"

namespace {

// NSIS's stack of texts, as its plugins receive it (Unicode builds).
struct StackItem {
  StackItem* next;
  wchar_t text[1];
};

std::wstring Pop(StackItem** top) {
  StackItem* item = top ? *top : nullptr;
  if (!item) return {};
  std::wstring text = item->text;
  *top = item->next;
  GlobalFree(item);
  return text;
}

// Texts longer than NSIS's strings are cut to their length.
void Push(StackItem** top, int stringSize, const std::wstring& text) {
  if (!top || stringSize <= 0) return;
  const std::size_t size = static_cast<std::size_t>(stringSize);
  auto* item =
      static_cast<StackItem*>(GlobalAlloc(GPTR, sizeof(StackItem) + size * sizeof(wchar_t)));
  if (!item) return;
  lstrcpynW(item->text, text.c_str(), stringSize);
  item->next = *top;
  *top = item;
}

}  // namespace

extern "C" __declspec(dllexport) void InstallUnlessNewer(HWND, int stringSize, wchar_t*,
                                                         StackItem** top, void*) {
  using platform::win32::NameOf;
  const platform::SystemName shipped = NameOf(Pop(top)), installed = NameOf(Pop(top));
  std::wstring outcome, detail;
  try {
    platform::win32::Win32Process process;
    platform::win32::Win32Files files;
    const auto kept = kelvane::InstallUnlessNewer(
        process, files, installed, platform::ReadFile(files, shipped, database::kLongestDatabase));
    outcome = kept ? L"kept" : L"installed";
    if (kept) detail = std::to_wstring(*kept);
  } catch (const util::Failure& failure) {
    outcome = L"failed";
    detail = platform::win32::WideOfText(
        platform::win32::NameOfCodePageText(failure.description()).utf8());
  } catch (const std::exception& failure) {
    outcome = L"failed";
    detail = platform::win32::WideOfText(failure.what());
  }
  Push(top, stringSize, detail);
  Push(top, stringSize, outcome);
}
