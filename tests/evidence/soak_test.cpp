// A day of polling against a scripted controller, under the virtual clock (it runs in
// seconds): the buffers stay within their bounds, no file number is leaked, the grid shows the
// last frame, and the polls keep the pace the cycle implies.

#include <gtest/gtest.h>

#include "support/controller.h"
#include "support/temp_dir.h"

namespace kestrava {
namespace {

using testing::Harness;
using testing::ScriptedController;
using testing::TempDir;

TEST(Soak, TwentyFourHoursOfPollCycles) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  TempDir dir;
  h.platform.answerDialog(testing::chose(dir.file("day.log")));
  h.run([&] { f.MOpenLog.click(); });
  ASSERT_NE(f.LogFileNo, 0);

  // The car's state changes with every frame: cell 1 of line 1 shows the frame number's
  // parity, so the last frame can be told from the ones before it.
  ScriptedController controller{h};
  controller.chunkSize = 24;
  int frames = 0;
  int velocityRequests = 0;
  controller.answer = [&](const std::string& command) -> std::string {
    if (command == "pmii") {
      ++frames;
      const char parity = frames % 2 ? '1' : '0';
      return "pmii\r\n> PMII\r\n" + testing::pmiFrame([&](int line, int r) {
               return line == 1 && r == 1 ? parity : '0';
             }) +
             "> ";
    }
    if (command == "vel") {
      ++velocityRequests;
      return "vel\r\nVEL =     0\r\n> ";
    }
    return command + "\r\n> ";
  };

  h.run([&] { f.Command1.click(); });
  constexpr std::int64_t kDay = 24LL * 60 * 60 * 1000;
  constexpr std::int64_t kHour = 60LL * 60 * 1000;
  for (std::int64_t t = 0; t < kDay; t += kHour) {
    h.advance(kHour);
    ASSERT_LE(f.Term.length(), 16384 + 64) << "hour " << t / kHour;
    ASSERT_LE(f.Text1.length(), 418);
    ASSERT_FALSE(h.port->sent().empty()) << "polling stalled in hour " << t / kHour;
    h.port->clearSent();
  }
  // Each poll is answered (100 ms, then 16 chunks 2 ms apart), the line falls silent, and
  // 1000 ms after the last chunk's lamp tick the next poll goes: a silence poll every 1131 ms.
  // Every 8 seconds the cycle timer re-arms the poll timer, which adds one or two polls before
  // the next decode stops it.
  const int silencePolls = static_cast<int>(kDay / 1131);
  const int cyclePollsAtMost = static_cast<int>(2 * kDay / 8000);
  EXPECT_GE(frames, silencePolls * 99 / 100);
  EXPECT_LE(frames, silencePolls + cyclePollsAtMost);
  EXPECT_EQ(f.grid.label("lbl1_1").caption(), frames % 2 ? "1 " : "0 ")
      << "the grid shows the last frame";
  EXPECT_EQ(velocityRequests, 1) << "the car stands: one reading, then no more requests";
  EXPECT_EQ(h.app.files().FreeFile(), 2) << "only the log holds a file number";
  h.run([&] { f.MCloseLog.click(); });
  EXPECT_EQ(h.app.files().FreeFile(), 1);
  EXPECT_FALSE(h.app.ended());
}

}  // namespace
}  // namespace kestrava
