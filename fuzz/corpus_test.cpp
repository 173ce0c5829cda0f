// The fuzzers' corpus, replayed as ordinary tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "fuzz/targets.h"

namespace {

TEST(FuzzCorpus, EveryInputKeepsItsTargetsInvariants) {
  const std::map<std::string, std::function<void(const std::uint8_t*, std::size_t)>> targets = {
      {"append", kestrava::fuzz::appendToTerm},
      {"decoder", kestrava::fuzz::decoder},
      {"replay", kestrava::fuzz::replay},
      {"settings", kestrava::fuzz::settings}};
  int inputs = 0;
  for (const auto& [name, target] : targets) {
    const std::filesystem::path dir = std::filesystem::path(KESTRAVA_FUZZ_CORPUS) / name;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), {});
      SCOPED_TRACE(entry.path().string());
      target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
