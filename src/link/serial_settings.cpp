#include "link/serial_settings.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <vector>

namespace kestrava::link {
namespace {

constexpr int kMaxBaud = 4'000'000;

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> splitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    fields.push_back(trim(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

std::optional<int> wholeNumber(std::string_view field) {
  int value = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec != std::errc() || end != field.data() + field.size() || field.empty()) return {};
  return value;
}

bool fail(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

}  // namespace

std::optional<LineSettings> parseSettings(std::string_view text, std::string* error) {
  const std::string quoted = "Invalid port settings \"" + std::string(text) + "\": ";
  const auto fields = splitFields(text);
  if (fields.size() != 4) {
    fail(error, quoted + "expected baud,parity,data bits,stop bits (for example 1200,n,8,1)");
    return {};
  }
  LineSettings s;
  const auto baud = wholeNumber(fields[0]);
  if (!baud || *baud <= 0 || *baud > kMaxBaud) {
    fail(error, quoted + "the baud rate must be a whole number from 1 to 4000000");
    return {};
  }
  s.baud = *baud;
  if (fields[1].size() != 1 ||
      std::string_view("neoms").find(static_cast<char>(
          std::tolower(static_cast<unsigned char>(fields[1][0])))) == std::string_view::npos) {
    fail(error, quoted + "the parity must be n, e, o, m or s");
    return {};
  }
  s.parity = static_cast<char>(std::tolower(static_cast<unsigned char>(fields[1][0])));
  const auto bits = wholeNumber(fields[2]);
  if (!bits || *bits < 5 || *bits > 8) {
    fail(error, quoted + "the data bits must be 5, 6, 7 or 8");
    return {};
  }
  s.dataBits = *bits;
  if (fields[3] == "1") {
    s.stopBits = StopBits::One;
  } else if (fields[3] == "1.5") {
    s.stopBits = StopBits::OneAndHalf;
  } else if (fields[3] == "2") {
    s.stopBits = StopBits::Two;
  } else {
    fail(error, quoted + "the stop bits must be 1, 1.5 or 2");
    return {};
  }
  return s;
}

std::string formatSettings(const LineSettings& s) {
  const char* stop = s.stopBits == StopBits::One ? "1" : s.stopBits == StopBits::Two ? "2" : "1.5";
  return std::to_string(s.baud) + "," + s.parity + "," + std::to_string(s.dataBits) + "," + stop;
}

std::string deviceForPort(int port) {
#ifdef _WIN32
  return "COM" + std::to_string(port);
#else
  const std::string variable = "KESTRAVA_COM" + std::to_string(port);
  if (const char* named = std::getenv(variable.c_str()); named && *named) return named;
  return "/dev/ttyS" + std::to_string(port - 1);
#endif
}

}  // namespace kestrava::link
