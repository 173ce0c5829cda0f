#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

#include "link/serial_settings.h"

namespace kestrava::link {
namespace {

struct SettingsCase {
  const char* text;
  bool valid;
  const char* normalised;  // when valid
};

class SettingsTable : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsTable, ParsesOrRefusesWithAReason) {
  const SettingsCase& c = GetParam();
  std::string error;
  const auto parsed = parseSettings(c.text, &error);
  ASSERT_EQ(parsed.has_value(), c.valid) << c.text << ": " << error;
  if (c.valid) {
    EXPECT_EQ(formatSettings(*parsed), c.normalised);
  } else {
    EXPECT_NE(error.find(c.text), std::string::npos) << "the text names what was refused";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Strings, SettingsTable,
    ::testing::Values(SettingsCase{"1200,n,8,1", true, "1200,n,8,1"},
                      SettingsCase{"9600,E,7,2", true, "9600,e,7,2"},
                      SettingsCase{" 19200 , o , 5 , 1.5 ", true, "19200,o,5,1.5"},
                      SettingsCase{"115200,m,6,1", true, "115200,m,6,1"},
                      SettingsCase{"300,s,8,2", true, "300,s,8,2"},
                      SettingsCase{"1200,x,8,1", false, ""}, SettingsCase{"1200,n,9,1", false, ""},
                      SettingsCase{"1200,n,4,1", false, ""}, SettingsCase{"1200,n,8,3", false, ""},
                      SettingsCase{"fast,n,8,1", false, ""}, SettingsCase{"0,n,8,1", false, ""},
                      SettingsCase{"1200,n,8", false, ""}, SettingsCase{"", false, ""},
                      SettingsCase{"1200,n,8,1,1", false, ""}),
    [](const auto& info) {
      std::string name = std::to_string(info.index) + "_";
      for (const char* c = info.param.text; *c; ++c) name += std::isalnum(*c) ? *c : '_';
      return name;
    });

TEST(DeviceForPort, EnvironmentNamesTheDeviceOtherwiseTheSerialPortsInOrder) {
  ::unsetenv("KESTRAVA_COM3");
  EXPECT_EQ(deviceForPort(1), "/dev/ttyS0");
  EXPECT_EQ(deviceForPort(3), "/dev/ttyS2");
  ::setenv("KESTRAVA_COM3", "/dev/ttyUSB0", 1);
  EXPECT_EQ(deviceForPort(3), "/dev/ttyUSB0");
  ::setenv("KESTRAVA_COM3", "", 1);
  EXPECT_EQ(deviceForPort(3), "/dev/ttyS2") << "an empty variable names nothing";
  ::unsetenv("KESTRAVA_COM3");
}

}  // namespace
}  // namespace kestrava::link
