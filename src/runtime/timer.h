#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform.h"

namespace kestrava::form {

class Window;

// A window's periodic timer. It ticks every `interval` milliseconds while enabled; an interval
// of 0 means no ticks at all. Ticks are delivered between handlers, never inside one.
//
// Enabling a timer that is already enabled changes nothing: it keeps counting from when it was
// armed (as assigning any property the value it holds changes nothing). Changing the interval
// of an enabled timer restarts its count.
class Timer {
 public:
  Timer(Window& window, std::string name, int intervalMs, bool enabled = false);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& name() const { return name_; }
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  int interval() const { return interval_; }
  void setInterval(int intervalMs);

  std::function<void()> Tick;

 private:
  void rearm();
  void fire();

  Window& window_;
  std::string name_;
  int interval_;
  bool enabled_;
  std::unique_ptr<TimerBackend> backend_;
};

}  // namespace kestrava::form
