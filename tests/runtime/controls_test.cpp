#include <gtest/gtest.h>

#include "runtime/application.h"
#include "runtime/testing/virtual_platform.h"

namespace kestrava::form {
namespace {

struct PanelWindow : Window {
  explicit PanelWindow(Application& app) : Window(app, "W", "W") {
    setDefaultButton(ok);
    setCancelButton(cancel);
  }
  OptionButton fast{*this, "Option1", {}, "Fast"};
  OptionButton slow{*this, "Option3", {}, "Slow"};
  HScrollBar bar{*this, "HScroll1", {}, 1000, 0, 1000};
  TextBox field{*this, "field", {}, false};
  TextBox memo{*this, "memo", {}, true};
  Button ok{*this, "ok", {}, "OK"};
  Button cancel{*this, "cancel", {}, "Cancel"};
};

class ControlsTest : public ::testing::Test {
 protected:
  testing::VirtualPlatform platform;
  Application app{platform};
  PanelWindow& w = app.load<PanelWindow>([this] { return std::make_unique<PanelWindow>(app); });
};

TEST_F(ControlsTest, SelectingAnOptionClearsTheOthersAndClicksOnlyOnChange) {
  int fastClicks = 0;
  w.fast.Click = [&] { ++fastClicks; };
  w.slow.setValue(true);
  w.fast.setValue(true);
  EXPECT_TRUE(w.fast.value());
  EXPECT_FALSE(w.slow.value());
  w.fast.setValue(true);
  EXPECT_EQ(fastClicks, 1) << "selecting the selected option again is no change";
  w.fast.userClick();
  EXPECT_EQ(fastClicks, 2) << "a click of the user always runs Click";
}

TEST_F(ControlsTest, ScrollBarWithMinAboveMaxKeepsValuesInsideAndReportsChanges) {
  std::vector<int> seen;
  w.bar.Change = [&] { seen.push_back(w.bar.value()); };
  w.bar.setValue(500);
  w.bar.setValue(500);
  w.bar.setValue(-20);
  w.bar.setValue(5000);
  EXPECT_EQ(seen, (std::vector<int>{500, 0, 1000}));
}

TEST_F(ControlsTest, EnterAndEscapeGoToTheDefaultAndCancelButtons) {
  int oks = 0, cancels = 0, keyDowns = 0;
  w.ok.Click = [&] { ++oks; };
  w.cancel.Click = [&] { ++cancels; };
  w.field.KeyDown = [&](int, int) { ++keyDowns; };
  w.pressKey(&w.field, kKeyReturn, 0, 13);
  w.pressKey(&w.field, kKeyEscape, 0, 27);
  EXPECT_EQ(oks, 1);
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(keyDowns, 0);
  w.memo.setSelStart(0);
  w.pressKey(&w.memo, kKeyReturn, 0, 13);
  EXPECT_EQ(oks, 1) << "Enter in a multi-line box is a new line";
  EXPECT_EQ(w.memo.text(), "\r\n");
}

TEST_F(ControlsTest, OtherKeysReachKeyDownThenKeyPress) {
  std::vector<std::string> order;
  w.field.KeyDown = [&](int code, int shift) {
    order.push_back("down " + std::to_string(code) + "/" + std::to_string(shift));
  };
  w.field.KeyPress = [&](int& code) { order.push_back("press " + std::to_string(code)); };
  w.pressKey(&w.field, 'A', kShiftMask, 'A');
  EXPECT_EQ(order, (std::vector<std::string>{"down 65/1", "press 65"}));
  EXPECT_EQ(w.field.text(), "A");
}

TEST_F(ControlsTest, FocusRunsGotFocusAndIsRefusedByHiddenOrDisabledControls) {
  int got = 0;
  w.field.GotFocus = [&] { ++got; };
  EXPECT_TRUE(w.field.setFocus());
  EXPECT_TRUE(w.field.setFocus());
  EXPECT_EQ(got, 1) << "focus that does not move runs nothing";
  EXPECT_EQ(w.activeControl(), &w.field);
  w.memo.setVisible(false);
  EXPECT_FALSE(w.memo.setFocus());
  w.ok.setEnabled(false);
  EXPECT_FALSE(w.ok.setFocus());
  w.field.setVisible(false);
  EXPECT_EQ(w.activeControl(), nullptr) << "a hidden control loses the focus";
}

TEST_F(ControlsTest, MenuItemsRunOnlyWhileEnabled) {
  MenuItem& item = w.menuBar().add("M", "&M");
  int clicks = 0;
  item.Click = [&] { ++clicks; };
  item.click();
  item.setEnabled(false);
  item.click();
  EXPECT_EQ(clicks, 1);
  item.setChecked(true);
  EXPECT_TRUE(item.checked());
}

}  // namespace
}  // namespace kestrava::form
