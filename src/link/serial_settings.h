#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrava::link {

enum class StopBits { One, OneAndHalf, Two };

// The line settings of a settings string such as "1200,n,8,1".
struct LineSettings {
  int baud = 1200;
  char parity = 'n';  // n, e, o, m or s
  int dataBits = 8;   // 5 to 8
  StopBits stopBits = StopBits::One;

  bool operator==(const LineSettings&) const = default;
};

// Reads "baud,parity,data bits,stop bits". Blanks around the fields are allowed and the parity
// letter may be in either case. On failure `error` (when given) says which field is wrong.
std::optional<LineSettings> parseSettings(std::string_view text, std::string* error = nullptr);
// The settings string in its usual form, e.g. "9600,e,7,1.5".
std::string formatSettings(const LineSettings& settings);

// The device that port number `port` opens. On Windows that is "COM<port>". Elsewhere it is
// the device named by the environment variable KESTRAVA_COM<port> when that is set, otherwise
// /dev/ttyS<port - 1> (port 1 is the first serial port, /dev/ttyS0).
std::string deviceForPort(int port);

}  // namespace kestrava::link
