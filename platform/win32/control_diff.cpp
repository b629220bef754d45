#include "platform/win32/control_diff.h"

namespace platform::win32 {

namespace {

template <typename T>
bool Differs(const std::optional<T>& had, const T& want) {
  return !had || !(*had == want);
}

}  // namespace

Changes Compare(const Applied& had, const Look& want) {
  Changes c;
  c.style = Differs(had.style, want.style);
  c.font = Differs(had.font, want.font);
  c.caption = Differs(had.caption, want.caption);
  c.fore = Differs(had.fore, want.fore);
  c.back = Differs(had.back, want.back);
  c.transparent = Differs(had.transparent, want.transparent);
  c.image = Differs(had.image, want.image);
  c.rect = Differs(had.rect, want.rect);
  c.tooltip = Differs(had.tooltip, want.tooltip);
  c.visible = Differs(had.visible, want.visible);
  return c;
}

Applied AppliedAs(const Look& look) {
  return {look.caption,     look.rect,    look.font,  look.fore,  look.back,
          look.transparent, look.visible, look.image, look.style, look.tooltip};
}

Applied MadeAs(const Look& look) {
  Applied made;
  made.caption = look.caption;
  made.rect = look.rect;
  made.style = look.style;
  made.visible = false;
  made.image = "";
  made.tooltip = "";
  return made;
}

}  // namespace platform::win32
