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

// Out of line, so that the loop gets registers of its own rather than what
// is left of a caller's. Each run costs four look-ups whose blocked bits are
// or-ed and tested once, and no look-up waits for another's result: where
// the token stands after each four moves follows from the codes alone.
std::size_t walkQuadRuns(const QuadGrid& quads, const char* bytes, std::size_t length,
                         std::uint64_t* scaledIndex, bool* stopped) {
  const std::uint64_t* blocked = quads.blocked.data();
  const std::uint64_t* scaledStep = quads.scaledStep;
  std::uint64_t at = *scaledIndex;
  std::uint32_t pairs[kRunPairs];
  std::size_t walked = 0;
  *stopped = false;
  for (; length - walked >= kRunBytes; walked += kRunBytes) {
    if (!decodeCodeRun(bytes + walked, pairs)) break;
    std::uint64_t next = at, stops = 0;
    for (std::size_t quad = 0; quad < kRunPairs / 2; ++quad) {
      const std::uint32_t first = pairs[2 * quad], second = pairs[2 * quad + 1];
      stops |= blocked[next + first] >> second;
      next += scaledStep[first] + scaledStep[second];
    }
    if (stops & 1) {
      *stopped = true;
      break;
    }
    at = next;
  }
  *scaledIndex = at;
  return walked;
}
