#include "controls.h"

#include <algorithm>

#include "window.h"

namespace kestrava::form {

Control::Control(Window& window, Kind kind, std::string name, Rect geometry)
    : window_(window), kind_(kind), name_(std::move(name)), geometry_(geometry) {
  window_.add(*this);
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (!visible && hasFocus()) window_.moveFocus(nullptr);
  notify(Prop::Visible);
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  notify(Prop::Enabled);
}

bool Control::setFocus() {
  if (!focusable() || !visible_ || !enabled_) return false;
  window_.moveFocus(this);
  return true;
}

bool Control::hasFocus() const {
  return window_.activeControl() == this;
}

Label::Label(Window& window, std::string name, Rect geometry, std::string caption)
    : Control(window, Kind::Label, std::move(name), geometry), caption_(std::move(caption)) {}

void Label::setCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  notify(Prop::Caption);
}

void Label::setBackColor(Color color) {
  if (backColor_ == color) return;
  backColor_ = color;
  notify(Prop::BackColor);
}

TextBox::TextBox(Window& window, std::string name, Rect geometry, bool multiLine)
    : Control(window, Kind::TextBox, std::move(name), geometry), multiLine_(multiLine) {}

void TextBox::setText(std::string text) {
  if (text == text_) return;
  // Describe the change as one replacement between the common head and tail, so that a view
  // (and a trim that drops the head) touches only what changed.
  const std::size_t limit = std::min(text.size(), text_.size());
  std::size_t head = 0;
  while (head < limit && text[head] == text_[head]) ++head;
  std::size_t tail = 0;
  while (tail < limit - head && text[text.size() - 1 - tail] == text_[text_.size() - 1 - tail]) {
    ++tail;
  }
  const int removed = static_cast<int>(text_.size() - head - tail);
  // `text` is this call's own copy and outlives the replacement: a view into it will do.
  const std::string_view inserted = std::string_view(text).substr(head, text.size() - head - tail);
  selStart_ = 0;
  selLength_ = 0;
  replace(static_cast<int>(head), removed, inserted);
}

bool TextBox::setSelStart(int start) {
  if (start < 0) return false;
  selStart_ = std::min(start, length());
  selLength_ = 0;
  notify(Prop::Selection);
  return true;
}

bool TextBox::setSelLength(int length) {
  if (length < 0) return false;
  selLength_ = std::min(length, this->length() - selStart_);
  notify(Prop::Selection);
  return true;
}

void TextBox::setSelText(std::string_view text) {
  const int start = selStart_;
  const int removed = selLength_;
  selStart_ = start + static_cast<int>(text.size());
  selLength_ = 0;
  if (removed == 0 && text.empty()) {
    notify(Prop::Selection);
    return;
  }
  replace(start, removed, text);
}

void TextBox::replace(int start, int removed, std::string_view inserted) {
  text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(removed), inserted);
  edited.fire(TextEdit{start, removed, inserted});
  notify(Prop::Selection);
  if (Change) Change();
}

void TextBox::keyDown(int keyCode, int shift) {
  if (KeyDown) KeyDown(keyCode, shift);
}

void TextBox::keyPress(int keyAscii) {
  if (KeyPress) KeyPress(keyAscii);
  if (keyAscii == 0) return;
  if (keyAscii == kKeyBack) {
    if (selLength_ == 0) {
      if (selStart_ == 0) return;
      selStart_ -= 1;
      selLength_ = 1;
    }
    setSelText({});
  } else if (keyAscii == kKeyReturn) {
    if (multiLine_) setSelText("\r\n");
  } else if (keyAscii >= 32 && keyAscii <= 255) {
    const char c = static_cast<char>(keyAscii);
    setSelText(std::string_view(&c, 1));
  }
}

void TextBox::deleteForward() {
  if (selLength_ == 0) {
    if (selStart_ >= length()) return;
    selLength_ = 1;
  }
  setSelText({});
}

void TextBox::userSelect(int start, int length) {
  start = std::clamp(start, 0, this->length());
  length = std::clamp(length, 0, this->length() - start);
  if (start == selStart_ && length == selLength_) return;
  selStart_ = start;
  selLength_ = length;
  notify(Prop::Selection);
}

Button::Button(Window& window, std::string name, Rect geometry, std::string caption)
    : Control(window, Kind::Button, std::move(name), geometry), caption_(std::move(caption)) {}

void Button::setCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  notify(Prop::Caption);
}

void Button::click() {
  if (Click) Click();
}

void Button::keyDown(int keyCode, int shift) {
  if (KeyDown) KeyDown(keyCode, shift);
  if ((keyCode == kKeyReturn || keyCode == kKeySpace) && enabled() && visible()) click();
}

OptionButton::OptionButton(Window& window, std::string name, Rect geometry, std::string caption)
    : Control(window, Kind::OptionButton, std::move(name), geometry),
      caption_(std::move(caption)) {}

void OptionButton::setValue(bool selected) {
  if (selected) {
    if (!value_) select(true);
    return;
  }
  if (!value_) return;
  value_ = false;
  notify(Prop::Value);
}

void OptionButton::userClick() {
  select(true);
}

void OptionButton::select(bool runClick) {
  for (Control* other : window().controls()) {
    if (other == this || other->kind() != Kind::OptionButton) continue;
    auto* option = static_cast<OptionButton*>(other);
    if (option->value_) {
      option->value_ = false;
      option->notify(Prop::Value);
    }
  }
  const bool changed = !value_;
  value_ = true;
  if (changed) notify(Prop::Value);
  if (runClick && Click) Click();
}

HScrollBar::HScrollBar(Window& window, std::string name, Rect geometry, int min, int max, int value)
    : Control(window, Kind::HScrollBar, std::move(name), geometry),
      min_(min),
      max_(max),
      value_(value) {}

void HScrollBar::setValue(int value) {
  value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
  if (value == value_) return;
  value_ = value;
  notify(Prop::Value);
  if (Change) Change();
}

PictureBox::PictureBox(Window& window, std::string name, Rect geometry, Color backColor)
    : Control(window, Kind::PictureBox, std::move(name), geometry), backColor_(backColor) {}

Line::Line(Window& window, std::string name, Rect geometry, Color color)
    : Control(window, Kind::Line, std::move(name), geometry), color_(color) {}

}  // namespace kestrava::form
