// The description-to-window diff: what a control's window should show, worked out from its
// description, against what was last applied to it. After every event the layer changes only the
// parts that differ; a part never applied (std::nullopt) always differs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/form.h"

namespace platform::win32 {

// A window's place in pixels of its parent's client area.
struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// A font as drawn: the description's font at the window's DPI.
struct FontAtDpi {
  ui::Font font;
  int dpi = 96;
  bool operator==(const FontAtDpi&) const = default;
};

// What the description wants a control's window to show.
struct Look {
  std::string caption;
  PixelRect rect;
  FontAtDpi font;
  ui::Colour fore, back;
  bool transparent = false;
  bool visible = false;  // itself and the frames around it (a picture hides its contents itself)
  std::string image;
  DWORD style = 0;
  std::string tooltip;
};

// What was last applied of each part.
struct Applied {
  std::optional<std::string> caption;
  std::optional<PixelRect> rect;
  std::optional<FontAtDpi> font;
  std::optional<ui::Colour> fore, back;
  std::optional<bool> transparent, visible;
  std::optional<std::string> image;
  std::optional<DWORD> style;
  std::optional<std::string> tooltip;
};

// The parts of a look that differ from what was applied.
struct Changes {
  bool style = false, font = false, caption = false, fore = false, back = false,
       transparent = false, image = false, rect = false, tooltip = false, visible = false;

  // Whether the window has to be painted again (when it stays visible).
  bool Repaint() const { return style || font || caption || fore || back || transparent || image; }
};

Changes Compare(const Applied& had, const Look& want);

// Every part applied as the look has it.
Applied AppliedAs(const Look& look);

// What a window just made for a look shows: its caption, place and style, hidden, without an image
// or a tooltip; its font and colours are not applied yet.
Applied MadeAs(const Look& look);

}  // namespace platform::win32
