#pragma once

#include <string>
#include <string_view>

#include "diag/signal_grid.h"

namespace kestrava::diag {

// The first line of the controller's answer to "pmii".
inline constexpr std::string_view kPmiHeader = "PMI #  = = = = = = = = = = = = = = = =";
// The text both windows decode from keeps its newest this many characters: room for a whole
// frame and a little more.
inline constexpr int kFrameWindow = 418;
// A complete decode reads this many characters from the header's first one on.
inline constexpr int kFrameSpan = 359;

// The 1-based position of the first frame header in `text`, 0 when there is none.
int findPmiHeader(std::string_view text);

// Copies the 75 state cells of the frame whose header stands at 1-based position `p` of
// `text` into the grid: each label's caption becomes the two characters at p + offset and the
// one after, fewer where the text ends first. Nothing is interpreted.
void DecodePmiFrame(SignalGrid& grid, std::string_view text, int p);

// The number a caption starts with: leading blanks skipped, an optional sign, digits and a
// decimal point; 0 when it does not start with a number.
double leadingNumber(std::string_view text);

}  // namespace kestrava::diag
