#pragma once

#include <QElapsedTimer>

#include "runtime/platform.h"

namespace kestrava::ui {

// The platform on Qt: message boxes, the file dialog, timers and the event loop.
class QtPlatform : public form::Platform {
 public:
  QtPlatform();

  form::Answer messageBox(const form::MessageBoxSpec& box) override;
  form::FileDialogResult showOpenDialog(const form::FileDialogSpec& dialog) override;
  void beep() override;
  void processEvents() override;
  std::int64_t nowMs() override { return clock_.elapsed(); }
  std::unique_ptr<form::TimerBackend> createTimer(std::function<void()> tick) override;
  void quit() override;

  // "Description|pattern|Description|pattern" as a Qt name filter list.
  static QStringList nameFilters(const std::string& filter);

 private:
  QElapsedTimer clock_;
};

}  // namespace kestrava::ui
