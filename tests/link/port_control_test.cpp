#include <gtest/gtest.h>

#include "link/config_scrn.h"
#include "link/serial_settings.h"
#include "support/harness.h"

namespace kestrava {
namespace {

using form::Answer;
using testing::Harness;

TEST(PortOpen, TogglesThePortAndTheCheckMark) {
  Harness h;
  Form1& f = h.form1();
  h.run([&] { f.MOpen.click(); });
  EXPECT_TRUE(h.port->PortOpen());
  EXPECT_TRUE(f.MOpen.checked());
  h.run([&] { f.MOpen.click(); });
  EXPECT_FALSE(h.port->PortOpen());
  EXPECT_FALSE(f.MOpen.checked());
  EXPECT_TRUE(h.platform.boxes().empty());
}

TEST(PortOpen, AFailedOpenShowsTheComponentsTextAndNoMark) {
  Harness h;
  Form1& f = h.form1();
  h.port->refuseOpen("Cannot open port 1 (/dev/ttyS0): Permission denied.");
  h.run([&] { f.MOpen.click(); });
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_EQ(h.platform.boxes()[0].box.text, "Cannot open port 1 (/dev/ttyS0): Permission denied.");
  EXPECT_EQ(h.platform.boxes()[0].box.icon, form::Icon::Exclamation);
  EXPECT_EQ(h.platform.boxes()[0].box.buttons, form::Buttons::OK);
  EXPECT_FALSE(f.MOpen.checked());
  EXPECT_FALSE(h.port->PortOpen());
}

TEST(PortOpen, AfterTheErrorBoxClosedThePortTheMarkStaysAndTheNextUseOpens) {
  Harness h;
  Form1& f = h.form1();
  h.run([&] { f.MOpen.click(); });
  h.platform.answerNext(Answer::Cancel);
  h.run([&] { h.port->raiseEvent(link::comm::kEventCtsTimeout); });
  EXPECT_FALSE(h.port->PortOpen());
  EXPECT_TRUE(f.MOpen.checked());
  h.run([&] { f.MOpen.click(); });
  EXPECT_TRUE(h.port->PortOpen());
  EXPECT_TRUE(f.MOpen.checked());
}

class SettingsWindow : public ::testing::Test {
 protected:
  Harness h;
  Form1& f = h.form1();
  ConfigScrn& open() {
    h.run([&] { f.MSettings.click(); });
    ConfigScrn* w = h.app.find<ConfigScrn>();
    EXPECT_TRUE(w && w->shown());
    return *w;
  }
  void close(ConfigScrn& w) {
    h.run([&] { h.app.userClose(w); });
  }
};

TEST_F(SettingsWindow, LoadsFromThePortWithTheSettingsFieldFirst) {
  ConfigScrn& w = open();
  EXPECT_EQ(w.caption(), "Configure Comm Port");
  EXPECT_EQ(w.Text1.text(), "1200,n,8,1");
  EXPECT_EQ(w.Text2.text(), "1");
  EXPECT_EQ(w.activeControl(), &w.Text1);
  EXPECT_EQ(w.Label1.caption(), "Settings");
  EXPECT_EQ(w.Label2.caption(), "Comm Port");
  EXPECT_LT(w.Text1.geometry().left, w.Text2.geometry().left);
  EXPECT_EQ(w.lblDevice.caption(), "Device: " + link::deviceForPort(1));
  h.run([&] { w.Text2.setText("12"); });
  EXPECT_EQ(w.lblDevice.caption(), "Device: " + link::deviceForPort(12));
  h.run([&] { w.Text2.setText("x"); });
  EXPECT_EQ(w.lblDevice.caption(), "Device: none");
}

TEST_F(SettingsWindow, ClosingWithThePortOpenRestartsItWithTheSameValues) {
  h.run([&] { f.MOpen.click(); });
  ConfigScrn& w = open();
  close(w);
  EXPECT_EQ(h.port->closes(), 1);
  EXPECT_EQ(h.port->opens(), 2);
  EXPECT_TRUE(h.port->PortOpen());
  EXPECT_EQ(h.port->Settings(), "1200,n,8,1");
  EXPECT_EQ(h.port->CommPort(), 1);
  EXPECT_EQ(h.app.find<ConfigScrn>(), nullptr);
  EXPECT_TRUE(h.platform.boxes().empty());
}

TEST_F(SettingsWindow, ClosingWithThePortClosedAppliesAndLeavesItClosed) {
  ConfigScrn& w = open();
  h.run([&] {
    w.Text1.setText("9600,e,7,2");
    w.Text2.setText(" 3 ");
  });
  close(w);
  EXPECT_FALSE(h.port->PortOpen());
  EXPECT_EQ(h.port->Settings(), "9600,e,7,2");
  EXPECT_EQ(h.port->CommPort(), 3);
  EXPECT_EQ(h.port->opens(), 0);
  ConfigScrn& again = open();
  EXPECT_EQ(again.Text2.text(), "3") << "created anew with fresh values";
}

TEST_F(SettingsWindow, ShowingItAgainBringsItForwardWithTheEditsKept) {
  ConfigScrn& w = open();
  h.run([&] { w.Text1.setText("4800,n,8,1"); });
  ConfigScrn& same = open();
  EXPECT_EQ(&same, &w);
  EXPECT_EQ(same.Text1.text(), "4800,n,8,1");
}

struct Refusal {
  const char* settings;
  const char* port;
  const char* boxContains;
};

class SettingsRefused : public SettingsWindow, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SettingsRefused, AWarningBoxAndAClosedPortNothingEnds) {
  const Refusal& r = GetParam();
  h.run([&] { f.MOpen.click(); });
  ConfigScrn& w = open();
  h.run([&] {
    w.Text1.setText(r.settings);
    w.Text2.setText(r.port);
  });
  close(w);
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  const auto& box = h.platform.boxes()[0].box;
  EXPECT_NE(box.text.find(r.boxContains), std::string::npos) << box.text;
  EXPECT_EQ(box.icon, form::Icon::Exclamation);
  EXPECT_FALSE(h.port->PortOpen());
  EXPECT_TRUE(f.MOpen.checked()) << "the mark is not changed";
  EXPECT_FALSE(h.app.ended());
  EXPECT_EQ(h.app.find<ConfigScrn>(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsRefused,
    ::testing::Values(Refusal{"1200,n,8,1", "abc", "Invalid port number \"abc\""},
                      Refusal{"1200,n,8,1", "0", "Invalid port number \"0\""},
                      Refusal{"1200,n,8,1", "40000", "from 1 to 32767"},
                      Refusal{"1200,n,8,1", "", "Invalid port number"},
                      Refusal{"1200,x,8,1", "1", "parity"},
                      Refusal{"1200,x,8,1", "-2", "m or s\nInvalid port number \"-2\""}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(SettingsWindow, AReopenThatFailsIsReportedAndThePortStaysClosed) {
  h.run([&] { f.MOpen.click(); });
  ConfigScrn& w = open();
  h.port->refuseOpen("Cannot open port 2 (/dev/ttyS1): No such file or directory.");
  h.run([&] { w.Text2.setText("2"); });
  close(w);
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_EQ(h.platform.boxes()[0].box.text,
            "Cannot open port 2 (/dev/ttyS1): No such file or directory.");
  EXPECT_FALSE(h.port->PortOpen());
  EXPECT_EQ(h.port->CommPort(), 2);
}

TEST(PortNumber, WholeNumbersFromOneTo32767WithBlanksAround) {
  struct Case {
    const char* text;
    int value;
  };
  for (const Case& c : {Case{" 3 ", 3}, Case{"+7", 7}, Case{"32767", 32767}, Case{"1", 1},
                        Case{"32768", 0}, Case{"0", 0}, Case{"-1", 0}, Case{"3.5", 0},
                        Case{"abc", 0}, Case{"", 0}, Case{"4 4", 0}, Case{"99999999999", 0}}) {
    EXPECT_EQ(parsePortNumber(c.text), c.value) << "'" << c.text << "'";
  }
}

}  // namespace
}  // namespace kestrava
