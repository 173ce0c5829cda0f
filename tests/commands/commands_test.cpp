#include <gtest/gtest.h>

#include "support/controller.h"

namespace kestrava {
namespace {

using testing::Harness;
using testing::ScriptedController;

struct FloorCase {
  const char* floor;
  const char* sent;
};

class DobTable : public ::testing::TestWithParam<FloorCase> {};

TEST_P(DobTable, TheWholeFloorTextPicksTheCall) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.run([&] { f.txtpos.setText(GetParam().floor); });
  h.run([&] { (void)f.Text2.setFocus(); });
  h.run([&] { f.Command3.click(); });
  EXPECT_EQ(h.port->sentText(), GetParam().sent);
  EXPECT_EQ(f.activeControl(), &f.Text2) << "the focus stays where it is";
}

INSTANTIATE_TEST_SUITE_P(Floors, DobTable,
                         ::testing::Values(FloorCase{"B", "scc1\r"}, FloorCase{"1", "scc2\r"},
                                           FloorCase{"2", "scc3\r"}, FloorCase{"3", "scc4\r"},
                                           FloorCase{"4", "scc5\r"}, FloorCase{"5", "scc6\r"},
                                           FloorCase{"6", "scc7\r"}, FloorCase{"b", ""},
                                           FloorCase{"7", ""}, FloorCase{" 1", ""},
                                           FloorCase{"1 ", ""}, FloorCase{"", ""}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

class Buttons : public ::testing::Test {
 protected:
  Harness h;
  Form1& f = h.form1();
  void SetUp() override { h.openPort(); }
};

TEST_F(Buttons, PmiOneStartsTheLiveDisplay) {
  f.Timer1.setEnabled(false);
  f.Timer3.setEnabled(true);
  h.run([&] { f.Command1.click(); });
  EXPECT_EQ(h.port->sentText(), "pmii\r");
  EXPECT_TRUE(f.Text3.visible());
  EXPECT_EQ(f.activeControl(), &f.Text3);
  EXPECT_TRUE(f.Text4.visible());
  EXPECT_TRUE(f.Picture1.visible());
  EXPECT_EQ(f.Label3.backColor(), form::kDarkGreen);
  EXPECT_TRUE(f.Timer2.enabled());
  EXPECT_FALSE(f.Timer1.enabled()) << "unchanged";
  EXPECT_TRUE(f.Timer3.enabled()) << "unchanged";
  EXPECT_EQ(f.caption(), "Kestrava Car");
  h.run([&] { f.Command1.click(); });
  EXPECT_EQ(h.port->sentText(), "pmii\rpmii\r") << "a second press sends again";
}

TEST_F(Buttons, ResetStopsEverythingAndClearsTheCountButNotItsField) {
  h.run([&] { f.Command1.click(); });
  f.Timer1.setEnabled(true);
  f.Timer3.setEnabled(true);
  f.StopCount = 3;
  f.Text2.setText("3");
  f.setCaption("Stress Test");
  h.port->clearSent();
  h.run([&] { f.Command2.click(); });
  EXPECT_TRUE(h.port->sent().empty()) << "reset sends nothing, and no bbt";
  EXPECT_FALSE(f.Timer1.enabled());
  EXPECT_FALSE(f.Timer2.enabled());
  EXPECT_FALSE(f.Timer3.enabled());
  EXPECT_FALSE(f.Text3.visible());
  EXPECT_FALSE(f.Picture1.visible());
  EXPECT_TRUE(f.Text4.visible());
  EXPECT_EQ(f.Label3.backColor(), form::kGrey);
  EXPECT_EQ(f.caption(), "Kestrava Car");
  EXPECT_EQ(f.activeControl(), &f.Term);
  EXPECT_EQ(f.StopCount, 0);
  EXPECT_EQ(f.Text2.text(), "3");
}

TEST_F(Buttons, StepUpAndDownLightTheLampAndPickTheFocus) {
  h.run([&] { f.Command4.click(); });
  EXPECT_EQ(f.activeControl(), &f.Term) << "the command line is hidden";
  h.run([&] { f.Command1.click(); });
  h.run([&] { (void)f.txtpos.setFocus(); });
  h.run([&] { f.Command5.click(); });
  EXPECT_EQ(f.activeControl(), &f.Text3);
  EXPECT_EQ(h.port->sentText(), "stu\rpmii\rstd\r");
  EXPECT_EQ(f.Label5.backColor(), form::kGreen);
}

TEST_F(Buttons, WithThePortClosedNothingIsSentAndNothingEnds) {
  h.run([&] { (void)h.port->setPortOpen(false); });
  for (form::Button* b :
       {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5, &f.Command6}) {
    h.run([&] { b->click(); });
  }
  h.run([&] { f.pressKey(&f.Text3, form::kKeyReturn, 0, 13); });
  h.advance(20000);
  EXPECT_TRUE(h.port->sent().empty());
  EXPECT_GT(h.port->refusedOutputs(), 0);
  EXPECT_FALSE(h.app.ended());
}

TEST_F(Buttons, TheCommandLineSendsItsWholeTextOnEnterAndKeepsIt) {
  h.run([&] { f.Command1.click(); });
  h.port->clearSent();
  h.run([&] { f.pressKey(&f.Text3, form::kKeyReturn, 0, 13); });
  EXPECT_EQ(h.port->sentText(), "\r") << "an empty line sends a lone CR";
  for (char c : std::string("scc3")) h.run([&] { f.pressKey(&f.Text3, 0, 0, c); });
  EXPECT_EQ(h.port->sentText(), "\r") << "other keys only edit";
  h.run([&] { f.pressKey(&f.Text3, form::kKeyReturn, 0, 13); });
  h.run([&] { f.pressKey(&f.Text3, form::kKeyReturn, 0, 13); });
  EXPECT_EQ(h.port->sentText(), "\rscc3\rscc3\r");
  EXPECT_EQ(f.Text3.text(), "scc3");
}

TEST_F(Buttons, EveryChangeOfTheStopFieldAsksForBbt) {
  h.run([&] { (void)f.Text2.setFocus(); });
  h.run([&] { f.pressKey(&f.Text2, 0, 0, '4'); });
  h.run([&] { f.pressKey(&f.Text2, 0, 0, '2'); });
  h.run([&] { f.pressKey(&f.Text2, form::kKeyBack, 0, 8); });
  EXPECT_EQ(h.port->sentText(), "bbt\rbbt\rbbt\r");
}

// A stop of the car brings in both readings, through the controller's answers.
TEST_F(Buttons, TheStopChainFillsBbtAndFlt0) {
  ScriptedController controller{h};
  controller.chunkSize = 16;
  const std::string fault =
      "E12 DOOR OPEN TIMEOUT FLOOR 3  14:02:33  COUNT 0004" + std::string(25, '.');
  ASSERT_EQ(fault.size(), 76u);
  controller.answers["bbt"] = "BBT  =  00042\r\n";
  controller.answers["flt0"] = "FLT0  = " + fault + "\r\n";
  h.run([&] {
    std::string c = "> PMII\r\nVEL =     0\r\n";
    f.AppendToTerm(f.Term, c);
  });
  EXPECT_EQ(f.Text2.text(), "1");
  EXPECT_EQ(h.port->sentText(), "bbt\r");
  h.advance(200);
  EXPECT_EQ(f.txtbbt.text(), "00042");
  EXPECT_EQ(h.port->sentText(), "bbt\rflt0\r");
  h.advance(200);
  EXPECT_EQ(f.Text5.text(), fault);
}

class Stress : public Buttons {
 protected:
  std::vector<std::pair<std::string, std::int64_t>> stressSends() const {
    std::vector<std::pair<std::string, std::int64_t>> out;
    for (const auto& s : h.port->sent()) {
      if (s.data.rfind("scc", 0) == 0) out.emplace_back(s.data, s.atMs);
    }
    return out;
  }
  using Sends = std::vector<std::pair<std::string, std::int64_t>>;
};

TEST_F(Stress, AlternatesEveryEightSecondsFromTheSecondTick) {
  h.run([&] { f.Command6.click(); });
  EXPECT_EQ(f.caption(), "Stress Test");
  EXPECT_TRUE(f.Timer3.enabled());
  h.advance(40000);
  const Sends expected = {
      {"scc5\r", 16000}, {"scc1\r", 24000}, {"scc5\r", 32000}, {"scc1\r", 40000}};
  EXPECT_EQ(stressSends(), expected);
  EXPECT_EQ(f.StressStep, 1);
  // Every tick polls as well: the first one 250 ms after it.
  ASSERT_GE(h.port->sent().size(), 1u);
  EXPECT_EQ(h.port->sent()[0].data, "pmii\r");
  EXPECT_EQ(h.port->sent()[0].atMs, 8250);
}

TEST_F(Stress, StoppingAndStartingAgainContinuesTheAlternation) {
  h.run([&] { f.Command6.click(); });
  h.advance(16000);  // "scc5" went out
  h.run([&] { f.Command6.click(); });
  EXPECT_EQ(f.caption(), "Kestrava Car");
  EXPECT_FALSE(f.Timer3.enabled());
  EXPECT_FALSE(f.Timer2.enabled());
  EXPECT_EQ(f.Label3.backColor(), form::kGrey);
  h.advance(30000);
  h.port->clearSent();
  h.run([&] { f.Command6.click(); });
  h.advance(8000);
  const Sends expected = {{"scc1\r", 54000}};
  EXPECT_EQ(stressSends(), expected);
}

TEST_F(Stress, TheFieldIsSentAsTyped) {
  for (const auto& [text, sent] : {std::pair{"", "scc\r"}, {"12", "scc12\r"}, {" x", "scc x\r"}}) {
    Harness fresh;
    Form1& w = fresh.form1();
    fresh.openPort();
    w.Text4.setText(text);
    fresh.run([&] { w.Command6.click(); });
    fresh.advance(16000);
    std::string scc;
    for (const auto& s : fresh.port->sent()) {
      if (s.data.rfind("scc", 0) == 0) scc += s.data;
    }
    EXPECT_EQ(scc, sent) << "'" << text << "'";
  }
}

TEST_F(Stress, PressedWhilePollingItStopsTheCycleInstead) {
  ScriptedController controller{h};
  controller.answers["pmii"] = "> PMII\r\n" + testing::frameWithSm('0');
  h.run([&] { f.Command1.click(); });
  h.advance(1000);
  ASSERT_TRUE(f.Timer3.enabled()) << "the decode tick started the cycle";
  h.run([&] { f.Command6.click(); });
  EXPECT_FALSE(f.Timer3.enabled());
  EXPECT_FALSE(f.Timer2.enabled());
  EXPECT_EQ(f.caption(), "Kestrava Car");
  EXPECT_EQ(f.activeControl(), &f.Text3) << "the command line is shown";
}

TEST_F(Stress, ACaptionChangeSilencesItWhileTheTicksKeepPolling) {
  h.run([&] { f.Command6.click(); });
  h.run([&] { f.setCaption("Tavrin - visit.log"); });  // as opening a log does
  h.advance(40000);
  EXPECT_TRUE(stressSends().empty());
  EXPECT_TRUE(f.Timer3.enabled());
  EXPECT_EQ(f.StressStep, 0) << "no stress step was taken";
}

TEST_F(Stress, ResetEndsIt) {
  h.run([&] { f.Command6.click(); });
  h.advance(9000);
  h.run([&] { f.Command2.click(); });
  EXPECT_EQ(f.caption(), "Kestrava Car");
  h.port->clearSent();
  h.advance(40000);
  EXPECT_TRUE(stressSends().empty());
  EXPECT_FALSE(f.Timer3.enabled());
}

}  // namespace
}  // namespace kestrava
