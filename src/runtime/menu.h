#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "signal.h"

namespace kestrava::form {

// A menu item of a window's menu bar. A caption of "-" makes a separator. Top-level items hold
// the items of their drop-down list.
class MenuItem {
 public:
  MenuItem(std::string name, std::string caption, bool enabled = true);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  bool isSeparator() const { return caption_ == "-"; }

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool checked() const { return checked_; }
  void setChecked(bool checked);

  // Adds an item to this item's list; the item stays owned here.
  MenuItem& add(std::string name, std::string caption, bool enabled = true);
  const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }

  // Runs Click when the item is enabled, as choosing it from the menu does.
  void click();

  std::function<void()> Click;
  Signal<> changed;

 private:
  std::string name_;
  std::string caption_;
  bool enabled_;
  bool checked_ = false;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace kestrava::form
