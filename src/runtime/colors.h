#pragma once

#include <cstdint>

namespace kestrava::form {

// Colours are &H00BBGGRR integers, red in the low byte. Values with the top bit set name a
// system colour instead (&H800000nn), resolved by the view.
using Color = std::uint32_t;

inline constexpr Color kGrey = 12632256;      // &HC0C0C0: idle lamp, state cell, window
inline constexpr Color kDarkRed = 192;        // &HC0: receive lamp
inline constexpr Color kDarkGreen = 49152;    // &HC000: poll lamp
inline constexpr Color kGreen = 65280;        // &HFF00: transmit lamp
inline constexpr Color kLineGrey = 0x808080;  // rule under the status line
inline constexpr Color kSystemWindow = 0x80000005;
inline constexpr Color kSystemWindowText = 0x80000008;
inline constexpr Color kSystemButtonFace = 0x8000000F;

inline constexpr bool isSystemColor(Color c) {
  return (c & 0x80000000u) != 0;
}
inline constexpr int redOf(Color c) {
  return static_cast<int>(c & 0xFF);
}
inline constexpr int greenOf(Color c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int blueOf(Color c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

}  // namespace kestrava::form
