#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/platform.h"

namespace kestrava::form::testing {

// The platform of the tests: a virtual clock that fires every timer deadline in time order,
// scripted answers for message boxes and file dialogs, and a record of what was shown.
class VirtualPlatform : public Platform {
 public:
  VirtualPlatform();
  ~VirtualPlatform() override;

  // --- the clock
  std::int64_t nowMs() override { return now_; }
  // Moves time forward by `ms`, stepping to each timer deadline in turn: the clock is set to
  // it and the timer fires, so a timer that re-arms itself fires once per interval.
  void advance(std::int64_t ms);
  // Runs `action` once, `delayMs` from now, in time order with the timers (at the same time,
  // whatever was armed or scheduled first goes first). Tests use it for what the outside world
  // does: a controller's answer arriving, a key pressed.
  void schedule(std::int64_t delayMs, std::function<void()> action);
  // The program is busy for `ms`: the clock moves on and nothing fires. Timers whose ticks came
  // due meanwhile fire once, late, at the next advance, and the ticks they missed are merged,
  // as a real event loop does.
  void stall(std::int64_t ms) { now_ += ms; }
  // How far processEvents() moves the clock, so that a loop that waits inside a handler
  // (the drain wait at close) sees time pass.
  void setProcessEventsStep(std::int64_t ms) { processEventsStep_ = ms; }
  // Runs inside every processEvents(), after the clock has moved.
  std::function<void()> onProcessEvents;

  // --- message boxes
  struct ShownBox {
    MessageBoxSpec box;
    std::int64_t atMs;
    Answer answer;
  };
  // Answers for the coming boxes, in order. Without one, a box gets its first button.
  void answerNext(Answer answer) { answers_.push_back(answer); }
  // Called for each box instead of the queue when set; may run events (as a real box does).
  std::function<Answer(const MessageBoxSpec&)> onMessageBox;
  const std::vector<ShownBox>& boxes() const { return boxes_; }

  // --- file dialogs
  void answerDialog(FileDialogResult result) { dialogAnswers_.push_back(std::move(result)); }
  const std::vector<FileDialogSpec>& dialogs() const { return dialogs_; }

  int beeps() const { return beeps_; }
  bool quitCalled() const { return quit_; }

  Answer messageBox(const MessageBoxSpec& box) override;
  FileDialogResult showOpenDialog(const FileDialogSpec& dialog) override;
  void beep() override { ++beeps_; }
  void processEvents() override;
  std::unique_ptr<TimerBackend> createTimer(std::function<void()> tick) override;
  void quit() override { quit_ = true; }

 private:
  class VirtualTimer;
  friend class VirtualTimer;
  VirtualTimer* nextDue(std::int64_t until) const;
  struct Scheduled {
    std::int64_t at;
    std::uint64_t sequence;
    std::function<void()> action;
  };

  std::int64_t now_ = 0;
  std::int64_t processEventsStep_ = 10;
  std::uint64_t armSequence_ = 0;
  std::vector<VirtualTimer*> timers_;
  std::vector<Scheduled> scheduled_;
  std::deque<Answer> answers_;
  std::vector<ShownBox> boxes_;
  std::deque<FileDialogResult> dialogAnswers_;
  std::vector<FileDialogSpec> dialogs_;
  int beeps_ = 0;
  bool quit_ = false;
};

}  // namespace kestrava::form::testing
