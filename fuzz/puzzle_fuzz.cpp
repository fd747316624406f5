// Fuzz target: the input is a puzzle file. Whatever the bytes, the parse
// either refuses them with one printable line "input:LINE: fault", leaving
// the puzzle as it was, or loads a puzzle that holds what the format
// promises: three sizes, each face exactly as long as the index rule
// reaches, digits only, 0 between rows, a usable maze; and the puzzle
// written out and read back is the same puzzle.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "maze.hpp"
#include "puzzle_file.hpp"

namespace {

void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "invariant broken: %s\n%s\n", what, detail.c_str());
  std::abort();
}

// "input:" then a line number from 1, ": " and a fault, all printable ASCII.
void checkMessage(const std::string& error) {
  const std::string prefix = "input:";
  std::size_t at = prefix.size();
  while (at < error.size() && error[at] >= '0' && error[at] <= '9') ++at;
  if (error.compare(0, prefix.size(), prefix) != 0 || at == prefix.size() ||
      error[prefix.size()] == '0' || error.compare(at, 2, ": ") != 0 || at + 2 == error.size()) {
    fail("message shape", error);
  }
  for (char c : error) {
    if (c < 0x20 || c > 0x7E) fail("message byte", error);
  }
}

// The face's length and cells, worked out here apart from the parser.
void checkFace(const Puzzle& puzzle, int face) {
  const NumberList& sizes = puzzle.dimensions;
  const NumberList& cells = puzzle.faces[face];
  const std::uint64_t first = sizes[face], second = sizes[(face + 1) % 3];
  const bool empty = sizes[0] == 0 || sizes[1] == 0 || sizes[2] == 0;
  std::uint64_t rowStarts = 0, length = 0;
  if (!empty && (__builtin_mul_overflow(second, second - 1, &rowStarts) ||
                 __builtin_add_overflow(rowStarts, first, &length))) {
    fail("face length overflows", std::to_string(face));
  }
  if (length > kMaxFaceCells || cells.size() != length) fail("face length", std::to_string(face));
  for (std::size_t index = 0; index < cells.size(); ++index) {
    const bool between = index % second >= first;
    if (cells[index] > 9 || (between && cells[index] != 0)) fail("cell value", std::to_string(index));
  }
}

void checkRoundTrip(const Puzzle& puzzle) {
  std::ostringstream written;
  writePuzzle(written, puzzleMaze(puzzle), puzzle.start, puzzle.end);
  Puzzle again;
  std::string error;
  if (!parsePuzzle(written.str(), "written", &again, &error)) fail("written file refused", error);
  if (again.dimensions != puzzle.dimensions || again.start != puzzle.start ||
      again.end != puzzle.end) {
    fail("round trip: sizes or endpoints", written.str());
  }
  for (int face = 0; face < 3; ++face) {
    if (again.faces[face] != puzzle.faces[face]) fail("round trip: a face", written.str());
  }
}

// One line per size and per cell, and the comment line.
void checkConfig(const Puzzle& puzzle) {
  std::ostringstream config;
  writeConfig(config, puzzleMaze(puzzle));
  const std::string text = config.str();
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n' ? 1 : 0;
  const std::size_t cells =
      puzzle.faces[0].size() + puzzle.faces[1].size() + puzzle.faces[2].size();
  if (lines != 4 + cells || text.empty() || text.back() != '\n') fail("config lines", text);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Puzzle puzzle;
  puzzle.dimensions = {7};  // must survive a refusal
  std::string error;
  if (!parsePuzzle(text, "input", &puzzle, &error)) {
    checkMessage(error);
    if (puzzle.dimensions != NumberList{7}) fail("puzzle changed by a refusal", error);
    return 0;
  }
  if (puzzle.dimensions.size() != 3) fail("sizes", std::string(text));
  for (int face = 0; face < 3; ++face) checkFace(puzzle, face);
  const std::string problem = mazeProblem(puzzleMaze(puzzle));
  if (!problem.empty()) fail("maze not usable", problem);
  checkRoundTrip(puzzle);
  checkConfig(puzzle);
  return 0;
}
