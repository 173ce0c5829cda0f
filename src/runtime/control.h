#pragma once

#include <functional>
#include <optional>
#include <string>

#include "colors.h"
#include "signal.h"

namespace kestrava::form {

class Window;

// Positions and sizes are in twips (1/1440 inch), as the windows were designed.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct Font {
  std::string family = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
};

enum class Kind { Label, TextBox, Button, OptionButton, HScrollBar, PictureBox, Line };

// What changed on a control, for the view that mirrors it.
enum class Prop {
  Visible,
  Enabled,
  Caption,
  BackColor,
  Value,
  Range,
  Selection,
  Focus,
  Checked,
};

// Base of every control: a name from the window design, a place, visibility, enabled state,
// tab order and focus. Controls belong to their window for the window's whole life.
class Control {
 public:
  Control(Window& window, Kind kind, std::string name, Rect geometry);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Window& window() const { return window_; }
  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  const Rect& geometry() const { return geometry_; }

  bool visible() const { return visible_; }
  void setVisible(bool visible);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);

  int tabIndex() const { return tabIndex_; }
  void setTabIndex(int index) { tabIndex_ = index; }
  // The control's own font; without one it shows in its window's font.
  const std::optional<Font>& font() const { return font_; }
  void setFont(Font font) { font_ = std::move(font); }

  // Whether this kind of control can hold the keyboard focus at all.
  virtual bool focusable() const { return false; }
  // Moves the focus here; fails (false) when the control is hidden, disabled or cannot take it.
  bool setFocus();
  bool hasFocus() const;

  Signal<Prop> changed;
  std::function<void()> GotFocus;

 protected:
  void notify(Prop prop) { changed.fire(prop); }

 private:
  Window& window_;
  Kind kind_;
  std::string name_;
  Rect geometry_;
  std::optional<Font> font_;
  bool visible_ = true;
  bool enabled_ = true;
  int tabIndex_ = 0;
};

}  // namespace kestrava::form
