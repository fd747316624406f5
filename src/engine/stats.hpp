// A puzzle's measures: how many cells are open, how many the token reaches,
// how long its routes are and whether it is a perfect maze.
//
// Contract:
//  - puzzleStats() measures a usable maze whose box fits the search (see
//    searchFits()), from `start` to `end`, both inside the box:
//      open       cells whose three face cells hold 0
//      reachable  cells the token can reach from the start (the start too)
//      shortest   a shortest solution's length, empty when there is none
//      deadEnds   reachable cells, the start and end aside, with one move
//                 out of them
//      tree       every move between reachable cells goes both ways and
//                 the reachable cells form a tree (moves = cells - 1)
//      longest    the longest shortest route between two reachable cells;
//                 exact for a tree (two sweeps) and for up to
//                 kExactLongestCells reachable cells (a search from each),
//                 else the two sweeps' lower bound, with longestExact false.

#ifndef TESMO_ENGINE_STATS_HPP
#define TESMO_ENGINE_STATS_HPP

#include <cstdint>
#include <optional>

#include "model/maze.hpp"

namespace tesmo {

constexpr std::uint64_t kExactLongestCells = 4096;

struct PuzzleStats {
  std::uint64_t open = 0;
  std::uint64_t reachable = 0;
  std::optional<std::uint64_t> shortest;
  std::uint64_t deadEnds = 0;
  bool tree = false;
  std::uint64_t longest = 0;
  bool longestExact = true;
};

PuzzleStats puzzleStats(const Maze& maze, const Position& start, const Position& end);

}  // namespace tesmo

#endif  // TESMO_ENGINE_STATS_HPP
