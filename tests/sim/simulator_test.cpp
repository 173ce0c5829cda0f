#include <gtest/gtest.h>

#include "sim/controller.h"
#include "support/harness.h"

namespace kestrava::sim {
namespace {

using testing::Harness;

// (floor, phase) every second of simulated time.
std::vector<std::pair<int, CarModel::Phase>> journey(std::uint32_t seed, int seconds) {
  CarModel car(seed);
  std::vector<std::pair<int, CarModel::Phase>> samples;
  for (int s = 0; s < seconds; ++s) {
    for (int i = 0; i < 1000 / CarModel::kStepMs; ++i) car.step();
    samples.emplace_back(car.floor(), car.phase());
  }
  return samples;
}

TEST(CarModel, TheSameSeedGivesTheSameJourney) {
  EXPECT_EQ(journey(7, 300), journey(7, 300));
  EXPECT_NE(journey(7, 300), journey(8, 300));
}

TEST(CarModel, ACallTakesTheCarThereAndItStopsLevelWithTheDoorsOpening) {
  CarModel car(1);
  ASSERT_TRUE(car.call(4));
  bool sawContractSpeed = false;
  bool sawLeveling = false;
  int steps = 0;
  while (!(car.stops() == 1) && steps++ < 100000) {
    car.step();
    sawContractSpeed |= car.velocityFpm() >= 340;
    sawLeveling |= car.phase() == CarModel::Phase::Leveling;
    if (car.moving()) {
      EXPECT_EQ(car.cell(3, 14), '1') << "SM shows motion";
    }
  }
  EXPECT_EQ(car.stops(), 1);
  EXPECT_EQ(car.floor(), 4);
  EXPECT_TRUE(sawContractSpeed);
  EXPECT_TRUE(sawLeveling);
  EXPECT_EQ(car.velocityReading(), "  0");
  EXPECT_EQ(car.phase(), CarModel::Phase::DoorsOpening);
  EXPECT_EQ(car.cell(3, 14), '0');
  // The floor in binary on R1, R2, R4.
  EXPECT_EQ(std::string({car.cell(4, 2), car.cell(4, 3), car.cell(4, 4)}), "001");
  EXPECT_FALSE(car.call(7)) << "there is no eighth floor";
}

TEST(Controller, EchoesAndAnswersEveryCommandWithItsPrompt) {
  Controller c(1);
  EXPECT_EQ(c.receive("ve"), "ve");
  EXPECT_EQ(c.receive("l\r"), "l\r\nVEL =     0\r\n> ");
  EXPECT_EQ(c.answer("scc3"), "CAR CALL 2 REGISTERED\r\n");
  EXPECT_EQ(c.answer("scc9"), "?INVALID CAR CALL scc9\r\n");
  EXPECT_EQ(c.answer("scc"), "?INVALID CAR CALL scc\r\n");
  EXPECT_EQ(c.answer("std"), "?END OF TRAVEL\r\n") << "the car stands at B";
  EXPECT_EQ(c.answer("stu"), "STEP UP OK\r\n");
  EXPECT_EQ(c.answer("install"), "INSTALL OK - SESSION RESTARTED\r\n");
  EXPECT_EQ(c.answer("hello"), "?hello\r\n");
  const std::string frame = c.answer("pmii");
  EXPECT_EQ(frame.substr(0, 8), "> PMII\r\n");
  EXPECT_EQ(frame.size(), 8u + 9 * 40);
  for (int line = 1; line <= 8; ++line) EXPECT_EQ(frameLine(c.car(), line).size(), 38u);
}

// The answers laid out so that the terminal window's frame detection and decoder read them.
TEST(Controller, KestravaReadsItsAnswers) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  Controller c(5);
  c.car().call(3);
  for (int i = 0; i < 800; ++i) c.car().step();  // under way
  ASSERT_TRUE(c.car().moving());
  auto feed = [&](const std::string& text) {
    h.run([&] {
      std::string chunk = text;
      f.AppendToTerm(f.Term, chunk);
    });
  };
  feed(c.receive("pmii\r"));
  h.advance(250);  // the decode tick
  EXPECT_EQ(f.grid.label("lbl514").caption(), "1 ") << "SM: moving";
  EXPECT_EQ(f.grid.label("lbl113").caption(), "1 ") << "RUN";
  ASSERT_EQ(h.port->sentText(), "vel\r");
  feed(c.receive("vel\r"));
  EXPECT_EQ(f.txtvel.text(), c.car().velocityReading());
  EXPECT_NE(f.txtvel.text(), "  0");
  feed(c.receive("bbt\r"));
  EXPECT_EQ(f.txtbbt.text(), "00000");
  feed(c.receive("flt0\r"));
  ASSERT_EQ(f.Text5.text().size(), 76u);
  EXPECT_EQ(f.Text5.text().substr(0, 19), "F00 NO ACTIVE FAULT");
}

}  // namespace
}  // namespace kestrava::sim
