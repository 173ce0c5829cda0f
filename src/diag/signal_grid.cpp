#include "diag/signal_grid.h"

#include <stdexcept>

namespace kestrava::diag {
namespace {

constexpr int kColumnLeft[kGridColumns] = {0, 480, 960, 1440, 1920, 2400, 2880, 3360, 4875};
constexpr int kRowTop = 360;
constexpr int kRowPitch = 240;
constexpr int kCellWidth = 375;
constexpr int kCellHeight = 255;

// Name label with a fixed caption, and state label showing frame line `line`.
constexpr GridCell N(const char* name, int row, int column, const char* caption) {
  return {name, row, column, caption, 0, false};
}
constexpr GridCell S(const char* name, int row, int column, int line, bool decoded = true) {
  return {name, row, column, "", line, decoded};
}

// The grid as designed. Names are irregular in places (lb4_9, lb6_9, lbl_10, lbl110, ...) and
// are kept exactly so.
constexpr std::array<GridCell, kGridRows* kGridColumns> kCells = {{
    // clang-format off
    N("lbl01", 1, 0, "SU1"),   S("lbl1_1", 1, 1, 1), N("lbl2_1", 1, 2, "GV"),  S("lbl3_1", 1, 3, 2), N("lbl4_1", 1, 4, "DOB"), S("lbl5_1", 1, 5, 3), N("lbl6_1", 1, 6, "POP"), S("lbl7_1", 1, 7, 4), S("lbl13_1", 1, 8, 8),
    N("lbl02", 2, 0, "SD1"),   S("lbl1_2", 2, 1, 1), N("lbl2_2", 2, 2, "HS"),  S("lbl3_2", 2, 3, 2), N("lbl4_2", 2, 4, "SE"),  S("lbl5_2", 2, 5, 3), N("lbl6_2", 2, 6, "R1"),  S("lbl7_2", 2, 7, 4), S("lbl13_2", 2, 8, 8),
    N("lbl03", 3, 0, "SU2"),   S("lbl1_3", 3, 1, 1), N("lbl2_3", 3, 2, "CS"),  S("lbl3_3", 3, 3, 2), N("lbl4_3", 3, 4, "LR"),  S("lbl5_3", 3, 5, 3), N("lbl6_3", 3, 6, "R2"),  S("lbl7_3", 3, 7, 4), S("lbl13_3", 3, 8, 8),
    N("lbl04", 4, 0, "SD2"),   S("lbl1_4", 4, 1, 1), N("lbl2_4", 4, 2, "ICS"), S("lbl3_4", 4, 3, 2), N("lbl4_4", 4, 4, "DCB"), S("lbl5_4", 4, 5, 3), N("lbl6_4", 4, 6, "R4"),  S("lbl7_4", 4, 7, 4), S("lbl13_4", 4, 8, 8),
    N("lbl05", 5, 0, "   "),   S("lbl1_5", 5, 1, 1, false), N("lbl2_5", 5, 2, "GL1"), S("lbl3_5", 5, 3, 2), N("lbl4_5", 5, 4, "RSB"), S("lbl5_5", 5, 5, 3), N("lbl6_5", 5, 6, ""),    S("lbl7_5", 5, 7, 4), S("lbl13_5", 5, 8, 8),
    N("lbl06", 6, 0, "   "),   S("lbl1_6", 6, 1, 1, false), N("lbl2_6", 6, 2, "ICA"), S("lbl3_6", 6, 3, 2), N("lbl4_6", 6, 4, "FC"),  S("lbl5_6", 6, 5, 3), N("lbl6_6", 6, 6, " "),   S("lbl7_6", 6, 7, 4), S("lbl13_6", 6, 8, 8),
    N("lbl07", 7, 0, "   "),   S("lbl1_7", 7, 1, 1, false), N("lbl2_7", 7, 2, "LRS"), S("lbl3_7", 7, 3, 2), N("lbl4_7", 7, 4, "FR"),  S("lbl5_7", 7, 5, 3), N("lbl6_7", 7, 6, " "),   S("lbl7_7", 7, 7, 4), S("lbl13_7", 7, 8, 8),
    N("lbl08", 8, 0, " MC"),   S("lbl1_8", 8, 1, 1), N("lbl2_8", 8, 2, "DD"),  S("lbl3_8", 8, 3, 2), N("lbl4_8", 8, 4, "FAL"), S("lbl5_8", 8, 5, 3), N("lbl6_8", 8, 6, "BCR"), S("lbl7_8", 8, 7, 4), S("lbl13_8", 8, 8, 8),
    N("lbl09", 9, 0, " UT"),   S("lbl1_9", 9, 1, 1), N("lbl2_9", 9, 2, "DOL"), S("lbl3_9", 9, 3, 2), N("lb4_9", 9, 4, "FBP"),  S("lbl5_9", 9, 5, 3), N("lb6_9", 9, 6, "UP"),   S("lbl7_9", 9, 7, 4), S("lbl13_9", 9, 8, 8),
    N("lbl_10", 10, 0, " DT"), S("lbl110", 10, 1, 1), N("lbl210", 10, 2, "DCL"), S("lbl310", 10, 3, 2), N("lbl410", 10, 4, ""),    S("lbl510", 10, 5, 3), N("lbl610", 10, 6, "DP"),  S("lbl710", 10, 7, 4), S("lbl1310", 10, 8, 8),
    N("lbl_11", 11, 0, " UR"), S("lbl111", 11, 1, 1), N("lbl211", 11, 2, "DL6"), S("lbl311", 11, 3, 2), N("lbl411", 11, 4, "LVE"), S("lbl511", 11, 5, 3), N("lbl611", 11, 6, "DO"),  S("lbl711", 11, 7, 4), S("lbl1311", 11, 8, 8),
    N("lbl_12", 12, 0, " DR"), S("lbl112", 12, 1, 1), N("lbl212", 12, 2, "IC"),  S("lbl312", 12, 3, 2), N("lbl412", 12, 4, "BZ"),  S("lbl512", 12, 5, 3), N("lbl612", 12, 6, "DC"),  S("lbl712", 12, 7, 4), S("lbl1312", 12, 8, 8),
    N("lbl_13", 13, 0, "RUN"), S("lbl113", 13, 1, 1), N("lbl213", 13, 2, "ULZ"), S("lbl313", 13, 3, 2), N("lbl413", 13, 4, "HBZ"), S("lbl513", 13, 5, 3), N("lbl613", 13, 6, "NR"),  S("lbl713", 13, 7, 4), S("lbl1313", 13, 8, 8),
    N("lbl_14", 14, 0, " GL"), S("lbl114", 14, 1, 1), N("lbl214", 14, 2, "DLZ"), S("lbl314", 14, 3, 2), N("lbl414", 14, 4, "SM"),  S("lbl514", 14, 5, 3), N("lbl614", 14, 6, "FSL"), S("lbl714", 14, 7, 4), S("lbl1314", 14, 8, 8),
    N("lbl_15", 15, 0, " AU"), S("lbl115", 15, 1, 1), N("lbl215", 15, 2, "LZM"), S("lbl315", 15, 3, 2), N("lbl415", 15, 4, " "),   S("lbl515", 15, 5, 3, false), N("lbl615", 15, 6, "UDL"), S("lbl715", 15, 7, 4), S("lbl1315", 15, 8, 8),
    N("lbl_16", 16, 0, "TRIP"), S("lbl116", 16, 1, 1), N("lbl216", 16, 2, "LZF"), S("lbl316", 16, 3, 2), N("lbl416", 16, 4, " "),  S("lbl516", 16, 5, 3, false), N("lbl616", 16, 6, "DDL"), S("lbl716", 16, 7, 4), S("lbl1316", 16, 8, 8),
    // clang-format on
}};

}  // namespace

const std::array<GridCell, kGridRows * kGridColumns>& gridCells() {
  return kCells;
}

const std::vector<const GridCell*>& decodedCells() {
  static const std::vector<const GridCell*> order = [] {
    std::vector<const GridCell*> cells;
    for (int column = 0; column < kGridColumns; ++column) {
      for (int row = 1; row <= kGridRows; ++row) {
        const GridCell& cell = kCells[(row - 1) * kGridColumns + column];
        if (cell.isState() && cell.decoded) cells.push_back(&cell);
      }
    }
    return cells;
  }();
  return order;
}

SignalGrid::SignalGrid(form::Window& window, int firstTabIndex) {
  int tab = firstTabIndex;
  for (const GridCell& cell : kCells) {
    const form::Rect place{kColumnLeft[cell.column], kRowTop + kRowPitch * (cell.row - 1),
                           kCellWidth, kCellHeight};
    auto label =
        std::make_unique<form::Label>(window, cell.name, place, cell.isState() ? "" : cell.caption);
    if (cell.isState()) {
      label->setBackColor(form::kGrey);
      label->setBorder(true);
    } else {
      label->setBackColor(form::kSystemWindow);
      label->setForeColor(form::kSystemWindowText);
    }
    label->setTabIndex(tab++);
    labels_.push_back(std::move(label));
  }
  for (const GridCell* cell : decodedCells()) states_.push_back(find(cell->name));
}

form::Label* SignalGrid::find(const std::string& name) const {
  for (const auto& label : labels_) {
    if (label->name() == name) return label.get();
  }
  return nullptr;
}

form::Label& SignalGrid::label(const std::string& name) const {
  form::Label* found = find(name);
  if (!found) throw std::out_of_range("no grid label " + name);
  return *found;
}

}  // namespace kestrava::diag
