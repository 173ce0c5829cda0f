// Real faults: the process killed while recording, a byte-exact capture over a pseudo-terminal,
// bad files for the replay.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <random>

#include "link/qt/qt_comm_control.h"
#include "replay/replay.h"
#include "support/harness.h"
#include "support/qt_loop.h"
#include "support/reference_filter.h"
#include "support/replay_fixture.h"
#include "support/temp_dir.h"

namespace kestrava {
namespace {

using testing::Harness;
using testing::TempDir;

std::string randomChunk(std::mt19937& rng) {
  std::string chunk(1 + rng() % 200, '\0');
  for (char& c : chunk) c = static_cast<char>(rng() % 256);
  return chunk;
}

TEST(Faults, AKilledProcessLeavesEveryChunkItHadShownInTheLog) {
  TempDir dir;
  const std::string path = dir.file("killed.log");
  int progress[2];
  ASSERT_EQ(pipe(progress), 0);
  const pid_t child = fork();
  if (child == 0) {
    // The recording program, flat out, telling after each chunk that it was shown.
    close(progress[0]);
    Harness h;
    Form1& f = h.form1();
    h.platform.answerDialog(testing::chose(path));
    h.run([&] { f.MOpenLog.click(); });
    std::mt19937 rng(9);
    for (std::uint32_t n = 1;; ++n) {
      std::string chunk = randomChunk(rng);
      h.run([&] { f.AppendToTerm(f.Term, chunk); });
      if (write(progress[1], &n, sizeof n) != sizeof n) _exit(1);
    }
  }
  close(progress[1]);
  std::uint32_t shown = 0;
  for (int i = 0; i < 20000; ++i) {
    if (read(progress[0], &shown, sizeof shown) != sizeof shown) break;
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  std::uint32_t last = shown;
  while (read(progress[0], &last, sizeof last) == sizeof last) {
  }
  close(progress[0]);

  std::mt19937 rng(9);
  std::string expected;
  for (std::uint32_t n = 1; n <= last + 1; ++n)
    expected += testing::referenceFilter(randomChunk(rng));
  std::string shownBytes;
  rng.seed(9);
  for (std::uint32_t n = 1; n <= last; ++n)
    shownBytes += testing::referenceFilter(randomChunk(rng));
  const std::string log = TempDir::read(path);
  ASSERT_GE(log.size(), shownBytes.size()) << "a chunk that was shown is missing";
  EXPECT_EQ(log, expected.substr(0, log.size())) << "the log is not what was received";
  EXPECT_GT(last, 10000u);
}

// 41.5 MB over all 256 byte values, random chunks, from the far end of a pseudo-terminal
// through the serial component into the log.
class CountingComm : public link::QtCommControl {
 public:
  std::string Input() override {
    std::string s = QtCommControl::Input();
    chunks.push_back(s);
    return s;
  }
  std::vector<std::string> chunks;
};

TEST(Faults, AByteExactCaptureOfAnHoursWorth) {
  testing::ensureQtApplication();
  constexpr std::size_t kBytes = 41'500'000;
  int master = -1, slave = -1;
  char name[256];
  termios raw{};
  cfmakeraw(&raw);
  ASSERT_EQ(openpty(&master, &slave, name, &raw, nullptr), 0);
  setenv("KESTRAVA_COM1", name, 1);
  TempDir dir;
  const std::string path = dir.file("capture.log");
  CountingComm* port = nullptr;
  form::testing::VirtualPlatform platform;
  App app(platform, [&] {
    auto made = std::make_unique<CountingComm>();
    port = made.get();
    return made;
  });
  Form1* f = nullptr;
  app.dispatch([&] { f = &app.showWindow(app.form1()); });
  app.dispatch([&] { f->MOpen.click(); });
  ASSERT_TRUE(port->PortOpen());
  platform.answerDialog(testing::chose(path));
  app.dispatch([&] { f->MOpenLog.click(); });

  const pid_t child = fork();
  if (child == 0) {
    std::mt19937 rng(17);
    std::size_t sent = 0;
    while (sent < kBytes) {
      std::string chunk(std::min<std::size_t>(1 + rng() % 4096, kBytes - sent), '\0');
      for (char& c : chunk) c = static_cast<char>(rng() % 256);
      for (std::size_t at = 0; at < chunk.size();) {
        const ssize_t n = write(master, chunk.data() + at, chunk.size() - at);
        if (n > 0) at += static_cast<std::size_t>(n);
      }
      sent += chunk.size();
    }
    _exit(0);
  }
  std::size_t received = 0;
  ASSERT_TRUE(testing::runUntil(
      [&] {
        received = 0;
        for (const auto& c : port->chunks) received += c.size();
        return received >= kBytes;
      },
      120000));
  waitpid(child, nullptr, 0);
  app.dispatch([&] { f->MCloseLog.click(); });

  std::mt19937 rng(17);
  std::string sentBytes;
  sentBytes.reserve(kBytes);
  while (sentBytes.size() < kBytes) {
    std::string chunk(std::min<std::size_t>(1 + rng() % 4096, kBytes - sentBytes.size()), '\0');
    for (char& c : chunk) c = static_cast<char>(rng() % 256);
    sentBytes += chunk;
  }
  std::string receivedBytes, expectedLog;
  for (const auto& c : port->chunks) {
    receivedBytes += c;
    expectedLog += testing::referenceFilter(c);
  }
  EXPECT_TRUE(receivedBytes == sentBytes) << "bytes were lost or changed on the line";
  const std::string log = TempDir::read(path);
  EXPECT_EQ(log.size(), expectedLog.size());
  EXPECT_TRUE(log == expectedLog) << "the log differs from the filtered chunks";
  app.dispatch([&] { (void)f->MSComm1.setPortOpen(false); });
  close(master);
  close(slave);
  unsetenv("KESTRAVA_COM1");
}

class BadReplayFiles : public testing::ReplayFixture {
 protected:
  void SetUp() override {
    ReplayFixture::SetUp();
    pause();
  }
  void openToPlay(const std::string& path) {
    open(path);
    ASSERT_TRUE(r->Command1.enabled());
  }
  int playToTheEnd(int maxSteps) {
    int steps = 0;
    while (r->Command1.enabled() && steps < maxSteps) {
      step();
      ++steps;
    }
    return steps;
  }
  static long residentKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
  }
};

TEST_F(BadReplayFiles, BinaryGarbagePlaysThroughWithinTheTerminalsBound) {
  std::mt19937 rng(3);
  std::string garbage(1'000'000, '\0');
  for (char& c : garbage) c = static_cast<char>(rng() % 256);
  const std::string path = dir.file("garbage.log");
  TempDir::write(path, garbage);
  openToPlay(path);
  const int steps = playToTheEnd(2'000'000);
  EXPECT_FALSE(r->Command1.enabled()) << "the end was reached";
  EXPECT_GT(steps, 1000);
  EXPECT_LE(r->Term.length(), 418);
}

TEST_F(BadReplayFiles, AHundredMegabytesWithoutALineEndKeepMemoryBounded) {
  const std::string path = dir.file("one-line.log");
  {
    std::ofstream out(path, std::ios::binary);
    const std::string block(1 << 20, 'x');
    for (int i = 0; i < 100; ++i) out << block;
  }
  const long before = residentKb();
  openToPlay(path);
  const int steps = playToTheEnd(10'000);
  EXPECT_FALSE(r->Command1.enabled());
  EXPECT_EQ(steps, 100 * 16 + 1) << "pieces of 64 KiB, then the end";
  EXPECT_LT(residentKb() - before, 8 * 1024) << "memory grew with the file";
}

TEST_F(BadReplayFiles, AFileCutShortOrRemovedWhilePlayingEndsCleanly) {
  const std::string path = dir.file("shrinking.log");
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += "line " + std::to_string(i) + "\r\n";
  TempDir::write(path, lines);
  openToPlay(path);
  for (int i = 0; i < 3; ++i) step();
  ASSERT_EQ(truncate(path.c_str(), 100), 0);
  std::filesystem::remove(path);
  const int steps = playToTheEnd(100'000);
  EXPECT_FALSE(r->Command1.enabled());
  EXPECT_LT(steps, 20000) << "the rest of the read-ahead, then the end";
  EXPECT_FALSE(h.app.ended());
  EXPECT_EQ(h.app.files().FreeFile(), 1);
}

}  // namespace
}  // namespace kestrava
