#include "search.hpp"

#include <vector>

#include "grid.hpp"

namespace {

// Bits 4 to 6 of a grid cell: 0 while unvisited, else the code that first
// reached it plus one, or kStartMark for the start.
constexpr unsigned kMarkShift = 4;
constexpr std::uint8_t kMarkBits = 7 << kMarkShift;
constexpr std::uint8_t kStartMark = 7;

// How many cells of the layer ahead the neighbours of a cell are fetched
// before it is taken.
constexpr std::size_t kAhead = 16;

// Walks back from the cell at `last` along the codes that reached each
// cell; the route is those codes in order, then `code`.
NumberList routeBack(const Grid& grid, std::uint64_t last, std::uint64_t code) {
  NumberList route = {code};
  for (std::uint64_t index = last;;) {
    const unsigned mark = grid.blocked[index] >> kMarkShift;
    if (mark == kStartMark) break;
    route.push_back(mark - 1);
    index -= grid.step[mark - 1];
  }
  return NumberList(route.rbegin(), route.rend());
}

}  // namespace

bool searchFits(const NumberList& dimensions) {
  std::uint64_t cells;
  return gridCellCount(dimensions, &cells) && cells <= kMaxSearchCells;
}

// The frontier is kept a layer at a time in two vectors of 32-bit cell
// numbers, which cost less than a queue of 64-bit ones; a layer is taken in
// the order it was found, as a queue would take it. Cells leave in order of
// distance, so the first move into the end closes a shortest route; when the
// end is the start, that is the shortest way back, which need not retrace
// the way out: a start cell holding 2 lets the token out but not back in.
bool shortestRoute(const Maze& maze, const Position& start, const Position& end,
                   NumberList* route) {
  Grid grid = planGrid(maze);
  std::uint8_t* cells = grid.blocked.data();
  const std::uint64_t from = gridIndex(grid, start), target = gridIndex(grid, end);
  cells[from] = static_cast<std::uint8_t>(cells[from] | kStartMark << kMarkShift);
  std::vector<std::uint32_t> layer = {static_cast<std::uint32_t>(from)}, next;
  while (!layer.empty()) {
    for (std::size_t i = 0; i < layer.size(); ++i) {
      const std::uint32_t index = layer[i];
      if (i + kAhead < layer.size()) {
        const std::uint8_t* ahead = cells + layer[i + kAhead];
        __builtin_prefetch(ahead + grid.rowSize);
        __builtin_prefetch(ahead - grid.rowSize);
        __builtin_prefetch(ahead + grid.layerSize);
        __builtin_prefetch(ahead - grid.layerSize);
      }
      for (unsigned code = 0; code < 6; ++code) {
        const std::uint64_t to = index + grid.step[code];
        const std::uint8_t cell = cells[to];
        if (cell & grid.blockingBits[code]) continue;
        if (to == target) {
          *route = routeBack(grid, index, code);
          return true;
        }
        if (cell & kMarkBits) continue;
        cells[to] = static_cast<std::uint8_t>(cell | (code + 1) << kMarkShift);
        next.push_back(static_cast<std::uint32_t>(to));
      }
    }
    layer.swap(next);
    next.clear();
  }
  return false;
}
