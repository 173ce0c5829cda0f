#include "window.h"

#include <climits>

namespace kestrava::form {

Window::Window(Application& app, std::string name, std::string caption)
    : app_(app), name_(std::move(name)), caption_(std::move(caption)) {}

void Window::setCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  changed.fire(Prop::Caption);
}

void Window::setDesign(int clientWidth, int clientHeight, BorderStyle border, Color backColor,
                       Font font) {
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  borderStyle_ = border;
  backColor_ = backColor;
  font_ = std::move(font);
}

Control* Window::find(const std::string& controlName) const {
  for (Control* c : controls_) {
    if (c->name() == controlName) return c;
  }
  return nullptr;
}

void Window::moveFocus(Control* to) {
  if (active_ == to) return;
  Control* from = active_;
  active_ = to;
  if (from) from->changed.fire(Prop::Focus);
  if (to) {
    to->changed.fire(Prop::Focus);
    if (to->GotFocus) to->GotFocus();
  }
}

void Window::focusFirst() {
  Control* first = nullptr;
  int best = INT_MAX;
  for (Control* c : controls_) {
    if (c->focusable() && c->visible() && c->enabled() && c->tabIndex() < best) {
      first = c;
      best = c->tabIndex();
    }
  }
  if (first) moveFocus(first);
}

void Window::setShown(bool shown) {
  if (shown_ == shown) return;
  shown_ = shown;
  changed.fire(Prop::Visible);
}

void Window::pressKey(Control* target, int keyCode, int shift, int keyAscii) {
  auto* box = target && target->kind() == Kind::TextBox ? static_cast<TextBox*>(target) : nullptr;
  if (target && target->kind() == Kind::Button && keyCode != kKeyEscape) {
    static_cast<Button*>(target)->keyDown(keyCode, shift);
    return;
  }
  if (keyCode == kKeyReturn && defaultButton_ && !(box && box->multiLine())) {
    if (defaultButton_->visible() && defaultButton_->enabled()) defaultButton_->click();
    return;
  }
  if (keyCode == kKeyEscape && cancelButton_) {
    if (cancelButton_->visible() && cancelButton_->enabled()) cancelButton_->click();
    return;
  }
  if (box) {
    box->keyDown(keyCode, shift);
    if (keyAscii > 0) box->keyPress(keyAscii);
    return;
  }
  if (!target && keyAscii > 0 && KeyPress) KeyPress(keyAscii);
}

}  // namespace kestrava::form
