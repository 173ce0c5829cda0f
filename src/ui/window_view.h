#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "runtime/application.h"
#include "runtime/window.h"

class QMenuBar;
class QAction;

namespace kestrava::ui {

inline constexpr int kTwipsPerPixel = 15;
inline int px(int twips) {
  return twips / kTwipsPerPixel;
}

// Text of the core (one byte per character) as shown in a widget, one character for one, so
// that positions agree: a carriage return becomes a zero-width space (Qt would take it for a
// line break), a line feed the widget's line break.
QString toDisplay(std::string_view text, bool multiLine);
std::string fromDisplay(const QString& text);

// The Qt window that mirrors one core window: a widget for every control at its designed
// place, the menu bar, caption and visibility. It shows what the core holds and forwards what
// the user does; it decides nothing.
class WindowView : public QWidget {
  Q_OBJECT

 public:
  WindowView(form::Application& app, form::Window& window);
  ~WindowView() override;

  form::Window& window() const { return window_; }
  // Stops mirroring: the core window is going away.
  void detach();
  QWidget* widgetFor(const form::Control& control) const;
  // Brings every text widget up to its box now (they follow with the next frame otherwise).
  void flushAll();

  // Text widgets follow their boxes at most this often: a terminal fed hundreds of chunks a
  // second is laid out and painted once a frame, not once a chunk.
  static constexpr int kFrameMs = 16;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void build();
  void buildMenus();
  QWidget* makeWidget(form::Control& control);
  void mirror(form::Control& control, form::Prop prop);
  template <class Edit>
  void follow(form::TextBox& box, Edit* widget);
  void markDirty(form::TextBox& box);
  void flush(form::TextBox& box);
  void syncText(form::TextBox& box);
  void showSelection(form::TextBox& box);
  void syncSelectionFromWidget(form::TextBox& box);
  bool routeKey(form::Control* control, QKeyEvent* event);
  void userAction(const std::function<void()>& action);
  void setShown(bool shown);

  form::Application& app_;
  form::Window& window_;
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::map<const form::Control*, QWidget*> widgets_;
  std::map<QObject*, form::Control*> controls_;
  std::vector<std::function<void()>> disconnects_;
  std::set<form::TextBox*> dirty_;                     // boxes whose widgets are behind
  std::map<const form::TextBox*, std::string> shown_;  // what each text widget shows
  QTimer flushTimer_;
  int applying_ = 0;  // >0 while the view itself changes widgets
  bool detached_ = false;
};

// Builds and drops the views as the core loads and unloads its windows.
class Views : public form::WindowObserver {
 public:
  explicit Views(form::Application& app);
  ~Views() override;

  void windowLoaded(form::Window& window) override;
  void windowUnloaded(form::Window& window) override;
  void windowRefresh(form::Window& window) override;

  WindowView* viewOf(const form::Window& window) const;

 private:
  form::Application& app_;
  std::map<const form::Window*, WindowView*> views_;
};

}  // namespace kestrava::ui
