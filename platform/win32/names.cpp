#include "platform/win32/names.h"

#include <windows.h>

#include "util/failure.h"

namespace platform::win32 {

namespace {

// MultiByteToWideChar over a whole string; none when `flags` refuse the bytes.
std::optional<std::wstring> Widen(UINT codePage, DWORD flags, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), length, wide.data(), size);
  return wide;
}

// WideCharToMultiByte over a whole string, with the code page's own defaults.
std::string Narrow(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

}  // namespace

std::optional<std::wstring> WideOf(const SystemName& name) {
  return Widen(CP_UTF8, MB_ERR_INVALID_CHARS, name.utf8());
}

std::wstring WideFileName(const SystemName& name) {
  auto wide = WideOf(name);
  if (!wide) throw util::Failure(util::codes::kBadFileName, "Bad file name or number");
  return std::move(*wide);
}

SystemName NameOf(std::wstring_view wide) {
  return SystemName(TextOfWide(wide));
}

std::wstring WideOfText(std::string_view utf8) {
  return Widen(CP_UTF8, 0, utf8).value_or(std::wstring());
}

std::string TextOfWide(std::wstring_view wide) {
  return Narrow(CP_UTF8, wide);
}

std::string TextOfCodePage(std::string_view bytes) {
  return TextOfWide(Widen(CP_ACP, 0, bytes).value_or(std::wstring()));
}

}  // namespace platform::win32
