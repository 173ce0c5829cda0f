#include "application.h"

#include <algorithm>

namespace kestrava::form {

Application::Application(Platform& platform) : platform_(platform) {}

Application::~Application() = default;

void Application::adopt(std::unique_ptr<Window> window) {
  Window& w = *window;
  windows_.push_back(std::move(window));
  w.loaded_ = true;
  if (observer_) observer_->windowLoaded(w);
  w.Form_Load();
}

void Application::show(Window& window) {
  throwIfEnded();
  if (window.shown()) {
    window.raiseRequested.fire();
    return;
  }
  window.setShown(true);
  if (!window.activeControl()) window.focusFirst();
}

bool Application::unload(Window& window) {
  throwIfEnded();
  if (!window.loaded()) return true;
  bool cancel = false;
  window.Form_Unload(cancel);
  if (cancel) return false;
  for (Timer* t : window.timers()) t->setEnabled(false);
  window.setShown(false);
  window.loaded_ = false;
  if (observer_) observer_->windowUnloaded(window);
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [&](const auto& w) { return w.get() == &window; });
  if (it != windows_.end()) {
    // The window may be running one of its own handlers: it is destroyed once the current
    // event has been handled.
    graveyard_.push_back(std::move(*it));
    windows_.erase(it);
  }
  if (depth_ == 0) graveyard_.clear();
  return true;
}

void Application::userClose(Window& window) {
  if (unload(window) && shownWindowCount() == 0) endProgram();
}

int Application::shownWindowCount() const {
  return static_cast<int>(
      std::count_if(windows_.begin(), windows_.end(), [](const auto& w) { return w->shown(); }));
}

void Application::refresh(Window& window) {
  if (observer_) observer_->windowRefresh(window);
}

Answer Application::msgBox(std::string text, Buttons buttons, Icon icon, std::string title) {
  throwIfEnded();
  MessageBoxSpec box{std::move(text), std::move(title), buttons, icon};
  if (box.title.empty()) box.title = kAppTitle;
  const Answer answer = platform_.messageBox(box);
  throwIfEnded();
  return answer;
}

FileDialogResult Application::showOpenDialog(const FileDialogSpec& dialog) {
  throwIfEnded();
  FileDialogResult result = platform_.showOpenDialog(dialog);
  throwIfEnded();
  return result;
}

void Application::doEvents() {
  throwIfEnded();
  platform_.processEvents();
  throwIfEnded();
}

void Application::endProgram() {
  if (!ended_) {
    ended_ = true;
    for (const auto& w : windows_) {
      for (Timer* t : w->timers()) t->setEnabled(false);
      if (observer_) observer_->windowUnloaded(*w);
    }
    platform_.quit();
  }
  throw ProgramEnded{};
}

void Application::throwIfEnded() const {
  if (ended_) throw ProgramEnded{};
}

}  // namespace kestrava::form
