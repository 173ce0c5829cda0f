#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "runtime/controls.h"

namespace kestrava::diag {

// One label of the signal grid as designed: its control name, its place (row 1 to 16, column 0
// to 8 from the left) and either a fixed name caption or the frame line whose cell it shows.
struct GridCell {
  const char* name;
  int row;
  int column;
  const char* caption;  // name columns only
  int frameLine;        // state columns: the frame line read into this column (1, 2, 3, 4, 8)
  bool decoded;         // false for the five state labels that never receive a cell
  bool isState() const { return frameLine != 0; }
  // Distance of this cell's two characters from the header's first character.
  int offset() const { return 40 * frameLine + 5 + 2 * row; }
};

inline constexpr int kGridRows = 16;
inline constexpr int kGridColumns = 9;
inline constexpr int kDecodedCells = 75;

// All 144 labels, row by row, left to right.
const std::array<GridCell, kGridRows * kGridColumns>& gridCells();
// The 75 decoded state labels in decode order: column by column (frame lines 1, 2, 3, 4, 8),
// each from row 1 down.
const std::vector<const GridCell*>& decodedCells();

// The grid's labels in one window. Both the terminal window and the replay window build theirs
// with build(), so names, captions and places are the same in both.
class SignalGrid {
 public:
  // `firstTabIndex` is where the grid's labels start in the window's tab order.
  SignalGrid(form::Window& window, int firstTabIndex);

  form::Label& label(const std::string& name) const;
  form::Label* find(const std::string& name) const;
  // The decoded state labels, in decode order (parallel to decodedCells()).
  const std::vector<form::Label*>& states() const { return states_; }
  const std::vector<std::unique_ptr<form::Label>>& labels() const { return labels_; }

 private:
  std::vector<std::unique_ptr<form::Label>> labels_;
  std::vector<form::Label*> states_;
};

}  // namespace kestrava::diag
