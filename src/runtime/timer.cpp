#include "timer.h"

#include "application.h"
#include "window.h"

namespace kestrava::form {

Timer::Timer(Window& window, std::string name, int intervalMs, bool enabled)
    : window_(window), name_(std::move(name)), interval_(intervalMs), enabled_(enabled) {
  window_.add(*this);
  Application& app = window_.app();
  backend_ = app.platform().createTimer([this, &app] { app.dispatch([this] { fire(); }); });
  rearm();
}

Timer::~Timer() {
  if (backend_) backend_->stop();
}

void Timer::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  rearm();
}

void Timer::setInterval(int intervalMs) {
  if (intervalMs < 0) intervalMs = 0;
  if (interval_ == intervalMs) return;
  interval_ = intervalMs;
  rearm();
}

void Timer::rearm() {
  if (enabled_ && interval_ > 0) {
    backend_->start(interval_);
  } else {
    backend_->stop();
  }
}

void Timer::fire() {
  if (enabled_ && interval_ > 0 && Tick) Tick();
}

}  // namespace kestrava::form
