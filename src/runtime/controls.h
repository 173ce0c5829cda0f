#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "control.h"

namespace kestrava::form {

class Label : public Control {
 public:
  Label(Window& window, std::string name, Rect geometry, std::string caption = {});

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  Color backColor() const { return backColor_; }
  void setBackColor(Color color);
  Color foreColor() const { return foreColor_; }
  void setForeColor(Color color) { foreColor_ = color; }
  bool border() const { return border_; }
  void setBorder(bool single) { border_ = single; }

 private:
  std::string caption_;
  Color backColor_ = kGrey;
  Color foreColor_ = 0;
  bool border_ = false;
};

// One replacement in a text box's text: `removed` characters from `start` (0-based) gave way
// to `inserted`. Views apply it instead of taking the whole text again.
struct TextEdit {
  int start = 0;
  int removed = 0;
  std::string_view inserted;
};

// Text boxes hold byte strings: one character per byte, as the serial line delivers them.
class TextBox : public Control {
 public:
  TextBox(Window& window, std::string name, Rect geometry, bool multiLine = false);

  bool focusable() const override { return true; }
  bool multiLine() const { return multiLine_; }
  bool scrollBars() const { return scrollBars_; }
  void setScrollBars(bool both) { scrollBars_ = both; }
  char passwordChar() const { return passwordChar_; }
  void setPasswordChar(char c) { passwordChar_ = c; }

  const std::string& text() const { return text_; }
  int length() const { return static_cast<int>(text_.size()); }
  // Replaces the whole text; the caret goes to the start. Runs Change when the text differs.
  void setText(std::string text);

  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  std::string selText() const { return text_.substr(selStart_, selLength_); }
  // A negative value is refused (false) and changes nothing; a start beyond the end stands at
  // the end. Setting the start empties the selection.
  bool setSelStart(int start);
  bool setSelLength(int length);
  // Replaces the selection; the caret ends after the inserted text.
  void setSelText(std::string_view text);

  // Keyboard input as the user gives it. keyDown runs KeyDown; keyPress runs KeyPress and then,
  // unless the handler discarded the code (set it to 0), the key's normal editing effect.
  void keyDown(int keyCode, int shift);
  void keyPress(int keyAscii);
  void deleteForward();  // the Delete key's effect
  void paste(std::string_view text) { setSelText(text); }
  // The user moved the caret or selected text in the view.
  void userSelect(int start, int length);

  std::function<void()> Change;
  std::function<void(int& keyAscii)> KeyPress;
  std::function<void(int keyCode, int shift)> KeyDown;
  Signal<const TextEdit&> edited;

 private:
  void replace(int start, int removed, std::string_view inserted);

  std::string text_;
  int selStart_ = 0;
  int selLength_ = 0;
  bool multiLine_;
  bool scrollBars_ = false;
  char passwordChar_ = 0;
};

class Button : public Control {
 public:
  Button(Window& window, std::string name, Rect geometry, std::string caption);

  bool focusable() const override { return true; }
  // The caption marks its access key with '&', as in "ST&U".
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  void click();
  // A key going down while the button has the focus; Enter and Space then click it.
  void keyDown(int keyCode, int shift);

  std::function<void()> Click;
  std::function<void(int keyCode, int shift)> KeyDown;

 private:
  std::string caption_;
};

// Option buttons of one window form one group: selecting one clears the others.
class OptionButton : public Control {
 public:
  OptionButton(Window& window, std::string name, Rect geometry, std::string caption);

  bool focusable() const override { return true; }
  const std::string& caption() const { return caption_; }
  bool value() const { return value_; }
  // Selecting an option that was not selected clears the group's others and runs Click.
  void setValue(bool selected);
  // A click of the user: selects it and runs Click, even when it was selected already.
  void userClick();

  std::function<void()> Click;

 private:
  void select(bool runClick);

  std::string caption_;
  bool value_ = false;
};

// A horizontal scroll bar. Min stands at the left end and Max at the right end; Min may be the
// larger of the two, so that moving right lowers the value.
class HScrollBar : public Control {
 public:
  HScrollBar(Window& window, std::string name, Rect geometry, int min, int max, int value);

  bool focusable() const override { return true; }
  int min() const { return min_; }
  int max() const { return max_; }
  int value() const { return value_; }
  int smallChange() const { return smallChange_; }
  int largeChange() const { return largeChange_; }
  void setChanges(int small, int large) { smallChange_ = small, largeChange_ = large; }
  // Values outside the range are brought to its nearer end. Runs Change when the value moves.
  void setValue(int value);

  std::function<void()> Change;

 private:
  int min_;
  int max_;
  int value_;
  int smallChange_ = 1;
  int largeChange_ = 1;
};

// A plain panel: a coloured rectangle that can be shown, hidden and clicked.
class PictureBox : public Control {
 public:
  PictureBox(Window& window, std::string name, Rect geometry, Color backColor);

  Color backColor() const { return backColor_; }
  void click() {
    if (Click) Click();
  }

  std::function<void()> Click;

 private:
  Color backColor_;
};

// A drawn rule; the geometry's height is its thickness.
class Line : public Control {
 public:
  Line(Window& window, std::string name, Rect geometry, Color color);

  Color color() const { return color_; }

 private:
  Color color_;
};

}  // namespace kestrava::form
