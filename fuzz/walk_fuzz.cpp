// Fuzz target: the input is a maze chooser and a moves line. Its first four
// bytes choose the maze and the start: byte 0 below 32 is the built-in
// puzzle, else a box of 1 to 4 cells a side (bytes 1 to 3) whose face cells
// are walls where the bytes after the line's end say so; bytes 1 to 3 also
// give the start. The rest, up to the first newline, is the moves line.
//
// The line is walked as the verifier walks it, with runs of codes going
// through the four-move table (built at the first run, without the
// verifier's warm-up, which no input this short would outlast), and again
// from its list of numbers over the faces; the two walks must end alike.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/number_list.hpp"
#include "engine/walk.hpp"
#include "model/builtin_puzzle.hpp"

namespace tesmo {
namespace {

struct FuzzMaze {
  NumberList sizes, faces[3];
};

// A small box with walls of 1 and 2 from the bytes of `walls` (cycled).
FuzzMaze smallMaze(const std::uint8_t* chooser, std::string_view walls) {
  FuzzMaze maze;
  for (int axis = 0; axis < 3; ++axis) maze.sizes.push_back(1 + chooser[1 + axis] % 4);
  std::size_t next = 0;
  for (int face = 0; face < 3; ++face) {
    const std::uint64_t first = maze.sizes[face], second = maze.sizes[(face + 1) % 3];
    for (std::uint64_t cell = 0; cell < first + second * second; ++cell) {
      const unsigned byte =
          walls.empty() ? 0 : static_cast<unsigned char>(walls[next++ % walls.size()]);
      maze.faces[face].push_back(byte % 5 == 0 ? 1 + byte % 2 : 0);
    }
  }
  return maze;
}

std::string outcomeText(const WalkOutcome& outcome) {
  return std::to_string(static_cast<int>(outcome.stop)) + " " + std::to_string(outcome.stopCode) +
         " " + std::to_string(outcome.executed) + " " + std::to_string(outcome.position[0]) + "," +
         std::to_string(outcome.position[1]) + "," + std::to_string(outcome.position[2]);
}

}  // namespace
}  // namespace tesmo

using namespace tesmo;  // NOLINT(google-build-using-namespace): the entry point's

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  const std::size_t newline = rest.find('\n');
  const std::string_view line = rest.substr(0, newline);
  const std::string_view after = newline == std::string_view::npos ? "" : rest.substr(newline + 1);
  const FuzzMaze small = smallMaze(data, after);
  const bool builtIn = data[0] < 32;  // its table takes longer to build
  const Maze maze = builtIn ? builtInMaze()
                            : listMaze(small.sizes, small.faces[0], small.faces[1], small.faces[2]);
  Position start;
  for (int axis = 0; axis < 3; ++axis) start[axis] = data[1 + axis] % maze.size[axis];

  NumberReader reader;
  openNumberText(line, &reader);
  Walker walker = startWalker(maze, start, UINT64_MAX, false);
  walkLine(&walker, &reader);
  const std::string withRuns = outcomeText(walkerOutcome(walker));
  const NumberList moves = parseNumberList(line);
  const std::string onFaces = outcomeText(walkMoveList(maze, start, moves, 0));
  if (withRuns != onFaces) {
    std::fprintf(stderr, "invariant broken: the walk with runs ends at %s, over the faces at %s\n",
                 withRuns.c_str(), onFaces.c_str());
    std::abort();
  }
  return 0;
}
