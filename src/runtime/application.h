#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "files.h"
#include "platform.h"
#include "window.h"

namespace kestrava::form {

// Thrown when the program ends, so that the handler that ended it stops at once. It never
// leaves Application::dispatch.
struct ProgramEnded {};

inline constexpr const char* kAppTitle = "Kestrava";

// The view side of the program: told when a window comes into being and when it goes, so that
// it can build and drop the widgets that mirror it.
class WindowObserver {
 public:
  virtual ~WindowObserver() = default;
  virtual void windowLoaded(Window& window) = 0;
  virtual void windowUnloaded(Window& window) = 0;
  // Paint the window now, before any further event is handled.
  virtual void windowRefresh(Window& window) = 0;
};

// Runs the windows: loads and unloads them (one instance of each kind), is the single entry for
// every event the platform delivers, wraps the platform services the handlers use, and ends the
// program.
class Application {
 public:
  explicit Application(Platform& platform);
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Platform& platform() const { return platform_; }
  void setObserver(WindowObserver* observer) { observer_ = observer; }

  // Every event from the platform (tick, port event, user action) runs through here. Nothing
  // runs once the program has ended.
  template <class F>
  void dispatch(F&& handler) {
    if (ended_) return;
    ++depth_;
    try {
      handler();
    } catch (const ProgramEnded&) {
    }
    if (--depth_ == 0) graveyard_.clear();
  }

  // The window of type T, or null when it is not loaded.
  template <class T>
  T* find() const {
    for (const auto& w : windows_) {
      if (auto* t = dynamic_cast<T*>(w.get())) return t;
    }
    return nullptr;
  }
  // The window of type T, loaded first (made by `make`, then its Form_Load) if it is not.
  template <class T, class Make>
  T& load(Make make) {
    if (T* existing = find<T>()) return *existing;
    std::unique_ptr<T> made = make();
    T& window = *made;
    adopt(std::move(made));
    return window;
  }
  // Shows a loaded window; one that is shown already is brought forward.
  void show(Window& window);
  // Unloads a window: its Form_Unload runs and may cancel. True when the window is gone.
  bool unload(Window& window);
  // The user closed the window by its frame. When no window is left, the program ends.
  void userClose(Window& window);
  int shownWindowCount() const;
  void refresh(Window& window);

  // Platform services as the handlers use them. A box without a title carries the program's.
  Answer msgBox(std::string text, Buttons buttons = Buttons::OK, Icon icon = Icon::None,
                std::string title = {});
  FileDialogResult showOpenDialog(const FileDialogSpec& dialog);
  void beep() { platform_.beep(); }
  void doEvents();
  std::int64_t nowMs() { return platform_.nowMs(); }
  // Files by number, shared by all windows.
  Files& files() { return files_; }

  // Ends the program at once: every window goes without running its close handling, the
  // event loop stops, and the running handler unwinds.
  [[noreturn]] void endProgram();
  bool ended() const { return ended_; }

 private:
  void adopt(std::unique_ptr<Window> window);
  void throwIfEnded() const;

  Platform& platform_;
  Files files_;
  WindowObserver* observer_ = nullptr;
  std::vector<std::unique_ptr<Window>> windows_;
  std::vector<std::unique_ptr<Window>> graveyard_;
  int depth_ = 0;
  bool ended_ = false;
};

}  // namespace kestrava::form
