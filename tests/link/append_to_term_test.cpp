#include <gtest/gtest.h>

#include <random>

#include "support/harness.h"
#include "support/reference_filter.h"

namespace kestrava {
namespace {

using testing::Harness;

struct AppendCase {
  const char* name;
  std::string box;
  std::string chunk;
  std::string expectBox;
  std::string expectText1;
};

class AppendToTermTable : public ::testing::TestWithParam<AppendCase> {};

TEST_P(AppendToTermTable, FiltersAndInserts) {
  const AppendCase& c = GetParam();
  Harness h;
  Form1& f = h.form1();
  f.Term.setText(c.box);
  std::string chunk = c.chunk;
  f.AppendToTerm(f.Term, chunk);
  EXPECT_EQ(f.Term.text(), c.expectBox);
  EXPECT_EQ(f.Text1.text(), c.expectText1);
  EXPECT_EQ(f.Term.selStart(), f.Term.length()) << "the caret ends after the insertion";
}

const std::string k16383(16383, 'q');
std::string startsAt4096() {
  std::string s(16384, 'q');
  s[4095] = 'A';
  s[4096] = 'B';
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, AppendToTermTable,
    ::testing::Values(
        AppendCase{"CrLfKept", "", "AB\r\nC", "AB\r\nC", "AB\r\nC"},
        AppendCase{"LoneLfDropped", "", "abc\n", "abc", "abc"},
        AppendCase{"LfCrBecomesCrLf", "", "\n\r", "\r\n", "\r\n"},
        AppendCase{"LoneCrGetsLf", "", "A\rB", "A\r\nB", "A\r\nB"},
        AppendCase{"TwoCrs", "x", "\r\r", "x\r\n\r\n", "\r\n\r\n"},
        AppendCase{"BackspaceInsideChunk", "", "ab\bc", "ac", "ac"},
        AppendCase{"BackspaceEatsWholeChunk", "", "a\b", "", ""},
        AppendCase{"LeadingBackspaceReplacesLast", "hello", "\bX", "hellX", "X"},
        AppendCase{"TwoLeadingBackspacesReplaceOne", "hello", "\b\bX", "hellX", "X"},
        AppendCase{"LoneBackspaceErasesLast", "hello", "\b", "hell", ""},
        AppendCase{"BackspacesPastTheChunkStart", "hello", "ab\b\b\bX", "hellX", "X"},
        AppendCase{"LeadingBackspaceOnEmptyBoxFails", "", "\bX", "X", "X"},
        AppendCase{"EmptyChunk", "keep", "", "keep", ""},
        AppendCase{"ControlBytesPass", "", std::string("\x00\x07\x1b\xff", 4),
                   std::string("\x00\x07\x1b\xff", 4), std::string("\x00\x07\x1b\xff", 4)},
        AppendCase{"NoTrimAt16383", k16383, "Z", k16383 + "Z", "Z"},
        AppendCase{"TrimAt16384", startsAt4096(), "Z", startsAt4096().substr(4096) + "Z", "Z"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppendToTerm, FrameWindowIsAssignedTwiceWhenItOverflows) {
  Harness h;
  Form1& f = h.form1();
  std::vector<std::size_t> lengths;
  f.Text1.setText(std::string(417, '.'));
  f.Text1.Change = [&] { lengths.push_back(f.Text1.text().size()); };
  std::string chunk = "abc";
  f.AppendToTerm(f.Term, chunk);
  EXPECT_EQ(lengths, (std::vector<std::size_t>{420, 418}));
  EXPECT_EQ(f.Text1.text().substr(415), "abc");
}

TEST(AppendToTerm, AnySequenceOfChunksMatchesTheStepsAndKeepsTheBounds) {
  Harness h;
  Form1& f = h.form1();
  std::mt19937 rng(2024);
  std::string box;
  std::string allFiltered;
  const char alphabet[] = {'a', 'b', '\b', '\r', '\n', 'x', '\x7f'};
  for (int n = 0; n < 3000; ++n) {
    std::string chunk(rng() % (n % 50 == 0 ? 2500 : 64), ' ');
    for (char& c : chunk) c = alphabet[rng() % sizeof(alphabet)];
    // Reference: trim, then filter against the length after trimming.
    if (box.size() >= 16384) box.erase(0, 4096);
    bool leading = false;
    const std::string filtered = testing::referenceFilter(chunk, &leading);
    if (leading && !box.empty()) box.pop_back();  // the leading backspace's selection
    box += filtered;
    allFiltered += filtered;

    f.AppendToTerm(f.Term, chunk);
    ASSERT_EQ(chunk, filtered) << "chunk " << n;
    ASSERT_EQ(f.Term.text(), box) << "chunk " << n;
    ASSERT_LT(f.Term.length(), 16384 + static_cast<int>(filtered.size()) + 1);
    const std::size_t keep = std::min<std::size_t>(418, allFiltered.size());
    ASSERT_EQ(f.Text1.text(), allFiltered.substr(allFiltered.size() - keep)) << "chunk " << n;
  }
}

}  // namespace
}  // namespace kestrava
