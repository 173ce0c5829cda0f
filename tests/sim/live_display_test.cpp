#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include "diag/pmi_decoder.h"
#include "link/form1.h"
#include "link/qt/qt_comm_control.h"
#include "replay/replay.h"
#include "runtime/testing/virtual_platform.h"
#include "shell/app.h"
#include "support/qt_loop.h"

namespace kestrava {
namespace {

// The program's core with the real serial component, against the simulator over a
// pseudo-terminal. The virtual clock is moved along with real time, so that the program's
// timers and the simulator's paced answers interleave as they would.
class LiveDisplay : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::ensureQtApplication(); }
  void SetUp() override {
    link_ = dir_.filePath("controller");
    sim_.setProgram(KESTRAVA_SIM_PATH);
    sim_.setArguments({"--link", link_, "--seed", "11", "--baud", "19200"});
    sim_.start();
    ASSERT_TRUE(sim_.waitForStarted(5000));
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(link_); }, 5000));
    ::setenv("KESTRAVA_COM1", link_.toLocal8Bit().constData(), 1);
    app.dispatch([&] { f = &app.showWindow(app.form1()); });
    app.dispatch([&] { f->MOpen.click(); });
    ASSERT_TRUE(f->MSComm1.PortOpen());
  }
  void TearDown() override {
    app.dispatch([&] { (void)f->MSComm1.setPortOpen(false); });
    sim_.terminate();
    sim_.waitForFinished(3000);
    ::unsetenv("KESTRAVA_COM1");
  }
  // Runs real and virtual time together until `done` or `ms` of real time.
  bool waitFor(const std::function<bool()>& done, int ms) {
    std::int64_t moved = 0;
    return testing::runUntil(done, ms, [&](std::int64_t now) {
      platform.advance(now - moved);
      moved = now;
    });
  }
  std::string states() const {
    std::string s;
    for (const form::Label* l : f->grid.states()) s += l->caption();
    return s;
  }

  QTemporaryDir dir_;
  QString link_;
  QProcess sim_;
  form::testing::VirtualPlatform platform;
  App app{platform, [] { return std::make_unique<link::QtCommControl>(); }};
  Form1* f = nullptr;
};

TEST_F(LiveDisplay, PollingFillsTheGridAndFollowsTheCarToItsStop) {
  app.dispatch([&] { f->Command1.click(); });  // "pmi 1"
  ASSERT_TRUE(waitFor([&] { return !f->grid.label("lbl1_1").caption().empty(); }, 8000));
  EXPECT_EQ(f->grid.label("lbl115").caption(), "1 ") << "AU: the car is on automatic";
  EXPECT_EQ(f->Label3.backColor(), form::kGrey) << "the decode tick turned the poll lamp grey";
  for (const form::Label* l : f->grid.states()) {
    ASSERT_FALSE(l->caption().empty()) << l->name();
    EXPECT_TRUE(l->caption()[0] == '0' || l->caption()[0] == '1') << l->name();
  }

  // Send the car to floor 3; the grid shows it run and the stop is counted with its readings.
  // (The car standing at the start already counted as a stop.)
  ASSERT_TRUE(waitFor([&] { return !f->Text2.text().empty(); }, 8000));
  const std::string stopsBefore = f->Text2.text();
  app.dispatch([&] { f->txtpos.setText("3"); });
  app.dispatch([&] { f->Command3.click(); });
  ASSERT_TRUE(waitFor([&] { return f->grid.label("lbl514").caption() == "1 "; }, 15000))
      << "SM never showed motion";
  const std::string underWay = states();
  ASSERT_TRUE(
      waitFor([&] { return f->txtvel.text() != "  0" && !f->txtvel.text().empty(); }, 10000));
  ASSERT_TRUE(waitFor([&] { return f->Text2.text() != stopsBefore; }, 30000)) << "no stop counted";
  EXPECT_EQ(f->txtvel.text(), "  0");
  ASSERT_TRUE(waitFor([&] { return f->Text5.text().size() == 76; }, 15000));
  EXPECT_EQ(f->txtbbt.text().size(), 5u);
  EXPECT_NE(states(), underWay);
}

// A visit recorded through the live window replays to the same grid, frame by frame.
TEST_F(LiveDisplay, AReplayedVisitShowsTheFramesTheLiveDisplayShowed) {
  const std::string logPath = dir_.filePath("visit.log").toStdString();
  form::FileDialogResult chosen;
  chosen.cancelled = false;
  chosen.error = 0;
  chosen.path = logPath;
  chosen.fileTitle = "visit.log";
  platform.answerDialog(chosen);
  app.dispatch([&] { f->MOpenLog.click(); });
  ASSERT_NE(f->LogFileNo, 0);

  // Every complete frame the live decode tick put on the grid.
  using Captions = std::vector<std::string>;
  auto captions = [](const diag::SignalGrid& grid) {
    Captions c;
    for (const form::Label* l : grid.states()) c.push_back(l->caption());
    return c;
  };
  std::vector<Captions> live;
  auto decode = f->Timer1.Tick;
  f->Timer1.Tick = [&, decode] {
    const int p = diag::findPmiHeader(f->Text1.text());
    decode();
    if (p != 0 && f->Text1.length() - (p - 1) >= diag::kFrameSpan &&
        (live.empty() || live.back() != captions(f->grid))) {
      live.push_back(captions(f->grid));
    }
  };
  app.dispatch([&] { f->Command1.click(); });
  app.dispatch([&] { f->txtpos.setText("5"); });
  app.dispatch([&] { f->Command3.click(); });
  waitFor([&] { return live.size() >= 12; }, 30000);
  app.dispatch([&] { f->MCloseLog.click(); });
  ASSERT_GE(live.size(), 6u) << "too few frames to compare";

  Replay* r = nullptr;
  app.dispatch([&] { r = &app.showWindow(app.replay()); });
  app.dispatch([&] { r->Option4.userClick(); });  // pause: step by step
  platform.answerDialog(chosen);
  app.dispatch([&] { r->MRplayLog.click(); });
  ASSERT_TRUE(r->Command1.enabled());
  std::vector<Captions> replayed;
  while (r->Command1.enabled()) {
    app.dispatch([&] { r->Command1.click(); });
    const int p = diag::findPmiHeader(r->Term.text());
    if (p != 0 && r->Term.length() - (p - 1) >= diag::kFrameSpan &&
        (replayed.empty() || replayed.back() != captions(r->grid))) {
      replayed.push_back(captions(r->grid));
    }
  }
  // Each live frame, in order, among the replayed ones.
  std::size_t at = 0;
  for (std::size_t i = 0; i < live.size(); ++i) {
    while (at < replayed.size() && replayed[at] != live[i]) ++at;
    ASSERT_LT(at, replayed.size())
        << "live frame " << i << " of " << live.size() << " was not replayed";
  }
}

}  // namespace
}  // namespace kestrava
