#pragma once

#include <string>

namespace kestrava::testing {

// The terminal's filter of one received chunk, as its steps are written (find the first
// backspace again and again, then the line ends), to check the real one against.
// `leadingBackspace`, when given, tells whether a backspace met the start of the chunk (one
// that selects the last character of the terminal).
inline std::string referenceFilter(std::string chunk, bool* leadingBackspace = nullptr) {
  if (leadingBackspace) *leadingBackspace = false;
  for (std::size_t i; (i = chunk.find('\b')) != std::string::npos;) {
    if (i == 0 && leadingBackspace) *leadingBackspace = true;
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
