#include <gtest/gtest.h>

#include "support/harness.h"

namespace kestrava {
namespace {

using form::Answer;
using testing::Harness;

struct EventCase {
  int code;
  const char* status;  // the status line after the event ("" = unchanged, still empty)
  const char* box;     // the error box's text ("" = no box)
};

class CommEventTable : public ::testing::TestWithParam<EventCase> {};

TEST_P(CommEventTable, StatusLineOrErrorBoxAndThePortAfterEachAnswer) {
  const EventCase& c = GetParam();
  for (const Answer answer : {Answer::OK, Answer::Cancel}) {
    Harness h;
    Form1& f = h.form1();
    h.openPort();
    h.platform.answerNext(answer);
    h.run([&] { h.port->raiseEvent(c.code); });
    EXPECT_EQ(f.Label1.caption(), c.status) << c.code;
    const bool boxed = *c.box != '\0';
    ASSERT_EQ(h.platform.boxes().size(), boxed ? 1u : 0u) << c.code;
    EXPECT_EQ(h.platform.beeps(), boxed ? 1 : 0) << c.code;
    if (boxed) {
      const auto& box = h.platform.boxes()[0].box;
      EXPECT_EQ(box.text, c.box);
      EXPECT_EQ(box.title, "Press Cancel to Quit, Ok to ignore.");
      EXPECT_EQ(box.buttons, form::Buttons::OKCancel);
    }
    const bool closedByCancel = boxed && answer == Answer::Cancel;
    EXPECT_EQ(h.port->PortOpen(), !closedByCancel) << c.code;
    EXPECT_TRUE(f.shown()) << "Cancel closes the port only";
    EXPECT_FALSE(h.app.ended());
    EXPECT_TRUE(f.StatusMessage.empty());
    EXPECT_TRUE(f.ErrorMessage.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CommEventTable,
    ::testing::Values(
        EventCase{1, "", ""}, EventCase{3, "Change in CTS Detected", ""},
        EventCase{4, "Change in DSR Detected", ""}, EventCase{5, "Change in CD Detected", ""},
        EventCase{6, "", ""}, EventCase{7, "End of File Detected", ""},
        EventCase{1001, "Break Received", ""}, EventCase{1002, "", "CTS Timeout"},
        EventCase{1003, "", "DSR Timeout"}, EventCase{1004, "Framing Error", ""},
        EventCase{1005, "", "Unknown error or event"},
        EventCase{1007, "", "Carrier Detect Timeout"},
        EventCase{1008, "", "Receive Buffer Overflow"}, EventCase{1009, "Parity Error", ""},
        EventCase{1010, "", "Transmit Buffer Full"}, EventCase{0, "", "Unknown error or event"},
        EventCase{8, "", "Unknown error or event"}, EventCase{-5, "", "Unknown error or event"}),
    [](const auto& info) {
      return "Code" + std::to_string(info.index) + "_" +
             (info.param.code < 0 ? "minus" + std::to_string(-info.param.code)
                                  : std::to_string(info.param.code));
    });

TEST(CommEvents, TwoStatusEventsInARowShowOnlyTheSecond) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.run([&] { h.port->raiseEvent(link::comm::kEvCts); });
  h.run([&] { h.port->raiseEvent(link::comm::kEventBreak); });
  EXPECT_EQ(f.Label1.caption(), "Break Received");
  h.run([&] { h.port->raiseEvent(link::comm::kEventCtsTimeout); });
  EXPECT_EQ(f.Label1.caption(), "Break Received") << "an error leaves the status line";
}

TEST(CommEvents, ReceiveWithNoTextStillRestartsTheTiming) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.advance(10);  // Timer4's first tick has gone by
  f.Timer4.setEnabled(false);
  f.Timer5.setEnabled(true);
  h.run([&] { h.port->receive(""); });
  EXPECT_EQ(f.Label4.backColor(), form::kDarkRed);
  EXPECT_TRUE(f.Timer4.enabled());
  EXPECT_FALSE(f.Timer5.enabled());
  EXPECT_EQ(f.Term.text(), "");
  EXPECT_TRUE(h.platform.boxes().empty());
}

TEST(CommEvents, ReceivedTextReachesTermAndTheFrameWindowFiltered) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.run([&] { h.port->receive("OK\r\n> "); });
  h.run([&] { h.port->receive("x\by\n"); });
  EXPECT_EQ(f.Term.text(), "OK\r\n> y");
  EXPECT_EQ(f.Text1.text(), "OK\r\n> y");
}

TEST(CommEvents, OverrunRestartsThePortSendsInstallAndEndsPolling) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  f.Timer2.setEnabled(false);
  const int opensBefore = h.port->opens();
  h.run([&] { h.port->raiseEvent(link::comm::kEventOverrun); });
  EXPECT_EQ(h.port->closes(), 1);
  EXPECT_EQ(h.port->opens(), opensBefore + 1);
  EXPECT_TRUE(h.port->PortOpen());
  ASSERT_EQ(h.port->sent().size(), 1u);
  EXPECT_EQ(h.port->sent()[0].data, "install\r");
  EXPECT_TRUE(f.Timer2.enabled());
  EXPECT_TRUE(h.platform.boxes().empty());
  EXPECT_EQ(h.platform.beeps(), 0);
  EXPECT_EQ(f.Label1.caption(), "");
}

TEST(CommEvents, OverrunWhoseReopenFailsSaysWhyAndSendsNothing) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.port->refuseOpen("Cannot open port 1 (/dev/ttyS0): busy.");
  h.run([&] { h.port->raiseEvent(link::comm::kEventOverrun); });
  EXPECT_FALSE(h.port->PortOpen());
  EXPECT_TRUE(h.port->sent().empty());
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_EQ(h.platform.boxes()[0].box.text, "Cannot open port 1 (/dev/ttyS0): busy.");
  EXPECT_EQ(h.platform.boxes()[0].box.icon, form::Icon::Exclamation);
  EXPECT_TRUE(f.Timer2.enabled());
  EXPECT_FALSE(h.app.ended());
}

TEST(CommEvents, ChunksKeepFlowingWhileTheErrorBoxIsOpenAndShowNoSecondBox) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.platform.onMessageBox = [&](const form::MessageBoxSpec&) {
    // The box is up: the controller keeps talking.
    h.port->receive("one ");
    h.port->receive("two");
    return Answer::OK;
  };
  h.run([&] { h.port->raiseEvent(link::comm::kEventDsrTimeout); });
  EXPECT_EQ(f.Term.text(), "one two");
  EXPECT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_EQ(h.platform.beeps(), 1);
  EXPECT_TRUE(f.ErrorMessage.empty());
}

TEST(CommEvents, AVanishedDeviceIsOneBoxNamingItAndThePortStaysClosed) {
  Harness h;
  Form1& f = h.form1();
  h.openPort();
  h.run([&] { f.MOpen.setChecked(true); });
  h.run([&] { h.port->loseDevice("The serial device /dev/ttyUSB0 (port 1) stopped answering."); });
  ASSERT_EQ(h.platform.boxes().size(), 1u);
  EXPECT_EQ(h.platform.boxes()[0].box.text,
            "The serial device /dev/ttyUSB0 (port 1) stopped answering.");
  EXPECT_FALSE(h.port->PortOpen());
  EXPECT_TRUE(f.MOpen.checked()) << "only Port Open changes the check mark";
  h.run([&] { f.MOpen.click(); });
  EXPECT_TRUE(h.port->PortOpen()) << "once the device is back the port opens again";
  EXPECT_TRUE(f.MOpen.checked());
}

}  // namespace
}  // namespace kestrava
