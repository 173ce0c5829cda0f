#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <functional>
#include <memory>

#include "link/form1.h"
#include "link/qt/qt_comm_control.h"
#include "runtime/testing/virtual_platform.h"
#include "shell/app.h"
#include "support/pty.h"
#include "support/qt_loop.h"

namespace kestrava {
namespace {

using testing::Pty;
using testing::runUntil;

// The terminal window's core with the real serial component on a pseudo-terminal; the boxes
// and timers are the virtual platform's.
class SerialTerminal : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::ensureQtApplication(); }
  void SetUp() override {
    pty = std::make_unique<Pty>();
    ::setenv("KESTRAVA_COM1", pty->devicePath().c_str(), 1);
    app.dispatch([&] { form = &app.showWindow(app.form1()); });
    auto handler = form->MSComm1.OnComm;
    form->MSComm1.OnComm = [this, handler] {
      ++events;
      handler();
    };
    app.dispatch([&] { form->MOpen.click(); });
    ASSERT_TRUE(form->MSComm1.PortOpen())
        << (platform.boxes().empty() ? std::string() : platform.boxes().back().box.text);
  }
  void TearDown() override { ::unsetenv("KESTRAVA_COM1"); }

  form::testing::VirtualPlatform platform;
  App app{platform, [] { return std::make_unique<link::QtCommControl>(); }};
  std::unique_ptr<Pty> pty;
  Form1* form = nullptr;
  int events = 0;
};

TEST_F(SerialTerminal, WhatTheControllerSendsReachesTermAndTheFrameWindowFiltered) {
  pty->write("PMI #\r\nAB\r\nC\bD\n");
  ASSERT_TRUE(runUntil([&] { return form->Term.text().size() >= 12; }));
  EXPECT_EQ(form->Term.text(), "PMI #\r\nAB\r\nD");
  EXPECT_EQ(form->Text1.text(), "PMI #\r\nAB\r\nD");
  EXPECT_EQ(form->Label4.backColor(), form::kDarkRed);
}

TEST_F(SerialTerminal, KeysAndCommandsReachTheFarEndByteForByte) {
  app.dispatch([&] { form->pressKey(&form->Term, 'K', form::kShiftMask, 'K'); });
  app.dispatch([&] { (void)form->MSComm1.Output("pmii\r"); });
  std::string far;
  ASSERT_TRUE(runUntil([&] {
    far += pty->read(10);
    return far.size() >= 6;
  }));
  EXPECT_EQ(far, "Kpmii\r");
  EXPECT_EQ(form->Term.text(), "") << "typed keys go out, the echo would come back";
}

TEST_F(SerialTerminal, PullingTheFarEndGivesOneBoxAClosedPortAndNoSpin) {
  pty->write("partial answer");
  ASSERT_TRUE(runUntil([&] { return form->Term.text() == "partial answer"; }));
  const int before = events;
  pty->closeFarEnd();
  ASSERT_TRUE(runUntil([&] { return !platform.boxes().empty(); }));
  runUntil([] { return false; }, 500);  // a spinning error loop would show here
  ASSERT_EQ(platform.boxes().size(), 1u);
  const auto& box = platform.boxes()[0].box;
  EXPECT_NE(box.text.find(pty->devicePath()), std::string::npos) << box.text;
  EXPECT_EQ(box.title, "Press Cancel to Quit, Ok to ignore.");
  EXPECT_EQ(events - before, 1);
  EXPECT_FALSE(form->MSComm1.PortOpen());
  EXPECT_FALSE(app.ended());

  pty = std::make_unique<Pty>();
  ::setenv("KESTRAVA_COM1", pty->devicePath().c_str(), 1);
  app.dispatch([&] { form->MOpen.click(); });
  ASSERT_TRUE(form->MSComm1.PortOpen());
  EXPECT_TRUE(form->MOpen.checked());
  pty->write(" back");
  ASSERT_TRUE(runUntil([&] { return form->Term.text() == "partial answer back"; }));
}

}  // namespace
}  // namespace kestrava
