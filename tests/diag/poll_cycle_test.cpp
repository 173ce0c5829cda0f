#include <gtest/gtest.h>

#include "support/controller.h"

namespace kestrava {
namespace {

using testing::Harness;
using testing::ScriptedController;

using Timeline = std::vector<std::pair<std::string, std::int64_t>>;

Timeline sentTimeline(const link::testing::TestCommControl& port) {
  Timeline t;
  for (const auto& s : port.sent()) t.emplace_back(s.data, s.atMs);
  return t;
}

const std::string kPollAnswer = "> PMII\r\n" + testing::frameWithSm('0');

class PollCycle : public ::testing::Test {
 protected:
  Harness h;
  Form1& f = h.form1();
  ScriptedController controller{h};
  void SetUp() override {
    h.openPort();
    controller.answers["pmii"] = kPollAnswer;
    controller.answers["vel"] = "VEL =     0\r\n";
    controller.answers["bbt"] = "BBT  =  00042\r\n";
    controller.answers["flt0"] = "FLT0  = " + std::string(76, 'F') + "\r\n";
  }
};

// The whole exchange of a stop, byte for byte and millisecond for millisecond, with every
// answer 100 ms after its command and in one chunk.
TEST_F(PollCycle, TheTypicalRunAsATimeline) {
  h.run([&] { f.Command1.click(); });
  EXPECT_EQ(f.Label3.backColor(), form::kDarkGreen);
  h.advance(3000);
  const Timeline expected = {
      {"pmii\r", 0},     // "pmi 1"
      {"pmii\r", 250},   // poll tick; the first answer (at 100) armed the decode timer
      {"vel\r", 350},    // decode tick: SM 0 and no velocity yet
      {"bbt\r", 450},    // "  0" arrives: a stop is counted, the count asks for bbt
      {"flt0\r", 550},   // the bbt reading asks for flt0
      {"pmii\r", 1651},  // silence poll, 1000 ms after the last answer's lamp tick
      {"pmii\r", 2752},  // and again after that answer
  };
  EXPECT_EQ(sentTimeline(*h.port), expected);
  EXPECT_EQ(f.txtvel.text(), "  0");
  EXPECT_EQ(f.Text2.text(), "1");
  EXPECT_EQ(f.txtbbt.text(), "00042");
  EXPECT_EQ(f.grid.label("lbl514").caption(), "0 ");
  EXPECT_EQ(f.Label3.backColor(), form::kGrey);
  EXPECT_EQ(f.Label4.backColor(), form::kGrey);
  EXPECT_EQ(f.Label5.backColor(), form::kGrey) << "grey after the answer's lamp tick";
  EXPECT_TRUE(f.Timer3.enabled());

  // The cycle timer re-arms polling every 8 seconds after the first decode (at 350).
  h.port->clearSent();
  h.advance(8350 - 3000 + 250);
  ASSERT_FALSE(h.port->sent().empty());
  EXPECT_EQ(h.port->sent().back().data, "pmii\r");
}

TEST_F(PollCycle, LampsFollowTheTraffic) {
  h.run([&] { f.Command1.click(); });
  h.advance(250);
  EXPECT_EQ(f.Label5.backColor(), form::kGreen) << "a poll went out";
  h.advance(100);  // the answer to the first poll came at 100, the second arrives now
  EXPECT_EQ(f.Label4.backColor(), form::kDarkRed);
  h.advance(1);
  EXPECT_EQ(f.Label4.backColor(), form::kGrey);
  EXPECT_EQ(f.Label5.backColor(), form::kGrey);
  EXPECT_TRUE(f.Timer5.enabled()) << "in poll mode the silence timer counts again";
}

TEST_F(PollCycle, ResetWithAPendingSilencePollStillPollsOnceAndTheCycleResumes) {
  h.run([&] { f.Command1.click(); });
  h.advance(700);
  ASSERT_TRUE(f.Timer5.enabled());
  h.run([&] { f.Command2.click(); });
  EXPECT_FALSE(f.Timer1.enabled());
  EXPECT_FALSE(f.Timer2.enabled());
  EXPECT_FALSE(f.Timer3.enabled());
  h.port->clearSent();
  h.advance(2000);
  ASSERT_EQ(h.port->sent().size(), 1u);
  EXPECT_EQ(h.port->sent()[0].data, "pmii\r");
  EXPECT_EQ(h.port->sent()[0].atMs, 1651);
  EXPECT_TRUE(f.Timer3.enabled()) << "its answer was decoded: the 8-second cycle runs again";
  h.port->clearSent();
  h.advance(8000);
  ASSERT_FALSE(h.port->sent().empty());
  EXPECT_EQ(h.port->sent()[0].data, "pmii\r");
}

TEST_F(PollCycle, WithThePortClosedPollsWaitAndResumeOnceItOpens) {
  h.run([&] { (void)h.port->setPortOpen(false); });
  h.run([&] { f.Command1.click(); });
  h.advance(1000);
  EXPECT_TRUE(h.port->sent().empty());
  EXPECT_TRUE(f.Timer2.enabled()) << "the poll timer stays on";
  h.run([&] { (void)h.port->setPortOpen(true); });
  h.advance(250);
  ASSERT_EQ(h.port->sent().size(), 1u);
  EXPECT_EQ(h.port->sent()[0].data, "pmii\r");
  EXPECT_EQ(h.port->sent()[0].atMs, 1250);
}

TEST_F(PollCycle, WithoutPollModeNoSilencePollsOnlyTheCycleTimer) {
  controller.answers.erase("vel");     // keeps the frame in the window: no stop chain
  h.run([&] { f.Command6.click(); });  // "stress": Timer3 on, Text3 stays hidden
  h.run([&] { f.setCaption("Kestrava Car"); });
  h.advance(9000);
  const auto first = sentTimeline(*h.port);
  // Polls every 250 ms from the 8-second tick until the answer is decoded. At 8500 the poll
  // tick comes before the decode tick: it was armed first. The second answer is decoded at
  // 8850 and asks for the velocity again.
  const Timeline expected = {{"pmii\r", 8250}, {"pmii\r", 8500}, {"vel\r", 8500}, {"vel\r", 8850}};
  EXPECT_EQ(first, expected);
  h.port->clearSent();
  h.advance(16000 - 9000 + 249);
  EXPECT_TRUE(h.port->sent().empty()) << "no silence polls out of poll mode";
  h.advance(1);
  ASSERT_EQ(h.port->sent().size(), 1u);
  EXPECT_EQ(h.port->sent()[0].data, "pmii\r");
}

TEST_F(PollCycle, TheFirstLampTickWithoutReceiveChangesNothing) {
  Harness fresh;
  Form1& w = fresh.form1();
  w.Text3.setVisible(true);
  EXPECT_TRUE(w.Timer4.enabled());
  fresh.advance(1);
  EXPECT_FALSE(w.Timer4.enabled());
  EXPECT_FALSE(w.Timer5.enabled());
  EXPECT_EQ(w.Label4.backColor(), form::kGrey);
}

class FrameDetection : public ::testing::Test {
 protected:
  Harness h;
  Form1& f = h.form1();
  void feed(const std::string& chunk) {
    h.run([&] {
      std::string c = chunk;
      f.AppendToTerm(f.Term, c);
    });
  }
};

TEST_F(FrameDetection, CopiesOnlyWhileThePollAnswerIsInTheWindow) {
  feed("VEL =   123\r\n");
  EXPECT_EQ(f.txtvel.text(), "");
  EXPECT_FALSE(f.Timer1.enabled());
  feed("> PMII\r\n");
  EXPECT_EQ(f.txtvel.text(), "123");
  EXPECT_TRUE(f.Timer1.enabled());
}

TEST_F(FrameDetection, TheFirstOfTwoReadingsIsCopiedAndCopiesShrinkAtTheEnd) {
  feed("> PMII\r\nVEL =   7");
  EXPECT_EQ(f.txtvel.text(), "7") << "the window ends after one character";
  feed("5 \r\nVEL =   999\r\n");
  EXPECT_EQ(f.txtvel.text(), "75 ");
  feed("BBT  =  12");
  EXPECT_EQ(f.txtbbt.text(), "12");
  feed("345\r\nFLT0  = " + std::string(80, 'x'));
  EXPECT_EQ(f.txtbbt.text(), "12345");
  EXPECT_EQ(f.Text5.text(), std::string(76, 'x'));
}

TEST_F(FrameDetection, AStopIsCountedOnceWhateverTheRepeatsAndAgainAfterMotion) {
  feed("> PMII\r\nVEL =    12\r\n");
  EXPECT_EQ(f.txtvel.text(), " 12");
  EXPECT_EQ(f.StopCount, 0);
  feed("VEL =     0\r\n");
  EXPECT_EQ(f.txtvel.text(), " 12") << "the first reading in the window is the one copied";
  Harness fresh;
  Form1& w = fresh.form1();
  auto feedFresh = [&](const std::string& chunk) {
    fresh.run([&] {
      std::string c = chunk;
      w.AppendToTerm(w.Term, c);
    });
  };
  feedFresh("> PMII\r\nVEL =     0\r\n");
  EXPECT_EQ(w.StopCount, 1);
  EXPECT_EQ(w.Text2.text(), "1");
  feedFresh("more text\r\n");  // the same reading copied again: no change, no count
  feedFresh("and more\r\n");
  EXPECT_EQ(w.StopCount, 1);
  fresh.run([&] { w.txtvel.setText("  5"); });  // typed, or a reading of 5
  feedFresh("next\r\n");
  EXPECT_EQ(w.StopCount, 2);
  for (const char* notAStop : {"0", "0 ", " 0", "  0 ", "  00"}) {
    fresh.run([&] { w.txtvel.setText(notAStop); });
    EXPECT_EQ(w.StopCount, 2) << "'" << notAStop << "'";
  }
}

TEST(StopCount, AfterTheLargestCountItStartsAgainAtOne) {
  Harness h;
  Form1& f = h.form1();
  f.StopCount = 32766;
  for (const char* expected : {"32767", "1", "2"}) {
    h.run([&] {
      f.txtvel.setText("  1");
      f.txtvel.setText("  0");
    });
    EXPECT_EQ(f.Text2.text(), expected);
  }
  EXPECT_FALSE(h.app.ended());
}

TEST(MotionFields, TypingAFloorDropsAPendingSilencePoll) {
  Harness h;
  Form1& f = h.form1();
  f.Timer5.setEnabled(true);
  h.run([&] { f.pressKey(&f.txtpos, '3', 0, '3'); });
  EXPECT_FALSE(f.Timer5.enabled());
}

TEST(MotionFields, AClickOnThePanelHidesItAndPutsTheCursorInTheCommandLine) {
  Harness h;
  Form1& f = h.form1();
  h.run([&] { f.Command1.click(); });
  h.run([&] { (void)f.Term.setFocus(); });
  ASSERT_TRUE(f.Picture1.visible());
  h.run([&] { f.Picture1.click(); });
  EXPECT_FALSE(f.Picture1.visible());
  EXPECT_EQ(f.activeControl(), &f.Text3);
}

}  // namespace
}  // namespace kestrava
