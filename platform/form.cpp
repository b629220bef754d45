#include "platform/form.h"

#include <stdexcept>
#include <string>

namespace ui {

Colour PaletteColour(int number) {
  static const Colour kPalette[16] = {
      {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
      {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},    {0, 255, 0}, {0, 255, 255},
      {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
  if (number < 0 || number > 15) throw std::out_of_range("palette colour number");
  return kPalette[number];
}

ControlId Form::Add(Control control) {
  controls.push_back(std::move(control));
  return {controls.size() - 1};
}

TimerId Form::AddTimer(std::string name, int interval, bool enabled, std::function<void()> onTick) {
  Timer t;
  t.name = std::move(name);
  t.interval = interval;
  t.enabled = enabled;
  t.starts = enabled ? 1 : 0;
  t.onTick = std::move(onTick);
  timers.push_back(std::move(t));
  return {timers.size() - 1};
}

namespace {

template <typename Item>
Item& At(std::vector<Item>& items, std::size_t index, const char* what, const Form& form) {
  if (index >= items.size())
    throw std::out_of_range(std::string("no ") + what + " number " + std::to_string(index) +
                            " in the window \"" + form.caption + "\"");
  return items[index];
}

}  // namespace

Control& Form::operator[](ControlId id) {
  return At(controls, id.index, "control", *this);
}

const Control& Form::operator[](ControlId id) const {
  return const_cast<Form&>(*this)[id];
}

Timer& Form::operator[](TimerId id) {
  return At(timers, id.index, "timer", *this);
}

const Timer& Form::operator[](TimerId id) const {
  return const_cast<Form&>(*this)[id];
}

ContainerChain::iterator ContainerChain::begin() const {
  iterator first(&form_, &control_);
  return ++first;
}

ContainerChain::iterator& ContainerChain::iterator::operator++() {
  if (!current_->container) {
    current_ = nullptr;
    return *this;
  }
  // A chain longer than the list of controls goes round in a circle.
  if (++steps_ > form_->controls.size())
    throw std::logic_error("the control " + current_->name + " holds itself");
  current_ = &(*form_)[*current_->container];
  return *this;
}

bool Form::Shown(const Control& control) const {
  if (!control.visible) return false;
  for (const Control& container : Containers(control))
    if (!container.visible) return false;
  return true;
}

}  // namespace ui
