#include "quad_grid.hpp"

#include <algorithm>

namespace {

constexpr std::uint64_t kAllPairs = (std::uint64_t{1} << kPairs) - 1;

// Bit p set when the pair of moves p (first code p / 6, then p % 6) cannot
// both be executed from `cell`, a cell inside the box. The first move leads
// into the grid, and only a cell inside the box can be entered, so the
// second one does too.
std::uint64_t blockedPairs(const Grid& grid, std::uint64_t cell) {
  std::uint64_t blocked = 0;
  for (std::uint64_t first = 0; first < 6; ++first) {
    std::uint64_t middle;
    if (gridEntry(grid, cell, first, &middle) != 0) {
      blocked |= std::uint64_t{0x3F} << (6 * first);
      continue;
    }
    for (std::uint64_t second = 0; second < 6; ++second) {
      std::uint64_t last;
      if (gridEntry(grid, middle, second, &last) != 0) {
        blocked |= std::uint64_t{1} << (6 * first + second);
      }
    }
  }
  return blocked;
}

bool cellInsideBox(const Grid& grid, std::uint64_t cell) {
  return (grid.blocked[cell] & kGridEdge) == 0;
}

}  // namespace

bool quadGridFits(const Grid& grid, std::uint64_t moveBudget) {
  const std::uint64_t cells = grid.blocked.size();
  return cells <= kMaxQuadCells && cells * kQuadWordsPerCell <= moveBudget;
}

// Four moves from a cell are two pairs: the first from the cell, the second
// from where the first leads. So each cell's word for a first pair is the
// blocked pairs of the cell that pair leads to, or all ones.
QuadGrid planQuadGrid(const Grid& grid) {
  QuadGrid quads;
  std::uint64_t pairStep[kPairs];
  for (std::uint64_t pair = 0; pair < kPairs; ++pair) {
    pairStep[pair] = grid.step[pair / 6] + grid.step[pair % 6];
    quads.scaledStep[pair] = pairStep[pair] * kPairs;
  }
  const std::uint64_t cells = grid.blocked.size();
  std::vector<std::uint64_t> pairs(cells, kAllPairs);
  for (std::uint64_t cell = 0; cell < cells; ++cell) {
    if (cellInsideBox(grid, cell)) pairs[cell] = blockedPairs(grid, cell);
  }
  quads.blocked.assign(cells * kPairs, ~std::uint64_t{0});
  for (std::uint64_t cell = 0; cell < cells; ++cell) {
    if (!cellInsideBox(grid, cell)) continue;
    for (std::uint64_t pair = 0; pair < kPairs; ++pair) {
      if ((pairs[cell] >> pair & 1) == 0) {
        quads.blocked[cell * kPairs + pair] = pairs[cell + pairStep[pair]];
      }
    }
  }
  return quads;
}
