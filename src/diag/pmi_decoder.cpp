#include "diag/pmi_decoder.h"

#include <cctype>

namespace kestrava::diag {

int findPmiHeader(std::string_view text) {
  const std::size_t at = text.find(kPmiHeader);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

void DecodePmiFrame(SignalGrid& grid, std::string_view text, int p) {
  const auto& cells = decodedCells();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::size_t from = static_cast<std::size_t>(p - 1 + cells[i]->offset());
    grid.states()[i]->setCaption(from < text.size() ? std::string(text.substr(from, 2))
                                                    : std::string());
  }
}

double leadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  double sign = 1;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') sign = -1;
    ++i;
  }
  double value = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    value = value * 10 + (text[i++] - '0');
  }
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
      value += (text[i] - '0') * scale;
      scale /= 10;
    }
  }
  return sign * value;
}

}  // namespace kestrava::diag
