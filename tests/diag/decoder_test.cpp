#include <gtest/gtest.h>

#include "diag/pmi_decoder.h"
#include "support/controller.h"

namespace kestrava::diag {
namespace {

using testing::Harness;
using testing::pmiFrame;

// Cell states that say where they came from: line k, cell r shows a letter unique to (k, r).
char marker(int line, int r) {
  return static_cast<char>('A' + (line - 1) * 3 + (r % 3));
}

class Decoder : public ::testing::Test {
 protected:
  Harness h;
  Form1& f = h.form1();
  std::string caption(const char* name) { return f.grid.label(name).caption(); }
};

TEST_F(Decoder, CopiesEveryDecodedCellUninterpreted) {
  const std::string frame = pmiFrame(marker);
  DecodePmiFrame(f.grid, frame, findPmiHeader(frame));
  for (std::size_t i = 0; i < decodedCells().size(); ++i) {
    const GridCell& cell = *decodedCells()[i];
    const char second = cell.row == 16 ? '\r' : ' ';
    const std::string expected{marker(cell.frameLine, cell.row), second};
    EXPECT_EQ(f.grid.states()[i]->caption(), expected) << cell.name;
  }
}

TEST_F(Decoder, LinesFiveToSevenAndTheFiveSkippedCellsNeverReachTheGrid) {
  const std::string frame = pmiFrame([](int line, int r) {
    if (line >= 5 && line <= 7) return 'X';
    if (line == 1 && r >= 5 && r <= 7) return 'Y';
    if (line == 3 && r >= 15) return 'Z';
    return '0';
  });
  DecodePmiFrame(f.grid, frame, 1);
  for (const GridCell& cell : gridCells()) {
    if (!cell.isState()) continue;
    EXPECT_EQ(caption(cell.name).find_first_of("XYZ"), std::string::npos) << cell.name;
  }
  for (const char* never : {"lbl1_5", "lbl1_6", "lbl1_7", "lbl515", "lbl516"}) {
    EXPECT_EQ(caption(never), "") << never;
  }
}

TEST_F(Decoder, TheFirstOfTwoHeadersWins) {
  const std::string older = pmiFrame([](int, int) { return '0'; });
  const std::string newer = pmiFrame([](int, int) { return '1'; });
  const std::string window = older + newer;
  ASSERT_EQ(findPmiHeader(window), 1);
  DecodePmiFrame(f.grid, window, findPmiHeader(window));
  for (const form::Label* state : f.grid.states()) {
    EXPECT_EQ(state->caption().substr(0, 1), "0") << state->name();
  }
}

TEST_F(Decoder, AFrameCutByTheWindowsEndGivesShortCaptions) {
  // A full 418-character window: with the header 60 characters in, the last cell keeps one
  // character; one further on it gets none.
  const std::string frame = pmiFrame([](int, int) { return '1'; });
  for (const auto& [lead, expected] : {std::pair{60, std::string("1")}, {61, std::string()}}) {
    const std::string window = (std::string(lead, '.') + frame).substr(0, 418);
    ASSERT_EQ(window.size(), 418u);
    const int p = findPmiHeader(window);
    ASSERT_EQ(p, lead + 1);
    DecodePmiFrame(f.grid, window, p);
    EXPECT_EQ(caption("lbl1316"), expected) << "p = " << p;
    EXPECT_EQ(caption("lbl1315"), "1 ") << "p = " << p;
  }
}

TEST_F(Decoder, HeaderSearchIsExactAndCaseSensitive) {
  const std::string frame = pmiFrame([](int, int) { return '1'; });
  std::string lower = frame;
  lower.replace(0, 3, "pmi");
  EXPECT_EQ(findPmiHeader(lower), 0);
  EXPECT_EQ(findPmiHeader("PMI # = = = = = = = = = = = = = = = = ="), 0) << "one blank short";
  EXPECT_EQ(findPmiHeader("x" + frame), 2);
}

TEST(LeadingNumber, TheNumberACaptionStartsWith) {
  struct Case {
    const char* text;
    double value;
  };
  for (const Case& c :
       {Case{"1 ", 1}, Case{"0\r", 0}, Case{"  12.5x", 12.5}, Case{"-1", -1}, Case{"+2", 2},
        Case{"", 0}, Case{" ", 0}, Case{"x1", 0}, Case{"1.", 1}, Case{".5", 0.5}, Case{"-", 0}}) {
    EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << "'" << c.text << "'";
  }
}

struct VelocityCase {
  const char* name;
  char sm;  // 0 for a frame cut off before the SM cell
  const char* velocity;
  bool requested;
};

class VelocityRequest : public ::testing::TestWithParam<VelocityCase> {};

TEST_P(VelocityRequest, TheDecodeTickAsksOnlyWhenTheSmCellSaysSo) {
  const VelocityCase& c = GetParam();
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  f.txtvel.setText(c.velocity);
  std::string frame;
  if (c.sm) {
    frame = pmiFrame([&](int line, int r) { return line == 3 && r == 14 ? c.sm : '0'; });
  } else {
    frame = pmiFrame([](int, int) { return '0'; }).substr(0, 120);  // ends before SM
  }
  f.Text1.setText(frame);
  f.Timer1.setEnabled(true);
  h.port->clearSent();
  h.advance(250);
  EXPECT_EQ(h.port->sentText(), c.requested ? "vel\r" : "");
  EXPECT_TRUE(f.Timer3.enabled());
  EXPECT_FALSE(f.Timer1.enabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, VelocityRequest,
                         ::testing::Values(VelocityCase{"SmOne", '1', "  0", true},
                                           VelocityCase{"SmZeroMoving", '0', " 12", true},
                                           VelocityCase{"SmZeroStopped", '0', "  0", false},
                                           VelocityCase{"SmZeroNoReading", '0', "", true},
                                           VelocityCase{"SmTwo", '2', " 12", false},
                                           VelocityCase{"CutOffFrame", 0, " 12", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeTick, WithoutAHeaderItKeepsLookingAndLeavesTheCycleTimer) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  f.Text1.setText("> PMII\r\nnothing yet");
  f.Label3.setBackColor(form::kDarkGreen);
  f.Timer2.setEnabled(true);
  f.Timer1.setEnabled(true);
  h.advance(250);
  EXPECT_FALSE(f.Timer2.enabled());
  EXPECT_EQ(f.Label3.backColor(), form::kGrey);
  EXPECT_TRUE(f.Timer1.enabled());
  EXPECT_FALSE(f.Timer3.enabled());
  EXPECT_EQ(f.grid.label("lbl1_1").caption(), "");
}

TEST(DecodeTick, WithThePortClosedNoVelocityRequestButTheCycleGoesOn) {
  Harness h;
  Form1& f = h.form1();
  f.Text1.setText(testing::frameWithSm('1'));
  f.Timer1.setEnabled(true);
  h.advance(250);
  EXPECT_EQ(h.port->refusedOutputs(), 0);
  EXPECT_EQ(f.grid.label("lbl514").caption(), "1 ");
  EXPECT_TRUE(f.Timer3.enabled());
}

}  // namespace
}  // namespace kestrava::diag
