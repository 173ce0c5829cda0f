#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <functional>
#include <memory>

#include "link/qt/qt_comm_control.h"
#include "support/pty.h"
#include "support/qt_loop.h"

namespace kestrava::link {
namespace {

using testing::Pty;
using testing::runUntil;

constexpr int kPort = 7;

std::string allBytes() {
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  return all;
}

class QtCommControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::ensureQtApplication(); }
  void SetUp() override {
    pty = std::make_unique<Pty>();
    ::setenv("KESTRAVA_COM7", pty->devicePath().c_str(), 1);
    ASSERT_TRUE(port.setCommPort(kPort).isOk());
    port.OnComm = [this] {
      events.push_back(port.CommEvent());
      if (port.CommEvent() == comm::kEvReceive) received += port.Input();
    };
  }
  void TearDown() override {
    (void)port.setPortOpen(false);
    ::unsetenv("KESTRAVA_COM7");
  }

  std::unique_ptr<Pty> pty;
  QtCommControl port;
  std::vector<int> events;
  std::string received;
};

TEST_F(QtCommControlTest, AllByteValuesTravelBothWays) {
  ASSERT_TRUE(port.setPortOpen(true).isOk()) << port.device();
  EXPECT_TRUE(port.PortOpen());
  pty->write(allBytes());
  ASSERT_TRUE(runUntil([&] { return received.size() >= 256; }));
  EXPECT_EQ(received, allBytes());
  for (int code : events) EXPECT_EQ(code, comm::kEvReceive);

  ASSERT_TRUE(port.Output(allBytes()).isOk());
  std::string far;
  ASSERT_TRUE(runUntil([&] {
    far += pty->read(10);
    return far.size() >= 256;
  }));
  EXPECT_EQ(far, allBytes());
  EXPECT_TRUE(runUntil([&] { return port.OutBufferCount() == 0; }));
}

TEST_F(QtCommControlTest, SettingsApplyWhileOpenAndBadOnesAreRefused) {
  ASSERT_TRUE(port.setPortOpen(true).isOk());
  const Status applied = port.setSettings("9600,n,8,2");
  EXPECT_TRUE(applied.isOk()) << applied.text();
  EXPECT_EQ(port.Settings(), "9600,n,8,2");
  const Status bad = port.setSettings("9600,q,7,1");
  EXPECT_FALSE(bad.isOk());
  EXPECT_NE(bad.text().find("parity"), std::string::npos) << bad.text();
  EXPECT_EQ(port.Settings(), "9600,n,8,2");
  // A pseudo-terminal refuses parity: the device's refusal is reported and the old settings
  // stay, on the line and in the component.
  const Status refused = port.setSettings("9600,e,7,1");
  EXPECT_FALSE(refused.isOk());
  EXPECT_NE(refused.text().find(pty->devicePath()), std::string::npos) << refused.text();
  EXPECT_EQ(port.Settings(), "9600,n,8,2");
  EXPECT_TRUE(port.PortOpen());
  const Status renumber = port.setCommPort(2);
  EXPECT_FALSE(renumber.isOk()) << "the number is refused while the port is open";
  EXPECT_EQ(port.CommPort(), kPort);
}

TEST_F(QtCommControlTest, AMissingDeviceFailsWithATextNamingIt) {
  ::setenv("KESTRAVA_COM7", "/dev/kestrava-no-such-device", 1);
  const Status opened = port.setPortOpen(true);
  EXPECT_FALSE(opened.isOk());
  EXPECT_NE(opened.text().find("/dev/kestrava-no-such-device"), std::string::npos) << opened.text();
  EXPECT_NE(opened.text().find("KESTRAVA_COM7"), std::string::npos) << opened.text();
  EXPECT_FALSE(port.PortOpen());
  EXPECT_FALSE(port.Output("x").isOk()) << "nothing goes out on a closed port";
}

TEST_F(QtCommControlTest, PortNumbersOutsideTheRangeAreRefused) {
  for (int bad : {0, -1, 32768}) {
    EXPECT_FALSE(port.setCommPort(bad).isOk()) << bad;
    EXPECT_EQ(port.CommPort(), kPort);
  }
}

TEST_F(QtCommControlTest, AVanishedDeviceIsReportedOnceAndClosedWithoutSpinning) {
  ASSERT_TRUE(port.setPortOpen(true).isOk());
  pty->write("before");
  ASSERT_TRUE(runUntil([&] { return received == "before"; }));
  events.clear();
  pty->closeFarEnd();
  ASSERT_TRUE(runUntil([&] { return !events.empty(); }));
  // Give a tight error loop every chance to show itself.
  runUntil([] { return false; }, 500);
  EXPECT_EQ(events, (std::vector<int>{comm::kEventDeviceLost}));
  EXPECT_FALSE(port.PortOpen());
  EXPECT_NE(port.ErrorText().find(pty->devicePath()), std::string::npos) << port.ErrorText();

  // A new far end: the port opens again.
  pty = std::make_unique<Pty>();
  ::setenv("KESTRAVA_COM7", pty->devicePath().c_str(), 1);
  ASSERT_TRUE(port.setPortOpen(true).isOk());
  received.clear();
  pty->write("after");
  ASSERT_TRUE(runUntil([&] { return received == "after"; }));
}

}  // namespace
}  // namespace kestrava::link
