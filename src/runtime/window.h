#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control.h"
#include "controls.h"
#include "menu.h"
#include "signal.h"
#include "timer.h"

namespace kestrava::form {

class Application;

// Key codes of key-down events and the shift state bits.
inline constexpr int kKeyBack = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyDelete = 46;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

enum class BorderStyle { Sizable, Fixed };

// A top-level window of the program: caption, colours, client size, controls, menu bar and
// timers, and the window-level events. Each kind of window exists at most once; the
// Application loads, shows and unloads it.
class Window {
 public:
  Window(Application& app, std::string name, std::string caption);
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  Application& app() const { return app_; }
  const std::string& name() const { return name_; }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  Color backColor() const { return backColor_; }
  int clientWidth() const { return clientWidth_; }
  int clientHeight() const { return clientHeight_; }
  BorderStyle borderStyle() const { return borderStyle_; }
  const Font& font() const { return font_; }
  bool shown() const { return shown_; }
  bool loaded() const { return loaded_; }

  const std::vector<Control*>& controls() const { return controls_; }
  const std::vector<Timer*>& timers() const { return timers_; }
  MenuItem& menuBar() { return menuBar_; }
  Control* find(const std::string& controlName) const;

  Control* activeControl() const { return active_; }
  Button* defaultButton() const { return defaultButton_; }
  Button* cancelButton() const { return cancelButton_; }

  // A key pressed while `target` (or, when null, the window itself) has the focus: Enter and
  // Esc go to the default and cancel buttons where the window has them, every other key to the
  // control's key-down and key-press handling, or to the window's KeyPress.
  void pressKey(Control* target, int keyCode, int shift, int keyAscii);
  // The user clicked the window's own surface.
  void click() {
    if (Click) Click();
  }

  // Load, Unload and Resize of the window. Unload may set `cancel` to keep the window open.
  virtual void Form_Load() {}
  virtual void Form_Unload(bool& cancel) { (void)cancel; }
  virtual void Form_Resize() {}

  std::function<void()> Click;
  std::function<void(int keyAscii)> KeyPress;
  Signal<Prop> changed;     // Caption, Visible
  Signal<> raiseRequested;  // shown again while already shown: bring it forward

 protected:
  void setDesign(int clientWidth, int clientHeight, BorderStyle border, Color backColor, Font font);
  void setDefaultButton(Button& button) { defaultButton_ = &button; }
  void setCancelButton(Button& button) { cancelButton_ = &button; }

 private:
  friend class Control;
  friend class Timer;
  friend class Application;

  void add(Control& control) { controls_.push_back(&control); }
  void add(Timer& timer) { timers_.push_back(&timer); }
  void moveFocus(Control* to);
  void focusFirst();
  void setShown(bool shown);

  Application& app_;
  std::string name_;
  std::string caption_;
  Color backColor_ = kSystemButtonFace;
  int clientWidth_ = 4800;
  int clientHeight_ = 3600;
  BorderStyle borderStyle_ = BorderStyle::Sizable;
  Font font_;
  bool shown_ = false;
  bool loaded_ = false;
  std::vector<Control*> controls_;
  std::vector<Timer*> timers_;
  MenuItem menuBar_{"", ""};
  Control* active_ = nullptr;
  Button* defaultButton_ = nullptr;
  Button* cancelButton_ = nullptr;
};

}  // namespace kestrava::form
