#pragma once

#include <string>

namespace kestrava::testing {

// The terminal's filter of one received chunk, as its steps are written (find the first
// backspace again and again, then the line ends), to check the real one against.
inline std::string referenceFilter(std::string chunk) {
  for (std::size_t i; (i = chunk.find('\b')) != std::string::npos;) {
    chunk.erase(i == 0 ? 0 : i - 1, i == 0 ? 1 : 2);
  }
  std::string out;
  for (char c : chunk) {
    if (c == '\n') continue;
    out.push_back(c);
    if (c == '\r') out.push_back('\n');
  }
  return out;
}

}  // namespace kestrava::testing
