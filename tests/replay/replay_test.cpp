#include <gtest/gtest.h>

#include "diag/pmi_decoder.h"
#include "replay/replay.h"
#include "shell/form3.h"
#include "support/controller.h"
#include "support/replay_fixture.h"
#include "support/temp_dir.h"

namespace kestrava {
namespace {

using testing::chose;
using testing::Harness;
using testing::TempDir;

using ReplayWindow = testing::ReplayFixture;

TEST_F(ReplayWindow, OpensSlowWithNothingToPlay) {
  EXPECT_EQ(r->caption(), "Replay Kestrava Log File");
  EXPECT_EQ(r->backColor(), form::kGrey);
  EXPECT_EQ(r->Text5.text(), "1000");
  EXPECT_EQ(r->Timer7.interval(), 1000) << "designed with 100, set from the scroll bar";
  EXPECT_FALSE(r->Timer7.enabled());
  EXPECT_TRUE(r->Option3.value());
  EXPECT_FALSE(r->Option1.value() || r->Option2.value() || r->Option4.value());
  EXPECT_EQ(r->Option1.caption(), "Fast");
  EXPECT_EQ(r->Option4.caption(), "Pause");
  EXPECT_EQ(r->HScroll1.min(), 1000);
  EXPECT_EQ(r->HScroll1.max(), 0);
  EXPECT_EQ(r->Command1.caption(), "-->");
  EXPECT_FALSE(r->Command1.enabled());
  EXPECT_FALSE(r->MCloseLog.enabled());
  EXPECT_TRUE(r->Picture1.visible());
  EXPECT_EQ(r->activeControl(), &r->Term);
  EXPECT_EQ(r->grid.labels().size(), 144u);
  h.run([&] { r->Picture1.click(); });
  EXPECT_FALSE(r->Picture1.visible());
}

TEST_F(ReplayWindow, ACancelledDialogShowsItsTextAndChangesNothing) {
  h.run([&] { r->MRplayLog.click(); });
  ASSERT_EQ(h.platform.dialogs().size(), 1u);
  EXPECT_EQ(h.platform.dialogs()[0].title, "Send Text File");
  EXPECT_EQ(h.platform.dialogs()[0].filter, "Text Files (*.log)|*.log|All Files (*.*)|*.*");
  EXPECT_EQ(h.platform.dialogs()[0].defaultExt, "LOG");
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_EQ(h.platform.boxes()[0].box.text, "Cancel was selected.");
  EXPECT_EQ(h.platform.boxes()[0].box.icon, form::Icon::Exclamation);
  EXPECT_FALSE(r->Timer7.enabled());
  EXPECT_FALSE(r->MCloseLog.enabled());
}

TEST_F(ReplayWindow, AMissingFileIsNamedAndTheDialogComesBack) {
  const std::string missing = dir.file("gone.log");
  h.platform.answerDialog(chose(missing));
  h.platform.answerDialog(chose(log("there.log", "x\r\n")));
  h.run([&] { r->MRplayLog.click(); });
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_EQ(h.platform.boxes()[0].box.text, missing + " not found!");
  EXPECT_EQ(h.platform.dialogs().size(), 2u);
  EXPECT_EQ(h.platform.dialogs()[1].fileName, "");
  EXPECT_TRUE(r->Timer7.enabled());
  EXPECT_TRUE(r->Command1.enabled());
  EXPECT_TRUE(r->MCloseLog.enabled());
}

TEST_F(ReplayWindow, LinesEndAtCrLfALoneCrOrTheEndAndEmptyLinesCount) {
  open(log("lines.log", "a\r\n\r\nb\rc"));
  std::vector<std::string> lines;
  for (int i = 0; i < 4; ++i) {
    h.advance(1000);
    lines.push_back(r->ReplayLine);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b", "c"}));
  EXPECT_EQ(r->Term.text(), "\r\na\r\n\r\nb\r\nc");
  EXPECT_TRUE(r->Timer7.enabled());
  h.advance(1000);  // the end: playback finishes
  EXPECT_FALSE(r->Timer7.enabled());
  EXPECT_FALSE(r->Command1.enabled());
  EXPECT_TRUE(r->MCloseLog.enabled());
  EXPECT_EQ(r->caption(), "Replay Kestrava Log File");
  EXPECT_EQ(h.app.files().FreeFile(), 1) << "the log was closed";
}

TEST_F(ReplayWindow, AnEmptyLogEndsAtTheFirstTick) {
  open(log("empty.log", ""));
  h.advance(1000);
  EXPECT_FALSE(r->Timer7.enabled());
  EXPECT_EQ(r->Term.text(), "");
}

TEST_F(ReplayWindow, PausedOnlyTheStepButtonReplaysOneLineAPress) {
  pause();
  EXPECT_EQ(r->Text5.text(), "0");
  open(log("three.log", "one\r\ntwo\r\nthree\r\n"));
  EXPECT_TRUE(r->Timer7.enabled()) << "enabled, but an interval of 0 never ticks";
  h.advance(60000);
  EXPECT_EQ(r->Term.text(), "");
  step();
  EXPECT_EQ(r->ReplayLine, "one");
  step();
  EXPECT_EQ(r->ReplayLine, "two");
  step();
  step();  // the end
  EXPECT_FALSE(r->Command1.enabled());
  h.run([&] { r->Option1.userClick(); });
  h.advance(5000);
  EXPECT_EQ(r->Term.text(), "\r\none\r\ntwo\r\nthree") << "no tick follows the end";
}

TEST_F(ReplayWindow, AKeyOnTheStepButtonEndsPlaybackAtTheEndOnly) {
  pause();
  open(log("one.log", "only\r\n"));
  h.run([&] { r->pressKey(&r->Command1, 'A', 0, 'a'); });
  EXPECT_TRUE(r->Command1.enabled()) << "lines are left: the key does nothing";
  EXPECT_EQ(r->Term.text(), "");
  step();
  h.run([&] { r->pressKey(&r->Command1, 'A', 0, 'a'); });
  EXPECT_FALSE(r->Command1.enabled());
}

TEST_F(ReplayWindow, AStepDuringRunningPlaybackTakesTheNextLine) {
  open(log("count.log", "1\r\n2\r\n3\r\n4\r\n"));
  h.advance(1000);
  step();
  h.advance(1000);
  EXPECT_EQ(r->Term.text(), "\r\n1\r\n2\r\n3");
}

TEST_F(ReplayWindow, TheSpeedPresetsAndTheScrollBar) {
  struct Move {
    std::function<void()> act;
    int value;
    bool fast;
    bool slow;
    bool pause;
  };
  const std::vector<Move> moves = {
      {[&] { r->Option1.userClick(); }, 100, true, false, false},
      {[&] { r->HScroll1.setValue(0); }, 0, false, false, false},  // clears Fast only
      {[&] { r->HScroll1.setValue(100); }, 100, true, false, false},
      {[&] { r->HScroll1.setValue(500); }, 500, true, false, false},  // selects nothing
      {[&] { r->Option4.userClick(); }, 0, false, false, true},
      {[&] { r->HScroll1.setValue(1000); }, 1000, false, false, true},
      {[&] { r->Option3.userClick(); }, 1000, false, true, false},
  };
  for (std::size_t i = 0; i < moves.size(); ++i) {
    h.run(moves[i].act);
    EXPECT_EQ(r->HScroll1.value(), moves[i].value) << "move " << i;
    EXPECT_EQ(r->Timer7.interval(), moves[i].value) << "move " << i;
    EXPECT_EQ(r->Text5.text(), std::to_string(moves[i].value)) << "move " << i;
    EXPECT_EQ(r->Option1.value(), moves[i].fast) << "move " << i;
    EXPECT_EQ(r->Option3.value(), moves[i].slow) << "move " << i;
    EXPECT_EQ(r->Option4.value(), moves[i].pause) << "move " << i;
  }
  int changes = 0;
  r->Text5.Change = [&] { ++changes; };
  h.run([&] { r->Option3.userClick(); });  // Slow while already at 1000
  EXPECT_EQ(changes, 0);
}

TEST_F(ReplayWindow, ALateTickReplaysTheLinesItWasDueSoTheRateFollowsTheClock) {
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes += std::to_string(i) + "\r\n";
  h.run([&] { r->HScroll1.setValue(10); });
  open(log("fast.log", bytes));
  h.advance(50);
  EXPECT_EQ(r->ReplayLine, "4");
  h.platform.stall(45);  // the program was busy: the ticks due at 60 to 90 fire late, merged
  h.advance(5);
  EXPECT_EQ(r->ReplayLine, "9") << "ten intervals, ten lines";
  h.advance(100);
  EXPECT_EQ(r->ReplayLine, "19");
}

TEST_F(ReplayWindow, ANewIntervalTakesAFullIntervalFromTheChange) {
  open(log("many.log", "a\r\nb\r\nc\r\nd\r\n"));
  h.advance(700);
  h.run([&] { r->Option2.userClick(); });  // 500 ms, from now
  h.advance(499);
  EXPECT_EQ(r->Term.text(), "");
  h.advance(1);
  EXPECT_EQ(r->ReplayLine, "a");
}

TEST_F(ReplayWindow, AFrameFillsRowByRowAndTheOlderOfTwoHeadersWins) {
  const std::string zeros = testing::pmiFrame([](int, int) { return '0'; });
  const std::string ones = testing::pmiFrame([](int, int) { return '1'; });
  pause();
  open(log("frames.log", zeros + ones));
  step();  // the header only
  EXPECT_EQ(r->grid.label("lbl1_1").caption(), "");
  step();  // line 1
  EXPECT_EQ(r->grid.label("lbl1_1").caption(), "0 ");
  EXPECT_EQ(r->grid.label("lbl3_1").caption(), "") << "line 2 has not come yet";
  for (int i = 0; i < 7; ++i) step();
  // The last cell's second character is the line end, which comes with the next line.
  EXPECT_EQ(r->grid.label("lbl1316").caption(), "0");
  step();  // the newer header: it is the second one, the older frame stays
  EXPECT_EQ(r->grid.label("lbl1316").caption(), "0\r");
  EXPECT_EQ(r->grid.label("lbl1_1").caption(), "0 ");
  step();  // the terminal's cut takes the older header away: the newer frame decodes
  EXPECT_EQ(r->grid.label("lbl1_1").caption(), "1 ");
  EXPECT_EQ(r->grid.label("lbl3_1").caption(), "") << "its line 2 has not come yet";
  for (int i = 0; i < 7; ++i) step();
  EXPECT_EQ(r->grid.label("lbl1316").caption(), "1");
}

TEST_F(ReplayWindow, ALogWithoutFramesScrollsAndFeedsTheVelocityAndStopCount) {
  pause();
  open(log("stops.log", "VEL =     0\r\nhello\r\nVEL =    12\r\nVEL =     0\r\nVEL =     0\r\n" +
                            std::string(400, '-') + "\r\n"));
  std::vector<std::string> readings;
  for (int i = 0; i < 6; ++i) {
    step();
    readings.push_back(r->txtvel.text());
  }
  // The first reading in the terminal wins until it is cut away.
  EXPECT_EQ(readings, (std::vector<std::string>{"  0", "  0", "  0", "  0", "  0", "  0"}));
  EXPECT_EQ(r->Text2.text(), "1");
  for (const form::Label* s : r->grid.states()) EXPECT_EQ(s->caption(), "") << s->name();
  EXPECT_EQ(h.port, nullptr) << "the replay has no serial port and sends nothing";
}

TEST_F(ReplayWindow, StopsInTheLogAreCountedInTheReplaysOwnCounter) {
  pause();
  std::string bytes;
  for (const char* v : {"  0", " 40", "  0", "120", "  0"}) {
    bytes += "VEL =   " + std::string(v) + "\r\n" + std::string(420, '.') + "\r\n";
  }
  open(log("trip.log", bytes));
  for (int i = 0; i < 10; ++i) step();
  EXPECT_EQ(r->StopCount, 3);
  EXPECT_EQ(r->Text2.text(), "3");
}

struct TermCase {
  const char* name;
  std::string before;
  std::string assigned;
  std::string after;
  std::string velocity;
};

class ReplayTermTable : public ::testing::TestWithParam<TermCase> {};

TEST_P(ReplayTermTable, KeepsTheNewest418AndReadsTheFirstVelocity) {
  const TermCase& c = GetParam();
  Harness h;
  Replay* r = nullptr;
  h.run([&] { r = &h.app.showWindow(h.app.replay()); });
  h.run([&] { r->Term.setText(c.before); });
  h.run([&] { r->Term.setText(c.assigned); });
  EXPECT_EQ(r->Term.text(), c.after);
  EXPECT_EQ(r->Term.selStart(), r->Term.length()) << "the caret at the end";
  EXPECT_EQ(r->txtvel.text(), c.velocity);
}

const std::string k418(418, 'x');
INSTANTIATE_TEST_SUITE_P(
    Texts, ReplayTermTable,
    ::testing::Values(
        TermCase{"Short", "", "abc", "abc", ""}, TermCase{"Exactly418", "", k418, k418, ""},
        TermCase{"LongLineKeepsItsTail", "", std::string(500, 'a') + k418, k418, ""},
        TermCase{"TagAtTheEnd", "", "VEL =   4", "VEL =   4", "4"},
        TermCase{"TagWithNothingAfter", "", "VEL =   ", "VEL =   ", ""},
        TermCase{"FirstOfTwoTags", "", "VEL =    12\r\nVEL =     0", "VEL =    12\r\nVEL =     0",
                 " 12"},
        TermCase{"CutTagIsGone", "", "VEL =    12" + k418.substr(5),
                 ("VEL =    12" + k418.substr(5)).substr(6), ""},
        TermCase{"OlderCutNewerRead", "", "VEL =    12" + std::string(400, '.') + "VEL =   345",
                 ("VEL =    12" + std::string(400, '.') + "VEL =   345").substr(4), "345"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReplayWindow, TypedTextIsHandledLikeReplayedText) {
  h.run([&] { (void)r->Term.setFocus(); });
  for (char c : std::string("VEL =   77")) h.run([&] { r->pressKey(&r->Term, 0, 0, c); });
  EXPECT_EQ(r->txtvel.text(), "77");
  h.run([&] { r->Term.setText(std::string(500, 'z')); });
  EXPECT_EQ(r->Term.length(), 418);
}

TEST_F(ReplayWindow, AVeryLongLineNeedsNoMoreMemoryThanAPiece) {
  pause();
  open(log("long.log", std::string(3 * form::Files::kMaxLine + 10, 'q')));
  step();
  EXPECT_EQ(r->ReplayLine.size(), form::Files::kMaxLine);
  EXPECT_EQ(r->Term.length(), 418);
  for (int i = 0; i < 4; ++i) step();
  EXPECT_FALSE(r->Command1.enabled()) << "the rest came in pieces, then the end";
}

TEST_F(ReplayWindow, CloseLogFileAfterTheEndOnlyUpdatesTheControls) {
  pause();
  open(log("one.log", "x"));
  step();
  step();
  h.run([&] { r->MCloseLog.click(); });
  EXPECT_EQ(r->caption(), "Tavrin");
  EXPECT_FALSE(r->MCloseLog.enabled());
  EXPECT_EQ(r->Term.text(), "\r\nx") << "the terminal keeps what it shows";
}

TEST_F(ReplayWindow, ASecondLogContinuesInTheSameTerminalAndTheFirstIsClosed) {
  pause();
  open(log("first.log", "1a\r\n1b\r\n"));
  step();
  const std::int16_t first = r->ReplayFileNo;
  open(log("second.log", "2a\r\n"));
  EXPECT_NE(r->ReplayFileNo, first);
  EXPECT_FALSE(h.app.files().isOpen(first)) << "no file number is left behind";
  step();
  EXPECT_EQ(r->Term.text(), "\r\n1a\r\n2a");
}

TEST_F(ReplayWindow, AFailedOpenKeepsTheLogThatIsPlaying) {
  pause();
  open(log("first.log", "1a\r\n1b\r\n"));
  std::filesystem::create_directory(dir.file("folder.log"));
  open(dir.file("folder.log"));
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_NE(h.platform.boxes()[0].box.text.find("folder.log"), std::string::npos);
  step();
  EXPECT_EQ(r->ReplayLine, "1a");
}

TEST_F(ReplayWindow, ExitBringsUpTheMenuAndPlaybackGoesOn) {
  open(log("run.log", "a\r\nb\r\n"));
  h.run([&] { r->MFileExit.click(); });
  ASSERT_NE(h.app.find<Form3>(), nullptr);
  EXPECT_TRUE(h.app.find<Form3>()->shown());
  EXPECT_TRUE(r->shown());
  h.advance(1000);
  EXPECT_EQ(r->ReplayLine, "a");
}

TEST_F(ReplayWindow, ClosingTheWindowClosesItsLogAndShowsTheMenu) {
  open(log("run.log", "a\r\n"));
  h.run([&] { h.app.userClose(*r); });
  EXPECT_EQ(h.app.find<Replay>(), nullptr);
  EXPECT_EQ(h.app.files().FreeFile(), 1);
  EXPECT_TRUE(h.app.find<Form3>()->shown());
  EXPECT_FALSE(h.app.ended());
}

}  // namespace
}  // namespace kestrava
