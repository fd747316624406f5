#include "engine/stats.hpp"

#include <algorithm>
#include <vector>

#include "engine/search.hpp"

namespace tesmo {

namespace {

// The distance of the farthest cell from `from`, and the first cell at that
// distance in the order the sweep found them; the marks are cleared.
std::pair<std::uint32_t, std::uint64_t> farthest(SearchBox* box, std::uint32_t from) {
  const Sweep swept = sweep(box, from, std::nullopt, true);
  clearSweep(box, swept);
  return {swept.reached[swept.layerStarts.back()], swept.moves};
}

// Counts dead ends and one-way moves over the reachable cells; the moves
// that go both ways are counted once each.
void countMoves(const SearchBox& box, const std::vector<std::uint32_t>& reached,
                std::uint32_t start, std::uint32_t end, PuzzleStats* stats) {
  std::uint64_t twoWay = 0;
  bool oneWay = false;
  for (std::uint32_t cell : reached) {
    int out = 0;
    for (unsigned code = 0; code < 6; ++code) {
      std::uint32_t next, back;
      if (!searchMove(box, cell, code, &next)) continue;
      ++out;
      if (searchMove(box, next, code ^ 1, &back)) {
        twoWay += code % 2 == 0;  // each pair once, from its lower side
      } else {
        oneWay = true;
      }
    }
    stats->deadEnds += out == 1 && cell != start && cell != end;
  }
  stats->tree = !oneWay && twoWay + 1 == reached.size();
}

}  // namespace

PuzzleStats puzzleStats(const Maze& maze, const Position& start, const Position& end) {
  PuzzleStats stats;
  SearchBox box = planSearch(maze);
  for (std::uint64_t cell = 0; cell < box.cells.size(); ++cell) {
    stats.open += searchCellOpen(box, static_cast<std::uint32_t>(cell));
  }
  const std::uint32_t from = searchCell(box, start), to = searchCell(box, end);
  const Sweep route = sweep(&box, from, to, true);
  clearSweep(&box, route);
  if (route.found) stats.shortest = route.moves;
  const Sweep all = sweep(&box, from, std::nullopt, true);
  clearSweep(&box, all);
  stats.reachable = all.reached.size();
  countMoves(box, all.reached, from, to, &stats);
  if (stats.tree || all.reached.size() > kExactLongestCells) {
    // In a tree the cell farthest from any cell ends a longest route.
    stats.longest = farthest(&box, farthest(&box, from).first).second;
    stats.longestExact = stats.tree;
  } else {
    for (std::uint32_t cell : all.reached) {
      stats.longest = std::max(stats.longest, farthest(&box, cell).second);
    }
  }
  return stats;
}

}  // namespace tesmo
