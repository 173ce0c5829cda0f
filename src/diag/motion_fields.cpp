#include "diag/motion_fields.h"

#include <string>

namespace kestrava::diag {

void countStop(const form::TextBox& velocity, std::int16_t& stopCount, form::TextBox& stopField) {
  constexpr std::int16_t kMax = 32767;
  if (velocity.text() != kStopped) return;
  stopCount = stopCount == kMax ? 1 : static_cast<std::int16_t>(stopCount + 1);
  stopField.setText(std::to_string(stopCount));
}

bool readField(const std::string& text, const AnswerField& field, std::string& out) {
  const std::size_t at = text.find(field.marker);
  if (at == std::string::npos) return false;
  const std::size_t from = at + field.start;
  out = from < text.size() ? text.substr(from, field.length) : std::string();
  return true;
}

}  // namespace kestrava::diag
