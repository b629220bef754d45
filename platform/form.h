// Windows described as data, the way a form designer describes them: each control with its kind,
// container, position and size in twips, caption, font, colours and visibility. Handlers change
// these properties; the platform's Ui reflects each change on screen after every event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

using WindowHandle = std::uintptr_t;

constexpr float kTwipsPerPoint = 20.0f;

struct Size {
  float width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

struct Point {
  float x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  float left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Colour&) const = default;
};

// The standard 16-colour palette of the early PC colour text modes (0 black ... 15 bright white).
Colour PaletteColour(int number);

enum class Kind { Label, Picture, Frame, Button, TextBox };
enum class Align { Left, Centre, Right };

struct Font {
  std::string name = "Verdana";
  float points = 8.25f;
  bool bold = false;
  bool underline = false;
  bool operator==(const Font&) const = default;
};

// A control's handle: its place in its form's list of controls, given when the control is added.
// Handlers keep the handles of the controls they use and reach each control through its form.
struct ControlId {
  std::size_t index = 0;
  bool operator==(const ControlId&) const = default;
};

// A timer's handle, likewise.
struct TimerId {
  std::size_t index = 0;
  bool operator==(const TimerId&) const = default;
};

struct Control {
  std::string name;  // what the control is, for messages about it
  Kind kind = Kind::Label;
  std::optional<ControlId> container;  // the picture box or frame that holds it; none: the window
  float left = 0, top = 0, width = 0, height = 0;  // twips, from the container's top-left corner
  std::string caption;                             // label, button or frame caption; text box text
  std::string tooltip;
  std::string image;  // a picture's bitmap resource name
  Font font;
  Colour fore{0, 0, 0};
  Colour back{192, 192, 192};
  bool transparent = false;  // labels: the container shows through
  bool autoSize = false;     // labels: width and height follow the caption
  bool wordWrap = false;     // labels: wrap at word boundaries to the width
  Align align = Align::Left;
  bool visible = true;
  bool link = false;  // drawn as a web link: a hand pointer over it
  std::function<void()> onClick;
};

// A form timer: fires only while enabled; enabling an enabled timer changes nothing; a new
// interval restarts the count of an enabled timer. `starts` counts the (re)starts of the count, so
// the platform can tell a restart from no change.
struct Timer {
  std::string name;
  int interval = 0;  // milliseconds
  bool enabled = false;
  unsigned starts = 0;
  std::function<void()> onTick;

  void SetEnabled(bool on) {
    if (on && !enabled) ++starts;
    enabled = on;
  }
  void SetInterval(int milliseconds) {
    if (milliseconds == interval) return;
    interval = milliseconds;
    if (enabled) ++starts;
  }
};

struct Form;

// The containers that hold a control, innermost first:
//   for (const Control& container : form.Containers(control)) ...
// A container that is not in the form throws std::out_of_range; a control that holds itself,
// directly or through others, throws std::logic_error.
class ContainerChain {
 public:
  class iterator {
   public:
    using value_type = Control;
    using difference_type = std::ptrdiff_t;
    iterator() = default;
    iterator(const Form* form, const Control* current) : form_(form), current_(current) {}
    const Control& operator*() const { return *current_; }
    const Control* operator->() const { return current_; }
    iterator& operator++();
    iterator operator++(int) {
      iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const iterator& other) const { return current_ == other.current_; }

   private:
    const Form* form_ = nullptr;
    const Control* current_ = nullptr;
    std::size_t steps_ = 0;
  };

  ContainerChain(const Form& form, const Control& control) : form_(form), control_(control) {}
  iterator begin() const;
  iterator end() const { return {}; }

 private:
  const Form& form_;
  const Control& control_;
};

struct Form {
  std::string caption;
  Colour back{0, 0, 0};
  bool maximised = false;
  bool popup = false;                              // no frame or title bar
  bool topmost = false;                            // above every other window
  float left = 0, top = 0, width = 0, height = 0;  // twips; the client area for framed windows
  std::vector<Control> controls;                   // in drawing order, containers before contents
  std::vector<Timer> timers;

  std::function<void()> onClick;
  std::function<void(int keyCode, int shift)> onKeyDown;
  std::function<void(int character)> onKeyPress;
  std::function<void(float x, float y)> onMouseMove;  // twips from the window's top-left corner
  std::function<void()> onClose;                      // the user closed the window
  // The display changed: a monitor came or went, a monitor's resolution changed, or the window's
  // own DPI did (its monitor's scale changed, it went to a monitor of another scale, or it opened
  // at a DPI other than the system's: then before it is first shown). Not every change is
  // announced; a form that depends on the monitors also looks at them itself.
  std::function<void()> onDisplayChange;
  // A handler failed, or the window layer could not show a changed description. The layer only
  // reports it here; what happens then is the program's to decide.
  std::function<void(std::exception_ptr)> onFailure;

  ControlId Add(Control control);
  TimerId AddTimer(std::string name, int interval, bool enabled, std::function<void()> onTick);
  // A control or timer by its handle; one the form has not given out throws std::out_of_range.
  Control& operator[](ControlId id);
  const Control& operator[](ControlId id) const;
  Timer& operator[](TimerId id);
  const Timer& operator[](TimerId id) const;
  // The containers that hold a control, innermost first (the one walk every user of containers
  // takes).
  ContainerChain Containers(const Control& control) const { return {*this, control}; }
  // Visible itself and inside visible containers.
  bool Shown(const Control& control) const;
};

}  // namespace ui
