#include <gtest/gtest.h>

#include "replay/replay.h"
#include "support/harness.h"

namespace kestrava {
namespace {

using form::Answer;
using testing::Harness;

TEST(TerminalWindow, OpensAsDesigned) {
  Harness h;
  Form1& f = h.form1();
  EXPECT_EQ(f.caption(), "Kestrava Car");
  EXPECT_EQ(f.backColor(), form::kGrey);
  EXPECT_FALSE(h.port->PortOpen());
  EXPECT_EQ(h.port->CommPort(), 1);
  EXPECT_EQ(h.port->Settings(), "1200,n,8,1");
  EXPECT_TRUE(f.Term.text().empty());
  EXPECT_TRUE(f.Text1.text().empty());
  EXPECT_FALSE(f.Text1.visible());
  EXPECT_FALSE(f.Text3.visible());
  EXPECT_FALSE(f.Picture1.visible());
  EXPECT_EQ(f.Text4.text(), "5");
  EXPECT_EQ(f.activeControl(), &f.Term) << "Term is first in the tab order";
  for (form::Label* lamp : {&f.Label3, &f.Label4, &f.Label5}) {
    EXPECT_EQ(lamp->backColor(), form::kGrey) << lamp->name();
  }
  EXPECT_FALSE(f.Label3.border());
  EXPECT_TRUE(f.Label4.border());
  struct TimerState {
    form::Timer& timer;
    int interval;
    bool enabled;
  };
  for (const TimerState& t : {TimerState{f.Timer1, 250, false}, TimerState{f.Timer2, 250, false},
                              TimerState{f.Timer3, 8000, false}, TimerState{f.Timer4, 1, true},
                              TimerState{f.Timer5, 1000, false}}) {
    EXPECT_EQ(t.timer.interval(), t.interval) << t.timer.name();
    EXPECT_EQ(t.timer.enabled(), t.enabled) << t.timer.name();
  }
  EXPECT_TRUE(f.MOpenLog.enabled());
  EXPECT_FALSE(f.MCloseLog.enabled());
  EXPECT_FALSE(f.MSendText.enabled());
  EXPECT_FALSE(f.MOpen.checked());
  const char* captions[] = {"pmi 1", "reset", "DOB", "ST&U", "ST&D", "stress"};
  form::Button* buttons[] = {&f.Command1, &f.Command2, &f.Command3,
                             &f.Command4, &f.Command5, &f.Command6};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(buttons[i]->caption(), captions[i]);
}

TEST(TerminalWindow, KeyWithThePortClosedIsShownAndNotSent) {
  Harness h;
  Form1& f = h.form1();
  h.run([&] { f.pressKey(&f.Term, 'A', form::kShiftMask, 'A'); });
  EXPECT_EQ(f.Term.text(), "A");
  EXPECT_TRUE(h.port->sent().empty());
  EXPECT_EQ(f.Label5.backColor(), form::kGrey);
}

TEST(TerminalWindow, KeyWithThePortOpenIsSentAndNotShown) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.run([&] { f.pressKey(&f.Term, 'A', form::kShiftMask, 'A'); });
  h.run([&] { f.pressKey(&f.Term, form::kKeyReturn, 0, 13); });
  EXPECT_EQ(f.Term.text(), "");
  ASSERT_EQ(h.port->sent().size(), 2u);
  EXPECT_EQ(h.port->sent()[0].data, "A");
  EXPECT_EQ(h.port->sent()[1].data, "\r") << "one character, no terminator";
  EXPECT_EQ(f.Label5.backColor(), form::kGreen);
}

TEST(TerminalWindow, OutputWhileClosedSendsNothingAndFailsQuietly) {
  Harness h;
  h.form1();
  link::Status status = link::Status::ok();
  h.run([&] { status = h.port->Output("pmii\r"); });
  EXPECT_FALSE(status.isOk());
  EXPECT_TRUE(h.port->sent().empty());
  EXPECT_FALSE(h.app.ended());
}

TEST(CloseSequence, WithThePortClosedTheProgramEndsAtOnce) {
  Harness h;
  Form1& f = h.form1();
  h.run([&] { h.app.userClose(f); });
  EXPECT_TRUE(h.app.ended());
  EXPECT_TRUE(h.platform.boxes().empty());
  EXPECT_EQ(h.platform.nowMs(), 0);
}

TEST(CloseSequence, AnEmptyBufferClosesThePortAndEnds) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.run([&] { f.Form1_MFileExit_Click(); });
  EXPECT_TRUE(h.app.ended());
  EXPECT_FALSE(h.port->PortOpen());
  EXPECT_TRUE(h.platform.boxes().empty());
}

TEST(CloseSequence, ABufferThatNeverDrainsAsksAfterTenSecondsAndAbortKeepsAll) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.port->setDraining(false);
  h.run([&] { (void)h.port->Output("stuck"); });
  h.platform.answerNext(Answer::Abort);
  h.run([&] { h.app.userClose(f); });
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  const auto& shown = h.platform.boxes()[0];
  EXPECT_EQ(shown.box.text, "Data cannot be sent");
  EXPECT_EQ(shown.box.title, "Kestrava");
  EXPECT_EQ(shown.box.buttons, form::Buttons::AbortRetryIgnore);
  EXPECT_EQ(shown.box.icon, form::Icon::Question);
  EXPECT_GT(shown.atMs, 10000);
  EXPECT_LE(shown.atMs, 10020);
  EXPECT_FALSE(h.app.ended());
  EXPECT_TRUE(f.shown());
  EXPECT_TRUE(h.port->PortOpen());
}

TEST(CloseSequence, RetryWaitsAnotherTenSecondsAndIgnoreEnds) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.port->setDraining(false);
  h.run([&] { (void)h.port->Output("stuck"); });
  h.platform.answerNext(Answer::Retry);
  h.platform.answerNext(Answer::Ignore);
  h.run([&] { h.app.userClose(f); });
  ASSERT_EQ(h.platform.boxes().size(), 2u);
  const auto second = h.platform.boxes()[1].atMs - h.platform.boxes()[0].atMs;
  EXPECT_GE(second, 9500);
  EXPECT_LE(second, 10520);
  EXPECT_TRUE(h.app.ended());
  EXPECT_FALSE(h.port->PortOpen());
}

TEST(CloseSequence, DrainingInTimeEndsWithoutAQuestion) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.port->setDraining(false);
  h.run([&] { (void)h.port->Output("slow"); });
  h.platform.onProcessEvents = [&] {
    if (h.platform.nowMs() >= 3000) h.port->setDraining(true);
  };
  h.run([&] { h.app.userClose(f); });
  EXPECT_TRUE(h.platform.boxes().empty());
  EXPECT_TRUE(h.app.ended());
  EXPECT_GE(h.platform.nowMs(), 3000);
  EXPECT_LT(h.platform.nowMs(), 3100);
}

TEST(CloseSequence, TimersKeepRunningDuringTheDrainWait) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.port->setDraining(false);
  h.run([&] { (void)h.port->Output("slow"); });
  int ticks = 0;
  f.Timer5.Tick = [&] { ++ticks; };
  f.Timer5.setEnabled(true);
  h.platform.answerNext(Answer::Ignore);
  h.run([&] { h.app.userClose(f); });
  EXPECT_GE(ticks, 9);
}

TEST(TerminalWindow, ReplayLogFileShowsTheOneReplayWindow) {
  Harness h;
  Form1& f = h.form1();
  h.run([&] { f.MRplayLog.click(); });
  Replay* replay = h.app.find<Replay>();
  ASSERT_NE(replay, nullptr);
  EXPECT_TRUE(replay->shown());
  EXPECT_EQ(replay->caption(), "Replay Kestrava Log File");
  h.run([&] { f.MRplayLog.click(); });
  EXPECT_EQ(h.app.find<Replay>(), replay);
  EXPECT_TRUE(f.shown()) << "shown without a modal wait";
}

}  // namespace
}  // namespace kestrava
