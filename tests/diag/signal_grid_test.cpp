#include <gtest/gtest.h>

#include <set>

#include "diag/signal_grid.h"
#include "support/harness.h"

namespace kestrava::diag {
namespace {

TEST(SignalGrid, HoldsNineColumnsOfSixteenWithTheDesignedNames) {
  std::set<std::string> names;
  for (const GridCell& c : gridCells()) names.insert(c.name);
  EXPECT_EQ(names.size(), 144u);
  for (const char* irregular : {"lb4_9", "lb6_9", "lbl_10", "lbl_16", "lbl110", "lbl210", "lbl1310",
                                "lbl1316", "lbl05", "lbl13_1"}) {
    EXPECT_TRUE(names.count(irregular)) << irregular;
  }
  EXPECT_FALSE(names.count("lbl4_9"));
  EXPECT_FALSE(names.count("lbl010"));
}

struct DecodedCase {
  const char* name;
  int offset;
};

TEST(SignalGrid, SeventyFiveDecodedCellsAtTheirOffsets) {
  const auto& cells = decodedCells();
  ASSERT_EQ(cells.size(), 75u);
  for (const DecodedCase& c :
       {DecodedCase{"lbl1_1", 47}, DecodedCase{"lbl1_8", 61}, DecodedCase{"lbl3_1", 87},
        DecodedCase{"lbl514", 153}, DecodedCase{"lbl716", 197}, DecodedCase{"lbl13_1", 327},
        DecodedCase{"lbl1316", 357}}) {
    auto it = std::find_if(cells.begin(), cells.end(),
                           [&](const GridCell* g) { return std::string(g->name) == c.name; });
    ASSERT_NE(it, cells.end()) << c.name;
    EXPECT_EQ((*it)->offset(), c.offset) << c.name;
  }
  for (const char* never : {"lbl1_5", "lbl1_6", "lbl1_7", "lbl515", "lbl516"}) {
    EXPECT_TRUE(std::none_of(cells.begin(), cells.end(), [&](const GridCell* g) {
      return std::string(g->name) == never;
    })) << never;
  }
  EXPECT_EQ(cells.front()->name, std::string("lbl1_1"));
  EXPECT_EQ(cells.back()->name, std::string("lbl1316"));
}

TEST(SignalGrid, BuiltLabelsCarryCaptionsColoursAndPlaces) {
  testing::Harness h;
  Form1& f = h.form1();
  struct Caption {
    const char* name;
    const char* caption;
  };
  for (const Caption& c :
       {Caption{"lbl01", "SU1"}, Caption{"lbl05", "   "}, Caption{"lbl6_5", ""},
        Caption{"lbl6_6", " "}, Caption{"lbl_16", "TRIP"}, Caption{"lbl_10", " DT"},
        Caption{"lb4_9", "FBP"}, Caption{"lbl410", ""}}) {
    EXPECT_EQ(f.grid.label(c.name).caption(), c.caption) << c.name;
    EXPECT_FALSE(f.grid.label(c.name).border()) << c.name;
  }
  const form::Label& state = f.grid.label("lbl1316");
  EXPECT_EQ(state.caption(), "");
  EXPECT_EQ(state.backColor(), form::kGrey);
  EXPECT_TRUE(state.border());
  EXPECT_EQ(state.geometry().left, 4875);
  EXPECT_EQ(state.geometry().top, 360 + 240 * 15);
  EXPECT_EQ(state.geometry().width, 375);
  EXPECT_EQ(state.geometry().height, 255);
  EXPECT_EQ(f.grid.label("lbl6_1").geometry().left, 2880);
  EXPECT_EQ(f.find("lbl514"), &f.grid.label("lbl514")) << "the grid's labels are Form1's";
}

}  // namespace
}  // namespace kestrava::diag
