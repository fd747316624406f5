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
#include <vector>

#include "formats/puzzle_file.hpp"
#include "model/maze.hpp"

namespace tesmo {
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

// The face's cells, worked out here apart from the parser: F * S of them,
// digits, and a cell that two rows share (rows overlap when F > S) drawn
// the same in both.
void checkFace(const Puzzle& puzzle, int face) {
  const Sizes& size = puzzle.size;
  const std::vector<std::uint8_t>& cells = puzzle.faces[face];
  const bool empty = size[0] == 0 || size[1] == 0 || size[2] == 0;
  const std::uint64_t first = empty ? 0 : size[face], second = empty ? 0 : size[(face + 1) % 3];
  if (first * second > kMaxFaceCells || cells.size() != first * second) {
    fail("face length", std::to_string(face));
  }
  for (std::uint64_t b = 0; b < second; ++b) {
    for (std::uint64_t a = 0; a < first; ++a) {
      const std::uint8_t cell = cells[b * first + a];
      if (cell > 9) fail("cell value", std::to_string(face));
      if (b > 0 && a + second < first && cells[(b - 1) * first + a + second] != cell) {
        fail("overlapping rows disagree", std::to_string(face));
      }
    }
  }
}

void checkRoundTrip(const Puzzle& puzzle) {
  std::ostringstream written;
  writePuzzle(written, puzzleMaze(puzzle), puzzle.start, puzzle.end);
  Puzzle again;
  std::string error;
  if (!parsePuzzle(written.str(), "written", &again, &error)) fail("written file refused", error);
  if (again.size != puzzle.size || again.start != puzzle.start || again.end != puzzle.end) {
    fail("round trip: sizes or endpoints", written.str());
  }
  for (int face = 0; face < 3; ++face) {
    if (again.faces[face] != puzzle.faces[face]) fail("round trip: a face", written.str());
  }
}

// One line per size and per number of each face's index rule, and the
// comment line; a file whose faces run to millions of numbers is skipped.
void checkConfig(const Puzzle& puzzle) {
  std::uint64_t cells = 0;
  for (int face = 0; face < 3; ++face) cells += *faceLength(faceOf(puzzle.size, face));
  if (cells > 1000000) return;
  std::ostringstream config;
  writeConfig(config, puzzleMaze(puzzle));
  const std::string text = config.str();
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n' ? 1 : 0;
  if (lines != 4 + cells || text.empty() || text.back() != '\n') fail("config lines", text);
}

}  // namespace
}  // namespace tesmo

using namespace tesmo;  // NOLINT(google-build-using-namespace): the entry point's

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Puzzle puzzle;
  puzzle.size = {7, 7, 7};  // must survive a refusal
  std::string error;
  if (!parsePuzzle(text, "input", &puzzle, &error)) {
    checkMessage(error);
    if (puzzle.size != Sizes{7, 7, 7}) fail("puzzle changed by a refusal", error);
    return 0;
  }
  for (int face = 0; face < 3; ++face) checkFace(puzzle, face);
  checkRoundTrip(puzzle);
  checkConfig(puzzle);
  return 0;
}
