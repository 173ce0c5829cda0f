#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "support/harness.h"
#include "support/temp_dir.h"

namespace kestrava {
namespace {

using form::Answer;
using testing::chose;
using testing::Harness;
using testing::TempDir;

class CommLog : public ::testing::Test {
 protected:
  Harness h;
  Form1& f = h.form1();
  TempDir dir;
  void openLog(const std::string& path) {
    h.platform.answerDialog(chose(path));
    h.run([&] { f.MOpenLog.click(); });
  }
  void receive(const std::string& chunk) {
    h.run([&] {
      std::string c = chunk;
      f.AppendToTerm(f.Term, c);
    });
  }
};

TEST_F(CommLog, TheDialogAsksForALogFile) {
  h.run([&] { f.MOpenLog.click(); });  // cancelled: nothing changes
  ASSERT_EQ(h.platform.dialogs().size(), 1u);
  const auto& d = h.platform.dialogs()[0];
  EXPECT_EQ(d.title, "Open Communications Log File");
  EXPECT_EQ(d.filter, "Log Files (*.LOG)|*.log|All Files (*.*)|*.*");
  EXPECT_EQ(d.defaultExt, "LOG");
  EXPECT_EQ(d.fileName, "");
  EXPECT_TRUE(h.platform.boxes().empty());
  EXPECT_EQ(f.caption(), "Kestrava Car");
  EXPECT_EQ(f.LogFileNo, 0);
  EXPECT_TRUE(f.MOpenLog.enabled());
}

TEST_F(CommLog, ANewFileRecordsExactlyWhatTheTerminalGot) {
  const std::string path = dir.file("visit.log");
  openLog(path);
  EXPECT_TRUE(h.platform.boxes().empty()) << "a new name asks nothing";
  EXPECT_EQ(f.caption(), "Tavrin - visit.log");
  EXPECT_NE(f.LogFileNo, 0);
  EXPECT_FALSE(f.MOpenLog.enabled());
  EXPECT_TRUE(f.MCloseLog.enabled());
  struct Chunk {
    std::string in;
    std::string grows;
  };
  std::string expected;
  for (const Chunk& c : {Chunk{"OK\r\n", "OK\r\n"}, Chunk{"\n", ""}, Chunk{"A\rB", "A\r\nB"},
                         Chunk{"x\by", "y"}, Chunk{"\bZ", "Z"}, Chunk{"", ""}}) {
    receive(c.in);
    expected += c.grows;
    EXPECT_EQ(TempDir::read(path), expected) << "after " << ::testing::PrintToString(c.in);
  }
}

TEST_F(CommLog, AllByteValuesArriveOneByteEach) {
  const std::string path = dir.file("bytes.log");
  openLog(path);
  std::string all;
  for (int i = 0; i < 256; ++i) {
    if (i != '\b' && i != '\n' && i != '\r') all.push_back(static_cast<char>(i));
  }
  receive(all);
  EXPECT_EQ(TempDir::read(path), all);
}

TEST_F(CommLog, AnExistingFileKeptWithNoGrowsAfterItsBytes) {
  const std::string path = dir.file("old.log");
  TempDir::write(path, "earlier\r\n");
  h.platform.answerNext(Answer::No);
  openLog(path);
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_EQ(h.platform.boxes()[0].box.text, "Replace existing file - " + path + "?");
  EXPECT_EQ(h.platform.boxes()[0].box.buttons, form::Buttons::YesNoCancel);
  EXPECT_EQ(h.platform.boxes()[0].box.icon, form::Icon::Question);
  receive("later\r");
  EXPECT_EQ(TempDir::read(path), "earlier\r\nlater\r\n");
}

TEST_F(CommLog, AnExistingFileReplacedWithYesHoldsOnlyWhatComesNow) {
  const std::string path = dir.file("old.log");
  TempDir::write(path, "earlier\r\n");
  h.platform.answerNext(Answer::Yes);
  openLog(path);
  receive("now");
  EXPECT_EQ(TempDir::read(path), "now");
}

TEST_F(CommLog, CancelAtTheQuestionShowsTheDialogAgainWithAnEmptyName) {
  const std::string path = dir.file("old.log");
  TempDir::write(path, "keep");
  h.platform.answerNext(Answer::Cancel);
  h.platform.answerDialog(chose(path));
  h.platform.answerDialog(form::FileDialogResult{});  // then cancelled
  h.run([&] { f.MOpenLog.click(); });
  ASSERT_EQ(h.platform.dialogs().size(), 2u);
  EXPECT_EQ(h.platform.dialogs()[1].fileName, "");
  EXPECT_EQ(f.LogFileNo, 0);
  EXPECT_EQ(TempDir::read(path), "keep");
}

TEST_F(CommLog, CloseLogFileStopsRecording) {
  const std::string path = dir.file("visit.log");
  openLog(path);
  receive("one\r");
  h.run([&] { f.MCloseLog.click(); });
  receive("two\r");
  EXPECT_EQ(TempDir::read(path), "one\r\n");
  EXPECT_EQ(f.caption(), "Tavrin");
  EXPECT_EQ(f.LogFileNo, 0);
  EXPECT_TRUE(f.MOpenLog.enabled());
  EXPECT_FALSE(f.MCloseLog.enabled());
  openLog(dir.file("second.log"));
  EXPECT_EQ(f.caption(), "Tavrin - second.log") << "a log can be opened again";
}

TEST_F(CommLog, FailuresShowTheirOwnDescriptionAndLeaveTheLogClosed) {
  TempDir::write(dir.file("plain"), "x");
  // Looking up a path below a file fails; deleting a folder fails; opening a folder fails.
  const std::string below = dir.file("plain") + "/visit.log";
  std::filesystem::create_directory(dir.file("folder.log"));
  for (const auto& [path, answers] : {std::pair{below, std::vector<Answer>{}},
                                      {dir.file("folder.log"), std::vector<Answer>{Answer::Yes}},
                                      {dir.file("folder.log"), std::vector<Answer>{Answer::No}}}) {
    Harness fresh;
    Form1& w = fresh.form1();
    for (Answer a : answers) fresh.platform.answerNext(a);
    fresh.platform.answerDialog(chose(path));
    fresh.run([&] { w.MOpenLog.click(); });
    ASSERT_FALSE(fresh.platform.boxes().empty()) << path;
    const auto& box = fresh.platform.boxes().back().box;
    EXPECT_EQ(box.icon, form::Icon::Exclamation) << box.text;
    EXPECT_NE(box.text.find(path), std::string::npos) << box.text;
    EXPECT_EQ(box.title, "Kestrava");
    EXPECT_EQ(w.LogFileNo, 0);
    EXPECT_EQ(w.caption(), "Kestrava Car");
    EXPECT_EQ(fresh.app.files().FreeFile(), 1) << "no file number is left taken";
  }
}

TEST_F(CommLog, ClosingTheWindowClosesTheLogFirst) {
  const std::string path = dir.file("visit.log");
  openLog(path);
  receive("last words\r");
  h.run([&] { h.app.userClose(f); });
  EXPECT_TRUE(h.app.ended());
  EXPECT_FALSE(h.app.files().isOpen(1));
  EXPECT_EQ(TempDir::read(path), "last words\r\n");
}

// A file-size limit is a real failing target: the write stops part way with EFBIG.
class WriteFailure : public CommLog {
 protected:
  rlimit saved{};
  void SetUp() override {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved);
  }
  void TearDown() override { setrlimit(RLIMIT_FSIZE, &saved); }
  void limitFileSize(rlim_t bytes) {
    rlimit l = saved;
    l.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &l);
  }
};

TEST_F(WriteFailure, RetryAfterTheFaultIsGoneWritesTheChunkOnce) {
  const std::string path = dir.file("full.log");
  openLog(path);
  receive("0123456789");
  limitFileSize(14);
  h.platform.onMessageBox = [&](const form::MessageBoxSpec& box) {
    EXPECT_EQ(box.buttons, form::Buttons::RetryCancel);
    EXPECT_EQ(box.icon, form::Icon::Stop);
    EXPECT_NE(box.text.find("too large"), std::string::npos) << box.text;
    // While the box is open the controller keeps talking: that text waits its turn.
    receive("<later>");
    setrlimit(RLIMIT_FSIZE, &saved);  // the fault is gone
    return Answer::Retry;
  };
  receive("ABCDEFGHIJ");
  EXPECT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_EQ(TempDir::read(path), "0123456789ABCDEFGHIJ<later>");
  EXPECT_NE(f.LogFileNo, 0);
}

TEST_F(WriteFailure, CancelLeavesTheStateOfCloseLogFile) {
  const std::string path = dir.file("full.log");
  openLog(path);
  limitFileSize(4);
  h.platform.answerNext(Answer::Cancel);
  receive("ABCDEFGH");
  setrlimit(RLIMIT_FSIZE, &saved);
  receive("after");
  EXPECT_EQ(TempDir::read(path), "ABCD");
  EXPECT_EQ(f.LogFileNo, 0);
  EXPECT_EQ(f.caption(), "Tavrin");
  EXPECT_TRUE(f.MOpenLog.enabled());
  EXPECT_FALSE(f.MCloseLog.enabled());
}

TEST_F(WriteFailure, AFullDeviceAsksAgainAndAgainUntilCancelled) {
  h.platform.answerNext(Answer::No);  // it exists: keep it (never delete a device)
  openLog("/dev/full");
  ASSERT_NE(f.LogFileNo, 0);
  h.platform.answerNext(Answer::Retry);
  h.platform.answerNext(Answer::Retry);
  h.platform.answerNext(Answer::Cancel);
  receive("data");
  // One question at open, then three write failures.
  ASSERT_EQ(h.platform.boxes().size(), 4u);
  EXPECT_NE(h.platform.boxes()[1].box.text.find("No space left on device"), std::string::npos);
  EXPECT_EQ(f.LogFileNo, 0);
}

}  // namespace
}  // namespace kestrava
