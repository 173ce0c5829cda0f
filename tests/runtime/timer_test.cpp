#include <gtest/gtest.h>

#include <vector>

#include "runtime/application.h"
#include "runtime/testing/virtual_platform.h"

namespace kestrava::form {
namespace {

struct TimerWindow : Window {
  explicit TimerWindow(Application& app) : Window(app, "W", "W") {}
  Timer a{*this, "a", 8000};
  Timer b{*this, "b", 250};
};

class TimerTest : public ::testing::Test {
 protected:
  testing::VirtualPlatform platform;
  Application app{platform};
  TimerWindow& w = app.load<TimerWindow>([this] { return std::make_unique<TimerWindow>(app); });
  std::vector<std::pair<std::string, std::int64_t>> ticks;
  void SetUp() override {
    w.a.Tick = [this] { ticks.emplace_back("a", platform.nowMs()); };
    w.b.Tick = [this] { ticks.emplace_back("b", platform.nowMs()); };
  }
  std::vector<std::int64_t> times(const std::string& name) const {
    std::vector<std::int64_t> t;
    for (const auto& [n, at] : ticks) {
      if (n == name) t.push_back(at);
    }
    return t;
  }
};

TEST_F(TimerTest, ACycleTimerTicksOncePerIntervalAcrossOneLongAdvance) {
  w.a.setEnabled(true);
  platform.advance(32000);
  EXPECT_EQ(times("a"), (std::vector<std::int64_t>{8000, 16000, 24000, 32000}));
}

TEST_F(TimerTest, NothingFiresBeforeTheDeadline) {
  w.b.setEnabled(true);
  platform.advance(249);
  EXPECT_TRUE(ticks.empty());
  platform.advance(1);
  EXPECT_EQ(times("b"), (std::vector<std::int64_t>{250}));
}

TEST_F(TimerTest, IntervalZeroMeansNoTicksUntilAnIntervalIsSet) {
  w.b.setInterval(0);
  w.b.setEnabled(true);
  platform.advance(5000);
  EXPECT_TRUE(ticks.empty());
  w.b.setInterval(100);
  platform.advance(250);
  EXPECT_EQ(times("b"), (std::vector<std::int64_t>{5100, 5200}));
}

TEST_F(TimerTest, EnablingAnEnabledTimerKeepsItsCount) {
  w.b.setEnabled(true);
  platform.advance(200);
  w.b.setEnabled(true);  // already on: no restart
  platform.advance(50);
  EXPECT_EQ(times("b"), (std::vector<std::int64_t>{250}));
}

TEST_F(TimerTest, DisablingAndEnablingAgainRestartsTheCount) {
  w.b.setEnabled(true);
  platform.advance(200);
  w.b.setEnabled(false);
  w.b.setEnabled(true);
  platform.advance(300);
  EXPECT_EQ(times("b"), (std::vector<std::int64_t>{450}));
}

TEST_F(TimerTest, ATickThatStopsItsTimerIsTheLast) {
  w.b.Tick = [this] {
    ticks.emplace_back("b", platform.nowMs());
    w.b.setEnabled(false);
  };
  w.b.setEnabled(true);
  platform.advance(2000);
  EXPECT_EQ(times("b"), (std::vector<std::int64_t>{250}));
}

TEST_F(TimerTest, TimersFireInDeadlineOrderAndTiesInArmingOrder) {
  w.a.setInterval(500);
  w.b.setInterval(500);
  w.b.setEnabled(true);
  w.a.setEnabled(true);
  platform.advance(1000);
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_EQ(ticks[0].first, "b");
  EXPECT_EQ(ticks[1].first, "a");
  EXPECT_EQ(ticks[2].first, "b");
  EXPECT_EQ(ticks[3].first, "a");
}

TEST_F(TimerTest, ABusyProgramGetsOneLateTickForTheOnesItMissed) {
  w.b.setEnabled(true);
  platform.advance(250);
  platform.stall(700);  // 500 and 750 come due while busy
  platform.advance(1);
  platform.advance(300);
  EXPECT_EQ(times("b"), (std::vector<std::int64_t>{250, 950, 1000, 1250}));
}

TEST_F(TimerTest, AnUnloadedWindowsTimersStop) {
  w.b.setEnabled(true);
  app.unload(w);
  platform.advance(1000);
  EXPECT_TRUE(ticks.empty());
}

}  // namespace
}  // namespace kestrava::form
