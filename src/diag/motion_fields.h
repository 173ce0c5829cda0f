#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/controls.h"

namespace kestrava::diag {

// The velocity reading of a stopped car.
inline constexpr std::string_view kStopped = "  0";

// A reading in the controller's answers: a marker, and the characters that start `start`
// characters from the marker's first one.
struct AnswerField {
  std::string_view marker;
  std::size_t start;
  std::size_t length;
};
inline constexpr AnswerField kVelocityField{"VEL =   ", 8, 3};
inline constexpr AnswerField kBbtField{"BBT", 8, 5};
inline constexpr AnswerField kFlt0Field{"FLT0", 8, 76};

// The reading after the first occurrence of the field's marker in `text`, shorter where the
// text ends first. False when the marker is not there.
bool readField(const std::string& text, const AnswerField& field, std::string& out);

// The velocity field's change handling, the same in both windows: a reading of exactly "  0"
// is a stop of the car, counted into `stopCount` and shown in `stopField`. The counter is
// 16-bit; after 32767 stops it starts again at 1, so every stop still changes the field.
void countStop(const form::TextBox& velocity, std::int16_t& stopCount, form::TextBox& stopField);

}  // namespace kestrava::diag
