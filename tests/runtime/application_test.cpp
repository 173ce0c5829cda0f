#include <gtest/gtest.h>

#include "runtime/application.h"
#include "runtime/testing/virtual_platform.h"

namespace kestrava::form {
namespace {

struct Probe : Window {
  Probe(Application& app, int* destroyed, std::string name = "Probe")
      : Window(app, std::move(name), "Probe"), destroyed_(destroyed) {}
  ~Probe() override {
    if (destroyed_) ++*destroyed_;
  }
  void Form_Load() override { ++loads; }
  void Form_Unload(bool& cancel) override {
    ++unloads;
    cancel = keepOpen;
  }
  int loads = 0;
  int unloads = 0;
  bool keepOpen = false;
  int* destroyed_;
  Timer timer{*this, "t", 100};
};

struct Other : Probe {
  using Probe::Probe;
};

class ApplicationTest : public ::testing::Test {
 protected:
  testing::VirtualPlatform platform;
  Application app{platform};
  int destroyed = 0;
  Probe& probe() {
    return app.load<Probe>([this] { return std::make_unique<Probe>(app, &destroyed); });
  }
};

TEST_F(ApplicationTest, OneInstancePerKindLoadedOnce) {
  Probe& first = probe();
  Probe& again = probe();
  EXPECT_EQ(&first, &again);
  EXPECT_EQ(first.loads, 1);
}

TEST_F(ApplicationTest, EndingTheProgramStopsTheRunningHandlerAndEveryLaterEvent) {
  Probe& p = probe();
  bool after = false;
  int ticks = 0;
  p.timer.Tick = [&] { ++ticks; };
  p.timer.setEnabled(true);
  app.dispatch([&] {
    app.endProgram();
    after = true;
  });
  EXPECT_FALSE(after);
  EXPECT_TRUE(app.ended());
  EXPECT_TRUE(platform.quitCalled());
  platform.advance(1000);
  EXPECT_EQ(ticks, 0);
  bool ran = false;
  app.dispatch([&] { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_EQ(p.unloads, 0) << "ending runs no window's close handling";
}

TEST_F(ApplicationTest, AnUnloadedWindowIsDestroyedOnlyAfterTheCurrentEvent) {
  app.dispatch([&] {
    Probe& p = probe();
    app.unload(p);
    EXPECT_EQ(destroyed, 0) << "its own handler may still be running";
    p.timer.setEnabled(false);
  });
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(app.find<Probe>(), nullptr);
  EXPECT_EQ(probe().loads, 1) << "showing it again loads a new one";
}

TEST_F(ApplicationTest, CancelledUnloadKeepsTheWindow) {
  Probe& p = probe();
  app.show(p);
  p.keepOpen = true;
  EXPECT_FALSE(app.unload(p));
  EXPECT_TRUE(p.shown());
  EXPECT_EQ(app.find<Probe>(), &p);
}

TEST_F(ApplicationTest, ClosingTheLastShownWindowByItsFrameEndsTheProgram) {
  Probe& p = probe();
  Other& o = app.load<Other>([this] { return std::make_unique<Other>(app, nullptr, "Other"); });
  app.dispatch([&] {
    app.show(p);
    app.show(o);
  });
  app.dispatch([&] { app.userClose(p); });
  EXPECT_FALSE(app.ended());
  app.dispatch([&] { app.userClose(o); });
  EXPECT_TRUE(app.ended());
}

TEST_F(ApplicationTest, BoxesWithoutTitleCarryTheProgramsTitle) {
  app.dispatch([&] {
    app.msgBox("one");
    app.msgBox("two", Buttons::OK, Icon::None, "Login");
  });
  ASSERT_EQ(platform.boxes().size(), 2u);
  EXPECT_EQ(platform.boxes()[0].box.title, "Kestrava");
  EXPECT_EQ(platform.boxes()[1].box.title, "Login");
}

}  // namespace
}  // namespace kestrava::form
