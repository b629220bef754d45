#include "platform/form.h"

#include <stdexcept>

namespace ui {

Colour PaletteColour(int number) {
  static const Colour kPalette[16] = {
      {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
      {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},    {0, 255, 0}, {0, 255, 255},
      {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
  if (number < 0 || number > 15) throw std::out_of_range("palette colour number");
  return kPalette[number];
}

Control& Form::Add(Control control) {
  controls.push_back(std::move(control));
  return controls.back();
}

Timer& Form::AddTimer(std::string name, int interval, bool enabled, std::function<void()> onTick) {
  Timer t;
  t.name = std::move(name);
  t.interval = interval;
  t.enabled = enabled;
  t.starts = enabled ? 1 : 0;
  t.onTick = std::move(onTick);
  timers.push_back(std::move(t));
  return timers.back();
}

Control& Form::operator[](const std::string& name) {
  for (auto& c : controls)
    if (c.name == name) return c;
  throw std::out_of_range("no control named " + name);
}

const Control& Form::operator[](const std::string& name) const {
  for (const auto& c : controls)
    if (c.name == name) return c;
  throw std::out_of_range("no control named " + name);
}

Timer& Form::timer(const std::string& name) {
  for (auto& t : timers)
    if (t.name == name) return t;
  throw std::out_of_range("no timer named " + name);
}

const Timer& Form::timer(const std::string& name) const {
  for (const auto& t : timers)
    if (t.name == name) return t;
  throw std::out_of_range("no timer named " + name);
}

ContainerChain::iterator ContainerChain::begin() const {
  iterator first(&form_, &control_);
  return ++first;
}

ContainerChain::iterator& ContainerChain::iterator::operator++() {
  if (current_->container.empty()) {
    current_ = nullptr;
    return *this;
  }
  // A chain longer than the list of controls goes round in a circle.
  if (++steps_ > form_->controls.size())
    throw std::logic_error("the control " + current_->name + " holds itself");
  current_ = &(*form_)[current_->container];
  return *this;
}

bool Form::Shown(const Control& control) const {
  if (!control.visible) return false;
  for (const Control& container : Containers(control))
    if (!container.visible) return false;
  return true;
}

}  // namespace ui
