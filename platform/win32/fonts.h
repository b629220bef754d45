// The GDI fonts of the window layer. A font is made for a DPI, and every control drawn in the same
// font at the same DPI shares one GDI font, released with the last control that uses it.
#pragma once

#include <memory>
#include <vector>

#include "platform/form.h"
#include "platform/win32/gdi.h"

namespace platform::win32 {

class FontCache {
 public:
  // The GDI font for a description at a DPI, made if no one holds it yet.
  std::shared_ptr<gdi::Font> Get(const ui::Font& font, int dpi);

 private:
  struct Entry {
    ui::Font font;
    int dpi;
    std::weak_ptr<gdi::Font> made;
  };
  std::vector<Entry> entries_;
};

}  // namespace platform::win32
