#pragma once

#include <cstdint>

#include "runtime/controls.h"

namespace kestrava::diag {

// The velocity field's change handling, the same in both windows: a reading of exactly "  0"
// is a stop of the car, counted into `stopCount` and shown in `stopField`. The counter is
// 16-bit; after 32767 stops it starts again at 1, so every stop still changes the field.
void countStop(const form::TextBox& velocity, std::int16_t& stopCount, form::TextBox& stopField);

}  // namespace kestrava::diag
