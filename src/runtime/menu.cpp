#include "menu.h"

namespace kestrava::form {

MenuItem::MenuItem(std::string name, std::string caption, bool enabled)
    : name_(std::move(name)), caption_(std::move(caption)), enabled_(enabled) {}

void MenuItem::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  changed.fire();
}

void MenuItem::setChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  changed.fire();
}

MenuItem& MenuItem::add(std::string name, std::string caption, bool enabled) {
  items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption), enabled));
  return *items_.back();
}

void MenuItem::click() {
  if (enabled_ && Click) Click();
}

}  // namespace kestrava::form
