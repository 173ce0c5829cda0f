#include "ui/window_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace kestrava::ui {
namespace {

constexpr QChar kShownCarriageReturn(0x200B);  // zero-width space

QColor toQColor(form::Color c, const QPalette& palette) {
  if (form::isSystemColor(c)) {
    switch (c) {
      case form::kSystemWindow:
        return palette.color(QPalette::Base);
      case form::kSystemWindowText:
        return palette.color(QPalette::Text);
      default:
        return palette.color(QPalette::Button);
    }
  }
  return QColor(form::redOf(c), form::greenOf(c), form::blueOf(c));
}

// "MS Sans Serif" is not on a Linux desktop: Liberation Sans (Arial's widths, close to the
// designed font's) takes its place, DejaVu Sans where that is missing too.
QFont toQFont(const form::Font& f) {
  QFont font;
  font.setFamilies(
      {QString::fromStdString(f.family), "Liberation Sans", "Arial", "DejaVu Sans", "Sans Serif"});
  font.setPointSizeF(f.points);
  font.setBold(f.bold);
  return font;
}

void paintBackground(QWidget* w, form::Color color) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, toQColor(color, p));
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

// Control characters of a label's caption (a state cell's trailing CR) show as blanks.
QString captionText(const std::string& caption) {
  QString s = QString::fromLatin1(caption);
  for (QChar& ch : s) {
    if (ch.unicode() < 32) ch = ' ';
  }
  return s;
}

// Shows a chosen character in a password box instead of the style's bullet.
class PasswordStyle : public QProxyStyle {
 public:
  explicit PasswordStyle(char c) : c_(c) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* ret) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return c_;
    return QProxyStyle::styleHint(hint, option, widget, ret);
  }

 private:
  char c_;
};

// Key code of a key-down event, as the windows' handlers expect it.
int keyCodeOf(const QKeyEvent* e) {
  const int key = e->key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return form::kKeyReturn;
    case Qt::Key_Backspace:
      return form::kKeyBack;
    case Qt::Key_Tab:
      return form::kKeyTab;
    case Qt::Key_Escape:
      return form::kKeyEscape;
    case Qt::Key_Delete:
      return form::kKeyDelete;
    case Qt::Key_Space:
      return 32;
    default:
      break;
  }
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
    return key;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F16) return 112 + (key - Qt::Key_F1);
  return 0;
}

// Character code of a key press: Latin-1 only, 0 when the key gives no such character.
int keyAsciiOf(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Escape:
      return 27;
    default:
      break;
  }
  const QString text = e->text();
  if (text.size() != 1) return 0;
  const char16_t u = text[0].unicode();
  return u <= 255 ? u : 0;
}

int shiftOf(const QKeyEvent* e) {
  const auto m = e->modifiers();
  return (m & Qt::ShiftModifier ? form::kShiftMask : 0) |
         (m & Qt::ControlModifier ? form::kCtrlMask : 0) |
         (m & Qt::AltModifier ? form::kAltMask : 0);
}

bool isNavigationKey(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return true;
    default:
      return false;
  }
}

}  // namespace

QString toDisplay(std::string_view text, bool multiLine) {
  QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  for (QChar& ch : s) {
    if (ch == '\r' || (!multiLine && ch == '\n')) ch = kShownCarriageReturn;
  }
  return s;
}

std::string fromDisplay(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar ch : text) {
    const char16_t u = ch.unicode();
    if (u == kShownCarriageReturn.unicode()) {
      out.push_back('\r');
    } else if (u == QChar::ParagraphSeparator || u == QChar::LineSeparator) {
      out.push_back('\n');
    } else if (u <= 255) {
      out.push_back(static_cast<char>(u));
    } else {
      out.push_back('?');
    }
  }
  return out;
}

WindowView::WindowView(form::Application& app, form::Window& window)
    : QWidget(nullptr), app_(app), window_(window) {
  setObjectName(QString::fromStdString(window.name()));
  flushTimer_.setSingleShot(true);
  flushTimer_.setInterval(kFrameMs);
  connect(&flushTimer_, &QTimer::timeout, this, [this] {
    if (!detached_) flushAll();
  });
  build();
}

WindowView::~WindowView() {
  detach();
}

void WindowView::detach() {
  if (detached_) return;
  detached_ = true;
  flushTimer_.stop();
  dirty_.clear();
  for (auto& undo : disconnects_) undo();
  disconnects_.clear();
}

QWidget* WindowView::widgetFor(const form::Control& control) const {
  auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second;
}

void WindowView::userAction(const std::function<void()>& action) {
  if (detached_) return;
  app_.dispatch(action);
}

void WindowView::build() {
  setWindowTitle(QString::fromLatin1(window_.caption()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  client_ = new QWidget(this);
  client_->setObjectName("client");
  client_->setFont(toQFont(window_.font()));
  paintBackground(client_, window_.backColor());
  client_->setMinimumSize(px(window_.clientWidth()), px(window_.clientHeight()));
  layout->addWidget(client_);
  buildMenus();

  for (form::Control* control : window_.controls()) {
    QWidget* w = makeWidget(*control);
    w->setObjectName(QString::fromStdString(control->name()));
    const form::Rect& g = control->geometry();
    w->setGeometry(px(g.left), px(g.top), std::max(1, px(g.width)), std::max(1, px(g.height)));
    if (control->font()) w->setFont(toQFont(*control->font()));
    w->setVisible(control->visible());
    w->setEnabled(control->enabled());
    w->installEventFilter(this);
    widgets_[control] = w;
    controls_[w] = control;
    const std::size_t id =
        control->changed.connect([this, control](form::Prop p) { mirror(*control, p); });
    disconnects_.push_back([control, id] { control->changed.disconnect(id); });
  }

  // Tab order and label access keys follow the designed tab indexes.
  std::vector<form::Control*> ordered(window_.controls().begin(), window_.controls().end());
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](auto* a, auto* b) { return a->tabIndex() < b->tabIndex(); });
  QWidget* previous = nullptr;
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    form::Control* c = ordered[i];
    if (c->focusable()) {
      if (previous) QWidget::setTabOrder(previous, widgets_[c]);
      previous = widgets_[c];
    } else if (c->kind() == form::Kind::Label) {
      for (std::size_t j = i + 1; j < ordered.size(); ++j) {
        if (ordered[j]->focusable()) {
          static_cast<QLabel*>(widgets_[c])->setBuddy(widgets_[ordered[j]]);
          break;
        }
      }
    }
  }
  const bool anyFocusable = std::any_of(window_.controls().begin(), window_.controls().end(),
                                        [](auto* c) { return c->focusable(); });
  if (!anyFocusable) setFocusPolicy(Qt::StrongFocus);

  if (window_.borderStyle() == form::BorderStyle::Fixed) {
    setFixedSize(sizeHint());
  } else {
    resize(sizeHint());
  }

  const std::size_t wid = window_.changed.connect([this](form::Prop p) {
    if (p == form::Prop::Caption) setWindowTitle(QString::fromLatin1(window_.caption()));
    if (p == form::Prop::Visible) setShown(window_.shown());
  });
  const std::size_t rid = window_.raiseRequested.connect([this] {
    raise();
    activateWindow();
  });
  disconnects_.push_back([this, wid, rid] {
    window_.changed.disconnect(wid);
    window_.raiseRequested.disconnect(rid);
  });
  if (window_.shown()) setShown(true);
}

void WindowView::buildMenus() {
  const auto& top = window_.menuBar().items();
  if (top.empty()) return;
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName("menuBar");
  static_cast<QVBoxLayout*>(layout())->setMenuBar(menuBar_);
  auto bind = [this](form::MenuItem& item, QAction* action, bool checkable) {
    action->setObjectName(QString::fromStdString(item.name()));
    action->setCheckable(checkable);
    auto sync = [&item, action] {
      action->setEnabled(item.enabled());
      action->setChecked(item.checked());
    };
    sync();
    const std::size_t id = item.changed.connect(sync);
    disconnects_.push_back([&item, id] { item.changed.disconnect(id); });
    connect(action, &QAction::triggered, this, [this, &item, sync] {
      userAction([&item] { item.click(); });
      if (!detached_) sync();
    });
  };
  for (const auto& item : top) {
    if (item->items().empty()) {
      bind(*item, menuBar_->addAction(QString::fromLatin1(item->caption())), false);
      continue;
    }
    QMenu* menu = menuBar_->addMenu(QString::fromLatin1(item->caption()));
    menu->setObjectName(QString::fromStdString(item->name()));
    menu->menuAction()->setObjectName(QString::fromStdString(item->name()));
    for (const auto& child : item->items()) {
      if (child->isSeparator()) {
        menu->addSeparator()->setObjectName(QString::fromStdString(child->name()));
      } else {
        bind(*child, menu->addAction(QString::fromLatin1(child->caption())), true);
      }
    }
  }
}

QWidget* WindowView::makeWidget(form::Control& control) {
  switch (control.kind()) {
    case form::Kind::Label: {
      auto& label = static_cast<form::Label&>(control);
      auto* w = new QLabel(client_);
      w->setTextFormat(Qt::PlainText);
      w->setText(captionText(label.caption()));
      if (label.border()) w->setFrameStyle(QFrame::Box | QFrame::Plain);
      paintBackground(w, label.backColor());
      if (label.foreColor() != 0) {
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, toQColor(label.foreColor(), p));
        w->setPalette(p);
      }
      return w;
    }
    case form::Kind::TextBox: {
      auto& box = static_cast<form::TextBox&>(control);
      if (box.multiLine()) {
        auto* w = new QPlainTextEdit(client_);
        w->setUndoRedoEnabled(false);
        w->setLineWrapMode(box.scrollBars() ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        w->setVerticalScrollBarPolicy(box.scrollBars() ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAsNeeded);
        w->setHorizontalScrollBarPolicy(box.scrollBars() ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAlwaysOff);
        w->setContextMenuPolicy(Qt::NoContextMenu);
        w->setAcceptDrops(false);
        w->viewport()->installEventFilter(this);
        w->setPlainText(toDisplay(box.text(), true));
        follow(box, w);
        return w;
      }
      auto* w = new QLineEdit(client_);
      w->setContextMenuPolicy(Qt::NoContextMenu);
      w->setDragEnabled(false);
      w->setAcceptDrops(false);
      if (box.passwordChar()) {
        auto* style = new PasswordStyle(box.passwordChar());
        style->setParent(w);
        w->setStyle(style);
        w->setEchoMode(QLineEdit::Password);
      }
      w->setText(toDisplay(box.text(), false));
      follow(box, w);
      return w;
    }
    case form::Kind::Button: {
      auto& button = static_cast<form::Button&>(control);
      auto* w = new QPushButton(QString::fromLatin1(button.caption()), client_);
      w->setAutoDefault(false);
      connect(w, &QPushButton::clicked, this,
              [this, &button] { userAction([&button] { button.click(); }); });
      return w;
    }
    case form::Kind::OptionButton: {
      auto& option = static_cast<form::OptionButton&>(control);
      auto* w = new QRadioButton(QString::fromLatin1(option.caption()), client_);
      w->setAutoExclusive(false);
      w->setChecked(option.value());
      connect(w, &QRadioButton::clicked, this, [this, &option, w] {
        userAction([&option] { option.userClick(); });
        if (!detached_) {
          ++applying_;
          w->setChecked(option.value());
          --applying_;
        }
      });
      return w;
    }
    case form::Kind::HScrollBar: {
      auto& bar = static_cast<form::HScrollBar&>(control);
      auto* w = new QScrollBar(Qt::Horizontal, client_);
      w->setRange(std::min(bar.min(), bar.max()), std::max(bar.min(), bar.max()));
      w->setInvertedAppearance(bar.min() > bar.max());
      w->setInvertedControls(bar.min() > bar.max());
      w->setSingleStep(bar.smallChange());
      w->setPageStep(bar.largeChange());
      w->setValue(bar.value());
      connect(w, &QScrollBar::valueChanged, this, [this, &bar](int v) {
        if (!applying_) userAction([&bar, v] { bar.setValue(v); });
      });
      return w;
    }
    case form::Kind::PictureBox: {
      auto* w = new QFrame(client_);
      paintBackground(w, static_cast<form::PictureBox&>(control).backColor());
      return w;
    }
    case form::Kind::Line: {
      auto* w = new QFrame(client_);
      paintBackground(w, static_cast<form::Line&>(control).color());
      return w;
    }
  }
  return new QWidget(client_);
}

void WindowView::mirror(form::Control& control, form::Prop prop) {
  QWidget* w = widgetFor(control);
  if (!w || detached_) return;
  ++applying_;
  switch (prop) {
    case form::Prop::Visible:
      if (control.visible() && control.kind() == form::Kind::TextBox) {
        flush(static_cast<form::TextBox&>(control));
      }
      w->setVisible(control.visible());
      break;
    case form::Prop::Enabled:
      w->setEnabled(control.enabled());
      break;
    case form::Prop::Caption:
      if (control.kind() == form::Kind::Label) {
        static_cast<QLabel*>(w)->setText(captionText(static_cast<form::Label&>(control).caption()));
      } else if (control.kind() == form::Kind::Button) {
        static_cast<QPushButton*>(w)->setText(
            QString::fromLatin1(static_cast<form::Button&>(control).caption()));
      }
      break;
    case form::Prop::BackColor:
      if (control.kind() == form::Kind::Label) {
        paintBackground(w, static_cast<form::Label&>(control).backColor());
      }
      break;
    case form::Prop::Value:
      if (control.kind() == form::Kind::OptionButton) {
        static_cast<QRadioButton*>(w)->setChecked(
            static_cast<form::OptionButton&>(control).value());
      } else if (control.kind() == form::Kind::HScrollBar) {
        static_cast<QScrollBar*>(w)->setValue(static_cast<form::HScrollBar&>(control).value());
      }
      break;
    case form::Prop::Selection:
      if (control.kind() == form::Kind::TextBox) {
        markDirty(static_cast<form::TextBox&>(control));
      }
      break;
    case form::Prop::Focus:
      if (control.hasFocus() && !w->hasFocus()) w->setFocus(Qt::OtherFocusReason);
      break;
    default:
      break;
  }
  --applying_;
}

// A text widget shows its box's text: the user's caret and selection go to the core, the core's
// edits come back once a frame.
template <class Edit>
void WindowView::follow(form::TextBox& box, Edit* w) {
  shown_[&box] = box.text();
  auto sync = [this, &box] {
    if (!applying_) syncSelectionFromWidget(box);
  };
  connect(w, &Edit::cursorPositionChanged, this, sync);
  connect(w, &Edit::selectionChanged, this, sync);
  const std::size_t id =
      box.edited.connect([this, &box](const form::TextEdit&) { markDirty(box); });
  disconnects_.push_back([&box, id] { box.edited.disconnect(id); });
}

void WindowView::markDirty(form::TextBox& box) {
  dirty_.insert(&box);
  // A hidden box catches up when it is shown; a visible one with the next frame.
  if (isVisible() && !flushTimer_.isActive()) flushTimer_.start();
}

void WindowView::flushAll() {
  std::set<form::TextBox*> hidden;
  for (form::TextBox* box : std::exchange(dirty_, {})) {
    if (box->visible()) {
      syncText(*box);
    } else {
      hidden.insert(box);  // caught up when it is shown
    }
  }
  dirty_.merge(hidden);
}

void WindowView::flush(form::TextBox& box) {
  if (dirty_.erase(&box)) syncText(box);
}

// Brings the widget's text to the box's with one replacement between the common head and tail
// of what it shows and what the core holds, then shows the core's selection.
void WindowView::syncText(form::TextBox& box) {
  QWidget* w = widgetFor(box);
  if (!w || detached_) return;
  std::string& shown = shown_[&box];
  const std::string& text = box.text();
  ++applying_;
  if (shown != text) {
    const std::size_t limit = std::min(shown.size(), text.size());
    std::size_t head = 0;
    while (head < limit && shown[head] == text[head]) ++head;
    std::size_t tail = 0;
    while (tail < limit - head && shown[shown.size() - 1 - tail] == text[text.size() - 1 - tail]) {
      ++tail;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
      QTextCursor cursor(plain->document());
      cursor.setPosition(static_cast<int>(head));
      cursor.setPosition(static_cast<int>(shown.size() - tail), QTextCursor::KeepAnchor);
      cursor.insertText(
          toDisplay(std::string_view(text).substr(head, text.size() - head - tail), true));
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
      line->setText(toDisplay(text, false));
    }
    shown = text;
  }
  showSelection(box);
  --applying_;
}

void WindowView::showSelection(form::TextBox& box) {
  QWidget* w = widgetFor(box);
  const int start = box.selStart();
  const int end = start + box.selLength();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    QTextCursor cursor = plain->textCursor();
    if (cursor.anchor() == start && cursor.position() == end) return;
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    plain->setTextCursor(cursor);
  } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
    if (box.selLength() > 0) {
      line->setSelection(start, box.selLength());
    } else {
      line->setCursorPosition(start);
    }
  }
}

void WindowView::syncSelectionFromWidget(form::TextBox& box) {
  QWidget* w = widgetFor(box);
  int start = 0;
  int length = 0;
  if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    const QTextCursor c = plain->textCursor();
    start = c.selectionStart();
    length = c.selectionEnd() - c.selectionStart();
  } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
    start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
    length = line->hasSelectedText() ? static_cast<int>(line->selectedText().size()) : 0;
  }
  userAction([&box, start, length] { box.userSelect(start, length); });
}

bool WindowView::routeKey(form::Control* control, QKeyEvent* e) {
  const int key = e->key();
  const auto mods = e->modifiers();
  if (mods & Qt::AltModifier) return false;  // access keys are the toolkit's
  const int code = keyCodeOf(e);
  const int ascii = keyAsciiOf(e);
  const bool enterOrEscape = code == form::kKeyReturn || code == form::kKeyEscape;

  if (control && control->kind() == form::Kind::TextBox) {
    auto& box = *static_cast<form::TextBox*>(control);
    if (isNavigationKey(key)) return false;
    if (mods & Qt::ControlModifier) {
      if (key == Qt::Key_C || key == Qt::Key_A || key == Qt::Key_Insert) return false;
      if (key == Qt::Key_V) {
        const std::string text = fromDisplay(QApplication::clipboard()->text());
        userAction([&box, text] { box.paste(text); });
      } else if (key == Qt::Key_X && box.selLength() > 0) {
        QApplication::clipboard()->setText(toDisplay(box.selText(), box.multiLine()));
        userAction([&box] { box.paste({}); });
      }
      return true;  // no other editing shortcut may change the text behind the core's back
    }
    if (code == form::kKeyDelete) {
      userAction([&box] {
        box.keyDown(form::kKeyDelete, 0);
        box.deleteForward();
      });
      return true;
    }
    const int shift = shiftOf(e);
    userAction(
        [this, control, code, shift, ascii] { window_.pressKey(control, code, shift, ascii); });
    return true;
  }
  if (control && control->kind() == form::Kind::Button) {
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
    // Every key goes to the button's key-down handling, which clicks on Enter and Space.
    const int shift = shiftOf(e);
    userAction(
        [this, control, code, shift, ascii] { window_.pressKey(control, code, shift, ascii); });
    return true;
  }
  if (enterOrEscape || (!control && ascii > 0)) {
    const int shift = shiftOf(e);
    userAction(
        [this, control, code, shift, ascii] { window_.pressKey(control, code, shift, ascii); });
    return true;
  }
  return false;
}

bool WindowView::eventFilter(QObject* watched, QEvent* event) {
  if (detached_) return QWidget::eventFilter(watched, event);
  QObject* target = watched;
  // The viewport of a multi-line box stands for the box.
  if (!controls_.count(target) && watched->parent() && controls_.count(watched->parent())) {
    target = watched->parent();
  }
  auto it = controls_.find(target);
  if (it == controls_.end()) return QWidget::eventFilter(watched, event);
  form::Control* control = it->second;
  // The user acts on what the core holds: catch the box up first.
  if (control->kind() == form::Kind::TextBox &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress ||
       event->type() == QEvent::FocusIn)) {
    flush(*static_cast<form::TextBox*>(control));
  }
  switch (event->type()) {
    case QEvent::KeyPress:
      if (watched == target) return routeKey(control, static_cast<QKeyEvent*>(event));
      break;
    case QEvent::KeyRelease:
      // A button clicks itself when Space is released; the core has clicked it already.
      if (control->kind() == form::Kind::Button) return true;
      break;
    case QEvent::FocusIn:
      if (watched == target && !control->hasFocus()) {
        userAction([control] { control->setFocus(); });
      }
      break;
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (control->kind() == form::Kind::PictureBox) {
        auto* picture = static_cast<form::PictureBox*>(control);
        userAction([picture] { picture->click(); });
        return true;
      }
      if (mouse->button() == Qt::MiddleButton) return true;  // no selection paste
      break;
    }
    case QEvent::Drop:
      return true;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void WindowView::mousePressEvent(QMouseEvent* event) {
  userAction([this] { window_.click(); });
  QWidget::mousePressEvent(event);
}

void WindowView::keyPressEvent(QKeyEvent* event) {
  if (!routeKey(nullptr, event)) QWidget::keyPressEvent(event);
}

void WindowView::closeEvent(QCloseEvent* event) {
  if (detached_) {
    event->accept();
    return;
  }
  // The core decides: the window may refuse (the close sequence's Abort) or end the program.
  event->ignore();
  userAction([this] { app_.userClose(window_); });
}

void WindowView::setShown(bool shown) {
  if (shown) {
    flushAll();
    show();
    raise();
    activateWindow();
    if (form::Control* active = window_.activeControl()) {
      if (QWidget* w = widgetFor(*active)) w->setFocus(Qt::OtherFocusReason);
    }
  } else {
    hide();
  }
}

Views::Views(form::Application& app) : app_(app) {}

Views::~Views() {
  for (auto& [window, view] : views_) {
    view->detach();
    delete view;
  }
}

void Views::windowLoaded(form::Window& window) {
  views_[&window] = new WindowView(app_, window);
}

void Views::windowUnloaded(form::Window& window) {
  auto it = views_.find(&window);
  if (it == views_.end()) return;
  WindowView* view = it->second;
  views_.erase(it);
  view->detach();
  view->hide();
  view->deleteLater();
}

void Views::windowRefresh(form::Window& window) {
  if (WindowView* view = viewOf(window)) view->repaint();
}

WindowView* Views::viewOf(const form::Window& window) const {
  auto it = views_.find(&window);
  return it == views_.end() ? nullptr : it->second;
}

}  // namespace kestrava::ui
