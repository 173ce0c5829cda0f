#include <gtest/gtest.h>

#include <random>

#include "runtime/application.h"
#include "runtime/testing/virtual_platform.h"

namespace kestrava::form {
namespace {

struct BoxWindow : Window {
  explicit BoxWindow(Application& app) : Window(app, "W", "W") {}
  TextBox box{*this, "box", {}, true};
  TextBox line{*this, "line", {}, false};
};

class TextBoxTest : public ::testing::Test {
 protected:
  testing::VirtualPlatform platform;
  Application app{platform};
  BoxWindow& w = app.load<BoxWindow>([this] { return std::make_unique<BoxWindow>(app); });
  TextBox& box = w.box;
  int changes = 0;
  void SetUp() override {
    box.Change = [this] { ++changes; };
  }
};

TEST_F(TextBoxTest, AssigningTheSameTextRunsNoChange) {
  box.setText("abc");
  box.setText("abc");
  EXPECT_EQ(changes, 1);
  box.setSelStart(3);
  box.setSelText("");
  EXPECT_EQ(changes, 1);
}

TEST_F(TextBoxTest, ChangeRunsInsideTheAssignmentAndSeesTheNewText) {
  std::string seen;
  box.Change = [&] { seen = box.text(); };
  box.setText("new");
  EXPECT_EQ(seen, "new");
}

TEST_F(TextBoxTest, SettingTheTextPutsTheCaretAtTheStart) {
  box.setText("hello");
  box.setSelStart(5);
  box.setText("hello world");
  EXPECT_EQ(box.selStart(), 0);
  EXPECT_EQ(box.selLength(), 0);
}

TEST_F(TextBoxTest, SelectionStartRefusesNegativeAndStopsAtTheEnd) {
  box.setText("hello");
  box.setSelStart(2);
  box.setSelLength(2);
  EXPECT_FALSE(box.setSelStart(-1));
  EXPECT_EQ(box.selStart(), 2);
  EXPECT_EQ(box.selLength(), 2) << "a refused value changes nothing";
  EXPECT_TRUE(box.setSelStart(99));
  EXPECT_EQ(box.selStart(), 5);
  EXPECT_EQ(box.selLength(), 0);
  box.setSelStart(3);
  EXPECT_FALSE(box.setSelLength(-2));
  EXPECT_TRUE(box.setSelLength(10));
  EXPECT_EQ(box.selLength(), 2);
  EXPECT_EQ(box.selText(), "lo");
}

TEST_F(TextBoxTest, SelectedTextIsReplacedAndTheCaretFollowsTheInsertion) {
  box.setText("hello");
  box.setSelStart(1);
  box.setSelLength(3);
  box.setSelText("ipp");
  EXPECT_EQ(box.text(), "hippo");
  EXPECT_EQ(box.selStart(), 4);
  EXPECT_EQ(box.selLength(), 0);
  EXPECT_EQ(changes, 2);
}

TEST_F(TextBoxTest, KeyPressDefaultEditingAndDiscard) {
  box.setText("ab");
  box.setSelStart(2);
  box.keyPress('c');
  box.keyPress(8);
  box.keyPress(8);
  box.keyPress(13);
  EXPECT_EQ(box.text(), "a\r\n");
  box.KeyPress = [](int& code) { code = 0; };
  box.keyPress('x');
  EXPECT_EQ(box.text(), "a\r\n") << "a discarded key has no effect";
  w.line.setText("q");
  w.line.setSelStart(1);
  w.line.keyPress(13);
  EXPECT_EQ(w.line.text(), "q") << "Enter adds no line to a single-line box";
}

TEST_F(TextBoxTest, AllByteValuesSurviveAsCharacters) {
  std::string all;
  for (int i = 1; i < 256; ++i) all.push_back(static_cast<char>(i));
  all.push_back('\0');
  box.setText(all);
  EXPECT_EQ(box.text(), all);
  EXPECT_EQ(box.length(), 256);
}

// A view that applies only the reported edits must always hold the box's text.
TEST_F(TextBoxTest, ReportedEditsRebuildTheTextExactly) {
  std::string mirror;
  box.edited.connect([&](const TextEdit& e) {
    mirror.replace(static_cast<std::size_t>(e.start), static_cast<std::size_t>(e.removed),
                   e.inserted);
  });
  std::mt19937 rng(7);
  auto randomText = [&](int maxLen) {
    std::string s(rng() % (maxLen + 1), ' ');
    for (char& c : s) c = "ab\r\n"[rng() % 4];
    return s;
  };
  for (int i = 0; i < 2000; ++i) {
    switch (rng() % 3) {
      case 0:
        box.setText(randomText(30));
        break;
      case 1:
        box.setSelStart(static_cast<int>(rng() % 40));
        box.setSelLength(static_cast<int>(rng() % 5));
        box.setSelText(randomText(4));
        break;
      default:
        if (box.length() > 3) box.setText(box.text().substr(rng() % 3));  // a trim of the head
        break;
    }
    ASSERT_EQ(mirror, box.text()) << "after step " << i;
  }
}

TEST_F(TextBoxTest, DroppingTheHeadIsReportedAsOneRemovalOnly) {
  box.setText(std::string(100, 'x') + "tail");
  TextEdit last;
  std::string inserted;
  box.edited.connect([&](const TextEdit& e) {
    last = e;
    inserted = std::string(e.inserted);
  });
  box.setText(box.text().substr(40));
  EXPECT_EQ(last.removed, 40);
  EXPECT_EQ(inserted, "");
}

}  // namespace
}  // namespace kestrava::form
