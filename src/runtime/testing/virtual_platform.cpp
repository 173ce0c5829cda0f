#include "runtime/testing/virtual_platform.h"

#include <algorithm>

namespace kestrava::form::testing {

class VirtualPlatform::VirtualTimer : public TimerBackend {
 public:
  VirtualTimer(VirtualPlatform& platform, std::function<void()> tick)
      : platform_(platform), tick_(std::move(tick)) {
    platform_.timers_.push_back(this);
  }
  ~VirtualTimer() override {
    auto& all = platform_.timers_;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
  }
  void start(int intervalMs) override {
    active_ = true;
    interval_ = intervalMs;
    deadline_ = platform_.now_ + intervalMs;
    sequence_ = ++platform_.armSequence_;
  }
  void stop() override { active_ = false; }

  bool active_ = false;
  int interval_ = 0;
  std::int64_t deadline_ = 0;
  std::uint64_t sequence_ = 0;

  void fire() {
    // Re-arm before the tick, so that a tick that stops or restarts the timer has the last word.
    // A tick that fires late takes the place of those it missed.
    deadline_ += interval_;
    while (deadline_ <= platform_.now_) deadline_ += interval_;
    sequence_ = ++platform_.armSequence_;
    tick_();
  }

 private:
  VirtualPlatform& platform_;
  std::function<void()> tick_;
};

VirtualPlatform::VirtualPlatform() = default;
VirtualPlatform::~VirtualPlatform() = default;

VirtualPlatform::VirtualTimer* VirtualPlatform::nextDue(std::int64_t until) const {
  VirtualTimer* best = nullptr;
  for (VirtualTimer* t : timers_) {
    if (!t->active_ || t->deadline_ > until) continue;
    if (!best || t->deadline_ < best->deadline_ ||
        (t->deadline_ == best->deadline_ && t->sequence_ < best->sequence_)) {
      best = t;
    }
  }
  return best;
}

void VirtualPlatform::schedule(std::int64_t delayMs, std::function<void()> action) {
  scheduled_.push_back({now_ + delayMs, ++armSequence_, std::move(action)});
}

void VirtualPlatform::advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  while (true) {
    VirtualTimer* due = nextDue(target);
    auto next = scheduled_.end();
    for (auto it = scheduled_.begin(); it != scheduled_.end(); ++it) {
      if (it->at <= target && (next == scheduled_.end() || it->at < next->at ||
                               (it->at == next->at && it->sequence < next->sequence))) {
        next = it;
      }
    }
    const bool takeScheduled = next != scheduled_.end() &&
                               (!due || next->at < due->deadline_ ||
                                (next->at == due->deadline_ && next->sequence < due->sequence_));
    if (takeScheduled) {
      now_ = std::max(now_, next->at);
      std::function<void()> action = std::move(next->action);
      scheduled_.erase(next);
      action();
    } else if (due) {
      now_ = std::max(now_, due->deadline_);
      due->fire();
    } else {
      break;
    }
  }
  now_ = std::max(now_, target);
}

void VirtualPlatform::processEvents() {
  advance(processEventsStep_);
  if (onProcessEvents) onProcessEvents();
}

Answer VirtualPlatform::messageBox(const MessageBoxSpec& box) {
  Answer answer = Answer::OK;
  if (onMessageBox) {
    answer = onMessageBox(box);
  } else if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  } else {
    switch (box.buttons) {
      case Buttons::OK:
      case Buttons::OKCancel:
        answer = Answer::OK;
        break;
      case Buttons::YesNo:
      case Buttons::YesNoCancel:
        answer = Answer::Yes;
        break;
      case Buttons::AbortRetryIgnore:
        answer = Answer::Abort;
        break;
      case Buttons::RetryCancel:
        answer = Answer::Retry;
        break;
    }
  }
  boxes_.push_back({box, now_, answer});
  return answer;
}

FileDialogResult VirtualPlatform::showOpenDialog(const FileDialogSpec& dialog) {
  dialogs_.push_back(dialog);
  if (dialogAnswers_.empty()) return {};
  FileDialogResult result = std::move(dialogAnswers_.front());
  dialogAnswers_.pop_front();
  return result;
}

std::unique_ptr<TimerBackend> VirtualPlatform::createTimer(std::function<void()> tick) {
  return std::make_unique<VirtualTimer>(*this, std::move(tick));
}

}  // namespace kestrava::form::testing
