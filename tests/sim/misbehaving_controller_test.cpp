// The simulator's fault modes against the program's core, under the virtual clock: the display
// degrades as its rules say, nothing breaks, and it recovers when sane answers return.

#include <gtest/gtest.h>

#include "sim/controller.h"
#include "support/controller.h"

namespace kestrava {
namespace {

using Fault = sim::Controller::Fault;
using testing::Harness;
using testing::ScriptedController;

class MisbehavingController : public ::testing::Test {
 protected:
  Harness h;
  Form1& f = h.form1();
  sim::Controller controller{21};
  ScriptedController line{h};
  void SetUp() override {
    h.openPort();
    line.chunkSize = 20;
    line.answer = [this](const std::string& command) { return controller.receive(command + "\r"); };
  }
  // Runs `ms` of time, the car moving on with it.
  void run(std::int64_t ms) {
    for (std::int64_t t = 0; t < ms; t += 10) {
      controller.car().step();
      if (controller.fault() == Fault::Flood) {
        const std::string noise = controller.floodChunk();
        h.run([&] { h.port->receive(noise); });
      }
      h.advance(10);
      ASSERT_LE(f.Term.length(), 16384 + 512);
      ASSERT_LE(f.Text1.length(), 418);
    }
  }
  bool cleanFrame() const {
    for (const form::Label* l : f.grid.states()) {
      const std::string& c = l->caption();
      if (c.size() != 2 || (c[0] != '0' && c[0] != '1') || (c[1] != ' ' && c[1] != '\r')) {
        return false;
      }
    }
    return true;
  }
  std::size_t polls() const {
    std::size_t n = 0;
    for (const auto& s : h.port->sent()) n += s.data == "pmii\r";
    return n;
  }
};

TEST_F(MisbehavingController, EachFaultDegradesAndSaneAnswersBringTheDisplayBack) {
  h.run([&] { f.Command1.click(); });
  run(5000);
  ASSERT_TRUE(cleanFrame()) << "a sane controller fills the grid";

  for (const Fault fault : {Fault::CutFrames, Fault::Garbage, Fault::Silent, Fault::Flood}) {
    SCOPED_TRACE(static_cast<int>(fault));
    controller.setFault(fault);
    const std::size_t before = polls();
    run(20000);
    if (fault == Fault::Flood) {
      // A line that never falls silent gets no silence polls, and the decode timer, looking
      // for a header the noise has pushed out, stops each poll the cycle timer arms.
      EXPECT_EQ(polls(), before);
    } else {
      EXPECT_GT(polls(), before) << "polling goes on";
    }
    EXPECT_FALSE(h.app.ended());
    if (fault == Fault::CutFrames) {
      // A frame that ends after line 3: what stands at line 4's and 8's offsets is decoded as
      // it is, uninterpreted; the grid is no longer a clean frame.
      EXPECT_FALSE(cleanFrame());
    }
    controller.setFault(Fault::None);
    bool recovered = false;
    for (int i = 0; i < 30 && !recovered; ++i) {
      run(1000);
      recovered = cleanFrame() && f.Timer3.enabled();
    }
    EXPECT_TRUE(recovered) << "the grid shows clean frames again";
  }
}

TEST(Simulator, FaultModesAreSetAndClearedByCommand) {
  sim::Controller c(1);
  EXPECT_EQ(c.answer("fault cut"), "FAULT cut\r\n");
  const std::string cut = c.answer("pmii");
  EXPECT_EQ(cut.size(), 8u + 4 * 40) << "header and three lines";
  EXPECT_EQ(c.receive("fault silent\r"), "fault silent\r\nFAULT silent\r\n> ");
  EXPECT_EQ(c.receive("vel\r"), "");
  EXPECT_EQ(c.answer("fault off"), "FAULT off\r\n");
  EXPECT_EQ(c.fault(), sim::Controller::Fault::None);
  EXPECT_EQ(c.answer("fault wobble"), "?FAULT MODES: CUT GARBAGE SILENT FLOOD OFF\r\n");
}

}  // namespace
}  // namespace kestrava
