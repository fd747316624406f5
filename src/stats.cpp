#include "stats.hpp"

#include <algorithm>
#include <vector>

#include "grid.hpp"
#include "search.hpp"

namespace {

constexpr std::uint32_t kUnreached = UINT32_MAX;

bool canEnter(const Grid& grid, std::uint64_t cell, int code, std::uint64_t* next) {
  return gridEntry(grid, cell, static_cast<std::uint64_t>(code), next) == 0;
}

// Breadth-first from `from`: the cells reached, in order, with their
// distances in *distance (which must read kUnreached for all of them).
std::vector<std::uint64_t> sweep(const Grid& grid, std::uint64_t from,
                                 std::vector<std::uint32_t>* distance) {
  std::vector<std::uint64_t> order = {from};
  (*distance)[from] = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::uint64_t cell = order[i];
    for (int code = 0; code < 6; ++code) {
      std::uint64_t next;
      if (!canEnter(grid, cell, code, &next) || (*distance)[next] != kUnreached) continue;
      (*distance)[next] = (*distance)[cell] + 1;
      order.push_back(next);
    }
  }
  return order;
}

// The farthest cell of a sweep and its distance; the distances are reset.
std::pair<std::uint64_t, std::uint32_t> farthest(const Grid& grid, std::uint64_t from,
                                                 std::vector<std::uint32_t>* distance) {
  const std::vector<std::uint64_t> order = sweep(grid, from, distance);
  std::pair<std::uint64_t, std::uint32_t> best = {from, 0};
  for (std::uint64_t cell : order) {
    if ((*distance)[cell] > best.second) best = {cell, (*distance)[cell]};
  }
  for (std::uint64_t cell : order) (*distance)[cell] = kUnreached;
  return best;
}

// Counts dead ends and one-way moves over the reachable cells; the moves
// that go both ways are counted once each.
void countMoves(const Grid& grid, const std::vector<std::uint64_t>& reached,
                std::uint64_t start, std::uint64_t end, PuzzleStats* stats) {
  std::uint64_t twoWay = 0;
  bool oneWay = false;
  for (std::uint64_t cell : reached) {
    int out = 0;
    for (int code = 0; code < 6; ++code) {
      std::uint64_t next, back;
      if (!canEnter(grid, cell, code, &next)) continue;
      ++out;
      if (canEnter(grid, next, code ^ 1, &back)) {
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
  const Grid grid = planGrid(maze);
  for (std::uint64_t cell = 0; cell < grid.blocked.size(); ++cell) {
    stats.open += grid.blocked[cell] == 0;
  }
  NumberList route;
  if (shortestRoute(maze, start, end, &route)) stats.shortest = route.size();
  std::vector<std::uint32_t> distance(grid.blocked.size(), kUnreached);
  const std::uint64_t from = gridIndex(grid, start);
  const std::vector<std::uint64_t> reached = sweep(grid, from, &distance);
  for (std::uint64_t cell : reached) distance[cell] = kUnreached;
  stats.reachable = reached.size();
  countMoves(grid, reached, from, gridIndex(grid, end), &stats);
  if (stats.tree || reached.size() > kExactLongestCells) {
    // In a tree the cell farthest from any cell ends a longest route.
    const std::uint64_t far = farthest(grid, from, &distance).first;
    stats.longest = farthest(grid, far, &distance).second;
    stats.longestExact = stats.tree;
  } else {
    for (std::uint64_t cell : reached) {
      stats.longest = std::max<std::uint64_t>(stats.longest, farthest(grid, cell, &distance).second);
    }
  }
  return stats;
}
