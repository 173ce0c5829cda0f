#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrava::fuzz {

// Each target checks its invariants and aborts when one breaks. They run under libFuzzer
// (clang, sanitizers) and, over the committed corpus, as ordinary tests.

// Chunks through AppendToTerm into Text1 and a log: Text1 is the last 418 filtered characters,
// Term stays within its bound, the log holds exactly the filtered chunks.
void appendToTerm(const std::uint8_t* data, std::size_t size);
// The header search and DecodePmiFrame over any text at any position: no read outside it.
void decoder(const std::uint8_t* data, std::size_t size);
// Any file through the replay's line reader and terminal: the terminal keeps its bound.
void replay(const std::uint8_t* data, std::size_t size);
// Settings strings and port numbers: accepted ones read back the same.
void settings(const std::uint8_t* data, std::size_t size);

}  // namespace kestrava::fuzz
