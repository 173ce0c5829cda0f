#include "diag/motion_fields.h"

#include <string>

namespace kestrava::diag {

void countStop(const form::TextBox& velocity, std::int16_t& stopCount, form::TextBox& stopField) {
  constexpr std::int16_t kMax = 32767;
  if (velocity.text() != "  0") return;
  stopCount = stopCount == kMax ? 1 : static_cast<std::int16_t>(stopCount + 1);
  stopField.setText(std::to_string(stopCount));
}

}  // namespace kestrava::diag
