#include "platform/win32/fonts.h"

#include <cmath>

#include "platform/win32/names.h"

namespace platform::win32 {

namespace {

gdi::Font MakeFont(const ui::Font& font, int dpi) {
  const bool symbol = font.name == "Wingdings" || font.name == "Symbol";
  const int height = -static_cast<int>(std::lround(font.points * dpi / 72.0));
  return gdi::Font(CreateFontW(
      height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline ? TRUE : FALSE, FALSE,
      symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
      DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, WideOfText(font.name).c_str()));
}

}  // namespace

std::shared_ptr<gdi::Font> FontCache::Get(const ui::Font& font, int dpi) {
  std::erase_if(entries_, [](const Entry& entry) { return entry.made.expired(); });
  for (const Entry& entry : entries_)
    if (entry.dpi == dpi && entry.font == font)
      if (auto existing = entry.made.lock()) return existing;
  auto made = std::make_shared<gdi::Font>(MakeFont(font, dpi));
  entries_.push_back({font, dpi, made});
  return made;
}

}  // namespace platform::win32
